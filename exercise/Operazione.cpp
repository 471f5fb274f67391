#include "exercise/Operazione.h"

#include "platform/Clock.h"
#include "platform/Random.h"
#include "session/Attivita.h"
#include "session/SessionState.h"
#include "session/Testi.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

const TipoOp *tipoOp(int t)
{
    if (t < 1 || t > static_cast<int>(tipiOp.size()))
        return nullptr;
    return &tipiOp[static_cast<std::size_t>(t - 1)];
}

int valore(Pezzo p, int a, int b)
{
    switch (p) {
    case Pezzo::A:
        return a;
    case Pezzo::B:
        return b;
    case Pezzo::S:
        return a + b;
    case Pezzo::SMeno1:
        return a + b - 1;
    case Pezzo::SPiu1:
        return a + b + 1;
    default:
        return 0;
    }
}

QString testo(Pezzo p, int a, int b)
{
    switch (p) {
    case Pezzo::Piu:
        return u"+"_s;
    case Pezzo::Uguale:
        return u"="_s;
    case Pezzo::Maggiore:
        return u">"_s;
    case Pezzo::Minore:
        return u"<"_s;
    case Pezzo::Risposta:
        return {};
    default:
        return cifre(valore(p, a, b));
    }
}

QString linea(const TipoOp &t, int a, int b)
{
    const QStringView modello(t.linea);
    QString risultato;
    for (qsizetype i = 0; i < modello.size(); ++i) {
        if (modello[i] != u'%' || i + 1 == modello.size()) {
            risultato += modello[i];
            continue;
        }
        const char16_t chiave = modello[++i].unicode();
        const Pezzo p = chiave == u'a'   ? Pezzo::A
                        : chiave == u'b' ? Pezzo::B
                        : chiave == u'm' ? Pezzo::SMeno1
                        : chiave == u'p' ? Pezzo::SPiu1
                                         : Pezzo::S;
        risultato += dueColonne(valore(p, a, b));
    }
    return risultato;
}

namespace {
struct Parola
{
    Pezzo pezzo;
    const char16_t *parola;
};

// How the places that are not numbers read aloud.
constexpr std::array<Parola, 5> parole{{
    {Pezzo::Piu, u"più"},
    {Pezzo::Uguale, u"uguale"},
    {Pezzo::Maggiore, u"maggiore"},
    {Pezzo::Minore, u"minore"},
    {Pezzo::Risposta, u"?"},
}};
} // namespace

QString frase(const TipoOp &t, int a, int b)
{
    QStringList pezzi;
    for (const Posto &p : t.posti) {
        const auto parola = std::find_if(parole.begin(), parole.end(),
                                         [&p](const Parola &w) { return w.pezzo == p.pezzo; });
        pezzi.append(parola != parole.end() ? QString::fromUtf16(parola->parola)
                                            : testo(p.pezzo, a, b));
    }
    return pezzi.join(u' ');
}

bool usaGruppo(int tipoMin, int tipoMax, Gruppo g)
{
    for (int t = tipoMin; t < tipoMax; ++t)
        if (const TipoOp *tipo = tipoOp(t); tipo && tipo->gruppo == g)
            return true;
    return false;
}

namespace {
int estrai(Random &random, int k, int m)
{
    return static_cast<int>(std::floor(random.rnd() * k)) + m;
}
} // namespace

void livello2(SessionState &s, Random &random, Clock &clock)
{
    random.randomize(clock.timer());
    if (const Intervallo *riga = intervallo(s.ScelteIntervallo)) {
        int a = 0;
        int b = 0;
        do {
            a = estrai(random, riga->k, riga->m);
            b = estrai(random, riga->k, riga->m);
        } while (a + b < riga->sommaMin || a + b > riga->sommaMax);
        s.Addendo1 = a;
        s.Addendo2 = b;
    }
    s.Spazio1 = spazio(s.Addendo1);
    s.Spazio2 = spazio(s.Addendo2);
    s.Spazio3 = spazio(s.Addendo1 + s.Addendo2);
}

int sceltaTipo(SessionState &s, Random &random, Clock &clock)
{
    random.randomize(clock.timer());
    s.TipoOperazione = estrai(random, s.TipoMax - s.TipoMin, s.TipoMin);
    return s.TipoOperazione;
}

const TipoOp *visualizza(SessionState &s, Random &random, Clock &clock)
{
    const TipoOp *t = tipoOp(sceltaTipo(s, random, clock));
    if (t) {
        livello2(s, random, clock);
        const int a = s.Addendo1;
        const int b = s.Addendo2;
        if (t->gruppo == Gruppo::Numero)
            s.NumeroNascosto = valore(t->risposta, a, b);
        s.RispostaEsatta = testo(t->risposta, a, b);
        s.Spazio3 = spazio(valore(t->terzo, a, b));
        if (s.NumeroOperazione >= 0 && s.NumeroOperazione < static_cast<int>(s.Operazioni.size()))
            s.Operazioni[static_cast<std::size_t>(s.NumeroOperazione)] = linea(*t, a, b);
    }
    s.InizioOperazione = clock.timer();
    s.InizioMonotono = clock.monotonic();
    return t;
}
