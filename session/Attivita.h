#pragma once

#include "platform/Colore.h"
#include "session/SessionState.h"

#include <array>

// The six number ranges, one per button of the start screen: the range the child picks, and
// how its operations are drawn. Each addend is drawn as floor(r * k) + m, a first and b second,
// and the pair is drawn again as a whole while its sum lies outside sommaMin..sommaMax.
struct Intervallo
{
    const char *pulsante; // the start screen's button
    const char16_t *caption;
    int numeroMin, numeroMax; // as the screens state the range
    int scelta;               // ScelteIntervallo
    int k, m, sommaMin, sommaMax;
};

// clang-format off
inline constexpr std::array<Intervallo, 6> intervalli{{
    {"Command1", u"Numero max da 1 a 10",  1,  10, 1, 10, 1,  0,  10},
    {"Command2", u"Numero max da 1 a 20",  1,  20, 2, 20, 1,  0,  20},
    {"Command3", u"Numero max da 10 a 30", 10, 30, 3, 30, 1,  10, 30},
    {"Command4", u"Numero max da 30 a 60", 30, 60, 4, 15, 15, 30, 60},
    {"Command5", u"Numero max da 60 a 99", 60, 99, 5, 45, 15, 60, 99},
    {"Command6", u"Numero max da 10 a 99", 10, 99, 6, 40, 5,  20, 99},
}};
// clang-format on

// The range of a choice ScelteIntervallo; nullptr outside 1..6.
const Intervallo *intervallo(int scelta);

// The look an activity gives the exercise screen: the area colour for the form and the answer
// areas its operations use, and one colour for the buttons and two frames.
struct Schema
{
    Colore area;
    Colore pulsanti;
};

// The three activities, in the order of the start screen's list.
struct Attivita
{
    const char16_t *voce;
    int tipoMin, tipoMax; // operation types tipoMin .. tipoMax - 1
    const char16_t *istruzione;
    Schema schema;
};

inline constexpr std::array<Attivita, 3> attivita{{
    {u"Calcolo del numero", 1, 7, u"Calcola il numero", {RGB(250, 250, 200), RGB(240, 220, 150)}},
    {u"Calcolo del segno = < >",
     7,
     13,
     u"Calcola il segno",
     {RGB(200, 255, 255), RGB(200, 200, 255)}},
    {u"Calcolo dei numero o del segno secondo richiesta",
     1,
     13,
     u"Calcola il numero o il segno secondo richiesta",
     {RGB(255, 215, 220), RGB(240, 180, 220)}},
}};

// Stores NumeroMin, NumeroMax and ScelteIntervallo of the range at index 0..5.
void scegliIntervallo(SessionState &stato, int indice);
// Stores TipoMin, TipoMax and the instruction of the activity at list index 0..2; an index out
// of the list counts as the first activity.
const Attivita &scegliAttivita(SessionState &stato, int indice);
