#pragma once

#include <QString>

// MsgBox(prompt, style, title). A carriage return (code 13) in the prompt breaks the line.
class MessageBox
{
public:
    enum Stile { SoloOk = 0, SiNoInformazione = 68 };
    enum Risposta { Ok = 1, Si = 6, No = 7 };

    virtual ~MessageBox() = default;
    // Style 0: OK only, no icon. Style 68: Yes and No, information icon, Yes the default.
    // Returns the code of the button pressed.
    virtual int msgBox(const QString &prompt, int style, const QString &title) = 0;
};
