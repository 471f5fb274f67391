#include "reports/Attestato.h"
#include "reports/Voto.h"
#include "session/SessionState.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestVoto : public QObject
{
    Q_OBJECT

private slots:
    void giudizio_gradesTheShareOfRightAnswers_data()
    {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("verificate");
        QTest::addColumn<int>("voto");
        QTest::addColumn<QString>("giudizio"); // empty: refused
        QTest::newRow("10 of 10") << 10 << 10 << 10 << u"OTTIMO"_s;
        QTest::newRow("9 of 10") << 9 << 10 << 9 << u"OTTIMO"_s;
        QTest::newRow("8 of 10") << 8 << 10 << 8 << u"DISTINTO"_s;
        QTest::newRow("7 of 10 is exactly 7") << 7 << 10 << 7 << u"BUONO"_s;
        QTest::newRow("6 of 10") << 6 << 10 << 6 << u"SUFFICIENTE"_s;
        QTest::newRow("5 of 10") << 5 << 10 << 5 << u"SUFFICIENTE (!)"_s;
        QTest::newRow("4 of 10 refused") << 4 << 10 << 4 << QString();
        QTest::newRow("36 of 40") << 36 << 40 << 9 << u"OTTIMO"_s;
        QTest::newRow("35 of 40 is 87.5%") << 35 << 40 << 8 << u"DISTINTO"_s;
        QTest::newRow("20 of 40") << 20 << 40 << 5 << u"SUFFICIENTE (!)"_s;
        QTest::newRow("19 of 40 refused") << 19 << 40 << 4 << QString();
        QTest::newRow("16 of 23 floors 6.96") << 16 << 23 << 6 << u"SUFFICIENTE"_s;
        QTest::newRow("none checked refused") << 0 << 0 << 0 << QString();
        QTest::newRow("more right than checked refused") << 11 << 10 << 11 << QString();
    }
    void giudizio_gradesTheShareOfRightAnswers()
    {
        QFETCH(int, esatte);
        QFETCH(int, verificate);
        QFETCH(int, voto);
        QFETCH(QString, giudizio);
        QCOMPARE(::voto(esatte, verificate), voto);
        QCOMPARE(::giudizio(voto), giudizio);
    }

    void nomeMaiuscolo_capitalisesOnlyTheFirstLetterAndIsStable_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("only the very first upper") << u"mARIO rOSSI"_s << u"Mario rossi"_s;
        QTest::newRow("accented") << u"élodie"_s << u"Élodie"_s;
        QTest::newRow("empty stays empty") << QString() << QString();
        QTest::newRow("sharp s stays one letter") << u"ßERT"_s << u"ßert"_s;
        QTest::newRow("emoji kept whole") << u"😀ANNA"_s << u"😀anna"_s;
        QTest::newRow("letters beyond the BMP") << u"𐐨𐐀𐐀"_s << u"𐐀𐐨𐐨"_s; // Deseret
        QTest::newRow("dotted capital I stays one letter") << u"AYŞE İLKAY"_s << u"Ayşe İlkay"_s;
    }
    void nomeMaiuscolo_capitalisesOnlyTheFirstLetterAndIsStable()
    {
        QFETCH(QString, nome);
        QFETCH(QString, atteso);
        const QString recased = ::nomeMaiuscolo(nome);
        QCOMPARE(recased, atteso);
        QCOMPARE(::nomeMaiuscolo(recased), recased);
    }

    void intervallo_statesTheRangeOnTheCertificate_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("didascalia");
        QTest::newRow("1 to 10") << 1 << 10 << u" Numeri da  1 a 10"_s;
        QTest::newRow("10 to 30") << 10 << 30 << u" Numeri da  10 a 30"_s;
        QTest::newRow("60 to 99") << 60 << 99 << u" Numeri da  60 a 99"_s;
    }
    void intervallo_statesTheRangeOnTheCertificate()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QString, didascalia);
        QCOMPARE(intervalloAttestato(min, max), didascalia);
    }

    void attestato_grantsOrRefusesByTheMark_data()
    {
        QTest::addColumn<int>("esatte");
        QTest::addColumn<int>("verificate");
        QTest::addColumn<QString>("giudizio"); // empty: refused
        QTest::addColumn<QString>("perche");
        QTest::newRow("35 of 40") << 35 << 40 << u"DISTINTO"_s
                                  << u"Per aver dato 35 risposte esatte su 40"_s;
        // The eleventh operation is on screen, not answered: it does not count.
        QTest::newRow("5 of 10 checked")
            << 5 << 10 << u"SUFFICIENTE (!)"_s << u"Per aver dato 5 risposte esatte su 10"_s;
        QTest::newRow("19 of 40 refused") << 19 << 40 << QString() << QString();
        QTest::newRow("restart state refused") << 0 << 0 << QString() << QString();
    }
    void attestato_grantsOrRefusesByTheMark()
    {
        QFETCH(int, esatte);
        QFETCH(int, verificate);
        QFETCH(QString, giudizio);
        QFETCH(QString, perche);
        SessionState s;
        s.NomeAlunno = u"mARIO rOSSI"_s;
        s.Istruzione = u"Calcola il segno"_s;
        s.NumeroMin = 60;
        s.NumeroMax = 99;
        s.Giudizio = u"BUONO"_s; // from an earlier activation
        s.RisposteEsatte = esatte;
        s.OperazioniVerificate = verificate;
        s.NumeroOperazione = verificate + 1;

        const Attestato a = calcolaAttestato(s, QDate(2026, 12, 7));
        QCOMPARE(s.NomeAlunno, u"Mario rossi"_s);
        QCOMPARE(a.rifiutato, giudizio.isEmpty());
        QCOMPARE(a.perche, perche);
        QCOMPARE(s.Giudizio, giudizio.isEmpty() ? u"BUONO"_s : giudizio);
        if (a.rifiutato) {
            QCOMPARE(s.Messaggio, u" TROPPE RISPOSTE ERRATE. L'ATTESTATO NON E' VISUALIZZABILE."
                                  u"\r\r CONTINUARE ?"_s);
            QCOMPARE(s.Titolo, u"Attenzione"_s);
        } else {
            QCOMPARE(a.nome, u"Mario rossi"_s);
            QCOMPARE(a.obiettivo3, u"Calcola il segno"_s);
            QCOMPARE(a.obiettivo2, u" Numeri da  60 a 99"_s);
            QCOMPARE(a.data, u"Data        07/12/2026"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestVoto)
#include "test_voto.moc"
