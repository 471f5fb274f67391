#include "platform/Clock.h"

QString dataBreve(const QDate &date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}
