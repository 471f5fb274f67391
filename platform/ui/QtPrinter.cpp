#include "platform/ui/QtPrinter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPageLayout>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <cups/cups.h>

#include <algorithm>
#include <optional>
#include <type_traits>

namespace {

constexpr double TwipsPerPollice = 1440.0;
// Lines of text are laid out at a resolution fine enough that the font's hinting does not
// shift them.
constexpr int RisoluzioneTesto = 1200;

QString nomeDocumento()
{
    return QStringLiteral("zefirano.2");
}

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

QtPrinter::QtPrinter() = default;

QtPrinter::QtPrinter(const QString &pdfPath) : m_pdf(pdfPath) {}

QtPrinter::~QtPrinter()
{
    killDoc();
}

void QtPrinter::setFontName(const QString &name)
{
    if (!m_fallito)
        m_font.setFamily(name);
}

void QtPrinter::setFontSize(double points)
{
    if (!m_fallito && points > 0)
        m_font.setPointSizeF(points);
}

void QtPrinter::setFontBold(bool bold)
{
    if (!m_fallito)
        m_font.setBold(bold);
}

void QtPrinter::setCurrentX(double twips)
{
    if (!m_fallito)
        m_x = twips;
}

void QtPrinter::setCurrentY(double twips)
{
    if (!m_fallito)
        m_y = twips;
}

double QtPrinter::dispositivo(double twips) const
{
    return twips * m_printer->resolution() / TwipsPerPollice;
}

bool QtPrinter::fallisci(const QString &errore)
{
    killDoc();
    m_fallito = true;
    m_errore = errore;
    return false;
}

QString QtPrinter::controllaStampantePredefinita()
{
    // Without a scheduler Qt simply lists no printers; asking the scheduler first tells the two
    // cases apart.
    const Cups *c = cups();
    http_t *http = c ? c->httpConnect2(c->cupsServer(), c->ippPort(), nullptr, AF_UNSPEC,
                                       c->cupsEncryption(), 1, 5000, nullptr)
                     : nullptr;
    if (!http)
        return QStringLiteral("Il servizio di stampa non è attivo: nessuna stampante è "
                              "raggiungibile.");
    c->httpClose(http);

    if (QPrinterInfo::availablePrinterNames().isEmpty())
        return QStringLiteral("Non c'è nessuna stampante installata.");
    const QPrinterInfo predefinita = QPrinterInfo::defaultPrinter();
    if (predefinita.isNull())
        return QStringLiteral("Non è stata scelta una stampante predefinita.");
    m_nomeStampante = predefinita.printerName();

    // A queue that rejects jobs still takes the page from Qt without a word, and Qt drops the
    // refusal; it has to be asked before the page starts.
    const QByteArray coda = m_nomeStampante.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray istanza = m_nomeStampante.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t *dest = c->cupsGetNamedDest(CUPS_HTTP_DEFAULT, coda.constData(),
                                            istanza.isEmpty() ? nullptr : istanza.constData());
    if (!dest)
        return QStringLiteral("La stampante «%1» non è più disponibile.").arg(m_nomeStampante);
    const char *accetta =
        c->cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool rifiuta = accetta && qstrcmp(accetta, "false") == 0;
    c->cupsFreeDests(1, dest);
    if (rifiuta)
        return QStringLiteral("La stampante «%1» non accetta lavori di stampa.")
            .arg(m_nomeStampante);
    return {};
}

bool QtPrinter::avviaPagina(int risoluzione)
{
    if (m_fallito)
        return false;
    if (m_painter.isActive())
        return true;

    if (m_pdf.isEmpty()) {
        const QString errore = controllaStampantePredefinita();
        if (!errore.isEmpty())
            return fallisci(errore);
        m_printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(m_nomeStampante),
                                               QPrinter::HighResolution);
        // A printer that went away in the meantime leaves Qt with a PDF printer writing
        // nowhere, whose page would end "successfully" without reaching any spooler.
        if (m_printer->outputFormat() != QPrinter::NativeFormat ||
            m_printer->printerName() != m_nomeStampante) {
            m_printer.reset();
            return fallisci(
                QStringLiteral("La stampante «%1» non è più disponibile.").arg(m_nomeStampante));
        }
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_printer->setOutputFileName(m_pdf);
        m_printer->setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Portrait,
            QMarginsF(MarginePdf, MarginePdf, MarginePdf, MarginePdf), QPageLayout::Point));
    }
    m_printer->setResolution(risoluzione);
    m_printer->setDocName(nomeDocumento());
    m_printer->setCreator(nomeDocumento());
    m_printer->setFullPage(false);

    if (!m_painter.begin(m_printer.get())) {
        m_printer.reset();
        return fallisci(m_pdf.isEmpty()
                            ? QStringLiteral("Non è stato possibile iniziare la pagina sulla "
                                             "stampante «%1».")
                                  .arg(m_nomeStampante)
                            : QStringLiteral("Non è stato possibile scrivere il file «%1».")
                                  .arg(QFileInfo(m_pdf).fileName()));
    }
    m_painter.setPen(Qt::black);
    return true;
}

