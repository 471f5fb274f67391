#include "platform/ui/UnaPressione.h"

#include "platform/ui/Controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleHints>

namespace {
bool sempre(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Keys that press a button or a picture, or choose a sign, when no text box types them.
bool fuoriDalTesto(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Equal || key == Qt::Key_Less ||
           key == Qt::Key_Greater;
}

bool scriveTesto()
{
    return qobject_cast<QLineEdit *>(QApplication::focusWidget()) != nullptr;
}
} // namespace

bool UnaPressione::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return tasto(watched, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return mouse(watched, event);
    case QEvent::ApplicationDeactivate:
        // Keys let go in another program's window are never seen released here.
        m_tasti.clear();
        return false;
    default:
        return false;
    }
}

bool UnaPressione::tasto(QObject *watched, QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    // A key from the window system reaches the window first, and the window hands it to the
    // widget with the focus: it is judged there, once. A key sent straight to a widget (a test's)
    // has only the repeat flag to tell.
    if (!watched->isWindowType()) {
        return key->isAutoRepeat() &&
               (sempre(key->key()) || (fuoriDalTesto(key->key()) && !scriveTesto()));
    }
    const quint32 codice = key->nativeScanCode() ? key->nativeScanCode() : quint32(key->key());
    const unsigned long quando = key->timestamp();
    if (event->type() == QEvent::KeyRelease) {
        auto it = m_tasti.find(codice);
        if (it == m_tasti.end())
            return false;
        if (quando == 0) {
            m_tasti.erase(it);
            return false;
        }
        it->giu = false;
        it->rilascio = quando;
        return false;
    }
    auto it = m_tasti.find(codice);
    if (it != m_tasti.end()) {
        const bool ripetuto = it->giu || key->isAutoRepeat() || (quando && quando == it->rilascio);
        it->giu = true;
        if (ripetuto)
            return true;
    }
    if (!sempre(key->key()) && !(fuoriDalTesto(key->key()) && !scriveTesto()))
        return false;
    m_tasti[codice].giu = true;
    // A repeat of a key first pressed outside the program, or before it watched.
    return key->isAutoRepeat();
}

bool UnaPressione::mouse(QObject *watched, QEvent *event)
{
    const auto *clic = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool scarta = m_scartaRilascio && !watched->isWindowType();
        if (scarta && clic->buttons() == Qt::NoButton)
            m_scartaRilascio = false;
        return scarta;
    }
    // The widget that takes the press judges it; the window hands it on.
    if (watched->isWindowType() || clic->button() != Qt::LeftButton)
        return false;
    const unsigned long quando = clic->timestamp();
    const QPointF dove = clic->globalPosition();
    if (event->type() == QEvent::MouseButtonPress && quando == m_ultimoClic && dove == m_dove)
        return false; // the same press, handed on to the widget behind
    const int distanza = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    const bool ripetuto =
        event->type() == QEvent::MouseButtonDblClick ||
        (quando != 0 && m_ultimoClic != 0 && quando > m_ultimoClic &&
         quando - m_ultimoClic < static_cast<unsigned long>(QApplication::doubleClickInterval()) &&
         (dove - m_dove).manhattanLength() <= distanza);
    if (event->type() == QEvent::MouseButtonPress) {
        m_ultimoClic = quando;
        m_dove = dove;
    }
    const bool pulsante =
        qobject_cast<QAbstractButton *>(watched) || qobject_cast<Picture *>(watched);
    if (!ripetuto || !pulsante)
        return false;
    m_scartaRilascio = true;
    return true;
}
