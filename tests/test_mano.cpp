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
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

using namespace Qt::StringLiterals;

// A child's hand on a real keyboard and mouse: the program on a virtual X server with a window
// manager, keys held down through XTest while the server repeats them itself, and double clicks
// at the buttons' centres. The machine is kept busy during each hold, as a slow computer is,
// so that the repeats reach the program while it is opening a box or a screen.

namespace {

// The process ends when the test's does, however the test ends.
void legato(QProcess &figlio)
{
#ifdef Q_OS_LINUX
    figlio.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#else
    Q_UNUSED(figlio);
#endif
}

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

// Busy loops on every core while it lives, as a slow computer has.
class Carico
{
public:
    explicit Carico(bool acceso)
    {
        for (int i = 0; acceso && i < 4; ++i) {
            m_cicli.push_back(std::make_unique<QProcess>());
            legato(*m_cicli.back());
            m_cicli.back()->start(u"sh"_s, {u"-c"_s, u"while :; do :; done"_s});
        }
    }
    ~Carico()
    {
        for (auto &ciclo : m_cicli) {
            ciclo->kill();
            ciclo->waitForFinished();
        }
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_cicli;
};

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
        const Carico carico(true);
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

    // What a hand does through XTest, as a shell command: a key (xdotool's names, "Return",
    // "alt+F4") pressed for ms milliseconds, 0 for a tap as quick as xdotool's; text typed; a
    // click at a widget's centre.
    static QString premi(const QString &tasto, int ms = 0)
    {
        return ms == 0 ? u"xdotool key %1"_s.arg(tasto)
                       : u"xdotool keydown %1; sleep %2; xdotool keyup %1"_s.arg(
                             tasto, QString::number(ms / 1000.0));
    }
    static QString scrivi(const QString &testo) { return u"xdotool type '%1'"_s.arg(testo); }
    static QString clicca(QWidget *w)
    {
        const QPoint c = w->mapToGlobal(w->rect().center());
        return u"xdotool mousemove --sync %1 %2 click 1"_s.arg(c.x()).arg(c.y());
    }

    // The box up and active, whose text begins so; with no text, no box at all.
    static bool riquadro(const QString &inizio = {})
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (inizio.isEmpty())
            return !box;
        return box && box->isActiveWindow() && box->text().startsWith(inizio);
    }
    static bool attivo(Form &f)
    {
        return f.isLoaded() && f.window()->isActiveWindow() && riquadro();
    }

