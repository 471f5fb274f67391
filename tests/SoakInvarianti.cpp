#include "SoakInvarianti.h"

#include "Banco.h"
#include "SoakRighe.h"

#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/Testi.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Mostrato
{
    const char *nome;
    Controllo controllo;
};

// The captions the exercise screen copies from its model.
constexpr std::array<Mostrato, 15> didascalie{{
    {"Label2", Controllo::Label2},
    {"LblIstruzione", Controllo::LblIstruzione},
    {"LblEsito", Controllo::LblEsito},
    {"LblSi", Controllo::LblSi},
    {"LblNo", Controllo::LblNo},
    {"LblNumero1", Controllo::LblNumero1},
    {"LblNumero2", Controllo::LblNumero2},
    {"lblNumero4", Controllo::lblNumero4},
    {"lblNumero6", Controllo::lblNumero6},
    {"LblNumero8", Controllo::LblNumero8},
    {"lblSegno2", Controllo::lblSegno2},
    {"LblEsercizio", Controllo::LblEsercizio},
    {"LblOperazione", Controllo::LblOperazione},
    {"LblTempoParziale", Controllo::LblTempoParziale},
    {"LblTempoTotale", Controllo::LblTempoTotale},
}};

constexpr std::array<Mostrato, 7> visibili{{
    {"CmdVerifica", Controllo::CmdVerifica},
    {"CmdOperazione", Controllo::CmdOperazione},
    {"CmdEsercizio", Controllo::CmdEsercizio},
    {"CmdFine", Controllo::CmdFine},
    {"CmdStampa", Controllo::CmdStampa},
    {"frmNumero", Controllo::frmNumero},
    {"frmSegno", Controllo::frmSegno},
}};

// The stars of a count: as many as the count, one blank apart; none for 0.
QString stelle(int n)
{
    QString t;
    for (int i = 0; i < n; ++i)
        t += i == 0 ? u"*"_s : u" *"_s;
    return t;
}

const char *nomeStato(StatoEsercizio s)
{
    switch (s) {
    case StatoEsercizio::Fresco:
        return "Fresco";
    case StatoEsercizio::Ripartenza:
        return "Ripartenza";
    case StatoEsercizio::Attesa:
        return "Attesa";
    case StatoEsercizio::Risposto:
        return "Risposto";
    case StatoEsercizio::Verificato:
        return "Verificato";
    case StatoEsercizio::EsercizioFinito:
        return "EsercizioFinito";
    }
    return "?";
}

} // namespace

bool aperta(Form *f)
{
    return f->isLoaded() && f->window()->isVisible();
}

void Invarianti::nuovaCorsa()
{
    m_caricato = false;
    m_verificheCorsa = 0;
}

QString Invarianti::controlla(Banco &b, bool fineAmmessa, bool sedutaMostrata)
{
    if (b.ender.ended() && !fineAmmessa)
        return u"the program ended without being asked to"_s;

    bool stampaFallita = false;
    for (const auto &lavoro : b.printers.lavori)
        stampaFallita = stampaFallita || (lavoro->pdf.isEmpty() && !lavoro->inviato);
    bool avvisata = false;
    for (const auto &box : b.messageBox.shown)
        avvisata = avvisata || box.title == u"Stampa non riuscita";
    if (stampaFallita != avvisata)
        return stampaFallita ? u"a print job failed without a word"_s
                             : u"a print job went out, yet the child was told it failed"_s;
    if (b.ender.ended())
        return {};

    if (QString r = controllaRighe(b); !r.isEmpty())
        return r;
    return controllaSchermo(b, sedutaMostrata);
}

