#include "reports/ui/FrmAttestato.h"

#include "platform/Platform.h"
#include "platform/ui/Controls.h"
#include "reports/Attestato.h"
#include "reports/ui/Stampa.h"
#include "session/SessionState.h"

#include <QPushButton>

namespace {

constexpr Colore blu = RGB(0, 0, 255);
constexpr Colore rosso = RGB(255, 0, 0);
constexpr Colore bianco = RGB(255, 255, 255);
constexpr Colore rosa = RGB(255, 192, 255);

// clang-format off
constexpr ControlDef controlli[] = {
    {.name = "Frame1", .kind = Kind::Frame, .left = 0, .top = 0, .width = 5205, .height = 6840,
     .back = RGB(192, 255, 255), .flags = NoBorder},
    // The texts keep within the parchment's thin double frame, 63 to 426 across its 489 and 75
    // to 593 down its 639.
    {.name = "Image1", .kind = Kind::Image, .in = "Frame1", .left = 75, .top = 345, .width = 4890,
     .height = 6390, .picture = ":/pergamena.pic",
     .foglio = {.sinistra = 640, .sopra = 750, .destra = 640, .sotto = 460}},
    {.name = "Label1", .kind = Kind::Label, .in = "Frame1", .left = 1080, .top = 1005, .width = 2175,
     .height = 390, .caption = u"ATTESTATO", .font = arial(18, Grassetto), .fore = blu, .back = bianco,
     .flags = Centred},
    {.name = "Label2", .kind = Kind::Label, .in = "Frame1", .left = 1290, .top = 1455, .width = 1695,
     .height = 255, .caption = u"rilasciato a", .font = arial(9.75, Grassetto), .flags = Centred | Transparent},
    {.name = "lblNome", .kind = Kind::Label, .in = "Frame1", .left = 600, .top = 1740, .width = 3450,
     .height = 555, .font = arial(20.25, Grassetto), .fore = blu, .flags = Centred | Transparent},
    {.name = "lblMotivo", .kind = Kind::Label, .in = "Frame1", .left = 1005, .top = 2250, .width = 3030,
     .height = 360, .font = arial(9.75, Grassetto), .flags = Centred | Transparent},
    {.name = "lblObiettivo1", .kind = Kind::Label, .in = "Frame1", .left = 1380, .top = 2610,
     .width = 2535, .height = 330, .font = arial(8.25, Grassetto), .fore = rosso, .flags = Transparent},
    // The instruction takes the room down to the range's line: the mixed activity's, wider than
    // the sheet, wraps onto a second line at the size of the others rather than shrink.
    {.name = "lblObiettivo3", .kind = Kind::Label, .in = "Frame1", .left = 1380, .top = 2910,
     .width = 3165, .height = 450, .font = sansSerif(8.25, Grassetto), .fore = rosso, .flags = Transparent},
    {.name = "lblObiettivo2", .kind = Kind::Label, .in = "Frame1", .left = 1380, .top = 3360,
     .width = 2535, .height = 315, .font = sansSerif(8.25, Grassetto), .fore = rosso, .flags = Transparent},
    {.name = "Label3", .kind = Kind::Label, .in = "Frame1", .left = 1395, .top = 3630, .width = 2505,
     .height = 195, .caption = u"con la valutazione", .font = arial(9.75, Grassetto),
     .flags = Centred | Transparent},
    {.name = "lblRapporto", .kind = Kind::Label, .in = "Frame1", .left = 1110, .top = 4035,
     .width = 3315, .height = 375, .font = arial(14.25, Grassetto), .fore = blu, .flags = Centred | Transparent},
    {.name = "lblPerche", .kind = Kind::Label, .in = "Frame1", .left = 1395, .top = 4575, .width = 2385,
     .height = 375, .font = arial(8.25, Grassetto), .flags = Centred | Transparent},
    {.name = "lblData", .kind = Kind::Label, .in = "Frame1", .left = 1680, .top = 5175, .width = 2475,
     .height = 255, .font = arial(8.25, Grassetto), .flags = Transparent},
    {.name = "Command2", .kind = Kind::Button, .left = 1860, .top = 7860, .width = 5145, .height = 450,
     .caption = u"STAMPA  L'ATTESTATO ", .font = arial(8.25, Grassetto), .back = rosa, .flags = Graphical,
     .tabIndex = 0, .accessibleName = u"Stampa l'attestato"},
    {.name = "CmdFine", .kind = Kind::Button, .left = 4485, .top = 8430, .width = 2580, .height = 450,
     .caption = u"ESCI", .font = arial(8.25, Grassetto), .back = rosa, .flags = Graphical, .tabIndex = 1,
     .accessibleName = u"Esci"},
    {.name = "Command1", .kind = Kind::Button, .left = 1845, .top = 8415, .width = 2550, .height = 450,
     .caption = u"FINE SESSIONE", .font = arial(8.25, Grassetto), .back = rosa, .flags = Graphical,
     .tabIndex = 2, .accessibleName = u"Fine sessione"},
};
// clang-format on

constexpr FormDef definizione{.name = "FrmAttestato",
                              .caption = u"ATTESTATO",
                              .width = 12000,
                              .height = 9000,
                              .back = bianco,
                              .controls = controlli};

constexpr const char *pulsanti[] = {"Command2", "Command1", "CmdFine"};

} // namespace

