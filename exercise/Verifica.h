#pragma once

#include "session/SessionState.h"

#include <QString>

#include <optional>

// The File items of the exercise screen are offered from this operation of the sitting on.
inline constexpr int operazioneMenu = 10;

namespace istruzioni {
inline const QString digita = QStringLiteral("Digita il risultato");
inline const QString verifica = QStringLiteral("Clicca sul pulsante Verifica");
inline const QString nuovaOperazione = QStringLiteral("Clicca sul pulsante Nuova operazione");
inline const QString nuovoEsercizio = QStringLiteral("Clicca sul pulsante Nuovo esercizio");
} // namespace istruzioni

inline const QString esitoEsatto = QStringLiteral("E s a t t o");
inline const QString esitoErrato = QStringLiteral("E r r a t o");

// The answer box takes digits, Enter (13) and Backspace (8); any other key is refused.
bool tastoAmmesso(int keyAscii);

// Right only when the two texts are the same character for character: "07" is not 7.
bool esatta(const QString &data, const QString &attesa);

// n stars separated by single blanks, for n in 1..10; nothing otherwise (the label then keeps
// its text).
std::optional<QString> stelle(int n);

// Whole seconds from inizio to fine, two readings of the monotonic clock: never negative.
// Readings a whole number of seconds apart give that number even when their binary fractions do
// not subtract exactly.
int secondiInteri(double inizio, double fine);

// LblTempoParziale: Str(secondi), or "99" above 99.
QString tempoParziale(int secondi);
// LblTempoTotale: Str(secondi), or "999" above 999.
QString tempoTotale(int secondi);

// The blank before the bracketed answer: written when Val of the answer box's text is below 10,
// so always for a sign, whose box is empty.
QString spazioRisposta(const QString &testoRisultato);

// The messages of the end of a sitting.
QString messaggioFineSeduta();
inline const QString titoloFineSeduta = QStringLiteral("FINE ESERCITAZIONE");

// What a check changes on screen, beyond the session values.
struct EsitoVerifica
{
    bool esatta = false;
    QString LblEsito;
    std::optional<QString> LblSi; // a new text, or none: the label keeps its text
    std::optional<QString> LblNo;
    QString LblTempoParziale;
    QString LblTempoTotale;
    bool esercizioFinito = false; // the tenth operation of the exercise
    bool menuAbilitati = false;   // NumeroOperazione >= 10
    bool fineSeduta = false;      // the fortieth operation of the sitting
};

// The clock read at the check: the time of day, and the monotonic reading the answer is timed on.
struct Lettura
{
    double ora;
    double monotono;
};

// The check of the operation on screen, answered RispostaData while the answer box held
// testoRisultato, with the clock read as fine: counts the answer, times it (from InizioMonotono
// to fine.monotono, so that midnight and corrections of the clock change nothing) into
// SecondiEsercizio/TempoEsercizio(NumeroEsercizio), sets the pads and completes
// Operazioni(NumeroOperazione). Counts one more OperazioniVerificate. Writes no slot outside
// the arrays' bounds. The caller makes sure an operation is checked once.
EsitoVerifica giudica(SessionState &s, const QString &testoRisultato, Lettura fine);
