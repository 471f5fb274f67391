#include "platform/ui/stampa/QtPrinter.h"

#include "platform/ui/stampa/StampantePredefinita.h"

#include <QFontMetricsF>
#include <QPicture>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace {

constexpr double TwipsPerPollice = 1440.0;
// Lines of text are laid out at a resolution fine enough that the font's hinting does not
// shift them.
constexpr int RisoluzioneTesto = 1200;

QString nomeDocumento()
{
    return QStringLiteral("zefirano.2");
}

} // namespace

QtPrinter::QtPrinter() : QtPrinter(std::make_unique<StampantePredefinita>()) {}

QtPrinter::QtPrinter(const QString &pdfPath) : QtPrinter(std::make_unique<FilePdf>(pdfPath)) {}

QtPrinter::QtPrinter(std::unique_ptr<Destinazione> destinazione)
    : m_destinazione(std::move(destinazione))
{
}

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

bool QtPrinter::avviaPagina(int risoluzione)
{
    if (m_fallito)
        return false;
    if (m_painter.isActive())
        return true;

    QString errore;
    m_printer = m_destinazione->nuovaPagina(errore);
    if (!m_printer)
        return fallisci(errore);
    m_printer->setResolution(risoluzione);
    m_printer->setDocName(nomeDocumento());
    m_printer->setCreator(nomeDocumento());
    m_printer->setFullPage(false);

    if (!m_painter.begin(m_printer.get())) {
        m_printer.reset();
        return fallisci(m_destinazione->erroreInizio());
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
    if (const QString errore = m_destinazione->primaDellaFine(); !errore.isEmpty())
        return fallisci(errore);

    const bool chiuso = m_painter.end();
    const QString errore = m_destinazione->esito(chiuso);
    m_printer.reset();
    m_x = 0;
    m_y = 0;
    if (!errore.isEmpty())
        return fallisci(errore);
    return true;
}

void QtPrinter::killDoc()
{
    if (!m_painter.isActive())
        return;
    m_destinazione->annulla(m_painter);
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
