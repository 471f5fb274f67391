#pragma once

#include <QString>

#include <array>

// The sizes of a sitting: four exercises of ten operations.
inline constexpr int operazioniPerEsercizio = 10;
inline constexpr int eserciziPerSeduta = 4;
inline constexpr int operazioniPerSeduta = operazioniPerEsercizio * eserciziPerSeduta;
// The list of operations has slots 0..45 and the exercise times 0..5: room beyond a sitting, which
// the flow never writes (slot 0 holds the operation of the restart state, which nobody reads).
inline constexpr std::size_t postiOperazioni = 46;
inline constexpr std::size_t postiEsercizi = 6;
static_assert(postiOperazioni > operazioniPerSeduta && postiEsercizi > eserciziPerSeduta);

// The values every screen of a run shares: the child's name, the chosen range and activity, the
// operation on screen, the counters and times of the sitting, the list of operations done and
// the grade. One instance lives from program start to program end and is never saved; every
// screen reads and writes it in place. Every value starts at zero or empty.
struct SessionState
{
    // Range and activity, written by the start screen.
    int NumeroMin = 0;
    int NumeroMax = 0;
    int ScelteIntervallo = 0; // range code 1..6
    int TipoMin = 0;          // first operation type of the activity
    int TipoMax = 0;          // one past the last operation type
    QString ColorePulsanti;   // decimal text of the activity's button colour
    QString NomeAlunno;       // as typed, at most 15 characters
    // The activity's instruction ("Calcola il numero", ...), kept here so that the certificate
    // can state it even when the exercise screen is closed.
    QString Istruzione;

    // The operation on screen.
    int Addendo1 = 0;
    int Addendo2 = 0;
    QString Spazio1, Spazio2, Spazio3; // one blank or nothing: the two-column pads
    int TipoOperazione = 0;            // 1..12
    int NumeroNascosto = 0;            // the number to find; kept, not read
    QString RispostaEsatta;            // digits, or "=", ">" or "<"
    QString RispostaData;              // the answer as entered
    double InizioOperazione = 0;       // seconds since midnight when the operation was shown
    double InizioMonotono = 0; // the clock's monotonic reading then: the answer is timed on it
    double FineOperazione = 0; // seconds since midnight when it was checked; kept, not read
    int TempoRisposta = 0;
    QString TempoRispostaTesto;
    QString SpazioRisposta;
    QString SpazioTempo;
    QString MarcaErrore;

    // Counters and records of the sitting.
    int NumeroEsercizio = 0;    // 1..4; 0 after the end of a sitting and in the restart state
    int OperazioneCorrente = 0; // 1..10 within the exercise
    int NumeroOperazione = 0;   // 1..40 within the sitting; 0 in the restart state
    int EsatteEsercizio = 0;
    int ErrateEsercizio = 0;
    int RisposteEsatte = 0;
    // Operations checked in the sitting: the denominator of the grade. An operation on screen
    // that has not been answered yet does not count.
    int OperazioniVerificate = 0;
    std::array<QString, postiOperazioni> Operazioni;   // one line per operation, slots 1..40 used
    std::array<int, postiEsercizi> SecondiEsercizio{}; // seconds of exercise k, slots 1..4 used
    std::array<QString, postiEsercizi> TempoEsercizio; // Str(SecondiEsercizio(k))

    // Certificate and report.
    int Voto = 0;
    QString Giudizio;      // the grade's word; kept, not read
    int LunghezzaNome = 0; // characters of the name; kept, not read
    int Contatore = 0;     // kept, never used

    // The message box being shown, shared by every screen.
    QString Messaggio;
    QString Titolo;
    int Stile = 0; // never assigned: OK button only, no icon
    int Risposta = 0;
};
