#pragma once

#include <memory>

struct Platform;
struct SessionState;
class FrmInizio1;
class FrmAutore;
class frmOperativoPiù;
class FrmStampaPiu;
class FrmAttestato;

// The screens of a run and how they open one another. Each screen is created at its first
// touch and kept until the program ends, so that its own fields outlive its window; it gets only
// the session state, the platform and the ways to open the screens it opens.
class Programma
{
public:
    Programma(SessionState &stato, Platform &piattaforma);
    ~Programma();
    Programma(const Programma &) = delete;
    Programma &operator=(const Programma &) = delete;

    SessionState &stato;
    Platform &piattaforma;

    FrmInizio1 &inizio();
    FrmAutore &autore();
    frmOperativoPiù &operativo();
    FrmStampaPiu &stampa();
    FrmAttestato &attestato();

    // Shows the start screen: the whole start-up of the program.
    void avvia();

private:
    std::unique_ptr<FrmInizio1> m_inizio;
    std::unique_ptr<FrmAutore> m_autore;
    std::unique_ptr<frmOperativoPiù> m_operativo;
    std::unique_ptr<FrmStampaPiu> m_stampa;
    std::unique_ptr<FrmAttestato> m_attestato;
};
