#include "Soak.h"
#include "SoakRighe.h"

#include <QtTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Indole)

// Random events from a seeded generator through the whole program, with the invariants of the
// sitting after each one. ZEF_SOAK_SEED replays a seed, ZEF_SOAK_EVENTS sets the events of each
// row; a fault prints both, with the last events before it.
class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void lineFormat_oracleTellsGoodLinesFromBad_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::addColumn<bool>("valida");
        QTest::addColumn<bool>("verificata");
        QTest::newRow("type 3, right in 4 s") << u" 7 +  5 = . (12)  4"_s << true << true;
        QTest::newRow("type 3, wrong in 4 s") << u" 7 +  5 = . (13)  4*"_s << true << true;
        QTest::newRow("type 7, = in 12 s") << u" 7 +  5 . 12 (=) 12"_s << true << true;
        QTest::newRow("type 11, 100 unanswered") << u"100 . 50 + 49"_s << true << false;
        QTest::newRow("type 1, 07 wrong") << u" . +  7 = 12 (07)  4*"_s << true << true;
        QTest::newRow("right answer marked wrong") << u" 7 +  5 = . (12)  4*"_s << false << false;
        QTest::newRow("wrong sign unmarked") << u"12 .  7 +  5 (<)  3"_s << false << false;
        QTest::newRow("pad missing before a small answer")
            << u" 7 +  2 = .(8)  4*"_s << false << false;
        QTest::newRow("one column for 9") << u"9 +  5 = . (14)  4"_s << false << false;
        QTest::newRow("sides two apart") << u" 7 +  5 . 14"_s << false << false;
        QTest::newRow("answer checked twice") << u" 7 +  5 = . (12)  4 (12)  3"_s << false << false;
        QTest::newRow("negative seconds") << u" 7 +  5 = . (12) -4"_s << false << false;
        QTest::newRow("split surrogate") << u" 7 +  5 = . (1\xd83d)  4*"_s << false << false;
    }
    void lineFormat_oracleTellsGoodLinesFromBad()
    {
        QFETCH(QString, riga);
        QFETCH(bool, valida);
        QFETCH(bool, verificata);
        const Riga r = esaminaRiga(riga);
        QVERIFY2(r.valida == valida, qPrintable(r.perche));
        QCOMPARE(r.verificata, verificata);
    }

    void soak_data()
    {
        QTest::addColumn<quint64>("seme");
        QTest::addColumn<Indole>("indole");
        quint64 seme = 11;
        for (const Bambino &b : bambini)
            QTest::newRow(b.chi) << seme++ << b.indole;
    }
    void soak()
    {
        QFETCH(quint64, seme);
        QFETCH(Indole, indole);
        bool ok = false;
        if (const quint64 s = qEnvironmentVariable("ZEF_SOAK_SEED").toULongLong(&ok); ok)
            seme = s;
        long long eventi = qEnvironmentVariable("ZEF_SOAK_EVENTS").toLongLong(&ok);
        if (!ok || eventi <= 0)
            eventi = 5000;

        Soak soak(seme, indole);
        const bool tenuto = soak.esegui(eventi);
        qInfo("%s", qUtf8Printable(soak.riassunto()));
        if (!tenuto)
            QFAIL(qUtf8Printable(soak.guasto() + u"Row: soak:\""_s +
                                 QString::fromUtf8(QTest::currentDataTag()) + u'"'));
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
