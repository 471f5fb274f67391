#pragma once

#include "platform/ui/stampa/Destinazione.h"

// The system's default printer, as it is when each page starts, never with a dialog.
//
// Before a page starts, the print service must answer, a printer must be installed and chosen
// as the default, and its queue must accept jobs; otherwise no page starts and the reason says
// which of these is missing. A page got there only when it reached the spooler.
class StampantePredefinita final : public Destinazione
{
public:
    std::unique_ptr<QPrinter> nuovaPagina(QString &errore) override;
    QString erroreInizio() const override;
    QString primaDellaFine() override;
    QString esito(bool chiuso) override;
    void annulla(QPainter &painter) override;

private:
    QString controlla();
    static QString servizio();
    QString nonDisponibile() const;

    QString m_nome; // the default printer of the last page started
};
