#include "Soak.h"

#include "Banco.h"

#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/Testi.h"
#include "session/ui/FrmAutore.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QWindow>
#include <QtTest>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t memoria = 50; // events kept for the report of a fault

// Text a child might have on the clipboard or type with another keyboard layout.
const QString &speciale(int i)
{
    static const std::array<QString, 16> testi{
        u"ä"_s,  u"ß"_s,       u"Ж"_s,      u"ω"_s,
        u"中"_s, u"ب"_s,       u"😀"_s,      u"👍🏽"_s,
        u"🇮🇹"_s, u"e\u0301"_s, u"\u200d"_s, u"\U0001F9D1\u200D\U0001F3EB"_s,
        u"ﬁ"_s,  u"İ"_s,       u"\u202e"_s, u"𝟘"_s};
    return testi[static_cast<std::size_t>(i) % testi.size()];
}
constexpr int speciali = 16;

bool valida(const QString &t)
{
    if (!t.isValidUtf16())
        return false;
    for (QChar c : t)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

qsizetype caratteri(const QString &t)
{
    return t.toUcs4().size();
}

// The five forms of a run, in a fixed order.
std::array<Form *, 5> forme(Programma &p)
{
    return {&p.inizio(), &p.operativo(), &p.stampa(), &p.attestato(), &p.autore()};
}

bool aperta(Form *f)
{
    return f->isLoaded() && f->window()->isVisible();
}

QString nomeDi(const QWidget *w)
{
    if (!w)
        return u"-"_s;
    const QString nome = w->objectName().isEmpty()
                             ? QString::fromLatin1(w->metaObject()->className())
                             : w->objectName();
    return w->window()->objectName() + u'/' + nome;
}

// The controls whose click ends the program at once.
bool chiudeProgramma(const QWidget *w)
{
    if (!w)
        return false;
    const QString form = w->window()->objectName();
    return (form == u"FrmInizio1" && w->objectName() == u"cmdFine") ||
           (form == u"FrmAttestato" && w->objectName() == u"Command1");
}

struct Mostrato
{
    const char *nome;
    Controllo controllo;
};

// The captions the exercise screen copies from its model.
constexpr std::array<Mostrato, 15> didascalie{{
    {"Label2", Controllo::Label2},
    {"LblIstruzione", Controllo::LblIstruzione},
    {"LblEsito", Controllo::LblEsito},
    {"LblSi", Controllo::LblSi},
    {"LblNo", Controllo::LblNo},
    {"LblNumero1", Controllo::LblNumero1},
    {"LblNumero2", Controllo::LblNumero2},
    {"lblNumero4", Controllo::lblNumero4},
    {"lblNumero6", Controllo::lblNumero6},
    {"LblNumero8", Controllo::LblNumero8},
    {"lblSegno2", Controllo::lblSegno2},
    {"LblEsercizio", Controllo::LblEsercizio},
    {"LblOperazione", Controllo::LblOperazione},
    {"LblTempoParziale", Controllo::LblTempoParziale},
    {"LblTempoTotale", Controllo::LblTempoTotale},
}};

constexpr std::array<Mostrato, 7> visibili{{
    {"CmdVerifica", Controllo::CmdVerifica},
    {"CmdOperazione", Controllo::CmdOperazione},
    {"CmdEsercizio", Controllo::CmdEsercizio},
    {"CmdFine", Controllo::CmdFine},
    {"CmdStampa", Controllo::CmdStampa},
    {"frmNumero", Controllo::frmNumero},
    {"frmSegno", Controllo::frmSegno},
}};

// The stars of a count: as many as the count, one blank apart; none for 0.
QString stelle(int n)
{
    QString t;
    for (int i = 0; i < n; ++i)
        t += i == 0 ? u"*"_s : u" *"_s;
    return t;
}

const char *nomeStato(StatoEsercizio s)
{
    switch (s) {
    case StatoEsercizio::Fresco:
        return "Fresco";
    case StatoEsercizio::Ripartenza:
        return "Ripartenza";
    case StatoEsercizio::Attesa:
        return "Attesa";
    case StatoEsercizio::Risposto:
        return "Risposto";
    case StatoEsercizio::Verificato:
        return "Verificato";
    case StatoEsercizio::EsercizioFinito:
        return "EsercizioFinito";
    }
    return "?";
}

// The offscreen platform warns each time a window is raised or resized to its contents; a soak
// does that thousands of times. Every other message goes through.
QtMessageHandler gestorePrecedente = nullptr;
void filtraMessaggi(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtWarningMsg && testo.startsWith(u"This plugin does not support"))
        return;
    gestorePrecedente(tipo, contesto, testo);
}

} // namespace

