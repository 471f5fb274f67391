#include "Banco.h"

#include "exercise/Operazione.h"
#include "platform/ui/stampa/QtPrinter.h"
#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/ui/FrmAutore.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTreeView>
#include <QtTest>
#ifdef ZEF_SVG
#include <QSvgRenderer>
#endif

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

// Every screen on a school projector and on a 4K panel, at this run's scale factor (CTest runs
// the suite once for each of QT_SCALE_FACTOR 1, 1.5 and 2): controls inside their containers,
// captions whole, and the operations in their order from left to right.

namespace {

// The window that fills a screen of `fisici` device pixels.
QSize finestraPer(QSize fisici)
{
    const qreal dpr = qApp->devicePixelRatio();
    return {qFloor(fisici.width() / dpr), qFloor(fisici.height() / dpr)};
}

QString dove(const Form &f, const char *nome)
{
    return QString::fromUtf8(f.definition().name) + u'.' + QString::fromLatin1(nome);
}

// The width a label's text has, inside its frame and the indent a framed label keeps on the
// side it is aligned to.
int larghezzaUtile(const QLabel &l)
{
    int larghezza = l.contentsRect().width() - 2 * l.margin();
    if (l.frameWidth() > 0 && !(l.alignment() & Qt::AlignHCenter))
        larghezza -= QFontMetrics(l.font()).horizontalAdvance(u'x') / 2;
    return larghezza;
}

// Whether the whole caption shows: on one line within the width, or wrapped within the box.
bool captionIntera(const QLabel &l, QString &perche)
{
    const QFontMetrics fm(l.font());
    const int larghezza = larghezzaUtile(l);
    if (!l.wordWrap()) {
        const int serve = fm.horizontalAdvance(l.text());
        perche = QStringLiteral("%1 px of text in %2 px").arg(serve).arg(larghezza);
        return serve <= larghezza;
    }
    const QRect serve =
        fm.boundingRect(QRect(0, 0, larghezza, 100000), Qt::TextWordWrap | l.alignment(), l.text());
    perche = QStringLiteral("%1x%2 px of text in %3x%4 px")
                 .arg(serve.width())
                 .arg(serve.height())
                 .arg(larghezza)
                 .arg(l.contentsRect().height());
    return serve.width() <= larghezza && serve.height() <= l.contentsRect().height();
}

// A graphical button draws a border of up to 2 px and a padding of 1 px around its caption.
bool captionIntera(const QPushButton &b, QString &perche)
{
    const int serve = QFontMetrics(b.font()).horizontalAdvance(b.text());
    perche = QStringLiteral("%1 px of text in %2 px").arg(serve).arg(b.width() - 6);
    return serve <= b.width() - 6;
}

bool captionIntera(const QComboBox &c, QString &perche)
{
    QStyleOptionComboBox opzioni;
    opzioni.initFrom(&c);
    const int campo =
        c.style()
            ->subControlRect(QStyle::CC_ComboBox, &opzioni, QStyle::SC_ComboBoxEditField, &c)
            .width();
    for (int i = 0; i < c.count(); ++i) {
        const int serve = QFontMetrics(c.font()).horizontalAdvance(c.itemText(i));
        if (serve > campo) {
            perche = QStringLiteral("item %1: %2 px of text in %3 px").arg(i).arg(serve).arg(campo);
            return false;
        }
    }
    return true;
}

QImage inchiostro(QWidget &w);

// Where a label's text is drawn, descenders included: the box of its ink, in its parent's
// pixels.
QRect spanTesto(QLabel &l)
{
    const QImage ink = inchiostro(l);
    const qreal dpr = l.devicePixelRatioF();
    QRect box;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if (ink.pixelIndex(x, y))
                box |= QRect(qFloor(x / dpr), qFloor(y / dpr), 1, 1);
    return box.translated(l.pos());
}

// The sibling that paints over the text of a label, if any: one stacked above it that is not
// itself a transparent label or a rule.
QWidget *copreTesto(QLabel &l)
{
    if (l.text().trimmed().isEmpty())
        return nullptr;
    const QRect testo = spanTesto(l);
    const QObjectList &fratelli = l.parentWidget()->children();
    for (qsizetype i = fratelli.indexOf(&l) + 1; i < fratelli.size(); ++i) {
        auto *sopra = qobject_cast<QWidget *>(fratelli[i]);
        if (!sopra || !sopra->isVisible() || !sopra->geometry().intersects(testo))
            continue;
        const bool trasparente = (qobject_cast<QLabel *>(sopra) && !sopra->autoFillBackground()) ||
                                 qstrcmp(sopra->metaObject()->className(), "Line") == 0;
        if (!trasparente)
            return sopra;
    }
    return nullptr;
}

// Walks the screen's own table: each control inside its container's border, each caption whole
// and uncovered, descenders included.
void verificaControlli(Form &f)
{
    for (const ControlDef &def : f.definition().controls) {
        QWidget *w = f.control(def.name);
        const QRect contenitore = w->parentWidget()->contentsRect();
        QVERIFY2(contenitore.contains(w->geometry()),
                 qPrintable(dove(f, def.name) + QStringLiteral(" at %1,%2 %3x%4 in %5x%6")
                                                    .arg(w->x())
                                                    .arg(w->y())
                                                    .arg(w->width())
                                                    .arg(w->height())
                                                    .arg(contenitore.width())
                                                    .arg(contenitore.height())));
        QString perche;
        bool intera = true;
        if (auto *l = qobject_cast<QLabel *>(w)) {
            intera = captionIntera(*l, perche);
            if (const QWidget *sopra = copreTesto(*l); intera && sopra) {
                intera = false;
                perche = u"text under "_s + sopra->objectName();
            }
        } else if (auto *b = qobject_cast<QPushButton *>(w))
            intera = captionIntera(*b, perche);
        else if (auto *c = qobject_cast<QComboBox *>(w))
            intera = captionIntera(*c, perche);
        QVERIFY2(intera, qPrintable(dove(f, def.name) + u": "_s + perche));
    }
}

QColor coloreTesto(const QWidget &w)
{
    return w.palette().color(qobject_cast<const QLineEdit *>(&w) ? QPalette::Text
                                                                 : QPalette::WindowText);
}

// Whether a pixel is drawn in the text colour, not merely tinted by its edge.
bool inchiostro(QColor c, QColor testo)
{
    return std::abs(c.red() - testo.red()) + std::abs(c.green() - testo.green()) +
               std::abs(c.blue() - testo.blue()) <
           90;
}

// The pixels of a widget drawn in its text colour, as the widget paints itself.
QImage inchiostro(QWidget &w)
{
    const QColor testo = coloreTesto(w);
    const QImage immagine = w.grab().toImage();
    QImage maschera(immagine.size(), QImage::Format_Mono);
    maschera.fill(0);
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            if (inchiostro(immagine.pixelColor(x, y), testo))
                maschera.setPixel(x, y, 1);
    return maschera;
}

// The baseline a widget's text stands on, in its parent's logical pixels, from the lowest row of
// its ink and how far the same text's ink reaches below its baseline when drawn alone. The ink
// is read in device pixels, at the screen's scale factor.
double lineaDiBase(QWidget &w, const QString &testo)
{
    const QImage ink = inchiostro(w);
    const qreal dpr = w.devicePixelRatioF();
    int fondo = -1;
    const QRect dentro = w.contentsRect().adjusted(2, 2, -2, -2);
    for (int y = qRound(dentro.top() * dpr); y < qRound((dentro.bottom() + 1) * dpr); ++y)
        for (int x = qRound(dentro.left() * dpr); x < qRound((dentro.right() + 1) * dpr); ++x)
            if (x < ink.width() && y < ink.height() && ink.pixelIndex(x, y))
                fondo = y;

    const QFontMetrics metriche(w.font());
    QImage prova(qCeil((metriche.horizontalAdvance(testo) + 4) * dpr),
                 qCeil((metriche.height() + 4) * dpr), QImage::Format_RGB32);
    prova.setDevicePixelRatio(dpr);
    prova.fill(
        w.grab().toImage().pixelColor(qRound(dentro.left() * dpr), qRound(dentro.top() * dpr)));
    const int base = metriche.ascent() + 2;
    QPainter pittore(&prova);
    pittore.setFont(w.font());
    pittore.setPen(coloreTesto(w));
    pittore.drawText(QPoint(2, base), testo);
    pittore.end();
    int fondoProva = 0;
    for (int y = 0; y < prova.height(); ++y)
        for (int x = 0; x < prova.width(); ++x)
            if (inchiostro(prova.pixelColor(x, y), coloreTesto(w)))
                fondoProva = y;
    return w.y() + (fondo - fondoProva) / dpr + base;
}

// The columns of a label's ink that cross the given x positions of its parent.
QList<int> attraversate(QWidget &l, const QList<int> &xs)
{
    const QImage ink = inchiostro(l);
    const qreal dpr = l.devicePixelRatioF();
    QList<int> risultato;
    for (int x : xs) {
        const int da = qRound((x - l.x()) * dpr);
        bool attraversa = false;
        for (int colonna = da; colonna < qRound((x - l.x() + 1) * dpr); ++colonna)
            for (int y = 0; colonna >= 0 && colonna < ink.width() && y < ink.height(); ++y)
                attraversa = attraversa || ink.pixelIndex(colonna, y);
        if (attraversa)
            risultato.append(x);
    }
    return risultato;
}

// A maximised window takes the screen's size; the offscreen screen is smaller than either.
void dimensiona(Form &f, QSize fisici)
{
    f.window()->setWindowState(Qt::WindowNoState);
    f.window()->setGeometry(QRect(QPoint(0, 0), finestraPer(fisici)));
    QCoreApplication::processEvents();
    QCOMPARE(f.window()->size(), finestraPer(fisici));
}

// The script that makes the next operation of the mixed activity, range 60..99, be of type
// `tipo` with a = 45 and b = 54: the largest numbers the range shows, 100 among them. The screen
// draws the addends once before the type and once after it.
void copione(ScriptedRandom &random, int tipo)
{
    const double a = (45 - 15 + 0.5) / 45.0;
    const double b = (54 - 15 + 0.5) / 45.0;
    for (double r : {a, b, (tipo - 0.5) / 12.0, a, b})
        random.script.push_back(r);
}

// The sheet of the certificate's parchment: where pergamena.svg draws it, x 46..443 and y 40..606
// of its 489 x 639, over the picture's rectangle.
QRectF foglio(const QWidget &pergamena)
{
    const QRectF r = pergamena.geometry();
    return {r.left() + r.width() * 46 / 489, r.top() + r.height() * 40 / 639,
            r.width() * (443 - 46) / 489, r.height() * (606 - 40) / 639};
}

// The lines a label's caption takes as it shows.
int righe(const QLabel &l)
{
    if (!l.wordWrap())
        return 1;
    const QFontMetrics fm(l.font());
    const QRect serve = fm.boundingRect(QRect(0, 0, larghezzaUtile(l), 100000),
                                        Qt::TextWordWrap | l.alignment(), l.text());
    return qRound(serve.height() / double(fm.lineSpacing()));
}

// The middle of each run of ink across a label, runs closer than a blank taken as one: the
// digits of a number, the stars of a row.
QList<double> centriInchiostro(QLabel &l)
{
    const QImage ink = inchiostro(l);
    const qreal dpr = l.devicePixelRatioF();
    const double spazio = QFontMetricsF(l.font()).horizontalAdvance(u' ') * dpr;
    QList<std::pair<int, int>> corse;
    for (int x = 0; x < ink.width(); ++x) {
        bool c = false;
        for (int y = 0; y < ink.height() && !c; ++y)
            c = ink.pixelIndex(x, y);
        if (!c)
            continue;
        if (!corse.isEmpty() && x - corse.last().second <= spazio)
            corse.last().second = x;
        else
            corse.append({x, x});
    }
    QList<double> centri;
    for (const auto &[da, a] : corse)
        centri.append(l.x() + (da + a + 1) / 2.0 / dpr);
    return centri;
}

} // namespace

