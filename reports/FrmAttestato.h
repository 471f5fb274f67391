#pragma once

#include "platform/Form.h"

class Programma;

// The certificate of the sitting, with its grade.
class FrmAttestato final : public Form
{
    Q_OBJECT
public:
    explicit FrmAttestato(Programma &programma);

private:
    Programma &m_programma;
};
