#include "platform/doubles/RecordingPrinter.h"
#include "reports/StampaOperazioni.h"
#include "session/SessionState.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

QString rigaOperazione(int i)
{
    return u"%1 + %2 = ?  ( %3)  4"_s.arg(i + 10).arg(i).arg(2 * i + 10);
}

// Lines in all forty slots, whatever the sitting has reached; exercise 3 has no time.
SessionState seduta(int operazioni)
{
    SessionState s;
    s.NumeroOperazione = operazioni;
    for (int i = 1; i <= 40; ++i)
        s.Operazioni[std::size_t(i)] = rigaOperazione(i);
    s.TempoEsercizio = {QString(), u" 125"_s, u" 98"_s, QString(), u" 7"_s, QString()};
    return s;
}

} // namespace

class TestStampa : public QObject
{
    Q_OBJECT

private slots:
    void schermo_afterOneExercise()
    {
        const SessionState s = seduta(10);
        const auto didascalie = didascalieOperazioni(s);
        for (int i = 1; i <= 40; ++i)
            QCOMPARE(didascalie[std::size_t(i)], i <= 10 ? rigaOperazione(i) : QString());
        QCOMPARE(didascaliaTempo(s, 1), u"Tempo totale:     125 sec."_s);
        QCOMPARE(didascaliaTempo(s, 3), u"Tempo totale:     sec."_s);
        QCOMPARE(rettangoloOperazione(10), QRect(450, 4980, 2535, 435));
        QCOMPARE(rettangoloOperazione(21), QRect(5970, 900, 2535, 435));
    }

    void stampa_printsEachLineInItsPlaceAndFont_data()
    {
        QTest::addColumn<int>("operazioni");
        QTest::addColumn<int>("indice"); // among the printed lines
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QPointF>("posizione");
        QTest::addColumn<QString>("font"); // empty: the printer's own
        QTest::addColumn<double>("punti");
        const QString courier = u"Courier"_s;
        QTest::newRow("header") << 40 << 0 << u"Cognome e nome ..................."_s
                                << QPointF(1000, 1000) << QString() << 16.0;
        QTest::newRow("operation 1")
            << 40 << 1 << rigaOperazione(1) << QPointF(1000, 2000) << courier << 12.0;
        QTest::newRow("operation 10")
            << 40 << 10 << rigaOperazione(10) << QPointF(1000, 5600) << courier << 12.0;
        QTest::newRow("operation 11")
            << 40 << 11 << rigaOperazione(11) << QPointF(6000, 2000) << courier << 12.0;
        QTest::newRow("operation 21 after the empty row")
            << 40 << 21 << rigaOperazione(21) << QPointF(1000, 6400) << courier << 12.0;
        QTest::newRow("operation 31")
            << 40 << 31 << rigaOperazione(31) << QPointF(6000, 6400) << courier << 12.0;
        QTest::newRow("operation 40")
            << 40 << 40 << rigaOperazione(40) << QPointF(6000, 10000) << courier << 12.0;
        QTest::newRow("totals of an exercise without time")
            << 40 << 43 << u"Eser. n.3: Tempo tot.  secondi"_s << QPointF(1000, 12000) << courier
            << 12.0;
        QTest::newRow("totals after one exercise")
            << 10 << 11 << u"Eser. n.1: Tempo tot.  125 secondi"_s << QPointF(1000, 11000)
            << courier << 12.0;
        QTest::newRow("last totals after one exercise")
            << 10 << 14 << u"Eser. n.4: Tempo tot.  7 secondi"_s << QPointF(6000, 12000) << courier
            << 12.0;
    }
    void stampa_printsEachLineInItsPlaceAndFont()
    {
        QFETCH(int, operazioni);
        QFETCH(int, indice);
        QFETCH(QString, testo);
        QFETCH(QPointF, posizione);
        QFETCH(QString, font);
        QFETCH(double, punti);
        auto lavoro = std::make_shared<LavoroStampa>();
        RecordingPrinter printer(lavoro);
        QString errore;
        QVERIFY(eseguiPassi(passiStampaOperazioni(seduta(operazioni)), printer, errore));
        QCOMPARE(lavoro->righe.size(), 1 + operazioni + 4);
        QVERIFY(lavoro->inviato);
        QCOMPARE(lavoro->chiamate.last(), u"endDoc"_s);
        const RigaStampata &r = lavoro->righe.at(indice);
        QCOMPARE(r.testo, testo);
        QCOMPARE(QPointF(r.x, r.y), posizione);
        QCOMPARE(r.font, font);
        QCOMPARE(r.dimensione, punti);
        QCOMPARE(r.grassetto, !font.isEmpty());
    }

    void guasto_stopsAtTheFailingCallAndDropsTheJob_data()
    {
        QTest::addColumn<int>("stampaCheFallisce");
        QTest::addColumn<bool>("fineDocFallisce");
        QTest::addColumn<int>("righeStampate");
        QTest::newRow("the header fails") << 0 << false << 0;
        QTest::newRow("operation 5 fails") << 5 << false << 5;
        QTest::newRow("endDoc fails") << -1 << true << 45;
    }
    void guasto_stopsAtTheFailingCallAndDropsTheJob()
    {
        QFETCH(int, stampaCheFallisce);
        QFETCH(bool, fineDocFallisce);
        QFETCH(int, righeStampate);
        auto lavoro = std::make_shared<LavoroStampa>();
        RecordingPrinter printer(lavoro, {stampaCheFallisce, fineDocFallisce, u"Spenta."_s});
        QString errore;
        QVERIFY(!eseguiPassi(passiStampaOperazioni(seduta(40)), printer, errore));
        QCOMPARE(errore, u"Spenta."_s);
        QCOMPARE(lavoro->righe.size(), righeStampate);
        QVERIFY(!lavoro->inviato);
        // The failing call is the last one tried before the job is dropped.
        const QStringList &c = lavoro->chiamate;
        QCOMPARE(c.last(), u"killDoc"_s);
        QVERIFY(c.at(c.size() - 2).startsWith(fineDocFallisce ? u"endDoc" : u"print "));
    }
};

QTEST_GUILESS_MAIN(TestStampa)
#include "test_stampa.moc"
