#include "platform/ui/Form.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Facce.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

QColor toQColor(Colore c)
{
    return QColor(c.r(), c.g(), c.b());
}

QString text(const char16_t *s)
{
    return s ? QString::fromUtf16(s) : QString();
}

Line::Direction direction(const ControlDef &def)
{
    if (def.left == def.width)
        return Line::Direction::Vertical;
    if (def.top == def.height)
        return Line::Direction::Horizontal;
    return (def.width > def.left) == (def.height > def.top) ? Line::Direction::Down
                                                            : Line::Direction::Up;
}

// A line's table entry holds its two end points; its widget takes their bounding box.
QRectF lineBox(const ControlDef &def)
{
    const double left = std::min(def.left, def.width);
    const double top = std::min(def.top, def.height);
    return {left, top, std::max(twipsPerPixel, std::abs(def.width - def.left) + twipsPerPixel),
            std::max(twipsPerPixel, std::abs(def.height - def.top) + twipsPerPixel)};
}

QWidget *create(const ControlDef &def, QWidget *parent)
{
    switch (def.kind) {
    case Kind::Label: {
        auto *label = new Label(parent);
        label->setText(text(def.caption));
        const Qt::Alignment horizontal = def.flags & Centred ? Qt::AlignHCenter : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignTop);
        if (def.flags & Border) {
            label->setFrameShape(QFrame::Box);
            label->setLineWidth(1);
        }
        return label;
    }
    case Kind::Button:
        return new Pulsante(text(def.caption), parent);
    case Kind::TextBox: {
        auto *box = new TextBox(parent);
        box->setText(text(def.caption));
        box->setLimite(def.maxLength);
        box->setAlignment(def.flags & Centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
        return box;
    }
    case Kind::Frame: {
        if (def.caption && *def.caption)
            return new PannelloTitolato(text(def.caption), parent);
        auto *frame = new Pannello(parent);
        frame->setFrameShape(def.flags & NoBorder ? QFrame::NoFrame : QFrame::Box);
        return frame;
    }
    case Kind::Combo:
        return new Elenco(parent);
    case Kind::Image:
        return new Picture(QString::fromLatin1(def.picture ? def.picture : ""), parent);
    case Kind::Shape:
        return new Shape(def.flags & Rounded, def.borderWidth, parent);
    case Kind::Line:
        return new Line(direction(def), parent);
    }
    return nullptr;
}

// A menu caption with its access key (Alt and the key opens a menu of the menu bar, the key
// alone an entry of an open menu): its first letter or sign that no other entry of its menu took
// before it.
QString conTasto(QString caption, QString &presi)
{
    caption.replace(u'&', QStringLiteral("&&"));
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i).toLower();
        if (c.isSpace() || c == u'&' || presi.contains(c))
            continue;
        presi.append(c);
        caption.insert(i, u'&');
        break;
    }
    return caption;
}

// The frame the window manager draws around a screen's window, as the last window it mapped had
// it; before any, a guess on the large side.
QMargins corniceNota(8, 40, 8, 8);

// Gives a window the largest client area of the designed proportions that fits the available
// area of its screen with the frame around it, and puts it, frame included, in the middle.
void colloca(QWidget &finestra, QSize design, int menuHeight)
{
    const QScreen *screen = finestra.screen();
    if (!screen)
        return;
    const QRect disponibile = screen->availableGeometry();
    const QRect spazio = disponibile.marginsRemoved(corniceNota);
    const double scala = std::min(spazio.width() / double(design.width()),
                                  (spazio.height() - menuHeight) / double(design.height()));
    const QSize area = scala > 0 ? QSize(static_cast<int>(design.width() * scala),
                                         static_cast<int>(design.height() * scala))
                                 : design;
    const QSize fuori = QSize(area.width(), area.height() + menuHeight).grownBy(corniceNota);
    finestra.resize(area.width(), area.height() + menuHeight);
    finestra.move(disponibile.left() + (disponibile.width() - fuori.width()) / 2,
                  disponibile.top() + (disponibile.height() - fuori.height()) / 2);
}

