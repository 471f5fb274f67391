#include "reports/ui/FrmStampaPiu.h"

#include "platform/Platform.h"
#include "platform/ui/Controls.h"
#include "reports/StampaOperazioni.h"
#include "reports/ui/Stampa.h"
#include "session/SessionState.h"

#include <QAction>
#include <QKeyEvent>
#include <QPushButton>

#include <utility>
#include <vector>

namespace {

constexpr Colore sfondo = RGB(128, 255, 255);
constexpr Colore sfondoEtichette = RGB(192, 255, 255);

const std::array<QByteArray, operazioniPerSeduta + 1> &nomiOperazioni()
{
    static const auto nomi = [] {
        std::array<QByteArray, operazioniPerSeduta + 1> n;
        for (int i = 1; i <= operazioniPerSeduta; ++i)
            n[static_cast<std::size_t>(i)] = "LblOp(" + QByteArray::number(i) + ')';
        return n;
    }();
    return nomi;
}

const char *nomiTempi[] = {"Label1", "Label2", "Label3", "Label4"};

// clang-format off
constexpr ControlDef prima[] = {
    {.name = "Label5", .kind = Kind::Label, .left = 660, .top = 120, .width = 10725, .height = 525,
     .caption = u"E S E R C I Z I   E S E G U I T I ", .font = {u"Arial", 15.75, true},
     .fore = RGB(192, 0, 0), .flags = Centred | Transparent},
};

constexpr ControlDef dopo[] = {
    {.name = "Label1", .kind = Kind::Label, .left = 450, .top = 5520, .width = 2535, .height = 525,
     .font = {u"Arial", 8.25, true}, .back = sfondoEtichette, .flags = Border},
    {.name = "Label2", .kind = Kind::Label, .left = 3210, .top = 5520, .width = 2565, .height = 525,
     .font = {u"Arial", 8.25, true}, .back = sfondoEtichette, .flags = Border},
    {.name = "Label3", .kind = Kind::Label, .left = 6000, .top = 5520, .width = 2535, .height = 525,
     .font = {u"Arial", 8.25, true}, .back = sfondoEtichette, .flags = Border},
    {.name = "Label4", .kind = Kind::Label, .left = 8850, .top = 5520, .width = 2535, .height = 525,
     .font = {u"Arial", 8.25, true}, .back = sfondoEtichette, .flags = Border},
    {.name = "Command1", .kind = Kind::Button, .left = 2550, .top = 6390, .width = 2955, .height = 585,
     .caption = u"ESCI", .font = arial(11.25, Grassetto), .back = sfondo, .flags = Graphical, .tabIndex = 0,
     .accessibleName = u"Esci"},
    {.name = "cmdStampaS", .kind = Kind::Button, .left = 5850, .top = 6390, .width = 2955, .height = 585,
     .caption = u"STAMPA LE OPERAZIONI", .font = arial(11.25, Grassetto), .back = sfondo, .flags = Graphical,
     .tabIndex = 1, .accessibleName = u"Stampa le operazioni"},
    {.name = "Command2", .kind = Kind::Button, .left = 8895, .top = 6405, .width = 2955, .height = 585,
     .caption = u"STAMPA L'ATTESTATO", .font = arial(11.25, Grassetto), .back = sfondo, .flags = Graphical,
     .tabIndex = 2, .accessibleName = u"Stampa l'attestato"},
};

constexpr MenuDef menu[] = {
    {"mnuFile", nullptr, u"File"},
    {"mnuEsci", "mnuFile", u"Esci"},
};
// clang-format on

// The table of the screen: the heading, the control array LblOp(1..40) at the places of the
// four columns, then the time labels and the buttons.
const FormDef &definizione()
{
    static const std::vector<ControlDef> controlli = [] {
        std::vector<ControlDef> c(std::begin(prima), std::end(prima));
        for (int i = 1; i <= operazioniPerSeduta; ++i) {
            const QRect r = rettangoloOperazione(i);
            c.push_back({.name = nomiOperazioni()[static_cast<std::size_t>(i)].constData(),
                         .kind = Kind::Label,
                         .left = r.left(),
                         .top = r.top(),
                         .width = r.width(),
                         .height = r.height(),
                         .back = sfondoEtichette,
                         .tabIndex = i == 1 ? 3 : -1});
        }
        c.insert(c.end(), std::begin(dopo), std::end(dopo));
        return c;
    }();
    static const FormDef def{.name = "FrmStampaPiu",
                             .caption = u"STAMPA DELLE OPERAZIONI",
                             .width = 11910,
                             .height = 8340,
                             .back = sfondo,
                             .font = {u"Courier", 9.75, false},
                             .controls = controlli,
                             .menus = menu};
    return def;
}

} // namespace

