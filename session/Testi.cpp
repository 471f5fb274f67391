#include "session/Testi.h"

QString Str(long long n)
{
    return n >= 0 ? QLatin1Char(' ') + QString::number(n) : QString::number(n);
}

long long Val(const QString &t)
{
    qsizetype i = 0;
    while (i < t.size() && t.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        if (value < 100'000'000'000'000'000LL)
            value = value * 10 + (c - u'0');
    }
    return negative ? -value : value;
}

QString cifre(long long n)
{
    return QString::number(n);
}

QString spazio(long long n)
{
    return n < 10 ? QStringLiteral(" ") : QString();
}

QString dueColonne(long long n)
{
    return spazio(n) + QString::number(n);
}