    // A child's steps: what the hand does, once what the last step brought has come and held
    // for 400 ms (a second action would change it). Played from the event loop, the boxes' own
    // included, as a child goes on whatever is on screen.
    struct Passo
    {
        std::function<QString()> mano;
        std::function<bool()> atteso;
        QString cosa;
    };
    void recita(const QList<Passo> &passi)
    {
        qsizetype i = -1;
        QString mancato;
        QElapsedTimer tenuto, scadenza;
        QProcess mano;
        legato(mano);
        QTimer battito;
        connect(&battito, &QTimer::timeout, this, [&] {
            if (mano.state() != QProcess::NotRunning && scadenza.elapsed() > 20000) {
                mancato = passi[i].cosa + u" (the hand never finished)"_s;
                i = passi.size();
                mano.kill();
            }
            if (mano.state() != QProcess::NotRunning)
                return;
            if (i >= 0 && !passi[i].atteso()) {
                tenuto.invalidate();
                if (scadenza.elapsed() > 6000) {
                    mancato = passi[i].cosa;
                    i = passi.size();
                }
            } else if (i >= 0 && !tenuto.isValid()) {
                tenuto.start();
            } else if (i < 0 || tenuto.elapsed() > 400) {
                if (++i < passi.size()) {
                    mano.start(u"sh"_s, {u"-c"_s, passi[i].mano()});
                    scadenza.start();
                    tenuto.invalidate();
                }
            }
            if (i < passi.size())
                return;
            battito.stop();
            for (int n = 0; n < 5; ++n)
                if (auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    box->done(QDialog::Rejected);
        });
        QTest::qWait(400); // the child sees what is on screen before the first step
        battito.start(20);
        QTRY_VERIFY_WITH_TIMEOUT(!battito.isActive(), 50000);
        mano.waitForFinished();
        QVERIFY2(mancato.isEmpty(), qPrintable(u"not done at once: "_s + mancato));
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

    // Every key a child gives acts at once and once, also the first after a box closes, and
    // whatever the machine is doing.
    void taps_eachActsOnce_data()
    {
        QTest::addColumn<int>("flusso");
        QTest::addColumn<int>("ms");
        QTest::addColumn<bool>("carico");
        const char *flussi[] = {"no name, box, name", "box closed by the mouse",
                                "no answer, box, answer", "report, printer fault, PDF",
                                "let go in another program"};
        for (int f = 0; f < 5; ++f)
            for (int ms : {0, 50})
                for (bool carico : {false, true})
                    QTest::addRow("%s, %d ms%s", flussi[f], ms, carico ? ", loaded" : "")
                        << f << ms << carico;
    }
    void taps_eachActsOnce()
    {
        QFETCH(int, flusso);
        QFETCH(int, ms);
        QFETCH(bool, carico);
        FrmInizio1 &inizio = p->programma.inizio();
        FrmStampaPiu &stampa = p->programma.stampa();
        const QString invio = premi(u"Return"_s, ms);
        const auto fisso = [](const QString &comando) { return [comando] { return comando; }; };
        const Passo nome[] = {
            {fisso(scrivi(u"Ada"_s)), [&] { return inizio.textBox("txtNome")->text() == u"Ada"; },
             u"the name typed"_s},
            {fisso(invio),
             [&] { return inizio.control("Frame3")->isHidden() && p->stato.NomeAlunno == u"Ada"; },
             u"the ranges shown"_s}};
        const Passo introduci = {fisso(invio), [] { return riquadro(u"Introduci il nome"_s); },
                                 u"Introduci il nome"_s};
        const auto tornato = [&](Form &f, const char *casella) {
            return [&f, casella] { return attivo(f) && f.textBox(casella)->hasFocus(); };
        };
        QList<Passo> passi;
        if (flusso <= 1 || flusso == 4) {
            p->programma.avvia();
            QVERIFY(QTest::qWaitForWindowActive(inizio.window()));
            inizio.textBox("txtNome")->setFocus();
        } else {
            avvia(0);
        }
        switch (flusso) {
        case 0:
        case 1:
            passi = {introduci,
                     {fisso(invio), tornato(inizio, "txtNome"), u"the box closed"_s},
                     nome[0],
                     nome[1]};
            if (flusso == 1)
                passi[1].mano = [] {
                    return clicca(qobject_cast<QMessageBox *>(QApplication::activeModalWidget())
                                      ->defaultButton());
                };
            break;
        case 2:
            passi = {{fisso(invio), [] { return riquadro(u"Hai dimenticato il risultato"_s); },
                      u"Hai dimenticato il risultato"_s},
                     {fisso(invio), tornato(operativo(), "TxtRisultato"), u"the box closed"_s},
                     {fisso(scrivi(p->stato.RispostaEsatta)),
                      [&] {
                          return operativo().textBox("TxtRisultato")->text() ==
                                 p->stato.RispostaEsatta;
                      },
                      u"the answer typed"_s},
                     {fisso(invio),
                      [&] {
                          return p->stato.OperazioniVerificate == 1 && visibile("CmdOperazione") &&
                                 riquadro();
                      },
                      u"the verdict"_s}};
            break;
        case 3:
            rispondi(9);
            digita();
            QTest::keyClick(operativo().textBox("TxtRisultato"), Qt::Key_Return);
            operativo().button("CmdStampa")->setFocus();
            p->printers.guastoStampante.stampaCheFallisce = 0;
            p->saveDialog.risposte.push_back(u"operazioni.pdf"_s);
            passi = {{fisso(invio),
                      [&] { return attivo(stampa) && stampa.button("Command1")->hasFocus(); },
                      u"the report"_s},
                     {fisso(premi(u"Tab"_s)),
                      [&] { return stampa.button("cmdStampaS")->hasFocus(); }, u"Tab"_s},
                     {fisso(invio), [] { return riquadro(u"Non è stato possibile stampare."_s); },
                      u"the printer's fault"_s},
                     {fisso(invio), [] { return riquadro(u"La pagina è stata salvata"_s); },
                      u"the PDF saved"_s},
                     {fisso(invio), [&] { return attivo(stampa); }, u"the report again"_s}};
            break;
        case 4:
            // Enter goes down here and comes up once another program has the focus; back here,
            // Space presses the range button.
            inizio.textBox("txtNome")->setText(u"Ada"_s);
            passi = {{fisso(u"xmessage altro & xdotool keydown Return; xdotool search --sync "
                            "--name '^xmessage$' windowactivate --sync; sleep %1; "
                            "xdotool keyup Return; kill $!"_s.arg(ms / 1000.0)),
                      [&] { return p->stato.NomeAlunno == u"Ada"; }, u"the name taken"_s},
                     {[&] {
                          inizio.window()->activateWindow();
                          return u"sleep 0.5"_s;
                      },
                      [&] { return attivo(inizio); }, u"back to the program"_s},
                     {fisso(premi(u"space"_s, ms)), [&] { return attivo(operativo()); },
                      u"the exercise screen"_s}};
            break;
        }
        {
            const Carico occupato(carico);
            recita(passi);
        }
        QCOMPARE(p->beeper.beeps, 0);
        QVERIFY(p->ender.ends == 0);
        if (flusso == 3)
            QCOMPARE(p->printers.lavori.size(), 2);
    }

    // A press that began before a screen or a box showed is not the child's answer to it.
    void pressBeforeAScreen_isNotActedOn_data()
    {
        QTest::addColumn<int>("dove");
        QTest::addColumn<QString>("tasti");
        for (int ms : {20, 80, 150})
            QTest::addRow("range button, Enter Enter %d ms apart", ms)
                << 0 << u"--delay %1 Return Return"_s.arg(ms);
        for (int ms : {20, 150})
            QTest::addRow("Visualizza / stampa, Enter Enter %d ms apart", ms)
                << 1 << u"--delay %1 Return Return"_s.arg(ms);
        QTest::newRow("answer, Enter and Space together") << 2 << u"Return+space"_s;
    }
    void pressBeforeAScreen_isNotActedOn()
    {
        QFETCH(int, dove);
        QFETCH(QString, tasti);
        FrmInizio1 &inizio = p->programma.inizio();
        if (dove == 0) {
            p->programma.avvia();
            QVERIFY(QTest::qWaitForWindowActive(inizio.window()));
            inizio.textBox("txtNome")->setText(u"Ada"_s);
            QTest::keyClick(inizio.textBox("txtNome"), Qt::Key_Return);
            inizio.button(intervalli[0].pulsante)->setFocus();
        } else {
            avvia(0);
            rispondi(dove == 1 ? 9 : 0);
            digita();
            if (dove == 1) {
                QTest::keyClick(operativo().textBox("TxtRisultato"), Qt::Key_Return);
                operativo().button("CmdStampa")->setFocus();
            }
        }
        const auto fatto = [this, dove] {
            const bool aperta = dove == 1 ? p->programma.stampa().isLoaded() &&
                                                p->programma.stampa().window()->isVisible()
                                          : operativo().window()->isVisible();
            return aperta && riquadro() && p->stato.NumeroOperazione == (dove == 1 ? 10 : 1) &&
                   p->stato.OperazioniVerificate == (dove == 0   ? 0
                                                     : dove == 1 ? 10
                                                                 : 1);
        };
        recita({{[&]() -> QString { return u"xdotool key "_s + tasti; }, fatto, u"one step"_s}});
        QCOMPARE(riquadri.size(), 0);
    }

    // The window manager repeats Close as long as Alt+F4 is held: one window closes at most.
    void heldAltF4_closesOneWindowAtMost_data()
    {
        QTest::addColumn<int>("dove");
        QTest::newRow("start screen") << 0;
        QTest::newRow("exercise screen") << 1;
        QTest::newRow("box") << 2;
        QTest::newRow("report holding the operations") << 3;
    }
    void heldAltF4_closesOneWindowAtMost()
    {
        QFETCH(int, dove);
        avvia(0);
        QWidget *attiva = operativo().window();
        if (dove == 0) {
            attiva = p->programma.inizio().window();
            attiva->activateWindow();
        } else if (dove == 3) {
            rispondi(9);
            digita();
            QTest::keyClick(operativo().textBox("TxtRisultato"), Qt::Key_Return);
            QTest::mouseClick(operativo().button("CmdStampa"), Qt::LeftButton);
            attiva = p->programma.stampa().window();
        }
        QVERIFY(QTest::qWaitForWindowActive(attiva));
        const auto aperte = [] {
            int n = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                n += w->isVisible();
            return n;
        };
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the last test's
        const int prima = aperte() + (dove == 2);
        QList<Passo> passi;
        if (dove == 2)
            passi.append({[] { return premi(u"Return"_s); },
                          [] { return riquadro(u"Hai dimenticato il risultato"_s); },
                          u"the box"_s});
        passi.append({[] { return premi(u"alt+F4"_s, 1500); },
                      [&] { return aperte() == prima - 1; }, u"one window closed"_s});
        const Carico occupato(true);
        recita(passi);
        QVERIFY(p->ender.ends <= (dove == 0 ? 1 : 0));
    }
};

// The test's own X server and window manager, on a free display; each ends with the test.
int main(int argc, char *argv[])
{
    for (const char *serve : {"Xvfb", "openbox", "xdotool", "xmessage"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(serve)).isEmpty()) {
            std::printf("SKIP: %s is not installed (scripts/setup installs it)\n", serve);
            return 77;
        }
    }
    QProcess xvfb;
    legato(xvfb);
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
    // openbox's own settings, and its log in a folder of the test's rather than the user's.
    const QTemporaryDir casa;
    QProcess openbox;
    legato(openbox);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(u"XDG_CONFIG_HOME"_s, casa.path());
    ambiente.insert(u"XDG_CACHE_HOME"_s, casa.path());
    ambiente.insert(u"HOME"_s, casa.path());
    openbox.setProcessEnvironment(ambiente);
    openbox.setStandardOutputFile(QProcess::nullDevice());
    openbox.setStandardErrorFile(QProcess::nullDevice());
    openbox.start(u"openbox"_s, {u"--sm-disable"_s});
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
