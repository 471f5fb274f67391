#include "Banco.h"

#include "reports/ui/FrmStampaPiu.h"

#include <QAction>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
const char *pulsanti[] = {"CmdVerifica", "CmdOperazione", "CmdEsercizio", "CmdFine", "CmdStampa"};
}

class TestOperativo : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    frmOperativoPiù &f() { return banco->operativo(); }
    QString testo(const char *nome) { return f().label(nome)->text(); }

    // The five buttons as shown, in the order of the state table.
    QList<bool> offerti()
    {
        QList<bool> v;
        for (const char *nome : pulsanti)
            v.append(banco->visibile(nome));
        return v;
    }

    // What the screen shows is what the sitting says it shows, and that is what its state
    // offers.
    void verificaSchermo()
    {
        const VistaEsercizio &vista = f().esercitazione().vista();
        QVERIFY(f().esercitazione().coerente());
        for (std::size_t i = 0; i < pulsantiDiStato.size(); ++i)
            QCOMPARE(banco->visibile(pulsanti[i]), vista.visibile(pulsantiDiStato[i]));
        QCOMPARE(f().textBox("TxtRisultato")->isLocked(), vista.TxtRisultatoBloccato);
        QCOMPARE(testo("LblIstruzione"), vista.testo(Controllo::LblIstruzione));
        QCOMPARE(f().menu("mnuStampa")->isEnabled(), vista.abilitato(Controllo::mnuStampa));
        QVERIFY(banco->stato.NumeroOperazione >= 0 && banco->stato.NumeroOperazione <= 40);
        QVERIFY(banco->stato.RisposteEsatte <= banco->stato.OperazioniVerificate);
    }

