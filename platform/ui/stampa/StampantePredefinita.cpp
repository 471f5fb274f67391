#include "platform/ui/stampa/StampantePredefinita.h"

#include "platform/ui/stampa/Spooler.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

QString StampantePredefinita::nonDisponibile() const
{
    return QStringLiteral("La stampante «%1» non è più disponibile.").arg(m_nome);
}

QString StampantePredefinita::servizio()
{
    switch (spooler::servizio()) {
    case spooler::Servizio::Spento:
        return QStringLiteral("Il servizio di stampa non è attivo: nessuna stampante è "
                              "raggiungibile.");
    case spooler::Servizio::Muto:
        return QStringLiteral("Il servizio di stampa non risponde: nessuna stampante è "
                              "raggiungibile.");
    case spooler::Servizio::Attivo:
        break;
    }
    return {};
}

QString StampantePredefinita::primaDellaFine()
{
    // Qt hands the page to the scheduler on a connection that waits minutes for an answer.
    // A scheduler gone meanwhile is left to the hand-over itself, which fails at once.
    return spooler::servizio() == spooler::Servizio::Muto ? servizio() : QString();
}

QString StampantePredefinita::controlla()
{
    // Without a scheduler Qt simply lists no printers; asking the scheduler first tells the two
    // cases apart.
    if (const QString errore = servizio(); !errore.isEmpty())
        return errore;

    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return QStringLiteral("Non c'è nessuna stampante installata.");
    const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
    if (predefinita.isNull())
        return QStringLiteral("Non è stata scelta una stampante predefinita.");
    m_nome = predefinita.printerName();

    // A queue that rejects jobs still takes the page from Qt without a word, and Qt drops the
    // refusal; it has to be asked before the page starts.
    switch (spooler::coda(m_nome)) {
    case spooler::Coda::Assente:
        return nonDisponibile();
    case spooler::Coda::RifiutaLavori:
        return QStringLiteral("La stampante «%1» non accetta lavori di stampa.").arg(m_nome);
    case spooler::Coda::InPausa:
        return QStringLiteral("La stampante «%1» è in pausa.").arg(m_nome);
    case spooler::Coda::Pronta:
        break;
    }
    return {};
}

std::unique_ptr<QPrinter> StampantePredefinita::nuovaPagina(QString &errore)
{
    errore = controlla();
    if (!errore.isEmpty())
        return nullptr;
    auto printer =
        std::make_unique<QPrinter>(QPrinterInfo::printerInfo(m_nome), QPrinter::HighResolution);
    // A printer that went away in the meantime leaves Qt with a PDF printer writing nowhere,
    // whose page would end "successfully" without reaching any spooler.
    if (printer->outputFormat() != QPrinter::NativeFormat || printer->printerName() != m_nome) {
        errore = nonDisponibile();
        return nullptr;
    }
    return printer;
}

QString StampantePredefinita::erroreInizio() const
{
    return QStringLiteral("Non è stato possibile iniziare la pagina sulla stampante «%1».")
        .arg(m_nome);
}

QString StampantePredefinita::esito(bool chiuso)
{
    if (!chiuso || !spooler::paginaConsegnata(m_nome))
        return QStringLiteral("La pagina non è arrivata alla stampante «%1».").arg(m_nome);
    return {};
}

void StampantePredefinita::annulla(QPainter &painter)
{
    spooler::senzaConsegna(painter);
}
