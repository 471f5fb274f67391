#include "platform/ui/stampa/Spooler.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

// Without CUPS the program knows of the print service what Qt's print support tells: its
// printers, and whether a page ended cleanly.
namespace spooler {

Servizio servizio()
{
    // Qt tells no service apart from its printers: the checks that follow say what is missing.
    return Servizio::Attivo;
}

Coda coda(const QString &stampante)
{
    return QPrinterInfo::printerInfo(stampante).isNull() ? Coda::Assente : Coda::Pronta;
}

bool paginaConsegnata(const QString &)
{
    // Whether the painter ended cleanly is all Qt tells, and the printer asks it already.
    return true;
}

void senzaConsegna(QPainter &pagina)
{
    // The print engines of Windows and macOS drop the page; others cannot, and send it.
    if (auto *printer = dynamic_cast<QPrinter *>(pagina.device()))
        printer->abort();
    if (pagina.isActive())
        pagina.end();
}

void senzaSpooler(const std::function<void()> &fai)
{
    fai();
}

} // namespace spooler
