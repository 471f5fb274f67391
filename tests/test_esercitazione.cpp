#include "exercise/Esercitazione.h"
#include "exercise/Verifica.h"
#include "platform/doubles/Doubles.h"
#include "session/SessionState.h"
#include "session/Testi.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using enum Controllo;
using S = StatoEsercizio;

namespace {
// The exercise screen over doubles, with the range and activity the start screen stores.
struct Schermo
{
    SessionState s;
    MixRandom random;
    FakeClock clock;
    ScriptedMessageBox box;
    CountingBeeper beeper;
    int resoconti = 0;
    Esercitazione e{s, random, clock, box, beeper, [this] { ++resoconti; }};

    Schermo(int tipoMin, int tipoMax, int scelta = 1) : random(20261207 + scelta)
    {
        s.NumeroMin = std::array{1, 1, 10, 30, 60, 10}[scelta - 1];
        s.NumeroMax = std::array{10, 20, 30, 60, 99, 99}[scelta - 1];
        s.ScelteIntervallo = scelta;
        s.TipoMin = tipoMin;
        s.TipoMax = tipoMax;
    }
    const VistaEsercizio &v() const { return e.vista(); }
    bool segno() const { return s.TipoOperazione >= 7; }

    QString risposta(bool giusta) const
    {
        const QString &r = s.RispostaEsatta;
        if (giusta)
            return r;
        if (segno())
            return r == u"=" ? u"<"_s : r == u"<" ? u">"_s : u"="_s;
        return cifre(r.toInt() == 99 ? 98 : r.toInt() + 1);
    }
    // Types t key by key, as the text box takes it.
    void digita(const QString &t)
    {
        QString testo = v().testo(TxtRisultato);
        for (QChar c : t) {
            int k = c.unicode();
            e.TxtRisultato_KeyPress(k);
            if (k != 0)
                e.TxtRisultato_Change(testo += c);
        }
    }
    void invio()
    {
        int k = 13;
        e.TxtRisultato_KeyPress(k);
    }
    QString rispondi(bool giusta, bool conInvio)
    {
        const QString r = risposta(giusta);
        if (segno()) {
            e.segno(r);
            e.CmdVerifica_Click();
            return r;
        }
        digita(r);
        conInvio ? invio() : e.CmdVerifica_Click();
        return r;
    }

    // Plays the forty operations of a sitting, checking the screen before and after each
    // check; the fortieth check and its prompt are left to the caller. Returns the right
    // answers given, or -1 at the first mismatch.
    int seduta(int sbagliaOgni, bool conInvio)
    {
        int giuste = 0;
        for (int i = 1; i <= operazioniPerSeduta; ++i) {
            const int op = (i - 1) % 10 + 1;
            const int es = (i - 1) / 10 + 1;
            const bool attende = e.stato() == S::Attesa || (i == 1 && e.stato() == S::Fresco);
            if (!attende || !e.coerente() || s.NumeroOperazione != i ||
                s.OperazioneCorrente != op || s.NumeroEsercizio != es ||
                v().testo(LblEsercizio) != cifre(es) || v().testo(LblOperazione) != cifre(op) ||
                v().visibile(frmSegno) != segno() || v().visibile(frmNumero) == segno() ||
                v().testo(LblIstruzione) != istruzioni::digita)
                return fallito(i, "before the answer");
            const QString primaParte = s.Operazioni[static_cast<std::size_t>(i)];
            const bool giusta = sbagliaOgni == 0 || i % sbagliaOgni != 0;
            giuste += giusta;
            clock.advance(3.5);
            const QString r = rispondi(giusta, conInvio && i % 2 == 1);
            if (i == operazioniPerSeduta)
                break;
            const QString riga = primaParte + spazioRisposta(v().testo(TxtRisultato)) + u'(' + r +
                                 u")  3"_s + (giusta ? QString() : u"*"_s);
            if (!e.coerente() || e.stato() != (op == 10 ? S::EsercizioFinito : S::Verificato) ||
                s.Operazioni[static_cast<std::size_t>(i)] != riga ||
                v().testo(LblEsito) != (giusta ? esitoEsatto : esitoErrato) ||
                v().testo(LblSi) != stelle(s.EsatteEsercizio).value_or(QString()) ||
                v().testo(LblNo) != stelle(s.ErrateEsercizio).value_or(QString()) ||
                v().testo(LblTempoParziale) != u" 3"_s ||
                v().testo(LblTempoTotale) != Str(3 * op) || s.OperazioniVerificate != i ||
                v().abilitato(mnuStampa) != (i >= 10) || v().abilitato(mnuAttestato) != (i >= 10))
                return fallito(i, "after the check");
            op < 10 ? e.CmdOperazione_Click() : e.CmdEsercizio_Click();
        }
        return giuste;
    }
    int fallito(int i, const char *quando)
    {
        QTest::qFail(qPrintable(u"operation %1, %2"_s.arg(i).arg(QLatin1StringView(quando))),
                     __FILE__, __LINE__);
        return -1;
    }
};

const QString promptFine = u"Hai eseguito 4 esercizi.      \r\rVuoi visualizzare le operazioni "
                           u"eseguite?\r(Se rispondi NO l'esercizio sarà perso)"_s;
} // namespace

