#pragma once

#include "platform/Form.h"

class Programma;

// The exercise screen, where the child works through the sitting. (No Q_OBJECT: moc does not
// take the screen's name, and the screen declares no signal of its own.)
class frmOperativoPiù final : public Form
{
public:
    explicit frmOperativoPiù(Programma &programma);

    // States the range the operations are drawn from again, after the start screen changed it.
    void aggiornaIntervallo();

protected:
    void Form_Load() override;

private:
    Programma &m_programma;
};
