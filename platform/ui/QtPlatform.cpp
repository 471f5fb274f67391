#include "platform/ui/QtPlatform.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Facce.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormTable.h"
#include "platform/ui/UnaPressione.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTime>
#include <QTranslator>

#include <algorithm>
#include <cmath>

namespace {
// Makes a message box wide enough for its whole title, as a window manager draws it with its
// buttons beside it. Call it last: setting the icon lays the box out anew.
void allargaPerIlTitolo(QMessageBox &box)
{
    auto *griglia = qobject_cast<QGridLayout *>(box.layout());
    if (!griglia)
        return;
    QFont titolo = QApplication::font();
    titolo.setBold(true);
    const int largo = QFontMetrics(titolo).horizontalAdvance(box.windowTitle()) + 120;
    griglia->addItem(new QSpacerItem(largo, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                     griglia->rowCount(), 0, 1, griglia->columnCount());
}

// A dialog over a screen takes the program's face at the screen's scale: it is as large against
// the screen as the screen's own texts, on a projector as on a 4K panel.
void inScala(QWidget &dialogo, QWidget *schermo)
{
    const auto *finestra = qobject_cast<const FormWindow *>(schermo);
    if (!finestra)
        return;
    QFont carattere = QApplication::font();
    const double pixel = QFontInfo(carattere).pixelSize() * std::max(1.0, finestra->scala());
    carattere.setPixelSize(std::max(1, static_cast<int>(std::lround(pixel))));
    dialogo.setFont(carattere);
}

// Qt's file dialog lays itself out for the desktop's face and for English headings, and takes
// back the sizes of its last opening. It grows with a larger face, within the screen; its side
// bar and every column but the name's are as wide as what they show needs, Italian headings
// included, and the name's column takes the rest.
void allargaAlCarattere(QFileDialog &dialogo, QSize naturale)
{
    const double fattore =
        QFontInfo(dialogo.font()).pixelSize() / double(QFontInfo(QApplication::font()).pixelSize());
    if (fattore > 1.0) {
        QSize misura = naturale * fattore;
        if (const QScreen *schermo = dialogo.screen())
            misura = misura.boundedTo(schermo->availableGeometry().size() * 0.9);
        dialogo.resize(misura);
    }
    auto *lati = dialogo.findChild<QSplitter *>(QStringLiteral("splitter"));
    auto *segnalibri = dialogo.findChild<QAbstractItemView *>(QStringLiteral("sidebar"));
    if (lati && segnalibri && lati->count() == 2) {
        const int largo = segnalibri->sizeHintForColumn(0) + 2 * segnalibri->frameWidth() +
                          segnalibri->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        lati->setSizes({largo, std::max(1, dialogo.width() - largo)});
    }
    for (QHeaderView *colonne : dialogo.findChildren<QHeaderView *>()) {
        for (int i = 1; i < colonne->count(); ++i)
            colonne->setSectionResizeMode(i, QHeaderView::ResizeToContents);
        colonne->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    // A name longer than its field shows from its first letter, still all chosen, so that
    // typing replaces it.
    if (auto *nome = dialogo.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))) {
        const auto lungo = static_cast<int>(nome->text().size());
        nome->setSelection(lungo, -lungo);
    }
}

// A message box of the program. A question (Yes/No) has no Cancel: only "Sì" and "No" answer
// it. Escape does nothing, and the window's frame offers no way to close it (a close request is
// refused).
class Riquadro final : public QMessageBox
{
public:
    Riquadro(QWidget *parent, bool domanda) : QMessageBox(parent), m_domanda(domanda)
    {
        if (domanda)
            setWindowFlags((windowFlags() & ~Qt::WindowCloseButtonHint) | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_domanda && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        if (m_domanda)
            event->ignore();
        else
            QMessageBox::closeEvent(event);
    }

private:
    bool m_domanda;
};

// Qt's dialog adds a suffix only to a name without any dot, and asks before replacing a file of
// the name as typed. This one adds ".pdf" to every name that lacks it before it asks, so that
// the question is about the file that will be written, in the program's own Yes/No box.
class DialogoPdf final : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    QString scelto() const { return m_scelto; }

    void accept() override
    {
        const QString nome = selectedFiles().value(0);
        if (nome.isEmpty() || QFileInfo(nome).isDir()) {
            QFileDialog::accept(); // into the folder
            return;
        }
        const QString file = conEstensionePdf(nome);
        if (QFileInfo::exists(file) &&
            QtMessageBox().msgBox(QStringLiteral("Il file «%1» esiste già.\nVuoi sostituirlo?")
                                      .arg(QFileInfo(file).fileName()),
                                  MessageBox::SiNoInformazione, windowTitle()) != MessageBox::Si)
            return;
        m_scelto = file;
        QDialog::accept();
    }

private:
    QString m_scelto;
};
} // namespace

int QtMessageBox::msgBox(const QString &prompt, int style, const QString &title)
{
    return msgBoxConPremessa(QString(), prompt, style, title);
}