Tasto tastoDelCodice(int codice)
{
    const QString testo(QChar(static_cast<char16_t>(codice)));
    switch (codice) {
    case 8:
        return {Qt::Key_Backspace, Qt::NoModifier, testo};
    case 9:
        return {Qt::Key_Tab, Qt::NoModifier, testo};
    case 13:
        return {Qt::Key_Return, Qt::NoModifier, testo};
    case 27:
        return {Qt::Key_Escape, Qt::NoModifier, testo};
    case 127:
        return {Qt::Key_Delete, Qt::NoModifier, testo};
    default:
        break;
    }
    if (codice == 0)
        return {Qt::Key_At, Qt::ControlModifier, testo};
    if (codice < 27)
        return {Qt::Key_A + codice - 1, Qt::ControlModifier, testo};
    if (codice < 32) {
        static constexpr int tasti[] = {Qt::Key_Backslash, Qt::Key_BracketRight,
                                        Qt::Key_AsciiCircum, Qt::Key_Underscore};
        return {tasti[codice - 28], Qt::ControlModifier, testo};
    }
    if (codice < 128) {
        const QChar c(static_cast<char16_t>(codice));
        const bool maiuscola = c.isUpper();
        return {c.toUpper().unicode(), maiuscola ? Qt::ShiftModifier : Qt::NoModifier, testo};
    }
    if (codice < 160)
        return {Qt::Key_unknown, Qt::NoModifier, testo};
    // Qt names the Latin-1 keys by their upper-case letter.
    const char16_t alta = QChar(static_cast<char16_t>(codice)).toUpper().unicode();
    return {alta <= 0xff ? alta : codice, Qt::NoModifier, testo};
}

Riga esaminaRiga(const QString &riga)
{
    // A number in two columns: a blank and one digit, or two digits (three for 100).
    static const QString n = u"( [1-9]|[1-9][0-9]{1,2})"_s;
    enum class Nascosto { Secondo, SommaMenoPrimo, Somma, PrimoMenoSecondo, Segno, SegnoInverso };
    struct Forma
    {
        QRegularExpression re;
        Nascosto nascosto;
    };
    const auto forma = [](const QString &modello, Nascosto nascosto) {
        QString re = modello;
        re.replace(u"N"_s, n);
        return Forma{QRegularExpression(u'^' + re), nascosto};
    };
    static const std::array<Forma, 8> forme{
        forma(u" \\. \\+ N = N"_s, Nascosto::SommaMenoPrimo),   // type 1
        forma(u"N \\+  \\. = N"_s, Nascosto::SommaMenoPrimo),   // type 2
        forma(u"N \\+ N = \\. "_s, Nascosto::Somma),            // type 3
        forma(u" \\. = N \\+ N"_s, Nascosto::Somma),            // type 4
        forma(u"N =  \\. \\+ N"_s, Nascosto::PrimoMenoSecondo), // type 5
        forma(u"N = N \\+ \\. "_s, Nascosto::PrimoMenoSecondo), // type 6
        forma(u"N \\+ N \\. N"_s, Nascosto::Segno),             // types 7..9
        forma(u"N \\. N \\+ N"_s, Nascosto::SegnoInverso),      // types 10..12
    };
    static const QRegularExpression risposta(u"^( ?)\\((.*)\\)( ?) ([0-9]+)(\\*?)$"_s,
                                             QRegularExpression::DotMatchesEverythingOption);

    Riga r;
    for (const Forma &f : forme) {
        const QRegularExpressionMatch m = f.re.match(riga);
        if (!m.hasMatch())
            continue;
        std::array<int, 3> v{};
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            v[static_cast<std::size_t>(i - 1)] = m.captured(i).trimmed().toInt();
        QString attesa;
        bool segno = false;
        switch (f.nascosto) {
        case Nascosto::Secondo:
            attesa = QString::number(v[1]);
            break;
        case Nascosto::SommaMenoPrimo:
            attesa = QString::number(v[1] - v[0]);
            break;
        case Nascosto::Somma:
            attesa = QString::number(v[0] + v[1]);
            break;
        case Nascosto::PrimoMenoSecondo:
            attesa = QString::number(v[0] - v[1]);
            break;
        case Nascosto::Segno:
        case Nascosto::SegnoInverso: {
            segno = true;
            const int sinistra = f.nascosto == Nascosto::Segno ? v[0] + v[1] : v[0];
            const int destra = f.nascosto == Nascosto::Segno ? v[2] : v[1] + v[2];
            if (std::abs(sinistra - destra) > 1) {
                r.perche = u"the two sides differ by more than one"_s;
                return r;
            }
            attesa = sinistra == destra ? u"="_s : sinistra > destra ? u">"_s : u"<"_s;
            break;
        }
        }
        if (!segno && attesa.toInt() < 1) {
            r.perche = u"the hidden number is not a whole number from 1"_s;
            return r;
        }

        const QString resto = riga.mid(m.capturedLength());
        if (resto.isEmpty()) {
            r.valida = true;
            return r;
        }
        const QRegularExpressionMatch a = risposta.match(resto);
        if (!a.hasMatch()) {
            r.perche = u"the answer part does not read (answer) seconds"_s;
            return r;
        }
        const QString data = a.captured(2);
        if (!valida(data)) {
            r.perche = u"the answer holds a broken character or a control character"_s;
            return r;
        }
        if (segno ? data != u"="_s && data != u"<"_s && data != u">"_s : caratteri(data) > 2) {
            r.perche = u"the answer is not what the answer place can hold"_s;
            return r;
        }
        const bool bassa = segno || Val(data) < 10;
        if (a.captured(1).isEmpty() == bassa) {
            r.perche = u"the blank before the answer does not follow its value"_s;
            return r;
        }
        bool ok = false;
        r.secondi = a.captured(4).toInt(&ok);
        if (!ok || QString::number(r.secondi) != a.captured(4)) {
            r.perche = u"the seconds are not a whole number"_s;
            return r;
        }
        if (a.captured(3).isEmpty() == (r.secondi < 10)) {
            r.perche = u"the blank before the seconds does not follow their value"_s;
            return r;
        }
        r.esatta = data == attesa;
        if (a.captured(5).isEmpty() != r.esatta) {
            r.perche = u"the mark of a wrong answer disagrees with the numbers (expected "_s +
                       attesa + u')';
            return r;
        }
        r.valida = true;
        r.verificata = true;
        return r;
    }
    r.perche = u"the first part is none of the twelve types"_s;
    return r;
}

