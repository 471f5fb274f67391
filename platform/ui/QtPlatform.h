#pragma once

#include "platform/Platform.h"

#include <QElapsedTimer>
#include <QList>
#include <QPicture>
#include <QStringList>

#include <thread>

class QApplication;

// The Qt side of the platform seam, as the program uses it.

class QtMessageBox final : public MessageBox
{
public:
    int msgBox(const QString &prompt, int style, const QString &title) override;
};

class QtClock final : public Clock
{
public:
    QtClock() { m_avvio.start(); }
    double timer() override;
    double monotonic() override;
    QDate today() override;

private:
    QElapsedTimer m_avvio;
};

class QtBeeper final : public Beeper
{
public:
    void beep() override;
};

// Closes every window at once, without asking any form, and leaves the event loop.
class QtEnder final : public Ender
{
public:
    void end() override;
    bool ended() const override { return m_ended; }

private:
    bool m_ended = false;
};

// The printers of Qt's print support, from the printing module (zefirano_stampa) loaded the first
// time a page is printed: beside the program, or in ../lib/zefirano from it. Without the module
// no printer is there, and the program says so as it says it of a missing printer.
class StampantiDifferite final : public PrinterFactory
{
public:
    std::unique_ptr<Printer> stampante() override;
    std::unique_ptr<Printer> pdf(const QString &path) override;

private:
    PrinterFactory *modulo();

    PrinterFactory *m_modulo = nullptr;
    bool m_cercato = false;
};

class QtSaveDialog final : public SaveDialog
{
public:
    QString chiediFilePdf(QWidget *parent, const QString &suggested) override;
};

// Reads from disk, on a thread of its own, what the first screen needs before it can be drawn:
// the system's font configuration and the recorded pictures named. Made before the
// QApplication, it reads while the application connects to the display, and the first screen
// finds it all ready; otherwise each would be read when first asked for, with nothing else going
// on. Call attendi() before the program asks for any face or picture: it hands the pictures over.
class PreparazioneAvvio
{
public:
    explicit PreparazioneAvvio(QStringList disegni);
    ~PreparazioneAvvio();
    PreparazioneAvvio(const PreparazioneAvvio &) = delete;
    PreparazioneAvvio &operator=(const PreparazioneAvvio &) = delete;

    void attendi();

private:
    QStringList m_nomi;
    QList<QPicture> m_disegni;
    std::thread m_lettura;
};

// Italian everywhere: Qt's own texts, the locale, and the fonts the screens name mapped onto
// metric-compatible faces; one press of a key or of the mouse is one step (UnaPressione). Call
// once, right after the QApplication exists.
void installaPiattaforma(QApplication &app);

// Gives every window the icon at resource once the first window has been painted: drawn from its
// SVG at four sizes as soon as it is set, the icon would hold up the start screen by a few
// milliseconds, and the start screen does not show it.
void iconaDopoIlPrimoDisegno(QApplication &app, const QString &resource);
