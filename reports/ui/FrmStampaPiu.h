#pragma once

#include "platform/ui/Form.h"

#include <functional>

struct Platform;
struct SessionState;

// The list of the operations done in the sitting, four columns of ten with each exercise's
// total time below. It is filled when it is loaded; shown again while open, it only comes
// forward.
class FrmStampaPiu final : public Form
{
    Q_OBJECT
public:
    FrmStampaPiu(SessionState &stato, Platform &piattaforma, std::function<void()> apriAttestato);

    // Shows the list with every line of the sitting: a list already open is filled again
    // before it comes forward.
    void mostraSedutaIntera();

    // The name of LblOp(i).
    static const char *nomeOperazione(int i);

protected:
    void collega() override;
    void Form_Load() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void riempi();
    void cmdStampaS_Click();

    SessionState &m_stato;
    Platform &m_piattaforma;
    std::function<void()> m_apriAttestato;
};
