#pragma once

#include "session/SessionState.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

class Printer;

// The list of the operations of a sitting: the captions of the report screen and the layout of
// its printed page. Positions are in twips; on paper they count from the printable origin.

// Captions of LblOp(1..40), slot 0 unused: the line of each operation up to the one on
// screen, empty beyond it.
std::array<QString, operazioniPerSeduta + 1> didascalieOperazioni(const SessionState &stato);
// The total time of exercise 1..4 under its column; an exercise without a time shows none.
QString didascaliaTempo(const SessionState &stato, int esercizio);
// Where LblOp(i) lies on the report screen.
QRect rettangoloOperazione(int i);

QString intestazioneStampa();
// Where the line of operation i starts on paper: four blocks of ten, with an empty row between
// the upper and the lower half.
QPoint posizioneStampaOperazione(int i);
QPoint posizioneStampaTotale(int esercizio);
QString rigaTotale(const SessionState &stato, int esercizio);

// One call to make on a printer.
struct PassoStampa
{
    enum class Azione { NomeFont, DimensioneFont, Grassetto, X, Y, Stampa, FineDocumento };
    Azione azione;
    double valore = 0; // points, twips, or 1 for bold on
    QString testo;     // the font name, or the line to print

    bool operator==(const PassoStampa &) const = default;
};

// The page of "STAMPA LE OPERAZIONI" as it stands now: the header in the printer's own font at
// 16 points, then every operation up to the one on screen and all four totals in Courier 12
// bold, then the end of the document.
QList<PassoStampa> passiStampaOperazioni(const SessionState &stato);

// Plays the steps on the printer. At the first call that fails the job is dropped, errore
// gets the printer's reason and the result is false; nothing after it is attempted.
bool eseguiPassi(const QList<PassoStampa> &passi, Printer &stampante, QString &errore);
