#include "platform/ui/Controls.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QValidator>

#include <algorithm>

namespace {
// The size to try first for a one-line text that runs wider than `larghezza` in `font`: text
// width grows about linearly with the face's size, so the guess saves trying every size on the
// way down, each a font load of its own.
int primaProva(const QFont &font, const QString &text, int larghezza, int smallest)
{
    const int designed = std::max(1, font.pixelSize());
    const int advance = std::max(1, QFontMetrics(font).horizontalAdvance(text));
    return std::clamp(designed * larghezza / advance, smallest, designed);
}

int piuPiccola(const QFont &font)
{
    return std::max(1, static_cast<int>(std::max(1, font.pixelSize()) * 0.7));
}
} // namespace

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

void Label::setScaledFont(const QFont &font)
{
    m_scaled = font;
    m_hasScaled = true;
    fit();
}

void Label::setText(const QString &text)
{
    QLabel::setText(text);
    fit();
}

int Label::textWidth(const QFontMetrics &metrics) const
{
    int width = contentsRect().width() - 2 * margin();
    if (frameWidth() > 0 && indent() < 0 && !(alignment() & Qt::AlignHCenter))
        width -= metrics.horizontalAdvance(u'x') / 2;
    return width;
}

bool Label::fits(const QFont &font) const
{
    const QFontMetrics metrics(font);
    const int width = textWidth(metrics);
    if (!wordWrap())
        return metrics.horizontalAdvance(text()) <= width;
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | alignment(), text());
    return needed.width() <= width && needed.height() <= contentsRect().height();
}

void Label::fit()
{
    if (!m_hasScaled)
        return;
    setWordWrap(height() >= 2 * QFontMetrics(m_scaled).lineSpacing());
    QFont font = m_scaled;
    const int smallest = piuPiccola(m_scaled);
    int size = std::max(1, m_scaled.pixelSize());
    if (!wordWrap() && !fits(font)) {
        size = primaProva(font, text(), textWidth(QFontMetrics(font)), smallest);
        font.setPixelSize(size);
    }
    while (size > smallest && !fits(font))
        font.setPixelSize(--size);
    if (font != this->font())
        setFont(font);
}

Pulsante::Pulsante(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(true);
}

void Pulsante::setScaledFont(const QFont &scaled)
{
    QFont font = scaled;
    const int larghezza = width() - 2 * cornice;
    const auto entra = [&] { return QFontMetrics(font).horizontalAdvance(text()) <= larghezza; };
    if (!entra()) {
        const int smallest = piuPiccola(scaled);
        int size = primaProva(font, text(), larghezza, smallest);
        font.setPixelSize(size);
        while (size > smallest && !entra())
            font.setPixelSize(--size);
    }
    if (font != this->font())
        setFont(font);
}

namespace {
// Keeps a text box's text one line of whole characters within its limit. Qt's own maximum
// length counts UTF-16 units and cuts a pasted or typed emoji in half, and a pasted line break
// would end up in the name or in the stored line of an operation.
class Contenuto final : public QValidator
{
public:
    explicit Contenuto(TextBox &box) : QValidator(&box), m_box(box) {}

    State validate(QString &testo, int &cursore) const override
    {
        const auto togli = [&](qsizetype da, qsizetype quanti) {
            testo.remove(da, quanti);
            if (cursore > da)
                cursore -= static_cast<int>(std::min<qsizetype>(quanti, cursore - da));
        };
        qsizetype caratteri = 0;
        for (qsizetype i = testo.size(); i-- > 0;) {
            const QChar c = testo.at(i);
            if (c.isLowSurrogate() && i > 0 && testo.at(i - 1).isHighSurrogate()) {
                --i;
                ++caratteri;
            } else if (c.isSurrogate() || c.category() == QChar::Other_Control) {
                togli(i, 1);
            } else {
                ++caratteri;
            }
        }
        // What was typed or pasted last ends at the cursor: its end goes first.
        for (const int limite = m_box.limite(); limite > 0 && caratteri > limite; --caratteri) {
            const qsizetype fine = cursore > 0 ? cursore : testo.size();
            const bool coppia = fine > 1 && testo.at(fine - 1).isLowSurrogate() &&
                                testo.at(fine - 2).isHighSurrogate();
            togli(fine - (coppia ? 2 : 1), coppia ? 2 : 1);
        }
        return Acceptable;
    }

private:
    const TextBox &m_box;
};
} // namespace

TextBox::TextBox(QWidget *parent) : QLineEdit(parent)
{
    setValidator(new Contenuto(*this));
}

void TextBox::setLimite(int caratteri)
{
    m_limite = std::max(0, caratteri);
    setText(text());
}

int TextBox::keyAscii(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Delete: // its text is DEL on X11, yet it types no character
        return 0;
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
class AccessiblePicture final : public QAccessibleWidget
{
public:
    explicit AccessiblePicture(Picture *picture) : QAccessibleWidget(picture) {}

    // Asked each time: the screen gives a picture its focus policy after creating it.
    QAccessible::Role role() const override
    {
        return widget()->focusPolicy() == Qt::NoFocus ? QAccessible::Graphic : QAccessible::Button;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() == QAccessible::Button)
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &name) override
    {
        if (name == pressAction() && role() == QAccessible::Button)
            static_cast<Picture *>(widget())->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface *accessiblePicture(const QString &className, QObject *object)
{
    if (className == u"Picture")
        if (auto *picture = qobject_cast<Picture *>(object))
            return new AccessiblePicture(picture);
    return nullptr;
}

// One renderer per picture while the application lives: each SVG is parsed once, and the
// renderers go with the application rather than outliving it as leaks.
QSvgRenderer *renderer(const QString &resource)
{
    static QHash<QString, QSvgRenderer *> cache;
    auto it = cache.find(resource);
    if (it == cache.end()) {
        auto *nuovo = new QSvgRenderer(resource, QCoreApplication::instance());
        QObject::connect(nuovo, &QObject::destroyed, [resource] { cache.remove(resource); });
        it = cache.insert(resource, nuovo);
    }
    return it.value();
}
} // namespace

Picture::Picture(const QString &resource, QWidget *parent) : QWidget(parent), m_resource(resource)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessiblePicture);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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
    const bool preme = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                       event->key() == Qt::Key_Enter;
    if (preme && !event->isAutoRepeat()) {
        event->accept();
        click();
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
