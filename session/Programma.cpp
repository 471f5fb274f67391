#include "session/Programma.h"

#include "exercise/frmOperativoPiu.h"
#include "reports/FrmAttestato.h"
#include "reports/FrmStampaPiu.h"
#include "session/FrmAutore.h"
#include "session/FrmInizio1.h"

Programma::Programma(SessionState &stato, Platform &piattaforma)
    : stato(stato), piattaforma(piattaforma)
{
}

Programma::~Programma()
{
    m_attestato.reset();
    m_stampa.reset();
    m_operativo.reset();
    m_autore.reset();
    m_inizio.reset();
}

namespace {
template <class F> F &primoTocco(std::unique_ptr<F> &form, Programma &programma)
{
    if (!form)
        form = std::make_unique<F>(programma);
    return *form;
}
} // namespace

FrmInizio1 &Programma::inizio()
{
    return primoTocco(m_inizio, *this);
}
FrmAutore &Programma::autore()
{
    return primoTocco(m_autore, *this);
}
frmOperativoPiù &Programma::operativo()
{
    return primoTocco(m_operativo, *this);
}
FrmStampaPiu &Programma::stampa()
{
    return primoTocco(m_stampa, *this);
}
FrmAttestato &Programma::attestato()
{
    return primoTocco(m_attestato, *this);
}

void Programma::avvia()
{
    inizio().mostra();
}
