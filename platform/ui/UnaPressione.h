#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointF>

class QApplication;

// One press of a key or of the mouse button is one step, however long the key is held, however
// fast the button is clicked, and whatever the program is doing meanwhile. Installed on the
// application, it sees every key and mouse event before any widget does.
//
// Keys. Enter and keypad Enter always, and Space, "=", "<" and ">" when no text box has the
// focus, each act once per physical press, and never on what the child could not yet see:
// - a repeat of a held key is dropped wherever it lands, so that a box or screen the first
//   press opened never acts on it. A repeat is what the window system says it is: the
//   toolkit's flag, or on X11 a release and a press of the same key with one timestamp, which
//   the server gives each repeat it makes. A press is never taken for a repeat for want of
//   a release, which may never reach the program (a key let go over a box, or in another
//   program);
// - a press that went down before the focus moved to where it lands, or less than anyone's
//   reaction time after its window came up, is dropped: a second Enter given as the screen or
//   box that the first one opened came up, or Space together with the Enter that checked an
//   answer;
// - a press made while another of these keys, pressed a moment before, is still down is
//   dropped: two keys at once are one step.
// Typing is left alone: a held digit still repeats into a text box.
//
// Mouse. A second or third click at the same place within the double-click time never reaches a
// button or a picture button, even one that has just appeared where the first click was: a
// double click on a button does what one click does.
//
// Closing. The window manager sends a close request for every repeat of a held Alt+F4: after a
// close asked with Alt down, the requests that follow each other within a second are refused
// until they stop or a key or button is pressed, so that one press closes one window at most.
class UnaPressione final : public QObject
{
public:
    explicit UnaPressione(QApplication *app);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool tasto(QObject *watched, QEvent *event);
    bool mouse(QObject *watched, QEvent *event);
    bool chiusura(QEvent *event);
    // When, on our clock, an input event stamped by the window system took place.
    qint64 avvenuto(unsigned long quando);

    QElapsedTimer m_orologio;
    // Our clock less the window system's, at the least delay seen so far (wrapping as the
    // window system's 32-bit milliseconds do).
    quint32 m_scarto = 0;
    bool m_scartoNoto = false;
    qint64 m_fuoco = -1;                     // when the focus last moved, on m_orologio
    qint64 m_finestra = -1;                  // when it last moved to another window
    QHash<quint32, unsigned long> m_rilasci; // the time of each key's last release
    quint32 m_passo = 0;                     // the key whose last press stepped; 0: none
    quint32 m_giu = 0;                       // a key that steps, pressed and not let go; 0: none
    qint64 m_giuDa = 0;                      // when it went down

    bool m_chiusoConAlt = false; // a window was closed on request while Alt was down
    QElapsedTimer m_chiusura;    // since the last close request

    // The last press of the mouse button: its time and place.
    unsigned long m_ultimoClic = 0;
    QPointF m_dove;
    bool m_scartaRilascio = false;
};
