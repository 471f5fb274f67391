// The yardstick for start-up and memory: an empty Qt Widgets window, built with the program's
// flags, that does nothing but show.

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();
    return app.exec();
}
