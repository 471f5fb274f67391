#pragma once

#include "platform/Colore.h"

#include <span>

// A screen described as data: the form, its controls and its menus. Positions are twips,
// relative to the container; one loop (Form::load) turns a table into widgets.

enum class Kind { Label, Button, TextBox, Frame, Combo, Image, Shape, Line };

// Flags of a control, or-ed together.
enum Flag : unsigned {
    Centred = 1u << 0,     // text centred (labels, text boxes)
    Transparent = 1u << 1, // label or frame shows its container's background
    Border = 1u << 2,      // single border around a label
    Graphical = 1u << 3,   // a button that shows its background colour
    Hidden = 1u << 4,
    Disabled = 1u << 5,
    NoBorder = 1u << 6, // frame without its border
    Rounded = 1u << 7,  // shape: rounded rectangle
    // A label with colonne: its n-th word stands in the n-th column, which begins at the n-th
    // stop and ends at the next (the last at the label's right).
    ParolaPerColonna = 1u << 8,
};

// Twips kept clear on each side of a rectangle.
struct Margini
{
    int sinistra = 0, sopra = 0, destra = 0, sotto = 0;
};

struct Carattere
{
    const char16_t *name = nullptr; // nullptr: the form's font
    double size = 0;                // points
    bool bold = false;
};

// The faces the screens are designed in.
enum Peso : bool { Normale = false, Grassetto = true };
constexpr Carattere arial(double size, Peso peso = Normale)
{
    return {u"Arial", size, peso};
}
constexpr Carattere times(double size, Peso peso = Normale)
{
    return {u"Times New Roman", size, peso};
}
constexpr Carattere sansSerif(double size, Peso peso = Normale)
{
    return {u"MS Sans Serif", size, peso};
}

// The faces drawn in place of the designed ones where the system lacks them: metric-compatible,
// from fonts-liberation (facciaDisegnata, Facce.h).
struct Sostituto
{
    const char16_t *progettata;
    const char16_t *disegnata;
};
inline constexpr Sostituto sostituti[] = {
    {u"Arial", u"Liberation Sans"},
    {u"MS Sans Serif", u"Liberation Sans"},
    {u"Times New Roman", u"Liberation Serif"},
    {u"Courier", u"Liberation Mono"},
    {u"Courier New", u"Liberation Mono"},
};

struct ControlDef
{
    const char *name;
    Kind kind;
    const char *in = nullptr;                     // container control; nullptr: the form
    int left = 0, top = 0, width = 0, height = 0; // a Line goes from (left, top) to (width, height)
    const char16_t *caption = nullptr;
    Carattere font{};
    Colore fore{};
    Colore back{};
    unsigned flags = 0;
    int tabIndex = -1; // position in the tab order; -1: not in it
    int maxLength = 0;
    const char16_t *toolTip = nullptr;
    const char *picture = nullptr; // resource path of an Image
    int borderWidth = 1;           // Shape
    // What a screen reader calls the control, where its caption does not read as a word (spaced
    // letters, capitals) or it has none.
    const char16_t *accessibleName = nullptr;
    // Labels and text boxes whose texts stand on one line across a row of controls: the
    // baseline, in twips from the container's top. 0: where the alignment puts the text.
    int linea = 0;
    // A label of column headings: the stops between its columns, in twips from its left. Each
    // word of the caption stands centred in the column its blanks put it in.
    std::span<const int> colonne{};
    // An Image that draws a sheet on a background: the background's margins around the sheet.
    // The labels that stand on the picture keep their text on the sheet.
    Margini foglio{};
};

struct MenuDef
{
    const char *name;
    const char *parent; // nullptr: an entry of the menu bar
    const char16_t *caption;
    bool separator = false;
};

struct FormDef
{
    const char *name;
    const char16_t *caption;
    int width, height; // client area, twips
    Colore back{};
    Carattere font{u"MS Sans Serif", 8.25, false};
    std::span<const ControlDef> controls{};
    std::span<const MenuDef> menus{};
    bool fixedSize = false;
    bool maximised = false;
};

// 15 twips make a pixel at 96 DPI.
constexpr double twipsPerPixel = 15.0;
