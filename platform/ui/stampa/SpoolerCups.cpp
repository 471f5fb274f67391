#include "platform/ui/stampa/Spooler.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QLibrary>
#include <QPainter>
#include <QThread>

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
    decltype(&::httpSetTimeout) httpSetTimeout = nullptr;
    decltype(&::ippNewRequest) ippNewRequest = nullptr;
    decltype(&::ippDelete) ippDelete = nullptr;
    decltype(&::cupsDoRequest) cupsDoRequest = nullptr;
    decltype(&::cupsGetJobs2) cupsGetJobs2 = nullptr;
    decltype(&::cupsFreeJobs) cupsFreeJobs = nullptr;
    decltype(&::cupsCancelJob2) cupsCancelJob2 = nullptr;
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
        risolvi(c.httpSetTimeout, "httpSetTimeout");
        risolvi(c.ippNewRequest, "ippNewRequest");
        risolvi(c.ippDelete, "ippDelete");
        risolvi(c.cupsDoRequest, "cupsDoRequest");
        risolvi(c.cupsGetJobs2, "cupsGetJobs2");
        risolvi(c.cupsFreeJobs, "cupsFreeJobs");
        risolvi(c.cupsCancelJob2, "cupsCancelJob2");
        return completa ? std::optional<Cups>(c) : std::nullopt;
    }();
    return libreria ? &*libreria : nullptr;
}

// How long the program waits for the spooler to answer one question: a scheduler that hangs
// would otherwise hold the program for minutes.
constexpr int AttesaRisposta = 3000; // ms
// How long a page handed to the spooler is followed before it is taken as on its way.
constexpr int AttesaLavoro = 3000; // ms

// A connection of the program's own to the scheduler, on which every question gives up after
// AttesaRisposta; the connection libcups keeps for a thread waits for minutes.
class Connessione
{
public:
    explicit Connessione(const Cups &c) : m_c(c)
    {
        m_http = c.httpConnect2(c.cupsServer(), c.ippPort(), nullptr, AF_UNSPEC, c.cupsEncryption(),
                                1, AttesaRisposta, nullptr);
        if (m_http)
            c.httpSetTimeout(m_http, AttesaRisposta / 1000.0, &arrenditi, nullptr);
    }
    ~Connessione()
    {
        if (m_http)
            m_c.httpClose(m_http);
    }
    Connessione(const Connessione &) = delete;
    Connessione &operator=(const Connessione &) = delete;

    http_t *http() const { return m_http; }

private:
    static int arrenditi(http_t *, void *) { return 0; }

    const Cups &m_c;
    http_t *m_http = nullptr;
};

// The queue's own name and instance, from the name Qt gives a printer ("queue/instance").
struct NomeCoda
{
    explicit NomeCoda(const QString &stampante)
        : nome(stampante.section(QLatin1Char('/'), 0, 0).toLocal8Bit()),
          istanza(stampante.section(QLatin1Char('/'), 1).toLocal8Bit())
    {
    }
    const char *perIstanza() const { return istanza.isEmpty() ? nullptr : istanza.constData(); }

    QByteArray nome;
    QByteArray istanza;
};

// What the scheduler says of the queue, nullptr when it did not answer.
cups_dest_t *destinazione(const Cups &c, const Connessione &conn, const NomeCoda &coda)
{
    return conn.http() ? c.cupsGetNamedDest(conn.http(), coda.nome.constData(), coda.perIstanza())
                       : nullptr;
}

bool ferma(const Cups &c, const Connessione &conn, const NomeCoda &coda)
{
    cups_dest_t *dest = destinazione(c, conn, coda);
    if (!dest)
        return false;
    const char *stato = c.cupsGetOption("printer-state", dest->num_options, dest->options);
    const bool vero = stato && QByteArray(stato).toInt() == IPP_PSTATE_STOPPED;
    c.cupsFreeDests(1, dest);
    return vero;
}

} // namespace

namespace spooler {

Servizio servizio()
{
    const Cups *c = cups();
    if (!c)
        return Servizio::Spento;
    const Connessione conn(*c);
    if (!conn.http())
        return Servizio::Spento;
    // A scheduler that has stopped still takes the connection: only a question tells.
    ipp_t *risposta = c->cupsDoRequest(conn.http(), c->ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (!risposta)
        return Servizio::Muto;
    c->ippDelete(risposta);
    return Servizio::Attivo;
}

Coda coda(const QString &stampante)
{
    const Cups *c = cups();
    if (!c)
        return Coda::Assente;
    const Connessione conn(*c);
    const NomeCoda nome(stampante);
    cups_dest_t *dest = destinazione(*c, conn, nome);
    if (!dest)
        return Coda::Assente;
    const auto opzione = [c, dest](const char *nome) {
        return QByteArray(c->cupsGetOption(nome, dest->num_options, dest->options));
    };
    const bool rifiuta = opzione("printer-is-accepting-jobs") == "false";
    const bool inPausa = opzione("printer-state").toInt() == IPP_PSTATE_STOPPED;
    c->cupsFreeDests(1, dest);
    if (rifiuta)
        return Coda::RifiutaLavori;
    return inPausa ? Coda::InPausa : Coda::Pronta;
}

bool paginaConsegnata(const QString &stampante)
{
    // Qt's CUPS engine submits the page while the painter ends and ignores the answer; libcups
    // keeps it as this thread's last error.
    const Cups *c = cups();
    if (!c || c->cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return false;

    // The job is the last of this user's on the queue. It is followed for a few seconds: a
    // queue paused meanwhile or a device that fails stops it at once; one still on its way then
    // is left to go.
    const NomeCoda nome(stampante);
    const Connessione conn(*c);
    QElapsedTimer tempo;
    tempo.start();
    while (conn.http()) {
        cups_job_t *lavori = nullptr;
        const int n =
            c->cupsGetJobs2(conn.http(), &lavori, nome.nome.constData(), 1, CUPS_WHICHJOBS_ALL);
        const cups_job_t *ultimo = nullptr;
        for (int i = 0; i < n; ++i)
            if (!ultimo || lavori[i].id > ultimo->id)
                ultimo = &lavori[i];
        const int id = ultimo ? ultimo->id : 0;
        const ipp_jstate_t stato = ultimo ? ultimo->state : IPP_JSTATE_COMPLETED;
        c->cupsFreeJobs(n, lavori);
        if (n < 0 || stato == IPP_JSTATE_COMPLETED)
            return n >= 0;
        const bool perso = stato == IPP_JSTATE_CANCELED || stato == IPP_JSTATE_ABORTED;
        if (perso)
            return false;
        if (stato == IPP_JSTATE_HELD || stato == IPP_JSTATE_STOPPED || ferma(*c, conn, nome)) {
            // Never printed behind the child's back, after the page was saved as a file.
            c->cupsCancelJob2(conn.http(), nome.nome.constData(), id, 0);
            return false;
        }
        if (tempo.elapsed() > AttesaLavoro)
            return true;
        QThread::msleep(100);
    }
    return false;
}

void senzaSpooler(const std::function<void()> &fai)
{
    // Pointing this thread's CUPS client at a socket that does not exist makes every question
    // fail at once; the next call picks the configured server again.
    const Cups *c = cups();
    if (c)
        c->cupsSetServer("/nonexistent/zefirano-senza-spooler.sock");
    fai();
    if (c)
        c->cupsSetServer(nullptr);
}

void senzaConsegna(QPainter &pagina)
{
    // Qt's CUPS engine cannot abort: ending the painter always submits the page, which then
    // fails before anything reaches the spooler.
    senzaSpooler([&pagina] { pagina.end(); });
}

} // namespace spooler
