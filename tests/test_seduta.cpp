#include "Banco.h"

#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"

#include <QElapsedTimer>
#include <QtTest>

#include <cmath>

#include <memory>

// One whole run, start to End: a sitting of forty operations, the list of operations and the
// certificate on screen and on paper. Small enough to run under valgrind's memcheck as well.
class TestSeduta : public QObject
{
    Q_OBJECT

private slots:
    void wholeRun_printsListAndCertificateThenEnds_data()
    {
        QTest::addColumn<int>("attivita");
        QTest::addColumn<bool>("stampanteGuasta");
        QTest::newRow("mixed activity, printed") << 2 << false;
        QTest::newRow("sign activity, the printer fails, saved as PDF") << 1 << true;
    }
    void wholeRun_printsListAndCertificateThenEnds()
    {
        QFETCH(int, attivita);
        QFETCH(bool, stampanteGuasta);
        auto banco = std::make_unique<Banco>();
        banco->printers.guastoStampante.fineDocFallisce = stampanteGuasta;
        banco->avvia(attivita, 5, QStringLiteral("élodie"));
        banco->messageBox.answers.push_back(MessageBox::Si); // show the list at the end
        banco->esegui(40, 36);

        FrmStampaPiu &stampa = banco->programma.stampa();
        QVERIFY(stampa.isLoaded());
        QCOMPARE(stampa.label(FrmStampaPiu::nomeOperazione(40))->text(),
                 banco->stato.Operazioni[40]);
        if (stampanteGuasta) {
            banco->messageBox.answers.push_back(MessageBox::Si);
            banco->saveDialog.risposte.push_back(QStringLiteral("/tmp/operazioni.pdf"));
        }
        QTest::mouseClick(stampa.button("cmdStampaS"), Qt::LeftButton);

        QTest::mouseClick(stampa.button("Command2"), Qt::LeftButton);
        FrmAttestato &attestato = banco->programma.attestato();
        QVERIFY(QTest::qWaitForWindowActive(attestato.window()));
        QCOMPARE(attestato.label("lblRapporto")->text(), QStringLiteral("OTTIMO"));
        QCOMPARE(attestato.label("lblNome")->text(), QStringLiteral("Élodie"));
        if (stampanteGuasta) {
            banco->messageBox.answers.push_back(MessageBox::Si);
            banco->saveDialog.risposte.push_back(QStringLiteral("/tmp/attestato.pdf"));
        }
        QTest::mouseClick(attestato.button("Command2"), Qt::LeftButton);

        const int jobs = stampanteGuasta ? 4 : 2;
        QCOMPARE(banco->printers.lavori.size(), jobs);
        for (const auto &lavoro : banco->printers.lavori)
            QCOMPARE(lavoro->inviato, !stampanteGuasta || !lavoro->pdf.isEmpty());

        QTest::mouseClick(attestato.button("Command1"), Qt::LeftButton); // FINE SESSIONE
        QCOMPARE(banco->ender.ends, 1);
        banco.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every other test runs on a fake clock. The program times the operations on the real
    // clock's monotonic reading, which counts from the clock's start: read from the time of day,
    // a midnight or a change of the system's clock during a sitting would turn times negative.
    void realClock_countsFromItsStartNotFromTheTimeOfDay()
    {
        QtClock orologio;
        QElapsedTimer cronometro;
        cronometro.start();
        const double inizio = orologio.monotonic();
        QVERIFY2(inizio >= 0 && inizio < 1, qPrintable(QString::number(inizio)));
        QTest::qSleep(300);
        const double trascorso = orologio.monotonic() - inizio;
        QVERIFY2(std::abs(trascorso - cronometro.elapsed() / 1000.0) < 0.1,
                 qPrintable(QString::number(trascorso)));
    }
};

QTEST_MAIN(TestSeduta)
#include "test_seduta.moc"
