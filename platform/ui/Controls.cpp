#include "platform/ui/Controls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QValidator>

#include <algorithm>

namespace {
// The border of whatever has the keyboard's focus: a button's, a picture's.
const QColor coloreFuoco(0x1c, 0x2f, 0x8c);

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

// What assistive technology hears of our controls, set up once.
void installaAccessibilita();
} // namespace

Label::Label(QWidget *parent) : QLabel(parent)
{
    installaAccessibilita();
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit clicked();
}

void Label::colloca(const QRect &box, int liberoSinistra, int liberoDestra, const QFont *scaled)
{
    m_box = box;
    m_liberoSinistra = std::max(0, liberoSinistra);
    m_liberoDestra = std::max(0, liberoDestra);
    setGeometry(box);
    if (scaled) {
        m_scaled = *scaled;
        m_hasScaled = true;
    }
    fit();
}

void Label::setLinea(int pixel)
{
    if (pixel != m_linea) {
        m_linea = pixel;
        update();
    }
}

void Label::setColonne(QList<int> stops, bool parolaPerColonna)
{
    m_colonne = std::move(stops);
    m_parolaPerColonna = parolaPerColonna;
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

// The words of the caption, each with the column that the middle of its place in the caption
// falls in, the caption spread over the label's width.
QList<Label::Parola> Label::parole() const
{
    QList<Parola> risultato;
    const QString caption = text();
    const qsizetype lunghezza = std::max<qsizetype>(1, caption.size());
    qsizetype i = 0;
    while (i < caption.size()) {
        if (caption.at(i).isSpace()) {
            ++i;
            continue;
        }
        qsizetype fine = i;
        while (fine < caption.size() && !caption.at(fine).isSpace())
            ++fine;
        int colonna = 0;
        if (m_parolaPerColonna) {
            colonna = static_cast<int>(risultato.size()) + 1;
        } else {
            const double x = (i + fine) / 2.0 / static_cast<double>(lunghezza) * width();
            while (colonna < m_colonne.size() && x >= m_colonne[colonna])
                ++colonna;
        }
        risultato.append({caption.mid(i, fine - i), colonna});
        i = fine;
    }
    return risultato;
}

bool Label::fits(const QFont &font) const
{
    const QFontMetrics metrics(font);
    if (!m_colonne.isEmpty()) {
        for (const Parola &p : parole()) {
            const int sinistra = p.colonna > 0 ? m_colonne[p.colonna - 1] : 0;
            const int destra = p.colonna < m_colonne.size() ? m_colonne[p.colonna] : width();
            if (metrics.horizontalAdvance(p.testo) > destra - sinistra)
                return false;
        }
        return true;
    }
    const int width = textWidth(metrics);
    if (!wordWrap())
        return metrics.horizontalAdvance(text()) <= width;
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap | alignment(), text());
    return needed.width() <= width && needed.height() <= contentsRect().height();
}

// A one-line caption wider than the label takes the free room beside it: to the right of a
// label aligned left; on both sides of a centred one, alike as far as both have room, then on
// the side that has more.
void Label::allarga(const QFontMetrics &metrics)
{
    const int manca = metrics.horizontalAdvance(text()) - textWidth(metrics);
    if (manca <= 0)
        return;
    QRect box = m_box;
    if (alignment() & Qt::AlignHCenter) {
        const int lato = std::min({(manca + 1) / 2, m_liberoSinistra, m_liberoDestra});
        const int resto = std::max(0, manca - 2 * lato);
        box.adjust(-lato - std::min(resto, m_liberoSinistra - lato), 0,
                   lato + std::min(resto, m_liberoDestra - lato), 0);
    } else {
        box.setRight(box.right() + std::min(manca, m_liberoDestra));
    }
    setGeometry(box);
}

void Label::fit()
{
    if (!m_hasScaled)
        return;
    if (!m_box.isNull() && geometry() != m_box)
        setGeometry(m_box);
    setWordWrap(
        m_colonne.isEmpty() &&
        (m_aCapo >= 0 ? m_aCapo == 1 : height() >= 2 * QFontMetrics(m_scaled).lineSpacing()));
    QFont font = m_scaled;
    const int smallest = piuPiccola(m_scaled);
    int size = std::max(1, m_scaled.pixelSize());
    if (!wordWrap() && m_colonne.isEmpty() && !fits(font)) {
        if (!m_box.isNull())
            allarga(QFontMetrics(font));
        if (!fits(font)) {
            size = primaProva(font, text(), textWidth(QFontMetrics(font)), smallest);
            font.setPixelSize(size);
        }
    } else if (wordWrap() && !fits(font)) {
        size = primaProvaACapo(font, smallest);
        font.setPixelSize(size);
    }
    while (size > 1 && !fits(font))
        font.setPixelSize(--size);
    if (font != this->font())
        setFont(font);
}