// The face a control is drawn in, named as the system has it: asked for by a designed name, the
// font database would look for that name and its aliases first, for every size.
QString family(const Carattere &font, const Carattere &formFont)
{
    return facciaDisegnata(font.name ? font.name : formFont.name);
}

class AccessibleCanvas final : public AccessibleContenitore
{
public:
    explicit AccessibleCanvas(Canvas *canvas) : AccessibleContenitore(canvas, QAccessible::Client)
    {
    }

protected:
    QList<QWidget *> inOrdine() const override
    {
        return static_cast<const Canvas *>(widget())->controlli();
    }
};

QAccessibleInterface *accessibile(const QString &className, QObject *object)
{
    if (className == u"Canvas")
        if (auto *canvas = qobject_cast<Canvas *>(object))
            return new AccessibleCanvas(canvas);
    return nullptr;
}

} // namespace

Canvas::Canvas(Form &form, QWidget *parent) : QWidget(parent), m_form(form)
{
    static const bool installata = [] {
        QAccessible::installFactory(accessibile);
        return true;
    }();
    Q_UNUSED(installata);
    setAutoFillBackground(true);
}

QList<QWidget *> Canvas::controlli() const
{
    QList<QWidget *> lista;
    for (const Form::Placed &placed : m_form.m_placed)
        if (!placed.container)
            lista.append(placed.widget);
    return lista;
}

void Canvas::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_form.relayout();
}

void Canvas::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit clicked();
}

FormWindow::FormWindow(Form &form) : m_form(form)
{
    setObjectName(QString::fromUtf8(form.definition().name));
}

double FormWindow::scala() const
{
    return m_form.scale();
}

