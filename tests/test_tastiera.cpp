#include "Banco.h"

#include "reports/ui/FrmStampaPiu.h"

#include <QAccessible>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// A whole sitting of each activity with the keyboard alone: every key goes to the widget that
// has the focus, as a keyboard sends it, and no widget is touched otherwise.

class TestTastiera : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    static QWidget *fuoco()
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w : QApplication::activeWindow();
    }
    static QString nomeFuoco()
    {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(fuoco());
        return i ? i->text(QAccessible::Name) : QString();
    }
    static void tasto(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(fuoco(), k, m);
    }
    // A key held down: the repeats the keyboard sends after the first press.
    static void ripeti(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        for (int i = 0; i < 3; ++i) {
            for (QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent ripetuto(tipo, k, m, u"\r"_s, true);
                QApplication::sendEvent(fuoco(), &ripetuto);
            }
        }
    }
    static void scrivi(const QString &testo)
    {
        for (QChar c : testo)
            QTest::keyClick(fuoco(), static_cast<char>(c.unicode()));
    }

private slots:
    void init() { banco = std::make_unique<Banco>(); }
    void cleanup() { banco.reset(); }

    void sedutaIntera_canBeDoneWithTheKeyboardAlone_data()
    {
        QTest::addColumn<int>("attivita");
        QTest::addColumn<int>("risposta"); // at the end of the sitting: 6 Yes, 7 No
        QTest::addColumn<int>("premi");    // the key that presses the focused button
        QTest::newRow("numero, Yes, Space") << 0 << 6 << int(Qt::Key_Space);
        QTest::newRow("segno, No, Space") << 1 << 7 << int(Qt::Key_Space);
        QTest::newRow("misto, Yes, Space") << 2 << 6 << int(Qt::Key_Space);
        QTest::newRow("numero, No, Enter") << 0 << 7 << int(Qt::Key_Return);
        QTest::newRow("segno, Yes, keypad Enter") << 1 << 6 << int(Qt::Key_Enter);
        QTest::newRow("misto, No, Enter") << 2 << 7 << int(Qt::Key_Return);
    }
    // Enter rows: the keys a child drills with are digits and Enter alone, and a held Enter
    // never goes past a verdict.
    void sedutaIntera_canBeDoneWithTheKeyboardAlone()
    {
        QFETCH(int, attivita);
        QFETCH(int, risposta);
        QFETCH(int, premi);
        const auto premiPulsante = [premi] {
            const auto k = static_cast<Qt::Key>(premi);
            tasto(k, k == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        };
        Banco &b = *banco;
        b.messageBox.answers.push_back(risposta);
        b.programma.avvia();
        FrmInizio1 &inizio = b.programma.inizio();
        QVERIFY(QTest::qWaitForWindowActive(inizio.window()));

        // The activity first, then the name; Enter takes the name and leaves the focus on the
        // first range, which Space or Enter presses.
        QCOMPARE(fuoco(), inizio.control("txtNome"));
        tasto(Qt::Key_Tab);
        QCOMPARE(fuoco(), inizio.control("Combo1"));
        for (int i = 0; i < attivita; ++i)
            tasto(Qt::Key_Down);
        tasto(Qt::Key_Backtab, Qt::ShiftModifier);
        scrivi(u"Ada"_s);
        tasto(Qt::Key_Return);
        QCOMPARE(nomeFuoco(), u"Numero max da 1 a 10"_s);
        premiPulsante();
        frmOperativoPiù &f = b.operativo();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QCOMPARE(b.stato.TipoMin, attivita == 1 ? 7 : 1);

        int giuste = 0;
        for (int i = 1; i <= 40; ++i) {
            QCOMPARE(b.stato.NumeroOperazione, i);
            const bool giusta = i % 5 != 0;
            giuste += giusta;
            const QString esatta = b.stato.RispostaEsatta;
            if (b.stato.TipoOperazione <= 6) {
                QCOMPARE(fuoco(), f.control("TxtRisultato"));
                scrivi(giusta ? esatta : QString::number(esatta.toInt() + 1));
                tasto(Qt::Key_Return);
            } else {
                QCOMPARE(nomeFuoco(), u"uguale"_s);
                const QString segni = u"=<>"_s;
                const QString nomi[] = {u"uguale"_s, u"minore"_s, u"maggiore"_s};
                const qsizetype scelto = (segni.indexOf(esatta) + (giusta ? 0 : 1)) % 3;
                if (i % 2 == 0) {
                    scrivi(segni.mid(scelto, 1));
                } else {
                    // Through the pictures: Tab to the one named, Space to press it.
                    while (nomeFuoco() != nomi[scelto])
                        tasto(Qt::Key_Tab);
                    premiPulsante();
                }
                QCOMPARE(nomeFuoco(), u"Verifica"_s);
                premiPulsante();
            }
            QCOMPARE(b.stato.OperazioniVerificate, risposta == 7 && i == 40 ? 0 : i);
            if (i == 40)
                break;
            if (premi != Qt::Key_Space)
                ripeti(static_cast<Qt::Key>(premi));
            QCOMPARE(b.stato.NumeroOperazione, i);
            QCOMPARE(f.label("LblEsito")->text(), giusta ? u"E s a t t o"_s : u"E r r a t o"_s);
            QCOMPARE(nomeFuoco(), i % 10 ? u"Nuova operazione"_s : u"Nuovo esercizio"_s);
            premiPulsante();
        }

        QCOMPARE(b.messageBox.shown.size(), 1);
        if (risposta == 6) {
            QCOMPARE(b.stato.RisposteEsatte, giuste);
            QVERIFY(b.programma.stampa().isLoaded());
            return;
        }
        // No: the sitting starts again from "Nuovo esercizio", which has the focus.
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QCOMPARE(nomeFuoco(), u"Nuovo esercizio"_s);
        premiPulsante();
        QCOMPARE(b.stato.NumeroOperazione, 1);
        QCOMPARE(b.stato.NumeroEsercizio, 1);
    }
};

QTEST_MAIN(TestTastiera)
#include "test_tastiera.moc"