private slots:
    void init() { banco = std::make_unique<Banco>(); }
    void cleanup() { banco.reset(); }

    void load_showsFirstOperation()
    {
        banco->avvia(0, 0);
        QCOMPARE(testo("LblEsercizio"), QStringLiteral("1"));
        QCOMPARE(testo("LblOperazione"), QStringLiteral("1"));
        QCOMPARE(testo("LblSi"), QString());
        QCOMPARE(testo("LblTempoTotale"), QString());
        QCOMPARE(testo("LblIstruzione"), QStringLiteral("Digita il risultato"));
        QCOMPARE(testo("Label2"), QStringLiteral("Operazione con numero massimo da  1 a 10"));
        QCOMPARE(offerti(), (QList<bool>{false, false, false, true, false}));
        QVERIFY(!f().menu("mnuStampa")->isEnabled());
        QVERIFY(!f().menu("mnuAttestato")->isEnabled());
        QVERIFY(banco->visibile("frmNumero"));
        QVERIFY(!banco->visibile("frmSegno"));
        verificaSchermo();
    }

    void answerBox_refusesAllButDigits()
    {
        banco->avvia(0, 0);
        TextBox *box = f().textBox("TxtRisultato");
        QTest::keyClicks(box, QStringLiteral("a -3x"));
        QCOMPARE(box->text(), QStringLiteral("3"));
        QCOMPARE(banco->beeper.beeps, 4);
        QTest::keyClicks(box, QStringLiteral("45"));
        QCOMPARE(box->text(), QStringLiteral("34"));
        QCOMPARE(banco->beeper.beeps, 4);
        QCOMPARE(banco->stato.RispostaData, QStringLiteral("34"));
        QCOMPARE(offerti(), (QList<bool>{true, false, false, false, false}));
        QCOMPARE(testo("LblIstruzione"), QStringLiteral("Clicca sul pulsante Verifica"));
    }

    void enterOnEmptyBox_asksForTheResult()
    {
        banco->avvia(0, 0);
        QTest::keyClick(f().textBox("TxtRisultato"), Qt::Key_Return);
        QCOMPARE(banco->messageBox.shown.size(), 1);
        QCOMPARE(banco->messageBox.shown[0].prompt, QStringLiteral("Hai dimenticato il risultato"));
        QCOMPARE(banco->messageBox.shown[0].title, QStringLiteral("distrazione"));
        QCOMPARE(banco->stato.OperazioniVerificate, 0);
        verificaSchermo();
    }

    void wholeSitting_showsEveryStepAndAsksOnceAtTheEnd_data()
    {
        QTest::addColumn<int>("attivita");
        QTest::addColumn<int>("intervallo");
        QTest::addColumn<int>("risposta"); // 6 Yes, 7 No at the end of the sitting
        QTest::newRow("numero 1-10, Yes") << 0 << 0 << 6;
        QTest::newRow("segno 30-60, No") << 1 << 3 << 7;
        QTest::newRow("misto 10-99, Yes") << 2 << 5 << 6;
        QTest::newRow("misto 60-99, No") << 2 << 4 << 7;
    }
    void wholeSitting_showsEveryStepAndAsksOnceAtTheEnd()
    {
        QFETCH(int, attivita);
        QFETCH(int, intervallo);
        QFETCH(int, risposta);
        banco->avvia(attivita, intervallo);
        banco->messageBox.answers.push_back(risposta);
        int giuste = 0;
        for (int i = 1; i <= 40; ++i) {
            if (i > 1)
                banco->avanti();
            QCOMPARE(banco->stato.NumeroOperazione, i);
            QCOMPARE(testo("LblOperazione"), QString::number((i - 1) % 10 + 1));
            QCOMPARE(testo("LblEsercizio"), QString::number((i - 1) / 10 + 1));
            const bool segno = banco->stato.TipoOperazione > 6;
            QCOMPARE(banco->visibile("frmSegno"), segno);
            QCOMPARE(banco->visibile("frmNumero"), !segno);
            verificaSchermo();
            if (i == 17)
                Banco::fotografa(f().window(), QStringLiteral("operativo-%1").arg(attivita));
            const bool giusta = i % 3 != 0;
            giuste += giusta;
            banco->rispondi(giusta);
            if (i == 40)
                break;
            QCOMPARE(testo("LblEsito"),
                     giusta ? QStringLiteral("E s a t t o") : QStringLiteral("E r r a t o"));
            QCOMPARE(testo("LblTempoParziale"), QStringLiteral(" 3"));
            verificaSchermo();
            if (i % 10 == 0)
                QCOMPARE(offerti(), (QList<bool>{false, false, true, true, true}));
            else
                QCOMPARE(offerti(), (QList<bool>{false, true, false, false, false}));
            QCOMPARE(f().menu("mnuAttestato")->isEnabled(), i >= 10);
        }
        // No starts the sitting again through the load sequence, which clears its counts.
        QCOMPARE(banco->stato.RisposteEsatte, risposta == 6 ? giuste : 0);
        QCOMPARE(banco->stato.OperazioniVerificate, risposta == 6 ? 40 : 0);
        QCOMPARE(banco->messageBox.shown.size(), 1);
        const QChar cr(13);
        QCOMPARE(banco->messageBox.shown[0].prompt,
                 QStringLiteral("Hai eseguito 4 esercizi.      ") + cr + cr +
                     QStringLiteral("Vuoi visualizzare le operazioni eseguite?") + cr +
                     QStringLiteral("(Se rispondi NO l'esercizio sarà perso)"));
        QCOMPARE(banco->messageBox.shown[0].style, 68);
        QCOMPARE(banco->messageBox.shown[0].title, QStringLiteral("FINE ESERCITAZIONE"));

        FrmStampaPiu &stampa = banco->programma.stampa();
        if (risposta == 6) {
            QVERIFY(stampa.isLoaded());
            QCOMPARE(stampa.label(FrmStampaPiu::nomeOperazione(40))->text(),
                     banco->stato.Operazioni[40]);
            QCOMPARE(offerti(), (QList<bool>{false, false, true, true, true}));
            // Going on starts a new sitting: the list never runs past its forty places.
            banco->avanti();
            QCOMPARE(banco->stato.NumeroOperazione, 1);
            QCOMPARE(testo("LblEsercizio"), QStringLiteral("1"));
            verificaSchermo();
            return;
        }
        QVERIFY(!stampa.isLoaded());
        for (int i = 1; i <= 40; ++i)
            QVERIFY(banco->stato.Operazioni[static_cast<std::size_t>(i)].isEmpty());
        QCOMPARE(offerti(), (QList<bool>{false, false, true, true, false}));
        QCOMPARE(testo("LblNumero1"), QString());
        QCOMPARE(testo("LblNumero2"), QString());
        verificaSchermo();

        // The restart state takes no answer.
        TextBox *box = f().textBox("TxtRisultato");
        QVERIFY(box->isLocked());
        QTest::keyClicks(box, QStringLiteral("7"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::mouseClick(f().picture("Image3"), Qt::LeftButton);
        QCOMPARE(banco->stato.OperazioniVerificate, 0);
        QCOMPARE(banco->stato.RisposteEsatte, 0);
        QCOMPARE(banco->messageBox.shown.size(), 1);

        // "Nuovo esercizio" begins the new sitting at its first place.
        banco->avanti();
        QCOMPARE(banco->stato.NumeroOperazione, 1);
        QCOMPARE(banco->stato.NumeroEsercizio, 1);
        banco->rispondi(true);
        QVERIFY(!banco->stato.Operazioni[1].isEmpty());
        verificaSchermo();
    }

    // The fortieth check's question opens over the finished screen: the verdict, the tenth star
    // and "Nuovo esercizio" already show behind it.
    void endOfSitting_boxOpensOverTheFinishedScreen_data()
    {
        QTest::addColumn<int>("attivita");
        QTest::addColumn<bool>("giusta");
        QTest::newRow("number typed, right") << 0 << true;
        QTest::newRow("sign picked, wrong") << 1 << false;
    }
    void endOfSitting_boxOpensOverTheFinishedScreen()
    {
        QFETCH(int, attivita);
        QFETCH(bool, giusta);
        banco->avvia(attivita, 0);
        banco->esegui(39, 39);
        banco->avanti();
        QStringList dietro;
        banco->messageBox.risponde = [&](const ScriptedMessageBox::Shown &) {
            dietro << testo("LblEsito") << testo("LblSi") << testo("LblNo")
                   << testo("LblIstruzione") << testo("LblTempoParziale");
            for (const char *nome : pulsanti)
                if (banco->visibile(nome))
                    dietro << QString::fromLatin1(nome);
            return int(MessageBox::Si);
        };
        banco->rispondi(giusta);
        QCOMPARE(dietro,
                 (QStringList{giusta ? u"E s a t t o"_s : u"E r r a t o"_s,
                              giusta ? u"* * * * * * * * * *"_s : u"* * * * * * * * *"_s,
                              giusta ? QString() : u"*"_s, u"Clicca sul pulsante Nuovo esercizio"_s,
                              u" 3"_s, u"CmdEsercizio"_s, u"CmdFine"_s, u"CmdStampa"_s}));
    }

    // Only "Sì" and "No" answer the question at the end of a sitting: Escape and a request to
    // close its window leave it up, and the forty operations with it.
    void endOfSitting_escapeAndCloseDoNotAnswer()
    {
        banco->avvia(0, 0);
        banco->esegui(39, 39);
        banco->avanti();
        bool restaAperta = false;
        banco->messageBox.risponde = [&](const ScriptedMessageBox::Shown &chiesto) {
            QTimer::singleShot(0, [&restaAperta] {
                QWidget *box = QApplication::activeModalWidget();
                QVERIFY(box);
                QWidget *fuoco = QApplication::focusWidget();
                QTest::keyClick(fuoco ? fuoco : box, Qt::Key_Escape);
                box->close();
                restaAperta = box->isVisible();
                for (QPushButton *b : box->findChildren<QPushButton *>())
                    if (b->text() == u"Sì"_s)
                        b->click();
            });
            return QtMessageBox().msgBox(chiesto.prompt, chiesto.style, chiesto.title);
        };
        banco->rispondi(true);
        QVERIFY(restaAperta);
        QCOMPARE(banco->messageBox.shown.size(), 1);
        for (int i = 1; i <= 40; ++i)
            QVERIFY(!banco->stato.Operazioni[static_cast<std::size_t>(i)].isEmpty());
        QVERIFY(banco->programma.stampa().isLoaded());
    }

    void signPicked_isCheckedOnce()
    {
        banco->avvia(1, 0);
        banco->rispondi(false);
        const QString riga = banco->stato.Operazioni[1];
        // Picking the right sign after the check changes nothing.
        for (const char *immagine : {"Image3", "Image4", "Image5"})
            QTest::mouseClick(f().picture(immagine), Qt::LeftButton);
        QCOMPARE(banco->stato.Operazioni[1], riga);
        QCOMPARE(banco->stato.RisposteEsatte, 0);
        QCOMPARE(banco->stato.ErrateEsercizio, 1);
        QCOMPARE(testo("LblNo"), QStringLiteral("*"));
        verificaSchermo();
    }

    void closeAndReopen_keepsTheRestart()
    {
        banco->avvia(0, 0);
        banco->messageBox.answers.push_back(7);
        banco->esegui(40, 40);
        QTest::mouseClick(f().button("CmdFine"), Qt::LeftButton);
        QVERIFY(!f().isLoaded());
        QTest::mouseClick(banco->programma.inizio().button("Command2"), Qt::LeftButton);
        QVERIFY(f().isLoaded());
        QCOMPARE(offerti(), (QList<bool>{false, false, true, true, false}));
        QCOMPARE(testo("Label2"), QStringLiteral("Operazione con numero massimo da  1 a 20"));
        verificaSchermo();
    }

    void exit_closesInEveryState_data()
    {
        QTest::addColumn<int>("risposte");
        QTest::newRow("fresh") << 0;
        QTest::newRow("checked") << 1;
        QTest::newRow("exercise finished") << 10;
    }
    void exit_closesInEveryState()
    {
        QFETCH(int, risposte);
        banco->avvia(0, 0);
        banco->esegui(risposte, risposte);
        f().menu("mnuEsci")->trigger();
        QVERIFY(!f().isLoaded());
        QVERIFY(banco->messageBox.shown.isEmpty());
        QCOMPARE(banco->ender.ends, 0);
    }
};

QTEST_MAIN(TestOperativo)
#include "test_operativo.moc"