QString Invarianti::controllaRighe(Banco &b)
{
    const SessionState &s = b.stato;
    m_caricato = m_caricato || b.programma.operativo().isLoaded();
    const int n = s.NumeroOperazione;
    if (n < 0 || n > 40)
        return u"NumeroOperazione is "_s + QString::number(n);
    if (s.NumeroEsercizio < 0 || s.NumeroEsercizio > 4)
        return u"NumeroEsercizio is "_s + QString::number(s.NumeroEsercizio);
    if (m_caricato && (s.OperazioneCorrente < 1 || s.OperazioneCorrente > 10))
        return u"OperazioneCorrente is "_s + QString::number(s.OperazioneCorrente);
    if (s.NumeroEsercizio > 0 && n != (s.NumeroEsercizio - 1) * 10 + s.OperazioneCorrente)
        return u"operation "_s + QString::number(n) + u" is not operation "_s +
               QString::number(s.OperazioneCorrente) + u" of exercise "_s +
               QString::number(s.NumeroEsercizio);
    if (s.NumeroEsercizio == 0 && n != 0 && n != 40)
        return u"no exercise, yet operation "_s + QString::number(n);
    if (s.RisposteEsatte > s.OperazioniVerificate)
        return u"more right answers than operations checked"_s;

    for (std::size_t i : {std::size_t{0}, std::size_t{41}, std::size_t{42}, std::size_t{43},
                          std::size_t{44}, std::size_t{45}})
        if (!s.Operazioni[i].isEmpty())
            return u"Operazioni("_s + QString::number(i) + u") is written"_s;

    int verificate = 0;
    int esatte = 0;
    int esatteEsercizio = 0;
    int errateEsercizio = 0;
    std::array<int, 6> secondi{};
    std::array<int, 6> controllate{};
    const int primaDellEsercizio = n - s.OperazioneCorrente;
    for (int i = 1; i <= 40; ++i) {
        const QString &testo = s.Operazioni[static_cast<std::size_t>(i)];
        if (testo.isEmpty()) {
            if (i <= n)
                return u"Operazioni("_s + QString::number(i) + u") is empty"_s;
            continue;
        }
        const Riga r = esaminaRiga(testo);
        if (!r.valida)
            return u"Operazioni("_s + QString::number(i) + u") = \""_s + testo + u"\": "_s +
                   r.perche;
        if (i > n)
            continue;
        if (i < n && !r.verificata)
            return u"Operazioni("_s + QString::number(i) + u") was never checked"_s;
        if (!r.verificata)
            continue;
        const std::size_t k = static_cast<std::size_t>((i - 1) / 10 + 1);
        ++verificate;
        ++controllate[k];
        secondi[k] += r.secondi;
        esatte += r.esatta;
        if (i > primaDellEsercizio) {
            esatteEsercizio += r.esatta;
            errateEsercizio += !r.esatta;
        }
    }
    if (verificate != s.OperazioniVerificate || esatte != s.RisposteEsatte)
        return u"the lines hold "_s + QString::number(esatte) + u" right of "_s +
               QString::number(verificate) + u", the counts say "_s +
               QString::number(s.RisposteEsatte) + u" of "_s +
               QString::number(s.OperazioniVerificate);
    if (esatteEsercizio != s.EsatteEsercizio || errateEsercizio != s.ErrateEsercizio)
        return u"the exercise's lines hold "_s + QString::number(esatteEsercizio) +
               u" right and "_s + QString::number(errateEsercizio) + u" wrong, the counts say "_s +
               QString::number(s.EsatteEsercizio) + u" and "_s + QString::number(s.ErrateEsercizio);
    for (std::size_t k = 0; k < 6; ++k) {
        const int tempo = s.SecondiEsercizio[k];
        if (tempo != secondi[k])
            return u"SecondiEsercizio("_s + QString::number(k) + u") is "_s +
                   QString::number(tempo) + u", its lines add up to "_s +
                   QString::number(secondi[k]);
        const QString atteso = controllate[k] > 0 ? Str(tempo) : QString();
        if (s.TempoEsercizio[k] != atteso)
            return u"TempoEsercizio("_s + QString::number(k) + u") is \""_s + s.TempoEsercizio[k] +
                   u"\", not \""_s + atteso + u'"';
    }
    m_verifiche += std::max<long long>(0, s.OperazioniVerificate - m_verificheCorsa);
    m_verificheCorsa = s.OperazioniVerificate;
    return {};
}

