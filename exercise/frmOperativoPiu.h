#pragma once

#include "exercise/Esercitazione.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"

class Programma;

// The exercise screen, where the child works through the sitting. The sitting itself is
// Esercitazione; the screen hands it every event and copies what it shows onto the controls.
// (No Q_OBJECT: moc does not take the screen's name, and it declares no signal of its own.)
class frmOperativoPiù final : public Form
{
public:
    explicit frmOperativoPiù(Programma &programma);

    // States the range the operations are drawn from again, after the start screen changed it.
    void aggiornaIntervallo();

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

    Programma &m_programma;
    AvvisoSulloSchermo m_avvisi;
    Esercitazione m_esercitazione;
    bool m_mostrando = false;
};
