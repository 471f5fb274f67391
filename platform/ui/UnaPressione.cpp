#include "platform/ui/UnaPressione.h"

#include "platform/ui/Controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWindow>

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

UnaPressione::UnaPressione(QApplication *app) : QObject(app)
{
    m_orologio.start();
    const auto spostato = [this] { m_fuoco = m_orologio.elapsed(); };
    connect(app, &QApplication::focusChanged, this, spostato);
    // In another window, a key may come up where the program never sees it let go.
    connect(app, &QGuiApplication::focusWindowChanged, this, [this, spostato] {
        spostato();
        m_finestra = m_fuoco;
        m_giu = 0;
    });
}

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
    case QEvent::Close:
        return watched->isWindowType() && event->spontaneous() && chiusura(event);
    case QEvent::WindowBlocked:
    case QEvent::WindowUnblocked:
        m_giu = 0;
        return false;
    default:
        return false;
    }
}

qint64 UnaPressione::avvenuto(unsigned long quando)
{
    const qint64 ora = m_orologio.elapsed();
    const quint32 scarto = quint32(ora) - quint32(quando);
    if (!m_scartoNoto || qint32(scarto - m_scarto) < 0) {
        m_scarto = scarto;
        m_scartoNoto = true;
    }
    return ora - qint32(scarto - m_scarto);
}

bool UnaPressione::tasto(QObject *watched, QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool passo = sempre(key->key()) || (fuoriDalTesto(key->key()) && !scriveTesto());
    // A key from the window system reaches the window first, and the window hands it to the
    // widget with the focus: it is judged there, once. A key sent straight to a widget (a test's)
    // has only the repeat flag to tell.
    if (!watched->isWindowType())
        return key->isAutoRepeat() && passo;
    if (event->type() == QEvent::KeyPress)
        m_chiusoConAlt = false;
    const quint32 codice = key->nativeScanCode() ? key->nativeScanCode() : quint32(key->key());
    const unsigned long quando = key->timestamp();
    const qint64 giu = quando ? avvenuto(quando) : -1;
    if (event->type() == QEvent::KeyRelease) {
        m_rilasci[codice] = quando;
        if (m_giu == codice)
            m_giu = 0;
        return false;
    }
    const bool ripetuto = key->isAutoRepeat() || (quando && m_rilasci.value(codice) == quando);
    // The repeats of a key that stepped are dropped wherever they land: Space held on "Nuova
    // operazione" types nothing into the answer box that its first press uncovered.
    if (ripetuto)
        return passo || codice == m_passo;
    if (!passo) {
        m_passo = 0;
        return false;
    }
    m_passo = codice;
    // Down before the focus came where it lands (by more than the two clocks' steps), or too
    // soon after its window came up for anyone to have seen it: an answer to what was there
    // before.
    constexpr qint64 reazione = 150;
    const bool prima = giu >= 0 && (giu + 1 < m_fuoco || giu < m_finestra + reazione);
    // Another went down a moment before and is still down: a key let go where the program does
    // not see it is down no longer than a keyboard takes to repeat it.
    constexpr qint64 insiemeEntro = 500;
    const bool insieme = m_giu != 0 && m_giu != codice && giu >= 0 && giu - m_giuDa < insiemeEntro;
    if (!insieme) {
        m_giu = codice;
        m_giuDa = giu;
    }
    return prima || insieme;
}

bool UnaPressione::chiusura(QEvent *event)
{
    // The window manager repeats Close while Alt+F4 is held, every few tens of milliseconds once
    // the keyboard's repeat delay is past: after a close asked with Alt down, a request less than
    // a second after the last one, with no key or button pressed since, is a repeat. Alt is not
    // asked again then: a system that tells it as of the request (Windows) has it down for the
    // next deliberate Alt+F4 too.
    constexpr qint64 ripetizione = 1000;
    const bool ripetuta =
        m_chiusoConAlt && m_chiusura.isValid() && m_chiusura.elapsed() < ripetizione;
    m_chiusura.start();
    m_chiusoConAlt = ripetuta || (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) != 0;
    if (ripetuta)
        event->ignore();
    return ripetuta;
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
    if (watched->isWindowType() && event->type() == QEvent::MouseButtonPress)
        m_chiusoConAlt = false;
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
