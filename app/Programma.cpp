#include "app/Programma.h"

#include "exercise/ui/frmOperativoPiu.h"
#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/ui/FrmAutore.h"
#include "session/ui/FrmInizio1.h"

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
template <class F, class Crea> F &primoTocco(std::unique_ptr<F> &form, Crea crea)
{
    if (!form)
        form = crea();
    return *form;
}
} // namespace

FrmInizio1 &Programma::inizio()
{
    return primoTocco(m_inizio, [this] {
        return std::make_unique<FrmInizio1>(
            stato, piattaforma, [this](const Attivita &scelta) { operativo().apri(scelta); },
            [this] { autore().show(); });
    });
}

FrmAutore &Programma::autore()
{
    return primoTocco(m_autore, [] { return std::make_unique<FrmAutore>(); });
}

frmOperativoPiù &Programma::operativo()
{
    return primoTocco(m_operativo, [this] {
        return std::make_unique<frmOperativoPiù>(
            stato, piattaforma,
            Resoconti{[this] { stampa().show(); }, [this] { stampa().mostraSedutaIntera(); },
                      [this] { attestato().apri(); }});
    });
}

FrmStampaPiu &Programma::stampa()
{
    return primoTocco(m_stampa, [this] {
        return std::make_unique<FrmStampaPiu>(stato, piattaforma, [this] { attestato().apri(); });
    });
}

FrmAttestato &Programma::attestato()
{
    return primoTocco(m_attestato,
                      [this] { return std::make_unique<FrmAttestato>(stato, piattaforma); });
}

void Programma::avvia()
{
    inizio().mostra();
}
