#include "platform/ui/stampa/QtPrinter.h"
#include "reports/StampaOperazioni.h"
#include "session/SessionState.h"

#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QtTest>

#include <unistd.h>

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
};

Pagina leggiPdf(const QString &pdf)
{
    QProcess p;
    p.start(u"pdftotext"_qs, {u"-bbox"_qs, u"-l"_qs, u"1"_qs, pdf, u"-"_qs});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    Pagina pagina;
    const auto page =
        QRegularExpression(uR"x(<page width="([\d.]+)" height="([\d.]+)")x"_qs).match(html);
    pagina.dimensione = {page.captured(1).toDouble(), page.captured(2).toDouble()};
    static const QRegularExpression word(
        uR"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)x"_qs);
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        pagina.parole.append({m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble()});
    }
    return pagina;
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

// The A4 printable area of the test queue, from its PPD ("llx lly urx ury" from the bottom).
QRectF areaCoda(const Pagina &pagina)
{
    QFile ppd(u"/etc/cups/ppd/zefirano-test.ppd"_qs);
    if (!ppd.open(QIODevice::ReadOnly))
        return {};
    const auto m = QRegularExpression(
                       uR"x(\*ImageableArea A4/[^:]*: "([\d.]+) ([\d.]+) ([\d.]+) ([\d.]+)")x"_qs)
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
            u"%1 + %2 = ?  ( %3)  4"_qs.arg(i + 10).arg(i).arg(2 * i + 10);
    s.TempoEsercizio = {QString(), u" 125"_qs, u" 98"_qs, u" 7"_qs, QString(), QString()};
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
    std::unique_ptr<QLockFile> m_lock;
    bool m_root = geteuid() == 0;
    Pagina m_carta;
    Pagina m_pdf;

    QString uscita() const { return m_cartella.filePath(u"out.pdf"_qs); }

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
        if (!m_root)
            return;
        // The machine has one scheduler; a second run would take it away from this one.
        m_lock = std::make_unique<QLockFile>(QDir::temp().filePath(u"zefirano-cups.lock"_qs));
        QVERIFY2(m_lock->tryLock(10 * 60 * 1000), "another printing test holds the scheduler");
    }

    void cleanupTestCase()
    {
        if (m_root)
            coda(u"stop"_qs);
    }

    void init()
    {
        if (!m_root && QByteArray(QTest::currentTestFunction()).startsWith("paper"))
            QSKIP("needs root: the test starts its own CUPS scheduler and PDF queue");
    }

    void paper_operationsPage()
    {
        QCOMPARE(coda(u"start"_qs), 0);
        QtPrinter printer;
        QString errore;
        QVERIFY2(stampaPagina(printer, errore), qPrintable(errore));
        QCOMPARE(coda(u"wait"_qs), 0);
        m_carta = leggiPdf(uscita());
    }
    void paper_line_data() { righe_data(); }
    void paper_line() { confronta(m_carta, areaCoda(m_carta).topLeft()); }

    void paper_fault_data()
    {
        QTest::addColumn<QString>("guasto"); // what cups-queue does to the printer
        QTest::addColumn<bool>("paginaAperta");
        QTest::addColumn<QString>("errore");
        const QString nonArrivata = u"La pagina non è arrivata alla stampante «zefirano-test»."_qs;
        QTest::newRow("queue rejects jobs") << u"reject"_qs << false
                                            << u"La stampante «zefirano-test» non accetta lavori "
                                               u"di stampa."_qs;
        QTest::newRow("queue rejects the open page") << u"reject"_qs << true << nonArrivata;
        QTest::newRow("no queue") << u"remove"_qs << false
                                  << u"Non c'è nessuna stampante installata."_qs;
        QTest::newRow("no scheduler") << u"stop"_qs << false
                                      << u"Il servizio di stampa non è attivo: nessuna "
                                         u"stampante è raggiungibile."_qs;
        QTest::newRow("scheduler gone with the page open") << u"stop"_qs << true << nonArrivata;
    }
    void paper_fault()
    {
        QFETCH(QString, guasto);
        QFETCH(bool, paginaAperta);
        QFETCH(QString, errore);
        QCOMPARE(coda(u"start"_qs), 0);
        QtPrinter printer;
        if (paginaAperta)
            QVERIFY(printer.print(u"prima riga"_qs));
        QCOMPARE(coda(guasto), 0);
        QString motivo;
        QVERIFY(!stampaPagina(printer, motivo));
        QCOMPARE(motivo, errore);
        QVERIFY(!printer.print(u"ancora"_qs));
        QVERIFY(!printer.endDoc());
        if (guasto != u"stop")
            QCOMPARE(coda(u"wait"_qs), 0);
        QVERIFY(!QFileInfo::exists(uscita()));
    }

    void paper_killDocSendsNothing()
    {
        QCOMPARE(coda(u"start"_qs), 0);
        {
            QtPrinter printer;
            QVERIFY(printer.print(u"pagina annullata"_qs));
            printer.killDoc();
        }
        QCOMPARE(coda(u"wait"_qs), 0);
        QVERIFY(!QFileInfo::exists(uscita()));
        QtPrinter seguente; // reaches the scheduler again
        QVERIFY(seguente.print(u"pagina seguente"_qs));
        QVERIFY2(seguente.endDoc(), qPrintable(seguente.errore()));
        QCOMPARE(coda(u"wait"_qs), 0);
        QVERIFY(QFileInfo::exists(uscita()));
    }

    void pdf_operationsPage()
    {
        const QString file = m_cartella.filePath(u"operazioni.pdf"_qs);
        QtPrinter printer(file);
        QString errore;
        QVERIFY2(stampaPagina(printer, errore), qPrintable(errore));
        m_pdf = leggiPdf(file);
    }
    void pdf_line_data() { righe_data(); }
    void pdf_line() { confronta(m_pdf, areaPdf(m_pdf).topLeft()); }

    void pdf_unwritableFolder()
    {
        QtPrinter printer(m_cartella.filePath(u"manca/operazioni.pdf"_qs));
        QString errore;
        QVERIFY(!stampaPagina(printer, errore));
        QCOMPARE(errore, u"Non è stato possibile scrivere il file «operazioni.pdf»."_qs);
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
        if (carta && !m_root)
            QSKIP("needs root: the test starts its own CUPS scheduler and PDF queue");
        QWidget finestra;
        finestra.resize(1200, 900); // wider than the page: it has to shrink to fit
        auto *layout = new QVBoxLayout(&finestra);
        layout->addWidget(new QLabel(u"ATTESTATO"_qs));
        layout->addWidget(new QLabel(u"rilasciato a Élodie"_qs));
        auto *nascosto = new QLabel(u"ESCI"_qs);
        layout->addWidget(nascosto);
        nascosto->hide();
        auto *destra = new QLabel(u"destra"_qs);
        destra->setAlignment(Qt::AlignRight);
        layout->addWidget(destra);

        const QString file = carta ? uscita() : m_cartella.filePath(u"finestra.pdf"_qs);
        if (carta)
            QCOMPARE(coda(u"start"_qs), 0);
        auto printer = carta ? std::make_unique<QtPrinter>() : std::make_unique<QtPrinter>(file);
        QVERIFY(printer->printForm(&finestra));
        QVERIFY2(printer->endDoc(), qPrintable(printer->errore()));
        if (carta)
            QCOMPARE(coda(u"wait"_qs), 0);
        QVERIFY(QFileInfo(file).size() < 2 * 1024 * 1024);

        const Pagina pagina = leggiPdf(file);
        QStringList testi;
        for (const Parola &p : pagina.parole)
            testi.append(p.testo);
        QCOMPARE(testi, (QStringList{u"ATTESTATO"_qs, u"rilasciato"_qs, u"a"_qs, u"Élodie"_qs,
                                     u"destra"_qs}));
        // Shrunk to the printable width, no further.
        const double margine = (carta ? areaCoda(pagina) : areaPdf(pagina)).right();
        const double bordo = pagina.parole.last().destra;
        QVERIFY2(
            bordo <= margine && bordo > margine - 20,
            qPrintable(u"right edge at %1, printable area ends at %2"_qs.arg(bordo).arg(margine)));
    }
};

QTEST_MAIN(TestStampaCups)
#include "test_stampa_cups.moc"
