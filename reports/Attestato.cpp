#include "reports/Attestato.h"

#include "platform/Clock.h"
#include "reports/Voto.h"
#include "session/SessionState.h"
#include "session/Testi.h"

QString nomeMaiuscolo(const QString &nome)
{
    if (nome.isEmpty())
        return nome;
    // The first code point, not the first UTF-16 unit, so that a surrogate pair is never
    // split. Its simple mapping keeps one character one character ("ß" stays "ß" rather than
    // becoming "SS"), which is what makes re-casing idempotent.
    const bool coppia =
        nome.size() > 1 && nome.at(0).isHighSurrogate() && nome.at(1).isLowSurrogate();
    const char32_t iniziale =
        coppia ? QChar::surrogateToUcs4(nome.at(0), nome.at(1)) : nome.at(0).unicode();
    const char32_t maiuscola = QChar::toUpper(iniziale);
    return QString::fromUcs4(&maiuscola, 1) + nome.mid(coppia ? 2 : 1).toLower();
}

QString motivoAttestato()
{
    return QStringLiteral("per aver  conseguito l'obiettivo");
}

QString obiettivoAttestato()
{
    return QStringLiteral("Saper eseguire le zefirano.2");
}

QString intervalloAttestato(int numeroMin, int numeroMax)
{
    return QStringLiteral(" Numeri da ") + Str(numeroMin) + QStringLiteral(" a") + Str(numeroMax);
}

QString percheAttestato(int esatte, int verificate)
{
    return QStringLiteral("Per aver dato ") + cifre(esatte) +
           QStringLiteral(" risposte esatte su ") + cifre(verificate);
}

QString dataAttestato(const QDate &oggi)
{
    return QStringLiteral("Data        ") + dataBreve(oggi);
}

QString messaggioRifiuto()
{
    return QStringLiteral(" TROPPE RISPOSTE ERRATE. L'ATTESTATO NON E' VISUALIZZABILE.") +
           QChar(13) + QChar(13) + QStringLiteral(" CONTINUARE ?");
}

QString titoloRifiuto()
{
    return QStringLiteral("Attenzione");
}

Attestato calcolaAttestato(SessionState &stato, const QDate &oggi)
{
    Attestato a;
    a.data = dataAttestato(oggi);

    stato.LunghezzaNome = static_cast<int>(stato.NomeAlunno.toUcs4().size());
    stato.NomeAlunno = nomeMaiuscolo(stato.NomeAlunno);
    a.nome = stato.NomeAlunno;

    a.motivo = motivoAttestato();
    a.obiettivo1 = obiettivoAttestato();
    a.obiettivo3 = stato.Istruzione;
    a.obiettivo2 = intervalloAttestato(stato.NumeroMin, stato.NumeroMax);

    stato.Voto = voto(stato.RisposteEsatte, stato.OperazioniVerificate);
    a.voto = stato.Voto;
    const QString parola = giudizio(stato.Voto);
    if (parola.isEmpty()) {
        a.rifiutato = true;
        stato.Messaggio = messaggioRifiuto();
        stato.Titolo = titoloRifiuto();
        return a;
    }
    stato.Giudizio = parola;
    a.giudizio = parola;
    a.perche = percheAttestato(stato.RisposteEsatte, stato.OperazioniVerificate);
    return a;
}