Soak::Soak(std::uint64_t seme, Indole indole) : m_seme(seme), m_stato(seme), m_indole(indole)
{
    static const bool filtro = [] {
        gestorePrecedente = qInstallMessageHandler(filtraMessaggi);
        return true;
    }();
    Q_UNUSED(filtro);
    nuovaCorsa();
}

Soak::~Soak()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_banco.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

quint64 Soak::prossimo()
{
    // splitmix64: the same events for the same seed on every machine.
    std::uint64_t z = (m_stato += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Soak::sotto(int n)
{
    return n <= 1 ? 0 : static_cast<int>(prossimo() % static_cast<std::uint64_t>(n));
}

bool Soak::caso(int percento)
{
    return sotto(100) < percento;
}

void Soak::annota(const QString &evento)
{
    m_ultimi.push_back(u'#' + QString::number(m_conteggi.eventi) + u" run " +
                       QString::number(m_conteggi.corse) + u": " + evento);
    if (m_ultimi.size() > memoria)
        m_ultimi.pop_front();
}

void Soak::nuovaCorsa()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_banco.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    m_banco = std::make_unique<Banco>(prossimo());
    Banco &b = *m_banco;
    b.clock.now = sotto(86400 * 10) / 10.0;
    b.messageBox.risponde = [this](const ScriptedMessageBox::Shown &box) {
        int risposta = MessageBox::Ok;
        if (box.style == MessageBox::SiNoInformazione)
            risposta = caso(50) ? MessageBox::Si : MessageBox::No;
        if (box.title == u"Attenzione") {
            risposta = caso(m_indole.esce) ? MessageBox::No : MessageBox::Si;
            m_fineAmmessa = m_fineAmmessa || risposta == MessageBox::No;
        }
        if (box.title == u"FINE ESERCITAZIONE") {
            ++m_conteggi.fineSeduta;
            m_sedutaMostrata = risposta == MessageBox::Si;
        }
        if (box.title == u"Attenzione")
            ++m_conteggi.rifiuti;
        annota(u"   box \""_s + box.title + u"\" answered "_s +
               (risposta == MessageBox::Si   ? u"Yes"_s
                : risposta == MessageBox::No ? u"No"_s
                                             : u"OK"_s));
        return risposta;
    };
    ++m_conteggi.corse;
    m_caricato = false;
    m_verificheCorsa = 0;
    b.programma.avvia();
    QCoreApplication::processEvents();
    annota(u"a new run: the start screen"_s);
}

bool Soak::esegui(long long n)
{
    for (long long i = 0; i < n; ++i) {
        ++m_conteggi.eventi;
        preparaEvento();
        evento();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        Banco &b = *m_banco;
        for (const auto &lavoro : b.printers.lavori) {
            if (!lavoro->pdf.isEmpty())
                continue;
            ++m_conteggi.stampe;
            m_conteggi.stampeFallite += !lavoro->inviato;
        }
        if (b.programma.attestato().isLoaded() &&
            !b.programma.attestato().label("lblRapporto")->text().isEmpty())
            ++m_conteggi.attestati;

        const QString rotto = controlla();
        if (!rotto.isEmpty()) {
            m_guasto = u"Soak fault with seed "_s + QString::number(m_seme) + u" at event "_s +
                       QString::number(m_conteggi.eventi) + u": "_s + rotto +
                       u"\nReplay: ZEF_SOAK_SEED="_s + QString::number(m_seme) +
                       u" ZEF_SOAK_EVENTS="_s + QString::number(m_conteggi.eventi) +
                       u"\nThe last events:\n"_s;
            for (const QString &e : m_ultimi)
                m_guasto += u"  "_s + e + u'\n';
            return false;
        }
        bool aperte = false;
        for (Form *f : forme(b.programma))
            aperte = aperte || f->isLoaded();
        if (b.ender.ended() || !aperte) {
            m_conteggi.fini += b.ender.ended();
            nuovaCorsa();
        }
    }
    return true;
}

void Soak::preparaEvento()
{
    Banco &b = *m_banco;
    b.messageBox.shown.clear();
    b.printers.lavori.clear();
    b.saveDialog.proposti.clear();
    b.saveDialog.risposte.clear();
    m_fineAmmessa = false;
    m_sedutaMostrata = false;

    // Mostly the seconds a child takes, sometimes a long pause, now and then most of a day.
    const int tipo = sotto(100);
    const double passo = tipo < 70   ? sotto(200) / 10.0
                         : tipo < 96 ? sotto(6000) / 10.0
                                     : sotto(900000) / 10.0;
    if (b.clock.now + passo >= 86400.0)
        ++m_conteggi.mezzanotti;
    b.clock.advance(passo);
    // Now and then the system's clock is corrected, or daylight-saving time starts or ends.
    if (caso(2))
        b.clock.setTimeOfDay(std::fmod(b.clock.now + 86400.0 + sotto(7201) - 3600, 86400.0));

    // The printer breaks down one job in four, at any step; so does the PDF now and then.
    GuastoStampante guasto;
    if (caso(25)) {
        guasto.stampaCheFallisce = sotto(4) - 1;
        guasto.fineDocFallisce = caso(50);
    }
    b.printers.guastoStampante = guasto;
    b.printers.guastoPdf =
        caso(10) ? GuastoStampante{0, true, u"Disco pieno."_s} : GuastoStampante{};
    if (caso(70))
        b.saveDialog.risposte.push_back(u"/tmp/zefirano-soak.pdf"_s);
}

void Soak::evento()
{
    const Indole &p = m_indole;
    const std::array<int, 9> pesi{p.tasti, p.incolla, p.clic,   p.esercizio, p.tab,
                                  p.menu,  p.lista,   p.chiudi, p.apri};
    int totale = 0;
    for (int w : pesi)
        totale += w;
    int scelta = sotto(totale);
    std::size_t i = 0;
    while (scelta >= pesi[i])
        scelta -= pesi[i++];
    switch (i) {
    case 0:
        return tasto();
    case 1:
        return incolla();
    case 2:
        return clic();
    case 3:
        return esercizio();
    case 4:
        return tab();
    case 5:
        return menu();
    case 6:
        return lista();
    case 7:
        return chiudi();
    default:
        return apri();
    }
}

Form *Soak::formaVisibile()
{
    QList<Form *> aperte;
    for (Form *f : forme(m_banco->programma))
        if (aperta(f))
            aperte.append(f);
    if (aperte.isEmpty())
        return nullptr;
    // The active window most of the time, as a child works where it is.
    if (QWidget *attiva = QApplication::activeWindow(); attiva && caso(50))
        for (Form *f : aperte)
            if (f->window() == attiva)
                return f;
    return aperte[sotto(static_cast<int>(aperte.size()))];
}

QWindow *Soak::finestraAttiva()
{
    if (QWidget *attiva = QApplication::activeWindow())
        for (Form *f : forme(m_banco->programma))
            if (f->isLoaded() && f->window() == attiva)
                return attiva->windowHandle();
    Form *f = formaVisibile();
    if (!f)
        return nullptr;
    f->window()->activateWindow();
    QCoreApplication::processEvents();
    return f->isLoaded() ? f->window()->windowHandle() : nullptr;
}

void Soak::premi(QWindow *finestra, const Tasto &t)
{
    QPointer<QWindow> w(finestra);
    qt_handleKeyEvent(w, QEvent::KeyPress, t.key, t.modificatori, t.testo);
    if (w)
        qt_handleKeyEvent(w, QEvent::KeyRelease, t.key, t.modificatori, t.testo);
}

void Soak::digita(QWindow *finestra, const QString &testo)
{
    QPointer<QWindow> w(finestra);
    for (char32_t c : testo.toUcs4()) {
        if (!w)
            return;
        if (c < 256) {
            premi(w, tastoDelCodice(static_cast<int>(c)));
        } else {
            premi(w, {Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1)});
        }
    }
}

