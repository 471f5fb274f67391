#pragma once

#include <QAccessibleWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

class QPainter;

#include <functional>

// The controls of the screens that plain Qt widgets do not cover as they are.

// A label that always shows plain text and takes its own clicks, so that a click on it never
// reaches the form behind it.
//
// Its caption shows whole wherever it can. A label at least two lines tall wraps its words; a
// one-line caption that runs wider than the label, as our faces are not the designed ones, first
// takes the free room beside it, so that labels of one face keep one size; a caption that still
// runs wider (one line) or taller (wrapped) gets a smaller face, down to 70% of the face the
// screen's scale gives, and smaller still rather than leave its room.
//
// A screen reader hears its caption, or nothing when it has none (never its frame's title).
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

    // Where the form puts the label: its designed box, the room free of other controls that a
    // one-line caption may take on its left and on its right, in pixels, and the face at the
    // screen's scale when it changes. The label fits its caption, now and at every change.
    void colloca(const QRect &box, int liberoSinistra = 0, int liberoDestra = 0,
                 const QFont *scaled = nullptr);
    // The baseline of the text, in pixels from the label's top, so that the texts of a row of
    // controls stand on one line; -1: where the alignment puts it.
    void setLinea(int pixel);
    // Column headings: the stops between the columns, in pixels from the label's left. Each word
    // stands centred in the column that its place in the caption falls in or, one word to a
    // column, in the column that begins at its stop. Takes effect with the next colloca.
    void setColonne(QList<int> stops, bool parolaPerColonna = false);
    // Whether the caption may take more than one line, as the designed box and face allow;
    // the same at every scale. Takes effect with the next colloca.
    void setACapo(bool aCapo) { m_aCapo = aCapo ? 1 : 0; }
    // Hides QLabel::setText, so that a caption set after the layout is fitted too. Every caption
    // of the screens is set through a Label.
    void setText(const QString &text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Parola
    {
        QString testo;
        int colonna;
    };
    // The width the caption may take: the contents, less the indent that Qt keeps on the aligned
    // side of a framed label.
    int textWidth(const QFontMetrics &metrics) const;
    bool fits(const QFont &font) const;
    int primaProvaACapo(const QFont &font, int smallest) const;
    void fit();
    void allarga(const QFontMetrics &metrics);
    QList<Parola> parole() const;

    QFont m_scaled;
    bool m_hasScaled = false;
    QRect m_box;
    int m_liberoSinistra = 0;
    int m_liberoDestra = 0;
    int m_linea = -1;
    QList<int> m_colonne;
    bool m_parolaPerColonna = false;
    int m_aCapo = -1; // -1: as many lines as the box takes at the face's size
};

// A button whose caption shows whole: one that runs wider than the button, as our faces are not
// the designed ones, gets a smaller face, down to 70% of the face the screen's scale gives.
// Enter presses the button that has the focus, as Space does.
class Pulsante : public QPushButton
{
    Q_OBJECT
public:
    explicit Pulsante(const QString &caption, QWidget *parent = nullptr);

    // The face at the screen's scale, fitted to the caption at the button's current width.
    void setScaledFont(const QFont &font);
    // A graphical button shows its background colour, with a plain border that thickens when it
    // has the focus; an invalid colour keeps the style's own look, or its text colour.
    void setColori(const QColor &sfondo, const QColor &testo);

protected:
    void paintEvent(QPaintEvent *event) override;

public:
    // Room a graphical button keeps on each side of its caption: its border and padding.
    static constexpr int cornice = 3;

private:
    QColor m_sfondo;
    QColor m_testo;
};

// A drop-down list in one colour, closed and open: its background (the palette's Base) behind
// its text and behind its items, with a plain border and the style's arrow.
class Elenco : public QComboBox
{
    Q_OBJECT
public:
    explicit Elenco(QWidget *parent = nullptr);
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void annunciaScelta(int indice);

    bool m_apribile = false;
};

// A text box that reports each typed character as a key code before it is inserted, as
// KeyAscii: 13 for Enter, 8 for Backspace, the character's code otherwise (the clipboard
// shortcuts arrive as 3, 22 and 24). The handler sets the code to 0 to drop the key. Keys that
// type no character (Delete, the arrows) are not reported.
// A locked box refuses edits but still takes the focus and reports keys.
//
// The box holds one line of text: a control, format or separator character (a pasted line
// break, tab or direction mark) never gets in, and neither does half of a surrogate pair.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    std::function<void(int &keyAscii)> keyPress;
    void setLocked(bool locked) { setReadOnly(locked); }
    bool isLocked() const { return isReadOnly(); }

    // At most this many characters, an emoji counting as one; what a paste or a key brings in
    // beyond them is dropped from its end. 0: no limit.
    void setLimite(int caratteri);
    int limite() const { return m_limite; }

    static int keyAscii(const QKeyEvent &event);

    // The characters the box holds, however they come in: typed, pasted, dropped or composed.
    // Unset: any. Control, format and separator characters never get in.
    std::function<bool(char32_t)> ammesso;

    // The baseline of the text, in pixels from the box's top, so that it stands on one line
    // with the labels of its row; -1: centred vertically.
    void setLinea(int pixel);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void allineaLinea();

    int m_limite = 0;
    int m_linea = -1;
};

// Whether a control is decoration, that a screen reader leaves out: a shape, a picture that is no
// button and has no name, a disabled button with no caption.
bool decorazione(const QWidget &w);

// A frame of a screen, with no title or with one: a screen reader reads it as an
// AccessibleContenitore.
class Pannello : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;
};
class PannelloTitolato : public QGroupBox
{
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
};

// What assistive technology reads of a container of a screen (the client area, a frame): its
// controls in reading order with decoration left out, and its name only where it has a word (a
// frame titled "." says nothing).
class AccessibleContenitore : public QAccessibleWidget
{
public:
    AccessibleContenitore(QWidget *w, QAccessible::Role role);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QString text(QAccessible::Text t) const override;

protected:
    // The controls in the order they are read: as they are stacked, unless a container knows
    // better.
    virtual QList<QWidget *> inOrdine() const;

private:
    QList<QWidget *> letti() const;
};

// Draws the recorded picture at resource (":/name.pic") stretched over the rectangle.
void disegna(QPainter &painter, const QString &resource, const QRect &dove);

// A picture drawn from its recording at whatever size it is given, as sharp as at any other. One
// that can take the focus is a button: Space or Enter presses it, and assistive technology sees a
// button with a press action; one that cannot is a graphic.
class Picture : public QWidget
{
    Q_OBJECT
public:
    explicit Picture(const QString &resource, QWidget *parent = nullptr);
    QString resource() const { return m_resource; }
    // Presses the picture, as a click does.
    void click() { emit clicked(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_resource;
};

// A filled rectangle, square-cornered or rounded.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(bool rounded, int borderWidth, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_rounded;
    int m_borderWidth;
};

// A straight line across its own rectangle: vertical, horizontal or diagonal.
class Line : public QWidget
{
    Q_OBJECT
public:
    enum class Direction { Vertical, Horizontal, Down, Up };
    Line(Direction direction, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Direction m_direction;
};
