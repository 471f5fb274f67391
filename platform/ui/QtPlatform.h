#pragma once

#include "platform/Platform.h"

#include <QElapsedTimer>

class QApplication;

// The Qt side of the platform seam, as the program uses it.

class QtMessageBox final : public MessageBox
{
public:
    int msgBox(const QString &prompt, int style, const QString &title) override;
    int msgBoxConPremessa(const QString &premessa, const QString &prompt, int style,
                          const QString &title) override;
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

class QtSaveDialog final : public SaveDialog
{
public:
    QString chiediFilePdf(QWidget *parent, const QString &suggested) override;
};

// Italian everywhere: Qt's own texts, the locale, and the fonts the screens name mapped onto
// metric-compatible faces; one press of a key or of the mouse is one step (UnaPressione); the
// program's style and icon. Call once, right after the QApplication exists.
void installaPiattaforma(QApplication &app);
