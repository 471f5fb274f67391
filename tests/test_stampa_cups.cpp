#include "platform/ui/QtPlatform.h"
#include "platform/ui/stampa/QtPrinter.h"
#include "reports/StampaOperazioni.h"
#include "session/SessionState.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QtTest>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct Parola
{
    QString testo;
    double x, y, destra; // points from the page's top-left corner
};

struct Pagina
{
    QSizeF dimensione;
    QList<Parola> parole;
    QStringList facce; // the faces the PDF embeds
};

Pagina leggiPdf(const QString &pdf)
{
    QProcess p;
    p.start(u"pdftotext"_s, {u"-bbox"_s, u"-l"_s, u"1"_s, pdf, u"-"_s});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    Pagina pagina;
    const auto page =
        QRegularExpression(uR"x(<page width="([\d.]+)" height="([\d.]+)")x"_s).match(html);
    pagina.dimensione = {page.captured(1).toDouble(), page.captured(2).toDouble()};
    static const QRegularExpression word(
        uR"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)x"_s);
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        pagina.parole.append({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble()});
    }
    p.start(u"pdffonts"_s, {pdf});
    p.waitForFinished(60000);
    const QStringList righe = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n');
    for (const QString &riga : righe.mid(2))
        if (!riga.isEmpty())
            pagina.facce.append(riga.section(u' ', 0, 0).section(u'+', -1));
    return pagina;
}

// The heading in the screens' face, the operations in Courier: the same faces on every system.
QStringList facceStampa()
{
    return {u"LiberationSans"_s, u"LiberationMono-Bold"_s};
}

// The words of the line that starts at (x, y), as many as the expected line has.
QString rigaA(const Pagina &pagina, QPointF inizio, qsizetype parole)
{
    constexpr double TolleranzaX = 1.0;
    constexpr double TolleranzaY = 2.0; // the ascent of the PDF font against Qt's
    QList<Parola> linea;
    for (const Parola &p : pagina.parole) {
        if (std::abs(p.y - inizio.y()) <= TolleranzaY && p.x >= inizio.x() - TolleranzaX)
            linea.append(p);
    }
    std::sort(linea.begin(), linea.end(), [](auto &a, auto &b) { return a.x < b.x; });
    if (linea.isEmpty() || std::abs(linea.first().x - inizio.x()) > TolleranzaX)
        return {};
    QStringList testo;
    for (const Parola &p : linea.first(std::min(parole, linea.size())))
        testo.append(p.testo);
    return testo.join(u' ');
}

// The A4 printable area of the test queue, from the PPD its scheduler keeps beside its socket
// ("llx lly urx ury" from the bottom).
QRectF areaCoda(const Pagina &pagina)
{
    const QFileInfo presa(QFile::decodeName(qgetenv("CUPS_SERVER")));
    QFile ppd(presa.dir().filePath(u"conf/ppd/zefirano-test.ppd"_s));
    if (!ppd.open(QIODevice::ReadOnly))
        return {};
    const auto m = QRegularExpression(
                       uR"x(\*ImageableArea A4/[^:]*: "([\d.]+) ([\d.]+) ([\d.]+) ([\d.]+)")x"_s)
                       .match(QString::fromLatin1(ppd.readAll()));
    const double llx = m.captured(1).toDouble(), lly = m.captured(2).toDouble();
    const double urx = m.captured(3).toDouble(), ury = m.captured(4).toDouble();
    return {llx, pagina.dimensione.height() - ury, urx - llx, ury - lly};
}

QRectF areaPdf(const Pagina &pagina)
{
    const double m = QtPrinter::MarginePdf;
    return QRectF(QPointF(), pagina.dimensione).adjusted(m, m, -m, -m);
}

SessionState sedutaCompleta()
{
    SessionState s;
    s.NumeroOperazione = 40;
    for (int i = 1; i <= 40; ++i)
        s.Operazioni[std::size_t(i)] =
            u"%1 + %2 = ?  ( %3)  4"_s.arg(i + 10).arg(i).arg(2 * i + 10);
    s.TempoEsercizio = {QString(), u" 125"_s, u" 98"_s, u" 7"_s, QString(), QString()};
    return s;
}