// Whether the child, about to leave the program through this control, thinks again.
bool Soak::ripensa(const QWidget *uscita)
{
    const bool esce = chiudeProgramma(uscita) || (uscita->window()->objectName() == u"FrmInizio1" &&
                                                  uscita->objectName() == u"Command7");
    return esce && !caso(m_indole.esce);
}

bool Soak::clicSu(QWidget *bersaglio, bool doppio)
{
    QWidget *finestra = bersaglio->window();
    if (!finestra->isActiveWindow()) {
        QPointer<QWidget> guardia(bersaglio);
        finestra->activateWindow(); // the window manager brings a clicked window forward
        QCoreApplication::processEvents();
        if (!guardia || !guardia->isVisible())
            return false;
    }
    QWindow *handle = finestra->windowHandle();
    if (!handle)
        return false;
    const QRect r = bersaglio->rect();
    const QPoint dentro(r.left() + sotto(std::max(1, r.width())),
                        r.top() + sotto(std::max(1, r.height())));
    QPoint punto = bersaglio->mapTo(finestra, dentro);
    if (punto.isNull())
        punto = QPoint(1, 1);
    QWidget *ricevente = finestra->childAt(punto);
    m_fineAmmessa = m_fineAmmessa || chiudeProgramma(ricevente);
    annota((doppio ? u"double click on "_s : u"click on "_s) + nomeDi(bersaglio) +
           (ricevente == bersaglio ? QString() : u" (lands on "_s + nomeDi(ricevente) + u')'));
    if (doppio)
        QTest::mouseDClick(handle, Qt::LeftButton, {}, punto);
    else
        QTest::mouseClick(handle, Qt::LeftButton, {}, punto);
    return true;
}

