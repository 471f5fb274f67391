#pragma once

#include <QString>

#include <functional>

// What the default printer asks the system's print spooler beyond what Qt's print support tells.
// A port to a system without CUPS replaces SpoolerCups.cpp, and only it, with its own answers.
namespace spooler {

// Whether the print service answers at all.
bool attivo();

enum class Coda { Assente, RifiutaLavori, Pronta };
// The queue behind the printer Qt names stampante.
Coda coda(const QString &stampante);

// Whether the spooler took the page this thread handed it last, as a painter on the printer
// ended.
bool paginaConsegnata();

// Runs fine, which ends a painter on an open page of the printer, so that the page never reaches
// the spooler.
void senzaConsegna(const std::function<void()> &fine);

} // namespace spooler
