// The event driver: the events a child makes, drawn from the seed and sent through the real
// screens, with the invariants of SoakInvarianti.h checked after each.

#include "Soak.h"

#include "Banco.h"
#include "SoakInvarianti.h"

#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"
#include "session/ui/FrmAutore.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
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

// The five forms of a run, in a fixed order.
std::array<Form *, 5> forme(Programma &p)
{
    return {&p.inizio(), &p.operativo(), &p.stampa(), &p.attestato(), &p.autore()};
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

Soak::Soak(std::uint64_t seme, Indole indole)
    : m_seme(seme), m_stato(seme), m_indole(indole), m_invarianti(std::make_unique<Invarianti>())
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
    m_invarianti->nuovaCorsa();
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

        const QString rotto = m_invarianti->controlla(b, m_fineAmmessa, m_sedutaMostrata);
        m_conteggi.verifiche = m_invarianti->verifiche();
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
    // Space and Enter both press the button with the focus.
    const bool preme = t.key == Qt::Key_Space || t.key == Qt::Key_Return || t.key == Qt::Key_Enter;
    m_fineAmmessa = preme && chiudeProgramma(fuoco);
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
