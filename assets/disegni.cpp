// Turns each SVG picture into the painter's own recording of it (QPicture): the program replays
// the recording at whatever size it shows the picture, as sharp as the SVG, without parsing the
// SVG or loading an SVG library at run time.
//
// Given an output named .ico, it draws the picture instead as a Windows icon, at the sizes the
// desktop shows it (the task bar, the Start menu, the list of installed programs).
//
// Usage: disegni <input.svg> <output.pic|output.ico>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QSvgRenderer>

#include <cstdio>

namespace {
// An icon file holding one PNG image per size, as Windows reads them since Vista.
bool salvaIcona(QSvgRenderer &svg, const QString &path)
{
    static constexpr int lati[] = {16, 20, 24, 32, 40, 48, 64, 256};
    QList<QByteArray> immagini;
    for (int lato : lati) {
        QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
        immagine.fill(Qt::transparent);
        QPainter painter(&immagine);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter, QRectF(0, 0, lato, lato));
        painter.end();
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!immagine.save(&png, "PNG"))
            return false;
        immagini.append(png.data());
    }
    QByteArray icona;
    const auto parola = [&icona](quint16 n) { icona.append(char(n & 0xff)).append(char(n >> 8)); };
    const auto doppia = [&](quint32 n) {
        parola(quint16(n & 0xffff));
        parola(quint16(n >> 16));
    };
    parola(0); // reserved
    parola(1); // an icon
    parola(quint16(immagini.size()));
    quint32 posizione = 6 + 16 * quint32(immagini.size());
    for (qsizetype i = 0; i < immagini.size(); ++i) {
        const int lato = lati[i];
        icona.append(char(lato % 256)).append(char(lato % 256)); // 0 stands for 256
        parola(0);                                               // no palette
        parola(1);                                               // planes
        parola(32);                                              // bits per pixel
        doppia(quint32(immagini[i].size()));
        doppia(posizione);
        posizione += quint32(immagini[i].size());
    }
    for (const QByteArray &immagine : std::as_const(immagini))
        icona.append(immagine);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(icona) == icona.size() && file.flush();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: disegni <input.svg> <output.pic|output.ico>\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "disegni: %s is not a valid SVG picture\n", argv[1]);
        return 1;
    }
    const QString uscita = QString::fromLocal8Bit(argv[2]);
    if (uscita.endsWith(QLatin1String(".ico"))) {
        if (salvaIcona(svg, uscita))
            return 0;
        std::fprintf(stderr, "disegni: cannot write %s\n", argv[2]);
        return 1;
    }
    const QRectF area(QPointF(0, 0), svg.viewBoxF().size());
    QPicture disegno;
    // The recording's bounds are the picture's whole area, stored with it: the program maps them
    // onto the place it shows the picture. Left to the painter, they would follow what is drawn,
    // margins and all, and each Qt version pads a stroke's bounds its own way.
    disegno.setBoundingRect(area.toAlignedRect());
    QPainter painter(&disegno);
    svg.render(&painter, area);
    painter.end();
    if (!disegno.save(uscita)) {
        std::fprintf(stderr, "disegni: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
