#pragma once

#include "platform/Beeper.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "platform/Random.h"

// Everything of the outside world that a screen may touch. The program wires the Qt
// implementations in; the tests wire doubles.
struct Platform
{
    MessageBox &messageBox;
    Clock &clock;
    Random &random;
    Beeper &beeper;
    PrinterFactory &printers;
    SaveDialog &saveDialog;
    Ender &ender;
};
