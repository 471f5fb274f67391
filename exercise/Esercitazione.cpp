#include "exercise/Esercitazione.h"

#include "exercise/Operazione.h"
#include "exercise/Verifica.h"
#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Tabelle.h"
#include "session/SessionState.h"
#include "session/Testi.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace {
using enum Controllo;

// The captions that hold an operation, emptied before the next one is shown.
constexpr std::array<Controllo, 9> didascalieOperazione{LblUguale,  LblSegno,   LblNumero1,
                                                        LblNumero2, lblUguale2, lblSegno2,
                                                        lblNumero4, lblNumero6, LblNumero8};

// What a state does with a button: shows it, hides it, or keeps it as the state before left
// it. Every way the flow takes into a kept cell brings the button in hidden.
enum class Cella : std::uint8_t { Nascosto, Mostrato, Tenuto };
constexpr Cella N = Cella::Nascosto, M = Cella::Mostrato, T = Cella::Tenuto;

// The state table. For each way into a state: the state, CmdVerifica, CmdOperazione,
// CmdEsercizio, CmdFine and CmdStampa (the order of pulsantiDiStato), whether the answer box is
// locked, and the instruction.
struct Riga
{
    Ingresso ingresso;
    StatoEsercizio stato;
    std::array<Cella, 5> pulsanti;
    bool bloccato;
    const QString *istruzione;
};

using enum Ingresso;
// clang-format off
constexpr std::array<Riga, 8> tabellaStati{{
    {Caricamento,     StatoEsercizio::Fresco,          {N, N, N, M, N}, false, &istruzioni::digita},
    {Ripartenza,      StatoEsercizio::Ripartenza,      {N, N, M, M, N}, true,  &istruzioni::nuovoEsercizio},
    {NuovaOperazione, StatoEsercizio::Attesa,          {N, N, N, T, T}, false, &istruzioni::digita},
    {NuovoEsercizio,  StatoEsercizio::Attesa,          {N, N, N, N, N}, false, &istruzioni::digita},
    {Digitato,        StatoEsercizio::Risposto,        {M, T, T, N, N}, false, &istruzioni::verifica},
    {SegnoScelto,     StatoEsercizio::Risposto,        {M, T, T, N, T}, false, &istruzioni::verifica},
    {Verificato,      StatoEsercizio::Verificato,      {N, M, T, T, T}, true,  &istruzioni::nuovaOperazione},
    {EsercizioFinito, StatoEsercizio::EsercizioFinito, {N, N, M, M, M}, true,  &istruzioni::nuovoEsercizio},
}};
// clang-format on
static_assert(perChiave(tabellaStati, &Riga::ingresso),
              "the state table lists the ways in in their order");

const Riga &riga(Ingresso ingresso)
{
    return tabellaStati[static_cast<std::size_t>(ingresso)];
}
} // namespace

VistaEsercizio::VistaEsercizio()
{
    m_testo[indice(LblUguale)] = u"="_s;
    m_visibile.fill(true);
    m_abilitato.fill(true);
    m_posto.fill(-1);
}

QString VistaEsercizio::verdetto() const
{
    if (testo(LblEsito) == esitoEsatto)
        return u"Esatto"_s;
    if (testo(LblEsito) == esitoErrato)
        return u"Errato"_s;
    return {};
}

Esercitazione::Esercitazione(SessionState &s, Random &random, Clock &clock, MessageBox &messageBox,
                             Beeper &beeper, std::function<void()> apriResoconto)
    : m_s(s), m_random(random), m_clock(clock), m_messageBox(messageBox), m_beeper(beeper),
      m_apriResoconto(std::move(apriResoconto))
{
}

StatoEsercizio Esercitazione::stato() const
{
    return riga(m_ingresso).stato;
}

bool Esercitazione::coerente() const
{
    const Riga &r = riga(m_ingresso);
    for (std::size_t i = 0; i < pulsantiDiStato.size(); ++i)
        if (m_vista.visibile(pulsantiDiStato[i]) != (r.pulsanti[i] == Cella::Mostrato))
            return false;
    return m_vista.TxtRisultatoBloccato == r.bloccato &&
           m_vista.testo(LblIstruzione) == *r.istruzione;
}

void Esercitazione::entra(Ingresso ingresso)
{
    const Riga &r = riga(ingresso);
    for (std::size_t i = 0; i < pulsantiDiStato.size(); ++i)
        if (r.pulsanti[i] != Cella::Tenuto)
            m_vista.mostra(pulsantiDiStato[i], r.pulsanti[i] == Cella::Mostrato);
    m_vista.TxtRisultatoBloccato = r.bloccato;
    m_vista.testo(LblIstruzione) = *r.istruzione;
    m_ingresso = ingresso;
}

