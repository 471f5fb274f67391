#pragma once

#include "platform/Printer.h"
#include "platform/ui/Facce.h"
#include "platform/ui/stampa/FilePdf.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include <memory>

class QPrinter;

// The printer of the program, on Qt's print support: one page drawn with a QPainter and sent to
// one destination, the system's default printer (StampantePredefinita) or a PDF file (FilePdf),
// never with a dialog.
//
// The page starts at the first print or printForm, once its destination has agreed to it;
// otherwise nothing is started and errore() says why. endDoc reports success only when the page
// got to its destination. A printer destroyed with a page still open drops that page.
//
// printForm draws the window as vectors and text, so it prints sharp; a picture the window
// shows as a bitmap prints at the bitmap's own resolution. A form printed on a page that lines
// of text have already started goes out as one bitmap at the printer's resolution.
class QtPrinter final : public Printer
{
public:
    static constexpr double MarginePdf = FilePdf::Margine;

    // The system's default printer, as it is when the page starts.
    QtPrinter();
    // An A4 portrait PDF file at path.
    explicit QtPrinter(const QString &pdfPath);
    ~QtPrinter() override;

    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setCurrentX(double twips) override;
    void setCurrentY(double twips) override;
    bool print(const QString &line) override;
    bool printForm(QWidget *form) override;
    bool endDoc() override;
    void killDoc() override;
    QString errore() const override { return m_errore; }

private:
    explicit QtPrinter(std::unique_ptr<Destinazione> destinazione);

    bool avviaPagina(int risoluzione);
    bool fallisci(const QString &errore);
    double dispositivo(double twips) const;

    std::unique_ptr<Destinazione> m_destinazione;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    // A page starts in the screens' face, whatever face the application or the machine prefers:
    // the lines then land where the layout puts them, on every system.
    QFont m_font{facciaDisegnata(u"Arial")};
    double m_x = 0;
    double m_y = 0;
    bool m_fallito = false;
    QString m_errore;
};

class QtPrinterFactory final : public PrinterFactory
{
public:
    std::unique_ptr<Printer> stampante() override;
    std::unique_ptr<Printer> pdf(const QString &path) override;
};