FrmAttestato::FrmAttestato(SessionState &stato, Platform &piattaforma)
    : Form(definizione), m_stato(stato), m_piattaforma(piattaforma)
{
}

void FrmAttestato::collega()
{
    connect(button("Command2"), &QPushButton::clicked, this, &FrmAttestato::Command2_Click);
    connect(button("CmdFine"), &QPushButton::clicked, this, [this] { unload(); });
    connect(button("Command1"), &QPushButton::clicked, this, [this] { m_piattaforma.ender.end(); });
}

void FrmAttestato::apri()
{
    if (!isLoaded() && calcolaAttestato(m_stato, m_piattaforma.clock.today()).rifiutato) {
        chiedi();
        return;
    }
    show();
}

void FrmAttestato::Form_Activate()
{
    if (m_attivando || !isLoaded())
        return;
    m_attivando = true;
    impagina();
    const Attestato attestato = calcolaAttestato(m_stato, m_piattaforma.clock.today());
    label("lblData")->setText(attestato.data);
    if (attestato.rifiutato) {
        rifiuta();
        m_attivando = false;
        return;
    }
    label("lblNome")->setText(attestato.nome);
    label("lblMotivo")->setText(attestato.motivo);
    label("lblObiettivo1")->setText(attestato.obiettivo1);
    label("lblObiettivo3")->setText(attestato.obiettivo3);
    label("lblObiettivo2")->setText(attestato.obiettivo2);
    label("lblRapporto")->setText(attestato.giudizio);
    label("lblPerche")->setText(attestato.perche);
    // The button that has the focus when the certificate opens says what the card says: a
    // screen reader reaches no label.
    const QString detto = QStringLiteral("%1 %2. %3. %4 %5.")
                              .arg(label("Label2")->text(), attestato.nome, attestato.perche,
                                   label("Label3")->text(), attestato.giudizio);
    if (QWidget *stampa = control("Command2"); stampa->accessibleDescription() != detto)
        stampa->setAccessibleDescription(detto);
    m_attivando = false;
}

// The card in the middle of the window, the print button under its left edge, "ESCI" and
// "FINE SESSIONE" side by side below it.
void FrmAttestato::impagina()
{
    const QRectF carta = twips("Frame1");
    const double x0 = (definizione.width - carta.width()) / 2.0;
    setLeft("Command2", x0);
    setLeft("Command1", x0 + twips("CmdFine").width());
    setLeft("CmdFine", x0);
    setTop("Frame1", (definizione.height - carta.height()) / 2.0);
    setLeft("Frame1", x0);
}

// The certificate closes first, then the question comes; the window is gone by then, so
// nothing can activate it, or the refusal, again.
void FrmAttestato::rifiuta()
{
    unload();
    chiedi();
}

void FrmAttestato::chiedi()
{
    SessionState &s = m_stato;
    s.Risposta =
        m_piattaforma.messageBox.msgBox(s.Messaggio, MessageBox::SiNoInformazione, s.Titolo);
    if (s.Risposta != MessageBox::Si)
        m_piattaforma.ender.end();
}

void FrmAttestato::mostraPulsanti(bool visibili)
{
    for (const char *nome : pulsanti)
        control(nome)->setVisible(visibili);
}

// The page is printed without the three buttons; they are back on screen before any message
// about the printer opens over the certificate.
void FrmAttestato::Command2_Click()
{
    QWidget *carta = window()->centralWidget();
    stampaConRiserva(m_stato, m_piattaforma, window(), QStringLiteral("Attestato"),
                     [this, carta](Printer &p) {
                         mostraPulsanti(false);
                         const bool stampata = p.printForm(carta) && p.endDoc();
                         if (isLoaded()) {
                             mostraPulsanti(true);
                             // Back where the child pressed, rather than wherever hiding the
                             // buttons sent the focus.
                             setFocus("Command2");
                         }
                         return stampata;
                     });
}
