#pragma once

#include <QString>

class QPainter;

// What the default printer asks the system's print spooler beyond what Qt's print support tells:
// SpoolerCups.cpp asks CUPS; SpoolerQt.cpp, for a build without CUPS (ZEF_CUPS off), answers
// with what Qt's print support alone knows.
namespace spooler {

// Whether the print service answers at all.
bool attivo();

enum class Coda { Assente, RifiutaLavori, Pronta };
// The queue behind the printer Qt names stampante.
Coda coda(const QString &stampante);

// Whether the spooler took the page this thread handed it last, as a painter on the printer
// ended.
bool paginaConsegnata();

// Ends the painter on an open page of the printer so that the page never reaches the spooler.
void senzaConsegna(QPainter &pagina);

} // namespace spooler
