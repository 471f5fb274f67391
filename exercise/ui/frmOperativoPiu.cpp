#include "exercise/ui/frmOperativoPiu.h"

#include "exercise/Verifica.h"
#include "platform/Platform.h"
#include "platform/Tabelle.h"
#include "platform/ui/Controls.h"
#include "session/Attivita.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QPushButton>

#include <algorithm>
#include <utility>

namespace {

enum class Genere { Etichetta, Casella, Riquadro, Pulsante, Menu, Immagine };

// Each control the sitting drives: its name on screen and the kind of widget that shows it, in
// the order of Controllo.
struct Voce
{
    Controllo controllo;
    const char *nome;
    Genere genere;
};

using enum Controllo;
using G = Genere;
// clang-format off
constexpr std::array<Voce, numeroControlli> voci{{
    {Label2, "Label2", G::Etichetta},
    {LblNumero1, "LblNumero1", G::Etichetta},
    {LblSegno, "LblSegno", G::Etichetta},
    {TxtRisultato, "TxtRisultato", G::Casella},
    {LblUguale, "LblUguale", G::Etichetta},
    {LblNumero2, "LblNumero2", G::Etichetta},
    {lblNumero4, "lblNumero4", G::Etichetta},
    {lblSegno2, "lblSegno2", G::Etichetta},
    {lblNumero6, "lblNumero6", G::Etichetta},
    {lblUguale2, "lblUguale2", G::Etichetta},
    {LblNumero8, "LblNumero8", G::Etichetta},
    {LblEsito, "LblEsito", G::Etichetta},
    {LblSi, "LblSi", G::Etichetta},
    {LblNo, "LblNo", G::Etichetta},
    {LblEsercizio, "LblEsercizio", G::Etichetta},
    {LblOperazione, "LblOperazione", G::Etichetta},
    {LblTempoParziale, "LblTempoParziale", G::Etichetta},
    {LblTempoTotale, "LblTempoTotale", G::Etichetta},
    {LblIstruzione, "LblIstruzione", G::Etichetta},
    {frmNumero, "frmNumero", G::Riquadro},
    {frmSegno, "frmSegno", G::Riquadro},
    {CmdVerifica, "CmdVerifica", G::Pulsante},
    {CmdOperazione, "CmdOperazione", G::Pulsante},
    {CmdEsercizio, "CmdEsercizio", G::Pulsante},
    {CmdFine, "CmdFine", G::Pulsante},
    {CmdStampa, "CmdStampa", G::Pulsante},
    {mnuStampa, "mnuStampa", G::Menu},
    {mnuAttestato, "mnuAttestato", G::Menu},
    {Image3, "Image3", G::Immagine},
    {Image4, "Image4", G::Immagine},
    {Image5, "Image5", G::Immagine},
}};
// clang-format on
static_assert(perChiave(voci, &Voce::controllo),
              "the controls are listed in the order of Controllo");

// The controls that the operation types move along their frames, each frame's in the order the
// screen is designed with.
constexpr std::array<Controllo, 5> mobiliNumero{LblNumero1, LblSegno, TxtRisultato, LblUguale,
                                                LblNumero2};
constexpr std::array<Controllo, 5> mobiliSegno{lblNumero4, lblSegno2, lblNumero6, lblUguale2,
                                               LblNumero8};
// What stands below the operation in the sign frame: read after it.
constexpr const char *sottoSegno[] = {"Label13", "Image3", "Image4", "Image5"};

// A control's designed left edge.
double sinistraDisegnata(Controllo c)
{
    for (const ControlDef &def : definizioneOperativo.controls)
        if (qstrcmp(def.name, voci[static_cast<std::size_t>(c)].nome) == 0)
            return def.left;
    return 0;
}

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
// The buttons that take the focus after a check: a screen reader says the verdict with them, as
// their description, the moment the focus gets there.
constexpr const char *descrittiVerdetto[] = {"CmdOperazione", "CmdEsercizio"};

} // namespace

