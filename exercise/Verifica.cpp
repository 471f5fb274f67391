#include "exercise/Verifica.h"

#include "session/SessionState.h"
#include "session/Testi.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

bool tastoAmmesso(int keyAscii)
{
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 13 || keyAscii == 8;
}

bool esatta(const QString &data, const QString &attesa)
{
    return data == attesa;
}

std::optional<QString> stelle(int n)
{
    if (n < 1 || n > operazioniPerEsercizio)
        return std::nullopt;
    QString t = u"*"_s;
    for (int i = 1; i < n; ++i)
        t += u" *"_s;
    return t;
}

int secondiInteri(double inizio, double fine)
{
    // The clock's readings carry binary fractions (36000.1 is not exact), so a difference of
    // exactly 5 s can come out as 4.999999999; a microsecond is far below the clock's tick.
    constexpr double tolleranza = 1e-6;
    return std::max(0, static_cast<int>(std::floor(fine - inizio + tolleranza)));
}

QString tempoParziale(int secondi)
{
    return secondi <= 99 ? Str(secondi) : u"99"_s;
}

QString tempoTotale(int secondi)
{
    return secondi <= 999 ? Str(secondi) : u"999"_s;
}

QString spazioRisposta(const QString &testoRisultato)
{
    return Val(testoRisultato) < 10 ? u" "_s : QString();
}

QString messaggioFineSeduta()
{
    const QChar cr(13);
    return u"Hai eseguito 4 esercizi.      "_s + cr + cr +
           u"Vuoi visualizzare le operazioni eseguite?"_s + cr +
           u"(Se rispondi NO l'esercizio sarà perso)"_s;
}

namespace {
template <typename Array> auto *elemento(Array &array, int i)
{
    return i >= 0 && i < static_cast<int>(array.size()) ? &array[static_cast<std::size_t>(i)]
                                                        : nullptr;
}
} // namespace

EsitoVerifica giudica(SessionState &s, const QString &testoRisultato, Lettura fine)
{
    EsitoVerifica e;
    e.esatta = esatta(s.RispostaData, s.RispostaEsatta);
    if (e.esatta) {
        e.LblEsito = esitoEsatto;
        s.MarcaErrore.clear();
        ++s.EsatteEsercizio;
        ++s.RisposteEsatte;
        e.LblSi = stelle(s.EsatteEsercizio);
    } else {
        e.LblEsito = esitoErrato;
        s.MarcaErrore = u"*"_s;
        ++s.ErrateEsercizio;
        e.LblNo = stelle(s.ErrateEsercizio);
    }
    ++s.OperazioniVerificate;
    e.esercizioFinito = s.OperazioneCorrente == operazioniPerEsercizio;

    s.FineOperazione = fine.ora;
    s.TempoRisposta = secondiInteri(s.InizioMonotono, fine.monotono);
    s.TempoRispostaTesto = Str(s.TempoRisposta);
    int secondiEsercizio = 0;
    if (int *secondi = elemento(s.SecondiEsercizio, s.NumeroEsercizio)) {
        *secondi += s.TempoRisposta;
        secondiEsercizio = *secondi;
        *elemento(s.TempoEsercizio, s.NumeroEsercizio) = Str(secondiEsercizio);
    }
    e.LblTempoParziale = tempoParziale(s.TempoRisposta);
    e.LblTempoTotale = tempoTotale(secondiEsercizio);

    s.SpazioTempo = spazio(s.TempoRisposta);
    s.SpazioRisposta = spazioRisposta(testoRisultato);
    if (QString *riga = elemento(s.Operazioni, s.NumeroOperazione)) {
        *riga += s.SpazioRisposta + u"("_s + s.RispostaData + u")"_s;
        *riga += s.SpazioTempo + s.TempoRispostaTesto + s.MarcaErrore;
    }

    e.menuAbilitati = s.NumeroOperazione >= operazioneMenu;
    e.fineSeduta = s.NumeroOperazione == operazioniPerSeduta;
    return e;
}