QString Invarianti::controllaSchermo(Banco &b, bool sedutaMostrata)
{
    const SessionState &s = b.stato;
    if (!testoValido(s.NomeAlunno) || caratteri(s.NomeAlunno) > 15)
        return u"NomeAlunno is \""_s + s.NomeAlunno + u"\""_s;

    FrmInizio1 &inizio = b.programma.inizio();
    if (inizio.isLoaded()) {
        const QString nome = inizio.textBox("txtNome")->text();
        if (!testoValido(nome) || caratteri(nome) > 15)
            return u"the name box holds \""_s + nome + u"\""_s;
    }

    frmOperativoPiù &op = b.programma.operativo();
    if (op.isLoaded()) {
        const Esercitazione &e = op.esercitazione();
        const VistaEsercizio &vista = e.vista();
        const QString stato = QString::fromLatin1(nomeStato(e.stato()));
        if (!e.coerente())
            return u"the buttons are not what state "_s + stato + u" offers"_s;
        QWidget *finestra = op.window();
        for (const Mostrato &m : visibili)
            if (op.control(m.nome)->isVisibleTo(finestra) != vista.visibile(m.controllo))
                return QString::fromLatin1(m.nome) + u" is shown otherwise than the model says"_s +
                       u" in state "_s + stato;
        for (const Mostrato &m : didascalie)
            if (op.label(m.nome)->text() != vista.testo(m.controllo))
                return QString::fromLatin1(m.nome) + u" shows \""_s + op.label(m.nome)->text() +
                       u"\", the model \""_s + vista.testo(m.controllo) + u'"';
        TextBox *casella = op.textBox("TxtRisultato");
        if (casella->text() != vista.testo(Controllo::TxtRisultato) ||
            casella->isLocked() != vista.TxtRisultatoBloccato)
            return u"TxtRisultato holds \""_s + casella->text() + u"\", the model \""_s +
                   vista.testo(Controllo::TxtRisultato) + u'"';
        if (!testoValido(casella->text()) || caratteri(casella->text()) > 2)
            return u"the answer box holds \""_s + casella->text() + u"\""_s;
        for (const char *voce : {"mnuStampa", "mnuAttestato"})
            if (op.menu(voce)->isEnabled() != vista.abilitato(qstrcmp(voce, "mnuStampa") == 0
                                                                  ? Controllo::mnuStampa
                                                                  : Controllo::mnuAttestato))
                return QString::fromLatin1(voce) + u" is enabled otherwise than the model says"_s;
        if (vista.abilitato(Controllo::mnuStampa) != (s.OperazioniVerificate >= 10))
            return u"the File items do not follow the ten operations checked"_s;
        if (vista.testo(Controllo::LblSi) != stelle(s.EsatteEsercizio) ||
            vista.testo(Controllo::LblNo) != stelle(s.ErrateEsercizio))
            return u"the stars are not the exercise's counts"_s;
        if (s.NumeroEsercizio > 0 &&
            (vista.testo(Controllo::LblEsercizio) != QString::number(s.NumeroEsercizio) ||
             vista.testo(Controllo::LblOperazione) != QString::number(s.OperazioneCorrente)))
            return u"the ELABORAZIONE frame shows another exercise or operation"_s;
        if (e.stato() == StatoEsercizio::Ripartenza) {
            if (s.NumeroOperazione != 0 || !casella->isLocked())
                return u"the restart state takes an answer"_s;
            for (const char *n :
                 {"LblNumero1", "LblNumero2", "lblNumero4", "lblNumero6", "LblNumero8"})
                if (!op.label(n)->text().isEmpty())
                    return u"the restart state shows an operation"_s;
        }
    }

    FrmAttestato &attestato = b.programma.attestato();
    if (attestato.isLoaded()) {
        for (const char *n : {"Command2", "Command1", "CmdFine"})
            if (!attestato.control(n)->isVisibleTo(attestato.window()))
                return u"the certificate's button "_s + QString::fromLatin1(n) + u" stays hidden"_s;
        if (!testoValido(attestato.label("lblNome")->text()))
            return u"the certificate shows a broken name"_s;
    }
    FrmStampaPiu &stampa = b.programma.stampa();
    if (sedutaMostrata) {
        if (!aperta(&stampa))
            return u"Yes at the end of the sitting shows no list"_s;
        for (std::size_t i = 1; i <= 40; ++i)
            if (stampa.label(FrmStampaPiu::nomeOperazione(static_cast<int>(i)))->text() !=
                s.Operazioni[i])
                return u"the list shown at the end of the sitting lacks operation "_s +
                       QString::number(i);
    }
    if (stampa.isLoaded()) {
        for (int i = 1; i <= 40; ++i) {
            const QString riga = stampa.label(FrmStampaPiu::nomeOperazione(i))->text();
            if (!riga.isEmpty() && !esaminaRiga(riga).valida)
                return u"the report lists \""_s + riga + u"\" as operation "_s + QString::number(i);
        }
    }
    return {};
}