// The size to try first for a wrapped caption that runs taller than the label: text laid out
// at a smaller size wraps as the designed face does in a proportionally wider box, so the
// designed face alone tells the largest size that fits, with no font loaded for the sizes
// between.
int Label::primaProvaACapo(const QFont &font, int smallest) const
{
    const QFontMetrics metrics(font);
    const int designed = std::max(1, font.pixelSize());
    const int width = std::max(1, textWidth(metrics));
    for (int size = designed - 1; size > smallest; --size) {
        const double fattore = double(designed) / size;
        const QRect needed = metrics.boundingRect(QRect(0, 0, int(width * fattore), 1 << 20),
                                                  Qt::TextWordWrap | alignment(), text());
        if (needed.height() / fattore <= contentsRect().height())
            return size;
    }
    return smallest;
}

void Label::paintEvent(QPaintEvent *event)
{
    if (hasFocus()) {
        // A line of a list that has the keyboard's focus: framed as a focused button is.
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setPen(QPen(coloreFuoco, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        return;
    }
    if (m_linea < 0 && m_colonne.isEmpty()) {
        QLabel::paintEvent(event);
        return;
    }
    QFrame::paintEvent(event); // the border, if any
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics(font());
    const QRect contenuto = contentsRect();
    const int linea = m_linea >= 0 ? m_linea : contenuto.top() + metrics.ascent();
    const auto scrivi = [&](const QString &testo, int sinistra, int destra) {
        const int largo = metrics.horizontalAdvance(testo);
        int x = sinistra;
        if (alignment() & Qt::AlignHCenter || !m_colonne.isEmpty())
            x = sinistra + (destra - sinistra - largo) / 2;
        else if (alignment() & Qt::AlignRight)
            x = destra - largo;
        painter.drawText(QPoint(x, linea), testo);
    };
    if (m_colonne.isEmpty()) {
        scrivi(text(), contenuto.left(), contenuto.right() + 1);
        return;
    }
    for (const Parola &p : parole())
        scrivi(p.testo, p.colonna > 0 ? m_colonne[p.colonna - 1] : 0,
               p.colonna < m_colonne.size() ? m_colonne[p.colonna] : width());
}

Pulsante::Pulsante(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    setAutoDefault(true);
}

void Pulsante::setColori(const QColor &sfondo, const QColor &testo)
{
    m_sfondo = sfondo;
    m_testo = testo;
    update();
}

void Pulsante::paintEvent(QPaintEvent *event)
{
    if (!m_sfondo.isValid()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal bordo = hasFocus() ? 2 : 1;
    painter.setPen(QPen(hasFocus() ? coloreFuoco : QColor(0x5a, 0x5a, 0x5a), bordo));
    painter.setBrush(isDown() ? m_sfondo.darker(115) : m_sfondo);
    painter.drawRoundedRect(QRectF(rect()).adjusted(bordo / 2, bordo / 2, -bordo / 2, -bordo / 2),
                            3, 3);
    // A disabled button shows no caption, as the blank bar behind the exercise's buttons.
    if (!isEnabled())
        return;
    painter.setPen(m_testo.isValid() ? m_testo : palette().color(QPalette::ButtonText));
    painter.drawText(rect().adjusted(cornice, cornice, -cornice, -cornice), Qt::AlignCenter,
                     text());
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

Elenco::Elenco(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &Elenco::annunciaScelta);
}

// Qt's bridge to the accessibility bus (6.4) reports a new choice as a change of the list's
// name that carries the list itself in place of the name, then as a change of a selection that
// the list does not offer: a screen reader says nothing. The choice the keys make takes the
// accessibility focus, as the current item of an open list does, and is heard with its place in
// the list.
void Elenco::annunciaScelta(int indice)
{
    if (indice < 0 || !hasFocus() || !QAccessible::isActive())
        return;
    QAccessibleEvent evento(view(), QAccessible::Focus);
    evento.setChild(indice);
    QAccessible::updateAccessibility(&evento);
}

// The open list is made when it first opens (asking for it before would build it with the
// screen): its items drawn as a list's, in the list's colours, rather than as the style's menu
// items.
void Elenco::showPopup()
{
    if (!m_apribile) {
        setItemDelegate(new QStyledItemDelegate(this));
        m_apribile = true;
    }
    view()->setPalette(palette());
    if (QWidget *contenitore = view()->parentWidget())
        contenitore->setPalette(palette());
    QComboBox::showPopup();
}

void Elenco::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const int bordo = hasFocus() ? 2 : 1;
    painter.setPen(QPen(hasFocus() ? coloreFuoco : QColor(0x5a, 0x5a, 0x5a), bordo));
    painter.drawRect(QRectF(rect()).adjusted(bordo / 2.0, bordo / 2.0, -bordo / 2.0, -bordo / 2.0));

    // The arrow: a triangle as wide as half a line of the text, drawn at any size.
    const int lato = std::min(height(), fontMetrics().height());
    const QPointF centro(width() - bordo - lato / 2.0, height() / 2.0);
    const double mezzo = lato / 4.0;
    const QPointF freccia[] = {centro + QPointF(-mezzo, -mezzo / 2),
                               centro + QPointF(mezzo, -mezzo / 2), centro + QPointF(0, mezzo / 2)};
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(palette().color(isEnabled() ? QPalette::Text : QPalette::Mid));
    painter.drawPolygon(freccia, 3);
    painter.setRenderHint(QPainter::Antialiasing, false);

    const int margine = fontMetrics().averageCharWidth() / 2 + bordo;
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(rect().adjusted(margine, 0, -(lato + 2 * bordo + margine), 0),
                     Qt::AlignVCenter | Qt::AlignLeft, currentText());
}

namespace {
// Control, format, line and paragraph separator characters: a line break or tab, a direction
// mark or override (U+202E shows a name reversed), a zero-width space. No key types them.
bool invisibile(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Keeps a text box's text one line of whole characters within its limit. Qt's own maximum
// length counts UTF-16 units and cuts a pasted or typed emoji in half, and a pasted line break
// would end up in the name or in the stored line of an operation. Text pasted, dropped or
// composed by an input method is held to what the box lets typing put in.
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
            const bool coppia = c.isLowSurrogate() && i > 0 && testo.at(i - 1).isHighSurrogate();
            if (!coppia && c.isSurrogate()) {
                togli(i, 1);
                continue;
            }
            const char32_t codice =
                coppia ? QChar::surrogateToUcs4(testo.at(i - 1), c) : char32_t(c.unicode());
            if (coppia)
                --i;
            if (invisibile(codice) || (m_box.ammesso && !m_box.ammesso(codice)))
                togli(i, coppia ? 2 : 1);
            else
                ++caratteri;
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

void TextBox::setLinea(int pixel)
{
    m_linea = pixel;
    allineaLinea();
}

void TextBox::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        allineaLinea();
}

void TextBox::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    allineaLinea();
}

// A line edit aligned to the top draws its text one pixel below the top of its contents, less
// the text margins: the top margin puts the baseline where it is asked.
void TextBox::allineaLinea()
{
    if (m_linea < 0)
        return;
    QStyleOptionFrame pannello;
    initStyleOption(&pannello);
    const QRect contenuto = style()->subElementRect(QStyle::SE_LineEditContents, &pannello, this);
    const int sopra = m_linea - QFontMetrics(font()).ascent() - 1 - contenuto.top();
    const Qt::Alignment orizzontale = alignment() & Qt::AlignHorizontal_Mask;
    if (alignment() != (orizzontale | Qt::AlignTop))
        setAlignment(orizzontale | Qt::AlignTop);
    if (textMargins().top() != sopra)
        setTextMargins(0, sopra, 0, 0);
}

void TextBox::mousePressEvent(QMouseEvent *event)
{
    QPointer<TextBox> self(this);
    QLineEdit::mousePressEvent(event);
    if (self)
        emit clicked();
}

bool decorazione(const QWidget &w)
{
    if (qobject_cast<const Shape *>(&w))
        return true;
    if (auto *picture = qobject_cast<const Picture *>(&w))
        return picture->focusPolicy() == Qt::NoFocus && picture->accessibleName().isEmpty();
    if (auto *pulsante = qobject_cast<const QPushButton *>(&w))
        return !pulsante->isEnabled() && pulsante->text().trimmed().isEmpty();
    return false;
}

AccessibleContenitore::AccessibleContenitore(QWidget *w, QAccessible::Role role)
    : QAccessibleWidget(w, role)
{
}

QList<QWidget *> AccessibleContenitore::inOrdine() const
{
    QList<QWidget *> figli;
    for (QObject *o : widget()->children())
        if (o->isWidgetType() && !static_cast<QWidget *>(o)->isWindow())
            figli.append(static_cast<QWidget *>(o));
    return figli;
}

QList<QWidget *> AccessibleContenitore::letti() const
{
    QList<QWidget *> figli = inOrdine();
    figli.removeIf([](const QWidget *w) { return decorazione(*w); });
    return figli;
}

int AccessibleContenitore::childCount() const
{
    return static_cast<int>(letti().size());
}

QAccessibleInterface *AccessibleContenitore::child(int index) const
{
    const QList<QWidget *> figli = letti();
    return index >= 0 && index < figli.size() ? QAccessible::queryAccessibleInterface(figli[index])
                                              : nullptr;
}

int AccessibleContenitore::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child || !child->object() || !child->object()->isWidgetType())
        return -1;
    return static_cast<int>(letti().indexOf(static_cast<QWidget *>(child->object())));
}

