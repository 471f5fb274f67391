#include "platform/Controls.h"

#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>

Label::Label(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit clicked();
}

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

int TextBox::keyAscii(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    return static_cast<int>(text.toUcs4().value(0));
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    int code = keyAscii(*event);
    if (code != 0 && keyPress) {
        QPointer<TextBox> self(this);
        keyPress(code);
        if (!self)
            return;
        if (code == 0 || code == 13) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    QPointer<TextBox> self(this);
    QLineEdit::mousePressEvent(event);
    if (self)
        emit clicked();
}

namespace {
// One renderer per picture for the whole run: each SVG is parsed once.
QSvgRenderer *renderer(const QString &resource)
{
    static QHash<QString, QSvgRenderer *> cache;
    auto it = cache.find(resource);
    if (it == cache.end())
        it = cache.insert(resource, new QSvgRenderer(resource));
    return it.value();
}
} // namespace

Picture::Picture(const QString &resource, QWidget *parent) : QWidget(parent), m_resource(resource)
{
    setFocusPolicy(Qt::NoFocus);
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    renderer(m_resource)->render(&painter, QRectF(rect()));
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 2, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void Picture::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit clicked();
}

void Picture::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

Shape::Shape(bool rounded, int borderWidth, QWidget *parent)
    : QWidget(parent), m_rounded(rounded), m_borderWidth(borderWidth)
{
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal half = m_borderWidth / 2.0;
    const QRectF box = QRectF(rect()).adjusted(half, half, -half, -half);
    painter.setPen(QPen(Qt::black, m_borderWidth));
    painter.setBrush(palette().color(QPalette::Window));
    if (m_rounded) {
        const qreal radius = std::min(box.width(), box.height()) / 4.0;
        painter.drawRoundedRect(box, radius, radius);
    } else {
        painter.drawRect(box);
    }
}

Line::Line(Direction direction, QWidget *parent) : QWidget(parent), m_direction(direction)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const QRect r = rect();
    switch (m_direction) {
    case Direction::Vertical:
        painter.drawLine(r.center().x(), r.top(), r.center().x(), r.bottom());
        break;
    case Direction::Horizontal:
        painter.drawLine(r.left(), r.center().y(), r.right(), r.center().y());
        break;
    case Direction::Down:
        painter.drawLine(r.topLeft(), r.bottomRight());
        break;
    case Direction::Up:
        painter.drawLine(r.bottomLeft(), r.topRight());
        break;
    }
}
