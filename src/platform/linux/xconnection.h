// One xcb connection with its screen, EWMH atoms and small helpers; used inside platform/linux only.
#pragma once

#include <QString>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <memory>

namespace vantrelo::x11 {

class TXConnection {
public:
    // Connects to `display` (empty: $DISPLAY); null with `error` when it cannot.
    static std::unique_ptr<TXConnection> Open(const QString& display, QString* error);
    // Open, and the server must offer `extension` (called `name`); without it null, with `error`
    // saying so and what it means: "The X server does not offer the <name> extension, so <without>."
    static std::unique_ptr<TXConnection> OpenWith(const QString& display, xcb_extension_t* extension, const char* name,
                                                  const char* without, QString* error);
    // Works on a connection that someone else owns (Qt's) and never closes it.
    static std::unique_ptr<TXConnection> Borrow(xcb_connection_t* connection, int screen);
    ~TXConnection();
    TXConnection(const TXConnection&) = delete;
    TXConnection& operator=(const TXConnection&) = delete;

    xcb_connection_t* Conn() const { return conn_; }
    xcb_screen_t* Screen() const { return screen_; }
    xcb_window_t Root() const { return screen_->root; }
    xcb_ewmh_connection_t* Ewmh() { return &ewmh_; }
    bool Owned() const { return owned_; }
    xcb_atom_t Atom(const char* name) const;
    // Waits until the server has handled every request sent so far.
    void Sync() const;
    // A time stamp of "now" from the server, taken from a property change on a private window;
    // 0 on a borrowed connection, whose events belong to its owner.
    xcb_timestamp_t ServerTime();

private:
    TXConnection(xcb_connection_t* c, int screen, bool owned);
    xcb_connection_t* conn_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    bool owned_ = false;
    xcb_ewmh_connection_t ewmh_{};
    xcb_window_t timeWindow_ = XCB_NONE;
};

// The event type of an event, without the "sent by a client" bit.
inline int EventType(const xcb_generic_event_t* e) { return e->response_type & 0x7f; }

} // namespace vantrelo::x11
