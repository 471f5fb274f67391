#pragma once

#include <QString>

#include <memory>

class QWidget;

// The default printer, as the screens drive it: a font, a position in twips from the printable
// origin, one line at a time, then EndDoc. The page starts at the first thing printed.
// Every call after a failure does nothing and returns false; errore() says why, in Italian.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual void setFontName(const QString &name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setCurrentX(double twips) = 0;
    virtual void setCurrentY(double twips) = 0;

    // Prints one line at the current position. False when the page could not be started.
    virtual bool print(const QString &line) = 0;
    // Prints the window's client area as it looks now, drawn at the printer's resolution.
    virtual bool printForm(QWidget *form) = 0;
    // Sends the page. False when the job did not reach the spooler.
    virtual bool endDoc() = 0;
    // Drops the page, if any.
    virtual void killDoc() = 0;

    virtual QString errore() const = 0;
};

class PrinterFactory
{
public:
    virtual ~PrinterFactory() = default;
    // The system's default printer.
    virtual std::unique_ptr<Printer> stampante() = 0;
    // The same page written to a PDF file instead.
    virtual std::unique_ptr<Printer> pdf(const QString &path) = 0;
};

// Asks where to save a PDF file; an empty text when the user cancels.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;
    virtual QString chiediFilePdf(QWidget *parent, const QString &suggested) = 0;
};

// The name of a PDF file as the child typed it: ".pdf" added when it lacks it, in place of the
// dots it may end in ("punto." becomes "punto.pdf").
inline QString conEstensionePdf(const QString &percorso)
{
    if (percorso.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return percorso;
    QString nome = percorso;
    while (nome.endsWith(QLatin1Char('.')))
        nome.chop(1);
    return nome + QStringLiteral(".pdf");
}
