#pragma once

#include "platform/ui/Form.h"

// The about box: who made the program and how to reach them. A click on its background
// closes it.
class FrmAutore final : public Form
{
    Q_OBJECT
public:
    FrmAutore();

protected:
    void Form_Load() override;
    void Form_Click() override { unload(); }
};
