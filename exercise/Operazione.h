#pragma once

#include "exercise/Controlli.h"

#include <QString>

#include <array>

struct SessionState;
class Random;
class Clock;

enum class Gruppo { Numero, Segno };

// What one place of an operation holds, with s = a + b: a number, an operator, or the place where
// the child answers (TxtRisultato or lblSegno2, whose text the operation leaves alone). The three
// signs also name the expected answer of the find-the-sign types.
enum class Pezzo { A, B, S, SMeno1, SPiu1, Piu, Uguale, Maggiore, Minore, Risposta };

struct Posto
{
    Controllo controllo;
    Pezzo pezzo;
};

// One operation type. The stored line is `linea` with each of %a, %b, %s, %m (s - 1) and %p
// (s + 1) replaced by the two-column text of that number; the rest is copied as it stands.
struct TipoOp
{
    int numero; // TipoOperazione, 1..12
    Gruppo gruppo;
    std::array<Posto, 5> posti; // the five places of its frame, left to right
    Pezzo risposta;             // the hidden number, or the sign to pick
    Pezzo terzo;                // the third number, padded by Spazio3
    const char16_t *linea;
};

inline constexpr std::array<TipoOp, 12> tipiOp{{
    // clang-format off
    {1, Gruppo::Numero, {{{Controllo::TxtRisultato, Pezzo::Risposta},
                          {Controllo::LblSegno, Pezzo::Piu},
                          {Controllo::LblNumero1, Pezzo::A},
                          {Controllo::LblUguale, Pezzo::Uguale},
                          {Controllo::LblNumero2, Pezzo::S}}},
     Pezzo::B, Pezzo::S, u" . + %a = %s"},
    {2, Gruppo::Numero, {{{Controllo::LblNumero1, Pezzo::A},
                          {Controllo::LblSegno, Pezzo::Piu},
                          {Controllo::TxtRisultato, Pezzo::Risposta},
                          {Controllo::LblUguale, Pezzo::Uguale},
                          {Controllo::LblNumero2, Pezzo::S}}},
     Pezzo::B, Pezzo::S, u"%a +  . = %s"},
    {3, Gruppo::Numero, {{{Controllo::LblNumero1, Pezzo::A},
                          {Controllo::LblSegno, Pezzo::Piu},
                          {Controllo::LblNumero2, Pezzo::B},
                          {Controllo::LblUguale, Pezzo::Uguale},
                          {Controllo::TxtRisultato, Pezzo::Risposta}}},
     Pezzo::S, Pezzo::S, u"%a + %b = . "},
    {4, Gruppo::Numero, {{{Controllo::TxtRisultato, Pezzo::Risposta},
                          {Controllo::LblUguale, Pezzo::Uguale},
                          {Controllo::LblNumero1, Pezzo::A},
                          {Controllo::LblSegno, Pezzo::Piu},
                          {Controllo::LblNumero2, Pezzo::B}}},
     Pezzo::S, Pezzo::S, u" . = %a + %b"},
    {5, Gruppo::Numero, {{{Controllo::LblNumero1, Pezzo::S},
                          {Controllo::LblUguale, Pezzo::Uguale},
                          {Controllo::TxtRisultato, Pezzo::Risposta},
                          {Controllo::LblSegno, Pezzo::Piu},
                          {Controllo::LblNumero2, Pezzo::B}}},
     Pezzo::A, Pezzo::S, u"%s =  . + %b"},
    {6, Gruppo::Numero, {{{Controllo::LblNumero1, Pezzo::S},
                          {Controllo::LblUguale, Pezzo::Uguale},
                          {Controllo::LblNumero2, Pezzo::B},
                          {Controllo::LblSegno, Pezzo::Piu},
                          {Controllo::TxtRisultato, Pezzo::Risposta}}},
     Pezzo::A, Pezzo::S, u"%s = %b + . "},
    {7, Gruppo::Segno, {{{Controllo::lblNumero4, Pezzo::A},
                         {Controllo::lblUguale2, Pezzo::Piu},
                         {Controllo::lblNumero6, Pezzo::B},
                         {Controllo::lblSegno2, Pezzo::Risposta},
                         {Controllo::LblNumero8, Pezzo::S}}},
     Pezzo::Uguale, Pezzo::S, u"%a + %b . %s"},
    {8, Gruppo::Segno, {{{Controllo::lblNumero4, Pezzo::A},
                         {Controllo::lblUguale2, Pezzo::Piu},
                         {Controllo::lblNumero6, Pezzo::B},
                         {Controllo::lblSegno2, Pezzo::Risposta},
                         {Controllo::LblNumero8, Pezzo::SMeno1}}},
     Pezzo::Maggiore, Pezzo::SMeno1, u"%a + %b . %m"},
    {9, Gruppo::Segno, {{{Controllo::lblNumero4, Pezzo::A},
                         {Controllo::lblUguale2, Pezzo::Piu},
                         {Controllo::lblNumero6, Pezzo::B},
                         {Controllo::lblSegno2, Pezzo::Risposta},
                         {Controllo::LblNumero8, Pezzo::SPiu1}}},
     Pezzo::Minore, Pezzo::SPiu1, u"%a + %b . %p"},
    {10, Gruppo::Segno, {{{Controllo::lblNumero4, Pezzo::S},
                          {Controllo::lblSegno2, Pezzo::Risposta},
                          {Controllo::lblNumero6, Pezzo::A},
                          {Controllo::lblUguale2, Pezzo::Piu},
                          {Controllo::LblNumero8, Pezzo::B}}},
     Pezzo::Uguale, Pezzo::S, u"%s . %a + %b"},
    {11, Gruppo::Segno, {{{Controllo::lblNumero4, Pezzo::SPiu1},
                          {Controllo::lblSegno2, Pezzo::Risposta},
                          {Controllo::lblNumero6, Pezzo::A},
                          {Controllo::lblUguale2, Pezzo::Piu},
                          {Controllo::LblNumero8, Pezzo::B}}},
     Pezzo::Maggiore, Pezzo::SPiu1, u"%p . %a + %b"},
    {12, Gruppo::Segno, {{{Controllo::lblNumero4, Pezzo::SMeno1},
                          {Controllo::lblSegno2, Pezzo::Risposta},
                          {Controllo::lblNumero6, Pezzo::B},
                          {Controllo::lblUguale2, Pezzo::Piu},
                          {Controllo::LblNumero8, Pezzo::A}}},
     Pezzo::Minore, Pezzo::SMeno1, u"%m . %b + %a"},
    // clang-format on
}};

