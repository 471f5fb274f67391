#include "Banco.h"

#include "exercise/ui/frmOperativoPiu.h"
#include "platform/ui/Controls.h"
#include "session/Attivita.h"
#include "session/ui/FrmAutore.h"
#include "session/ui/FrmInizio1.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestInizio : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    FrmInizio1 &inizio() { return banco->programma.inizio(); }
    TextBox *nome() { return inizio().textBox("txtNome"); }

    void mostra()
    {
        banco->programma.avvia();
        QVERIFY(QTest::qWaitForWindowActive(inizio().window()));
    }

    void accetta(const QString &testo)
    {
        nome()->setText(testo);
        QTest::keyClick(nome(), Qt::Key_Return);
    }

    // Types each character as the keyboard sends it, accented letters included.
    static void digita(QWidget *widget, const QString &testo)
    {
        for (const QChar c : testo) {
            const int key = c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

private slots:
    void init()
    {
        banco = std::make_unique<Banco>();
        mostra();
    }
    void cleanup() { banco.reset(); }

    void start_showsNamePhase()
    {
        QCOMPARE(inizio().window()->windowTitle(), QStringLiteral("ZEFIRANO.2   "));
        QComboBox *combo = inizio().combo("Combo1");
        QCOMPARE(combo->count(), 3);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(combo->itemText(2),
                 QStringLiteral("Calcolo dei numero o del segno secondo richiesta"));
        QVERIFY(inizio().control("Frame3")->isVisible());
        QCOMPARE(QApplication::focusWidget(), nome());
    }

    void tabOrder_followsTheTable()
    {
        const char *ordine[] = {"txtNome",  "Combo1",    "Command2", "Command1",
                                "Command7", "Command4",  "Command3", "Command5",
                                "Command6", "cmdAvanti", "cmdFine",  "txtNome"};
        QCOMPARE(QApplication::focusWidget(), inizio().control(ordine[0]));
        for (std::size_t i = 1; i < std::size(ordine); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), inizio().control(ordine[i]));
        }
    }

    void keyFilter_beepsAtDigitsAndStopsAtFifteen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<int>("beeps");
        QTest::newRow("every digit refused") << QStringLiteral("0123456789") << QString() << 10;
        QTest::newRow("case kept") << QStringLiteral("mARIO") << QStringLiteral("mARIO") << 0;
        QTest::newRow("accents and punctuation pass")
            << QStringLiteral("Élodie d'Aà-") << QStringLiteral("Élodie d'Aà-") << 0;
        QTest::newRow("digits dropped among letters")
            << QStringLiteral("a1b2") << QStringLiteral("ab") << 2;
        QTest::newRow("markup stays text")
            << QStringLiteral("<b>x</b>") << QStringLiteral("<b>x</b>") << 0;
        QTest::newRow("sixteenth letter refused")
            << QStringLiteral("abcdefghijklmnopq") << QStringLiteral("abcdefghijklmno") << 0;
    }
    void keyFilter_beepsAtDigitsAndStopsAtFifteen()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(int, beeps);
        digita(nome(), typed);
        QCOMPARE(nome()->text(), kept);
        QCOMPARE(banco->beeper.beeps, beeps);
    }

    void paste_keepsWhatTypingKeepsAndIsLimited()
    {
        nome()->insert(QStringLiteral("1a2b3c4d5e6f7g8h9i0jklmnopq"));
        QCOMPARE(nome()->text(), QStringLiteral("abcdefghijklmno"));
        QCOMPARE(banco->beeper.beeps, 0);
    }

    void emptyName_asksForTheNameAndStays_data()
    {
        QTest::addColumn<bool>("conInvio");
        QTest::newRow("Enter") << true;
        QTest::newRow("AVANTI") << false;
    }
    void emptyName_asksForTheNameAndStays()
    {
        QFETCH(bool, conInvio);
        if (conInvio)
            QTest::keyClick(nome(), Qt::Key_Return);
        else
            QTest::mouseClick(inizio().button("cmdAvanti"), Qt::LeftButton);
        QCOMPARE(banco->messageBox.shown.size(), 1);
        QCOMPARE(banco->messageBox.shown[0].prompt, QStringLiteral("Introduci il nome"));
        QCOMPARE(banco->messageBox.shown[0].title, QStringLiteral("distrazione"));
        QCOMPARE(banco->messageBox.shown[0].style, 0);
        QCOMPARE(banco->stato.Risposta, 1);
        QVERIFY(inizio().control("Frame3")->isVisible());
        QCOMPARE(QApplication::focusWidget(), nome());
        QVERIFY(banco->stato.NomeAlunno.isEmpty());
    }

    void name_acceptedAsTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("letters") << QStringLiteral("mARIO rOSSI");
        QTest::newRow("blanks only") << QStringLiteral("   ");
        QTest::newRow("one letter") << QStringLiteral("a");
    }
    void name_acceptedAsTyped()
    {
        QFETCH(QString, name);
        accetta(name);
        QCOMPARE(banco->stato.NomeAlunno, name);
        QVERIFY(!inizio().control("Frame3")->isVisible());
        QCOMPARE(QApplication::focusWidget(), inizio().control("Command1"));
        QVERIFY(banco->messageBox.shown.isEmpty());
    }

    void rangeButton_storesRangeAndActivity_data()
    {
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("activity");
        QTest::addColumn<QList<int>>("expected"); // min, max, scelta, tipoMin, tipoMax
        QTest::addColumn<QString>("instruction");
        QTest::newRow("1-10 numero")
            << 0 << 0 << QList<int>{1, 10, 1, 1, 7} << QStringLiteral("Calcola il numero");
        QTest::newRow("1-20 numero")
            << 1 << 0 << QList<int>{1, 20, 2, 1, 7} << QStringLiteral("Calcola il numero");
        QTest::newRow("10-30 segno")
            << 2 << 1 << QList<int>{10, 30, 3, 7, 13} << QStringLiteral("Calcola il segno");
        QTest::newRow("30-60 segno")
            << 3 << 1 << QList<int>{30, 60, 4, 7, 13} << QStringLiteral("Calcola il segno");
        QTest::newRow("60-99 misto")
            << 4 << 2 << QList<int>{60, 99, 5, 1, 13}
            << QStringLiteral("Calcola il numero o il segno secondo richiesta");
        QTest::newRow("10-99 misto")
            << 5 << 2 << QList<int>{10, 99, 6, 1, 13}
            << QStringLiteral("Calcola il numero o il segno secondo richiesta");
    }
    void rangeButton_storesRangeAndActivity()
    {
        QFETCH(int, range);
        QFETCH(int, activity);
        QFETCH(QList<int>, expected);
        QFETCH(QString, instruction);
        accetta(QStringLiteral("Ada"));
        inizio().combo("Combo1")->setCurrentIndex(activity);
        QTest::mouseClick(inizio().button(intervalli[static_cast<std::size_t>(range)].pulsante),
                          Qt::LeftButton);
        const SessionState &s = banco->stato;
        QCOMPARE((QList<int>{s.NumeroMin, s.NumeroMax, s.ScelteIntervallo, s.TipoMin, s.TipoMax}),
                 expected);
        frmOperativoPiù &operativo = banco->programma.operativo();
        QVERIFY(operativo.isLoaded());
        QVERIFY(operativo.window()->isVisible());
        QCOMPARE(operativo.window()->windowTitle(), QStringLiteral("ESERCIZI SULLE ZEFIRANO.2"));
        QCOMPARE(operativo.label("Label1")->text(), instruction);
        QCOMPARE(s.Istruzione, instruction);
        QVERIFY(inizio().window()->isVisible());
    }

    void schemes_colourOnlyTheirRow_data()
    {
        QTest::addColumn<int>("activity");
        QTest::addColumn<int>("area");
        QTest::addColumn<QString>("colorePulsanti");
        QTest::addColumn<QStringList>("areaControls");
        QTest::newRow("numero") << 0 << RGB(250, 250, 200).value << QStringLiteral("9886960")
                                << QStringList{QStringLiteral("frmNumero"),
                                               QStringLiteral("TxtRisultato")};
        QTest::newRow("segno") << 1 << RGB(200, 255, 255).value << QStringLiteral("16763080")
                               << QStringList{QStringLiteral("frmSegno"),
                                              QStringLiteral("lblSegno2")};
        QTest::newRow("misto") << 2 << RGB(255, 215, 220).value << QStringLiteral("14464240")
                               << QStringList{
                                      QStringLiteral("frmNumero"), QStringLiteral("TxtRisultato"),
                                      QStringLiteral("frmSegno"), QStringLiteral("lblSegno2")};
    }
    void schemes_colourOnlyTheirRow()
    {
        QFETCH(int, activity);
        QFETCH(int, area);
        QFETCH(QString, colorePulsanti);
        QFETCH(QStringList, areaControls);
        accetta(QStringLiteral("Ada"));
        inizio().combo("Combo1")->setCurrentIndex(activity);
        QTest::mouseClick(inizio().button("Command1"), Qt::LeftButton);
        frmOperativoPiù &operativo = banco->programma.operativo();
        QCOMPARE(banco->stato.ColorePulsanti, colorePulsanti);
        QCOMPARE(operativo.backColor(nullptr).value, area);
        for (const QString &nome : areaControls)
            QCOMPARE(operativo.backColor(nome.toLatin1().constData()).value, area);
        for (const char *nome : controlliPulsanti)
            QCOMPARE(operativo.backColor(nome).value, colorePulsanti.toInt());
    }

    void schemes_keepOtherRowsOfAnOpenScreen()
    {
        accetta(QStringLiteral("Ada"));
        inizio().combo("Combo1")->setCurrentIndex(2);
        QTest::mouseClick(inizio().button("Command1"), Qt::LeftButton);
        inizio().combo("Combo1")->setCurrentIndex(1);
        QTest::mouseClick(inizio().button("Command4"), Qt::LeftButton);
        frmOperativoPiù &operativo = banco->programma.operativo();
        QCOMPARE(operativo.backColor("frmNumero").value, RGB(255, 215, 220).value);
        QCOMPARE(operativo.backColor("TxtRisultato").value, RGB(255, 215, 220).value);
        QCOMPARE(operativo.backColor("frmSegno").value, RGB(200, 255, 255).value);
        // The open screen states the range it now draws from.
        QCOMPARE(operativo.label("Label2")->text(),
                 QStringLiteral("Operazione con numero massimo da  30 a 60"));
    }

    void coveredRangeButton_reachableWithTab()
    {
        QTest::keyClick(nome(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), inizio().control("Command2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(banco->programma.operativo().isLoaded());
        QVERIFY(banco->stato.NomeAlunno.isEmpty());
        QCOMPARE(banco->stato.NumeroMax, 20);
    }

    void leaving_endsTheProgramOrClosesOnlyTheStartScreen_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("ends");
        QTest::addColumn<bool>("startOpen");
        QTest::newRow("E S C I ends") << QStringLiteral("cmdFine") << 1 << true;
        QTest::newRow("File Esci ends") << QStringLiteral("mnuEsci") << 1 << true;
        QTest::newRow("range panel Esci closes the screen")
            << QStringLiteral("Command7") << 0 << false;
        QTest::newRow("close box closes the screen") << QStringLiteral("close") << 0 << false;
    }
    void leaving_endsTheProgramOrClosesOnlyTheStartScreen()
    {
        QFETCH(QString, how);
        QFETCH(int, ends);
        QFETCH(bool, startOpen);
        QApplication::setQuitOnLastWindowClosed(false);
        if (how == QLatin1String("Command7")) {
            accetta(QStringLiteral("Ada"));
            QTest::mouseClick(inizio().button("Command1"), Qt::LeftButton);
            QTest::mouseClick(inizio().button("Command7"), Qt::LeftButton);
            QVERIFY(banco->programma.operativo().window()->isVisible());
        } else if (how == QLatin1String("close")) {
            inizio().window()->close();
        } else if (how == QLatin1String("mnuEsci")) {
            inizio().menu("mnuEsci")->trigger();
        } else {
            QTest::mouseClick(inizio().button(how.toLatin1().constData()), Qt::LeftButton);
        }
        QCOMPARE(banco->ender.ends, ends);
        QCOMPARE(inizio().isLoaded(), startOpen);
    }

    void about_opensCentredAndClosesOnBackground()
    {
        inizio().menu("mnuAutore")->trigger();
        FrmAutore &autore = banco->programma.autore();
        QVERIFY(autore.isLoaded());
        FormWindow *finestra = autore.window();
        QCOMPARE(finestra->windowTitle(), QStringLiteral("Autore"));
        QCOMPARE(finestra->minimumSize(), finestra->maximumSize());
        QCOMPARE(finestra->y(), 1); // 20 twips
        for (const char *nome : {"Label1", "Label2"}) {
            const QRectF r = autore.twips(nome);
            QCOMPARE(r.left() + r.width() / 2, finestra->width() * twipsPerPixel / 2);
        }
        QVERIFY(autore.label("Label2")->text().contains(QStringLiteral("example.org")));

        // Opening it again only brings it forward.
        inizio().menu("mnuAutore")->trigger();
        QCOMPARE(autore.window(), finestra);

        QTest::mouseClick(autore.label("Label1"), Qt::LeftButton);
        QVERIFY(autore.isLoaded());
        QTest::mouseClick(finestra->centralWidget(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!autore.isLoaded());
    }
};

QTEST_MAIN(TestInizio)
#include "test_inizio.moc"