QString AccessibleContenitore::text(QAccessible::Text t) const
{
    if (t != QAccessible::Name)
        return QAccessibleWidget::text(t);
    if (!widget()->accessibleName().isEmpty())
        return widget()->accessibleName();
    static const QRegularExpression parola(QStringLiteral("\\w"));
    const auto *gruppo = qobject_cast<const QGroupBox *>(widget());
    return gruppo && gruppo->title().contains(parola) ? gruppo->title() : QString();
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

// A label says its caption and nothing else: Qt would name an empty label after the frame it
// stands in, so that a screen reader says "ELABORAZIONE" for an empty time.
class AccessibleLabel final : public QAccessibleWidget
{
public:
    explicit AccessibleLabel(Label *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    // One that takes the focus is a line of a list, while it has a caption.
    QAccessible::Role role() const override
    {
        return widget()->focusPolicy() == Qt::NoFocus || text(QAccessible::Name).isEmpty()
                   ? QAccessible::StaticText
                   : QAccessible::ListItem;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString nome = widget()->accessibleName();
        return nome.isEmpty() ? static_cast<Label *>(widget())->text() : nome;
    }
};

// A rule between columns has nothing to say.
class AccessibleLine final : public QAccessibleWidget
{
public:
    explicit AccessibleLine(Line *line) : QAccessibleWidget(line, QAccessible::Separator) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QString() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *accessibile(const QString &className, QObject *object)
{
    if (className == u"Pannello" || className == u"PannelloTitolato")
        return new AccessibleContenitore(static_cast<QWidget *>(object), QAccessible::Grouping);
    if (className == u"Picture")
        if (auto *picture = qobject_cast<Picture *>(object))
            return new AccessiblePicture(picture);
    if (className == u"Label")
        if (auto *label = qobject_cast<Label *>(object))
            return new AccessibleLabel(label);
    if (className == u"Line")
        if (auto *line = qobject_cast<Line *>(object))
            return new AccessibleLine(line);
    return nullptr;
}

void installaAccessibilita()
{
    static const bool installata = [] {
        QAccessible::installFactory(accessibile);
        return true;
    }();
    Q_UNUSED(installata);
}

} // namespace

void disegna(QPainter &painter, const QString &resource, const QRect &dove)
{
    // One recording per picture for the run: each is read once.
    static QHash<QString, QPicture> letti;
    auto it = letti.find(resource);
    if (it == letti.end()) {
        QPicture nuovo;
        nuovo.load(resource);
        it = letti.insert(resource, nuovo);
    }
    const QRect area = it->boundingRect();
    if (area.isEmpty())
        return;
    painter.save();
    painter.translate(dove.topLeft());
    painter.scale(dove.width() / double(area.width()), dove.height() / double(area.height()));
    painter.translate(-area.topLeft());
    painter.drawPicture(0, 0, *it);
    painter.restore();
}

Picture::Picture(const QString &resource, QWidget *parent) : QWidget(parent), m_resource(resource)
{
    installaAccessibilita();
    setFocusPolicy(Qt::NoFocus);
}

void Picture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    disegna(painter, m_resource, rect());
    if (hasFocus()) {
        // As plain as a focused button's border: 2 px of navy, lined inside with white so that it
        // stands out on a blue picture as well.
        painter.setPen(QPen(coloreFuoco, 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5));
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
    installaAccessibilita();
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
