#include "exercise/Operazione.h"
#include "platform/doubles/Doubles.h"
#include "session/SessionState.h"

#include <QtTest>

#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace {
// Passes when the counts fit equal expectations, at p = 1e-4 (Wilson-Hilferty bound).
template <typename Key> bool uniforme(const std::map<Key, int> &conteggi, double atteso)
{
    double chi = 0;
    for (const auto &[chiave, n] : conteggi)
        chi += (n - atteso) * (n - atteso) / atteso;
    const double df = static_cast<double>(conteggi.size()) - 1;
    const double c = 2.0 / (9.0 * df);
    return chi < df * std::pow(1.0 - c + 3.719 * std::sqrt(c), 3);
}

// The places of a type as "control(caption)", left to right.
QString descrivi(const TipoOp &t, int a, int b)
{
    static const char *nomi[] = {"Label2",     "LblNumero1", "LblSegno",   "TxtRisultato",
                                 "LblUguale",  "LblNumero2", "lblNumero4", "lblSegno2",
                                 "lblNumero6", "lblUguale2", "LblNumero8"};
    QStringList pezzi;
    for (const Posto &p : t.posti) {
        QString pezzo = QLatin1StringView(nomi[static_cast<int>(p.controllo)]);
        if (p.pezzo != Pezzo::Risposta)
            pezzo += u'(' + testo(p.pezzo, a, b) + u')';
        pezzi << pezzo;
    }
    return pezzi.join(u' ');
}

// A session drawing all twelve types from range choice 2, and the script that makes it draw
// type t with addends a and b.
SessionState sessione()
{
    SessionState s;
    s.ScelteIntervallo = 2;
    s.TipoMin = 1;
    s.TipoMax = 13;
    return s;
}
std::deque<double> copione(int t, int a, int b)
{
    return {(t - 0.5) / 12.0, (a - 0.5) / 20.0, (b - 0.5) / 20.0};
}
} // namespace

class TestOperazione : public QObject
{
    Q_OBJECT

private slots:
    void livello2_drawsEveryAcceptedPairEquallyOften_data()
    {
        QTest::addColumn<int>("scelta");
        QTest::addColumn<int>("addendoMin");
        QTest::addColumn<int>("addendoMax");
        QTest::addColumn<int>("sommaMin");
        QTest::addColumn<int>("sommaMax");
        QTest::addColumn<int>("coppie");
        QTest::newRow("1 to 10") << 1 << 1 << 9 << 2 << 10 << 45;
        QTest::newRow("1 to 20") << 2 << 1 << 19 << 2 << 20 << 190;
        QTest::newRow("10 to 30") << 3 << 1 << 29 << 10 << 30 << 399;
        QTest::newRow("30 to 60 never rejects") << 4 << 15 << 29 << 30 << 58 << 225;
        QTest::newRow("60 to 99") << 5 << 15 << 59 << 60 << 99 << 1370;
        QTest::newRow("10 to 99") << 6 << 5 << 44 << 20 << 88 << 1545;
    }
    void livello2_drawsEveryAcceptedPairEquallyOften()
    {
        QFETCH(int, scelta);
        QFETCH(int, addendoMin);
        QFETCH(int, addendoMax);
        QFETCH(int, sommaMin);
        QFETCH(int, sommaMax);
        QFETCH(int, coppie);
        SessionState s;
        s.ScelteIntervallo = scelta;
        MixRandom random(20261207);
        FakeClock clock;
        std::map<std::pair<int, int>, int> conteggi;
        for (int i = 0; i < coppie * 100; ++i) {
            clock.advance(0.37);
            livello2(s, random, clock);
            const int a = s.Addendo1;
            const int b = s.Addendo2;
            QVERIFY(a >= addendoMin && a <= addendoMax && b >= addendoMin && b <= addendoMax);
            QVERIFY(a + b >= sommaMin && a + b <= sommaMax);
            ++conteggi[{a, b}];
        }
        QCOMPARE(static_cast<int>(conteggi.size()), coppie);
        QVERIFY(uniforme(conteggi, 100));
    }

    void livello2_redrawsTheWholePair()
    {
        SessionState s;
        s.ScelteIntervallo = 1;
        ScriptedRandom random;
        FakeClock clock;
        random.script = {0.95, 0.05, 0.45, 0.35}; // 10 + 1 is over 10: both drawn again
        livello2(s, random, clock);
        QCOMPARE(s.Addendo1, 5);
        QCOMPARE(s.Addendo2, 4);
        QCOMPARE(s.Spazio1 + s.Spazio2 + s.Spazio3, u"   "_s);
        QCOMPARE(random.reseeds, 1);
    }

