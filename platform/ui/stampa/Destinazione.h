#pragma once

#include <QString>

#include <memory>

class QPainter;
class QPrinter;

// Where a page of QtPrinter goes. It makes the device the page is drawn on, says whether the
// page got there once it ended, and drops a page that must not; QtPrinter does the drawing.
// Reasons are in Italian, as errore() shows them.
class Destinazione
{
public:
    virtual ~Destinazione() = default;

    // The device for a new page, before the page's resolution is set; nullptr, with the reason
    // in errore, when no page can start here now.
    virtual std::unique_ptr<QPrinter> nuovaPagina(QString &errore) = 0;
    // Why a painter did not begin on the device of nuovaPagina.
    virtual QString erroreInizio() const = 0;
    // Asked before the painter ends the page: why the page cannot go now, or an empty text.
    virtual QString primaDellaFine() { return {}; }
    // Asked as soon as the painter has ended the page (chiuso: it ended cleanly), while the
    // device still exists: why the page did not get here, or an empty text when it did.
    virtual QString esito(bool chiuso) = 0;
    // Ends the page open on painter so that nothing of it gets here.
    virtual void annulla(QPainter &painter) = 0;
};
