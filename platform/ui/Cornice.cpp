#include "platform/ui/Cornice.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
struct Libera
{
    void operator()(void *risposta) const { std::free(risposta); }
};
template <typename T> using Risposta = std::unique_ptr<T, Libera>;

xcb_connection_t *connessione()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

struct Atomi
{
    xcb_atom_t stato, verticale, orizzontale, richiesta, cornice;
};

// The atoms the exchange names, asked for together: one round trip for the run.
const Atomi *atomi(xcb_connection_t *c)
{
    static std::optional<Atomi> noti;
    if (noti)
        return &*noti;
    static constexpr std::array nomi{"_NET_WM_STATE", "_NET_WM_STATE_MAXIMIZED_VERT",
                                     "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_REQUEST_FRAME_EXTENTS",
                                     "_NET_FRAME_EXTENTS"};
    std::array<xcb_intern_atom_cookie_t, nomi.size()> richieste{};
    for (std::size_t i = 0; i < nomi.size(); ++i)
        richieste[i] = xcb_intern_atom(c, 0, std::strlen(nomi[i]), nomi[i]);
    std::array<xcb_atom_t, nomi.size()> valori{};
    bool tutti = true;
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        Risposta<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(c, richieste[i], nullptr));
        tutti = tutti && r;
        valori[i] = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    if (!tutti)
        return nullptr;
    noti = Atomi{valori[0], valori[1], valori[2], valori[3], valori[4]};
    return &*noti;
}
} // namespace

void chiediCornice(QWindow &finestra)
{
    xcb_connection_t *c = connessione();
    const Atomi *a = c ? atomi(c) : nullptr;
    if (!a || finestra.isVisible())
        return;
    const auto w = static_cast<xcb_window_t>(finestra.winId());
    // The manager answers for the window as it is when asked: marked maximised, as it is going to
    // be mapped (a window not yet mapped sets its own state).
    const std::array stato{a->verticale, a->orizzontale};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, a->stato, XCB_ATOM_ATOM, 32, stato.size(),
                        stato.data());
    xcb_client_message_event_t richiesta{};
    richiesta.response_type = XCB_CLIENT_MESSAGE;
    richiesta.format = 32;
    richiesta.window = w;
    richiesta.type = a->richiesta;
    // The first screen's root: X11 desktops are one screen, however many monitors.
    const xcb_window_t radice = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, radice,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&richiesta));
    xcb_flush(c);
}

std::optional<QMargins> cornice(const QWindow &finestra)
{
    xcb_connection_t *c = connessione();
    const Atomi *a = c ? atomi(c) : nullptr;
    if (!a)
        return std::nullopt;
    const auto w = static_cast<xcb_window_t>(finestra.winId());
    Risposta<xcb_get_property_reply_t> r(xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, a->cornice, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) != 4 * 4)
        return std::nullopt;
    // Left, right, top, bottom.
    const auto *lati = static_cast<const uint32_t *>(xcb_get_property_value(r.get()));
    return QMargins(int(lati[0]), int(lati[2]), int(lati[1]), int(lati[3]));
}
