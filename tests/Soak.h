#pragma once

// A child let loose on the whole program: random events from a seeded generator, through the
// real screens under the offscreen platform, with the invariants of the sitting checked after
// every event. After an End, or once the last window has closed, the next run starts on a
// fresh program, as a child starting it again would.
//
// This is the event driver and the soak's public face: keys, pastes, clicks, menus, answers to
// message boxes, clock steps, printer failures and new runs. What must hold after each event is
// SoakInvarianti.h's; what a stored operation line must look like is SoakRighe.h's.

#include <QString>
#include <Qt>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>

struct Banco;
class Form;
class Invarianti;
class QWidget;
class QWindow;

// The key event a keyboard sends for a character code (0..255): Ctrl and a letter for the
// control codes, the named keys for 8 (Backspace), 9 (Tab), 13 (Enter), 27 (Escape) and 127
// (Delete, which sends DEL as its text on X11), the character itself otherwise.
struct Tasto
{
    int key;
    Qt::KeyboardModifiers modificatori;
    QString testo;
};
Tasto tastoDelCodice(int codice);

// How often a child does each kind of thing, as relative weights.
struct Indole
{
    int tasti = 30;     // a key of any code, or a non-Latin letter or an emoji
    int incolla = 5;    // random text pasted into a text box
    int clic = 25;      // a click, or a double click, anywhere on a visible window
    int esercizio = 25; // the drill done as meant: a name, a range, an answer, the next step
    int tab = 5;        // Tab or Shift+Tab
    int menu = 4;       // a menu item of a visible window
    int lista = 2;      // an entry of the activity list
    int chiudi = 2;     // a window's close box
    int apri = 2;       // the report or the certificate brought up at any moment
    // Of the ways out of the program that the child goes for (an End, the start screen's close),
    // the percentage actually taken; the rest of the time the child thinks again.
    int esce = 20;
};

// The children the soak test and bench_soak let loose.
struct Bambino
{
    const char *chi;
    Indole indole;
};
inline const std::array<Bambino, 4> bambini{{
    {"a diligent child", {.esercizio = 150}},
    {"a child on the keyboard", {.tasti = 120, .incolla = 20, .tab = 20}},
    {"a child on the mouse", {.clic = 120, .menu = 15, .chiudi = 5, .apri = 10}},
    {"a child doing everything", {.esce = 10}},
}};

class Soak
{
public:
    Soak(std::uint64_t seme, Indole indole = {});
    ~Soak();
    Soak(const Soak &) = delete;
    Soak &operator=(const Soak &) = delete;

    // Runs up to n more events; false at the first broken invariant, with guasto() saying it.
    bool esegui(long long n);
    // The seed, the event, what broke and the last 50 events.
    const QString &guasto() const { return m_guasto; }
    // Drops the current run and starts a fresh program (after a fault, to go on looking).
    void nuovaCorsa();

    struct Conteggi
    {
        long long eventi = 0;
        long long corse = 0;
        long long fini = 0;       // runs ended by End; the others closed their last window
        long long verifiche = 0;  // operations checked
        long long fineSeduta = 0; // end-of-sitting prompts
        long long attestati = 0;  // certificates shown
        long long rifiuti = 0;    // certificates refused
        long long stampe = 0;     // print jobs begun
        long long stampeFallite = 0;
        long long mezzanotti = 0; // times the clock went past midnight
    };
    const Conteggi &conteggi() const { return m_conteggi; }
    QString riassunto() const;

private:
    quint64 prossimo();
    int sotto(int n);
    bool caso(int percento);
    void annota(const QString &evento);

    void preparaEvento();
    void evento();
    void tasto();
    void incolla();
    void clic();
    void esercizio();
    void tab();
    void menu();
    void lista();
    void chiudi();
    void apri();

    void premi(QWindow *finestra, const Tasto &t);
    void digita(QWindow *finestra, const QString &testo);
    bool clicSu(QWidget *bersaglio, bool doppio = false);
    bool ripensa(const QWidget *uscita);
    QWindow *finestraAttiva();
    Form *formaVisibile();
    QString testoCasuale();

    std::uint64_t m_seme;
    std::uint64_t m_stato;
    Indole m_indole;
    std::unique_ptr<Invarianti> m_invarianti;
    std::unique_ptr<Banco> m_banco;
    std::deque<QString> m_ultimi;
    QString m_guasto;
    Conteggi m_conteggi;
    bool m_fineAmmessa = false;    // this event may end the program
    bool m_sedutaMostrata = false; // Yes at the end of a sitting, in this event
};
