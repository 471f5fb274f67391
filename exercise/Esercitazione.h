#pragma once

#include "exercise/Controlli.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

struct SessionState;
struct TipoOp;
class Random;
class Clock;
class MessageBox;
class Beeper;

// The states of the exercise screen, as its buttons offer the next step.
enum class StatoEsercizio : std::uint8_t {
    Fresco,          // loaded; an operation waits for its answer; "Esci" offered
    Ripartenza,      // after No at the end of a sitting: only "Nuovo esercizio" and "Esci"
    Attesa,          // a new operation waits for its answer
    Risposto,        // an answer is in: "V e r i f i c a " offered
    Verificato,      // checked, operations 1..9: "Nuova operazione" offered
    EsercizioFinito, // checked the tenth: "Nuovo esercizio", "Esci", "Visualizza / stampa "
};

// The ways into a state: the rows of the state table, which says what the five buttons of
// pulsantiDiStato, the answer box's lock and the instruction show after each.
enum class Ingresso : std::uint8_t {
    Caricamento,     // the load sequence -> Fresco
    Ripartenza,      // the load sequence after No at the end of a sitting -> Ripartenza
    NuovaOperazione, // "Nuova operazione" -> Attesa
    NuovoEsercizio,  // "Nuovo esercizio" -> Attesa
    Digitato,        // an answer typed -> Risposto
    SegnoScelto,     // a sign picked -> Risposto
    Verificato,      // the check of operations 1..9 -> Verificato
    EsercizioFinito, // the check of the tenth -> EsercizioFinito
};

// What the exercise screen shows, control by control. The screen copies it onto its widgets
// after every event it hands to Esercitazione.
class VistaEsercizio
{
public:
    // As the screen is designed, before its load sequence.
    VistaEsercizio();

    // Caption of a label, or the text of TxtRisultato.
    const QString &testo(Controllo c) const { return m_testo[indice(c)]; }
    // Frames and buttons.
    bool visibile(Controllo c) const { return m_visibile[indice(c)]; }
    // Menu items.
    bool abilitato(Controllo c) const { return m_abilitato[indice(c)]; }
    // The place 0..4 of its frame, left to right, where the operation on screen puts a control
    // of the two frames; -1: where the screen is designed to have it.
    int posto(Controllo c) const { return m_posto[indice(c)]; }

    bool TxtRisultatoBloccato = false;
    // The operation on screen as a sentence for a screen reader; empty while none is shown.
    QString frase;
    // The control that should take the keyboard focus after the last event, if any; the screen
    // gives it the focus only when the control is visible.
    std::optional<Controllo> fuoco;
    // The verdict LblEsito shows, as the words a screen reader says: "Esatto", "Errato", or
    // nothing while no verdict shows.
    QString verdetto() const;

    QString &testo(Controllo c) { return m_testo[indice(c)]; }
    void mostra(Controllo c, bool visibile) { m_visibile[indice(c)] = visibile; }
    void abilita(Controllo c, bool abilitato) { m_abilitato[indice(c)] = abilitato; }
    void sposta(Controllo c, int posto) { m_posto[indice(c)] = posto; }

private:
    static constexpr std::size_t indice(Controllo c) { return static_cast<std::size_t>(c); }

    std::array<QString, numeroControlli> m_testo;
    std::array<bool, numeroControlli> m_visibile{};
    std::array<bool, numeroControlli> m_abilitato{};
    std::array<int, numeroControlli> m_posto{};
};

inline constexpr std::array<Controllo, 5> pulsantiDiStato{
    Controllo::CmdVerifica, Controllo::CmdOperazione, Controllo::CmdEsercizio, Controllo::CmdFine,
    Controllo::CmdStampa};

// The exercise screen frmOperativoPiù as a model: its load sequence, its buttons, the answer
// entry and the check, over the session state and the platform seam. It never touches a widget;
// the screen forwards the events named after its handlers and shows vista().
//
// An operation is checked once: from its check until the next operation is shown, Enter, the
// check button and the sign pictures change nothing. After No at the end of a sitting the screen
// waits for "Nuovo esercizio" with no operation shown and the answer box locked. "Nuovo
// esercizio" after the end of a sitting starts a new one, so NumeroOperazione stays in 0..40.
class Esercitazione
{
public:
    Esercitazione(SessionState &s, Random &random, Clock &clock, MessageBox &messageBox,
                  Beeper &beeper, std::function<void()> apriResoconto);

    const VistaEsercizio &vista() const { return m_vista; }
    StatoEsercizio stato() const;
    // True from the first No at the end of a sitting to the end of the run.
    bool ricomincia() const { return Ricomincia; }
    // Whether the five buttons of pulsantiDiStato and the answer box's lock are as the state
    // table says for the way the screen came into its state.
    bool coerente() const;

    // The screen being loaded, first or again: its controls as designed, then the load sequence.
    void Form_Load();
    void CmdOperazione_Click();
    void CmdEsercizio_Click();
    void CmdVerifica_Click();
    // Every character typed in TxtRisultato; keyAscii comes back 0 when the key is refused.
    void TxtRisultato_KeyPress(int &keyAscii);
    // A change of TxtRisultato's text by the child. Esercitazione makes its own changes itself;
    // the screen need not forward them, and a text equal to the current one changes nothing.
    void TxtRisultato_Change(const QString &text);
    void TxtRisultato_Click();
    // The sign pictures: "=", "<" or ">" picked for a find-the-sign operation.
    void segno(const QString &s);
    void Image3_Click() { segno(QStringLiteral("=")); }
    void Image4_Click() { segno(QStringLiteral("<")); }
    void Image5_Click() { segno(QStringLiteral(">")); }
    // The check of the operation on screen; nothing when it has been checked already or no
    // operation awaits an answer.
    void verifica();

    // Label2, stating the range NumeroMin..NumeroMax; the start screen calls it when the range
    // changes while the screen is open.
    void aggiornaIntervallo();

private:
    void caricamento(bool conRipartenza);
    void ripartenza();
    void mostraOperazione();
    void svuotaOperazione();
    void impostaRisultato(const QString &text);
    void LblSegno2_Change();
    // Sets the buttons, the lock and the instruction from the state table's row.
    void entra(Ingresso ingresso);
    void controlla();
    void fineSeduta();

    SessionState &m_s;
    Random &m_random;
    Clock &m_clock;
    MessageBox &m_messageBox;
    Beeper &m_beeper;
    std::function<void()> m_apriResoconto;

    VistaEsercizio m_vista;
    Ingresso m_ingresso = Ingresso::Caricamento;
    const TipoOp *m_tipo = nullptr; // the operation on screen
    bool m_daVerificare = false;    // an operation is on screen and not checked yet
    bool Ricomincia = false;
};
