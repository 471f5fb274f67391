#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTime>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <utility>

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
    // Qt's own dialog speaks the program's Italian; a desktop's would follow the system's
    // language.
    return QFileDialog::getSaveFileName(
        parent, QStringLiteral("Salva come PDF"), QDir(folder).filePath(suggested),
        QStringLiteral("Documenti PDF (*.pdf)"), nullptr, QFileDialog::DontUseNativeDialog);
}

void installaPiattaforma(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // Qt's texts that the screens can show (dialog buttons, the text boxes' menu) are all in
    // qtbase; the qt_it catalogue would load it a second time, and the multimedia texts too.
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_it"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;

    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));

    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
}

namespace {
class IconaDifferita final : public QObject
{
public:
    IconaDifferita(QString resource, QObject *parent)
        : QObject(parent), m_resource(std::move(resource))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A window paints itself as it handles its first Expose; the icon comes right after.
        if (event->type() == QEvent::Expose && watched->isWindowType() &&
            static_cast<QWindow *>(watched)->isExposed()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                QApplication::setWindowIcon(QIcon(m_resource));
                deleteLater();
            });
        }
        return false;
    }

private:
    QString m_resource;
};
} // namespace

void iconaDopoIlPrimoDisegno(QApplication &app, const QString &resource)
{
    app.installEventFilter(new IconaDifferita(resource, &app));
}
