#pragma once

// A whole program on the test bench: the real screens over doubles of the platform, and the
// steps a child takes, done through the widgets.

#include "app/Programma.h"
#include "exercise/ui/frmOperativoPiu.h"
#include "platform/Platform.h"
#include "platform/doubles/Doubles.h"
#include "platform/doubles/RecordingPrinter.h"
#include "platform/ui/Controls.h"
#include "platform/ui/QtPlatform.h"
#include "session/Attivita.h"
#include "session/SessionState.h"
#include "session/ui/FrmInizio1.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

struct Banco
{
    FakeClock clock;
    ScriptedRandom random;
    ScriptedMessageBox messageBox;
    QtMessageBox riquadriVeri;
    CountingBeeper beeper;
    RecordingPrinterFactory printers;
    ScriptedSaveDialog saveDialog;
    RecordingEnder ender;
    Platform piattaforma;
    SessionState stato;
    Programma programma{stato, piattaforma};

    // Scripted: messageBox answers each box from its script; Veri: the toolkit's own boxes come
    // up on screen, for a test that answers them there.
    enum class Riquadri { Scritti, Veri };

    // seme feeds the drill's random source once its script runs out.
    explicit Banco(std::uint64_t seme = 1, Riquadri riquadri = Riquadri::Scritti)
        : random(seme), piattaforma{riquadri == Riquadri::Veri
                                        ? static_cast<MessageBox &>(riquadriVeri)
                                        : messageBox,
                                    clock,
                                    random,
                                    beeper,
                                    printers,
                                    saveDialog,
                                    ender}
    {
        static const bool italiano = [] {
            installaPiattaforma(*qApp);
            return true;
        }();
        Q_UNUSED(italiano);
        QApplication::setQuitOnLastWindowClosed(false);
    }

    frmOperativoPiù &operativo() { return programma.operativo(); }

    // The start screen, a name, an activity (list index) and a range (0..5): the exercise
    // screen opens.
    void avvia(int attivitaScelta = 0, int intervallo = 0,
               const QString &nome = QStringLiteral("Ada"))
    {
        programma.avvia();
        FrmInizio1 &inizio = programma.inizio();
        inizio.textBox("txtNome")->setText(nome);
        QTest::keyClick(inizio.textBox("txtNome"), Qt::Key_Return);
        inizio.combo("Combo1")->setCurrentIndex(attivitaScelta);
        QTest::mouseClick(inizio.button(intervalli[static_cast<std::size_t>(intervallo)].pulsante),
                          Qt::LeftButton);
    }

    // With ZEF_SCREENSHOTS set to a folder, saves what the window shows there, for a person to
    // look at; otherwise does nothing.
    static void fotografa(QWidget *finestra, const QString &nome)
    {
        const QString cartella = qEnvironmentVariable("ZEF_SCREENSHOTS");
        if (!cartella.isEmpty() && finestra)
            finestra->grab().save(cartella + u'/' + nome + QStringLiteral(".png"));
    }

    bool visibile(const char *nome) { return operativo().control(nome)->isVisible(); }

    // Answers the operation on screen, right or wrong, as a child does: digits and Enter in
    // the answer box, or a sign picture and "V e r i f i c a ".
    void rispondi(bool giusta, double secondi = 3)
    {
        clock.advance(secondi);
        frmOperativoPiù &f = operativo();
        const QString esatta = stato.RispostaEsatta;
        if (stato.TipoOperazione <= 6) {
            const QString data = giusta ? esatta : QString::number((esatta.toInt() + 1) % 100);
            QTest::keyClicks(f.textBox("TxtRisultato"), data);
            QTest::keyClick(f.textBox("TxtRisultato"), Qt::Key_Return);
            return;
        }
        static const QString segni[] = {QStringLiteral("="), QStringLiteral("<"),
                                        QStringLiteral(">")};
        static const char *immagini[] = {"Image3", "Image4", "Image5"};
        int scelta = 0;
        while ((segni[scelta] == esatta) != giusta)
            ++scelta;
        QTest::mouseClick(f.picture(immagini[scelta]), Qt::LeftButton);
        QTest::mouseClick(f.button("CmdVerifica"), Qt::LeftButton);
    }

    // "Nuova operazione" or "Nuovo esercizio", whichever is offered.
    void avanti()
    {
        frmOperativoPiù &f = operativo();
        const char *pulsante = visibile("CmdOperazione") ? "CmdOperazione" : "CmdEsercizio";
        QTest::mouseClick(f.button(pulsante), Qt::LeftButton);
    }

    // Answers n operations, the first `giuste` of them right, going on after each but the last.
    void esegui(int n, int giuste)
    {
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                avanti();
            rispondi(i < giuste);
        }
    }
};
