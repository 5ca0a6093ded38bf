// One xcb connection with its screen, EWMH atoms and small helpers.
#include "platform/linux/xconnection.h"

#include <cstdlib>
#include <cstring>

namespace vantrelo::x11 {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

xcb_screen_t* ScreenOf(xcb_connection_t* c, int number) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem; xcb_screen_next(&it), ++i)
        if (i == number)
            return it.data;
    return nullptr;
}

} // namespace

TXConnection::TXConnection(xcb_connection_t* c, int screen, bool owned) : conn_(c), owned_(owned) {
    screen_ = ScreenOf(c, screen);
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(conn_, &ewmh_);
    xcb_ewmh_init_atoms_replies(&ewmh_, cookies, nullptr);
}

std::unique_ptr<TXConnection> TXConnection::Open(const QString& display, QString* error) {
    int screen = 0;
    const QByteArray name = display.toLocal8Bit();
    xcb_connection_t* c = xcb_connect(display.isEmpty() ? nullptr : name.constData(), &screen);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        if (error)
            *error = QStringLiteral("Cannot connect to the X display %1.").arg(display.isEmpty() ? qEnvironmentVariable("DISPLAY") : display);
        return nullptr;
    }
    std::unique_ptr<TXConnection> x(new TXConnection(c, screen, true));
    if (!x->screen_) {
        if (error)
            *error = QStringLiteral("The X display has no screen %1.").arg(screen);
        return nullptr;
    }
    return x;
}

std::unique_ptr<TXConnection> TXConnection::OpenWith(const QString& display, xcb_extension_t* extension,
                                                     const char* name, const char* without, QString* error) {
    std::unique_ptr<TXConnection> x = Open(display, error);
    if (!x)
        return nullptr;
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(x->Conn(), extension);
    if (!ext || !ext->present) {
        if (error)
            *error = QStringLiteral("The X server does not offer the %1 extension, so %2.")
                         .arg(QLatin1String(name), QLatin1String(without));
        return nullptr;
    }
    return x;
}

std::unique_ptr<TXConnection> TXConnection::Borrow(xcb_connection_t* connection, int screen) {
    if (!connection || xcb_connection_has_error(connection))
        return nullptr;
    std::unique_ptr<TXConnection> x(new TXConnection(connection, screen, false));
    return x->screen_ ? std::move(x) : nullptr;
}

TXConnection::~TXConnection() {
    xcb_ewmh_connection_wipe(&ewmh_);
    if (timeWindow_ != XCB_NONE)
        xcb_destroy_window(conn_, timeWindow_);
    if (owned_)
        xcb_disconnect(conn_);
    else
        xcb_flush(conn_);
}

xcb_atom_t TXConnection::Atom(const char* name) const {
    const xcb_intern_atom_cookie_t ck = xcb_intern_atom(conn_, 0, uint16_t(std::strlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> r(xcb_intern_atom_reply(conn_, ck, nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

void TXConnection::Sync() const {
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
}

xcb_timestamp_t TXConnection::ServerTime() {
    if (!owned_)
        return XCB_CURRENT_TIME;
    if (timeWindow_ == XCB_NONE) {
        timeWindow_ = xcb_generate_id(conn_);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(conn_, XCB_COPY_FROM_PARENT, timeWindow_, Root(), -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    }
    // Appending nothing to a property still stamps a PropertyNotify with the server's time.
    xcb_change_property(conn_, XCB_PROP_MODE_APPEND, timeWindow_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
    xcb_flush(conn_);
    // Only this window's property events are selected on the connection, so the wait is short.
    while (xcb_generic_event_t* e = xcb_wait_for_event(conn_)) {
        std::unique_ptr<xcb_generic_event_t, FreeDeleter> ev(e);
        if (EventType(e) == XCB_PROPERTY_NOTIFY) {
            const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(e);
            if (p->window == timeWindow_)
                return p->time;
        }
    }
    return XCB_CURRENT_TIME;
}

} // namespace vantrelo::x11
