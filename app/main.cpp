#include "app/Programma.h"
#include "platform/ui/QtPlatform.h"
#include "session/SessionState.h"
#include "session/ui/FrmInizio1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PreparazioneAvvio preparazione({QString::fromLatin1(FrmInizio1::disegno)});
    QApplication app(argc, argv);
    preparazione.attendi();
    QApplication::setApplicationName(QStringLiteral("zefirano"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zefirano"));
    iconaDopoIlPrimoDisegno(app, QStringLiteral(":/zefirano.pic"));
    installaPiattaforma(app);

    QtMessageBox messageBox;
    QtClock clock;
    MixRandom random;
    random.randomize(clock.timer());
    QtBeeper beeper;
    StampantiDifferite printers;
    QtSaveDialog saveDialog;
    QtEnder ender;
    Platform piattaforma{messageBox, clock, random, beeper, printers, saveDialog, ender};

    SessionState stato;
    Programma programma(stato, piattaforma);
    programma.avvia();
    return app.exec();
}
