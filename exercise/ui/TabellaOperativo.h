#pragma once

#include "platform/ui/FormTable.h"

#include "exercise/Operazione.h"

#include <array>

// The exercise screen as designed.
extern const FormDef definizioneOperativo;

// The controls of each answer area: an activity's scheme gives them its area colour when its
// operations use that area.
struct AreaRisposta
{
    Gruppo gruppo;
    std::array<const char *, 2> controlli;
};
inline constexpr std::array<AreaRisposta, 2> areeRisposta{{
    {Gruppo::Numero, {"frmNumero", "TxtRisultato"}},
    {Gruppo::Segno, {"frmSegno", "lblSegno2"}},
}};

// The controls that take the button colour of an activity's scheme, in the order they are
// painted.
inline constexpr std::array<const char *, 8> controlliPulsanti{
    "CmdVerifica",    "CmdOperazione",   "cmdSfondo",    "CmdFine",
    "frmValutazione", "frmElaborazione", "CmdEsercizio", "CmdStampa"};
