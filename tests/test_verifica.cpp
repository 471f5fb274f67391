#include "exercise/Verifica.h"
#include "session/SessionState.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestVerifica : public QObject
{
    Q_OBJECT

private slots:
    void secondiInteri_countsWholeSecondsNeverBelowZero_data()
    {
        QTest::addColumn<double>("inizio");
        QTest::addColumn<double>("fine");
        QTest::addColumn<int>("secondi");
        QTest::newRow("4.9 s is 4") << 36000.0 << 36004.9 << 4;
        QTest::newRow("76 s between inexact fractions") << 16380.85 << 16456.85 << 76;
        QTest::newRow("a reading before the start is no time") << 120.5 << 119.0 << 0;
    }
    void secondiInteri_countsWholeSecondsNeverBelowZero()
    {
        QFETCH(double, inizio);
        QFETCH(double, fine);
        QFETCH(int, secondi);
        QCOMPARE(::secondiInteri(inizio, fine), secondi);
    }

    // One check of an operation answered `secondi` after it was shown.
    void giudica_completesTheLine_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<QString>("attesa");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("casella"); // the answer box's text
        QTest::addColumn<double>("secondi");
        QTest::addColumn<QString>("completa");
        QTest::addColumn<QString>("parziale");
        const QString t3 = u" 7 +  5 = . "_s;
        const QString t5 = u"12 =  . +  5"_s;
        const QString t7 = u" 7 +  5 . 12"_s;
        QTest::newRow("right") << t3 << u"12"_s << u"12"_s << u"12"_s << 4.0
                               << u" 7 +  5 = . (12)  4"_s << u" 4"_s;
        QTest::newRow("wrong") << t3 << u"12"_s << u"13"_s << u"13"_s << 4.5
                               << u" 7 +  5 = . (13)  4*"_s << u" 4"_s;
        QTest::newRow("07 for 7") << t5 << u"7"_s << u"07"_s << u"07"_s << 4.0
                                  << u"12 =  . +  5 (07)  4*"_s << u" 4"_s;
        QTest::newRow("7 for 7") << t5 << u"7"_s << u"7"_s << u"7"_s << 4.0
                                 << u"12 =  . +  5 (7)  4"_s << u" 4"_s;
        QTest::newRow("10, no pad")
            << t3 << u"10"_s << u"10"_s << u"10"_s << 4.0 << u" 7 +  5 = . (10)  4"_s << u" 4"_s;
        QTest::newRow("sign in 4 s")
            << t7 << u"="_s << u"="_s << QString() << 4.0 << u" 7 +  5 . 12 (=)  4"_s << u" 4"_s;
        QTest::newRow("sign in 12 s")
            << t7 << u"="_s << u"="_s << QString() << 12.0 << u" 7 +  5 . 12 (=) 12"_s << u" 12"_s;
        QTest::newRow("99 s") << t3 << u"12"_s << u"12"_s << u"12"_s << 99.0
                              << u" 7 +  5 = . (12) 99"_s << u" 99"_s;
        QTest::newRow("100 s shows 99")
            << t3 << u"12"_s << u"12"_s << u"12"_s << 100.0 << u" 7 +  5 = . (12) 100"_s << u"99"_s;
        QTest::newRow("erased answer") << t3 << u"12"_s << QString() << QString() << 4.0
                                       << u" 7 +  5 = .  ()  4*"_s << u" 4"_s;
    }
    void giudica_completesTheLine()
    {
        QFETCH(QString, riga);
        QFETCH(QString, attesa);
        QFETCH(QString, data);
        QFETCH(QString, casella);
        QFETCH(double, secondi);
        QFETCH(QString, completa);
        QFETCH(QString, parziale);
        SessionState s;
        s.NumeroEsercizio = 1;
        s.NumeroOperazione = 3;
        s.Operazioni[3] = riga;
        s.RispostaEsatta = attesa;
        s.RispostaData = data;
        s.InizioOperazione = 36000.0;
        s.InizioMonotono = 50.0;
        const EsitoVerifica e = giudica(s, casella, {36000.0 + secondi, 50.0 + secondi});
        QCOMPARE(s.Operazioni[3], completa);
        QCOMPARE(e.LblTempoParziale, parziale);
        QCOMPARE(e.LblEsito, completa.endsWith(u'*') ? u"E r r a t o"_s : u"E s a t t o"_s);
        QCOMPARE(s.SecondiEsercizio[1], static_cast<int>(secondi));
    }

    void giudica_exerciseTotalShows999AndKeepsTheTruth()
    {
        SessionState s;
        s.NumeroEsercizio = 4;
        s.SecondiEsercizio[4] = 995;
        s.InizioOperazione = 100;
        s.InizioMonotono = 100;
        QCOMPARE(giudica(s, QString(), {104.5, 104.5}).LblTempoTotale, u" 999"_s);
        QCOMPARE(giudica(s, QString(), {104.5, 104.5}).LblTempoTotale, u"999"_s);
        QCOMPARE(s.TempoEsercizio[4], u" 1003"_s);
    }

    void giudica_writesNothingOutsideTheArrays()
    {
        SessionState s;
        s.NumeroEsercizio = 6;
        s.NumeroOperazione = 46;
        QCOMPARE(giudica(s, QString(), {7, 7}).LblTempoParziale, u" 7"_s);
        for (const QString &riga : s.Operazioni)
            QVERIFY(riga.isEmpty());
        for (int secondi : s.SecondiEsercizio)
            QCOMPARE(secondi, 0);
    }
};

QTEST_GUILESS_MAIN(TestVerifica)
#include "test_verifica.moc"
