#include "Banco.h"
#include "Soak.h"

#include "reports/ui/FrmAttestato.h"

#include <QClipboard>
#include <QMimeData>
#include <QWindow>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QList<int> codici(int da, int a, std::initializer_list<int> tranne = {})
{
    QList<int> c;
    for (int i = da; i <= a; ++i)
        if (std::find(tranne.begin(), tranne.end(), i) == tranne.end())
            c.append(i);
    return c;
}

QString ripeti(const QString &t, int volte)
{
    QString r;
    for (int i = 0; i < volte; ++i)
        r += t;
    return r;
}

} // namespace

// Everything a keyboard or the clipboard can put into the two text boxes, and a name in any
// script carried through to the certificate.
class TestSweep : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    TextBox *casella(const QString &quale)
    {
        return quale == u"nome" ? banco->programma.inizio().textBox("txtNome")
                                : banco->operativo().textBox("TxtRisultato");
    }

    // The start screen with its name box, or the exercise screen of the number activity with
    // its answer box, on screen and active.
    void apri(const QString &quale)
    {
        if (quale == u"nome") {
            banco->programma.avvia();
        } else {
            banco->avvia(0, 0);
            banco->operativo().window()->activateWindow();
        }
        QVERIFY(QTest::qWaitForWindowActive(casella(quale)->window()));
        QTest::qWait(200); // seen before a key is pressed: a key as it comes up goes unheeded
    }

    // A key as the keyboard sends it, to the window: the box with the focus takes it.
    static void premi(TextBox *box, const Tasto &t)
    {
        box->setFocus();
        QWindow *finestra = box->window()->windowHandle();
        qt_handleKeyEvent(finestra, QEvent::KeyPress, t.key, t.modificatori, t.testo);
        qt_handleKeyEvent(finestra, QEvent::KeyRelease, t.key, t.modificatori, t.testo);
    }

    static void digita(TextBox *box, const QString &testo)
    {
        for (char32_t c : testo.toUcs4())
            premi(box, c < 256 ? tastoDelCodice(static_cast<int>(c))
                               : Tasto{Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1)});
    }

