#pragma once

#include "platform/ui/Form.h"

#include <functional>

struct Attivita;
struct Platform;
struct SessionState;

// The start screen: the child's name, the activity and the number range. It stays open behind
// the other screens until the child leaves it.
class FrmInizio1 final : public Form
{
    Q_OBJECT
public:
    // apriEsercizi opens the exercise screen for the chosen activity, once the range and the
    // activity are stored; apriAutore opens the about box.
    FrmInizio1(SessionState &stato, Platform &piattaforma,
               std::function<void(const Attivita &)> apriEsercizi,
               std::function<void()> apriAutore);

    // Shows the screen maximised with the focus in the name box.
    void mostra();

protected:
    void collega() override;
    void Form_Load() override;

private:
    void TxtNome_KeyPress(int &keyAscii);
    void cmdAvanti_Click();
    void accettaNome();
    void rangeButton_Click(int indice);
    void avvia();

    SessionState &m_stato;
    Platform &m_piattaforma;
    std::function<void(const Attivita &)> m_apriEsercizi;
    std::function<void()> m_apriAutore;
};