void Soak::tasto()
{
    QWindow *w = finestraAttiva();
    if (!w)
        return annota(u"key: no window"_s);
    Tasto t;
    QString cosa;
    if (caso(90)) {
        const int codice = sotto(256);
        t = tastoDelCodice(codice);
        cosa = u"code "_s + QString::number(codice);
    } else {
        const QString &testo = speciale(sotto(speciali));
        t = {Qt::Key_unknown, Qt::NoModifier, testo};
        cosa = u"text U+"_s + QString::number(testo.toUcs4().value(0), 16);
    }
    QWidget *fuoco = QApplication::focusWidget();
    m_fineAmmessa = t.key == Qt::Key_Space && chiudeProgramma(fuoco);
    annota(u"key "_s + cosa + u" into "_s + nomeDi(fuoco));
    premi(w, t);
}

QString Soak::testoCasuale()
{
    static const std::array<QString, 12> pezzi{
        u"7"_s,  u"42"_s, u"Mario"_s,    u"élodie"_s, u"😀"_s,      u" "_s,
        u"\n"_s, u"\t"_s, u"<b>x</b>"_s, u"中文"_s,   u"\u0000"_s, u"🇮🇹👍🏽"_s};
    QString t;
    const int n = sotto(caso(80) ? 4 : 30);
    for (int i = 0; i < n; ++i)
        t += caso(70) ? pezzi[static_cast<std::size_t>(sotto(12))] : speciale(sotto(speciali));
    return t;
}

void Soak::incolla()
{
    QList<TextBox *> caselle;
    for (Form *f : forme(m_banco->programma))
        if (aperta(f))
            for (TextBox *c : f->window()->findChildren<TextBox *>())
                if (c->isVisible())
                    caselle.append(c);
    if (caselle.isEmpty())
        return annota(u"paste: no text box on screen"_s);
    TextBox *casella = caselle[sotto(static_cast<int>(caselle.size()))];
    const QString testo = testoCasuale();
    annota(u"paste "_s + QString::number(testo.size()) + u" units into "_s + nomeDi(casella));
    // A paste through the context menu or the middle button: a locked box takes none.
    if (casella->isReadOnly())
        return;
    if (caso(30))
        casella->selectAll();
    QGuiApplication::clipboard()->setText(testo);
    casella->paste();
}

void Soak::clic()
{
    Form *f = formaVisibile();
    if (!f)
        return annota(u"click: no window"_s);
    QList<QWidget *> bersagli;
    for (QWidget *w : f->window()->findChildren<QWidget *>()) {
        if (!w->isVisible() || !w->isEnabled() || qobject_cast<QMenuBar *>(w) ||
            qobject_cast<QMenu *>(w) || w->isWindow())
            continue;
        bool inLista = false;
        for (QWidget *p = w; p && !inLista; p = p->parentWidget())
            inLista = qobject_cast<QComboBox *>(p) != nullptr;
        if (!inLista)
            bersagli.append(w);
    }
    if (bersagli.isEmpty())
        return annota(u"click: nothing to click"_s);
    // Buttons and pictures draw a child's eye more than the rest.
    QList<QWidget *> vivi;
    for (QWidget *w : bersagli)
        if (qobject_cast<QPushButton *>(w) || qobject_cast<Picture *>(w))
            vivi.append(w);
    const QList<QWidget *> &da = !vivi.isEmpty() && caso(75) ? vivi : bersagli;
    QWidget *scelto = da[sotto(static_cast<int>(da.size()))];
    for (int volte = 0; volte < 3 && ripensa(scelto); ++volte)
        scelto = da[sotto(static_cast<int>(da.size()))];
    clicSu(scelto, caso(15));
}