// The type numbered t; nullptr outside 1..12.
const TipoOp *tipoOp(int t);

// Whether any of the types tipoMin .. tipoMax - 1 is of group g.
bool usaGruppo(int tipoMin, int tipoMax, Gruppo g);

// The number a place stands for; 0 for an operator or the answer place.
int valore(Pezzo p, int a, int b);

// A place as a label shows it: plain digits, "+", "=", ">" or "<"; empty for the answer place.
QString testo(Pezzo p, int a, int b);

// The first part of the stored line of an operation of type t with addends a and b.
QString linea(const TipoOp &t, int a, int b);

// The operation as a screen reader says it, its places left to right and "?" where the child
// answers: "7 più ? uguale 12", "7 più 5 ? 12".
QString frase(const TipoOp &t, int a, int b);

// livello2: re-seeds from the clock, then draws the addends of the range ScelteIntervallo into
// Addendo1 and Addendo2 and sets Spazio1..Spazio3. A range choice outside 1..6 draws nothing
// and only recomputes the three pads.
void livello2(SessionState &s, Random &random, Clock &clock);

// Re-seeds from the clock and draws TipoOperazione in TipoMin..TipoMax - 1; returns it.
int sceltaTipo(SessionState &s, Random &random, Clock &clock);

// visualizza, without the screen: draws the type and then the addends, sets RispostaEsatta,
// NumeroNascosto (find-the-number types) and Spazio3, writes Operazioni(NumeroOperazione) and
// reads InizioOperazione from the clock. Returns the type to show, or nullptr when the type
// drawn is outside 1..12: then nothing is drawn or stored and only InizioOperazione is set.
// A NumeroOperazione outside 0..45 stores no line.
const TipoOp *visualizza(SessionState &s, Random &random, Clock &clock);
