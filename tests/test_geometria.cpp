#include "Banco.h"

#include "exercise/Operazione.h"
#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/ui/FrmAutore.h"

#include <QStyleOptionComboBox>
#include <QtTest>

#include <memory>

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

// Walks the screen's own table: each control inside its container, each caption whole.
void verificaControlli(Form &f)
{
    for (const ControlDef &def : f.definition().controls) {
        QWidget *w = f.control(def.name);
        const QRect contenitore = w->parentWidget()->rect();
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
        if (auto *l = qobject_cast<QLabel *>(w))
            intera = captionIntera(*l, perche);
        else if (auto *b = qobject_cast<QPushButton *>(w))
            intera = captionIntera(*b, perche);
        else if (auto *c = qobject_cast<QComboBox *>(w))
            intera = captionIntera(*c, perche);
        QVERIFY2(intera, qPrintable(dove(f, def.name) + u": "_qs + perche));
    }
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
            QCOMPARE(b.operativo().label("LblSi")->text(), u"* * * * * * * * * *"_qs);
            QCOMPARE(b.operativo().label("LblTempoTotale")->text(), u"999"_qs);
            verificaControlli(b.operativo());
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
            b.avvia(1, 4, u"Massimiliano Ma"_qs);
            b.esegui(10, 10);
            FrmAttestato &attestato = b.programma.attestato();
            attestato.load();
            dimensiona(attestato, fisici);
            attestato.show();
            QCoreApplication::processEvents();
            QCOMPARE(attestato.label("lblNome")->text(), u"Massimiliano ma"_qs);
            verificaControlli(attestato);
        }
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
            QTest::keyClicks(f.textBox("TxtRisultato"), u"99"_qs);
        else
            QTest::mouseClick(f.picture("Image5"), Qt::LeftButton);

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
        }
    }
};

QTEST_MAIN(TestGeometria)
#include "test_geometria.moc"