bool QtPrinter::print(const QString &line)
{
    if (!avviaPagina(RisoluzioneTesto))
        return false;
    const QFont font(m_font, m_printer.get());
    const QFontMetricsF metriche(font, m_printer.get());
    m_painter.setFont(font);
    // CurrentY is the top of the line; Qt places text by its baseline.
    m_painter.drawText(QPointF(dispositivo(m_x), dispositivo(m_y) + metriche.ascent()), line);
    m_x = 0;
    m_y += metriche.height() * TwipsPerPollice / m_printer->resolution();
    return true;
}

bool QtPrinter::printForm(QWidget *form)
{
    if (!form)
        return fallisci(QStringLiteral("Non c'è nessuna finestra da stampare."));

    // The widgets draw themselves into a recording: text stays text and vector pictures stay
    // vectors, sharp at any printer resolution, and the page stays small. Qt's own rendering
    // onto a printer would instead send one large bitmap of the whole window.
    QPicture disegno;
    QPainter registratore(&disegno);
    form->render(&registratore, QPoint(), QRegion(),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
    registratore.end();

    // A recording replays its text at the resolution it was recorded at only on a page of that
    // same resolution; any other page would scale its fonts twice.
    const int risoluzione = disegno.logicalDpiY();
    if (!avviaPagina(risoluzione))
        return false;
    const QSizeF finestra = form->size();
    if (finestra.isEmpty())
        return true;

    // The size it has on screen, made smaller only when it would not fit the printable area.
    const QRectF pagina = m_printer->pageLayout().paintRectPixels(m_printer->resolution());
    const double naturale = m_printer->resolution() / double(form->logicalDpiX());
    const double adatta =
        std::min(pagina.width() / finestra.width(), pagina.height() / finestra.height());
    const double scala = std::min(naturale, adatta);

    m_painter.save();
    m_painter.scale(scala, scala);
    if (m_printer->resolution() == risoluzione)
        m_painter.drawPicture(0, 0, disegno);
    else
        form->render(&m_painter, QPoint(), QRegion(),
                     QWidget::DrawWindowBackground | QWidget::DrawChildren);
    m_painter.restore();
    return true;
}

bool QtPrinter::endDoc()
{
    if (m_fallito)
        return false;
    if (!m_painter.isActive())
        return true;

    const bool chiuso = m_painter.end();
    // Qt's CUPS engine submits the page while the painter ends and ignores the answer; libcups
    // keeps it as this thread's last error. (A printer's page starts only once cups() answered.)
    const ipp_status_t esito = m_pdf.isEmpty() ? cups()->cupsLastError() : IPP_STATUS_OK;
    m_printer.reset();
    m_x = 0;
    m_y = 0;

    if (m_pdf.isEmpty()) {
        if (!chiuso || esito > IPP_STATUS_OK_EVENTS_COMPLETE)
            return fallisci(QStringLiteral("La pagina non è arrivata alla stampante «%1».")
                                .arg(m_nomeStampante));
    } else if (!chiuso || QFileInfo(m_pdf).size() <= 0) {
        return fallisci(QStringLiteral("Non è stato possibile scrivere il file «%1».")
                            .arg(QFileInfo(m_pdf).fileName()));
    }
    return true;
}

void QtPrinter::killDoc()
{
    if (!m_painter.isActive())
        return;
    if (m_pdf.isEmpty()) {
        // Qt's CUPS engine cannot abort: ending the painter always submits the page. Pointing
        // this thread's CUPS client at a socket that does not exist makes that submission fail
        // before anything reaches the spooler; the next call picks the configured server again.
        const Cups *c = cups();
        c->cupsSetServer("/nonexistent/zefirano-pagina-annullata.sock");
        m_painter.end();
        c->cupsSetServer(nullptr);
    } else {
        m_painter.end();
        QFile::remove(m_pdf);
    }
    m_printer.reset();
    m_x = 0;
    m_y = 0;
}

std::unique_ptr<Printer> QtPrinterFactory::stampante()
{
    return std::make_unique<QtPrinter>();
}

std::unique_ptr<Printer> QtPrinterFactory::pdf(const QString &path)
{
    return std::make_unique<QtPrinter>(path);
}
