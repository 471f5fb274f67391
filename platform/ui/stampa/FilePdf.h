#pragma once

#include "platform/ui/stampa/Destinazione.h"

// An A4 portrait PDF file. A page got there when the file was written; a dropped page leaves no
// file behind.
class FilePdf final : public Destinazione
{
public:
    // Margin of the page on every side, in points: where a real printer would stop too.
    static constexpr double Margine = 18.0;

    explicit FilePdf(const QString &path);

    std::unique_ptr<QPrinter> nuovaPagina(QString &errore) override;
    QString erroreInizio() const override;
    QString esito(bool chiuso) const override;
    void annulla(QPainter &painter) override;

private:
    QString nonScritto() const;

    QString m_path;
};
