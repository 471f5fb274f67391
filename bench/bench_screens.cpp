// How fast the screens answer, measured inside the process through the real widgets on the
// offscreen platform: every step runs from the child's action (a key, a click) until the window
// that shows its outcome has been painted. The platform is the tests' bench (Banco), so the
// sittings are scripted and no message box waits for anyone; the PDF files are written by the
// program's own printer.
//
// Prints one row per measure with its median, 99th percentile, extremes and target.
// Usage: bench_screens [operations]   (each series of each activity, 400 by default)

#include "Banco.h"

#include "platform/ui/QtPlatform.h"
#include "platform/ui/stampa/QtPrinter.h"
#include "reports/StampaOperazioni.h"
#include "reports/ui/FrmAttestato.h"
#include "reports/ui/FrmStampaPiu.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

// A precondition of a measure; the benchmark stops rather than time the wrong thing.
#define RICHIEDI(condizione)                                                                       \
    do {                                                                                           \
        if (!(condizione)) {                                                                       \
            std::fprintf(stderr, "bench_screens: %s does not hold\n", #condizione);                \
            std::exit(1);                                                                          \
        }                                                                                          \
    } while (false)

namespace {

// Watches what the windows receive: paints of any widget in them, and their activation.
class Osservatore : public QObject
{
public:
    Osservatore() { qApp->installEventFilter(this); }
    ~Osservatore() override { qApp->removeEventFilter(this); }

    // Starts watching the window of the form with that name, whether or not it exists yet.
    void azzera(const QString &finestra)
    {
        m_finestra = finestra;
        m_dipinto = false;
        m_attivato = false;
        m_dipintoDopoAttivazione = false;
    }
    bool dipinto() const { return m_dipinto; }
    bool attivato() const { return m_attivato; }
    bool dipintoDopoAttivazione() const { return m_dipintoDopoAttivazione; }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        auto *widget = qobject_cast<QWidget *>(oggetto);
        if (!widget || widget->window()->objectName() != m_finestra)
            return false;
        if (evento->type() == QEvent::Paint) {
            m_dipinto = true;
            m_dipintoDopoAttivazione = m_dipintoDopoAttivazione || m_attivato;
        } else if (evento->type() == QEvent::WindowActivate && widget->isWindow()) {
            m_attivato = true;
        }
        return false;
    }

private:
    QString m_finestra;
    bool m_dipinto = false;
    bool m_attivato = false;
    bool m_dipintoDopoAttivazione = false;
};

// The name a form's window goes by (FormWindow takes it from the table).
QString nomeFinestra(const Form &form)
{
    return QString::fromUtf8(form.definition().name);
}

// Runs the events of the action until `fatto` holds (at most two seconds), then once more so
// that whatever the last event posted is done too. Milliseconds.
double misura(const std::function<void()> &azione, const std::function<bool()> &fatto)
{
    QElapsedTimer t;
    t.start();
    azione();
    while (!fatto() && t.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    if (!fatto())
        std::fprintf(stderr, "bench_screens: a step never finished; its time is bogus\n");
    return ms;
}

// Lets windows closed with deleteLater go, outside any measure.
void sgombra()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

struct Riga
{
    const char *nome;
    std::vector<double> valori;
    const char *unita = "ms";
    double limite = 0; // the median or p99 must stay under it; 0: no target
    bool suP99 = false;
    const char *target = "";
    // For a measure taken in several series: the p99 of each. The row's p99 is their median, so
    // that one series slowed down by another program on the machine does not decide it.
    std::vector<double> p99Serie{};
};

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const auto rango = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size())));
    return v[std::clamp<std::size_t>(rango, 1, v.size()) - 1];
}

bool stampaRiga(const Riga &r)
{
    const double mediana = percentile(r.valori, 0.5);
    const double p99 =
        r.p99Serie.empty() ? percentile(r.valori, 0.99) : percentile(r.p99Serie, 0.5);
    const auto [minimo, massimo] = std::minmax_element(r.valori.begin(), r.valori.end());
    const double confronto = r.suP99 ? p99 : mediana;
    const bool ok = r.limite <= 0 || confronto < r.limite;
    std::printf("%-48s %4zu %9.3f %9.3f %9.3f %9.3f %9.3f %-3s  %-13s %s\n", r.nome,
                r.valori.size(), mediana, p99, *minimo, *massimo, r.valori.front(), r.unita,
                r.target, r.limite <= 0 ? "" : (ok ? "met" : "NOT MET"));
    return ok;
}