void Soak::esercizio()
{
    Banco &b = *m_banco;
    frmOperativoPiù &op = b.programma.operativo();
    FrmInizio1 &inizio = b.programma.inizio();
    if (aperta(&op)) {
        const VistaEsercizio &vista = op.esercitazione().vista();
        const auto offerto = [&](Controllo c) { return vista.visibile(c); };
        if (offerto(Controllo::CmdVerifica) && caso(40)) {
            clicSu(op.button("CmdVerifica"));
            return;
        }
        if (offerto(Controllo::CmdOperazione) && caso(90)) {
            clicSu(op.button("CmdOperazione"));
            return;
        }
        if (offerto(Controllo::CmdEsercizio) && caso(90)) {
            clicSu(op.button("CmdEsercizio"));
            return;
        }
        const QString esatta = b.stato.RispostaEsatta;
        const bool giusta = caso(75);
        if (offerto(Controllo::frmNumero) && !vista.TxtRisultatoBloccato) {
            TextBox *casella = op.textBox("TxtRisultato");
            if (!clicSu(casella) || QApplication::focusWidget() != casella)
                return;
            QWindow *w = op.window()->windowHandle();
            const QString data = giusta ? esatta : QString::number(sotto(caso(50) ? 10 : 100));
            annota(u"answer "_s + data + (giusta ? u" (right)"_s : u" (maybe wrong)"_s));
            digita(w, u"\b\b"_s + data);
            if (caso(70))
                digita(w, u"\r"_s);
            else if (op.isLoaded() && op.button("CmdVerifica")->isVisible())
                clicSu(op.button("CmdVerifica"));
            return;
        }
        if (offerto(Controllo::frmSegno)) {
            static const std::array<const char *, 3> immagini{"Image3", "Image4", "Image5"};
            static const std::array<QString, 3> segni{u"="_s, u"<"_s, u">"_s};
            std::size_t k = static_cast<std::size_t>(sotto(3));
            if (giusta)
                for (std::size_t j = 0; j < segni.size(); ++j)
                    if (segni[j] == esatta)
                        k = j;
            if (!clicSu(op.picture(immagini[k])))
                return;
            if (op.isLoaded() && op.button("CmdVerifica")->isVisible())
                clicSu(op.button("CmdVerifica"));
            return;
        }
        return clic();
    }
    if (aperta(&inizio)) {
        if (inizio.control("Frame3")->isVisible()) {
            TextBox *nome = inizio.textBox("txtNome");
            if (!clicSu(nome))
                return;
            static const std::array<QString, 6> nomi{u"Ada"_s, u"mARIO rOSSI"_s, u"élodie"_s,
                                                     u"😀😀😀"_s, u"Ωμέγα"_s,       u"  "_s};
            const QString &scelto = nomi[static_cast<std::size_t>(sotto(6))];
            annota(u"types the name "_s + scelto);
            digita(nome->window()->windowHandle(), scelto + u'\r');
            return;
        }
        const Intervallo &riga = intervalli[static_cast<std::size_t>(sotto(6))];
        clicSu(inizio.button(riga.pulsante));
        return;
    }
    clic();
}

void Soak::tab()
{
    QWindow *w = finestraAttiva();
    if (!w)
        return annota(u"tab: no window"_s);
    const bool indietro = caso(30);
    annota(indietro ? u"Shift+Tab"_s : u"Tab"_s);
    premi(w, indietro ? Tasto{Qt::Key_Backtab, Qt::ShiftModifier, QString()}
                      : Tasto{Qt::Key_Tab, Qt::NoModifier, u"\t"_s});
}

void Soak::menu()
{
    Form *f = formaVisibile();
    if (!f)
        return annota(u"menu: no window"_s);
    FormWindow *finestra = f->window();
    QList<QAction *> voci;
    for (QAction *alto : finestra->menuBar()->actions()) {
        if (!alto->isEnabled())
            continue;
        if (!alto->menu() || alto->menu()->actions().isEmpty()) {
            voci.append(alto);
            continue;
        }
        for (QAction *voce : alto->menu()->actions())
            if (voce->isEnabled() && !voce->isSeparator())
                voci.append(voce);
    }
    if (voci.isEmpty())
        return annota(u"menu: none in "_s + finestra->objectName());
    QAction *voce = voci[sotto(static_cast<int>(voci.size()))];
    if (f == &m_banco->programma.inizio() && voce->objectName() == u"mnuEsci" &&
        !caso(m_indole.esce))
        voce = voci[sotto(static_cast<int>(voci.size()))];
    m_fineAmmessa = f == &m_banco->programma.inizio() && voce->objectName() == u"mnuEsci";
    annota(u"menu "_s + finestra->objectName() + u'/' + voce->objectName());
    if (!finestra->isActiveWindow()) {
        finestra->activateWindow();
        QCoreApplication::processEvents();
    }
    if (voce->isEnabled())
        voce->trigger();
}

void Soak::lista()
{
    FrmInizio1 &inizio = m_banco->programma.inizio();
    if (!aperta(&inizio))
        return annota(u"list: the start screen is closed"_s);
    QComboBox *combo = inizio.combo("Combo1");
    const int voce = sotto(combo->count());
    annota(u"activity "_s + QString::number(voce));
    combo->setCurrentIndex(voce);
}

void Soak::chiudi()
{
    Form *f = formaVisibile();
    if (f == &m_banco->programma.inizio() && !caso(m_indole.esce))
        f = formaVisibile();
    if (!f)
        return annota(u"close: no window"_s);
    annota(u"close box of "_s + f->window()->objectName());
    f->window()->close();
}

void Soak::apri()
{
    Programma &p = m_banco->programma;
    if (caso(50)) {
        annota(u"the report comes up"_s);
        p.stampa().show();
    } else {
        annota(u"the certificate comes up"_s);
        p.attestato().show();
    }
}

QString Soak::controlla()
{
    Banco &b = *m_banco;
    if (b.ender.ended() && !m_fineAmmessa)
        return u"the program ended without being asked to"_s;

    bool stampaFallita = false;
    for (const auto &lavoro : b.printers.lavori)
        stampaFallita = stampaFallita || (lavoro->pdf.isEmpty() && !lavoro->inviato);
    bool avvisata = false;
    for (const auto &box : b.messageBox.shown)
        avvisata = avvisata || box.title == u"Stampa non riuscita";
    if (stampaFallita != avvisata)
        return stampaFallita ? u"a print job failed without a word"_s
                             : u"a print job went out, yet the child was told it failed"_s;
    if (b.ender.ended())
        return {};

    if (QString r = controllaRighe(); !r.isEmpty())
        return r;
    return controllaSchermo();
}

