#pragma once

#include <QDate>
#include <QString>

struct SessionState;

// The texts of the certificate card, worked out from the session as it stands.

// Name case: the first character in upper case, every other one in lower case, for any
// script. A character outside the Basic Multilingual Plane is kept whole, an empty name stays
// empty, and re-casing a re-cased name changes nothing.
QString nomeMaiuscolo(const QString &nome);

QString motivoAttestato();
QString obiettivoAttestato();
// " Numeri da " and the two bounds each with its leading blank: " Numeri da  1 a 10".
QString intervalloAttestato(int numeroMin, int numeroMax);
QString percheAttestato(int esatte, int verificate);
QString dataAttestato(const QDate &oggi);
QString messaggioRifiuto();
QString titoloRifiuto();

struct Attestato
{
    QString nome;
    QString motivo;
    QString obiettivo1; // what the drill teaches
    QString obiettivo3; // the activity's instruction
    QString obiettivo2; // the number range
    QString data;
    int voto = 0;
    QString giudizio;
    QString perche;
    bool rifiutato = false;
};

// One activation of the certificate: re-cases the name in the session, stores the length of
// the name, the score and (when the certificate is granted) the grade word; when it is refused,
// stores the refusal's prompt and title for the message box. Never reads a screen: the
// instruction and the counts come from the session.
Attestato calcolaAttestato(SessionState &stato, const QDate &oggi);