// One sitting after another on the exercise screen: each operation answered (the digits typed,
// then Enter timed until the verdict is painted; or a sign picture clicked, then "V e r i f i c a "
// timed), then "Nuova operazione" or "Nuovo esercizio" timed until the next operation is
// painted. Every fourth answer is wrong; each sitting ends with No, so the next one starts.
void operazioni(int attivitaScelta, int quante, std::vector<double> &verdetti,
                std::vector<double> &prossime)
{
    Banco banco;
    Osservatore osserva;
    banco.avvia(attivitaScelta, 5);
    frmOperativoPiù &f = banco.operativo();
    RICHIEDI(f.isLoaded());
    const QString finestra = nomeFinestra(f);
    sgombra();

    for (int i = 0; i < quante; ++i) {
        const bool giusta = i % 4 != 3;
        banco.clock.advance(3);
        if (banco.stato.NumeroOperazione == operazioniPerSeduta)
            banco.messageBox.answers.push_back(MessageBox::No);
        const QString esatta = banco.stato.RispostaEsatta;
        std::function<void()> verifica;
        if (banco.stato.TipoOperazione <= 6) {
            TextBox *risposta = f.textBox("TxtRisultato");
            QTest::keyClicks(risposta,
                             giusta ? esatta : QString::number((esatta.toInt() + 1) % 100));
            verifica = [risposta] { QTest::keyClick(risposta, Qt::Key_Return); };
        } else {
            static const char *immagini[] = {"Image3", "Image4", "Image5"};
            static const QString segni[] = {QStringLiteral("="), QStringLiteral("<"),
                                            QStringLiteral(">")};
            int scelta = 0;
            while ((segni[scelta] == esatta) != giusta)
                ++scelta;
            QTest::mouseClick(f.picture(immagini[scelta]), Qt::LeftButton);
            verifica = [&f] { QTest::mouseClick(f.button("CmdVerifica"), Qt::LeftButton); };
        }
        sgombra();
        osserva.azzera(finestra);
        verdetti.push_back(misura(verifica, [&] { return osserva.dipinto(); }));
        if (i + 1 == quante)
            break;
        sgombra();
        osserva.azzera(finestra);
        prossime.push_back(misura([&banco] { banco.avanti(); }, [&] { return osserva.dipinto(); }));
    }
}

// A whole sitting of forty operations, three answers in four right, that ends with Yes: the
// list of operations opens by itself, with forty lines. Returns the time from the last Enter to
// the list painted, the first time the list is built in the process.
double seduta(Banco &banco, Osservatore &osserva)
{
    banco.avvia(0, 5);
    for (int i = 0; i + 1 < operazioniPerSeduta; ++i) {
        if (i > 0)
            banco.avanti();
        banco.rispondi(i % 4 != 3);
    }
    banco.avanti();
    TextBox *risposta = banco.operativo().textBox("TxtRisultato");
    QTest::keyClicks(risposta, banco.stato.RispostaEsatta);
    sgombra();
    osserva.azzera(nomeFinestra(banco.programma.stampa()));
    const double ms = misura([risposta] { QTest::keyClick(risposta, Qt::Key_Return); },
                             [&] { return osserva.dipinto(); });
    sgombra();
    return ms;
}

// The peak resident memory of the process so far (VmHWM), in MiB; 0 where the system does not
// tell it.
double piccoMemoria()
{
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &riga : stato.readAll().split('\n'))
        if (riga.startsWith("VmHWM:"))
            return riga.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The exercise screen opened from a range button, as a child opens it: created and loaded the
