#pragma once

#include <QDate>
#include <QString>

// Timer and Date.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with fraction; back to 0 at midnight, and moved by any correction
    // of the system's clock.
    virtual double timer() = 0;
    // Seconds, with fraction, from a fixed moment of the run: never goes back, whatever the
    // system's clock does. Durations are measured on it.
    virtual double monotonic() = 0;
    virtual QDate today() = 0;
};

// Today as the Italian short date: dd/MM/yyyy.
QString dataBreve(const QDate &date);
