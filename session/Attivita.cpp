#include "session/Attivita.h"

#include <QString>

const Intervallo *intervallo(int scelta)
{
    for (const Intervallo &riga : intervalli)
        if (riga.scelta == scelta)
            return &riga;
    return nullptr;
}

void scegliIntervallo(SessionState &stato, int indice)
{
    const Intervallo &riga = intervalli.at(static_cast<std::size_t>(indice));
    stato.NumeroMin = riga.numeroMin;
    stato.NumeroMax = riga.numeroMax;
    stato.ScelteIntervallo = riga.scelta;
}

const Attivita &scegliAttivita(SessionState &stato, int indice)
{
    const Attivita &riga =
        attivita[indice >= 0 && indice < static_cast<int>(attivita.size()) ? indice : 0];
    stato.TipoMin = riga.tipoMin;
    stato.TipoMax = riga.tipoMax;
    stato.Istruzione = QString::fromUtf16(riga.istruzione);
    return riga;
}