class TestGeometria : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

private slots:
    void init() { banco = std::make_unique<Banco>(); }
    void cleanup() { banco.reset(); }

    void schermo_keepsEveryControlInsideAndEveryCaptionWhole_data()
    {
        QTest::addColumn<QString>("schermo");
        QTest::addColumn<QSize>("fisici");
        for (const char *schermo :
             {"FrmInizio1", "FrmAutore", "frmOperativoPiu", "FrmStampaPiu", "FrmAttestato"}) {
            for (QSize fisici : {QSize(1024, 768), QSize(3840, 2160)})
                QTest::addRow("%s %dx%d", schermo, fisici.width(), fisici.height())
                    << QString::fromLatin1(schermo) << fisici;
        }
    }
    // Each screen is sized first and filled afterwards, as a child fills it, so that captions
    // set after the layout are checked as well as the designed ones.
    void schermo_keepsEveryControlInsideAndEveryCaptionWhole()
    {
        QFETCH(QString, schermo);
        QFETCH(QSize, fisici);
        Banco &b = *banco;
        if (schermo == u"FrmInizio1") {
            b.programma.avvia();
            dimensiona(b.programma.inizio(), fisici);
            verificaControlli(b.programma.inizio());
            // The two credits stand on one line.
            FrmInizio1 &inizio = b.programma.inizio();
            const double ideazione =
                lineaDiBase(*inizio.control("Label3"), inizio.label("Label3")->text());
            const double autore =
                lineaDiBase(*inizio.control("Label5"), inizio.label("Label5")->text());
            QVERIFY2(std::abs(ideazione - autore) <= 1.0,
                     qPrintable(QStringLiteral("%1 and %2").arg(ideazione).arg(autore)));
        } else if (schermo == u"FrmAutore") {
            FrmAutore &autore = b.programma.autore();
            autore.show();
            QVERIFY(autore.window()->width() <= finestraPer(fisici).width());
            QVERIFY(autore.window()->height() <= finestraPer(fisici).height());
            verificaControlli(autore);
        } else if (schermo == u"frmOperativoPiu") {
            b.avvia(2, 4);
            dimensiona(b.operativo(), fisici);
            for (int i = 0; i < 10; ++i) {
                if (i > 0)
                    b.avanti();
                b.rispondi(true, 140);
            }
            QCOMPARE(b.operativo().label("LblSi")->text(), u"* * * * * * * * * *"_s);
            QCOMPARE(b.operativo().label("LblTempoTotale")->text(), u"999"_s);
            verificaControlli(b.operativo());
            // No heading word of ELABORAZIONE crosses a rule between its columns.
            QList<int> regole;
            for (const char *linea : {"Line1", "Line2", "Line4"})
                regole.append(b.operativo().control(linea)->geometry().center().x());
            for (const char *titolo : {"Label5", "Label4"})
                QVERIFY2(attraversate(*b.operativo().control(titolo), regole).isEmpty(), titolo);
            // Labels of one face keep one size: a caption uses the room beside it first.
            for (const char *fratello : {"Label8", "Label6"})
                QCOMPARE(b.operativo().label(fratello)->font().pixelSize(),
                         b.operativo().label("Label7")->font().pixelSize());
        } else if (schermo == u"FrmStampaPiu") {
            b.avvia(2, 4);
            for (int i = 1; i <= 40; ++i) {
                if (i > 1)
                    b.avanti();
                b.rispondi(i % 2 == 0, 100 + i);
            }
            FrmStampaPiu &stampa = b.programma.stampa();
            QVERIFY(stampa.isLoaded());
            dimensiona(stampa, fisici);
            verificaControlli(stampa);
        } else {
            b.avvia(1, 4, u"Massimiliano Ma"_s);
            b.esegui(10, 10);
            FrmAttestato &attestato = b.programma.attestato();
            attestato.load();
            dimensiona(attestato, fisici);
            attestato.show();
            QCoreApplication::processEvents();
            QCOMPARE(attestato.label("lblNome")->text(), u"Massimiliano ma"_s);
            verificaControlli(attestato);
        }
    }

    void attestato_testiSullaPergamena_data()
    {
        QTest::addColumn<int>("attivita");
        QTest::addColumn<QString>("nome");
        QTest::newRow("number") << 0 << u"Massimiliano Ma"_s;
        QTest::newRow("sign") << 1 << u"Massimiliano Ma"_s;
        QTest::newRow("mixed") << 2 << u"Massimiliano Ma"_s;
        QTest::newRow("mixed, the widest name the box takes") << 2 << u"wmmmmmmmmmmmmmm"_s;
    }
    // Every text of the certificate stays on the parchment's sheet, at every size, and each
    // caption takes as many lines at one size as at any other.
    void attestato_testiSullaPergamena()
    {
        QFETCH(int, attivita);
        QFETCH(QString, nome);
        Banco &b = *banco;
        b.avvia(attivita, 5, nome);
        b.esegui(10, 9);
        b.avanti();
        FrmAttestato &attestato = b.programma.attestato();
        attestato.load();
        QHash<QString, int> righePrima;
        for (QSize fisici :
             {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
            dimensiona(attestato, fisici);
            attestato.show();
            QCoreApplication::processEvents();
            const QRectF sheet = foglio(*attestato.control("Image1"));
            for (QLabel *l : attestato.control("Frame1")->findChildren<QLabel *>()) {
                const QString chi =
                    l->objectName() +
                    QStringLiteral(" at %1x%2: ").arg(fisici.width()).arg(fisici.height());
                QVERIFY2(!l->text().trimmed().isEmpty(), qPrintable(chi + u"empty"_s));
                const QRect testo = spanTesto(*l);
                QVERIFY2(sheet.contains(QRectF(testo)),
                         qPrintable(chi + QStringLiteral("text %1..%2 on a sheet %3..%4")
                                              .arg(testo.left())
                                              .arg(testo.right())
                                              .arg(sheet.left())
                                              .arg(sheet.right())));
                const int n = righe(*l);
                QVERIFY2(righePrima.value(l->objectName(), n) == n,
                         qPrintable(chi + QString::number(n) + u" lines"_s));
                righePrima.insert(l->objectName(), n);
            }
            // The instruction, on one line or two, in the face of the range below it.
            QCOMPARE(attestato.label("lblObiettivo3")->font().pixelSize(),
                     attestato.label("lblObiettivo2")->font().pixelSize());
        }
        // On paper too: the instruction's words as tall as the range's.
        QTemporaryDir cartella;
        const QString pdf = cartella.filePath(u"attestato.pdf"_s);
        QtPrinter carta(pdf);
        QVERIFY2(carta.printForm(attestato.control("Frame1")) && carta.endDoc(),
                 qPrintable(carta.errore()));
        QProcess testo;
        testo.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
        if (!testo.waitForFinished(60000) || testo.exitCode() != 0)
            QSKIP("pdftotext is not installed");
        const QString html = QString::fromUtf8(testo.readAllStandardOutput());
        const auto altezza = [&html](const QString &parola) {
            const auto m =
                QRegularExpression(uR"x(yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">)x"_s +
                                   parola + u"<"_s)
                    .match(html);
            return m.captured(2).toDouble() - m.captured(1).toDouble();
        };
        QVERIFY(altezza(u"Numeri"_s) > 0);
        QCOMPARE(qRound(altezza(u"Calcola"_s) * 10), qRound(altezza(u"Numeri"_s) * 10));
    }

    void stelle_sottoLeCifre_data()
    {
        QTest::addColumn<QSize>("fisici");
        for (QSize fisici : {QSize(1024, 768), QSize(1920, 1080), QSize(3840, 2160)})
            QTest::addRow("%dx%d", fisici.width(), fisici.height()) << fisici;
    }
    // Each star of the right and of the wrong answers stands under its digit of the 1..10 ruler.
    void stelle_sottoLeCifre()
    {
        QFETCH(QSize, fisici);
        Banco &b = *banco;
        b.avvia(0, 0);
        frmOperativoPiù &f = b.operativo();
        dimensiona(f, fisici);
        b.esegui(10, 10);
        const QList<double> cifre = centriInchiostro(*f.label("LblContatore"));
        const QList<double> stelle = centriInchiostro(*f.label("LblSi"));
        QCOMPARE(cifre.size(), 10);
        QCOMPARE(stelle.size(), 10);
        for (int k = 0; k < 10; ++k)
            QVERIFY2(std::abs(stelle[k] - cifre[k]) <= 1.5,
                     qPrintable(QStringLiteral("star %1 at %2, digit at %3")
                                    .arg(k + 1)
                                    .arg(stelle[k])
                                    .arg(cifre[k])));
    }

    void riquadro_inScalaColloSchermo_data()
    {
        QTest::addColumn<QSize>("fisici");
        for (QSize fisici : {QSize(1024, 768), QSize(3840, 2160)})
            QTest::addRow("%dx%d", fisici.width(), fisici.height()) << fisici;
    }
    // A message box's text is as large, against the screen it comes over, as the screen's own.
    void riquadro_inScalaColloSchermo()
    {
        QFETCH(QSize, fisici);
        Banco &b = *banco;
        b.avvia(0, 0);
        frmOperativoPiù &f = b.operativo();
        dimensiona(f, fisici);
        f.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        int pixel = 0;
        QTimer::singleShot(0, [&pixel] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (auto *testo = box->findChild<QLabel *>(u"qt_msgbox_label"_s))
                pixel = QFontInfo(testo->font()).pixelSize();
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                         : box->buttons().first()->click();
        });
        QtMessageBox().msgBox(u"Hai dimenticato il risultato"_s, 0, u"distrazione"_s);
        // Never smaller than the desktop's own face, where a screen is smaller than designed.
        const double atteso =
            QFontInfo(QApplication::font()).pixelSize() * std::max(1.0, f.scale());
        QVERIFY2(std::abs(pixel - atteso) <= 1.0,
                 qPrintable(QStringLiteral("%1 px at a scale of %2").arg(pixel).arg(f.scale())));
    }

    void dialogoPdf_inScalaColloSchermo_data() { riquadro_inScalaColloSchermo_data(); }
    // The PDF file dialog at the scale of the screen it comes over: every column shows its whole
    // heading, and the suggested name shows whole, from its first letter.
    void dialogoPdf_inScalaColloSchermo()
    {
        QFETCH(QSize, fisici);
        // The dialog's folder and the sizes Qt keeps of it, in a home of the test's own.
        QTemporaryDir casa;
        const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(casa.path()));
        qunsetenv("XDG_CONFIG_HOME");
        const auto ripristina = qScopeGuard([&] {
            qputenv("HOME", home);
            if (!config.isEmpty())
                qputenv("XDG_CONFIG_HOME", config);
        });
        Banco &b = *banco;
        b.avvia(0, 0);
        frmOperativoPiù &f = b.operativo();
        dimensiona(f, fisici);
        QStringList tagliati;
        QTimer::singleShot(0, [&tagliati] {
            auto *dialogo = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialogo) {
                tagliati << u"no dialog"_s;
                return;
            }
            const QHeaderView *colonne = dialogo->findChild<QTreeView *>()->header();
            for (int i = 1; i < colonne->count(); ++i) // the name's takes the rest
                if (!colonne->isSectionHidden(i) &&
                    colonne->sectionSize(i) < colonne->sectionSizeHint(i))
                    tagliati << colonne->model()->headerData(i, Qt::Horizontal).toString();
            const auto *nome = dialogo->findChild<QLineEdit *>(u"fileNameEdit"_s);
            QStyleOptionFrame opzione;
            opzione.initFrom(nome);
            const QRect testo =
                nome->style()->subElementRect(QStyle::SE_LineEditContents, &opzione, nome);
            if (nome->fontMetrics().horizontalAdvance(nome->text()) > testo.width() - 4 &&
                nome->cursorPosition() != 0)
                tagliati << nome->text();
            dialogo->reject();
        });
        QtSaveDialog().chiediFilePdf(f.window(), u"Operazioni di Massimiliano.pdf"_s);
        QVERIFY2(tagliati.isEmpty(), qPrintable(tagliati.join(u", ")));
    }

