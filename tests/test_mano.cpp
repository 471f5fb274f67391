#include "Banco.h"
#include "app/Programma.h"
#include "exercise/ui/frmOperativoPiu.h"
#include "platform/Platform.h"
#include "platform/doubles/Doubles.h"
#include "platform/doubles/RecordingPrinter.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QtPlatform.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/Attivita.h"
#include "session/SessionState.h"
#include "session/ui/FrmInizio1.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

// A child's hand on a real keyboard and mouse: the program on a virtual X server with a window
// manager, keys held down through XTest while the server repeats them itself, and double clicks
// at the buttons' centres. The machine is kept busy during each hold, as a slow computer is,
// so that the repeats reach the program while it is opening a box or a screen.

namespace {

// Starts a process and waits for it, the event loop running meanwhile.
bool esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForStarted())
        return false;
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 20000)
        QTest::qWait(20);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestMano : public QObject
{
    Q_OBJECT

    struct Riquadro
    {
        QString testo;
        bool restato; // still up after the key was let go, and answered by the test
    };

    std::unique_ptr<Banco> p;
    QList<Riquadro> riquadri;
    QList<const QWidget *> visti;
    QElapsedTimer lasciato; // since the held key was let go
    QTimer sorveglianza;

    // A fresh program. Whether the X server's repeats reach the program flagged as repeats
    // depends on timing, so a hold is tried a few times, each on a fresh program.
    static constexpr int prove = 3;
    void nuovo()
    {
        p.reset();
        p = std::make_unique<Banco>(1, Banco::Riquadri::Veri);
        riquadri.clear();
        visti.clear();
        lasciato.invalidate();
    }

    frmOperativoPiù &operativo() { return p->programma.operativo(); }
    bool visibile(const char *nome) { return operativo().control(nome)->isVisible(); }

    void avvia(int attivita)
    {
        p->programma.avvia();
        FrmInizio1 &inizio = p->programma.inizio();
        QVERIFY(QTest::qWaitForWindowActive(inizio.window()));
        inizio.textBox("txtNome")->setText(u"Ada"_s);
        QTest::keyClick(inizio.textBox("txtNome"), Qt::Key_Return);
        inizio.combo("Combo1")->setCurrentIndex(attivita);
        QTest::mouseClick(inizio.button(intervalli[0].pulsante), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(operativo().window()));
    }

    // Types the right answer of a number operation, without Enter.
    void digita()
    {
        QTest::keyClicks(operativo().textBox("TxtRisultato"), p->stato.RispostaEsatta);
    }

    // Answers n operations right, going on after each: the (n+1)th is on screen.
    void rispondi(int n)
    {
        for (int i = 0; i < n; ++i) {
            digita();
            QTest::keyClick(operativo().textBox("TxtRisultato"), Qt::Key_Return);
            const char *avanti = visibile("CmdOperazione") ? "CmdOperazione" : "CmdEsercizio";
            QTest::mouseClick(operativo().button(avanti), Qt::LeftButton);
        }
    }

    // Holds the key (an X keysym name) down for ms milliseconds through XTest, with two busy
    // loops running, then waits for the program to settle.
    void tieni(const QString &tasto, int ms = 1500)
    {
        QTest::qWait(300);
        QList<QProcess *> carichi;
        for (int i = 0; i < 4; ++i) {
            auto *carico = new QProcess(this);
            carico->start(u"sh"_s, {u"-c"_s, u"while :; do :; done"_s});
            carichi.append(carico);
        }
        lasciato.invalidate();
        QProcess mano;
        connect(&mano, &QProcess::finished, this, [this] { lasciato.start(); });
        mano.start(u"sh"_s, {u"-c"_s, u"xdotool keydown %1; sleep %2; xdotool keyup %1"_s.arg(
                                          tasto, QString::number(ms / 1000.0))});
        QVERIFY(mano.waitForStarted());
        QElapsedTimer t;
        t.start();
        while ((mano.state() != QProcess::NotRunning || lasciato.elapsed() < 800) &&
               t.elapsed() < ms + 20000)
            QTest::qWait(20);
        for (QProcess *carico : carichi) {
            carico->kill();
            carico->waitForFinished();
            delete carico;
        }
        QVERIFY(mano.exitCode() == 0);
    }

    void doppioClic(QWidget *w)
    {
        const QPoint centro = w->mapToGlobal(w->rect().center());
        QVERIFY(esegui(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(centro.x()),
                                      QString::number(centro.y())}));
        QTest::qWait(300);
        lasciato.start();
        QVERIFY(esegui(u"xdotool"_s,
                       {u"click"_s, u"--repeat"_s, u"2"_s, u"--delay"_s, u"120"_s, u"1"_s}));
        QTest::qWait(800);
    }