class TestEsercitazione : public QObject
{
    Q_OBJECT

private slots:
    void Form_Load_showsTheFreshStateAndTimesFromZero()
    {
        Schermo x(1, 7);
        x.s.SecondiEsercizio.fill(50);
        x.s.TempoEsercizio.fill(u" 50"_s);
        x.e.Form_Load();
        QCOMPARE(x.e.stato(), S::Fresco);
        QVERIFY(x.e.coerente());
        QCOMPARE(x.v().testo(Label2), u"Operazione con numero massimo da  1 a 10"_s);
        QCOMPARE(x.v().testo(LblEsercizio), u"1"_s);
        QCOMPARE(x.v().testo(LblOperazione), u"1"_s);
        QVERIFY(!x.v().abilitato(mnuStampa) && !x.v().abilitato(mnuAttestato));
        QCOMPARE(x.v().fuoco, std::optional(TxtRisultato));
        for (std::size_t k = 0; k < 6; ++k) {
            QCOMPARE(x.s.SecondiEsercizio[k], 0);
            QCOMPARE(x.s.TempoEsercizio[k], QString());
        }
    }

    void seduta_endsInOnePromptThenStartsAfresh_data()
    {
        QTest::addColumn<int>("tipoMin");
        QTest::addColumn<int>("tipoMax");
        QTest::addColumn<int>("scelta");
        QTest::addColumn<int>("sbagliaOgni");
        QTest::addColumn<bool>("conInvio");
        QTest::addColumn<int>("risposta");
        QTest::newRow("numbers 1-10, all right, Enter, Yes") << 1 << 7 << 1 << 0 << true << 6;
        QTest::newRow("signs 30-60, every third wrong, No") << 7 << 13 << 4 << 3 << false << 7;
        QTest::newRow("mixed 60-99, every other wrong, Yes") << 1 << 13 << 5 << 2 << true << 6;
        QTest::newRow("mixed 10-99, every fourth wrong, No") << 1 << 13 << 6 << 4 << true << 7;
        QTest::newRow("numbers 10-30, button, No") << 1 << 7 << 3 << 7 << false << 7;
    }
    void seduta_endsInOnePromptThenStartsAfresh()
    {
        QFETCH(int, tipoMin);
        QFETCH(int, tipoMax);
        QFETCH(int, scelta);
        QFETCH(int, sbagliaOgni);
        QFETCH(bool, conInvio);
        QFETCH(int, risposta);
        Schermo x(tipoMin, tipoMax, scelta);
        x.box.answers = {risposta, MessageBox::Si};
        x.e.Form_Load();
        const int giuste = x.seduta(sbagliaOgni, conInvio);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(x.box.shown.size(), 1);
        QCOMPARE(x.box.shown[0].prompt, promptFine);
        QCOMPARE(x.box.shown[0].style, 68);
        QCOMPARE(x.box.shown[0].title, u"FINE ESERCITAZIONE"_s);
        QVERIFY(x.e.coerente());
        if (risposta == MessageBox::Si) {
            QCOMPARE(x.resoconti, 1);
            QCOMPARE(x.e.stato(), S::EsercizioFinito);
            QCOMPARE(x.s.NumeroEsercizio, 0);
            QCOMPARE(x.s.RisposteEsatte, giuste);
            QVERIFY(x.s.Operazioni[40].contains(u'('));
            x.invio(); // the fortieth is checked once: no second prompt
            x.e.verifica();
            QCOMPARE(x.box.shown.size(), 1);
            QCOMPARE(x.s.OperazioniVerificate, 40);
        } else {
            QCOMPARE(x.resoconti, 0);
            QVERIFY(x.e.ricomincia());
            QCOMPARE(x.e.stato(), S::Ripartenza);
            QCOMPARE(x.s.NumeroOperazione, 0);
            QCOMPARE(x.v().testo(LblEsercizio), u"1"_s);
            for (Controllo c : {LblNumero1, LblNumero2, lblNumero4, lblNumero6, LblNumero8})
                QCOMPARE(x.v().testo(c), QString());
            for (std::size_t i = 1; i <= 40; ++i)
                QCOMPARE(x.s.Operazioni[i], QString());
        }
        // Either way "Nuovo esercizio" begins a whole new sitting at position 1.
        x.e.CmdEsercizio_Click();
        QCOMPARE(x.e.stato(), S::Attesa);
        QCOMPARE(x.s.NumeroOperazione, 1);
        QCOMPARE(x.s.RisposteEsatte, 0);
        QVERIFY(!x.v().abilitato(mnuStampa));
        x.seduta(sbagliaOgni, conInvio);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(x.box.shown.size(), 2);
        for (std::size_t k = 1; k <= 4; ++k) // ten answers of 3 s, none from the first sitting
            QCOMPARE(x.s.TempoEsercizio[k], u" 30"_s);
    }