#ifdef ZEF_SVG
    void disegno_looksAsItsSvg_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QSize>("area");
        for (const char *nome : {"inizio", "uguale", "minore", "maggiore", "zefirano"})
            QTest::newRow(nome) << QString::fromLatin1(nome) << QSize(300, 300);
        QTest::newRow("pergamena, as the certificate shows it")
            << u"pergamena"_s << QSize(489, 639);
    }
    // The program draws each picture from the recording the build makes of its SVG: the same
    // picture, over the same area.
    void disegno_looksAsItsSvg()
    {
        QFETCH(QString, nome);
        QFETCH(QSize, area);
        QImage svg(area, QImage::Format_ARGB32);
        svg.fill(Qt::white);
        QPainter pittore(&svg);
        QSvgRenderer(QStringLiteral(ZEF_ASSETS "/") + nome + u".svg"_s).render(&pittore);
        pittore.end();
        QImage disegno(area, QImage::Format_ARGB32);
        disegno.fill(Qt::white);
        pittore.begin(&disegno);
        disegna(pittore, u":/"_s + nome + u".pic"_s, QRect(QPoint(), area));
        pittore.end();
        int diversi = 0;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                diversi += std::abs(qGray(svg.pixel(x, y)) - qGray(disegno.pixel(x, y))) > 8;
        QVERIFY2(diversi < area.width() * area.height() / 1000,
                 qPrintable(QString::number(diversi)));
    }