void Esercitazione::Form_Load()
{
    m_vista = VistaEsercizio();
    caricamento(true);
}

void Esercitazione::aggiornaIntervallo()
{
    m_vista.testo(Label2) =
        u"Operazione con numero massimo da "_s + Str(m_s.NumeroMin) + u" a"_s + Str(m_s.NumeroMax);
}

void Esercitazione::caricamento(bool conRipartenza)
{
    m_vista.abilita(mnuStampa, false);
    m_vista.abilita(mnuAttestato, false);
    aggiornaIntervallo();

    m_s.RisposteEsatte = 0;
    m_s.OperazioniVerificate = 0;
    m_s.NumeroOperazione = 1;
    m_s.NumeroEsercizio = 1;
    m_s.OperazioneCorrente = 1;
    m_vista.testo(LblEsercizio) = cifre(m_s.NumeroEsercizio);
    m_vista.testo(LblOperazione) = cifre(m_s.OperazioneCorrente);
    // Every sitting times its four exercises from zero.
    m_s.SecondiEsercizio.fill(0);
    m_s.TempoEsercizio.fill(QString());

    for (Controllo c : {LblTempoTotale, LblTempoParziale, LblSi, LblNo, LblNumero1, LblNumero2})
        m_vista.testo(c).clear();
    impostaRisultato(QString());
    m_vista.testo(LblEsito).clear();
    m_s.ErrateEsercizio = 0;
    m_s.EsatteEsercizio = 0;

    if (Ricomincia && conRipartenza) {
        ripartenza();
        return;
    }
    livello2(m_s, m_random, m_clock);
    mostraOperazione();
    entra(Caricamento);
}

// Waiting for "Nuovo esercizio", with nothing to answer: an answer here would take position 0
// and count towards the next sitting.
void Esercitazione::ripartenza()
{
    m_s.NumeroEsercizio = 0;
    m_s.NumeroOperazione = 0;

    svuotaOperazione();
    const TipoOp *primo = tipoOp(m_s.TipoMin);
    const bool segno = primo && primo->gruppo == Gruppo::Segno;
    m_vista.mostra(frmNumero, !segno);
    m_vista.mostra(frmSegno, segno);
    m_vista.fuoco = CmdEsercizio;

    m_tipo = nullptr;
    m_daVerificare = false;
    entra(Ripartenza);
}

void Esercitazione::mostraOperazione()
{
    m_tipo = ::visualizza(m_s, m_random, m_clock);
    m_vista.frase.clear();
    if (m_tipo) {
        const bool numero = m_tipo->gruppo == Gruppo::Numero;
        m_vista.mostra(frmNumero, numero);
        m_vista.mostra(frmSegno, !numero);
        // The keyboard starts where the answer goes: the box, or the first sign picture.
        m_vista.fuoco = numero ? TxtRisultato : Image3;
        for (std::size_t i = 0; i < m_tipo->posti.size(); ++i) {
            const Posto &p = m_tipo->posti[i];
            m_vista.sposta(p.controllo, static_cast<int>(i));
            if (p.pezzo != Pezzo::Risposta)
                m_vista.testo(p.controllo) = testo(p.pezzo, m_s.Addendo1, m_s.Addendo2);
        }
        m_vista.frase = ::frase(*m_tipo, m_s.Addendo1, m_s.Addendo2);
    }
    impostaRisultato(QString());
    m_vista.testo(LblEsito).clear();
    m_daVerificare = m_tipo != nullptr;
}

void Esercitazione::svuotaOperazione()
{
    for (Controllo c : didascalieOperazione)
        m_vista.testo(c).clear();
    m_vista.frase.clear();
}

void Esercitazione::CmdOperazione_Click()
{
    m_vista.fuoco.reset();
    if (!m_vista.visibile(CmdOperazione))
        return;
    ++m_s.NumeroOperazione;
    ++m_s.OperazioneCorrente;
    m_vista.testo(LblOperazione) = cifre(m_s.OperazioneCorrente);
    impostaRisultato(QString());
    svuotaOperazione();
    livello2(m_s, m_random, m_clock);
    mostraOperazione();
    entra(NuovaOperazione);
}

void Esercitazione::CmdEsercizio_Click()
{
    m_vista.fuoco.reset();
    if (!m_vista.visibile(CmdEsercizio))
        return;
    // After the fourth exercise (answered Yes at the end of the sitting, or the fifth exercise
    // would begin) a new sitting starts: the list has room for one sitting only.
    const bool nuovaSeduta =
        m_s.NumeroOperazione >= operazioniPerSeduta || m_s.NumeroEsercizio >= eserciziPerSeduta;
    m_s.OperazioneCorrente = 1;
    ++m_s.NumeroEsercizio;
    ++m_s.NumeroOperazione;
    if (nuovaSeduta)
        caricamento(false);
    m_vista.testo(LblOperazione) = cifre(m_s.OperazioneCorrente);
    m_vista.testo(LblEsercizio) = cifre(m_s.NumeroEsercizio);
    svuotaOperazione();
    m_s.EsatteEsercizio = 0;
    m_s.ErrateEsercizio = 0;
    m_vista.testo(LblSi).clear();
    m_vista.testo(LblNo).clear();
    mostraOperazione();
    entra(NuovoEsercizio);
}