    void ripartenza_acceptsNoAnswer()
    {
        Schermo x(7, 13);
        x.box.answers = {MessageBox::No};
        x.e.Form_Load();
        x.seduta(0, false);
        if (QTest::currentTestFailed())
            return;
        const QString rispostaData = x.s.RispostaData;
        x.digita(u"5"_s);
        x.invio();
        for (const QString &segno : {u"="_s, u"<"_s, u">"_s})
            x.e.segno(segno);
        x.e.CmdVerifica_Click();
        x.e.verifica();
        QCOMPARE(x.e.stato(), S::Ripartenza);
        QVERIFY(x.e.coerente());
        QCOMPARE(x.box.shown.size(), 1);
        QCOMPARE(x.v().testo(TxtRisultato), QString());
        QCOMPARE(x.v().testo(lblSegno2), QString());
        QCOMPARE(x.s.RispostaData, rispostaData);
        QCOMPARE(x.s.OperazioniVerificate, 0);
        QCOMPARE(x.s.Operazioni[0], QString());
        x.e.Form_Load(); // closed and opened again
        QCOMPARE(x.e.stato(), S::Ripartenza);
        QCOMPARE(x.v().fuoco, std::optional(CmdEsercizio));
        QVERIFY(x.v().visibile(frmSegno));
    }

    void numero_isCheckedOnce()
    {
        Schermo x(1, 7);
        x.e.Form_Load();
        x.clock.advance(2);
        x.rispondi(true, true);
        QCOMPARE(x.v().fuoco, std::optional(CmdOperazione));
        const QString riga = x.s.Operazioni[1];
        x.clock.advance(5);
        x.invio();
        x.e.CmdVerifica_Click();
        x.e.verifica();
        x.e.TxtRisultato_Change(u"99"_s);
        QCOMPARE(x.s.Operazioni[1], riga);
        QCOMPARE(x.s.RisposteEsatte, 1);
        QCOMPARE(x.s.OperazioniVerificate, 1);
        QCOMPARE(x.s.SecondiEsercizio[1], 2);
        QCOMPARE(x.e.stato(), S::Verificato);
    }

    void segno_cannotBeChangedAfterTheCheck()
    {
        Schermo x(7, 13);
        x.e.Form_Load();
        const QString sbagliato = x.rispondi(false, false);
        x.e.segno(x.s.RispostaEsatta);
        x.e.verifica();
        QCOMPARE(x.v().testo(lblSegno2), sbagliato);
        QCOMPARE(x.s.RispostaData, sbagliato);
        QVERIFY(!x.v().visibile(CmdVerifica));
        QCOMPARE(x.s.EsatteEsercizio, 0);
        QCOMPARE(x.s.ErrateEsercizio, 1);
        QCOMPARE(x.s.Operazioni[1].count(u'('), 1);
    }