int QtMessageBox::msgBoxConPremessa(const QString &premessa, const QString &prompt, int style,
                                    const QString &title)
{
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    const bool domanda = style == SiNoInformazione;
    Riquadro box(QApplication::activeWindow(), domanda);
    inScala(box, box.parentWidget());
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    if (!premessa.isEmpty())
        if (auto *testo = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
            testo->setAccessibleName(premessa + QStringLiteral(". ") + text);

    if (domanda) {
        box.setIcon(QMessageBox::Information);
        QPushButton *yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        allargaPerIlTitolo(box);
        box.exec();
        return box.clickedButton() == yes ? Si : No;
    }
    box.setIcon(QMessageBox::NoIcon);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    allargaPerIlTitolo(box);
    box.exec();
    return Ok;
}

double QtClock::timer()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

double QtClock::monotonic()
{
    return static_cast<double>(m_avvio.nsecsElapsed()) / 1e9;
}

QDate QtClock::today()
{
    return QDate::currentDate();
}

void QtBeeper::beep()
{
    QApplication::beep();
}

void QtEnder::end()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

QString QtSaveDialog::chiediFilePdf(QWidget *parent, const QString &suggested)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(folder);
    // Qt's own dialog speaks the program's Italian; a desktop's would follow the system's
    // language.
    DialogoPdf dialogo(parent, QStringLiteral("Salva come PDF"), QDir(folder).filePath(suggested),
                       QStringLiteral("Documenti PDF (*.pdf)"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    const QSize naturale = dialogo.sizeHint();
    inScala(dialogo, parent ? parent->window() : nullptr);
    allargaAlCarattere(dialogo, naturale);
    if (dialogo.exec() != QDialog::Accepted)
        return {};
    return dialogo.scelto();
}

namespace {
// A standard icon of the style, fetched only when it is first drawn: most are never drawn (the
// menu bar's overflow button, for one), and fetching one loads the image plugins.
class IconaPigra final : public QIconEngine
{
public:
    IconaPigra(const QStyle *stile, QStyle::StandardPixmap quale, const QWidget *widget)
        : m_stile(stile), m_quale(quale), m_widget(widget)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        vera().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return vera().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return vera().actualSize(size, mode, state);
    }
    QIconEngine *clone() const override { return new IconaPigra(*this); }
    bool isNull() override { return false; }

private:
    const QIcon &vera()
    {
        if (!m_caricata) {
            m_vera = m_stile->standardIcon(m_quale, nullptr, m_widget);
            m_caricata = true;
        }
        return m_vera;
    }

    const QStyle *m_stile;
    QStyle::StandardPixmap m_quale;
    QPointer<const QWidget> m_widget;
    QIcon m_vera;
    bool m_caricata = false;
};

// The program's style: Fusion, with its standard icons fetched when first drawn and the frame of
// a titled group drawn by the painter rather than from one of its pictures, so that showing a
// screen loads no image plugin.
class Stile final : public QProxyStyle
{
public:
    explicit Stile(QStyle *base) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap quale, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        if (option)
            return QProxyStyle::standardIcon(quale, option, widget);
        return QIcon(new IconaPigra(baseStyle(), quale, widget));
    }

    // The menu bar's entry that the keyboard has reached (Alt alone, or Left and Right from
    // there) shows as an open one does: Fusion marks it only once its menu is open.
    void drawControl(ControlElement elemento, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        if (elemento == CE_MenuBarItem && (option->state & State_Selected) &&
            (option->state & State_HasFocus) && !(option->state & State_Sunken)) {
            if (const auto *voce = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
                QStyleOptionMenuItem raggiunta(*voce);
                raggiunta.state |= State_Sunken;
                QProxyStyle::drawControl(elemento, &raggiunta, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(elemento, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement elemento, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        if (elemento != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(elemento, option, painter, widget);
            return;
        }
        // Below the title, as Fusion draws it.
        const auto *gruppo = qobject_cast<const QGroupBox *>(widget);
        const int margine = 2;
        const int sopra = gruppo && !gruppo->isCheckable() && gruppo->title().isEmpty()
                              ? margine
                              : std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                         option->fontMetrics.height()) +
                                    margine;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(option->palette.color(QPalette::Window).darker(140));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, sopra + 0.5, -0.5, -0.5), 2, 2);
        painter->restore();
    }
};
} // namespace

void installaPiattaforma(QApplication &app)
{
    app.installEventFilter(new UnaPressione(&app));

    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Qt's texts that the screens can show (dialog buttons, the text boxes' menu) are all in
    // qtbase; the qt_it catalogue would load it a second time, and the multimedia texts too.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;

    for (const Sostituto &s : sostituti) {
        const QString progettata = QString::fromUtf16(s.progettata);
        const QString disegnata = facciaDisegnata(s.progettata);
        if (disegnata != progettata)
            QFont::insertSubstitution(progettata, disegnata);
    }
    // Menus and message boxes in the screens' own face, as the designed system had them, rather
    // than in whatever face a machine prefers: the menu bar's height, and so the room left to
    // each screen, is then the same on every machine.
    QFont interfaccia = QApplication::font();
    interfaccia.setFamily(facciaDisegnata(u"Arial"));
    QApplication::setFont(interfaccia);
    // Windows gives menus and message boxes faces of their own, which the one above leaves.
    for (const char *classe : {"QMenuBar", "QMenu", "QMessageBox"})
        QApplication::setFont(interfaccia, classe);

    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new Stile(fusion));

    // Drawn from its recording: an icon read from a file would load the image plugins.
    QPixmap icona(64, 64);
    icona.fill(Qt::transparent);
    QPainter pittore(&icona);
    pittore.setRenderHint(QPainter::Antialiasing);
    disegna(pittore, QStringLiteral(":/zefirano.pic"), icona.rect());
    pittore.end();
    QApplication::setWindowIcon(QIcon(icona));
}
