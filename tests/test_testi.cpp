#include "platform/Clock.h"
#include "platform/Random.h"
#include "session/Testi.h"

#include <QtTest>

#include <set>

class TestTesti : public QObject
{
    Q_OBJECT

private slots:
    void str_putsOneBlankBeforeNonNegative_data()
    {
        QTest::addColumn<long long>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero has a blank") << 0LL << QStringLiteral(" 0");
        QTest::newRow("one digit") << 4LL << QStringLiteral(" 4");
        QTest::newRow("three digits") << 125LL << QStringLiteral(" 125");
        QTest::newRow("negative has no blank") << -3LL << QStringLiteral("-3");
    }
    void str_putsOneBlankBeforeNonNegative()
    {
        QFETCH(long long, n);
        QFETCH(QString, text);
        QCOMPARE(Str(n), text);
    }

    void val_readsTheLeadingNumberOrZero_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<long long>("value");
        QTest::newRow("empty is zero") << QString() << 0LL;
        QTest::newRow("leading zero") << QStringLiteral("07") << 7LL;
        QTest::newRow("two digits") << QStringLiteral("12") << 12LL;
        QTest::newRow("leading blank") << QStringLiteral(" 4") << 4LL;
        QTest::newRow("stops at a letter") << QStringLiteral("3a") << 3LL;
        QTest::newRow("sign alone") << QStringLiteral("=") << 0LL;
        QTest::newRow("huge stays finite")
            << QStringLiteral("99999999999999999999999") << 999999999999999999LL;
    }
    void val_readsTheLeadingNumberOrZero()
    {
        QFETCH(QString, text);
        QFETCH(long long, value);
        QCOMPARE(Val(text), value);
    }

    void dueColonne_padsOneDigitToTwoColumns_data()
    {
        QTest::addColumn<long long>("n");
        QTest::addColumn<QString>("text");
        QTest::newRow("9 has a pad") << 9LL << QStringLiteral(" 9");
        QTest::newRow("10 has none") << 10LL << QStringLiteral("10");
        QTest::newRow("100 is three columns") << 100LL << QStringLiteral("100");
        QTest::newRow("1 has a pad too") << 1LL << QStringLiteral(" 1");
    }
    void dueColonne_padsOneDigitToTwoColumns()
    {
        QFETCH(long long, n);
        QFETCH(QString, text);
        QCOMPARE(::dueColonne(n), text);
    }

    void dataBreve_isItalianShortDate()
    {
        QCOMPARE(::dataBreve(QDate(2026, 12, 7)), QStringLiteral("07/12/2026"));
    }

    void randomize_sameTickNeverRepeats()
    {
        MixRandom random;
        std::set<double> seen;
        for (int i = 0; i < 1000; ++i) {
            random.randomize(3600.25);
            const double r = random.rnd();
            QVERIFY(r >= 0.0 && r < 1.0);
            QVERIFY2(seen.insert(r).second, "a re-seed with the same reading repeated a value");
        }
    }
};

QTEST_GUILESS_MAIN(TestTesti)
#include "test_testi.moc"
