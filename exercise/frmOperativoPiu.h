#pragma once

#include "exercise/Esercitazione.h"
#include "platform/Form.h"

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
    // Runs one event of the sitting, then shows its outcome.
    template <class Evento> void esegui(Evento evento);
    void mostra();

    Programma &m_programma;
    Esercitazione m_esercitazione;
    bool m_mostrando = false;
};
