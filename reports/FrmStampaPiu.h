#pragma once

#include "platform/Form.h"

class Programma;

// The list of the operations done in the sitting.
class FrmStampaPiu final : public Form
{
    Q_OBJECT
public:
    explicit FrmStampaPiu(Programma &programma);

    // Shows the list with every line of the sitting: a list already open is filled again
    // before it comes forward.
    void mostraSedutaIntera();

private:
    Programma &m_programma;
};
