// Turns each SVG picture into the painter's own recording of it (QPicture): the program replays
// the recording at whatever size it shows the picture, as sharp as the SVG, without parsing the
// SVG or loading an SVG library at run time.
//
// Usage: disegni <input.svg> <output.pic>

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: disegni <input.svg> <output.pic>\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "disegni: %s is not a valid SVG picture\n", argv[1]);
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
    if (!disegno.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "disegni: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