    // The seconds of an answer are the seconds that passed, whatever the time of day did
    // meanwhile.
    void risposta_countsItsTrueSeconds_data()
    {
        QTest::addColumn<double>("ora");        // time of day when the operation is shown
        QTest::addColumn<double>("trascorsi");  // seconds the child takes
        QTest::addColumn<double>("correzione"); // the system clock moved meanwhile
        QTest::addColumn<QString>("parziale");
        QTest::newRow("across midnight") << 86398.0 << 5.5 << 0.0 << u" 5"_s;
        QTest::newRow("clock set back one second") << 36000.0 << 5.5 << -1.0 << u" 5"_s;
        QTest::newRow("clock set back a minute") << 36000.0 << 0.5 << -60.0 << u" 0"_s;
        QTest::newRow("daylight saving starts") << 7199.0 << 4.0 << 3600.0 << u" 4"_s;
        QTest::newRow("daylight saving ends") << 10799.0 << 4.0 << -3600.0 << u" 4"_s;
    }
    void risposta_countsItsTrueSeconds()
    {
        QFETCH(double, ora);
        QFETCH(double, trascorsi);
        QFETCH(double, correzione);
        QFETCH(QString, parziale);
        Schermo x(1, 7);
        x.clock.now = ora;
        x.e.Form_Load();
        x.clock.advance(trascorsi);
        x.clock.setTimeOfDay(std::fmod(x.clock.now + correzione + 86400.0, 86400.0));
        x.rispondi(true, true);
        QCOMPARE(x.v().testo(LblTempoParziale), parziale);
        QCOMPARE(x.v().testo(LblTempoTotale), parziale);
        QVERIFY2(x.s.Operazioni[1].endsWith(u") "_s + parziale), qPrintable(x.s.Operazioni[1]));
        QCOMPARE(x.s.TempoEsercizio[1], parziale);
    }

    void TxtRisultato_KeyPress_filters_data()
    {
        QTest::addColumn<int>("keyAscii");
        QTest::addColumn<bool>("passa");
        QTest::newRow("digit 0") << int('0') << true;
        QTest::newRow("digit 9") << int('9') << true;
        QTest::newRow("Backspace") << 8 << true;
        for (int k : {3, 22, 24, int('a'), int(' '), int('-'), int('/'), int(':')})
            QTest::addRow("code %d", k) << k << false;
    }
    void TxtRisultato_KeyPress_filters()
    {
        QFETCH(int, keyAscii);
        QFETCH(bool, passa);
        Schermo x(1, 7);
        x.e.Form_Load();
        int k = keyAscii;
        x.e.TxtRisultato_KeyPress(k);
        QCOMPARE(k, passa ? keyAscii : 0);
        QCOMPARE(x.beeper.beeps, passa ? 0 : 1);
    }

    void invioSenzaRisposta_remindsAndDoesNotCheck()
    {
        Schermo x(1, 7);
        x.e.Form_Load();
        x.invio();
        QCOMPARE(x.box.shown.size(), 1);
        QCOMPARE(x.box.shown[0].style, 0);
        QCOMPARE(x.s.Messaggio, u"Hai dimenticato il risultato"_s);
        QCOMPARE(x.s.Titolo, u"distrazione"_s);
        QCOMPARE(x.box.shown[0].title, x.s.Titolo);
        QCOMPARE(x.s.Risposta, 1);
        QCOMPARE(x.v().fuoco, std::optional(TxtRisultato));
        QCOMPARE(x.s.OperazioniVerificate, 0);
    }

    void rispostaCancellata_leavesVerificaOffered()
    {
        Schermo x(1, 7);
        x.e.Form_Load();
        x.digita(u"5"_s);
        x.e.TxtRisultato_Change(QString());
        QCOMPARE(x.s.RispostaData, QString());
        QCOMPARE(x.e.stato(), S::Risposto);
        QVERIFY(x.e.coerente());
        x.e.CmdVerifica_Click();
        QVERIFY(x.s.Operazioni[1].endsWith(u" ()  0*"_s));
    }

    void invioAllaDecima_offersNuovoEsercizio()
    {
        Schermo x(1, 7);
        x.e.Form_Load();
        for (int i = 1; i < 10; ++i) {
            x.rispondi(true, false);
            x.e.TxtRisultato_Click();
            QCOMPARE(x.v().fuoco, std::optional(CmdOperazione));
            x.e.CmdOperazione_Click();
        }
        x.rispondi(true, true);
        QCOMPARE(x.v().fuoco, std::optional(CmdEsercizio));
        QCOMPARE(x.e.stato(), S::EsercizioFinito);
        QCOMPARE(x.v().testo(LblSi), u"* * * * * * * * * *"_s);
        QCOMPARE(x.v().testo(LblNo), QString());
        x.e.CmdOperazione_Click(); // hidden: nothing happens
        QCOMPARE(x.s.NumeroOperazione, 10);
    }
};

QTEST_GUILESS_MAIN(TestEsercitazione)
#include "test_esercitazione.moc"