bool FormWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        const bool handled = QMainWindow::event(event);
        m_form.Form_Activate();
        return handled;
    }
    return QMainWindow::event(event);
}

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    // On screen at last, the window knows the frame the window manager put around it, and is
    // placed again for it. A window sized otherwise since, by hand or by a test, keeps its size.
    if (event->type() == QEvent::Expose && watched == windowHandle() &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        const QRect fuori = frameGeometry();
        const QRect dentro = geometry();
        corniceNota = QMargins(dentro.left() - fuori.left(), dentro.top() - fuori.top(),
                               fuori.right() - dentro.right(), fuori.bottom() - dentro.bottom());
        if (m_form.m_window == this && size() == m_form.m_collocata)
            m_form.colloca();
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormWindow::keyPressEvent(QKeyEvent *event)
{
    int keyAscii = TextBox::keyAscii(*event);
    if (keyAscii != 0) {
        QPointer<FormWindow> self(this);
        m_form.Form_KeyPress(keyAscii);
        if (!self)
            return;
        if (keyAscii == 0) {
            event->accept();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_form.windowClosing();
}

Form::Form(const FormDef &definition, QObject *parent) : QObject(parent), m_def(definition)
{
    setObjectName(QString::fromUtf8(definition.name));
}

Form::~Form()
{
    delete m_window.data();
}

void Form::load()
{
    if (m_window)
        return;
    build();
    collega();
    Form_Load();
    emit loaded();
}

void Form::show()
{
    load();
    if (!m_window)
        return;
    if (m_def.maximised) {
        m_window->showMaximized();
    } else {
        // The window manager maps the window after show() returns.
        const bool nuova = !m_def.fixedSize && !m_window->isVisible();
        m_window->show();
        if (nuova)
            m_window->windowHandle()->installEventFilter(m_window);
    }
    m_window->raise();
    m_window->activateWindow();
    if (!m_focusOnShow.isEmpty()) {
        const QByteArray name = std::exchange(m_focusOnShow, {});
        setFocus(name.constData());
    }
}

void Form::unload()
{
    if (!m_window || m_unloading)
        return;
    m_unloading = true;
    m_focusOnShow.clear();
    Form_QueryUnload();
    FormWindow *window = m_window;
    m_window = nullptr;
    m_canvas = nullptr;
    m_placed.clear();
    m_menus.clear();
    if (window) {
        window->close();
        window->deleteLater();
    }
    m_unloading = false;
    emit unloaded();
}

void Form::windowClosing()
{
    if (!m_unloading)
        unload();
}

FormWindow *Form::window()
{
    load();
    return m_window;
}

void Form::build()
{
    m_window = new FormWindow(*this);
    m_window->setWindowTitle(text(m_def.caption));
    // The menu bar is made before the client area, so that a screen reader reads it first, as
    // it stands on the screen.
    if (!m_def.menus.empty())
        m_window->menuBar();
    m_canvas = new Canvas(*this, m_window);
    m_window->setCentralWidget(m_canvas);
    connect(m_canvas, &Canvas::clicked, this, [this] { Form_Click(); });
    m_back = m_def.back;
    if (m_back.isSet()) {
        QPalette palette = m_canvas->palette();
        palette.setColor(QPalette::Window, toQColor(m_back));
        m_canvas->setPalette(palette);
    }

    m_placed.reserve(static_cast<qsizetype>(m_def.controls.size()));
    for (const ControlDef &def : m_def.controls) {
        Placed *container = def.in ? find(def.in) : nullptr;
        QWidget *parent = container ? container->widget : m_canvas;
        QWidget *widget = create(def, parent);
        widget->setObjectName(QString::fromLatin1(def.name));
        if (def.toolTip)
            widget->setToolTip(text(def.toolTip));
        if (def.accessibleName) {
            widget->setAccessibleName(text(def.accessibleName));
            // Qt on Unix names a drop-down list by its current item; the description still
            // says what the list is for.
            if (def.kind == Kind::Combo)
                widget->setAccessibleDescription(text(def.accessibleName));
        }
        if (def.flags & Disabled)
            widget->setEnabled(false);
        if (def.flags & Hidden)
            widget->hide();
        if (def.tabIndex < 0 && def.kind != Kind::TextBox && def.kind != Kind::Combo)
            widget->setFocusPolicy(def.kind == Kind::Button ? Qt::TabFocus : Qt::NoFocus);
        else if (def.kind == Kind::Image)
            widget->setFocusPolicy(Qt::StrongFocus); // a picture in the tab order is a button
        const QRectF box = def.kind == Kind::Line
                               ? lineBox(def)
                               : QRectF(def.left, def.top, def.width, def.height);
        m_placed.append(
            {&def, widget, container ? container->widget : nullptr, box, def.back, def.fore});
        applyColours(m_placed.last());
    }
    liberaSpazio();
    // A frame that overlaps a label of its container by a little lies beneath it, so that the
    // label's descenders stay visible.
    for (const Placed &label : m_placed) {
        if (label.def->kind != Kind::Label)
            continue;
        for (const Placed &frame : m_placed)
            if (frame.def->kind == Kind::Frame && &frame > &label &&
                qstrcmp(frame.def->in, label.def->in) == 0 && frame.twips.intersects(label.twips))
                label.widget->raise();
    }

    QList<const Placed *> tabbed;
    for (const Placed &placed : m_placed)
        if (placed.def->tabIndex >= 0)
            tabbed.append(&placed);
    std::stable_sort(tabbed.begin(), tabbed.end(), [](const Placed *a, const Placed *b) {
        return a->def->tabIndex < b->def->tabIndex;
    });
    for (qsizetype i = 1; i < tabbed.size(); ++i)
        QWidget::setTabOrder(tabbed[i - 1]->widget, tabbed[i]->widget);

    QHash<QByteArray, QMenu *> menus;
    QHash<QByteArray, QString> tasti; // the access keys taken, menu by menu ("" the menu bar)
    for (const MenuDef &def : m_def.menus) {
        QAction *action = nullptr;
        const QString caption = conTasto(text(def.caption), tasti[def.parent ? def.parent : ""]);
        if (!def.parent) {
            QMenu *menu = m_window->menuBar()->addMenu(caption);
            menu->setObjectName(QString::fromLatin1(def.name));
            menus.insert(def.name, menu);
            action = menu->menuAction();
            // An entry with no caption says nothing and the keys pass it by.
            action->setEnabled(!caption.isEmpty());
        } else if (QMenu *parent = menus.value(def.parent)) {
            action = def.separator ? parent->addSeparator() : parent->addAction(caption);
        }
        if (action) {
            action->setObjectName(QString::fromLatin1(def.name));
            m_menus.insert(def.name, action);
        }
    }
    if (!m_def.menus.empty()) {
        // F10 opens the first menu, as on any desktop.
        auto *f10 = new QAction(m_window);
        f10->setShortcut(Qt::Key_F10);
        m_window->addAction(f10);
        QMenuBar *barra = m_window->menuBar();
        connect(f10, &QAction::triggered, barra, [barra] {
            for (QAction *voce : barra->actions())
                if (voce->isEnabled() && voce->isVisible()) {
                    barra->setActiveAction(voce);
                    return;
                }
        });
    }

    colloca();
}

void Form::colloca()
{
    const QSize design(qRound(m_def.width / twipsPerPixel), qRound(m_def.height / twipsPerPixel));
    const int menuHeight = m_def.menus.empty() ? 0 : m_window->menuBar()->sizeHint().height();
    if (m_def.fixedSize) {
        m_window->setFixedSize(design.width(), design.height() + menuHeight);
    } else if (m_def.maximised) {
        // The size the window manager is going to give it, but for the frame.
        if (const QScreen *screen = m_window->screen())
            m_window->setGeometry(screen->availableGeometry());
    } else {
        ::colloca(*m_window, design, menuHeight);
        m_collocata = m_window->size();
    }
    // The window's layout sizes the canvas when the window shows; the controls are laid out now.
    if (!m_window->isVisible()) {
        m_canvas->resize(m_window->width(), m_window->height() - menuHeight);
        relayout();
    }
}

void Form::relayout()
{
    if (!m_canvas)
        return;
    const double designWidth = m_def.width / twipsPerPixel;
    const double designHeight = m_def.height / twipsPerPixel;
    m_scale = std::max(
        0.05, std::min(m_canvas->width() / designWidth, m_canvas->height() / designHeight));
    m_offset = QPointF((m_canvas->width() - designWidth * m_scale) / 2.0,
                       (m_canvas->height() - designHeight * m_scale) / 2.0);

    for (Placed &placed : m_placed) {
        const Carattere &font = placed.def->font.size > 0 ? placed.def->font : m_def.font;
        QFont qfont(family(placed.def->font, m_def.font));
        qfont.setBold(font.bold);
        qfont.setPixelSize(
            std::max(1, static_cast<int>(std::lround(font.size * 4.0 / 3.0 * m_scale))));
        place(placed, &qfont);
    }
}

void Form::place(Placed &placed, const QFont *carattere)
{
    const double unit = m_scale / twipsPerPixel;
    const QPointF origin = placed.container ? QPointF() : m_offset;
    const auto px = [unit](double from, double twips) {
        return static_cast<int>(std::lround(from + twips * unit));
    };
    // A control never reaches past its container (inside its border), nor the form's designed
    // area: the designed screens have a few that overhang by a little, and the container would
    // cut their edge off. Such a control moves inside, keeping its size where it can.
    const QRect bounds = placed.container ? placed.container->contentsRect()
                                          : QRect(px(origin.x(), 0), px(origin.y(), 0),
                                                  px(origin.x(), m_def.width) - px(origin.x(), 0),
                                                  px(origin.y(), m_def.height) - px(origin.y(), 0));
    const auto dentro = [](int da, int a, int inizio, int fine) {
        const int lungo = std::min(a - da, fine - inizio);
        da = std::clamp(da, inizio, fine - std::max(1, lungo));
        return std::pair{da, std::max(1, lungo)};
    };
    const auto [left, width] =
        dentro(px(origin.x(), placed.twips.left()), px(origin.x(), placed.twips.right()),
               bounds.left(), bounds.left() + bounds.width());
    const auto [top, height] =
        dentro(px(origin.y(), placed.twips.top()), px(origin.y(), placed.twips.bottom()),
               bounds.top(), bounds.top() + bounds.height());
    const QRect box(left, top, width, height);
    const int linea = placed.def->linea > 0 ? px(origin.y(), placed.def->linea) - top : -1;
    if (auto *label = qobject_cast<Label *>(placed.widget)) {
        label->setLinea(linea);
        // Two lines where the designed box holds two lines of the designed face, whose lines
        // are 1.15 times its size apart (a point is 20 twips): at every scale alike.
        const Carattere &font = placed.def->font.size > 0 ? placed.def->font : m_def.font;
        label->setACapo(placed.def->height >= 2 * 1.15 * font.size * 20);
        if (!placed.def->colonne.empty()) {
            QList<int> stops;
            for (int stop : placed.def->colonne)
                stops.append(static_cast<int>(std::lround(stop * unit)));
            label->setColonne(stops, placed.def->flags & ParolaPerColonna);
        }
        label->colloca(box, static_cast<int>(placed.liberoSinistra * unit),
                       static_cast<int>(placed.liberoDestra * unit), carattere);
        return;
    }
    placed.widget->setGeometry(box);
    if (auto *testo = qobject_cast<TextBox *>(placed.widget))
        testo->setLinea(linea);
    if (!carattere)
        return;
    if (auto *pulsante = qobject_cast<Pulsante *>(placed.widget))
        pulsante->setScaledFont(*carattere);
    else
        placed.widget->setFont(*carattere);
}

// The room beside each label, up to the nearest control on its row or its container's edge; on
// a picture of a sheet, up to the sheet's edge, and the label itself no wider than the sheet.
void Form::liberaSpazio()
{
    for (Placed &label : m_placed) {
        if (label.def->kind != Kind::Label)
            continue;
        const Placed *container = label.def->in ? find(label.def->in) : nullptr;
        double sinistra = 0;
        double destra = container ? container->twips.width() : m_def.width;
        for (const Placed &altro : m_placed) {
            const Margini &m = altro.def->foglio;
            if (altro.def->kind != Kind::Image || qstrcmp(altro.def->in, label.def->in) != 0 ||
                !altro.twips.contains(label.twips.center()))
                continue;
            const QRectF foglio = altro.twips.adjusted(m.sinistra, m.sopra, -m.destra, -m.sotto);
            sinistra = std::max(sinistra, foglio.left());
            destra = std::min(destra, foglio.right());
            label.twips.setLeft(std::max(label.twips.left(), foglio.left()));
            label.twips.setRight(std::min(label.twips.right(), foglio.right()));
        }
        const QRectF &r = label.twips;
        for (const Placed &altro : m_placed) {
            if (&altro == &label || qstrcmp(altro.def->in, label.def->in) != 0)
                continue;
            const QRectF &a = altro.twips;
            if (a.bottom() <= r.top() || a.top() >= r.bottom())
                continue;
            if (a.left() >= r.right())
                destra = std::min(destra, a.left());
            else if (a.right() <= r.left())
                sinistra = std::max(sinistra, a.right());
        }
        label.liberoSinistra = std::max(0.0, r.left() - sinistra);
        label.liberoDestra = std::max(0.0, destra - r.right());
    }
}

void Form::applyColours(Placed &placed)
{
    QWidget *widget = placed.widget;
    const Kind kind = placed.def->kind;
    if (kind == Kind::Button) {
        static_cast<Pulsante *>(widget)->setColori(
            placed.back.isSet() ? toQColor(placed.back) : QColor(),
            placed.fore.isSet() ? toQColor(placed.fore) : QColor());
        return;
    }
    QPalette palette = widget->palette();
    if (placed.back.isSet()) {
        const QColor back = toQColor(placed.back);
        switch (kind) {
        case Kind::TextBox:
        case Kind::Combo:
            palette.setColor(QPalette::Base, back);
            break;
        default:
            palette.setColor(QPalette::Window, back);
            break;
        }
        const bool fills =
            !(placed.def->flags & Transparent) && (kind == Kind::Label || kind == Kind::Frame);
        widget->setAutoFillBackground(fills);
    }
    if (placed.fore.isSet()) {
        const QColor fore = toQColor(placed.fore);
        palette.setColor(QPalette::WindowText, fore);
        palette.setColor(QPalette::Text, fore);
        palette.setColor(QPalette::ButtonText, fore);
    }
    widget->setPalette(palette);
}

Form::Placed *Form::find(const char *name)
{
    for (Placed &placed : m_placed)
        if (qstrcmp(placed.def->name, name) == 0)
            return &placed;
    return nullptr;
}

const Form::Placed *Form::find(const char *name) const
{
    return const_cast<Form *>(this)->find(name);
}

QWidget *Form::control(const char *name)
{
    load();
    Placed *placed = find(name);
    Q_ASSERT_X(placed, "Form::control", name);
    return placed ? placed->widget : nullptr;
}

Label *Form::label(const char *name)
{
    return qobject_cast<Label *>(control(name));
}
QPushButton *Form::button(const char *name)
{
    return qobject_cast<QPushButton *>(control(name));
}
TextBox *Form::textBox(const char *name)
{
    return qobject_cast<TextBox *>(control(name));
}
QComboBox *Form::combo(const char *name)
{
    return qobject_cast<QComboBox *>(control(name));
}
Picture *Form::picture(const char *name)
{
    return qobject_cast<Picture *>(control(name));
}

QAction *Form::menu(const char *name)
{
    load();
    QAction *action = m_menus.value(name);
    Q_ASSERT_X(action, "Form::menu", name);
    return action;
}

QRectF Form::twips(const char *name) const
{
    const Placed *placed = find(name);
    return placed ? placed->twips : QRectF();
}

void Form::setLeft(const char *name, double twips)
{
    load();
    if (Placed *placed = find(name)) {
        placed->twips.moveLeft(twips);
        place(*placed);
    }
}

void Form::setTop(const char *name, double twips)
{
    load();
    if (Placed *placed = find(name)) {
        placed->twips.moveTop(twips);
        place(*placed);
    }
}

void Form::setBackColor(const char *name, Colore colour)
{
    load();
    if (!name) {
        m_back = colour;
        QPalette palette = m_canvas->palette();
        palette.setColor(QPalette::Window, toQColor(colour));
        m_canvas->setPalette(palette);
        return;
    }
    if (Placed *placed = find(name)) {
        placed->back = colour;
        applyColours(*placed);
    }
}

void Form::setForeColor(const char *name, Colore colour)
{
    load();
    if (Placed *placed = find(name)) {
        placed->fore = colour;
        applyColours(*placed);
    }
}

Colore Form::backColor(const char *name) const
{
    if (!name)
        return m_back;
    const Placed *placed = find(name);
    return placed ? placed->back : Colore{};
}

Colore Form::foreColor(const char *name) const
{
    const Placed *placed = find(name);
    return placed ? placed->fore : Colore{};
}

bool Form::setFocus(const char *name)
{
    if (!m_window)
        return false;
    const Placed *placed = find(name);
    if (!placed || !placed->widget->isEnabled())
        return false;
    if (!m_window->isVisible()) {
        if (placed->widget->isVisibleTo(m_window))
            m_focusOnShow = name;
        return false;
    }
    if (!placed->widget->isVisible())
        return false;
    m_focusOnShow.clear();
    placed->widget->setFocus(Qt::OtherFocusReason);
    return true;
}
