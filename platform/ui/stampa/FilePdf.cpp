#include "platform/ui/stampa/FilePdf.h"

#include "platform/ui/stampa/Spooler.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <filesystem>

FilePdf::FilePdf(const QString &path) : m_path(path) {}

QString FilePdf::nonScritto(const QString &motivo) const
{
    return QStringLiteral("Non è stato possibile scrivere il file «%1»: %2.")
        .arg(QFileInfo(m_path).fileName(), motivo);
}

QString FilePdf::motivo(const QFileDevice &file)
{
    switch (file.error()) {
    case QFileDevice::OpenError:
    case QFileDevice::PermissionsError:
        return QStringLiteral("la cartella non esiste o non vi si può scrivere");
    case QFileDevice::WriteError:
    case QFileDevice::ResourceError:
    case QFileDevice::ResizeError:
        return QStringLiteral("il disco è pieno o non vi si può scrivere");
    case QFileDevice::RenameError:
        return QStringLiteral("il file esistente non si può sostituire");
    default:
        return QStringLiteral("errore del sistema");
    }
}

std::unique_ptr<QPrinter> FilePdf::nuovaPagina(QString &errore)
{
    // Beside the file, so that a full disk or a folder that cannot be written shows at once.
    m_bozza = std::make_unique<QTemporaryFile>(QFileInfo(m_path).absolutePath() +
                                               QStringLiteral("/.zefirano-XXXXXX.pdf"));
    if (!m_bozza->open()) {
        errore = nonScritto(motivo(*m_bozza));
        m_bozza.reset();
        return nullptr;
    }
    m_bozza->close(); // the printer writes it by its name
    // Qt asks the print service for its default printer even for a PDF file.
    std::unique_ptr<QPrinter> printer;
    spooler::senzaSpooler(
        [&printer] { printer = std::make_unique<QPrinter>(QPrinter::HighResolution); });
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_bozza->fileName());
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(Margine, Margine, Margine, Margine),
                                       QPageLayout::Point));
    return printer;
}

QString FilePdf::erroreInizio() const
{
    return nonScritto(QStringLiteral("il file non si è potuto aprire"));
}

bool FilePdf::intero(const QByteArray &dati)
{
    if (!dati.startsWith("%PDF-"))
        return false;
    const QByteArray coda = dati.right(64).trimmed();
    if (!coda.endsWith("%%EOF"))
        return false;
    const qsizetype inizio = dati.lastIndexOf("startxref");
    const qsizetype fine = dati.lastIndexOf("%%EOF");
    if (inizio < 0 || fine < inizio)
        return false;
    bool ok = false;
    const qsizetype xref = dati.mid(inizio + 9, fine - inizio - 9).trimmed().toLongLong(&ok);
    return ok && xref > 0 && xref < inizio && dati.mid(xref, 4) == "xref";
}

QString FilePdf::esito(bool chiuso)
{
    // The draft goes at the end of this, whatever happens.
    std::unique_ptr<QTemporaryFile> bozza = std::move(m_bozza);
    if (!bozza)
        return nonScritto(QStringLiteral("errore del sistema"));
    if (!chiuso)
        return nonScritto(QStringLiteral("il disco è pieno o non vi si può scrivere"));
    if (!bozza->open())
        return nonScritto(motivo(*bozza));
    const QByteArray dati = bozza->readAll();
    bozza->close();
    if (!intero(dati))
        return nonScritto(QStringLiteral("il file è rimasto incompleto, forse il disco è pieno"));
    // The draft itself becomes the file: renamed over an older file, it replaces that at once
    // and needs no room for a second copy; a rename that fails leaves the older file as it was.
    // It gets the older file's permissions, or those a new document has.
    const QFileInfo vecchio(m_path);
    const QFile::Permissions permessi = vecchio.exists() ? vecchio.permissions()
                                                         : QFile::ReadOwner | QFile::WriteOwner |
                                                               QFile::ReadUser | QFile::WriteUser |
                                                               QFile::ReadGroup | QFile::ReadOther;
    bozza->setPermissions(permessi);
    // A temporary file keeps its file open until it goes, and an open file cannot be renamed on
    // every system: the draft is let go of first, and removed here if it stays a draft.
    const QString nomeBozza = bozza->fileName();
    bozza->setAutoRemove(false);
    bozza.reset();
    std::error_code errore;
    std::filesystem::rename(QFile(nomeBozza).filesystemFileName(),
                            QFile(m_path).filesystemFileName(), errore);
    if (errore) {
        QFile::remove(nomeBozza);
        return nonScritto(QStringLiteral("il file esistente non si può sostituire"));
    }

    QFile salvato(m_path);
    if (!salvato.open(QIODevice::ReadOnly) || salvato.readAll() != dati) {
        salvato.close();
        salvato.remove();
        return nonScritto(QStringLiteral("il file salvato non si rilegge intero"));
    }
    return {};
}

void FilePdf::annulla(QPainter &painter)
{
    painter.end();
    m_bozza.reset();
}
