#include "session/ui/FrmInizio1.h"

#include "platform/Platform.h"
#include "platform/ui/Controls.h"
#include "session/Attivita.h"
#include "session/SessionState.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

#include <utility>

namespace {

// The two credits at the foot of the screen stand on one baseline, in twips from the top.
constexpr int lineaCrediti = 7740;

// clang-format off
constexpr ControlDef controlli[] = {
    {.name = "Frame2", .kind = Kind::Frame, .left = 60, .top = 90, .width = 11805, .height = 1815,
     .caption = u".", .back = RGB(192, 255, 192)},
    {.name = "Shape1", .kind = Kind::Shape, .in = "Frame2", .left = 180, .top = 240,
     .width = 11505, .height = 1455, .back = RGB(0, 192, 192), .flags = Rounded, .borderWidth = 2},
    {.name = "Shape2", .kind = Kind::Shape, .in = "Frame2", .left = 210, .top = 210,
     .width = 11445, .height = 1455, .back = RGB(128, 255, 255), .flags = Rounded},
    {.name = "Label4", .kind = Kind::Label, .in = "Frame2", .left = 675, .top = 420,
     .width = 7470, .height = 1005, .caption = u"ZEFIRANO. 2 ", .font = arial(48, Grassetto),
     .fore = RGB(192, 0, 0), .back = RGB(0, 255, 255), .flags = Centred},
    {.name = "Label6", .kind = Kind::Label, .in = "Frame2", .left = 8835, .top = 480,
     .width = 2685, .height = 960,
     .caption = u"Attività di controllo     Stampa operazioni Stampa valutazione",
     .font = arial(14.25), .fore = RGB(192, 0, 0), .flags = Transparent},
    {.name = "Combo1", .kind = Kind::Combo, .left = 90, .top = 2070, .width = 11655, .height = 600,
     .font = arial(20.25), .back = RGB(255, 255, 192), .tabIndex = 1,
     .accessibleName = u"Attività"},
    {.name = "Image1", .kind = Kind::Image, .left = 480, .top = 2820, .width = 4500,
     .height = 4500, .picture = ":/inizio.pic", .accessibleName = u"Esempi di operazioni"},
    {.name = "Frame1", .kind = Kind::Frame, .left = 5130, .top = 2820, .width = 4215,
     .height = 4215, .back = RGB(192, 255, 192)},
    {.name = intervalli[0].pulsante, .kind = Kind::Button, .in = "Frame1", .left = 300, .top = 90,
     .width = 3615, .height = 495, .caption = intervalli[0].caption, .font = arial(9.75, Grassetto),
     .back = RGB(255, 224, 192), .flags = Graphical, .tabIndex = 3},
    {.name = intervalli[1].pulsante, .kind = Kind::Button, .in = "Frame1", .left = 300, .top = 660,
     .width = 3615, .height = 495, .caption = intervalli[1].caption, .font = arial(9.75, Grassetto),
     .back = RGB(255, 192, 128), .flags = Graphical, .tabIndex = 2},
    {.name = intervalli[2].pulsante, .kind = Kind::Button, .in = "Frame1", .left = 285, .top = 1230,
     .width = 3615, .height = 495, .caption = intervalli[2].caption,
     .font = arial(9.75, Grassetto), .back = RGB(255, 128, 0), .flags = Graphical, .tabIndex = 6},
    {.name = intervalli[3].pulsante, .kind = Kind::Button, .in = "Frame1", .left = 300, .top = 1800,
     .width = 3615, .height = 495, .caption = intervalli[3].caption,
     .font = arial(9.75, Grassetto), .back = RGB(255, 192, 192), .flags = Graphical, .tabIndex = 5},
    {.name = intervalli[4].pulsante, .kind = Kind::Button, .in = "Frame1", .left = 300, .top = 2400,
     .width = 3615, .height = 495, .caption = intervalli[4].caption,
     .font = arial(9.75, Grassetto), .back = RGB(255, 128, 128), .flags = Graphical, .tabIndex = 7},
    {.name = intervalli[5].pulsante, .kind = Kind::Button, .in = "Frame1", .left = 300, .top = 2925,
     .width = 3615, .height = 495, .caption = intervalli[5].caption,
     .font = arial(9.75, Grassetto), .back = RGB(255, 0, 0), .flags = Graphical, .tabIndex = 8},
    {.name = "Command7", .kind = Kind::Button, .in = "Frame1", .left = 300, .top = 3540,
     .width = 3585, .height = 495, .caption = u"Esci", .font = sansSerif(8.25, Grassetto),
     .back = RGB(255, 224, 192), .flags = Graphical, .tabIndex = 4},
    {.name = "Frame3", .kind = Kind::Frame, .left = 5430, .top = 2910, .width = 6405,
     .height = 4440, .back = RGB(255, 192, 255)},
    {.name = "Label2", .kind = Kind::Label, .in = "Frame3", .left = 720, .top = 195,
     .width = 4950, .height = 465, .caption = u"   IMMETTI   IL  TUO  NOME",
     .font = arial(14.25, Grassetto), .fore = RGB(192, 0, 0), .flags = Centred | Transparent},
    {.name = "txtNome", .kind = Kind::TextBox, .in = "Frame3", .left = 240, .top = 720,
     .width = 5940, .height = 690, .font = arial(21.75, Grassetto), .fore = RGB(192, 0, 0),
     .back = RGB(255, 192, 255), .flags = Centred, .tabIndex = 0, .maxLength = 15,
     .accessibleName = u"Il tuo nome"},
    {.name = "Label7", .kind = Kind::Label, .in = "Frame3", .left = 2505, .top = 1440,
     .width = 1500, .height = 300, .caption = u"Massimo 15 lettere", .flags = Transparent},
    {.name = "Label8", .kind = Kind::Label, .in = "Frame3", .left = 1395, .top = 1785,
     .width = 3825, .height = 720, .caption = u"Buon lavoro", .font = arial(24),
     .fore = RGB(128, 0, 128), .flags = Centred | Transparent},
    {.name = "cmdAvanti", .kind = Kind::Button, .in = "Frame3", .left = 2010, .top = 2715,
     .width = 2700, .height = 675, .caption = u"AVANTI", .font = arial(21.75, Grassetto),
     .back = RGB(255, 255, 0), .flags = Graphical, .tabIndex = 9, .accessibleName = u"Avanti"},
    {.name = "cmdFine", .kind = Kind::Button, .in = "Frame3", .left = 315, .top = 3810,
     .width = 6210, .height = 510, .caption = u"E S C I", .font = arial(21.75, Grassetto),
     .back = RGB(255, 128, 255), .flags = Graphical, .tabIndex = 10, .accessibleName = u"Esci"},
    {.name = "Label3", .kind = Kind::Label, .left = 240, .top = 7410, .width = 10785,
     .height = 465, .caption = u"Ideazione, progettazione e realizzazione: ",
     .font = arial(18, Grassetto), .fore = RGB(0, 0, 0), .back = RGB(128, 255, 255),
     .linea = lineaCrediti},
    {.name = "Label5", .kind = Kind::Label, .left = 7470, .top = 7440, .width = 3135,
     .height = 435, .caption = u"Il software di Ardino", .font = arial(15.75, Grassetto),
     .fore = RGB(192, 0, 0), .back = RGB(128, 255, 255), .linea = lineaCrediti},
};

constexpr MenuDef menu[] = {
    {"mnuFile", nullptr, u"File"},
    {"mnuEsci", "mnuFile", u"Esci"},
    {"mnuVuoto", nullptr, u""},
    {"mnuInfo", nullptr, u"?"},
    {"mnuAutore", "mnuInfo", u"Autore"},
};

constexpr FormDef definizione{.name = "FrmInizio1",
                              .caption = u"ZEFIRANO.2   ",
                              .width = 11880,
                              .height = 8310,
                              .back = RGB(192, 255, 192),
                              .controls = controlli,
                              .menus = menu,
                              .maximised = true};
// clang-format on

} // namespace

