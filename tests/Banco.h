#pragma once

// A whole program on the test bench: the real screens over doubles of the platform.

#include "platform/Platform.h"
#include "platform/doubles/Doubles.h"
#include "session/Programma.h"
#include "session/SessionState.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

class PdfSaveDialog final : public SaveDialog
{
public:
    QString path; // empty: the user cancels
    QStringList asked;
    QString chiediFilePdf(QWidget *, const QString &suggested) override
    {
        asked.append(suggested);
        return path;
    }
};

class NoPrinters final : public PrinterFactory
{
public:
    std::unique_ptr<Printer> stampante() override { return nullptr; }
    std::unique_ptr<Printer> pdf(const QString &) override { return nullptr; }
};

struct Banco
{
    FakeClock clock;
    ScriptedRandom random;
    ScriptedMessageBox messageBox;
    CountingBeeper beeper;
    NoPrinters printers;
    PdfSaveDialog saveDialog;
    RecordingEnder ender;
    Platform piattaforma{messageBox, clock, random, beeper, printers, saveDialog, ender};
    SessionState stato;
    Programma programma{stato, piattaforma};
};