private slots:
    void initTestCase()
    {
        // Every box is noted; one still up once the key has been let go for 600 ms is answered
        // with its default button, as a child who reads it would.
        sorveglianza.setInterval(30);
        connect(&sorveglianza, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (!visti.contains(box)) {
                visti.append(box);
                riquadri.append({box->text(), false});
            }
            if (lasciato.isValid() && lasciato.elapsed() > 600 && box->defaultButton()) {
                riquadri.last().restato = true;
                box->defaultButton()->click();
            }
        });
        sorveglianza.start();
    }

    void init() { nuovo(); }
    void cleanup() { p.reset(); }

    void heldEnter_afterTheName_acceptsItAndNothingMore()
    {
        for (int i = 0; i < prove && !QTest::currentTestFailed(); ++i)
            dopoIlNome();
    }

private:
    void dopoIlNome()
    {
        nuovo();
        p->programma.avvia();
        FrmInizio1 &inizio = p->programma.inizio();
        QVERIFY(QTest::qWaitForWindowActive(inizio.window()));
        inizio.textBox("txtNome")->setFocus();
        QVERIFY(esegui(u"xdotool"_s, {u"type"_s, u"Ada"_s}));
        tieni(u"Return"_s);
        QVERIFY(inizio.control("Frame3")->isHidden());
        QCOMPARE(p->stato.NomeAlunno, u"Ada"_s);
        QVERIFY(inizio.window()->isVisible());
        QCOMPARE(riquadri.size(), 0);
        QCOMPARE(p->stato.NumeroOperazione, 0);
    }

private slots:
    void heldEnter_onAnAnswer_leavesTheVerdict_data()
    {
        QTest::addColumn<QString>("tasto");
        QTest::addColumn<int>("prima"); // operations answered before
        QTest::addColumn<QString>("offerto");
        QTest::newRow("first answer, Enter") << u"Return"_s << 0 << u"CmdOperazione"_s;
        QTest::newRow("first answer, keypad Enter") << u"KP_Enter"_s << 0 << u"CmdOperazione"_s;
        QTest::newRow("tenth answer") << u"Return"_s << 9 << u"CmdEsercizio"_s;
    }
    void heldEnter_onAnAnswer_leavesTheVerdict()
    {
        QFETCH(QString, tasto);
        QFETCH(int, prima);
        QFETCH(QString, offerto);
        for (int i = 0; i < prove && !QTest::currentTestFailed(); ++i)
            dopoLaRisposta(tasto, prima, offerto);
    }

private:
    void dopoLaRisposta(const QString &tasto, int prima, const QString &offerto)
    {
        nuovo();
        avvia(0);
        rispondi(prima);
        const int numero = p->stato.NumeroOperazione;
        digita();
        tieni(tasto);
        QCOMPARE(p->stato.NumeroOperazione, numero);
        QCOMPARE(p->stato.OperazioniVerificate, prima + 1);
        QVERIFY(visibile(offerto.toLatin1().constData()));
        QCOMPARE(riquadri.size(), 0);
        QCOMPARE(p->beeper.beeps, 0);
    }

