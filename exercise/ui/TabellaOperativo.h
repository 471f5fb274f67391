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

// The five places of an operation in each frame, left to right: the left edge of each, in twips
// from the frame's left. The numbers of the sign frame stand in the places they are designed in.
inline constexpr std::array<int, 5> postiNumero{100, 3120, 4000, 7020, 8000};
inline constexpr std::array<int, 5> postiSegno{120, 3120, 4020, 7170, 8130};

// The controls that take the button colour of an activity's scheme, in the order they are
// painted.
inline constexpr std::array<const char *, 8> controlliPulsanti{
    "CmdVerifica",    "CmdOperazione",   "cmdSfondo",    "CmdFine",
    "frmValutazione", "frmElaborazione", "CmdEsercizio", "CmdStampa"};
