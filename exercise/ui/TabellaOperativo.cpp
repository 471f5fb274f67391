#include "exercise/ui/TabellaOperativo.h"

namespace {

constexpr Colore rosso = RGB(255, 0, 0);
constexpr Colore blu = RGB(0, 0, 128);
constexpr Colore verde = RGB(0, 192, 0);
constexpr Colore pulsanti = RGB(255, 224, 192);

// The numbers, the answer and the operators of an operation stand on one baseline, in twips
// from the top of their frame: the digits sit in the middle of the numbers' boxes.
constexpr int lineaNumero = 1830;
constexpr int lineaSegno = 1890;

// The ruler of the stars, 1 to 10 (LblContatore), over the right answers' and under the wrong
// answers' stars (LblSi, LblNo): ten columns of one width across the stars' rows, which begin
// at 2010 twips; each digit and each star stands centred in its column. The stops are in twips
// from the left of the label at `sinistra`.
constexpr std::array<int, 10> righello(int sinistra)
{
    std::array<int, 10> stops{};
    for (int k = 0; k < 10; ++k)
        stops[static_cast<std::size_t>(k)] = 2010 - sinistra + k * 3495 / 10;
    return stops;
}
constexpr std::array<int, 10> righelloStelle = righello(2010);
constexpr std::array<int, 10> righelloCifre = righello(1920);

// The rules of ELABORAZIONE (Line1, Line2, Line4), from the left of its heading labels: each
// heading word stands between two of them.
constexpr int colonneElaborazione[] = {840 - 240, 1560 - 240, 2400 - 240};

// clang-format off
constexpr ControlDef controlli[] = {
    {.name = "Label2", .kind = Kind::Label, .left = 360, .top = 120, .width = 11385,
     .height = 495, .font = times(21.75, Grassetto)},
    {.name = "Label1", .kind = Kind::Label, .left = 360, .top = 660, .width = 11385,
     .height = 495, .font = times(21.75, Grassetto)},

    {.name = "frmNumero", .kind = Kind::Frame, .left = 540, .top = 1080, .width = 11355,
     .height = 3285, .back = RGB(255, 255, 192), .flags = NoBorder},
    {.name = "LblNumero1", .kind = Kind::Label, .in = "frmNumero", .left = 180, .top = 390,
     .width = 3015, .height = 1845, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Border | Centred, .linea = lineaNumero},
    {.name = "LblSegno", .kind = Kind::Label, .in = "frmNumero", .left = 3210, .top = 480,
     .width = 855, .height = 1815, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Centred | Transparent, .linea = lineaNumero},
    {.name = "TxtRisultato", .kind = Kind::TextBox, .in = "frmNumero", .left = 4050, .top = 360,
     .width = 3015, .height = 1845, .font = arial(72, Grassetto), .fore = rosso,
     .back = RGB(255, 255, 192), .flags = Centred, .tabIndex = 0, .maxLength = 2,
     .accessibleName = u"Risultato", .linea = lineaNumero},
    {.name = "LblUguale", .kind = Kind::Label, .in = "frmNumero", .left = 7110, .top = 480,
     .width = 855, .height = 1815, .caption = u"=", .font = arial(72, Grassetto), .fore = rosso,
     .flags = Centred | Transparent, .linea = lineaNumero},
    {.name = "LblNumero2", .kind = Kind::Label, .in = "frmNumero", .left = 8100, .top = 390,
     .width = 3015, .height = 1845, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Border | Centred, .linea = lineaNumero},

    {.name = "frmSegno", .kind = Kind::Frame, .left = 510, .top = 1110, .width = 11445,
     .height = 3255, .back = RGB(255, 192, 192), .flags = NoBorder},
    {.name = "lblNumero4", .kind = Kind::Label, .in = "frmSegno", .left = 120, .top = 450,
     .width = 3015, .height = 1845, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Border | Centred, .linea = lineaSegno},
    {.name = "lblSegno2", .kind = Kind::Label, .in = "frmSegno", .left = 3030, .top = 420,
     .width = 855, .height = 1755, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Centred | Transparent, .linea = lineaSegno},
    {.name = "lblNumero6", .kind = Kind::Label, .in = "frmSegno", .left = 4020, .top = 450,
     .width = 3015, .height = 1845, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Border | Centred, .linea = lineaSegno},
    {.name = "lblUguale2", .kind = Kind::Label, .in = "frmSegno", .left = 7170, .top = 600,
     .width = 855, .height = 1695, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Centred | Transparent, .linea = lineaSegno},
    {.name = "LblNumero8", .kind = Kind::Label, .in = "frmSegno", .left = 8130, .top = 510,
     .width = 3015, .height = 1845, .font = arial(72, Grassetto), .fore = rosso,
     .flags = Border | Centred, .linea = lineaSegno},
    {.name = "Label13", .kind = Kind::Label, .in = "frmSegno", .left = 60, .top = 2640,
     .width = 11295, .height = 585, .back = RGB(255, 192, 128)},
    {.name = "Image3", .kind = Kind::Image, .in = "frmSegno", .left = 4470, .top = 2700,
     .width = 480, .height = 480, .tabIndex = 6, .toolTip = u"uguale", .picture = ":/uguale.pic",
     .accessibleName = u"uguale"},
    {.name = "Image4", .kind = Kind::Image, .in = "frmSegno", .left = 6000, .top = 2760,
     .width = 480, .height = 480, .tabIndex = 7, .toolTip = u"minore", .picture = ":/minore.pic",
     .accessibleName = u"minore"},
    {.name = "Image5", .kind = Kind::Image, .in = "frmSegno", .left = 7590, .top = 2730,
     .width = 480, .height = 480, .tabIndex = 8, .toolTip = u"maggiore",
     .picture = ":/maggiore.pic", .accessibleName = u"maggiore"},

    {.name = "LblEsito", .kind = Kind::Label, .left = 540, .top = 4590, .width = 5715,
     .height = 975, .font = arial(48, Grassetto), .fore = rosso, .flags = Centred | Transparent},

    // The blank bar lies behind the three buttons that take turns in its place.
    {.name = "cmdSfondo", .kind = Kind::Button, .left = 570, .top = 5580, .width = 6705,
     .height = 465, .font = arial(12, Grassetto), .back = pulsanti, .flags = Graphical | Disabled},
    {.name = "CmdVerifica", .kind = Kind::Button, .left = 570, .top = 5550, .width = 6705,
     .height = 465, .caption = u"V e r i f i c a ", .font = arial(12, Grassetto), .back = pulsanti,
     .flags = Graphical, .tabIndex = 3, .accessibleName = u"Verifica"},
    {.name = "CmdOperazione", .kind = Kind::Button, .left = 570, .top = 5580, .width = 6705,
     .height = 465, .caption = u"Nuova operazione", .font = arial(12, Grassetto), .back = pulsanti,
     .flags = Graphical, .tabIndex = 2},
    {.name = "CmdEsercizio", .kind = Kind::Button, .left = 570, .top = 5550, .width = 6705,
     .height = 495, .caption = u"Nuovo esercizio", .font = arial(12, Grassetto), .back = pulsanti,
     .flags = Graphical, .tabIndex = 4},
    {.name = "CmdStampa", .kind = Kind::Button, .left = 7770, .top = 5550, .width = 2385,
     .height = 465, .caption = u"Visualizza / stampa ", .font = arial(12, Grassetto),
     .back = pulsanti,
     .flags = Graphical, .tabIndex = 5, .accessibleName = u"Visualizza e stampa le operazioni"},
    {.name = "CmdFine", .kind = Kind::Button, .left = 10200, .top = 5550, .width = 945,
     .height = 465, .caption = u"Esci", .font = arial(12, Grassetto), .back = pulsanti,
     .flags = Graphical, .tabIndex = 1},

    {.name = "frmValutazione", .kind = Kind::Frame, .left = 540, .top = 6270, .width = 6735,
     .height = 1695, .caption = u"VALUTAZIONE", .back = RGB(255, 224, 192)},
    {.name = "Label7", .kind = Kind::Label, .in = "frmValutazione", .left = 120, .top = 240,
     .width = 1575, .height = 375, .caption = u"Risp. esatte", .font = sansSerif(12, Grassetto),
     .fore = blu, .flags = Transparent},
    {.name = "Label8", .kind = Kind::Label, .in = "frmValutazione", .left = 120, .top = 600,
     .width = 1215, .height = 375, .caption = u"Esercizio n.", .font = sansSerif(12, Grassetto),
     .flags = Transparent},
    {.name = "Label6", .kind = Kind::Label, .in = "frmValutazione", .left = 120, .top = 1080,
     .width = 1455, .height = 375, .caption = u"Risp. errate", .font = sansSerif(12, Grassetto),
     .fore = blu, .flags = Transparent},
    {.name = "LblSi", .kind = Kind::Label, .in = "frmValutazione", .left = 2010, .top = 240,
     .width = 3495, .height = 255, .font = sansSerif(24, Grassetto), .fore = blu,
     .flags = Transparent | ParolaPerColonna, .colonne = righelloStelle},
    {.name = "LblContatore", .kind = Kind::Label, .in = "frmValutazione", .left = 1920,
     .top = 720, .width = 3585, .height = 375,
     .caption = u"1    2    3    4    5    6    7    8    9   10",
     .font = sansSerif(9.75, Grassetto),
     .flags = Transparent | ParolaPerColonna, .colonne = righelloCifre},
    {.name = "LblNo", .kind = Kind::Label, .in = "frmValutazione", .left = 2010, .top = 1080,
     .width = 3495, .height = 255, .font = sansSerif(24, Grassetto),
     .flags = Transparent | ParolaPerColonna, .colonne = righelloStelle},

    {.name = "frmElaborazione", .kind = Kind::Frame, .left = 7770, .top = 6255, .width = 3375,
     .height = 1695, .caption = u"ELABORAZIONE", .back = RGB(255, 224, 192)},
    {.name = "Label5", .kind = Kind::Label, .in = "frmElaborazione", .left = 240, .top = 360,
     .width = 3015, .height = 255, .caption = u" Eser.    Oper.   Tempo      Tempo ",
     .font = sansSerif(8.25, Grassetto), .flags = Transparent, .colonne = colonneElaborazione},
    {.name = "Label4", .kind = Kind::Label, .in = "frmElaborazione", .left = 240, .top = 600,
     .width = 3015, .height = 255, .caption = u"                        parziale    totale",
     .font = sansSerif(8.25, Grassetto), .flags = Transparent, .colonne = colonneElaborazione},
    {.name = "LblEsercizio", .kind = Kind::Label, .in = "frmElaborazione", .left = 135,
     .top = 960, .width = 600, .height = 480, .font = arial(14.25, Grassetto), .fore = verde,
     .flags = Centred | Transparent},
    {.name = "LblOperazione", .kind = Kind::Label, .in = "frmElaborazione", .left = 915,
     .top = 960, .width = 600, .height = 480, .font = arial(14.25, Grassetto), .fore = verde,
     .flags = Centred | Transparent},
    {.name = "LblTempoParziale", .kind = Kind::Label, .in = "frmElaborazione", .left = 1695,
     .top = 960, .width = 630, .height = 480, .font = arial(14.25, Grassetto), .fore = rosso,
     .flags = Transparent, .toolTip = u"Secondi impiegati per ogni risposta"},
    {.name = "LblTempoTotale", .kind = Kind::Label, .in = "frmElaborazione", .left = 2550,
     .top = 960, .width = 630, .height = 480, .font = arial(14.25, Grassetto), .fore = rosso,
     .flags = Transparent, .toolTip = u"Secondi impiegati per ogni esercizio"},
    {.name = "Line1", .kind = Kind::Line, .in = "frmElaborazione", .left = 840, .top = 360,
     .width = 840, .height = 1200},
    {.name = "Line2", .kind = Kind::Line, .in = "frmElaborazione", .left = 1560, .top = 360,
     .width = 1560, .height = 1200},
    {.name = "Line4", .kind = Kind::Line, .in = "frmElaborazione", .left = 2400, .top = 360,
     .width = 2400, .height = 1200},

    {.name = "LblIstruzione", .kind = Kind::Label, .left = 540, .top = 8040, .width = 10590,
     .height = 270, .font = times(11.25, Grassetto), .fore = RGB(0, 0, 192),
     .back = RGB(192, 255, 255)},
};

constexpr MenuDef menu[] = {
    {"mnuFile", nullptr, u"File"},
    {"mnuStampa", "mnuFile", u"Visualizza operazioni"},
    {"mnuAttestato", "mnuFile", u"Visualizza attestato"},
    {"mnuSep1", "mnuFile", u"", true},
    {"mnuEsci", "mnuFile", u"Esci"},
};

} // namespace

const FormDef definizioneOperativo{.name = "frmOperativoPiù",
                                   .caption = u"ESERCIZI SULLE ZEFIRANO.2",
                                   .width = 11880,
                                   .height = 8595,
                                   .back = RGB(255, 224, 192),
                                   .controls = controlli,
                                   .menus = menu};
// clang-format on
