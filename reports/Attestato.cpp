#include "reports/Attestato.h"

#include "platform/Clock.h"
#include "reports/Voto.h"
#include "session/SessionState.h"
#include "session/Testi.h"

#include <string>

QString nomeMaiuscolo(const QString &nome)
{
    if (nome.isEmpty())
        return nome;
    // Code points, not UTF-16 units, so that a surrogate pair is never split. The simple
    // mappings keep one character one character ("ß" stays "ß" rather than becoming "SS", "İ"
    // stays "İ" rather than becoming "i" and a combining dot), so the name never grows past its
    // 15 characters and re-casing it again changes nothing.
    std::u32string caratteri;
    for (const char32_t c : QStringView(nome).toUcs4())
        caratteri += caratteri.empty() ? QChar::toUpper(c) : QChar::toLower(c);
    return QString::fromStdU32String(caratteri);
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
