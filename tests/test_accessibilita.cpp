#include "Banco.h"

#include "exercise/Operazione.h"
#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"

#include <QAccessible>
#include <QtTest>

#include <memory>

using namespace Qt::StringLiterals;

// What a screen reader and a keyboard get from the screens, read through Qt's accessibility
// interfaces.

namespace {

QString accessibile(QWidget *w, QAccessible::Text testo)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(testo) : QString();
}

// The script that makes the operation of the mixed activity, range 1..20, be of type `tipo` with
// a = 7 and b = 5; the screen draws the addends once before the type and once after it.
void copione(ScriptedRandom &random, int tipo)
{
    const double a = (7 - 1 + 0.5) / 20.0;
    const double b = (5 - 1 + 0.5) / 20.0;
    for (double r : {a, b, (tipo - 0.5) / 12.0, a, b})
        random.script.push_back(r);
}

// The first operation of the sign activity, range 1..10, is 7 + 3 ? 10, answered "=".
void copioneSegno(ScriptedRandom &random)
{
    const double a = (7 - 1 + 0.5) / 10.0;
    const double b = (3 - 1 + 0.5) / 10.0;
    for (double r : {a, b, 0.5 / 6.0, a, b})
        random.script.push_back(r);
}

// What a screen reader hears as the focus moves: the name and description of the control the
// focus reaches, read as the focus gets there (Qt tells assistive technology of the focus as
// it gives it).
class Orecchio : public QObject
{
public:
    QStringList sentito;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::FocusIn && o->isWidgetType()) {
            auto *w = static_cast<QWidget *>(o);
            sentito.append(w->objectName() + u": "_s + accessibile(w, QAccessible::Name) +
                           u" / "_s + accessibile(w, QAccessible::Description));
        }
        return false;
    }
};

// Whether a control shows on screen, where a screen reader reads it.
bool parla(QAccessibleInterface *i)
{
    return !i->state().invisible && i->object() && i->object()->isWidgetType();
}

// Reads a container as a screen reader goes through it: each visible child in order, none of
// them standing wholly above one read before it in the same column, none of them decoration (a
// picture, shape or disabled button with nothing to say, a frame whose title is a dot).
void leggi(QAccessibleInterface *contenitore, QStringList &letti)
{
    QList<std::pair<QString, QRect>> prima;
    for (int n = 0; n < contenitore->childCount(); ++n) {
        QAccessibleInterface *i = contenitore->child(n);
        if (!i || !parla(i))
            continue;
        const QRect r = i->rect();
        const QString chi = i->object()->objectName() + u'(' +
                            QString::fromLatin1(i->object()->metaObject()->className()) +
                            QStringLiteral(" at %1,%2)").arg(r.x()).arg(r.y());
        const QString nome = i->text(QAccessible::Name);
        for (const auto &[sotto, p] : prima)
            QVERIFY2(r.bottom() >= p.top() || r.right() < p.left() || r.left() > p.right(),
                     qPrintable(chi + u" read after "_s + sotto + u", which stands below it"_s));
        prima.append({chi, r});
        const bool testo = i->role() == QAccessible::StaticText ||
                           i->role() == QAccessible::Separator ||
                           i->role() == QAccessible::EditableText;
        static const QRegularExpression parola(u"\\w"_s);
        QVERIFY2(testo || nome.isEmpty() || nome.contains(parola),
                 qPrintable(chi + u" says "_s + nome));
        QVERIFY2(i->childCount() > 0 || testo || !nome.isEmpty(),
                 qPrintable(chi + u" has no name"_s));
        letti.append(i->object()->objectName());
        leggi(i, letti);
    }
}

} // namespace

class TestAccessibilita : public QObject
{
    Q_OBJECT

    std::unique_ptr<Banco> banco;

    Form &form(const QString &nome)
    {
        Programma &p = banco->programma;
        if (nome == u"FrmInizio1")
            return p.inizio();
        if (nome == u"frmOperativoPiu")
            return p.operativo();
        if (nome == u"FrmStampaPiu")
            return p.stampa();
        return p.attestato();
    }

    QWidget *fuoco() { return QApplication::focusWidget(); }

