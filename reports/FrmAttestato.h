#pragma once

#include "platform/Form.h"

class Programma;

// The certificate of the sitting, with its grade. Every time it becomes the active window it is
// worked out again from the session as it stands; too few right answers refuse it.
class FrmAttestato final : public Form
{
    Q_OBJECT
public:
    explicit FrmAttestato(Programma &programma);

protected:
    void collega() override;
    void Form_Activate() override;

private:
    void impagina();
    void rifiuta();
    void Command2_Click();
    void mostraPulsanti(bool visibili);

    Programma &m_programma;
    bool m_attivando = false;
};
