#pragma once

#include "platform/Form.h"

class Programma;

// The list of the operations done in the sitting.
class FrmStampaPiu final : public Form
{
    Q_OBJECT
public:
    explicit FrmStampaPiu(Programma &programma);

private:
    Programma &m_programma;
};
