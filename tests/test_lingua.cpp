#include "platform/ui/Controls.h"
#include "platform/ui/QtPlatform.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;

// What Qt itself shows, once the program has set up its platform: the standard buttons, the
// menu of a text box, the save and the print dialogs, all in Italian.

namespace {
// The captions of a dialog's labels and buttons, without their shortcut marks.
QStringList didascalie(const QWidget &dialogo)
{
    QStringList testi;
    for (const QLabel *l : dialogo.findChildren<QLabel *>())
        testi.append(l->text().remove(u'&'));
    for (const QAbstractButton *b : dialogo.findChildren<QAbstractButton *>())
        testi.append(b->text().remove(u'&'));
    return testi;
}

QStringList voci(const QMenu &menu)
{
    QStringList testi;
    for (const QAction *a : menu.actions())
        if (!a->isSeparator())
            testi.append(a->text().remove(u'&').section(u'\t', 0, 0));
    return testi;
}
} // namespace

class TestLingua : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installaPiattaforma(*qApp); }

    void menuCasella_isInItalian_data()
    {
        QTest::addColumn<QString>("voce");
        for (const char16_t *voce : {u"Annulla", u"Rifai", u"Taglia", u"Copia", u"Incolla",
                                     u"Elimina", u"Seleziona tutto"})
            QTest::newRow(QString::fromUtf16(voce).toUtf8().constData())
                << QString::fromUtf16(voce);
    }
    // The menu a right click opens on the child's answer box.
    void menuCasella_isInItalian()
    {
        QFETCH(QString, voce);
        TextBox casella;
        casella.setText(u"12"_s);
        const std::unique_ptr<QMenu> menu(casella.createStandardContextMenu());
        QVERIFY2(voci(*menu).contains(voce), qPrintable(voci(*menu).join(u", ")));
    }

    void pulsantiStandard_areInItalian_data()
    {
        QTest::addColumn<int>("pulsante");
        QTest::addColumn<QString>("testo");
        QTest::newRow("Save") << int(QDialogButtonBox::Save) << u"Salva"_s;
        QTest::newRow("Cancel") << int(QDialogButtonBox::Cancel) << u"Annulla"_s;
        QTest::newRow("Close") << int(QDialogButtonBox::Close) << u"Chiudi"_s;
        QTest::newRow("Yes") << int(QDialogButtonBox::Yes) << u"Sì"_s;
        QTest::newRow("Open") << int(QDialogButtonBox::Open) << u"Apri"_s;
    }
    void pulsantiStandard_areInItalian()
    {
        QFETCH(int, pulsante);
        QFETCH(QString, testo);
        const auto standard = static_cast<QDialogButtonBox::StandardButton>(pulsante);
        QDialogButtonBox scatola(standard);
        QCOMPARE(scatola.button(standard)->text().remove(u'&'), testo);
    }

    // Qt's own save and print dialogs, where no desktop ones take their place.
    void dialoghi_areInItalian_data()
    {
        QTest::addColumn<bool>("stampa");
        QTest::addColumn<QString>("conferma");
        QTest::newRow("save") << false << u"Salva"_s;
        QTest::newRow("print") << true << u"Stampa"_s;
    }
    void dialoghi_areInItalian()
    {
        QFETCH(bool, stampa);
        QFETCH(QString, conferma);
        QPrinter stampante;
        std::unique_ptr<QDialog> dialogo;
        if (stampa) {
            dialogo = std::make_unique<QPrintDialog>(&stampante);
            // Windows has its own print dialog, in the system's language, with no Qt widget.
            if (dialogo->findChildren<QWidget *>().isEmpty())
                QSKIP("the system's own print dialog stands in for Qt's");
        } else {
            auto salva = std::make_unique<QFileDialog>(nullptr, u"Salva come PDF"_s);
            salva->setOption(QFileDialog::DontUseNativeDialog);
            salva->setAcceptMode(QFileDialog::AcceptSave);
            dialogo = std::move(salva);
        }
        const QStringList testi = didascalie(*dialogo);
        QVERIFY2(testi.contains(conferma), qPrintable(testi.join(u", ")));
        QVERIFY2(testi.contains(u"Annulla"_s), qPrintable(testi.join(u", ")));
        for (const char16_t *inglese : {u"Save", u"Print", u"Cancel", u"Options"})
            QVERIFY2(!testi.contains(QString::fromUtf16(inglese)), qPrintable(testi.join(u", ")));
    }
};

QTEST_MAIN(TestLingua)
#include "test_lingua.moc"
