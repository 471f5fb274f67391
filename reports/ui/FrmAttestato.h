#pragma once

#include "platform/ui/Form.h"

struct Platform;
struct SessionState;

// The certificate of the sitting, with its grade. Every time it becomes the active window it is
// worked out again from the session as it stands; too few right answers refuse it.
class FrmAttestato final : public Form
{
    Q_OBJECT
public:
    FrmAttestato(SessionState &stato, Platform &piattaforma);

    // Opens the certificate, as the menu and the list's button ask. One refused from the start
    // never shows: the question comes alone.
    void apri();

protected:
    void collega() override;
    void Form_Activate() override;

private:
    void impagina();
    void rifiuta();
    void chiedi();
    void Command2_Click();
    void mostraPulsanti(bool visibili);

    SessionState &m_stato;
    Platform &m_piattaforma;
    bool m_attivando = false;
};
