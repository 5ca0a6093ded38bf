// Desktop tests' other side: a client window of our own on its own X connection, and bounded polling.
#pragma once

#include <QString>

#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace vantrelo::test {

// Checks `done` every 20 ms until it holds or `ms` have passed.
bool PollUntil(const std::function<bool()>& done, int ms = 5000);

struct TClientOptions {
    QString title;             // as _NET_WM_NAME (UTF-8) unless `latin1Title`
    bool latin1Title = false;  // only WM_NAME, as STRING
    QByteArray instance = "vantrelo-probe";
    QByteArray cls = "VantreloProbe";
    qint64 pid = 0;            // _NET_WM_PID; 0 leaves it out
    quint64 transientFor = 0;  // WM_TRANSIENT_FOR; 0 leaves it out
};

// A top-level window that a window manager will manage; it keeps the key and client-message events
// it receives for the test to read.
class TTestClient {
public:
    explicit TTestClient(const TClientOptions& options);
    ~TTestClient();
    TTestClient(const TTestClient&) = delete;
    TTestClient& operator=(const TTestClient&) = delete;

    quint64 Id() const { return window_; }
    xcb_connection_t* Conn() const { return conn_; }
    // Gives this window the keyboard focus directly, as a click would.
    void Focus();
    // Reads what has arrived so far (key presses with their keysyms, client messages).
    void Pump();

    struct TKey {
        bool press;
        quint32 keysym;  // as the key and the Shift state give it, read with the mapping of that moment
        quint32 state;
    };
    std::vector<TKey> keys;
    std::vector<int> buttons; // pressed button numbers
    std::vector<quint32> clientMessageTypes;
    std::vector<quint32> clientMessageData0;
    xcb_atom_t Atom(const char* name) const;

private:
    xcb_connection_t* conn_ = nullptr;
    xcb_window_t window_ = 0;
    struct TKeySymbols;
    std::unique_ptr<TKeySymbols> syms_;
};

} // namespace vantrelo::test
