#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <functional>

// The controls of the screens that plain Qt widgets do not cover as they are.

// A label that always shows plain text and takes its own clicks, so that a click on it never
// reaches the form behind it.
class Label : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

// A text box that reports each typed character as a key code before it is inserted, as
// KeyAscii: 13 for Enter, 8 for Backspace, the character's code otherwise (the clipboard
// shortcuts arrive as 3, 22 and 24). The handler sets the code to 0 to drop the key.
// A locked box refuses edits but still takes the focus and reports keys.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget *parent = nullptr);

    std::function<void(int &keyAscii)> keyPress;
    void setLocked(bool locked) { setReadOnly(locked); }
    bool isLocked() const { return isReadOnly(); }

    static int keyAscii(const QKeyEvent &event);

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

// A picture drawn from an SVG resource at whatever size it is given. It can take the focus
// (Space presses it) when the screen asks for that.
class Picture : public QWidget
{
    Q_OBJECT
public:
    explicit Picture(const QString &resource, QWidget *parent = nullptr);
    QString resource() const { return m_resource; }

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