void Esercitazione::CmdVerifica_Click()
{
    if (!m_vista.visibile(CmdVerifica)) {
        m_vista.fuoco.reset();
        return;
    }
    verifica();
}

void Esercitazione::TxtRisultato_KeyPress(int &keyAscii)
{
    m_vista.fuoco.reset();
    if (!tastoAmmesso(keyAscii)) {
        m_beeper.beep();
        keyAscii = 0;
        return;
    }
    if (keyAscii != 13 || !m_daVerificare)
        return;
    if (m_vista.testo(TxtRisultato).isEmpty()) {
        m_s.Messaggio = u"Hai dimenticato il risultato"_s;
        m_s.Titolo = u"distrazione"_s;
        m_s.Risposta = m_messageBox.msgBox(m_s.Messaggio, m_s.Stile, m_s.Titolo);
        m_vista.fuoco = TxtRisultato;
        return;
    }
    controlla();
}

void Esercitazione::TxtRisultato_Change(const QString &text)
{
    m_vista.fuoco.reset();
    if (!m_daVerificare || m_vista.TxtRisultatoBloccato)
        return;
    impostaRisultato(text);
}

void Esercitazione::impostaRisultato(const QString &text)
{
    if (text == m_vista.testo(TxtRisultato))
        return;
    m_vista.testo(TxtRisultato) = text;
    m_s.RispostaData = text;
    if (!text.isEmpty())
        entra(Digitato);
}

void Esercitazione::TxtRisultato_Click()
{
    m_vista.fuoco = CmdOperazione;
}

void Esercitazione::segno(const QString &s)
{
    m_vista.fuoco.reset();
    if (!m_daVerificare || !m_tipo || m_tipo->gruppo != Gruppo::Segno)
        return;
    if (s != u"="_s && s != u"<"_s && s != u">"_s)
        return;
    if (s == m_vista.testo(lblSegno2))
        return;
    m_vista.testo(lblSegno2) = s;
    LblSegno2_Change();
}

void Esercitazione::LblSegno2_Change()
{
    const QString &caption = m_vista.testo(lblSegno2);
    if (caption.isEmpty())
        return;
    m_s.RispostaData = caption;
    m_vista.fuoco = CmdVerifica;
    entra(SegnoScelto);
}

void Esercitazione::verifica()
{
    m_vista.fuoco.reset();
    controlla();
}

void Esercitazione::controlla()
{
    if (!m_daVerificare)
        return;
    m_daVerificare = false;

    const EsitoVerifica e =
        giudica(m_s, m_vista.testo(TxtRisultato), {m_clock.timer(), m_clock.monotonic()});
    m_vista.testo(LblEsito) = e.LblEsito;
    if (e.LblSi)
        m_vista.testo(LblSi) = *e.LblSi;
    if (e.LblNo)
        m_vista.testo(LblNo) = *e.LblNo;

    // The focus goes on to the step now offered, however the check was asked for, so that the
    // keyboard never strands on a button that has just been hidden.
    m_vista.fuoco = e.esercizioFinito ? CmdEsercizio : CmdOperazione;
    entra(e.esercizioFinito ? EsercizioFinito : Verificato);

    m_vista.testo(LblTempoParziale) = e.LblTempoParziale;
    m_vista.testo(LblTempoTotale) = e.LblTempoTotale;
    if (e.menuAbilitati) {
        m_vista.abilita(mnuStampa, true);
        m_vista.abilita(mnuAttestato, true);
    }
    if (e.fineSeduta)
        fineSeduta();
}

void Esercitazione::fineSeduta()
{
    m_s.NumeroEsercizio = 0;
    m_s.Messaggio = messaggioFineSeduta();
    m_s.Titolo = titoloFineSeduta;
    m_s.Risposta = m_messageBox.msgBox(m_s.Messaggio, MessageBox::SiNoInformazione, m_s.Titolo);
    if (m_s.Risposta == MessageBox::Si) {
        if (m_apriResoconto)
            m_apriResoconto();
        return;
    }
    for (int i = 1; i <= operazioniPerSeduta; ++i)
        m_s.Operazioni[static_cast<std::size_t>(i)].clear();
    Ricomincia = true;
    caricamento(true);
    m_vista.testo(LblNumero1).clear();
    m_vista.testo(LblNumero2).clear();
}