    // What the screen shows of an answer given, to compare a key with a click.
    QStringList esito()
    {
        frmOperativoPiù &f = banco->operativo();
        QStringList v{f.label("lblSegno2")->text(), banco->stato.RispostaData,
                      f.label("LblIstruzione")->text()};
        for (Controllo c : pulsantiDiStato)
            v.append(banco->visibile(frmOperativoPiù::nome(c)) ? u"shown"_s : u"hidden"_s);
        v.append(fuoco() ? fuoco()->objectName() : QString());
        return v;
    }

private slots:
    void init() { banco = std::make_unique<Banco>(); }
    void cleanup() { banco.reset(); }

    void nome_givesEachControlItsSpokenName_data()
    {
        QTest::addColumn<QString>("schermo");
        QTest::addColumn<QString>("controllo");
        QTest::addColumn<QString>("nome");
        // clang-format off
        const char16_t *righe[][3] = {
            {u"FrmInizio1", u"txtNome", u"Il tuo nome"},
            {u"FrmInizio1", u"cmdAvanti", u"Avanti"},
            {u"FrmInizio1", u"cmdFine", u"Esci"},
            {u"FrmInizio1", u"Command1", u"Numero max da 1 a 10"},
            {u"FrmInizio1", u"Command6", u"Numero max da 10 a 99"},
            {u"FrmInizio1", u"Command7", u"Esci"},
            {u"frmOperativoPiu", u"TxtRisultato", u"Risultato"},
            // Nothing to say: not the title of the frame they stand in.
            {u"frmOperativoPiu", u"LblTempoParziale", u""},
            {u"frmOperativoPiu", u"LblTempoTotale", u""},
            {u"frmOperativoPiu", u"Line1", u""},
            {u"frmOperativoPiu", u"Line4", u""},
            {u"frmOperativoPiu", u"LblSi", u""},
            {u"frmOperativoPiu", u"LblNo", u""},
            {u"frmOperativoPiu", u"Image3", u"uguale"},
            {u"frmOperativoPiu", u"Image4", u"minore"},
            {u"frmOperativoPiu", u"Image5", u"maggiore"},
            {u"frmOperativoPiu", u"CmdVerifica", u"Verifica"},
            {u"frmOperativoPiu", u"CmdOperazione", u"Nuova operazione"},
            {u"frmOperativoPiu", u"CmdEsercizio", u"Nuovo esercizio"},
            {u"frmOperativoPiu", u"CmdStampa", u"Visualizza e stampa le operazioni"},
            {u"frmOperativoPiu", u"CmdFine", u"Esci"},
            {u"FrmStampaPiu", u"Command1", u"Esci"},
            {u"FrmStampaPiu", u"cmdStampaS", u"Stampa le operazioni"},
            {u"FrmStampaPiu", u"Command2", u"Stampa l'attestato"},
            {u"FrmAttestato", u"Command2", u"Stampa l'attestato"},
            {u"FrmAttestato", u"CmdFine", u"Esci"},
            {u"FrmAttestato", u"Command1", u"Fine sessione"},
        };
        // clang-format on
        for (const auto &riga : righe) {
            const QString schermo = QString::fromUtf16(riga[0]);
            const QString controllo = QString::fromUtf16(riga[1]);
            QTest::newRow(qPrintable(schermo + u' ' + controllo))
                << schermo << controllo << QString::fromUtf16(riga[2]);
        }
    }
    void nome_givesEachControlItsSpokenName()
    {
        QFETCH(QString, schermo);
        QFETCH(QString, controllo);
        QFETCH(QString, nome);
        banco->avvia(2, 1);
        QWidget *w = form(schermo).control(controllo.toLatin1().constData());
        QCOMPARE(accessibile(w, QAccessible::Name), nome);
    }

    // The list says what it is for; on Unix Qt names it by the activity chosen.
    void combo_diceLAttivita()
    {
        banco->avvia(1, 0);
        QWidget *combo = banco->programma.inizio().control("Combo1");
        QCOMPARE(accessibile(combo, QAccessible::Description), u"Attività"_s);
        QVERIFY(QStringList({u"Attività"_s, u"Calcolo del segno = < >"_s})
                    .contains(accessibile(combo, QAccessible::Name)));
    }

