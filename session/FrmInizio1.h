#pragma once

#include "platform/Form.h"

class Programma;

// The start screen: the child's name, the activity and the number range. It stays open behind
// the other screens until the child leaves it.
class FrmInizio1 final : public Form
{
    Q_OBJECT
public:
    explicit FrmInizio1(Programma &programma);

    // Shows the screen maximised with the focus in the name box.
    void mostra();

    // The scheme of each activity, applied to the exercise screen.
    void propriet1();
    void propriet2();
    void propriet3();

protected:
    void collega() override;
    void Form_Load() override;

private:
    void TxtNome_KeyPress(int &keyAscii);
    void cmdAvanti_Click();
    void accettaNome();
    void rangeButton_Click(int indice);
    void avvia();
    void applicaSchema(int attivita);
    void coloraPulsanti();

    Programma &m_programma;
};