QString Soak::controllaRighe()
{
    const SessionState &s = m_banco->stato;
    m_caricato = m_caricato || m_banco->programma.operativo().isLoaded();
    const int n = s.NumeroOperazione;
    if (n < 0 || n > 40)
        return u"NumeroOperazione is "_s + QString::number(n);
    if (s.NumeroEsercizio < 0 || s.NumeroEsercizio > 4)
        return u"NumeroEsercizio is "_s + QString::number(s.NumeroEsercizio);
    if (m_caricato && (s.OperazioneCorrente < 1 || s.OperazioneCorrente > 10))
        return u"OperazioneCorrente is "_s + QString::number(s.OperazioneCorrente);
    if (s.NumeroEsercizio > 0 && n != (s.NumeroEsercizio - 1) * 10 + s.OperazioneCorrente)
        return u"operation "_s + QString::number(n) + u" is not operation "_s +
               QString::number(s.OperazioneCorrente) + u" of exercise "_s +
               QString::number(s.NumeroEsercizio);
    if (s.NumeroEsercizio == 0 && n != 0 && n != 40)
        return u"no exercise, yet operation "_s + QString::number(n);
    if (s.RisposteEsatte > s.OperazioniVerificate)
        return u"more right answers than operations checked"_s;

    for (std::size_t i : {std::size_t{0}, std::size_t{41}, std::size_t{42}, std::size_t{43},
                          std::size_t{44}, std::size_t{45}})
        if (!s.Operazioni[i].isEmpty())
            return u"Operazioni("_s + QString::number(i) + u") is written"_s;

    int verificate = 0;
    int esatte = 0;
    int esatteEsercizio = 0;
    int errateEsercizio = 0;
    std::array<int, 6> secondi{};
    std::array<int, 6> controllate{};
    const int primaDellEsercizio = n - s.OperazioneCorrente;
    for (int i = 1; i <= 40; ++i) {
        const QString &testo = s.Operazioni[static_cast<std::size_t>(i)];
        if (testo.isEmpty()) {
            if (i <= n)
                return u"Operazioni("_s + QString::number(i) + u") is empty"_s;
            continue;
        }
        const Riga r = esaminaRiga(testo);
        if (!r.valida)
            return u"Operazioni("_s + QString::number(i) + u") = \""_s + testo + u"\": "_s +
                   r.perche;
        if (i > n)
            continue;
        if (i < n && !r.verificata)
            return u"Operazioni("_s + QString::number(i) + u") was never checked"_s;
        if (!r.verificata)
            continue;
        const std::size_t k = static_cast<std::size_t>((i - 1) / 10 + 1);
        ++verificate;
        ++controllate[k];
        secondi[k] += r.secondi;
        esatte += r.esatta;
        if (i > primaDellEsercizio) {
            esatteEsercizio += r.esatta;
            errateEsercizio += !r.esatta;
        }
    }
    if (verificate != s.OperazioniVerificate || esatte != s.RisposteEsatte)
        return u"the lines hold "_s + QString::number(esatte) + u" right of "_s +
               QString::number(verificate) + u", the counts say "_s +
               QString::number(s.RisposteEsatte) + u" of "_s +
               QString::number(s.OperazioniVerificate);
    if (esatteEsercizio != s.EsatteEsercizio || errateEsercizio != s.ErrateEsercizio)
        return u"the exercise's lines hold "_s + QString::number(esatteEsercizio) +
               u" right and "_s + QString::number(errateEsercizio) + u" wrong, the counts say "_s +
               QString::number(s.EsatteEsercizio) + u" and "_s + QString::number(s.ErrateEsercizio);
    for (std::size_t k = 0; k < 6; ++k) {
        const int tempo = s.SecondiEsercizio[k];
        if (tempo != secondi[k])
            return u"SecondiEsercizio("_s + QString::number(k) + u") is "_s +
                   QString::number(tempo) + u", its lines add up to "_s +
                   QString::number(secondi[k]);
        const QString atteso = controllate[k] > 0 ? Str(tempo) : QString();
        if (s.TempoEsercizio[k] != atteso)
            return u"TempoEsercizio("_s + QString::number(k) + u") is \""_s + s.TempoEsercizio[k] +
                   u"\", not \""_s + atteso + u'"';
    }
    m_conteggi.verifiche += std::max<long long>(0, s.OperazioniVerificate - m_verificheCorsa);
    m_verificheCorsa = s.OperazioniVerificate;
    return {};
}