private slots:
    void init()
    {
        banco = std::make_unique<Banco>();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup() { banco.reset(); }

    void everyKeyCode_eachBoxTakesOnlyItsCharacters_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("entra"); // the character is added to the text
        QTest::addColumn<bool>("beeps");
        QTest::addColumn<int>("boxes"); // message boxes per key

        const QList<int> controllo = codici(0, 31, {8, 13}) + codici(127, 159);
        QTest::newRow("name: digits beep and stay out")
            << u"nome"_s << codici('0', '9') << QString() << false << true << 0;
        QTest::newRow("name: every other ASCII character gets in")
            << u"nome"_s << codici(32, 126, {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'})
            << QString() << true << false << 0;
        QTest::newRow("name: Latin-1 letters and signs get in")
            << u"nome"_s << codici(160, 255, {173}) << QString() << true << false << 0;
        QTest::newRow("name: control codes, Tab, Delete and the soft hyphen type nothing")
            << u"nome"_s << controllo + QList{173} << QString() << false << false << 0;
        QTest::newRow("name: Backspace erases")
            << u"nome"_s << QList{8} << u"ab"_s << false << false << 0;
        QTest::newRow("name: Enter on no name asks for it")
            << u"nome"_s << QList{13} << QString() << false << false << 1;

        QTest::newRow("answer: digits get in")
            << u"risultato"_s << codici('0', '9') << QString() << true << false << 0;
        QTest::newRow("answer: every other character beeps")
            << u"risultato"_s
            << codici(32, 126, {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}) +
                   codici(128, 255)
            << QString() << false << true << 0;
        QTest::newRow("answer: control codes beep, the clipboard's too")
            << u"risultato"_s << codici(1, 31, {8, 9, 13}) << QString() << false << true << 0;
        // NUL types nothing, Tab moves the focus, and the Delete key (which sends DEL on X11)
        // erases: none of them is a character typed.
        QTest::newRow("answer: NUL, Tab and Delete type no character")
            << u"risultato"_s << QList{0, 9, 127} << QString() << false << false << 0;
        QTest::newRow("answer: Backspace erases")
            << u"risultato"_s << QList{8} << u"12"_s << false << false << 0;
        QTest::newRow("answer: Enter on an empty box asks for the result")
            << u"risultato"_s << QList{13} << QString() << false << false << 1;
    }
    void everyKeyCode_eachBoxTakesOnlyItsCharacters()
    {
        QFETCH(QString, box);
        QFETCH(QList<int>, codes);
        QFETCH(QString, before);
        QFETCH(bool, entra);
        QFETCH(bool, beeps);
        QFETCH(int, boxes);
        apri(box);
        TextBox *c = casella(box);
        for (int codice : codes) {
            c->setText(before);
            const int suoni = banco->beeper.beeps;
            const qsizetype finestre = banco->messageBox.shown.size();
            premi(c, tastoDelCodice(codice));
            const QString atteso = entra         ? before + QChar(char16_t(codice))
                                   : codice == 8 ? before.chopped(1)
                                                 : before;
            const QByteArray dove = "code " + QByteArray::number(codice);
            const QByteArray testo = dove + ": \"" + c->text().toUtf8() + '"';
            QVERIFY2(c->text() == atteso, testo.constData());
            QVERIFY2(banco->beeper.beeps - suoni == (beeps ? 1 : 0), dove.constData());
            QVERIFY2(banco->messageBox.shown.size() - finestre == boxes, dove.constData());
        }
    }

    void limits_boxesKeepWholeCharactersUpToTheirSize_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("via"); // typed, pasted, Shift+Insert, dropped, composed
        QTest::addColumn<QString>("after");

        const QString quindici = ripeti(u"a"_s, 15);
        const QString quattordici = ripeti(u"a"_s, 14);
        QTest::newRow("name: twenty letters pasted, fifteen kept")
            << u"nome"_s << QString() << ripeti(u"b"_s, 20) << u"pasted"_s << ripeti(u"b"_s, 15);
        QTest::newRow("name: a sixteenth letter typed is refused")
            << u"nome"_s << quindici << u"b"_s << u"typed"_s << quindici;
        QTest::newRow("name: sixteen emoji pasted, fifteen whole kept")
            << u"nome"_s << QString() << ripeti(u"😀"_s, 16) << u"pasted"_s << ripeti(u"😀"_s, 15);
        QTest::newRow("name: an emoji typed in the fifteenth place")
            << u"nome"_s << quattordici << u"😀"_s << u"typed"_s << quattordici + u"😀"_s;
        QTest::newRow("name: an emoji typed past fifteen is refused whole")
            << u"nome"_s << quindici << u"😀"_s << u"typed"_s << quindici;
        QTest::newRow("name: an emoji pasted past fifteen is dropped whole")
            << u"nome"_s << quattordici << u"x😀"_s << u"pasted"_s << quattordici + u"x"_s;
        QTest::newRow("name: pasted line breaks and tabs are dropped")
            << u"nome"_s << QString() << u"Mario\nRossi\t\r"_s << u"pasted"_s << u"MarioRossi"_s;
        QTest::newRow("name: pasted markup is kept, digits dropped as typing drops them")
            << u"nome"_s << QString() << u"R2<b>D2</b>"_s << u"pasted"_s << u"R<b>D</b>"_s;
        QTest::newRow("name: digits by Shift+Insert")
            << u"nome"_s << u"Ada"_s << u"7 8"_s << u"Shift+Insert"_s << u"Ada "_s;
        QTest::newRow("name: digits dropped onto it")
            << u"nome"_s << u"Ada"_s << u"99"_s << u"dropped"_s << u"Ada"_s;
        QTest::newRow("name: digits from an input method")
            << u"nome"_s << u"Ada"_s << u"5é"_s << u"composed"_s << u"Adaé"_s;
        QTest::newRow("name: a line separator pasted is dropped")
            << u"nome"_s << QString() << u"Mario\u2028Rossi\u2029"_s << u"pasted"_s
            << u"MarioRossi"_s;
        QTest::newRow("name: direction overrides and marks pasted are dropped")
            << u"nome"_s << QString() << u"\u202Eissor oiram\u202C\u200F"_s << u"pasted"_s
            << u"issor oiram"_s;
        QTest::newRow("name: a zero-width space dropped onto it")
            << u"nome"_s << u"Ada"_s << u"\u200B\uFEFFx"_s << u"dropped"_s << u"Adax"_s;
        QTest::newRow("name: a thousand Chinese characters, fifteen kept")
            << u"nome"_s << QString() << ripeti(u"中"_s, 1000) << u"pasted"_s
            << ripeti(u"中"_s, 15);
        QTest::newRow("name: a lone surrogate never gets in")
            << u"nome"_s << QString() << u"a\xd83d"_s << u"pasted"_s << u"a"_s;

        QTest::newRow("answer: a third digit typed is refused")
            << u"risultato"_s << u"12"_s << u"3"_s << u"typed"_s << u"12"_s;
        QTest::newRow("answer: three digits pasted, two kept")
            << u"risultato"_s << QString() << u"123"_s << u"pasted"_s << u"12"_s;
        QTest::newRow("answer: a digit and an emoji pasted, the emoji dropped")
            << u"risultato"_s << QString() << u"1😀"_s << u"pasted"_s << u"1"_s;
        QTest::newRow("answer: letters and a digit by Shift+Insert")
            << u"risultato"_s << QString() << u"ab7"_s << u"Shift+Insert"_s << u"7"_s;
        QTest::newRow("answer: an emoji and a digit dropped onto it")
            << u"risultato"_s << QString() << u"😀7"_s << u"dropped"_s << u"7"_s;
        QTest::newRow("answer: an input method's letters")
            << u"risultato"_s << u"1"_s << u"é2"_s << u"composed"_s << u"12"_s;
        QTest::newRow("answer: a line separator pasted never reaches the stored line")
            << u"risultato"_s << QString() << u"4\u2028"_s << u"pasted"_s << u"4"_s;
        QTest::newRow("answer: an emoji pasted after two digits is dropped whole")
            << u"risultato"_s << u"1"_s << u"2😀"_s << u"pasted"_s << u"12"_s;
        QTest::newRow("answer: a line break pasted after a digit is dropped")
            << u"risultato"_s << QString() << u"7\n"_s << u"pasted"_s << u"7"_s;
        QTest::newRow("answer: five thousand letters, none kept")
            << u"risultato"_s << QString() << ripeti(u"ж"_s, 5000) << u"pasted"_s << QString();
    }
    void limits_boxesKeepWholeCharactersUpToTheirSize()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(QString, via);
        QFETCH(QString, after);
        apri(box);
        TextBox *c = casella(box);
        c->setText(before);
        c->setFocus();
        c->end(false);
        const int suoni = banco->beeper.beeps;
        if (via == u"typed") {
            digita(c, text);
        } else if (via == u"pasted") {
            QGuiApplication::clipboard()->setText(text);
            c->paste();
        } else if (via == u"Shift+Insert") {
            QGuiApplication::clipboard()->setText(text);
            premi(c, {Qt::Key_Insert, Qt::ShiftModifier, QString()});
        } else if (via == u"dropped") {
            QMimeData dati;
            dati.setText(text);
            const QPointF dove(c->width() - 2, c->height() / 2);
            QDragEnterEvent entra(dove.toPoint(), Qt::CopyAction, &dati, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(c, &entra);
            QDropEvent lascia(dove, Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(c, &lascia);
        } else {
            QInputMethodEvent composto;
            composto.setCommitString(text);
            QApplication::sendEvent(c, &composto);
        }
        QCOMPARE(c->text(), after);
        QVERIFY(c->text().isValidUtf16());
        QCOMPARE(banco->beeper.beeps, suoni);
        if (box == u"risultato")
            QCOMPARE(banco->stato.RispostaData, after);
    }

    void lockedBox_takesNoPaste()
    {
        apri(u"risultato"_s);
        banco->rispondi(true);
        TextBox *c = casella(u"risultato"_s);
        const QString prima = c->text();
        const QString riga = banco->stato.Operazioni[1];
        QVERIFY(c->isLocked());
        QGuiApplication::clipboard()->setText(u"99"_s);
        digita(c, QString(QChar(22)));
        c->paste();
        QCOMPARE(c->text(), prima);
        QCOMPARE(banco->stato.Operazioni[1], riga);
    }

    void nameToCertificate_recasedOnceWithEveryCharacterWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("accented, typed") << u"élodie"_s << true << u"Élodie"_s;
        QTest::newRow("accented capitals") << u"ÉLODIE"_s << false << u"Élodie"_s;
        QTest::newRow("decomposed accent stays on its letter")
            << u"e\u0301lodie"_s << false << u"E\u0301lodie"_s;
        QTest::newRow("Greek") << u"ωμέγα"_s << true << u"Ωμέγα"_s;
        QTest::newRow("sharp s has no single capital") << u"ßtraße"_s << false << u"ßtraße"_s;
        QTest::newRow("emoji first, typed") << u"😀ada"_s << true << u"😀ada"_s;
        QTest::newRow("fifteen emoji, none split")
            << ripeti(u"🐱"_s, 15) << false << ripeti(u"🐱"_s, 15);
        QTest::newRow("a letter beyond the BMP is raised whole") << u"𐐨𐐯"_s << false << u"𐐀𐐯"_s;
        QTest::newRow("a flag of two characters") << u"🇮🇹 ada"_s << false << u"🇮🇹 ada"_s;
        QTest::newRow("fifteen dotted capital I stay fifteen")
            << ripeti(u"İ"_s, 15) << false << ripeti(u"İ"_s, 15);
    }
    void nameToCertificate_recasedOnceWithEveryCharacterWhole()
    {
        QFETCH(QString, name);
        QFETCH(bool, typed);
        QFETCH(QString, shown);
        banco->programma.avvia();
        FrmInizio1 &inizio = banco->programma.inizio();
        TextBox *c = inizio.textBox("txtNome");
        if (typed)
            digita(c, name);
        else
            c->setText(name);
        QTest::mouseClick(inizio.button("cmdAvanti"), Qt::LeftButton);
        QTest::mouseClick(inizio.button("Command1"), Qt::LeftButton);
        banco->esegui(10, 10);
        FrmAttestato &attestato = banco->programma.attestato();
        attestato.show();
        QVERIFY(QTest::qWaitForWindowActive(attestato.window()));
        QCOMPARE(attestato.label("lblNome")->text(), shown);
        QCOMPARE(banco->stato.NomeAlunno, shown);
        // A second activation re-cases the re-cased name: nothing changes.
        banco->operativo().window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(banco->operativo().window()));
        attestato.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(attestato.window()));
        QCOMPARE(attestato.label("lblNome")->text(), shown);
    }
};

QTEST_MAIN(TestSweep)
#include "test_sweep.moc"
