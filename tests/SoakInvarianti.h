#pragma once

// The invariant checker: what must hold after every event of a soak, whatever the child did.
// The program ends only when asked to; a failed print job, and only a failed one, is told; the
// counters of the sitting stay in their ranges and agree with its stored lines, each of which
// the line oracle (SoakRighe.h) accepts; and the screens show what their models say: the
// exercise screen's buttons, captions, answer box, stars and menu items, the certificate's
// buttons and name, the list of operations at the end of a sitting and in the report.

#include <QString>

struct Banco;
class Form;

// Whether a form is on screen: loaded, with its window shown.
bool aperta(Form *f);

class Invarianti
{
public:
    // A fresh program: its exercise screen not loaded yet, no operation checked in this run.
    void nuovaCorsa();
    // The first invariant broken after an event, or an empty text if all hold. fineAmmessa: the
    // event asked the program to end; sedutaMostrata: it answered Yes at the end of a sitting.
    QString controlla(Banco &b, bool fineAmmessa, bool sedutaMostrata);
    // The operations checked over all runs, counted after each event whose lines all hold.
    long long verifiche() const { return m_verifiche; }

private:
    QString controllaRighe(Banco &b);
    QString controllaSchermo(Banco &b, bool sedutaMostrata);

    bool m_caricato = false; // the exercise screen has been loaded in this run
    long long m_verificheCorsa = 0;
    long long m_verifiche = 0;
};
