#pragma once

#include "platform/Printer.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>

// One line as it reached the page: its text, where it started (twips) and its font. An empty
// font name is the printer's own font.
struct RigaStampata
{
    QString testo;
    double x = 0;
    double y = 0;
    QString font;
    double dimensione = 0;
    bool grassetto = false;
};

// Everything one printer was asked to do, kept after the printer itself is gone.
struct LavoroStampa
{
    QString pdf;          // the file of a PDF printer; empty for the default printer
    QStringList chiamate; // every call in order: "setCurrentX 1000", "print …", "endDoc", …
    QList<RigaStampata> righe;
    QList<QWidget *> forms;
    bool inviato = false;   // an endDoc that succeeded after something was printed
    bool annullato = false; // killDoc dropped a started page
};

// How a recorded printer breaks down. The failing call and every call after it return false.
struct GuastoStampante
{
    int stampaCheFallisce = -1; // index among the print and printForm calls; -1 for none
    bool fineDocFallisce = false;
    QString errore = QStringLiteral("La stampante non risponde.");
};

// A printer that records every call and places lines as the real one does: each print starts
// at CurrentX/CurrentY, then the position goes back to the left edge, one line lower (a line is
// the font size, in points, times 20 twips).
class RecordingPrinter final : public Printer
{
public:
    explicit RecordingPrinter(
        std::shared_ptr<LavoroStampa> lavoro = std::make_shared<LavoroStampa>(),
        GuastoStampante guasto = {});

    // Runs inside printForm, before it returns, so a test can look at the form as it is printed.
    std::function<void(QWidget *)> allaStampaForm;

    const LavoroStampa &lavoro() const { return *m_lavoro; }

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
    bool stampa();

    std::shared_ptr<LavoroStampa> m_lavoro;
    GuastoStampante m_guasto;
    QString m_font;
    double m_dimensione = 10;
    bool m_grassetto = false;
    double m_x = 0;
    double m_y = 0;
    int m_stampe = 0;
    bool m_pagina = false;
    bool m_fallito = false;
    QString m_errore;
};

// Hands out recording printers and keeps the jobs of all of them, in order.
class RecordingPrinterFactory final : public PrinterFactory
{
public:
    GuastoStampante guastoStampante;
    GuastoStampante guastoPdf;
    std::function<void(QWidget *)> allaStampaForm;
    QList<std::shared_ptr<LavoroStampa>> lavori;

    std::unique_ptr<Printer> stampante() override;
    std::unique_ptr<Printer> pdf(const QString &path) override;
};

// Answers the save dialog from a script; an empty text (cancel) once the script runs out.
class ScriptedSaveDialog final : public SaveDialog
{
public:
    std::deque<QString> risposte;
    QStringList proposti; // every suggested path, in order

    QString chiediFilePdf(QWidget *parent, const QString &suggested) override;
};