FrmInizio1::FrmInizio1(SessionState &stato, Platform &piattaforma,
                       std::function<void(const Attivita &)> apriEsercizi,
                       std::function<void()> apriAutore)
    : Form(definizione), m_stato(stato), m_piattaforma(piattaforma),
      m_apriEsercizi(std::move(apriEsercizi)), m_apriAutore(std::move(apriAutore))
{
}

void FrmInizio1::mostra()
{
    show();
    setFocus("txtNome");
}

void FrmInizio1::collega()
{
    textBox("txtNome")->keyPress = [this](int &keyAscii) { TxtNome_KeyPress(keyAscii); };
    // Pasted, dropped or composed text too: no digit, as typing puts none in.
    textBox("txtNome")->ammesso = [](char32_t c) { return c < U'0' || c > U'9'; };
    connect(button("cmdAvanti"), &QPushButton::clicked, this, &FrmInizio1::cmdAvanti_Click);
    for (int i = 0; i < static_cast<int>(intervalli.size()); ++i)
        connect(button(intervalli[static_cast<std::size_t>(i)].pulsante), &QPushButton::clicked,
                this, [this, i] { rangeButton_Click(i); });
    connect(button("Command7"), &QPushButton::clicked, this, [this] { unload(); });
    const auto fine = [this] { m_piattaforma.ender.end(); };
    connect(button("cmdFine"), &QPushButton::clicked, this, fine);
    connect(menu("mnuEsci"), &QAction::triggered, this, fine);
    connect(menu("mnuAutore"), &QAction::triggered, this, [this] { m_apriAutore(); });
}

void FrmInizio1::Form_Load()
{
    QComboBox *combo1 = combo("Combo1");
    for (const Attivita &riga : attivita)
        combo1->addItem(QString::fromUtf16(riga.voce));
    combo1->setCurrentIndex(0);
}

void FrmInizio1::TxtNome_KeyPress(int &keyAscii)
{
    if (keyAscii >= '0' && keyAscii <= '9') {
        m_piattaforma.beeper.beep();
        keyAscii = 0;
    }
    if (keyAscii == 13)
        accettaNome();
}

void FrmInizio1::cmdAvanti_Click()
{
    accettaNome();
}

void FrmInizio1::accettaNome()
{
    SessionState &s = m_stato;
    const QString nome = textBox("txtNome")->text();
    if (nome.isEmpty()) {
        s.Messaggio = QStringLiteral("Introduci il nome");
        s.Titolo = QStringLiteral("distrazione");
        s.Risposta = m_piattaforma.messageBox.msgBox(s.Messaggio, s.Stile, s.Titolo);
        if (isLoaded())
            setFocus("txtNome");
        return;
    }
    s.NomeAlunno = nome;
    // The focus leaves the name box before its panel hides, so that it goes straight to the
    // first range rather than to whatever follows the box.
    setFocus(intervalli[0].pulsante);
    control("Frame3")->hide();
}

void FrmInizio1::rangeButton_Click(int indice)
{
    scegliIntervallo(m_stato, indice);
    avvia();
}

void FrmInizio1::avvia()
{
    m_apriEsercizi(scegliAttivita(m_stato, combo("Combo1")->currentIndex()));
}
