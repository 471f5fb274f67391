#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTime>
#include <QTranslator>

int QtMessageBox::msgBox(const QString &prompt, int style, const QString &title)
{
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    if (style == SiNoInformazione) {
        box.setIcon(QMessageBox::Information);
        QPushButton *yes = box.addButton(QStringLiteral("Sì"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Si : No;
    }
    box.setIcon(QMessageBox::NoIcon);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return Ok;
}

double QtClock::timer()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

QDate QtClock::today()
{
    return QDate::currentDate();
}

void QtBeeper::beep()
{
    QApplication::beep();
}

void QtEnder::end()
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

QString QtSaveDialog::chiediFilePdf(QWidget *parent, const QString &suggested)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(folder);
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Salva come PDF"),
                                        QDir(folder).filePath(suggested),
                                        QStringLiteral("Documenti PDF (*.pdf)"));
}

void installaPiattaforma(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const QString &name : {QStringLiteral("qtbase_it"), QStringLiteral("qt_it")}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(name, translations))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }

    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));

    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
}
