#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointF>

// One press of a key or of the mouse button is one step, however long the key is held, however
// fast the button is clicked, and whatever the program is doing meanwhile. Installed on the
// application, it sees every key and mouse event before any widget does.
//
// Keys. Enter and keypad Enter always, and Space, "=", "<" and ">" when no text box has the
// focus, each act once per physical press: the presses a held key repeats are dropped wherever
// they land, so that a box or screen the first press opened never acts on them. A repeat is told
// from what the key did rather than from the toolkit's flag, which a busy program does not
// always get: a key that was pressed stays down until a release that is not at once followed by
// a press of the same time (an X server gives each repeat's release and press one timestamp).
// Typing is left alone: a held digit still repeats into a text box.
//
// Mouse. A second or third click at the same place within the double-click time never reaches a
// button or a picture button, even one that has just appeared where the first click was: a
// double click on a button does what one click does.
class UnaPressione final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Tasto
    {
        bool giu = false;
        unsigned long rilascio = 0; // the time of its last release; 0: not known
    };
    bool tasto(QObject *watched, QEvent *event);
    bool mouse(QObject *watched, QEvent *event);

    QHash<quint32, Tasto> m_tasti;
    // The last press of the mouse button: its time and place.
    unsigned long m_ultimoClic = 0;
    QPointF m_dove;
    bool m_scartaRilascio = false;
};
