#include "platform/QtPlatform.h"
#include "session/Programma.h"
#include "session/SessionState.h"

#include <QApplication>
#include <QIcon>

namespace {
class NessunaStampante final : public PrinterFactory
{
public:
    std::unique_ptr<Printer> stampante() override { return nullptr; }
    std::unique_ptr<Printer> pdf(const QString &) override { return nullptr; }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zefirano"));
    QApplication::setApplicationDisplayName(QStringLiteral("ZEFIRANO.2"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/zefirano.svg")));
    installaPiattaforma(app);

    QtMessageBox messageBox;
    QtClock clock;
    MixRandom random;
    random.randomize(clock.timer());
    QtBeeper beeper;
    NessunaStampante printers;
    QtSaveDialog saveDialog;
    QtEnder ender;
    Platform piattaforma{messageBox, clock, random, beeper, printers, saveDialog, ender};

    SessionState stato;
    Programma programma(stato, piattaforma);
    programma.avvia();
    return app.exec();
}
