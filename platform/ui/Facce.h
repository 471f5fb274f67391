#pragma once

#include <QString>

#include <string_view>

// The face a text is drawn in for a face the screens are designed in (FormTable.h): the designed
// face itself where the system has it as a scalable face (Arial on Windows), else its
// metric-compatible stand-in (Liberation Sans for Arial on Linux). Needs the application.
QString facciaDisegnata(std::u16string_view progettata);
