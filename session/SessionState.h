#pragma once

#include <QString>

#include <array>

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
    int NumeroNascosto = 0;
    QString RispostaEsatta;      // digits, or "=", ">" or "<"
    QString RispostaData;        // the answer as entered
    double InizioOperazione = 0; // seconds since midnight when the operation was shown
    double InizioMonotono = 0;   // the clock's monotonic reading then: the answer is timed on it
    double FineOperazione = 0;   // seconds since midnight when it was checked
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
    std::array<QString, 46> Operazioni;    // one line per operation, slots 1..40 used
    std::array<int, 6> SecondiEsercizio{}; // seconds of exercise k, slots 1..4 used
    std::array<QString, 6> TempoEsercizio; // Str(SecondiEsercizio(k))

    // Certificate and report.
    int Voto = 0;
    QString Giudizio;
    int LunghezzaNome = 0;
    int Contatore = 0;

    // The message box being shown, shared by every screen.
    QString Messaggio;
    QString Titolo;
    int Stile = 0; // never assigned: OK button only, no icon
    int Risposta = 0;
};