    void sceltaTipo_drawsTheActivitysTypesUniformly_data()
    {
        QTest::addColumn<int>("tipoMin");
        QTest::addColumn<int>("tipoMax");
        QTest::newRow("Calcolo del numero") << 1 << 7;
        QTest::newRow("Calcolo del segno") << 7 << 13;
        QTest::newRow("numero o segno") << 1 << 13;
    }
    void sceltaTipo_drawsTheActivitysTypesUniformly()
    {
        QFETCH(int, tipoMin);
        QFETCH(int, tipoMax);
        SessionState s;
        s.TipoMin = tipoMin;
        s.TipoMax = tipoMax;
        MixRandom random(7);
        FakeClock clock;
        std::map<int, int> conteggi;
        for (int i = 0; i < 5000 * (tipoMax - tipoMin); ++i)
            ++conteggi[sceltaTipo(s, random, clock)];
        QCOMPARE(conteggi.begin()->first, tipoMin);
        QCOMPARE(conteggi.rbegin()->first, tipoMax - 1);
        QCOMPARE(static_cast<int>(conteggi.size()), tipoMax - tipoMin);
        QVERIFY(uniforme(conteggi, 5000));
    }

    void linea_writesEachTypeInItsColumns_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("type 1: ? + 7 = 12") << 1 << 7 << 5 << u" . +  7 = 12"_s;
        QTest::newRow("type 2: 7 + ? = 12") << 2 << 7 << 5 << u" 7 +  . = 12"_s;
        QTest::newRow("type 3: 7 + 5 = ?") << 3 << 7 << 5 << u" 7 +  5 = . "_s;
        QTest::newRow("type 4: ? = 7 + 5") << 4 << 7 << 5 << u" . =  7 +  5"_s;
        QTest::newRow("type 5: 12 = ? + 5") << 5 << 7 << 5 << u"12 =  . +  5"_s;
        QTest::newRow("type 6: 12 = 5 + ?") << 6 << 7 << 5 << u"12 =  5 + . "_s;
        QTest::newRow("type 7: 7 + 5 ? 12") << 7 << 7 << 5 << u" 7 +  5 . 12"_s;
        QTest::newRow("type 8: 7 + 5 ? 11") << 8 << 7 << 5 << u" 7 +  5 . 11"_s;
        QTest::newRow("type 9: 7 + 5 ? 13") << 9 << 7 << 5 << u" 7 +  5 . 13"_s;
        QTest::newRow("type 10: 12 ? 7 + 5") << 10 << 7 << 5 << u"12 .  7 +  5"_s;
        QTest::newRow("type 11: 13 ? 7 + 5") << 11 << 7 << 5 << u"13 .  7 +  5"_s;
        QTest::newRow("type 12: 11 ? 5 + 7") << 12 << 7 << 5 << u"11 .  5 +  7"_s;
        QTest::newRow("9 reaching 100") << 9 << 50 << 49 << u"50 + 49 . 100"_s;
        QTest::newRow("11 reaching 100") << 11 << 50 << 49 << u"100 . 50 + 49"_s;
        QTest::newRow("8 of 1 + 1") << 8 << 1 << 1 << u" 1 +  1 .  1"_s;
        QTest::newRow("addend 9 padded, 10 not") << 3 << 9 << 10 << u" 9 + 10 = . "_s;
    }
    void linea_writesEachTypeInItsColumns()
    {
        QFETCH(int, t);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, attesa);
        QCOMPARE(::linea(*tipoOp(t), a, b), attesa);
    }

    void visualizza_placesTheTypeAndItsAnswer_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("posti");
        QTest::addColumn<QString>("risposta");
        const QString n1 = u"TxtRisultato LblSegno(+) LblNumero1(7) "_s;
        QTest::newRow("type 1: ? + 7 = 12, answer 5")
            << 1 << n1 + u"LblUguale(=) LblNumero2(12)"_s << u"5"_s;
        QTest::newRow("type 2: 7 + ? = 12, answer 5") << 2
                                                      << u"LblNumero1(7) LblSegno(+) TxtRisultato "
                                                         u"LblUguale(=) LblNumero2(12)"_s
                                                      << u"5"_s;
        QTest::newRow("type 3: 7 + 5 = ?, answer 12") << 3
                                                      << u"LblNumero1(7) LblSegno(+) LblNumero2(5) "
                                                         u"LblUguale(=) TxtRisultato"_s
                                                      << u"12"_s;
        QTest::newRow("type 4: ? = 7 + 5, answer 12") << 4
                                                      << u"TxtRisultato LblUguale(=) LblNumero1(7) "
                                                         u"LblSegno(+) LblNumero2(5)"_s
                                                      << u"12"_s;
        QTest::newRow("type 5: 12 = ? + 5, answer 7")
            << 5
            << u"LblNumero1(12) LblUguale(=) TxtRisultato "
               u"LblSegno(+) LblNumero2(5)"_s
            << u"7"_s;
        QTest::newRow("type 6: 12 = 5 + ?, answer 7")
            << 6
            << u"LblNumero1(12) LblUguale(=) LblNumero2(5) "
               u"LblSegno(+) TxtRisultato"_s
            << u"7"_s;
        const QString s7 = u"lblNumero4(7) lblUguale2(+) lblNumero6(5) lblSegno2 "_s;
        QTest::newRow("type 7: 7 + 5 ? 12, answer =") << 7 << s7 + u"LblNumero8(12)"_s << u"="_s;
        QTest::newRow("type 8: 7 + 5 ? 11, answer >") << 8 << s7 + u"LblNumero8(11)"_s << u">"_s;
        QTest::newRow("type 9: 7 + 5 ? 13, answer <") << 9 << s7 + u"LblNumero8(13)"_s << u"<"_s;
        const QString s10 = u"lblSegno2 lblNumero6(7) lblUguale2(+) LblNumero8(5)"_s;
        QTest::newRow("type 10: 12 ? 7 + 5, answer =")
            << 10 << u"lblNumero4(12) "_s + s10 << u"="_s;
        QTest::newRow("type 11: 13 ? 7 + 5, answer >")
            << 11 << u"lblNumero4(13) "_s + s10 << u">"_s;
        QTest::newRow("type 12: 11 ? 5 + 7, answer <") << 12
                                                       << u"lblNumero4(11) lblSegno2 lblNumero6(5) "
                                                          u"lblUguale2(+) LblNumero8(7)"_s
                                                       << u"<"_s;
    }
    void visualizza_placesTheTypeAndItsAnswer()
    {
        QFETCH(int, t);
        QFETCH(QString, posti);
        QFETCH(QString, risposta);
        SessionState s = sessione();
        s.NumeroOperazione = 3;
        ScriptedRandom random;
        random.script = copione(t, 7, 5);
        FakeClock clock;
        clock.now = 4000.25;
        const TipoOp *mostrato = visualizza(s, random, clock);
        QVERIFY(mostrato);
        QCOMPARE(s.TipoOperazione, t);
        QCOMPARE(descrivi(*mostrato, s.Addendo1, s.Addendo2), posti);
        QCOMPARE(s.RispostaEsatta, risposta);
        QCOMPARE(s.Operazioni[3], ::linea(*mostrato, 7, 5));
        QCOMPARE(s.InizioOperazione, 4000.25);
        QCOMPARE(random.reseeds, 2);
    }

    void visualizza_padsTheThirdNumber_data()
    {
        QTest::addColumn<int>("t");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("spazio3");
        QTest::newRow("9: sum 9, s + 1 is 10") << 9 << 4 << 5 << QString();
        QTest::newRow("8: sum 10, s - 1 is 9") << 8 << 5 << 5 << u" "_s;
        QTest::newRow("12: sum 10, s - 1 is 9") << 12 << 5 << 5 << u" "_s;
        QTest::newRow("3: sum 9") << 3 << 4 << 5 << u" "_s;
    }
    void visualizza_padsTheThirdNumber()
    {
        QFETCH(int, t);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, spazio3);
        SessionState s = sessione();
        ScriptedRandom random;
        random.script = copione(t, a, b);
        FakeClock clock;
        visualizza(s, random, clock);
        QCOMPARE(s.Spazio3, spazio3);
    }

    void visualizza_storesNothingOutsideTheList()
    {
        for (int numero : {-1, 46}) {
            SessionState s = sessione();
            s.NumeroOperazione = numero;
            MixRandom random;
            FakeClock clock;
            QVERIFY(visualizza(s, random, clock));
            for (const QString &riga : s.Operazioni)
                QVERIFY(riga.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestOperazione)
#include "test_operazione.moc"
