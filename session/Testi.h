#pragma once

#include <QString>

// The three ways a whole number becomes text, and back.

// Str(n): the decimal digits, with one leading blank when n >= 0 (Str(4) is " 4").
QString Str(long long n);

// Val(t): the value of the digits at the start of t, after leading blanks; 0 when there are none.
long long Val(const QString &t);

// Plain decimal digits, as labels and counts show them ("4", "12").
QString cifre(long long n);

// The two-column text of the stored operation line: a blank before numbers below 10.
QString dueColonne(long long n);

// The pad of the two-column text alone: one blank below 10, else nothing.
QString spazio(long long n);
