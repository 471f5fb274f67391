#include "exercise/ui/frmOperativoPiu.h"

#include "platform/Platform.h"
#include "platform/ui/Controls.h"
#include "session/Attivita.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>

#include <utility>

namespace {

// The name on screen of each control the sitting drives, in the order of Controllo.
constexpr std::array<const char *, numeroControlli> nomi{
    "Label2",        "LblNumero1",       "LblSegno",       "TxtRisultato",  "LblUguale",
    "LblNumero2",    "lblNumero4",       "lblSegno2",      "lblNumero6",    "lblUguale2",
    "LblNumero8",    "LblEsito",         "LblSi",          "LblNo",         "LblEsercizio",
    "LblOperazione", "LblTempoParziale", "LblTempoTotale", "LblIstruzione", "frmNumero",
    "frmSegno",      "CmdVerifica",      "CmdOperazione",  "CmdEsercizio",  "CmdFine",
    "CmdStampa",     "mnuStampa",        "mnuAttestato",   "Image3",        "Image4",
    "Image5"};

enum class Genere { Etichetta, Casella, Riquadro, Pulsante, Menu, Immagine };

Genere genere(Controllo c)
{
    if (c >= Controllo::Image3)
        return Genere::Immagine;
    if (c == Controllo::TxtRisultato)
        return Genere::Casella;
    if (c == Controllo::frmNumero || c == Controllo::frmSegno)
        return Genere::Riquadro;
    if (c == Controllo::mnuStampa || c == Controllo::mnuAttestato)
        return Genere::Menu;
    if (c >= Controllo::CmdVerifica && c <= Controllo::CmdStampa)
        return Genere::Pulsante;
    return Genere::Etichetta;
}

// The controls that the operation types move along their frame.
constexpr Controllo mobili[] = {
    Controllo::TxtRisultato, Controllo::LblNumero1, Controllo::LblSegno, Controllo::LblUguale,
    Controllo::LblNumero2,   Controllo::lblUguale2, Controllo::lblSegno2};

// The sign pictures, and the key that picks each sign anywhere on the screen, as a click on its
// picture does.
struct ImmagineSegno
{
    const char *immagine;
    char16_t tasto;
    void (Esercitazione::*click)();
};

constexpr ImmagineSegno immaginiSegno[] = {
    {"Image3", u'=', &Esercitazione::Image3_Click},
    {"Image4", u'<', &Esercitazione::Image4_Click},
    {"Image5", u'>', &Esercitazione::Image5_Click},
};

// What reads the operation on screen as a sentence: the frames that hold it by their name, the
// answer box and the sign pictures by their description.
constexpr const char *chiamatiFrase[] = {"frmNumero", "frmSegno"};
constexpr const char *descrittiFrase[] = {"TxtRisultato", "Image3", "Image4", "Image5"};

} // namespace

const char *frmOperativoPiù::nome(Controllo c)
{
    return nomi[static_cast<std::size_t>(c)];
}

frmOperativoPiù::frmOperativoPiù(SessionState &stato, Platform &piattaforma, Resoconti resoconti)
    : Form(definizioneOperativo), m_stato(stato), m_piattaforma(piattaforma),
      m_resoconti(std::move(resoconti)), m_avvisi(*this, piattaforma.messageBox),
      m_esercitazione(stato, piattaforma.random, piattaforma.clock, m_avvisi, piattaforma.beeper,
                      [this] { m_resoconti.sedutaIntera(); })
{
}

int frmOperativoPiù::AvvisoSulloSchermo::msgBox(const QString &prompt, int style,
                                                const QString &title)
{
    if (m_schermo.isLoaded())
        m_schermo.mostra();
    return m_box.msgBox(prompt, style, title);
}

template <class Evento> void frmOperativoPiù::esegui(Evento evento)
{
    QPointer<FormWindow> finestra = window();
    evento();
    if (finestra && isLoaded() && !m_piattaforma.ender.ended())
        mostra();
}

