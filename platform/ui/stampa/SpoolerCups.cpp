#include "platform/ui/stampa/Spooler.h"

#include <QByteArray>
#include <QLibrary>
#include <QPainter>

#include <cups/cups.h>

#include <optional>
#include <type_traits>

namespace {

// libcups is loaded when a page first goes to a printer, not at start-up: with the TLS and
// Kerberos libraries it pulls in, linking it would cost every start of the program a few
// milliseconds and megabytes for a step most sittings never take. Qt's print support loads the
// same library at that moment anyway. A PDF file never needs it.
struct Cups
{
    decltype(&::httpConnect2) httpConnect2 = nullptr;
    decltype(&::httpClose) httpClose = nullptr;
    decltype(&::cupsServer) cupsServer = nullptr;
    decltype(&::cupsSetServer) cupsSetServer = nullptr;
    decltype(&::ippPort) ippPort = nullptr;
    decltype(&::cupsEncryption) cupsEncryption = nullptr;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest = nullptr;
    decltype(&::cupsGetOption) cupsGetOption = nullptr;
    decltype(&::cupsFreeDests) cupsFreeDests = nullptr;
    decltype(&::cupsLastError) cupsLastError = nullptr;
};

// nullptr when libcups is not installed.
const Cups *cups()
{
    static const std::optional<Cups> libreria = []() -> std::optional<Cups> {
        QLibrary lib(QStringLiteral("cups"), 2);
        if (!lib.load())
            return std::nullopt;
        Cups c;
        bool completa = true;
        const auto risolvi = [&lib, &completa](auto &funzione, const char *nome) {
            funzione =
                reinterpret_cast<std::remove_reference_t<decltype(funzione)>>(lib.resolve(nome));
            completa = completa && funzione;
        };
        risolvi(c.httpConnect2, "httpConnect2");
        risolvi(c.httpClose, "httpClose");
        risolvi(c.cupsServer, "cupsServer");
        risolvi(c.cupsSetServer, "cupsSetServer");
        risolvi(c.ippPort, "ippPort");
        risolvi(c.cupsEncryption, "cupsEncryption");
        risolvi(c.cupsGetNamedDest, "cupsGetNamedDest");
        risolvi(c.cupsGetOption, "cupsGetOption");
        risolvi(c.cupsFreeDests, "cupsFreeDests");
        risolvi(c.cupsLastError, "cupsLastError");
        return completa ? std::optional<Cups>(c) : std::nullopt;
    }();
    return libreria ? &*libreria : nullptr;
}

} // namespace

namespace spooler {

bool attivo()
{
    const Cups *c = cups();
    http_t *http = c ? c->httpConnect2(c->cupsServer(), c->ippPort(), nullptr, AF_UNSPEC,
                                       c->cupsEncryption(), 1, 5000, nullptr)
                     : nullptr;
    if (!http)
        return false;
    c->httpClose(http);
    return true;
}

Coda coda(const QString &stampante)
{
    const Cups *c = cups();
    if (!c)
        return Coda::Assente;
    // Qt names an instance of a queue "queue/instance".
    const QByteArray nome = stampante.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray istanza = stampante.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t *dest = c->cupsGetNamedDest(CUPS_HTTP_DEFAULT, nome.constData(),
                                            istanza.isEmpty() ? nullptr : istanza.constData());
    if (!dest)
        return Coda::Assente;
    const char *accetta =
        c->cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool rifiuta = accetta && qstrcmp(accetta, "false") == 0;
    c->cupsFreeDests(1, dest);
    return rifiuta ? Coda::RifiutaLavori : Coda::Pronta;
}

bool paginaConsegnata()
{
    // Qt's CUPS engine submits the page while the painter ends and ignores the answer; libcups
    // keeps it as this thread's last error.
    const Cups *c = cups();
    return c && c->cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

void senzaConsegna(QPainter &pagina)
{
    // Qt's CUPS engine cannot abort: ending the painter always submits the page. Pointing this
    // thread's CUPS client at a socket that does not exist makes that submission fail before
    // anything reaches the spooler; the next call picks the configured server again.
    const Cups *c = cups();
    if (c)
        c->cupsSetServer("/nonexistent/zefirano-pagina-annullata.sock");
    pagina.end();
    if (c)
        c->cupsSetServer(nullptr);
}

} // namespace spooler