bool stampaPagina(Printer &printer, QString &errore)
{
    return eseguiPassi(passiStampaOperazioni(sedutaCompleta()), printer, errore);
}

void righe_data()
{
    QTest::addColumn<QPointF>("twips");
    QTest::addColumn<QString>("testo");
    const SessionState s = sedutaCompleta();
    QTest::newRow("header") << QPointF(1000, 1000) << intestazioneStampa();
    for (int i : {1, 10, 11, 20, 21, 30, 31, 40})
        QTest::addRow("operation %d", i)
            << QPointF(posizioneStampaOperazione(i)) << s.Operazioni[std::size_t(i)];
    for (int k = 1; k <= 4; ++k)
        QTest::addRow("totals %d", k) << QPointF(posizioneStampaTotale(k)) << rigaTotale(s, k);
}

void confronta(const Pagina &pagina, QPointF origine)
{
    QFETCH(QPointF, twips);
    QFETCH(QString, testo);
    QVERIFY2(!pagina.parole.isEmpty(), "the page was not printed");
    const QStringList parole = testo.simplified().split(u' ');
    QCOMPARE(rigaA(pagina, origine + twips / 20.0, parole.size()), parole.join(u' '));
}

} // namespace

class TestStampaCups : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cartella;
    Pagina m_carta;
    Pagina m_pdf;

    QString uscita() const { return m_cartella.filePath(u"out.pdf"_s); }

    int coda(const QString &azione)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QStringLiteral(ZEF_CUPS_QUEUE), {azione, m_cartella.path()});
        p.waitForFinished(120000);
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_cartella.isValid());
        // The pages go to a scheduler of this test's own, whatever printers the machine has.
        qputenv("CUPS_SERVER", QFile::encodeName(m_cartella.filePath(u"cups.sock"_s)));
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
        installaPiattaforma(*qApp); // the faces as the program has them
    }

    void cleanupTestCase() { coda(u"stop"_s); }

    void paper_operationsPage()
    {
        QCOMPARE(coda(u"start"_s), 0);
        QtPrinter printer;
        QString errore;
        QVERIFY2(stampaPagina(printer, errore), qPrintable(errore));
        QCOMPARE(coda(u"wait"_s), 0);
        m_carta = leggiPdf(uscita());
        QCOMPARE(m_carta.facce, facceStampa());
    }
    void paper_line_data() { righe_data(); }
    void paper_line() { confronta(m_carta, areaCoda(m_carta).topLeft()); }

    void paper_fault_data()
    {
        QTest::addColumn<QString>("guasto"); // what cups-queue does to the printer
        QTest::addColumn<bool>("paginaAperta");
        QTest::addColumn<QString>("errore");
        const QString nessuna = u"Non c'è nessuna stampante installata."_s;
        QTest::newRow("no queue") << u"remove"_s << false << nessuna;
#ifdef ZEF_STAMPA_QT
        // Qt's print support alone knows only the printers it lists.
        QTest::newRow("no scheduler") << u"stop"_s << false << nessuna;
#else
        const QString nonArrivata = u"La pagina non è arrivata alla stampante «zefirano-test»."_s;
        QTest::newRow("queue rejects jobs") << u"reject"_s << false
                                            << u"La stampante «zefirano-test» non accetta lavori "
                                               u"di stampa."_s;
        QTest::newRow("queue rejects the open page") << u"reject"_s << true << nonArrivata;
        QTest::newRow("no scheduler") << u"stop"_s << false
                                      << u"Il servizio di stampa non è attivo: nessuna "
                                         u"stampante è raggiungibile."_s;
        QTest::newRow("scheduler gone with the page open") << u"stop"_s << true << nonArrivata;
        QTest::newRow("scheduler stops answering")
            << u"freeze"_s << false
            << u"Il servizio di stampa non risponde: nessuna stampante è raggiungibile."_s;
        QTest::newRow("scheduler stops answering with the page open")
            << u"freeze"_s << true
            << u"Il servizio di stampa non risponde: nessuna stampante è raggiungibile."_s;
        QTest::newRow("queue paused")
            << u"disable"_s << false << u"La stampante «zefirano-test» è in pausa."_s;
        QTest::newRow("queue paused with the page open") << u"disable"_s << true << nonArrivata;
        QTest::newRow("device fails") << u"fail"_s << false << nonArrivata;
#endif
    }
    void paper_fault()
    {
        QFETCH(QString, guasto);
        QFETCH(bool, paginaAperta);
        QFETCH(QString, errore);
        QCOMPARE(coda(u"start"_s), 0);
        QtPrinter printer;
        if (paginaAperta)
            QVERIFY(printer.print(u"prima riga"_s));
        QCOMPARE(coda(guasto), 0);
        const auto sveglia = qScopeGuard([&] {
            if (guasto == u"freeze")
                coda(u"stop"_s);
        });
        QElapsedTimer tempo;
        tempo.start();
        QString motivo;
        QVERIFY(!stampaPagina(printer, motivo));
        QVERIFY2(tempo.elapsed() < 10000, qPrintable(u"%1 ms"_s.arg(tempo.elapsed())));
        QCOMPARE(motivo, errore);
        QVERIFY(!printer.print(u"ancora"_s));
        QVERIFY(!printer.endDoc());
        // The page offered as a file instead is saved, and at once, whatever the printer's fault.
        QtPrinter riserva(m_cartella.filePath(u"riserva.pdf"_s));
        QVERIFY2(stampaPagina(riserva, motivo), qPrintable(motivo));
        QVERIFY2(tempo.elapsed() < 10000, qPrintable(u"%1 ms"_s.arg(tempo.elapsed())));
        if (guasto != u"stop" && guasto != u"freeze")
            QCOMPARE(coda(u"wait"_s), 0);
        QVERIFY(!QFileInfo::exists(uscita()));
    }

    void paper_killDocSendsNothing()
    {
#ifdef ZEF_STAMPA_QT
        QSKIP("Qt's print engine on CUPS cannot drop a page: only CUPS asked directly can");
#endif
        QCOMPARE(coda(u"start"_s), 0);
        {
            QtPrinter printer;
            QVERIFY(printer.print(u"pagina annullata"_s));
            printer.killDoc();
        }
        QCOMPARE(coda(u"wait"_s), 0);
        QVERIFY(!QFileInfo::exists(uscita()));
        QtPrinter seguente; // reaches the scheduler again
        QVERIFY(seguente.print(u"pagina seguente"_s));
        QVERIFY2(seguente.endDoc(), qPrintable(seguente.errore()));
        QCOMPARE(coda(u"wait"_s), 0);
        QVERIFY(QFileInfo::exists(uscita()));
    }

    void pdf_operationsPage()
    {
        const QString file = m_cartella.filePath(u"operazioni.pdf"_s);
        QtPrinter printer(file);
        QString errore;
        QVERIFY2(stampaPagina(printer, errore), qPrintable(errore));
        m_pdf = leggiPdf(file);
        QCOMPARE(m_pdf.facce, facceStampa());
    }
    void pdf_line_data()
    {
        righe_data();
    }
    void pdf_line()
    {
        confronta(m_pdf, areaPdf(m_pdf).topLeft());
    }

    // A page that cannot be written whole leaves no file, whole or in part, keeps an older file
    // of that name as it was, and says why; a page that fits the disk once is saved whole. The
    // small filesystems are a tmpfs mounted here as root, or else a limit on the size of the
    // files this process writes.
    void pdf_smallDisk_data()
    {
        QTest::addColumn<QString>("disco"); // how much room: a tmpfs size, or one of manca/pieno
        QTest::addColumn<bool>("vecchio");  // an older file of that name is there
        QTest::addColumn<bool>("salvato");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("a folder that is not there")
            << u"manca"_s << false << false << u"la cartella non esiste o non vi si può scrivere"_s;
        QTest::newRow("a nearly full filesystem: the page would be cut")
            << u"8k"_s << true << false << QString();
        QTest::newRow("a full filesystem") << u"pieno"_s << false << false << QString();
        QTest::newRow("room for the page once") << u"16k"_s << false << true << QString();
        QTest::newRow("room for the page once, over an older file")
            << u"20k"_s << true << true << QString();
    }
    void pdf_smallDisk()
    {
        QFETCH(QString, disco);
        QFETCH(bool, vecchio);
        QFETCH(bool, salvato);
        QFETCH(QString, motivo);
        QTemporaryDir radice;
        QVERIFY(radice.isValid());
        QString cartella = radice.path();
        const bool pieno = disco == u"pieno";
        bool montato = false;
        rlimit prima{};
        bool limitato = false;
        if (disco == u"manca") {
            cartella += u"/manca"_s;
        } else {
            montato = geteuid() == 0 &&
                      QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s,
                                                     u"size="_s + (pieno ? u"8k"_s : disco),
                                                     u"tmpfs"_s, cartella}) == 0;
            if (!montato && salvato)
                QSKIP("a filesystem of this size needs a tmpfs, and root to mount it");
        }
        const auto smonta = qScopeGuard([&] {
            if (montato)
                QProcess::execute(u"umount"_s, {cartella});
        });
        const QString file = cartella + u"/operazioni.pdf"_s;
        const QByteArray prova = "%PDF-1.4 vecchio";
        if (vecchio) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(prova) == prova.size());
        }
        if (montato && pieno) {
            QFile riempi(cartella + u"/riempi"_s);
            QVERIFY(riempi.open(QIODevice::WriteOnly));
            const QByteArray blocco(1024, 'x');
            while (riempi.write(blocco) == blocco.size() && riempi.flush()) {
            }
        }
        if (!montato && disco != u"manca") {
            std::signal(SIGXFSZ, SIG_IGN);
            if (getrlimit(RLIMIT_FSIZE, &prima) != 0)
                QSKIP("neither a tmpfs (needs root) nor a file-size limit can be had here");
            rlimit limite = prima;
            limite.rlim_cur = pieno ? 0 : 4096;
            QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
            limitato = true;
        }
        QString errore;
        bool scritto = false;
        {
            QtPrinter printer(file);
            scritto = stampaPagina(printer, errore);
        }
        if (limitato)
            setrlimit(RLIMIT_FSIZE, &prima);
        QFile f(file);
        const QByteArray dati = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        QStringList restano;
        if (salvato || vecchio)
            restano.append(u"operazioni.pdf"_s);
        if (montato && pieno)
            restano.append(u"riempi"_s);
        QCOMPARE(QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Name), restano);
        QVERIFY2(scritto == salvato, qPrintable(errore));
        if (salvato) {
            QVERIFY2(FilePdf::intero(dati), qPrintable(u"%1 bytes"_s.arg(dati.size())));
            QCOMPARE(leggiPdf(file).parole.value(0).testo, u"Cognome"_s);
            return;
        }
        if (vecchio)
            QCOMPARE(dati, prova);
        QVERIFY2(errore.startsWith(u"Non è stato possibile scrivere il file «operazioni.pdf»: "_s),
                 qPrintable(errore));
        if (!motivo.isEmpty())
            QVERIFY2(errore.contains(motivo), qPrintable(errore));
    }

    // The file written is the name typed with ".pdf" added, and the dialog asks before it
    // replaces a file of that name, however the name was typed.
    void pdf_nameTyped_data()
    {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("chiede");
        QTest::newRow("dup.pdf, already there") << u"dup.pdf"_s << u"dup.pdf"_s << true;
        QTest::newRow("dup, already there as dup.pdf") << u"dup"_s << u"dup.pdf"_s << true;
        QTest::newRow("a name ending in a dot") << u"punto."_s << u"punto.pdf"_s << false;
        QTest::newRow("a name with a dot") << u"di M. Rossi"_s << u"di M. Rossi.pdf"_s << false;
    }
    void pdf_nameTyped()
    {
        QFETCH(QString, scritto);
        QFETCH(QString, file);
        QFETCH(bool, chiede);
        QVERIFY(QFile(m_cartella.filePath(u"dup.pdf"_s)).open(QIODevice::WriteOnly));
        QStringList domande;
        bool digitato = false;
        QTimer mano;
        connect(&mano, &QTimer::timeout, this, [&] {
            QWidget *w = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(w)) {
                QStringList pulsanti;
                for (QAbstractButton *b : box->buttons())
                    pulsanti.append(b->text());
                domande.append(box->text() + u" "_s + pulsanti.join(u'/'));
                box->buttons().constFirst()->click();
            } else if (auto *nome = qobject_cast<QLineEdit *>(QApplication::focusWidget());
                       nome && qobject_cast<QFileDialog *>(w) && !digitato) {
                digitato = true;
                QTimer::singleShot(0, nome, [nome, scritto] { // the answer may open a box
                    nome->selectAll();
                    QTest::keyClicks(nome, scritto);
                    QTest::keyClick(nome, Qt::Key_Return);
                });
            }
        });
        mano.start(50);
        QtSaveDialog dialogo;
        const QString scelto = dialogo.chiediFilePdf(nullptr, m_cartella.filePath(u"x.pdf"_s));
        QCOMPARE(scelto, m_cartella.filePath(file));
        QCOMPARE(domande,
                 chiede ? QStringList{u"Il file «dup.pdf» esiste già.\nVuoi sostituirlo? Sì/No"_s}
                        : QStringList());
    }

    void form_textStaysText_data()
    {
        QTest::addColumn<bool>("carta");
        QTest::newRow("PDF file") << false;
        QTest::newRow("paper") << true;
    }
    void form_textStaysText()
    {
        QFETCH(bool, carta);
        QWidget finestra;
        finestra.resize(1200, 900); // wider than the page: it has to shrink to fit
        auto *layout = new QVBoxLayout(&finestra);
        layout->addWidget(new QLabel(u"ATTESTATO"_s));
        layout->addWidget(new QLabel(u"rilasciato a Élodie"_s));
        auto *nascosto = new QLabel(u"ESCI"_s);
        layout->addWidget(nascosto);
        nascosto->hide();
        auto *destra = new QLabel(u"destra"_s);
        destra->setAlignment(Qt::AlignRight);
        layout->addWidget(destra);

        const QString file = carta ? uscita() : m_cartella.filePath(u"finestra.pdf"_s);
        if (carta)
            QCOMPARE(coda(u"start"_s), 0);
        auto printer = carta ? std::make_unique<QtPrinter>() : std::make_unique<QtPrinter>(file);
        QVERIFY(printer->printForm(&finestra));
        QVERIFY2(printer->endDoc(), qPrintable(printer->errore()));
        if (carta)
            QCOMPARE(coda(u"wait"_s), 0);
        QVERIFY(QFileInfo(file).size() < 2 * 1024 * 1024);

        const Pagina pagina = leggiPdf(file);
        QStringList testi;
        for (const Parola &p : pagina.parole)
            testi.append(p.testo);
        QCOMPARE(testi,
                 (QStringList{u"ATTESTATO"_s, u"rilasciato"_s, u"a"_s, u"Élodie"_s, u"destra"_s}));
        // Shrunk to the printable width, no further.
        const double margine = (carta ? areaCoda(pagina) : areaPdf(pagina)).right();
        const double bordo = pagina.parole.last().destra;
        QVERIFY2(
            bordo <= margine && bordo > margine - 20,
            qPrintable(u"right edge at %1, printable area ends at %2"_s.arg(bordo).arg(margine)));
    }
};

QTEST_MAIN(TestStampaCups)
#include "test_stampa_cups.moc"