QString Soak::controllaSchermo()
{
    Banco &b = *m_banco;
    const SessionState &s = b.stato;
    if (!valida(s.NomeAlunno) || caratteri(s.NomeAlunno) > 15)
        return u"NomeAlunno is \""_s + s.NomeAlunno + u"\""_s;

    FrmInizio1 &inizio = b.programma.inizio();
    if (inizio.isLoaded()) {
        const QString nome = inizio.textBox("txtNome")->text();
        if (!valida(nome) || caratteri(nome) > 15)
            return u"the name box holds \""_s + nome + u"\""_s;
    }

    frmOperativoPiù &op = b.programma.operativo();
    if (op.isLoaded()) {
        const Esercitazione &e = op.esercitazione();
        const VistaEsercizio &vista = e.vista();
        const QString stato = QString::fromLatin1(nomeStato(e.stato()));
        if (!e.coerente())
            return u"the buttons are not what state "_s + stato + u" offers"_s;
        QWidget *finestra = op.window();
        for (const Mostrato &m : visibili)
            if (op.control(m.nome)->isVisibleTo(finestra) != vista.visibile(m.controllo))
                return QString::fromLatin1(m.nome) + u" is shown otherwise than the model says"_s +
                       u" in state "_s + stato;
        for (const Mostrato &m : didascalie)
            if (op.label(m.nome)->text() != vista.testo(m.controllo))
                return QString::fromLatin1(m.nome) + u" shows \""_s + op.label(m.nome)->text() +
                       u"\", the model \""_s + vista.testo(m.controllo) + u'"';
        TextBox *casella = op.textBox("TxtRisultato");
        if (casella->text() != vista.testo(Controllo::TxtRisultato) ||
            casella->isLocked() != vista.TxtRisultatoBloccato)
            return u"TxtRisultato holds \""_s + casella->text() + u"\", the model \""_s +
                   vista.testo(Controllo::TxtRisultato) + u'"';
        if (!valida(casella->text()) || caratteri(casella->text()) > 2)
            return u"the answer box holds \""_s + casella->text() + u"\""_s;
        for (const char *voce : {"mnuStampa", "mnuAttestato"})
            if (op.menu(voce)->isEnabled() != vista.abilitato(qstrcmp(voce, "mnuStampa") == 0
                                                                  ? Controllo::mnuStampa
                                                                  : Controllo::mnuAttestato))
                return QString::fromLatin1(voce) + u" is enabled otherwise than the model says"_s;
        if (vista.abilitato(Controllo::mnuStampa) != (s.OperazioniVerificate >= 10))
            return u"the File items do not follow the ten operations checked"_s;
        if (vista.testo(Controllo::LblSi) != stelle(s.EsatteEsercizio) ||
            vista.testo(Controllo::LblNo) != stelle(s.ErrateEsercizio))
            return u"the stars are not the exercise's counts"_s;
        if (s.NumeroEsercizio > 0 &&
            (vista.testo(Controllo::LblEsercizio) != QString::number(s.NumeroEsercizio) ||
             vista.testo(Controllo::LblOperazione) != QString::number(s.OperazioneCorrente)))
            return u"the ELABORAZIONE frame shows another exercise or operation"_s;
        if (e.stato() == StatoEsercizio::Ripartenza) {
            if (s.NumeroOperazione != 0 || !casella->isLocked())
                return u"the restart state takes an answer"_s;
            for (const char *n :
                 {"LblNumero1", "LblNumero2", "lblNumero4", "lblNumero6", "LblNumero8"})
                if (!op.label(n)->text().isEmpty())
                    return u"the restart state shows an operation"_s;
        }
    }

    FrmAttestato &attestato = b.programma.attestato();
    if (attestato.isLoaded()) {
        for (const char *n : {"Command2", "Command1", "CmdFine"})
            if (!attestato.control(n)->isVisibleTo(attestato.window()))
                return u"the certificate's button "_s + QString::fromLatin1(n) + u" stays hidden"_s;
        if (!valida(attestato.label("lblNome")->text()))
            return u"the certificate shows a broken name"_s;
    }
    FrmStampaPiu &stampa = b.programma.stampa();
    if (m_sedutaMostrata) {
        if (!aperta(&stampa))
            return u"Yes at the end of the sitting shows no list"_s;
        for (std::size_t i = 1; i <= 40; ++i)
            if (stampa.label(FrmStampaPiu::nomeOperazione(static_cast<int>(i)))->text() !=
                s.Operazioni[i])
                return u"the list shown at the end of the sitting lacks operation "_s +
                       QString::number(i);
    }
    if (stampa.isLoaded()) {
        for (int i = 1; i <= 40; ++i) {
            const QString riga = stampa.label(FrmStampaPiu::nomeOperazione(i))->text();
            if (!riga.isEmpty() && !esaminaRiga(riga).valida)
                return u"the report lists \""_s + riga + u"\" as operation "_s + QString::number(i);
        }
    }
    return {};
}

QString Soak::riassunto() const
{
    const Conteggi &c = m_conteggi;
    return QString::number(c.eventi) + u" events in "_s + QString::number(c.corse) + u" runs ("_s +
           QString::number(c.fini) + u" ended by End): "_s + QString::number(c.verifiche) +
           u" operations checked, "_s + QString::number(c.fineSeduta) + u" sittings finished, "_s +
           QString::number(c.attestati) + u" events with a certificate shown, "_s +
           QString::number(c.rifiuti) + u" refused, "_s + QString::number(c.stampe) +
           u" print jobs ("_s + QString::number(c.stampeFallite) + u" failed), "_s +
           QString::number(c.mezzanotti) + u" midnights"_s;
}
