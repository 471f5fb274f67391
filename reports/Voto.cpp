#include "reports/Voto.h"

#include <algorithm>
#include <limits>

int voto(int esatte, int verificate)
{
    if (verificate <= 0 || esatte < 0)
        return 0;
    // In 64 bits the product cannot overflow, and integer division of non-negative values is
    // the floor the grade asks for, with no rounding error at the thresholds (7 of 10 is 7).
    const long long punteggio = 10LL * esatte / verificate;
    return static_cast<int>(std::min<long long>(punteggio, std::numeric_limits<int>::max()));
}

QString giudizio(int voto)
{
    for (const RigaGiudizio &riga : TabellaGiudizi) {
        if (riga.voto == voto)
            return QString::fromUtf16(riga.giudizio);
    }
    return {};
}
