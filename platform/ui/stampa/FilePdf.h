#pragma once

#include "platform/ui/stampa/Destinazione.h"

#include <QTemporaryFile>

class QFileDevice;

// An A4 portrait PDF file. The page is written to a draft beside the file, read back whole, and
// only then renamed to the file's name (replacing an older file at once, or not at all) and read
// back from there: a page that did not get there, on a full disk say, leaves no file behind,
// whole or in part, and an older file of that name as it was.
class FilePdf final : public Destinazione
{
public:
    // Margin of the page on every side, in points: where a real printer would stop too.
    static constexpr double Margine = 18.0;

    explicit FilePdf(const QString &path);

    std::unique_ptr<QPrinter> nuovaPagina(QString &errore) override;
    QString erroreInizio() const override;
    QString esito(bool chiuso) override;
    void annulla(QPainter &painter) override;

    // Whether the bytes are a whole PDF file: its header, and the end of the file where its
    // last cross-reference table says, as a reader looks for them.
    static bool intero(const QByteArray &dati);

private:
    QString nonScritto(const QString &motivo) const;
    static QString motivo(const QFileDevice &file);

    QString m_path;
    std::unique_ptr<QTemporaryFile> m_bozza;
};
