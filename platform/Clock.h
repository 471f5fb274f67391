#pragma once

#include <QDate>
#include <QString>

// Timer and Date.
class Clock
{
public:
    virtual ~Clock() = default;
    // Seconds since midnight, with fraction; back to 0 at midnight.
    virtual double timer() = 0;
    virtual QDate today() = 0;
};

// Today as the Italian short date: dd/MM/yyyy.
QString dataBreve(const QDate &date);
