#pragma once

#include <cstddef>

// The controls of frmOperativoPiù that the exercise logic drives, by their names on the screen.
// The logic never touches a widget: it describes what each of these shows, and the screen maps
// that onto its own controls.
enum class Controllo {
    Label2,
    LblNumero1,
    LblSegno,
    TxtRisultato,
    LblUguale,
    LblNumero2,
    lblNumero4,
    lblSegno2,
    lblNumero6,
    lblUguale2,
    LblNumero8,
    LblEsito,
    LblSi,
    LblNo,
    LblEsercizio,
    LblOperazione,
    LblTempoParziale,
    LblTempoTotale,
    LblIstruzione,
    frmNumero,
    frmSegno,
    CmdVerifica,
    CmdOperazione,
    CmdEsercizio,
    CmdFine,
    CmdStampa,
    mnuStampa,
    mnuAttestato,
    Image3,
    Image4,
    Image5,
};

inline constexpr std::size_t numeroControlli = static_cast<std::size_t>(Controllo::Image5) + 1;
