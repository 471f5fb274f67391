#include "reports/ui/Stampa.h"

#include "platform/Platform.h"
#include "platform/Printer.h"
#include "session/SessionState.h"

#include <QRegularExpression>

namespace {

const QChar CR(13);

int avvisa(SessionState &s, MessageBox &box, const QString &messaggio, int stile,
           const QString &titolo)
{
    s.Messaggio = messaggio;
    s.Titolo = titolo;
    s.Risposta = box.msgBox(s.Messaggio, stile, s.Titolo);
    return s.Risposta;
}

} // namespace

QString nomeFilePdf(const QString &nomePagina, const QString &nomeAlunno)
{
    static const QRegularExpression vietati(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    QString nome = nomeAlunno;
    nome.replace(vietati, QStringLiteral("_"));
    nome = nome.trimmed();
    if (nome.isEmpty())
        return nomePagina + QStringLiteral(".pdf");
    return nomePagina + QStringLiteral(" di ") + nome + QStringLiteral(".pdf");
}

bool stampaConRiserva(SessionState &stato, Platform &p, QWidget *finestra,
                      const QString &nomePagina, const std::function<bool(Printer &)> &pagina)
{
    QString errore = QStringLiteral("Nessuna stampante disponibile.");
    if (std::unique_ptr<Printer> stampante = p.printers.stampante()) {
        if (pagina(*stampante))
            return true;
        errore = stampante->errore();
        stampante->killDoc();
    }

    const QString domanda = QStringLiteral("Non è stato possibile stampare.") + CR + errore + CR +
                            CR + QStringLiteral("Vuoi salvare la pagina come file PDF?");
    if (avvisa(stato, p.messageBox, domanda, MessageBox::SiNoInformazione,
               QStringLiteral("Stampa non riuscita")) != MessageBox::Si)
        return false;

    QString percorso =
        p.saveDialog.chiediFilePdf(finestra, nomeFilePdf(nomePagina, stato.NomeAlunno));
    if (percorso.isEmpty())
        return false;
    // A name typed without the extension: a PDF file still opens as one.
    percorso = conEstensionePdf(percorso);
    std::unique_ptr<Printer> pdf = p.printers.pdf(percorso);
    if (pdf && pagina(*pdf)) {
        avvisa(stato, p.messageBox,
               QStringLiteral("La pagina è stata salvata nel file") + CR + percorso,
               MessageBox::SoloOk, QStringLiteral("File PDF salvato"));
        return true;
    }
    const QString motivo = pdf ? pdf->errore() : QString();
    if (pdf)
        pdf->killDoc();
    avvisa(stato, p.messageBox,
           QStringLiteral("Non è stato possibile salvare il file PDF.") + CR + motivo,
           MessageBox::SoloOk, QStringLiteral("File PDF non salvato"));
    return false;
}
