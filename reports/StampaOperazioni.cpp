#include "reports/StampaOperazioni.h"

#include "platform/Printer.h"
#include "session/SessionState.h"

#include <algorithm>

namespace {

int operazioniDaElencare(const SessionState &stato)
{
    return std::clamp(stato.NumeroOperazione, 0, operazioniPerSeduta);
}

QString tempoEsercizio(const SessionState &stato, int esercizio)
{
    if (esercizio < 1 || esercizio > eserciziPerSeduta)
        return {};
    return stato.TempoEsercizio[static_cast<std::size_t>(esercizio)];
}

} // namespace

std::array<QString, operazioniPerSeduta + 1> didascalieOperazioni(const SessionState &stato)
{
    std::array<QString, operazioniPerSeduta + 1> didascalie;
    const int n = operazioniDaElencare(stato);
    for (int i = 1; i <= n; ++i)
        didascalie[static_cast<std::size_t>(i)] = stato.Operazioni[static_cast<std::size_t>(i)];
    return didascalie;
}

QString didascaliaTempo(const SessionState &stato, int esercizio)
{
    return QStringLiteral("Tempo totale:    ") + tempoEsercizio(stato, esercizio) +
           QStringLiteral(" sec.");
}

QRect rettangoloOperazione(int i)
{
    const int indice = std::clamp(i, 1, operazioniPerSeduta) - 1;
    const int colonna = indice / 10;
    const int riga = indice % 10;
    static constexpr int sinistra[] = {450, 3210, 5970, 8850};
    static constexpr int cima[] = {930, 930, 900, 900};
    return {sinistra[colonna], cima[colonna] + 450 * riga, 2535, 435};
}

QString intestazioneStampa()
{
    return QStringLiteral("Cognome e nome ...................");
}

QPoint posizioneStampaOperazione(int i)
{
    QPoint p(1000, 2000 + 400 * (i - 1));
    if (i > 10)
        p = {6000, 2000 + 400 * (i - 11)};
    if (i > 20)
        p = {1000, 2000 + 400 * (i - 10)};
    if (i > 30)
        p = {6000, 2000 + 400 * (i - 20)};
    return p;
}

QPoint posizioneStampaTotale(int esercizio)
{
    const int k = esercizio - 1;
    return {k % 2 == 0 ? 1000 : 6000, k < 2 ? 11000 : 12000};
}

QString rigaTotale(const SessionState &stato, int esercizio)
{
    return QStringLiteral("Eser. n.") + QString::number(esercizio) +
           QStringLiteral(": Tempo tot. ") + tempoEsercizio(stato, esercizio) +
           QStringLiteral(" secondi");
}

QList<PassoStampa> passiStampaOperazioni(const SessionState &stato)
{
    using A = PassoStampa::Azione;
    QList<PassoStampa> passi;
    const auto aggiungiRiga = [&passi](QPoint posizione, const QString &riga) {
        passi.append({A::X, double(posizione.x()), {}});
        passi.append({A::Y, double(posizione.y()), {}});
        passi.append({A::Stampa, 0, riga});
    };

    passi.append({A::X, 1000, {}});
    passi.append({A::Y, 1000, {}});
    passi.append({A::DimensioneFont, 16, {}});
    passi.append({A::Stampa, 0, intestazioneStampa()});

    passi.append({A::NomeFont, 0, QStringLiteral("Courier")});
    passi.append({A::DimensioneFont, 12, {}});
    passi.append({A::Grassetto, 1, {}});

    const int n = operazioniDaElencare(stato);
    for (int i = 1; i <= n; ++i)
        aggiungiRiga(posizioneStampaOperazione(i), stato.Operazioni[static_cast<std::size_t>(i)]);
    for (int k = 1; k <= eserciziPerSeduta; ++k)
        aggiungiRiga(posizioneStampaTotale(k), rigaTotale(stato, k));

    passi.append({A::FineDocumento, 0, {}});
    return passi;
}

bool eseguiPassi(const QList<PassoStampa> &passi, Printer &stampante, QString &errore)
{
    using A = PassoStampa::Azione;
    for (const PassoStampa &passo : passi) {
        bool riuscito = true;
        switch (passo.azione) {
        case A::NomeFont:
            stampante.setFontName(passo.testo);
            break;
        case A::DimensioneFont:
            stampante.setFontSize(passo.valore);
            break;
        case A::Grassetto:
            stampante.setFontBold(passo.valore != 0);
            break;
        case A::X:
            stampante.setCurrentX(passo.valore);
            break;
        case A::Y:
            stampante.setCurrentY(passo.valore);
            break;
        case A::Stampa:
            riuscito = stampante.print(passo.testo);
            break;
        case A::FineDocumento:
            riuscito = stampante.endDoc();
            break;
        }
        if (!riuscito) {
            errore = stampante.errore();
            stampante.killDoc();
            return false;
        }
    }
    errore.clear();
    return true;
}