const char *frmOperativoPiù::nome(Controllo c)
{
    return voci[static_cast<std::size_t>(c)].nome;
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
    if (!m_schermo.isLoaded())
        return m_box.msgBox(prompt, style, title);
    m_schermo.mostra();
    // The verdict of the check that opens the box comes first.
    return m_box.msgBoxConPremessa(m_schermo.m_esercitazione.vista().verdetto(), prompt, style,
                                   title);
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
    // Pasted, dropped or composed text too: only what typing puts in.
    risultato->ammesso = [](char32_t c) { return tastoAmmesso(static_cast<int>(c)); };
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

// Moves a frame's controls to the places the operation gives them. A screen reader reads a
// frame's controls in their stacking order, so that order follows them left to right, with what
// stands below them last.
void frmOperativoPiù::disponi(const std::array<Controllo, 5> &controlli,
                              const std::array<int, 5> &posti, std::span<const char *const> sotto)
{
    const VistaEsercizio &vista = m_esercitazione.vista();
    const auto sinistra = [&](Controllo c) {
        const int posto = vista.posto(c);
        return posto >= 0 ? posti[static_cast<std::size_t>(posto)] : sinistraDisegnata(c);
    };
    bool spostati = false;
    for (Controllo c : controlli) {
        if (twips(nome(c)).left() != sinistra(c)) {
            setLeft(nome(c), sinistra(c));
            spostati = true;
        }
    }
    if (!spostati)
        return;
    std::array<Controllo, 5> ordine = controlli;
    std::stable_sort(ordine.begin(), ordine.end(),
                     [&](Controllo a, Controllo b) { return sinistra(a) < sinistra(b); });
    for (Controllo c : ordine)
        control(nome(c))->raise();
    for (const char *nome : sotto)
        control(nome)->raise();
}

void frmOperativoPiù::mostra()
{
    const VistaEsercizio &vista = m_esercitazione.vista();
    m_mostrando = true;
    // What a screen reader says of the controls comes first: the control the focus goes to is
    // heard with what it says then. The control that has the focus changes what it says only
    // once the focus has left it: a screen reader would take the change for news of its own.
    QWidget *daLasciare = QApplication::focusWidget();
    QList<std::pair<QWidget *, QString>> dopo;
    const auto descrivi = [&](const char *nome, const QString &descrizione) {
        if (QWidget *w = control(nome); w->accessibleDescription() != descrizione) {
            if (w == daLasciare)
                dopo.append({w, descrizione});
            else
                w->setAccessibleDescription(descrizione);
        }
    };
    for (const char *chiamato : chiamatiFrase)
        if (QWidget *w = control(chiamato); w->accessibleName() != vista.frase)
            w->setAccessibleName(vista.frase);
    for (const char *descritto : descrittiFrase)
        descrivi(descritto, vista.frase);
    // The verdict as words, not its letters one by one.
    const QString verdetto = vista.verdetto();
    if (QWidget *esito = control("LblEsito"); esito->accessibleName() != verdetto)
        esito->setAccessibleName(verdetto);
    for (const char *descritto : descrittiVerdetto)
        descrivi(descritto, verdetto);
    for (const auto &[c, nome, genere] : voci) {
        switch (genere) {
        case Genere::Etichetta:
            if (Label *etichetta = label(nome); etichetta->text() != vista.testo(c))
                etichetta->setText(vista.testo(c));
            break;
        case Genere::Casella: {
            TextBox *casella = textBox(nome);
            if (casella->text() != vista.testo(c))
                casella->setText(vista.testo(c));
            casella->setLocked(vista.TxtRisultatoBloccato);
            // A checked answer waits with its cursor at the start, moved while the box still
            // has the focus: emptied for the next operation, the box reports no cursor move,
            // which a screen reader reading it late would take for the focus coming back to the
            // box, unheard.
            if (vista.TxtRisultatoBloccato)
                casella->setCursorPosition(0);
            break;
        }
        case Genere::Riquadro:
        case Genere::Pulsante:
            if (vista.visibile(c))
                control(nome)->show();
            break;
        case Genere::Menu:
            menu(nome)->setEnabled(vista.abilitato(c));
            break;
        case Genere::Immagine:
            break;
        }
    }
    disponi(mobiliNumero, postiNumero, {});
    disponi(mobiliSegno, postiSegno, sottoSegno);
    // The focus goes to the next step before the controls of the last one hide: hiding the
    // control that has it would move it on first, and a screen reader would say each control it
    // passes through.
    if (vista.fuoco)
        setFocus(nome(*vista.fuoco));
    for (const auto &[c, nome, genere] : voci)
        if ((genere == Genere::Riquadro || genere == Genere::Pulsante) && !vista.visibile(c))
            control(nome)->hide();
    for (const auto &[w, descrizione] : dopo)
        w->setAccessibleDescription(descrizione);

    m_mostrando = false;
}
