#pragma once

// The line oracle: what a stored operation line must look like, worked out from the numbers the
// line shows and not from the code that writes it. The soak's invariants hold every line of the
// sitting and of the report to it, and test_soak's lineFormat rows hold the oracle itself to
// lines known good and bad.

#include <QString>

// Whether a text is well formed: valid UTF-16, with no control character.
bool testoValido(const QString &t);
// The characters of a text, a surrogate pair counting as one.
qsizetype caratteri(const QString &t);

// Whether a stored operation line has the format of the list of operations: the first part of
// one of the twelve types, its numbers adding up as the type says, then, once checked, the
// answer in brackets with its pads, the whole seconds and the mark of a wrong answer, which
// must agree with the numbers. On a mismatch perche says what is wrong.
struct Riga
{
    bool valida = false;
    bool verificata = false; // it carries an answer
    bool esatta = false;
    int secondi = 0;
    QString perche;
};
Riga esaminaRiga(const QString &riga);
