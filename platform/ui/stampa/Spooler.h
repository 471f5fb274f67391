#pragma once

#include <QString>

#include <functional>

class QPainter;

// What the default printer asks the system's print spooler beyond what Qt's print support tells:
// SpoolerCups.cpp asks CUPS; SpoolerQt.cpp, for a build without CUPS (ZEF_CUPS off), answers
// with what Qt's print support alone knows.
namespace spooler {

enum class Servizio { Spento, Muto, Attivo };
// Whether the print service is there, and answers within a few seconds.
Servizio servizio();

enum class Coda { Assente, RifiutaLavori, InPausa, Pronta };
// The queue behind the printer Qt names stampante.
Coda coda(const QString &stampante);

// Whether the page this thread handed the printer stampante last, as a painter on it ended,
// got there: the spooler took it, and in the few seconds it is followed nothing stopped it. A
// page that was stopped is dropped.
bool paginaConsegnata(const QString &stampante);

// Ends the painter on an open page of the printer so that the page never reaches the spooler.
void senzaConsegna(QPainter &pagina);

// Runs fai with the spooler out of sight of Qt's print support, which then sees no printer and
// asks nothing: a PDF printer is made at once, even while the scheduler hangs.
void senzaSpooler(const std::function<void()> &fai);

} // namespace spooler
