#pragma once

#include <QString>

#include <array>

// The grade of a sitting: the share of right answers among the operations checked so far,
// floored to a whole score out of ten. An operation on screen that has not been answered does
// not count, so the score never drops because the next operation appeared.

struct RigaGiudizio
{
    int voto;
    const char16_t *giudizio;
};

// The scores that earn a certificate, best first. Any other score refuses it.
inline constexpr std::array<RigaGiudizio, 6> TabellaGiudizi{{
    {10, u"OTTIMO"},
    {9, u"OTTIMO"},
    {8, u"DISTINTO"},
    {7, u"BUONO"},
    {6, u"SUFFICIENTE"},
    {5, u"SUFFICIENTE (!)"},
}};

// floor(10 × esatte / verificate), in exact arithmetic; 0 when nothing was checked or a count
// is negative.
int voto(int esatte, int verificate);

// The grade word of a score; empty when the score earns no certificate.
QString giudizio(int voto);
