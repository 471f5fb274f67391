#pragma once

#include "exercise/Esercitazione.h"
#include "exercise/ui/TabellaOperativo.h"
#include "platform/MessageBox.h"
#include "platform/ui/Form.h"

#include <functional>
#include <span>

struct Attivita;
struct Platform;
struct SessionState;

// The other screens the exercise screen opens.
struct Resoconti
{
    std::function<void()> operazioni;   // the list of operations, as it stands when it opens
    std::function<void()> sedutaIntera; // the list, filled again with the whole sitting
    std::function<void()> attestato;    // the certificate
};

// The exercise screen, where the child works through the sitting. The sitting itself is
// Esercitazione; the screen hands it every event and copies what it shows onto the controls.
// (No Q_OBJECT: moc does not take the screen's name, and it declares no signal of its own.)
class frmOperativoPiù final : public Form
{
public:
    frmOperativoPiù(SessionState &stato, Platform &piattaforma, Resoconti resoconti);

    // Opens the screen for an activity, as a range button asks: loads it if need be, states
    // the activity and the range just chosen, colours it with the activity's scheme and shows
    // it.
    void apri(const Attivita &attivita);

    const Esercitazione &esercitazione() const { return m_esercitazione; }

    // The name on screen of a control that the sitting drives.
    static const char *nome(Controllo c);

protected:
    void collega() override;
    void Form_Load() override;
    void Form_KeyPress(int &keyAscii) override;

private:
    // The sitting's message boxes open over a screen that already shows what the event did so
    // far: the fortieth verdict and star stand behind the end-of-sitting question.
    class AvvisoSulloSchermo final : public MessageBox
    {
    public:
        AvvisoSulloSchermo(frmOperativoPiù &schermo, MessageBox &box)
            : m_schermo(schermo), m_box(box)
        {
        }
        int msgBox(const QString &prompt, int style, const QString &title) override;

    private:
        frmOperativoPiù &m_schermo;
        MessageBox &m_box;
    };

    // Runs one event of the sitting, then shows its outcome.
    template <class Evento> void esegui(Evento evento);
    void mostra();
    void disponi(const std::array<Controllo, 5> &controlli, const std::array<int, 5> &posti,
                 std::span<const char *const> sotto);
    void applicaSchema(const Attivita &attivita);
    void coloraPulsanti();

    SessionState &m_stato;
    Platform &m_piattaforma;
    Resoconti m_resoconti;
    AvvisoSulloSchermo m_avvisi;
    Esercitazione m_esercitazione;
    bool m_mostrando = false;
};
