#include "platform/ui/stampa/FilePdf.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

FilePdf::FilePdf(const QString &path) : m_path(path) {}

QString FilePdf::nonScritto() const
{
    return QStringLiteral("Non è stato possibile scrivere il file «%1».")
        .arg(QFileInfo(m_path).fileName());
}

std::unique_ptr<QPrinter> FilePdf::nuovaPagina(QString &)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(m_path);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(Margine, Margine, Margine, Margine),
                                       QPageLayout::Point));
    return printer;
}

QString FilePdf::erroreInizio() const
{
    return nonScritto();
}

QString FilePdf::esito(bool chiuso) const
{
    // The painter's end has closed the file.
    if (!chiuso || QFileInfo(m_path).size() <= 0)
        return nonScritto();
    return {};
}

void FilePdf::annulla(QPainter &painter)
{
    painter.end();
    QFile::remove(m_path);
}