    void ogniControlloRaggiungibile_haUnNomeLeggibile_data()
    {
        QTest::addColumn<QString>("schermo");
        for (const char *s : {"FrmInizio1", "frmOperativoPiu", "FrmStampaPiu", "FrmAttestato"})
            QTest::newRow(s) << QString::fromLatin1(s);
    }
    // Every control the Tab key reaches has a name a screen reader says as words: no letters
    // spaced out as "V e r i f i c a ", no capitals that get spelt.
    void ogniControlloRaggiungibile_haUnNomeLeggibile()
    {
        QFETCH(QString, schermo);
        banco->avvia(2, 1);
        Form &f = form(schermo);
        const QRegularExpression spaziate(u"^(\\S ){2,}"_s);
        const QRegularExpression maiuscole(u"\\p{Lu}{3,}"_s);
        for (const ControlDef &def : f.definition().controls) {
            QWidget *w = f.control(def.name);
            if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
                continue;
            const QString nome = accessibile(w, QAccessible::Name).trimmed();
            QVERIFY2(!nome.isEmpty(), def.name);
            QVERIFY2(!spaziate.match(nome).hasMatch(), def.name);
            QVERIFY2(!maiuscole.match(nome).hasMatch(), def.name);
        }
    }

    void frase_namesTheOperationAndItsAnswerPlaces_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("frase");
        QTest::newRow("type 1, ? + a = s") << 1 << u"? più 7 uguale 12"_s;
        QTest::newRow("type 2, a + ? = s") << 2 << u"7 più ? uguale 12"_s;
        QTest::newRow("type 3, a + b = ?") << 3 << u"7 più 5 uguale ?"_s;
        QTest::newRow("type 4, ? = a + b") << 4 << u"? uguale 7 più 5"_s;
        QTest::newRow("type 5, s = ? + b") << 5 << u"12 uguale ? più 5"_s;
        QTest::newRow("type 6, s = b + ?") << 6 << u"12 uguale 5 più ?"_s;
        QTest::newRow("type 7, a + b = s") << 7 << u"7 più 5 ? 12"_s;
        QTest::newRow("type 8, a + b > s - 1") << 8 << u"7 più 5 ? 11"_s;
        QTest::newRow("type 9, a + b < s + 1") << 9 << u"7 più 5 ? 13"_s;
        QTest::newRow("type 10, s = a + b") << 10 << u"12 ? 7 più 5"_s;
        QTest::newRow("type 11, s + 1 > a + b") << 11 << u"13 ? 7 più 5"_s;
        QTest::newRow("type 12, s - 1 < b + a") << 12 << u"11 ? 5 più 7"_s;
    }
    // The frame of the operation is named by it as a sentence, and the places where the child
    // answers describe themselves with it.
    void frase_namesTheOperationAndItsAnswerPlaces()
    {
        QFETCH(int, tipo);
        QFETCH(QString, frase);
        QCOMPARE(::frase(*tipoOp(tipo), 7, 5), frase);

        copione(banco->random, tipo);
        banco->avvia(2, 1);
        QCOMPARE(banco->stato.TipoOperazione, tipo);
        frmOperativoPiù &f = banco->operativo();
        const bool numero = tipo <= 6;
        QWidget *riquadro = f.control(numero ? "frmNumero" : "frmSegno");
        QVERIFY(riquadro->isVisible());
        QCOMPARE(accessibile(riquadro, QAccessible::Name), frase);
        const QList<const char *> risposte =
            numero ? QList<const char *>{"TxtRisultato"}
                   : QList<const char *>{"Image3", "Image4", "Image5"};
        for (const char *risposta : risposte)
            QCOMPARE(accessibile(f.control(risposta), QAccessible::Description), frase);
        // Going through the frame's controls, a screen reader meets them left to right.
        QList<QObject *> posti;
        for (const Posto &p : tipoOp(tipo)->posti)
            posti.append(f.control(frmOperativoPiù::nome(p.controllo)));
        QList<QObject *> letti;
        QAccessibleInterface *cornice = QAccessible::queryAccessibleInterface(riquadro);
        for (int i = 0; i < cornice->childCount(); ++i)
            if (QObject *o = cornice->child(i)->object(); posti.contains(o))
                letti.append(o);
        QCOMPARE(letti, posti);

        // The next operation brings its own sentence.
        banco->rispondi(true);
        copione(banco->random, tipo % 12 + 1);
        banco->avanti();
        const bool poiNumero = tipo % 12 + 1 <= 6;
        QCOMPARE(accessibile(f.control(poiNumero ? "frmNumero" : "frmSegno"), QAccessible::Name),
                 ::frase(*tipoOp(tipo % 12 + 1), 7, 5));
    }

    void verdetto_arrivaColFuoco_data()
    {
        QTest::addColumn<int>("attivita");
        QTest::addColumn<bool>("giusta");
        QTest::addColumn<int>("operazioni"); // the operation checked: 10 ends the exercise
        QTest::addColumn<QString>("fuoco");
        QTest::newRow("number, right") << 0 << true << 1 << u"CmdOperazione"_s;
        QTest::newRow("number, wrong") << 0 << false << 1 << u"CmdOperazione"_s;
        QTest::newRow("sign, right") << 1 << true << 1 << u"CmdOperazione"_s;
        QTest::newRow("sign, wrong") << 1 << false << 1 << u"CmdOperazione"_s;
        QTest::newRow("tenth, right") << 0 << true << 10 << u"CmdEsercizio"_s;
    }
    // Right after a check, with no key pressed after Enter, a screen reader hears the verdict
    // with the control the focus goes to; the verdict's label says it as a word.
    void verdetto_arrivaColFuoco()
    {
        QFETCH(int, attivita);
        QFETCH(bool, giusta);
        QFETCH(int, operazioni);
        QFETCH(QString, fuoco);
        banco->avvia(attivita, 0);
        frmOperativoPiù &f = banco->operativo();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        banco->esegui(operazioni - 1, 0);
        if (operazioni > 1)
            banco->avanti();

        const QString esatta = banco->stato.RispostaEsatta;
        if (attivita == 0) {
            QTest::keyClicks(this->fuoco(),
                             giusta ? esatta : QString::number((esatta.toInt() + 1) % 100));
        } else {
            const QString segno = giusta ? esatta : esatta == u"="_s ? u"<"_s : u"="_s;
            QTest::keyClick(this->fuoco(), segno.at(0).toLatin1());
        }
        Orecchio orecchio;
        qApp->installEventFilter(&orecchio);
        QTest::keyClick(this->fuoco(), Qt::Key_Return);

        const QString verdetto = giusta ? u"Esatto"_s : u"Errato"_s;
        QVERIFY(!orecchio.sentito.isEmpty());
        QCOMPARE(orecchio.sentito.last(),
                 fuoco + u": "_s + accessibile(f.control(qPrintable(fuoco)), QAccessible::Name) +
                     u" / "_s + verdetto);
        QCOMPARE(accessibile(f.control("LblEsito"), QAccessible::Name), verdetto);

        // The next operation is heard as the focus reaches its answer place, and no verdict
        // with it.
        banco->avanti();
        QWidget *risposta = this->fuoco();
        const QString frase =
            accessibile(f.control(attivita == 0 ? "frmNumero" : "frmSegno"), QAccessible::Name);
        QCOMPARE(orecchio.sentito.last(), risposta->objectName() + u": "_s +
                                              accessibile(risposta, QAccessible::Name) + u" / "_s +
                                              frase);
        QCOMPARE(accessibile(f.control("LblEsito"), QAccessible::Name), QString());
    }

    void lettura_dallAltoInBasso_data()
    {
        QTest::addColumn<QString>("schermo");
        QTest::addColumn<int>("attivita");
        QTest::newRow("FrmInizio1") << u"FrmInizio1"_s << 0;
        QTest::newRow("frmOperativoPiu, number") << u"frmOperativoPiu"_s << 0;
        QTest::newRow("frmOperativoPiu, sign") << u"frmOperativoPiu"_s << 1;
        QTest::newRow("FrmStampaPiu") << u"FrmStampaPiu"_s << 0;
        QTest::newRow("FrmAttestato") << u"FrmAttestato"_s << 0;
    }
    // A screen reader reads each screen's client area as it shows, top to bottom and left to
    // right (a list in columns column by column), and decoration says nothing.
    void lettura_dallAltoInBasso()
    {
        QFETCH(QString, schermo);
        QFETCH(int, attivita);
        banco->avvia(attivita, 0);
        banco->esegui(10, 10);
        Form &f = form(schermo);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window()));
        QStringList letti;
        leggi(QAccessible::queryAccessibleInterface(f.window()->centralWidget()), letti);
        if (QTest::currentTestFailed())
            qInfo() << letti;
        if (schermo == u"frmOperativoPiu") {
            // The instruction under the heading, the status line last.
            QCOMPARE(letti.indexOf(u"Label1"_s), letti.indexOf(u"Label2"_s) + 1);
            QCOMPARE(letti.last(), u"LblIstruzione"_s);
        }
    }

    // The sign pictures are buttons: reached with Tab from the first one, which has the focus
    // when the operation shows, pressed with Space or through their press action.
    void immaginiSegno_sonoPulsanti()
    {
        banco->avvia(1, 0);
        frmOperativoPiù &f = banco->operativo();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QCOMPARE(fuoco(), f.control("Image3"));
        for (const char *immagine : {"Image3", "Image4", "Image5"}) {
            QAccessibleInterface *i = QAccessible::queryAccessibleInterface(f.control(immagine));
            QCOMPARE(i->role(), QAccessible::Button);
            QVERIFY(i->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()));
        }
        QTest::keyClick(fuoco(), Qt::Key_Tab);
        QCOMPARE(accessibile(fuoco(), QAccessible::Name), u"minore"_s);
        QTest::keyClick(fuoco(), Qt::Key_Space);
        QCOMPARE(f.label("lblSegno2")->text(), u"<"_s);
        QCOMPARE(fuoco(), f.control("CmdVerifica"));

        QAccessible::queryAccessibleInterface(f.control("Image5"))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(f.label("lblSegno2")->text(), u">"_s);
        QCOMPARE(banco->stato.RispostaData, u">"_s);

        // The picture on the start screen is only a picture.
        QCOMPARE(QAccessible::queryAccessibleInterface(banco->programma.inizio().control("Image1"))
                     ->role(),
                 QAccessible::Graphic);
    }

    void tastoSegno_comeIlClic_data()
    {
        QTest::addColumn<char>("tasto");
        QTest::addColumn<QString>("immagine");
        QTest::addColumn<bool>("dalPulsante"); // typed with the focus on "Esci", not a picture
        QTest::newRow("= on the picture") << '=' << u"Image3"_s << false;
        QTest::newRow("< on the picture") << '<' << u"Image4"_s << false;
        QTest::newRow("> on the picture") << '>' << u"Image5"_s << false;
        QTest::newRow("= on Esci") << '=' << u"Image3"_s << true;
        QTest::newRow("> on Esci") << '>' << u"Image5"_s << true;
    }
    // A sign typed anywhere on the screen picks it exactly as a click on its picture does; the
    // check that follows counts it the same way.
    void tastoSegno_comeIlClic()
    {
        QFETCH(char, tasto);
        QFETCH(QString, immagine);
        QFETCH(bool, dalPulsante);

        copioneSegno(banco->random);
        banco->avvia(1, 0);
        frmOperativoPiù &f = banco->operativo();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QTest::mouseClick(f.picture(immagine.toLatin1().constData()), Qt::LeftButton);
        const QStringList clic = esito();
        QTest::mouseClick(f.button("CmdVerifica"), Qt::LeftButton);
        const QString rigaClic = banco->stato.Operazioni[1];

        banco = std::make_unique<Banco>();
        copioneSegno(banco->random);
        banco->avvia(1, 0);
        frmOperativoPiù &g = banco->operativo();
        QVERIFY(QTest::qWaitForWindowActive(g.window()));
        if (dalPulsante)
            g.button("CmdFine")->setFocus();
        QTest::keyClick(fuoco(), tasto);
        QCOMPARE(esito(), clic);
        QTest::keyClick(fuoco(), Qt::Key_Space);
        QCOMPARE(banco->stato.Operazioni[1], rigaClic);
        QCOMPARE(banco->stato.RisposteEsatte, tasto == '=' ? 1 : 0);
    }

    // On a find-the-number operation the signs are keys like any other: the answer box refuses
    // them with a beep, and nothing is picked.
    void tastoSegno_suOperazioneNumero_nonSceglie()
    {
        banco->avvia(0, 0);
        frmOperativoPiù &f = banco->operativo();
        QVERIFY(QTest::qWaitForWindowActive(f.window()));
        QCOMPARE(fuoco(), f.control("TxtRisultato"));
        for (char tasto : {'=', '<', '>'})
            QTest::keyClick(fuoco(), tasto);
        QCOMPARE(banco->beeper.beeps, 3);
        QCOMPARE(f.label("lblSegno2")->text(), QString());
        QCOMPARE(banco->stato.RispostaData, QString());
        QVERIFY(!banco->visibile("CmdVerifica"));
    }
};

QTEST_MAIN(TestAccessibilita)
#include "test_accessibilita.moc"
