#include "app/Programma.h"
#include "platform/ui/QtPlatform.h"
#include "platform/ui/stampa/QtPrinter.h"
#include "session/SessionState.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {
// Whether a window system the program can show itself on is named: Qt ends a program that finds
// none with an abort and an English message. The platform is the one Qt picks: -platform on the
// command line, QT_QPA_PLATFORM, or else Wayland or X11, which each need their display named.
bool schermoIndicato(int argc, char *argv[])
{
    QByteArray piattaforma = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0)
            piattaforma = argv[i + 1];
    const bool x11 = !qgetenv("DISPLAY").isEmpty();
    const bool wayland = !qgetenv("WAYLAND_DISPLAY").isEmpty();
    if (piattaforma.isEmpty())
        return x11 || wayland;
    if (piattaforma.startsWith("xcb"))
        return x11;
    if (piattaforma.startsWith("wayland"))
        return wayland;
    return true; // another platform (offscreen, vnc, eglfs...) finds its own way
}
} // namespace

int main(int argc, char *argv[])
{
    if (!schermoIndicato(argc, argv)) {
        std::fputs("ZEFIRANO.2: nessuno schermo grafico trovato. Avviare il programma da una "
                   "sessione grafica.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
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
