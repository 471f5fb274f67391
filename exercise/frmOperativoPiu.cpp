#include "exercise/frmOperativoPiu.h"

#include "exercise/TabellaOperativo.h"
#include "platform/Controls.h"
#include "session/Programma.h"
#include "session/SessionState.h"
#include "session/Testi.h"

frmOperativoPiù::frmOperativoPiù(Programma &programma)
    : Form(definizioneOperativo), m_programma(programma)
{
}

void frmOperativoPiù::aggiornaIntervallo()
{
    const SessionState &s = m_programma.stato;
    label("Label2")->setText(QStringLiteral("Operazione con numero massimo da ") +
                             Str(s.NumeroMin) + QStringLiteral(" a") + Str(s.NumeroMax));
}

void frmOperativoPiù::Form_Load()
{
    aggiornaIntervallo();
}