FrmStampaPiu::FrmStampaPiu(SessionState &stato, Platform &piattaforma,
                           std::function<void()> apriAttestato)
    : Form(definizione()), m_stato(stato), m_piattaforma(piattaforma),
      m_apriAttestato(std::move(apriAttestato))
{
}

const char *FrmStampaPiu::nomeOperazione(int i)
{
    return nomiOperazioni().at(static_cast<std::size_t>(i)).constData();
}

void FrmStampaPiu::collega()
{
    connect(button("Command1"), &QPushButton::clicked, this, [this] { unload(); });
    connect(menu("mnuEsci"), &QAction::triggered, this, [this] { unload(); });
    connect(button("cmdStampaS"), &QPushButton::clicked, this, &FrmStampaPiu::cmdStampaS_Click);
    connect(button("Command2"), &QPushButton::clicked, this, [this] { m_apriAttestato(); });
    for (int i = 1; i <= operazioniPerSeduta; ++i) {
        QWidget *riga = control(nomeOperazione(i));
        riga->setFocusPolicy(i == 1 ? Qt::StrongFocus : Qt::ClickFocus);
        riga->installEventFilter(this);
    }
}

// The forty lines are one list for the keys: Tab reaches its first line, the arrows go from line
// to line (Left and Right by a column of ten), Home and End to the first and the last line done.
bool FrmStampaPiu::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !isLoaded())
        return Form::eventFilter(watched, event);
    int attuale = 0;
    for (int i = 1; i <= operazioniPerSeduta && !attuale; ++i)
        if (control(nomeOperazione(i)) == watched)
            attuale = i;
    if (!attuale)
        return Form::eventFilter(watched, event);
    const auto piena = [this](int i) { return !label(nomeOperazione(i))->text().isEmpty(); };
    int ultima = 1;
    while (ultima < operazioniPerSeduta && piena(ultima + 1))
        ++ultima;
    int verso = attuale;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Down:
        verso = attuale + 1;
        break;
    case Qt::Key_Up:
        verso = attuale - 1;
        break;
    case Qt::Key_Right:
        verso = attuale + operazioniPerEsercizio;
        break;
    case Qt::Key_Left:
        verso = attuale - operazioniPerEsercizio;
        break;
    case Qt::Key_Home:
        verso = 1;
        break;
    case Qt::Key_End:
        verso = ultima;
        break;
    default:
        return Form::eventFilter(watched, event);
    }
    if (verso >= 1 && verso <= ultima)
        control(nomeOperazione(verso))->setFocus(Qt::OtherFocusReason);
    return true;
}

void FrmStampaPiu::Form_Load()
{
    riempi();
    // The list opens on "ESCI", first of the keys' stops; the lines come after the buttons.
    setFocus("Command1");
}

void FrmStampaPiu::riempi()
{
    const SessionState &s = m_stato;
    const auto didascalie = didascalieOperazioni(s);
    for (int i = 1; i <= operazioniPerSeduta; ++i)
        label(nomeOperazione(i))->setText(didascalie[static_cast<std::size_t>(i)]);
    for (int k = 1; k <= eserciziPerSeduta; ++k)
        label(nomiTempi[k - 1])->setText(didascaliaTempo(s, k));
}

void FrmStampaPiu::mostraSedutaIntera()
{
    if (isLoaded())
        riempi();
    show();
}

void FrmStampaPiu::cmdStampaS_Click()
{
    const QList<PassoStampa> passi = passiStampaOperazioni(m_stato);
    stampaConRiserva(m_stato, m_piattaforma, window(), QStringLiteral("Operazioni"),
                     [&passi](Printer &p) {
                         QString errore;
                         return eseguiPassi(passi, p, errore);
                     });
}
