#pragma once

#include "platform/FormTable.h"

// The exercise screen as designed.
extern const FormDef definizioneOperativo;
