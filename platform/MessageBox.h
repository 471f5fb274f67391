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
    // The same box, heard by a screen reader with `premessa` before the prompt: the news of the
    // event that opens it, which the box would otherwise cut short. The box shows the prompt
    // alone.
    virtual int msgBoxConPremessa(const QString &premessa, const QString &prompt, int style,
                                  const QString &title)
    {
        Q_UNUSED(premessa);
        return msgBox(prompt, style, title);
    }
};