void frmOperativoPiù::collega()
{
    Esercitazione &e = m_esercitazione;
    const auto clic = [this](const char *pulsante, auto gestore) {
        connect(button(pulsante), &QPushButton::clicked, this,
                [this, gestore] { esegui(gestore); });
    };
    clic("CmdOperazione", [&e] { e.CmdOperazione_Click(); });
    clic("CmdEsercizio", [&e] { e.CmdEsercizio_Click(); });
    clic("CmdVerifica", [&e] { e.CmdVerifica_Click(); });
    connect(button("CmdFine"), &QPushButton::clicked, this, [this] { unload(); });
    connect(menu("mnuEsci"), &QAction::triggered, this, [this] { unload(); });
    const auto apriStampa = [this] { m_resoconti.operazioni(); };
    connect(button("CmdStampa"), &QPushButton::clicked, this, apriStampa);
    connect(menu("mnuStampa"), &QAction::triggered, this, apriStampa);
    connect(menu("mnuAttestato"), &QAction::triggered, this, [this] { m_resoconti.attestato(); });

    TextBox *risultato = textBox("TxtRisultato");
    risultato->keyPress = [this, &e](int &keyAscii) {
        esegui([&e, &keyAscii] { e.TxtRisultato_KeyPress(keyAscii); });
    };
    connect(risultato, &TextBox::textChanged, this, [this, &e](const QString &testo) {
        if (!m_mostrando)
            esegui([&e, testo] { e.TxtRisultato_Change(testo); });
    });
    connect(risultato, &TextBox::clicked, this,
            [this, &e] { esegui([&e] { e.TxtRisultato_Click(); }); });
    for (const ImmagineSegno &segno : immaginiSegno)
        connect(picture(segno.immagine), &Picture::clicked, this,
                [this, &e, click = segno.click] { esegui([&e, click] { (e.*click)(); }); });
}

void frmOperativoPiù::Form_KeyPress(int &keyAscii)
{
    for (const ImmagineSegno &segno : immaginiSegno) {
        if (keyAscii == segno.tasto) {
            keyAscii = 0;
            picture(segno.immagine)->click();
            return;
        }
    }
}

void frmOperativoPiù::Form_Load()
{
    // The load sequence's own colours.
    setBackColor("Label2", RGB(250, 200, 110));
    setForeColor("Label2", RGB(128, 0, 0));
    setBackColor("Label1", RGB(255, 240, 150));
    setForeColor("Label1", RGB(250, 170, 110));
    setForeColor("TxtRisultato", RGB(128, 64, 0));
    setForeColor("lblSegno2", RGB(128, 64, 0));
    m_esercitazione.Form_Load();
    mostra();
}

void frmOperativoPiù::apri(const Attivita &attivita)
{
    const bool eraAperto = isLoaded();
    label("Label1")->setText(QString::fromUtf16(attivita.istruzione));
    applicaSchema(attivita);
    if (eraAperto) {
        m_esercitazione.aggiornaIntervallo();
        mostra();
    }
    show();
}

// The area colour for the form and the answer areas the activity's operations use, then the
// button colour through ColorePulsanti. Controls outside those areas keep the colour they had.
void frmOperativoPiù::applicaSchema(const Attivita &attivita)
{
    setBackColor(nullptr, attivita.schema.area);
    for (const AreaRisposta &area : areeRisposta)
        if (usaGruppo(attivita.tipoMin, attivita.tipoMax, area.gruppo))
            for (const char *nome : area.controlli)
                setBackColor(nome, attivita.schema.area);
    m_stato.ColorePulsanti = QString::number(attivita.schema.pulsanti.value);
    coloraPulsanti();
}

void frmOperativoPiù::coloraPulsanti()
{
    for (const char *nome : controlliPulsanti)
        setBackColor(nome, Colore{m_stato.ColorePulsanti.toInt()});
}

void frmOperativoPiù::mostra()
{
    const VistaEsercizio &vista = m_esercitazione.vista();
    m_mostrando = true;
    for (std::size_t i = 0; i < numeroControlli; ++i) {
        const auto c = static_cast<Controllo>(i);
        switch (genere(c)) {
        case Genere::Etichetta:
            if (Label *etichetta = label(nome(c)); etichetta->text() != vista.testo(c))
                etichetta->setText(vista.testo(c));
            break;
        case Genere::Casella: {
            TextBox *casella = textBox(nome(c));
            if (casella->text() != vista.testo(c))
                casella->setText(vista.testo(c));
            casella->setLocked(vista.TxtRisultatoBloccato);
            break;
        }
        case Genere::Riquadro:
        case Genere::Pulsante:
            control(nome(c))->setVisible(vista.visibile(c));
            break;
        case Genere::Menu:
            menu(nome(c))->setEnabled(vista.abilitato(c));
            break;
        case Genere::Immagine:
            break;
        }
    }
    for (const char *chiamato : chiamatiFrase)
        if (QWidget *w = control(chiamato); w->accessibleName() != vista.frase)
            w->setAccessibleName(vista.frase);
    for (const char *descritto : descrittiFrase)
        if (QWidget *w = control(descritto); w->accessibleDescription() != vista.frase)
            w->setAccessibleDescription(vista.frase);
    for (Controllo c : mobili)
        if (twips(nome(c)).left() != vista.sinistra(c))
            setLeft(nome(c), vista.sinistra(c));
    m_mostrando = false;
    if (vista.fuoco)
        setFocus(nome(*vista.fuoco));
}
