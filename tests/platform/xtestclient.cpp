// Desktop tests' other side: a client window of our own on its own X connection, and bounded polling.
#include "xtestclient.h"

#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace vantrelo::test {

bool PollUntil(const std::function<bool()>& done, int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

struct TTestClient::TKeySymbols {
    xcb_key_symbols_t* syms = nullptr;
    ~TKeySymbols() {
        if (syms)
            xcb_key_symbols_free(syms);
    }
};

xcb_atom_t TTestClient::Atom(const char* name) const {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(conn_, xcb_intern_atom(conn_, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

TTestClient::TTestClient(const TClientOptions& o) : syms_(std::make_unique<TKeySymbols>()) {
    conn_ = xcb_connect(nullptr, nullptr);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
    window_ = xcb_generate_id(conn_);
    const uint32_t values[] = {screen->white_pixel,
                               XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                   XCB_EVENT_MASK_BUTTON_PRESS};
    xcb_create_window(conn_, XCB_COPY_FROM_PARENT, window_, screen->root, 50, 50, 300, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const QByteArray title = o.title.toUtf8();
    if (o.latin1Title) {
        const QByteArray latin = o.title.toLatin1();
        xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            uint32_t(latin.size()), latin.constData());
    } else {
        xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 8,
                            uint32_t(title.size()), title.constData());
    }
    const QByteArray wmClass = o.instance + '\0' + o.cls + '\0';
    xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        uint32_t(wmClass.size()), wmClass.constData());
    if (o.pid != 0) {
        const uint32_t pid = uint32_t(o.pid);
        xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32, 1, &pid);
    }
    if (o.transientFor != 0) {
        const uint32_t owner = uint32_t(o.transientFor);
        xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1,
                            &owner);
    }
    const xcb_atom_t del = Atom("WM_DELETE_WINDOW");
    xcb_change_property(conn_, XCB_PROP_MODE_REPLACE, window_, Atom("WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1, &del);
    xcb_map_window(conn_, window_);
    xcb_flush(conn_);
    syms_->syms = xcb_key_symbols_alloc(conn_);
    xcb_key_symbols_get_keysym(syms_->syms, 8, 0); // fetch the mapping now, before anyone changes it
}

TTestClient::~TTestClient() {
    syms_.reset();
    xcb_destroy_window(conn_, window_);
    xcb_disconnect(conn_);
}

void TTestClient::Focus() {
    xcb_set_input_focus(conn_, XCB_INPUT_FOCUS_POINTER_ROOT, window_, XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr));
}

void TTestClient::Pump() {
    while (xcb_generic_event_t* e = xcb_poll_for_event(conn_)) {
        const int type = e->response_type & 0x7f;
        if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
            const auto* k = reinterpret_cast<xcb_key_press_event_t*>(e);
            const int column = (k->state & XCB_MOD_MASK_SHIFT) ? 1 : 0;
            xcb_keysym_t sym = xcb_key_symbols_get_keysym(syms_->syms, k->detail, column);
            if (sym == XCB_NO_SYMBOL && column == 1)
                sym = xcb_key_symbols_get_keysym(syms_->syms, k->detail, 0);
            keys.push_back({type == XCB_KEY_PRESS, sym, k->state});
        } else if (type == XCB_BUTTON_PRESS) {
            buttons.push_back(reinterpret_cast<xcb_button_press_event_t*>(e)->detail);
        } else if (type == XCB_MAPPING_NOTIFY) {
            xcb_refresh_keyboard_mapping(syms_->syms, reinterpret_cast<xcb_mapping_notify_event_t*>(e));
        } else if (type == XCB_CLIENT_MESSAGE) {
            const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
            clientMessageTypes.push_back(m->type);
            clientMessageData0.push_back(m->data.data32[0]);
        }
        std::free(e);
    }
}

} // namespace vantrelo::test
