#pragma once

#include "platform/Printer.h"

#include <QFont>
#include <QPainter>
#include <QString>

#include <memory>

class QPrinter;

// The printer of the program, on Qt's print support: the system's default printer (a CUPS queue
// on Linux) or a PDF file, never with a dialog.
//
// The page starts at the first print or printForm. Before it starts, the default printer is
// checked: a scheduler must answer, a printer must be installed and chosen as the default, and
// its queue must accept jobs; otherwise nothing is started and errore() says which of these is
// missing. endDoc reports success only when the page reached the spooler (or, for a PDF, when
// the file was written). A printer destroyed with a page still open drops that page.
//
// printForm draws the window as vectors and text, so it prints sharp; a picture the window
// shows as a bitmap prints at the bitmap's own resolution. A form printed on a page that lines
// of text have already started goes out as one bitmap at the printer's resolution.
class QtPrinter final : public Printer
{
public:
    // Margin of the PDF page on every side, in points: where a real printer would stop too.
    static constexpr double MarginePdf = 18.0;

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
    bool avviaPagina(int risoluzione);
    QString controllaStampantePredefinita();
    bool fallisci(const QString &errore);
    double dispositivo(double twips) const;

    QString m_pdf;
    QString m_nomeStampante;
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QFont m_font;
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