#endif

    void placement_centresAndFillsTheAvailableArea_data()
    {
        QTest::addColumn<QString>("schermo");
        for (const char *schermo : {"frmOperativoPiu", "FrmStampaPiu", "FrmAttestato"})
            QTest::newRow(schermo) << QString::fromLatin1(schermo);
    }
    // The exercise screen, the report and the certificate open in the middle of the screen, as
    // large as their proportions let them be.
    void placement_centresAndFillsTheAvailableArea()
    {
        QFETCH(QString, schermo);
        Banco &b = *banco;
        b.avvia(0, 0);
        b.esegui(10, 10);
        Form *f = &b.operativo();
        if (schermo == u"FrmStampaPiu")
            f = &b.programma.stampa();
        else if (schermo == u"FrmAttestato")
            f = &b.programma.attestato();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->window()));
        // Under a window manager the window knows its frame once mapped, and may move for it.
        const QRect disponibile = f->window()->screen()->availableGeometry();
        QRect finestra;
        const auto dentro = [&] {
            finestra = f->window()->frameGeometry();
            return disponibile.contains(finestra) &&
                   std::abs(finestra.center().x() - disponibile.center().x()) <= 1 &&
                   std::abs(finestra.center().y() - disponibile.center().y()) <= 1 &&
                   (finestra.width() >= disponibile.width() - 2 ||
                    finestra.height() >= disponibile.height() - 2);
        };
        QTRY_VERIFY2_WITH_TIMEOUT(dentro(),
                                  qPrintable(QStringLiteral("%1,%2 %3x%4 in %5,%6 %7x%8")
                                                 .arg(finestra.x())
                                                 .arg(finestra.y())
                                                 .arg(finestra.width())
                                                 .arg(finestra.height())
                                                 .arg(disponibile.x())
                                                 .arg(disponibile.y())
                                                 .arg(disponibile.width())
                                                 .arg(disponibile.height())),
                                  2000);
    }

    void ordine_keepsThePlacesLeftToRightWithoutOverlap_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QSize>("fisici");
        for (QSize fisici : {QSize(1024, 768), QSize(3840, 2160)}) {
            for (const TipoOp &t : tipiOp)
                QTest::addRow("type %d %dx%d", t.numero, fisici.width(), fisici.height())
                    << t.numero << fisici;
        }
    }
    // The places of an operation keep their order on screen, and their captions, the longest
    // the range gives, neither touch one another nor leave their frame.
    void ordine_keepsThePlacesLeftToRightWithoutOverlap()
    {
        QFETCH(int, tipo);
        QFETCH(QSize, fisici);
        Banco &b = *banco;
        copione(b.random, tipo);
        b.avvia(2, 4);
        QCOMPARE(b.stato.TipoOperazione, tipo);
        frmOperativoPiù &f = b.operativo();
        dimensiona(f, fisici);
        const TipoOp &t = *tipoOp(tipo);
        if (t.gruppo == Gruppo::Numero)
            QTest::keyClicks(f.textBox("TxtRisultato"), u"99"_s);
        else
            QTest::mouseClick(f.picture("Image5"), Qt::LeftButton);

        if (QWidget *fuoco = QApplication::focusWidget())
            fuoco->clearFocus(); // the text cursor is not ink of the text
        QList<double> linee;
        int sinistraPrima = -1;
        double finePrima = 0;
        for (const Posto &p : t.posti) {
            const char *nome = frmOperativoPiù::nome(p.controllo);
            QWidget *w = f.control(nome);
            const QString testo = qobject_cast<QLabel *>(w) ? qobject_cast<QLabel *>(w)->text()
                                                            : qobject_cast<QLineEdit *>(w)->text();
            QVERIFY2(!testo.isEmpty(), nome);
            QVERIFY2(w->x() > sinistraPrima, nome);
            const double largo = QFontMetricsF(w->font()).horizontalAdvance(testo);
            const double centro = w->geometry().center().x() + 0.5;
            QVERIFY2(largo <= w->width(), nome);
            QVERIFY2(centro - largo / 2 >= finePrima, nome);
            QVERIFY2(centro + largo / 2 <= w->parentWidget()->width(), nome);
            sinistraPrima = w->x();
            finePrima = centro + largo / 2;
            linee.append(lineaDiBase(*w, testo));
        }
        // The numbers, the answer and the operators stand on one baseline.
        const auto [bassa, alta] = std::minmax_element(linee.begin(), linee.end());
        QVERIFY2(*alta - *bassa <= 1.0, qPrintable(u"baselines "_s + QString::number(*bassa) +
                                                   u".."_s + QString::number(*alta)));
    }
};

QTEST_MAIN(TestGeometria)
#include "test_geometria.moc"
