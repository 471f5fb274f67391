#pragma once

#include "platform/ui/FormTable.h"

#include <QHash>
#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QRectF>

class QAction;
class QComboBox;
class QPushButton;
class Label;
class Picture;
class TextBox;
class Form;

// The client area of a form: it places every control at its twip rectangle, scaled uniformly
// to the area and centred, fonts included.
class Canvas : public QWidget
{
    Q_OBJECT
public:
    explicit Canvas(Form &form, QWidget *parent = nullptr);

    // The controls that stand on the client area, in the order of the screen's table: the order
    // a screen reader reads them in, whichever is painted over which.
    QList<QWidget *> controlli() const;

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    Form &m_form;
};

// The window of a loaded form.
class FormWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit FormWindow(Form &form);
    // The scale of its form, from design pixels to the window's.
    double scala() const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    // The keys that no control of the form used.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Form &m_form;
};

// A screen of the program: one object for the whole run, whose window and controls exist only
// while it is loaded. Its own fields (members of the subclass) keep their values across
// unload and load. Touching a control of an unloaded form loads it, as showing it does.
class Form : public QObject
{
    Q_OBJECT
public:
    explicit Form(const FormDef &definition, QObject *parent = nullptr);
    ~Form() override;

    const FormDef &definition() const { return m_def; }
    bool isLoaded() const { return m_window != nullptr; }

    // Creates the window and its controls from the table, then runs Form_Load. Nothing
    // happens when the form is loaded already.
    void load();
    // Shows the form, not modal, loading it first if need be; a loaded form is only brought
    // forward.
    void show();
    // Runs Form_QueryUnload, then closes the window and destroys its controls.
    void unload();

    FormWindow *window();
    QWidget *control(const char *name);
    Label *label(const char *name);
    QPushButton *button(const char *name);
    TextBox *textBox(const char *name);
    QComboBox *combo(const char *name);
    Picture *picture(const char *name);
    QAction *menu(const char *name);

    // Positions in twips, as the table gives them and the screens move them.
    QRectF twips(const char *name) const;
    void setLeft(const char *name, double twips);
    void setTop(const char *name, double twips);

    // Colours of a control (or of the form itself with name nullptr), as 24-bit values.
    void setBackColor(const char *name, Colore colour);
    void setForeColor(const char *name, Colore colour);
    Colore backColor(const char *name) const;
    Colore foreColor(const char *name) const;

    // Gives a control the focus; false, and nothing happens, when it is hidden or the form is
    // not on screen. A control that will show with the form takes the focus when the form is
    // shown, as the last such request before showing asks.
    bool setFocus(const char *name);

    // The scale from design pixels (15 twips each) to the window's pixels.
    double scale() const { return m_scale; }
    // Lays every control out again for the current size of the client area.
    void relayout();

signals:
    void loaded();
    void unloaded();

protected:
    virtual void collega() {} // connects the fresh controls to their handlers
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload() {}
    virtual void Form_Click() {}
    // A character typed on the form that the control with the focus did not use, as KeyAscii;
    // the handler sets it to 0 when the form used it.
    virtual void Form_KeyPress(int &keyAscii) { Q_UNUSED(keyAscii); }

private:
    friend class Canvas;
    friend class FormWindow;

    struct Placed
    {
        const ControlDef *def;
        QWidget *widget;
        QWidget *container; // nullptr: the canvas
        QRectF twips;
        Colore back, fore;
        // Twips free of other controls on the left and on the right, that a label's one-line
        // caption may take.
        double liberoSinistra = 0, liberoDestra = 0;
    };

    void build();
    void liberaSpazio();
    void applyColours(Placed &placed);
    // Places a control at its twips for the current scale, and gives it the face, when one is
    // given.
    void place(Placed &placed, const QFont *carattere = nullptr);
    // Sizes and places the window on its screen, as the table says it opens.
    void colloca();
    Placed *find(const char *name);
    const Placed *find(const char *name) const;
    void windowClosing();

    const FormDef &m_def;
    QPointer<FormWindow> m_window;
    Canvas *m_canvas = nullptr;
    QList<Placed> m_placed;
    QHash<QByteArray, QAction *> m_menus;
    Colore m_back;
    double m_scale = 1.0;
    QPointF m_offset;
    bool m_unloading = false;
    QByteArray m_focusOnShow;
    QSize m_collocata; // the size colloca() last gave a window placed in the screen's middle
};