private slots:
    void heldEnter_onTheFortiethAnswer_leavesTheEndBoxUp()
    {
        avvia(0);
        rispondi(39);
        QCOMPARE(p->stato.NumeroOperazione, 40);
        digita();
        tieni(u"Return"_s);
        QCOMPARE(riquadri.size(), 1);
        QVERIFY2(riquadri[0].restato, qPrintable(riquadri[0].testo));
        FrmStampaPiu &stampa = p->programma.stampa();
        QTRY_VERIFY(stampa.isLoaded() && stampa.window()->isVisible());
        for (int i = 1; i <= 40; ++i)
            QCOMPARE(stampa.label(FrmStampaPiu::nomeOperazione(i))->text(),
                     p->stato.Operazioni[static_cast<std::size_t>(i)]);
        QVERIFY(p->ender.ends == 0);
    }

    void heldSpace_onNuovaOperazione_drawsOneOperation()
    {
        avvia(0);
        digita();
        QTest::keyClick(operativo().textBox("TxtRisultato"), Qt::Key_Return);
        QVERIFY(visibile("CmdOperazione"));
        operativo().button("CmdOperazione")->setFocus();
        tieni(u"space"_s);
        QCOMPARE(p->stato.NumeroOperazione, 2);
        QCOMPARE(p->stato.OperazioniVerificate, 1);
        QVERIFY(visibile("TxtRisultato"));
        QCOMPARE(operativo().textBox("TxtRisultato")->text(), QString());
        QCOMPARE(p->beeper.beeps, 0);
    }

    void heldEqual_onASignOperation_choosesOnce()
    {
        avvia(1);
        QVERIFY(p->stato.TipoOperazione > 6);
        tieni(u"equal"_s);
        QCOMPARE(p->stato.RispostaData, u"="_s);
        QCOMPARE(p->stato.OperazioniVerificate, 0);
        QVERIFY(visibile("CmdVerifica"));
        QCOMPARE(p->beeper.beeps, 0);
        QCOMPARE(riquadri.size(), 0);
    }

    void doubleClick_onAvanti_acceptsTheNameOnly()
    {
        p->programma.avvia();
        FrmInizio1 &inizio = p->programma.inizio();
        QVERIFY(QTest::qWaitForWindowActive(inizio.window()));
        inizio.textBox("txtNome")->setText(u"Ada"_s);
        doppioClic(inizio.button("cmdAvanti"));
        QVERIFY(inizio.control("Frame3")->isHidden());
        QCOMPARE(p->stato.NomeAlunno, u"Ada"_s);
        QCOMPARE(p->stato.NumeroOperazione, 0);
        QVERIFY(inizio.window()->isVisible());
        QCOMPARE(riquadri.size(), 0);
    }

    void doubleClick_onVerifica_checksOnce()
    {
        avvia(1);
        QTest::mouseClick(operativo().picture("Image3"), Qt::LeftButton);
        QVERIFY(visibile("CmdVerifica"));
        doppioClic(operativo().button("CmdVerifica"));
        QCOMPARE(p->stato.OperazioniVerificate, 1);
        QCOMPARE(p->stato.NumeroOperazione, 1);
        QVERIFY(visibile("CmdOperazione"));
        QCOMPARE(riquadri.size(), 0);
    }
};

// The test's own X server and window manager, on a free display.
int main(int argc, char *argv[])
{
    for (const char *serve : {"Xvfb", "openbox", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(serve)).isEmpty()) {
            std::printf("SKIP: %s is not installed (scripts/setup installs it)\n", serve);
            return 77;
        }
    }
    QProcess xvfb;
    xvfb.setProcessChannelMode(QProcess::SeparateChannels);
    xvfb.setStandardErrorFile(QProcess::nullDevice());
    xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x1024x24"_s,
                           u"-nolisten"_s, u"tcp"_s});
    if (!xvfb.waitForStarted() || !xvfb.waitForReadyRead(20000)) {
        std::printf("SKIP: Xvfb did not start\n");
        return 77;
    }
    const QByteArray schermo = ':' + xvfb.readAllStandardOutput().trimmed();
    qputenv("DISPLAY", schermo);
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("WAYLAND_DISPLAY");
    QProcess openbox;
    openbox.setStandardOutputFile(QProcess::nullDevice());
    openbox.setStandardErrorFile(QProcess::nullDevice());
    openbox.start(u"openbox"_s, {});
    // The window manager is there once it has named itself on the root window.
    for (int i = 0; i < 100; ++i) {
        QProcess xprop;
        xprop.start(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s});
        xprop.waitForFinished();
        if (xprop.readAllStandardOutput().contains("window id"))
            break;
        QThread::msleep(100);
    }
    int esito = 0;
    {
        QApplication app(argc, argv);
        TestMano prova;
        esito = QTest::qExec(&prova, argc, argv);
    }
    openbox.terminate();
    openbox.waitForFinished();
    xvfb.terminate();
    xvfb.waitForFinished();
    return esito;
}

#include "test_mano.moc"
