#include "app/Programma.h"
#include "platform/ui/QtPlatform.h"
#include "platform/ui/stampa/QtPrinter.h"
#include "session/SessionState.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {
// What Qt says while the application connects to its display, held back until it is known
// whether there is a display at all.
QList<std::pair<QtMsgType, QString>> messaggiDiAvvio;

// Qt ends a program that finds no display to show itself on (none named, or one that does not
// answer) with an abort and English messages: the program says so in one Italian line instead
// and ends with status 1.
void senzaSchermo(QtMsgType tipo, const QMessageLogContext &, const QString &testo)
{
    if (tipo != QtFatalMsg) {
        messaggiDiAvvio.append({tipo, testo});
        return;
    }
    std::fputs("ZEFIRANO.2: nessuno schermo grafico trovato. Avviare il programma da una "
               "sessione grafica.\n",
               stderr);
    std::_Exit(1);
}
} // namespace

int main(int argc, char *argv[])
{
    const QtMessageHandler registroDiQt = qInstallMessageHandler(senzaSchermo);
    QApplication app(argc, argv);
    qInstallMessageHandler(registroDiQt);
    for (const auto &[tipo, testo] : std::as_const(messaggiDiAvvio))
        registroDiQt(tipo, QMessageLogContext(), testo);
    messaggiDiAvvio.clear();
    QApplication::setApplicationName(QStringLiteral("zefirano"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.zefirano"));
    installaPiattaforma(app);

    QtMessageBox messageBox;
    QtClock clock;
    MixRandom random;
    random.randomize(clock.timer());
    QtBeeper beeper;
    QtPrinterFactory printers;
    QtSaveDialog saveDialog;
    QtEnder ender;
    Platform piattaforma{messageBox, clock, random, beeper, printers, saveDialog, ender};

    SessionState stato;
    Programma programma(stato, piattaforma);
    programma.avvia();
    return app.exec();
}
