#include "Banco.h"

#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"

#include <QAction>
#include <QtTest>

#include <memory>

class TestResoconto : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    FrmStampaPiu &stampa() { return banco->programma.stampa(); }
    FrmAttestato &attestato() { return banco->programma.attestato(); }
    QString op(int i) { return stampa().label(FrmStampaPiu::nomeOperazione(i))->text(); }

    void apriAttestato()
    {
        attestato().show();
        QVERIFY(QTest::qWaitForWindowActive(attestato().window()));
    }

private slots:
    void init() { banco = std::make_unique<Banco>(); }
    void cleanup() { banco.reset(); }

    void report_afterOneExercise()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 10);
        QTest::mouseClick(banco->operativo().button("CmdStampa"), Qt::LeftButton);
        QVERIFY(stampa().isLoaded());
        QCOMPARE(stampa().window()->windowTitle(), QStringLiteral("STAMPA DELLE OPERAZIONI"));
        for (int i = 1; i <= 40; ++i)
            QCOMPARE(op(i),
                     i <= 10 ? banco->stato.Operazioni[static_cast<std::size_t>(i)] : QString());
        QCOMPARE(stampa().label("Label1")->text(), QStringLiteral("Tempo totale:     30 sec."));
        QCOMPARE(stampa().label("Label2")->text(), QStringLiteral("Tempo totale:     sec."));
    }

    void report_esciKeepsTheTimes()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 10);
        QTest::mouseClick(banco->operativo().button("CmdStampa"), Qt::LeftButton);
        QTest::mouseClick(stampa().button("Command1"), Qt::LeftButton);
        QVERIFY(!stampa().isLoaded());
        QCOMPARE(banco->stato.TempoEsercizio[1], QStringLiteral(" 30"));
        banco->operativo().menu("mnuStampa")->trigger();
        QCOMPARE(stampa().label("Label1")->text(), QStringLiteral("Tempo totale:     30 sec."));
    }

    void report_openOnlyComesForward_butTheEndOfSittingFillsIt()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 10);
        banco->operativo().menu("mnuStampa")->trigger();
        banco->avanti();
        banco->esegui(5, 5);
        banco->operativo().menu("mnuStampa")->trigger();
        QCOMPARE(op(11), QString());
        banco->avanti();
        banco->esegui(25, 25);
        QCOMPARE(banco->messageBox.shown.size(), 1);
        Banco::fotografa(stampa().window(), QStringLiteral("resoconto"));
        for (int i = 1; i <= 40; ++i)
            QCOMPARE(op(i), banco->stato.Operazioni[static_cast<std::size_t>(i)]);
    }

    void report_printsThePage()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 10);
        banco->operativo().menu("mnuStampa")->trigger();
        QTest::mouseClick(stampa().button("cmdStampaS"), Qt::LeftButton);
        QCOMPARE(banco->printers.lavori.size(), 1);
        const LavoroStampa &lavoro = *banco->printers.lavori[0];
        QVERIFY(lavoro.inviato);
        QCOMPARE(lavoro.righe.size(), 1 + 10 + 4);
        QCOMPARE(lavoro.righe[0].testo, QStringLiteral("Cognome e nome ..................."));
        QCOMPARE(lavoro.righe[1].testo, banco->stato.Operazioni[1]);
        QVERIFY(banco->messageBox.shown.isEmpty());
    }

    void print_failureOffersPdf_data()
    {
        QTest::addColumn<bool>("certificate");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("jobs");
        QTest::newRow("report saved as PDF") << false << 6 << QStringLiteral("/tmp/o.pdf") << 2;
        QTest::newRow("report, No to the PDF") << false << 7 << QString() << 1;
        QTest::newRow("report, save cancelled") << false << 6 << QString() << 1;
        QTest::newRow("certificate saved as PDF") << true << 6 << QStringLiteral("/tmp/a.pdf") << 2;
        QTest::newRow("report, a name typed without .pdf")
            << false << 6 << QStringLiteral("/tmp/o") << 2;
    }
    void print_failureOffersPdf()
    {
        QFETCH(bool, certificate);
        QFETCH(int, answer);
        QFETCH(QString, path);
        QFETCH(int, jobs);
        banco->printers.guastoStampante.fineDocFallisce = true;
        banco->avvia(0, 0, QStringLiteral("ada/b"));
        banco->esegui(10, 10);
        const SessionState prima = banco->stato;
        bool pulsantiDietro = true; // the certificate's buttons show behind every box
        banco->messageBox.risponde = [&, answer](const ScriptedMessageBox::Shown &) {
            if (certificate)
                for (const char *nome : {"Command2", "Command1", "CmdFine"})
                    pulsantiDietro &= attestato().control(nome)->isVisible();
            return answer;
        };
        if (!path.isEmpty())
            banco->saveDialog.risposte.push_back(path);
        if (certificate) {
            apriAttestato();
            QTest::mouseClick(attestato().button("Command2"), Qt::LeftButton);
            for (const char *nome : {"Command2", "Command1", "CmdFine"})
                QVERIFY(attestato().control(nome)->isVisible());
            QVERIFY(pulsantiDietro);
        } else {
            banco->operativo().menu("mnuStampa")->trigger();
            QTest::mouseClick(stampa().button("cmdStampaS"), Qt::LeftButton);
            QVERIFY(stampa().isLoaded());
        }
        QCOMPARE(banco->printers.lavori.size(), jobs);
        QVERIFY(!banco->printers.lavori[0]->inviato);
        QVERIFY(banco->messageBox.shown[0].prompt.contains(QStringLiteral("PDF")));
        QCOMPARE(banco->messageBox.shown[0].style, 68);
        if (jobs == 2) {
            QCOMPARE(banco->printers.lavori[1]->pdf,
                     path.endsWith(u".pdf") ? path : path + QStringLiteral(".pdf"));
            QVERIFY(banco->printers.lavori[1]->inviato);
            QCOMPARE(banco->saveDialog.proposti.value(0),
                     certificate ? QStringLiteral("Attestato di Ada_b.pdf")
                                 : QStringLiteral("Operazioni di ada_b.pdf"));
        }
        QCOMPARE(banco->ender.ends, 0);
        QVERIFY(banco->operativo().isLoaded());
        QCOMPARE(banco->stato.Operazioni, prima.Operazioni);
        QCOMPARE(banco->stato.RisposteEsatte, prima.RisposteEsatte);
    }

    void certificate_granted()
    {
        banco->avvia(1, 2, QStringLiteral("mARIO rOSSI"));
        banco->esegui(10, 7);
        apriAttestato();
        Banco::fotografa(attestato().window(), QStringLiteral("attestato"));
        QCOMPARE(attestato().label("lblNome")->text(), QStringLiteral("Mario rossi"));
        QCOMPARE(banco->stato.NomeAlunno, QStringLiteral("Mario rossi"));
        QCOMPARE(attestato().label("lblRapporto")->text(), QStringLiteral("BUONO"));
        QCOMPARE(attestato().label("lblPerche")->text(),
                 QStringLiteral("Per aver dato 7 risposte esatte su 10"));
        QCOMPARE(attestato().label("lblObiettivo3")->text(), QStringLiteral("Calcola il segno"));
        QCOMPARE(attestato().label("lblObiettivo2")->text(), QStringLiteral(" Numeri da  10 a 30"));
        QCOMPARE(attestato().label("lblData")->text(), QStringLiteral("Data        07/12/2026"));
        QCOMPARE(attestato().label("lblMotivo")->text(),
                 QStringLiteral("per aver  conseguito l'obiettivo"));
        // The card sits in the middle of the window, the print button under its left edge.
        const QRectF carta = attestato().twips("Frame1");
        QCOMPARE(carta.left(), (12000 - 5205) / 2.0);
        QCOMPARE(carta.top(), (9000 - 6840) / 2.0);
        QCOMPARE(attestato().twips("Command2").left(), carta.left());
        QCOMPARE(attestato().twips("Command1").left(), carta.left() + 2580);
        QVERIFY(banco->messageBox.shown.isEmpty());
    }

    void certificate_countsOnlyWhatWasAnswered()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 5);
        banco->avanti(); // the next operation is on screen, not answered
        apriAttestato();
        QVERIFY(attestato().isLoaded());
        QCOMPARE(attestato().label("lblRapporto")->text(), QStringLiteral("SUFFICIENTE (!)"));
        QCOMPARE(attestato().label("lblPerche")->text(),
                 QStringLiteral("Per aver dato 5 risposte esatte su 10"));
    }

    void certificate_keepsTheSittingAfterTheScreenCloses()
    {
        banco->avvia(2, 0);
        banco->esegui(10, 10);
        banco->operativo().menu("mnuStampa")->trigger();
        banco->operativo().unload();
        QTest::mouseClick(stampa().button("Command2"), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowActive(attestato().window()));
        QVERIFY(!banco->operativo().isLoaded());
        QCOMPARE(attestato().label("lblObiettivo3")->text(),
                 QStringLiteral("Calcola il numero o il segno secondo richiesta"));
        QCOMPARE(attestato().label("lblRapporto")->text(), QStringLiteral("OTTIMO"));
    }

    void certificate_refused_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("ends");
        QTest::newRow("Yes goes on") << 6 << 0;
        QTest::newRow("No ends the program") << 7 << 1;
    }
    void certificate_refused()
    {
        QFETCH(int, answer);
        QFETCH(int, ends);
        banco->avvia(0, 0);
        banco->esegui(10, 4);
        banco->messageBox.answers.push_back(answer);
        banco->operativo().menu("mnuAttestato")->trigger();
        QTRY_COMPARE(banco->messageBox.shown.size(), 1);
        QTest::qWait(50);
        QCOMPARE(banco->messageBox.shown.size(), 1);
        const QChar cr(13);
        QCOMPARE(banco->messageBox.shown[0].prompt,
                 QStringLiteral(" TROPPE RISPOSTE ERRATE. L'ATTESTATO NON E' VISUALIZZABILE.") +
                     cr + cr + QStringLiteral(" CONTINUARE ?"));
        QCOMPARE(banco->messageBox.shown[0].title, QStringLiteral("Attenzione"));
        QCOMPARE(banco->messageBox.shown[0].style, 68);
        QVERIFY(!attestato().isLoaded());
        QCOMPARE(banco->ender.ends, ends);
        QVERIFY(banco->operativo().isLoaded());
    }

    void certificate_printsWithoutItsButtons()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 10);
        apriAttestato();
        QList<bool> visibili;
        banco->printers.allaStampaForm = [&](QWidget *) {
            for (const char *nome : {"Command2", "Command1", "CmdFine"})
                visibili.append(attestato().control(nome)->isVisible());
        };
        QTest::mouseClick(attestato().button("Command2"), Qt::LeftButton);
        QCOMPARE(visibili, (QList<bool>{false, false, false}));
        QCOMPARE(banco->printers.lavori.size(), 1);
        QVERIFY(banco->printers.lavori[0]->inviato);
        for (const char *nome : {"Command2", "Command1", "CmdFine"})
            QVERIFY(attestato().control(nome)->isVisible());
    }

    void certificate_buttons()
    {
        banco->avvia(0, 0);
        banco->esegui(10, 10);
        apriAttestato();
        QTest::mouseClick(attestato().button("CmdFine"), Qt::LeftButton);
        QVERIFY(!attestato().isLoaded());
        QCOMPARE(banco->ender.ends, 0);
        apriAttestato();
        QTest::mouseClick(attestato().button("Command1"), Qt::LeftButton);
        QCOMPARE(banco->ender.ends, 1);
    }
};

QTEST_MAIN(TestResoconto)
#include "test_resoconto.moc"
