// The yardstick for start-up and memory: the least a Qt Widgets program with a title screen
// does. A maximised main window whose only content is one line of large bold text, built with
// the program's flags. It pays what any such program pays and the program cannot avoid: the
// font database and one face rasterised, and a back buffer the size of the screen.
//
// Of the program's start-up it mirrors only what would otherwise make the two draw different
// things: the Fusion style (the program's widgets are drawn with it) and Arial standing for
// Liberation Sans (without the substitution fontconfig may pick another face, with other
// glyphs to load). The program's translations, event filters and other faces are its own cost.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QMainWindow>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    QMainWindow window;
    auto *label = new QLabel(QStringLiteral("Addizioni"), &window);
    QFont font(QStringLiteral("Arial"), 48);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.showMaximized();
    return app.exec();
}