// first time, loaded again after "Esci" the other times, until its first operation is painted.
void aperture(Riga &prima, Riga &riaperture)
{
    Banco banco;
    Osservatore osserva;
    banco.programma.avvia();
    FrmInizio1 &inizio = banco.programma.inizio();
    inizio.textBox("txtNome")->setText(QStringLiteral("Ada"));
    QTest::keyClick(inizio.textBox("txtNome"), Qt::Key_Return);
    QPushButton *intervallo = inizio.button(intervalli[3].pulsante);
    sgombra();
    for (int i = 0; i <= 50; ++i) {
        osserva.azzera(QStringLiteral("frmOperativoPiù"));
        const double ms = misura([intervallo] { QTest::mouseClick(intervallo, Qt::LeftButton); },
                                 [&] { return osserva.dipinto(); });
        RICHIEDI(banco.operativo().isLoaded());
        (i == 0 ? prima : riaperture).valori.push_back(ms);
        QTest::mouseClick(banco.operativo().button("CmdFine"), Qt::LeftButton);
        sgombra();
        RICHIEDI(!banco.operativo().isLoaded());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns of every window operation it leaves out (raise, size hints);
    // that only clutters the table.
    static const QtMessageHandler predefinito = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType tipo, const QMessageLogContext &contesto, const QString &messaggio) {
            if (!messaggio.startsWith(u"This plugin does not support"))
                predefinito(tipo, contesto, messaggio);
        });
    QApplication app(argc, argv);
    installaPiattaforma(app);
    const int quante = argc > 1 ? std::max(2, std::atoi(argv[1])) : 400;

    // The exercise screen opened first, before anything else has loaded its faces.
    std::vector<Riga> righe;
    Riga primaApertura{"range button -> exercise screen painted (1st)", {}};
    primaApertura.limite = 16;
    primaApertura.target = "< 16 ms";
    Riga riapertura{"range button -> exercise screen painted again", {}};
    riapertura.limite = 16;
    riapertura.suP99 = true;
    riapertura.target = "p99 < 16 ms";
    aperture(primaApertura, riapertura);
    righe.push_back(primaApertura);
    righe.push_back(riapertura);
    sgombra();

    // Each activity in three series of `quante` operations, each on a fresh program.
    constexpr int serie = 3;
    const auto serieDiOperazioni = [&](int attivitaScelta, const char *verifica,
                                       const char *prossima) {
        Riga v{verifica, {}};
        Riga n{prossima, {}};
        for (int k = 0; k < serie; ++k) {
            std::vector<double> verdetti, prossime;
            operazioni(attivitaScelta, quante, verdetti, prossime);
            v.valori.insert(v.valori.end(), verdetti.begin(), verdetti.end());
            n.valori.insert(n.valori.end(), prossime.begin(), prossime.end());
            v.p99Serie.push_back(percentile(verdetti, 0.99));
            n.p99Serie.push_back(percentile(prossime, 0.99));
        }
        for (Riga *r : {&v, &n}) {
            r->limite = 2;
            r->suP99 = true;
            r->target = "p99 < 2 ms";
            righe.push_back(*r);
        }
    };
    serieDiOperazioni(0, "Enter -> verdict painted (find the number)",
                      "Nuova operazione -> next painted (number)");
    serieDiOperazioni(1, "Verifica -> verdict painted (find the sign)",
                      "Nuova operazione -> next painted (sign)");

    Banco banco;
    Osservatore osserva;
    banco.programma.avvia();
    sgombra();
    const double memoriaAllInizio = piccoMemoria();
    Riga primoResoconto{"last Enter of a sitting -> report painted (1st)",
                        {seduta(banco, osserva)}};
    primoResoconto.limite = 16;
    primoResoconto.target = "< 16 ms";
    FrmStampaPiu &stampa = banco.programma.stampa();
    FrmAttestato &attestato = banco.programma.attestato();
    RICHIEDI(stampa.isLoaded());
    RICHIEDI(!stampa.label(FrmStampaPiu::nomeOperazione(40))->text().isEmpty());

    // The list closed with ESCI and opened again with "Visualizza / stampa ": built from its
    // table, filled with the forty lines and painted each time.
    Riga resoconto{"report opened, 40 lines, painted", {}};
    resoconto.limite = 16;
    resoconto.suP99 = true;
    resoconto.target = "p99 < 16 ms";
    for (int i = 0; i < 50; ++i) {
        QTest::mouseClick(stampa.button("Command1"), Qt::LeftButton);
        sgombra();
        RICHIEDI(!stampa.isLoaded());
        QPushButton *apri = banco.operativo().button("CmdStampa");
        RICHIEDI(apri->isVisible());
        osserva.azzera(nomeFinestra(stampa));
        resoconto.valori.push_back(misura([&] { QTest::mouseClick(apri, Qt::LeftButton); },
                                          [&] { return osserva.dipinto(); }));
        RICHIEDI(stampa.label(FrmStampaPiu::nomeOperazione(40))->text() ==
                 banco.stato.Operazioni[40]);
    }
    righe.push_back(primoResoconto);
    righe.push_back(resoconto);

    // The certificate opened from the list, ESCI in between: loaded, activated, worked out
    // and painted.
    Riga attestatoAperto{"certificate opened and activated, painted", {}};
    attestatoAperto.limite = 16;
    attestatoAperto.suP99 = true;
    attestatoAperto.target = "p99 < 16 ms";
    for (int i = 0; i < 50; ++i) {
        if (attestato.isLoaded()) {
            QTest::mouseClick(attestato.button("CmdFine"), Qt::LeftButton);
            sgombra();
        }
        osserva.azzera(nomeFinestra(attestato));
        attestatoAperto.valori.push_back(
            misura([&] { QTest::mouseClick(stampa.button("Command2"), Qt::LeftButton); },
                   [&] { return osserva.attivato() && osserva.dipintoDopoAttivazione(); }));
        RICHIEDI(!attestato.label("lblRapporto")->text().isEmpty());
    }
    righe.push_back(attestatoAperto);

    // Back to the certificate from the list: Form_Activate works it out again.
    Riga riattivato{"certificate activated again", {}};
    riattivato.limite = 16;
    riattivato.suP99 = true;
    riattivato.target = "p99 < 16 ms";
    for (int i = 0; i < 50; ++i) {
        stampa.window()->activateWindow();
        RICHIEDI(QTest::qWaitForWindowActive(stampa.window()));
        sgombra();
        osserva.azzera(nomeFinestra(attestato));
        riattivato.valori.push_back(misura([&] { attestato.window()->activateWindow(); },
                                           [&] { return osserva.attivato(); }));
    }
    righe.push_back(riattivato);

    // A whole sitting done, its report and certificate open: what the process holds beyond what
    // it held with the start screen alone (this process has run other sittings before, so the
    // growth is if anything overstated).
    Riga memoria{"peak RSS growth: sitting, report, certificate",
                 {piccoMemoria() - memoriaAllInizio},
                 "MiB"};
    memoria.limite = 10;
    memoria.target = "< 10 MiB";
    righe.push_back(memoria);

    // Both pages to PDF files with the program's printer: laid out, drawn and written.
    QTemporaryDir cartella;
    RICHIEDI(cartella.isValid());
    const QString fileResoconto = cartella.filePath(QStringLiteral("operazioni.pdf"));
    const QString fileAttestato = cartella.filePath(QStringLiteral("attestato.pdf"));
    QtPrinterFactory stampanti;
    Riga resocontoPdf{"report laid out and written to PDF", {}};
    resocontoPdf.limite = 100;
    resocontoPdf.suP99 = true;
    resocontoPdf.target = "p99 < 100 ms";
    Riga attestatoPdf{"certificate laid out and written to PDF", {}};
    for (int i = 0; i < 21; ++i) {
        resocontoPdf.valori.push_back(misura(
            [&] {
                std::unique_ptr<Printer> pdf = stampanti.pdf(fileResoconto);
                QString errore;
                RICHIEDI(eseguiPassi(passiStampaOperazioni(banco.stato), *pdf, errore));
            },
            [] { return true; }));
        attestatoPdf.valori.push_back(misura(
            [&] {
                // As "STAMPA L'ATTESTATO" does: the card without its buttons.
                for (const char *nome : {"Command2", "Command1", "CmdFine"})
                    attestato.control(nome)->hide();
                std::unique_ptr<Printer> pdf = stampanti.pdf(fileAttestato);
                RICHIEDI(pdf->printForm(attestato.window()->centralWidget()) && pdf->endDoc());
                for (const char *nome : {"Command2", "Command1", "CmdFine"})
                    attestato.control(nome)->show();
            },
            [] { return true; }));
    }
    righe.push_back(resocontoPdf);
    righe.push_back(attestatoPdf);
    const auto kib = [](const QString &file) {
        return static_cast<double>(QFileInfo(file).size()) / 1024.0;
    };
    Riga dimensioneResoconto{"report PDF size", {kib(fileResoconto)}, "KiB"};
    Riga dimensioneAttestato{"certificate PDF size", {kib(fileAttestato)}, "KiB"};
    dimensioneAttestato.limite = 2048;
    dimensioneAttestato.target = "< 2 MiB";
    righe.push_back(dimensioneResoconto);
    righe.push_back(dimensioneAttestato);

    std::printf("In-process, %s platform, Qt %s. Every time runs from the action to its window "
                "painted; \"first\" is the first sample, with whatever the process had not "
                "loaded yet.\nOperations: %d series of %d, p99 the median of the series' p99.\n",
                qPrintable(QGuiApplication::platformName()), qVersion(), serie, quante);
    std::printf("%-48s %4s %9s %9s %9s %9s %9s %-3s  %-13s %s\n", "measure", "n", "median", "p99",
                "min", "max", "first", "", "target", "");
    bool tutti = true;
    for (const Riga &r : righe)
        tutti = stampaRiga(r) && tutti;
    return tutti ? 0 : 1;
}
