// The desktop's windows and monitors over X11: EWMH and ICCCM requests on an xcb connection.
#include "platform/linux/xdesktop.h"

#include "platform/linux/xconnection.h"

#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace vantrelo {

using x11::TXConnection;

namespace {

constexpr uint32_t kIconicState = 3;  // ICCCM WM_STATE / WM_CHANGE_STATE
constexpr uint32_t kStateRemove = 0;   // _NET_WM_STATE actions
constexpr uint32_t kStateAdd = 1;
constexpr uint32_t kStateToggle = 2;
constexpr uint32_t kSourcePager = 2;   // requests on behalf of the user, as a task switcher sends them

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using TReply = std::unique_ptr<T, FreeDeleter>;

xcb_window_t Win(quint64 w) { return xcb_window_t(w); }

// A window id as X knows it; 0 and ids beyond 32 bits are never windows.
bool ValidId(quint64 w) { return w != 0 && w <= 0xffffffffu; }

std::vector<xcb_atom_t> AtomList(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property) {
    std::vector<xcb_atom_t> atoms;
    const TReply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (r && r->format == 32 && r->type == XCB_ATOM_ATOM) {
        const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(r.get()));
        atoms.assign(data, data + xcb_get_property_value_length(r.get()) / 4);
    }
    return atoms;
}

bool Has(const std::vector<xcb_atom_t>& atoms, xcb_atom_t a) {
    return a != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), a) != atoms.end();
}

// A client message to the root window, the way EWMH and ICCCM requests reach the window manager.
void SendToRoot(const TXConnection& x, xcb_window_t w, xcb_atom_t type, std::initializer_list<uint32_t> data) {
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = type;
    int i = 0;
    for (uint32_t d : data)
        ev.data.data32[i++] = d;
    xcb_send_event(x.Conn(), 0, x.Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
}

} // namespace

TXDesktop::TXDesktop(std::unique_ptr<TXConnection> x) : x_(std::move(x)) {}

TXDesktop::~TXDesktop() = default;

std::unique_ptr<TXDesktop> TXDesktop::Open(const QString& display, QString* error) {
    std::unique_ptr<TXConnection> x = TXConnection::Open(display, error);
    return x ? std::unique_ptr<TXDesktop>(new TXDesktop(std::move(x))) : nullptr;
}

std::unique_ptr<TXDesktop> TXDesktop::OnConnection(void* xcbConnection, int screen) {
    std::unique_ptr<TXConnection> x = TXConnection::Borrow(static_cast<xcb_connection_t*>(xcbConnection), screen);
    return x ? std::unique_ptr<TXDesktop>(new TXDesktop(std::move(x))) : nullptr;
}

bool TXDesktop::Supports(const char* atomName) const {
    return Has(AtomList(x_->Conn(), x_->Root(), x_->Ewmh()->_NET_SUPPORTED), x_->Atom(atomName));
}

quint32 TXDesktop::Time(quint64 userTime) const {
    return userTime != 0 ? quint32(userTime) : x_->ServerTime();
}

// --- TDesktopWindows ---

quint64 TXDesktop::ForegroundWindow() const {
    // The desktop may name the next window active before the keyboard has left ours: while the input
    // focus is still in one of this program's windows, that window takes what is typed next.
    if (xcb_get_input_focus_reply_t* r = xcb_get_input_focus_reply(x_->Conn(), xcb_get_input_focus(x_->Conn()), nullptr)) {
        const quint64 focus = r->focus;
        std::free(r);
        if (focus != XCB_NONE && focus != XCB_INPUT_FOCUS_POINTER_ROOT && IsOwnWindow(focus))
            return focus;
    }
    return ActiveWindow();
}

bool TXDesktop::IsOwnWindow(quint64 window) const {
    TWindowFacts f;
    return Describe(window, &f) && f.pid == qint64(::getpid());
}

bool TXDesktop::ProgramIsActive() const {
    const quint64 w = ActiveWindow();
    return w != 0 && IsOwnWindow(w);
}

void TXDesktop::MinimizeAll() {
    std::vector<quint64> windows = ClientWindows(); // topmost first
    std::vector<quint64> done;
    for (quint64 w : windows) {
        TWindowFacts f;
        if (!Describe(w, &f) || f.minimized || f.owned || f.toolWindow || f.pid == qint64(::getpid()))
            continue;
        if (Minimize(w))
            done.push_back(w);
    }
    // Bottom first, so that restoring them in order leaves the old topmost window on top.
    minimizedByUs_.assign(done.rbegin(), done.rend());
    xcb_flush(x_->Conn());
}

void TXDesktop::UndoMinimizeAll() {
    for (quint64 w : minimizedByUs_)
        if (IsWindow(w))
            Deiconify(w);
    minimizedByUs_.clear();
    xcb_flush(x_->Conn());
}

// --- TWindowControl: reading ---

std::vector<quint64> TXDesktop::ClientWindows() const {
    xcb_ewmh_connection_t* e = x_->Ewmh();
    std::vector<quint64> out;
    xcb_ewmh_get_windows_reply_t list{};
    if (xcb_ewmh_get_client_list_stacking_reply(e, xcb_ewmh_get_client_list_stacking(e, 0), &list, nullptr)) {
        for (uint32_t i = list.windows_len; i > 0; --i) // the property lists bottom to top
            out.push_back(list.windows[i - 1]);
        xcb_ewmh_get_windows_reply_wipe(&list);
        if (!out.empty())
            return out;
    }
    if (xcb_ewmh_get_client_list_reply(e, xcb_ewmh_get_client_list(e, 0), &list, nullptr)) {
        out.assign(list.windows, list.windows + list.windows_len);
        xcb_ewmh_get_windows_reply_wipe(&list);
    }
    return out;
}

std::vector<quint64> TXDesktop::WindowsOfProcess(qint64 pid) const {
    std::vector<quint64> out;
    if (pid <= 0)
        return out;
    xcb_ewmh_connection_t* e = x_->Ewmh();
    for (quint64 w : ClientWindows()) {
        uint32_t p = 0;
        if (xcb_ewmh_get_wm_pid_reply(e, xcb_ewmh_get_wm_pid(e, Win(w)), &p, nullptr) && qint64(p) == pid)
            out.push_back(w);
    }
    return out;
}

bool TXDesktop::IsWindow(quint64 window) const {
    if (!ValidId(window))
        return false;
    xcb_connection_t* c = x_->Conn();
    const TReply<xcb_get_window_attributes_reply_t> r(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, Win(window)), nullptr));
    return r != nullptr;
}

bool TXDesktop::Describe(quint64 window, TWindowFacts* facts) const {
    if (!ValidId(window))
        return false;
    xcb_connection_t* c = x_->Conn();
    xcb_ewmh_connection_t* e = x_->Ewmh();
    const xcb_window_t w = Win(window);
    // Ask everything at once, then collect the answers: one round trip instead of seven.
    const xcb_get_window_attributes_cookie_t attrCk = xcb_get_window_attributes(c, w);
    const xcb_get_property_cookie_t nameCk = xcb_ewmh_get_wm_name(e, w);
    const xcb_get_property_cookie_t icccmNameCk = xcb_icccm_get_wm_name(c, w);
    const xcb_get_property_cookie_t classCk = xcb_icccm_get_wm_class(c, w);
    const xcb_get_property_cookie_t pidCk = xcb_ewmh_get_wm_pid(e, w);
    const xcb_get_property_cookie_t transientCk = xcb_icccm_get_wm_transient_for(c, w);
    const xcb_atom_t wmState = x_->Atom("WM_STATE");
    const xcb_get_property_cookie_t wmStateCk = xcb_get_property(c, 0, w, wmState, wmState, 0, 2);

    const TReply<xcb_get_window_attributes_reply_t> attr(xcb_get_window_attributes_reply(c, attrCk, nullptr));
    TWindowFacts f;
    f.id = window;
    xcb_ewmh_get_utf8_strings_reply_t utf8{};
    if (xcb_ewmh_get_wm_name_reply(e, nameCk, &utf8, nullptr)) {
        f.title = QString::fromUtf8(utf8.strings, utf8.strings_len);
        xcb_ewmh_get_utf8_strings_reply_wipe(&utf8);
    }
    xcb_icccm_get_text_property_reply_t text{};
    if (xcb_icccm_get_wm_name_reply(c, icccmNameCk, &text, nullptr)) {
        if (f.title.isEmpty())
            f.title = text.encoding == e->UTF8_STRING ? QString::fromUtf8(text.name, text.name_len)
                                                      : QString::fromLatin1(text.name, text.name_len);
        xcb_icccm_get_text_property_reply_wipe(&text);
    }
    // Titles may carry a terminating zero.
    while (f.title.endsWith(QChar(0)))
        f.title.chop(1);
    xcb_icccm_get_wm_class_reply_t cls{};
    if (xcb_icccm_get_wm_class_reply(c, classCk, &cls, nullptr)) {
        f.instanceName = QString::fromLocal8Bit(cls.instance_name);
        f.className = QString::fromLocal8Bit(cls.class_name);
        xcb_icccm_get_wm_class_reply_wipe(&cls);
    }
    uint32_t pid = 0;
    if (xcb_ewmh_get_wm_pid_reply(e, pidCk, &pid, nullptr))
        f.pid = qint64(pid);
    xcb_window_t owner = XCB_NONE;
    if (xcb_icccm_get_wm_transient_for_reply(c, transientCk, &owner, nullptr))
        f.owned = owner != XCB_NONE && owner != x_->Root();
    const TReply<xcb_get_property_reply_t> st(xcb_get_property_reply(c, wmStateCk, nullptr));
    bool iconic = false;
    if (st && st->format == 32 && xcb_get_property_value_length(st.get()) >= 4)
        iconic = *static_cast<const uint32_t*>(xcb_get_property_value(st.get())) == kIconicState;
    if (!attr)
        return false;

    const std::vector<xcb_atom_t> states = AtomList(c, w, e->_NET_WM_STATE);
    f.minimized = iconic || Has(states, e->_NET_WM_STATE_HIDDEN);
    f.maximized = Has(states, e->_NET_WM_STATE_MAXIMIZED_VERT) && Has(states, e->_NET_WM_STATE_MAXIMIZED_HORZ);
    f.stayOnTop = Has(states, e->_NET_WM_STATE_ABOVE);
    const std::vector<xcb_atom_t> types = AtomList(c, w, e->_NET_WM_WINDOW_TYPE);
    f.toolWindow = Has(states, e->_NET_WM_STATE_SKIP_TASKBAR);
    for (xcb_atom_t t : {e->_NET_WM_WINDOW_TYPE_UTILITY, e->_NET_WM_WINDOW_TYPE_TOOLBAR, e->_NET_WM_WINDOW_TYPE_MENU,
                         e->_NET_WM_WINDOW_TYPE_DOCK, e->_NET_WM_WINDOW_TYPE_DESKTOP, e->_NET_WM_WINDOW_TYPE_SPLASH,
                         e->_NET_WM_WINDOW_TYPE_NOTIFICATION, e->_NET_WM_WINDOW_TYPE_TOOLTIP})
        f.toolWindow = f.toolWindow || Has(types, t);
    *facts = std::move(f);
    return true;
}

quint64 TXDesktop::ActiveWindow() const {
    xcb_ewmh_connection_t* e = x_->Ewmh();
    xcb_window_t w = XCB_NONE;
    if (!xcb_ewmh_get_active_window_reply(e, xcb_ewmh_get_active_window(e, 0), &w, nullptr))
        return 0;
    return w == x_->Root() ? 0 : w;
}

// --- TWindowControl: acting ---

bool TXDesktop::Deiconify(quint64 window) {
    // ICCCM: a client leaves the iconic state by mapping its window again. Window managers that
    // keep the client mapped inside a hidden frame take the EWMH request to drop the hidden state.
    xcb_map_window(x_->Conn(), Win(window));
    xcb_ewmh_connection_t* e = x_->Ewmh();
    SendToRoot(*x_, Win(window), e->_NET_WM_STATE, {kStateRemove, e->_NET_WM_STATE_HIDDEN, 0, kSourcePager});
    return true;
}

bool TXDesktop::Activate(quint64 window, quint64 userTime) {
    TWindowFacts f;
    if (!Describe(window, &f))
        return false;
    if (f.minimized)
        Deiconify(window);
    const xcb_timestamp_t time = Time(userTime);
    if (Supports("_NET_ACTIVE_WINDOW")) {
        xcb_ewmh_request_change_active_window(x_->Ewmh(), 0, Win(window), xcb_ewmh_client_source_type_t(kSourcePager),
                                              time, Win(ActiveWindow()));
    } else {
        // Without a window manager that takes requests: raise it and give it the focus ourselves.
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(x_->Conn(), Win(window), XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(x_->Conn(), XCB_INPUT_FOCUS_PARENT, Win(window), time);
    }
    xcb_flush(x_->Conn());
    return true;
}

bool TXDesktop::Close(quint64 window) {
    if (!IsWindow(window))
        return false;
    xcb_connection_t* c = x_->Conn();
    const xcb_timestamp_t time = Time(0);
    if (Supports("_NET_CLOSE_WINDOW")) {
        xcb_ewmh_request_close_window(x_->Ewmh(), 0, Win(window), time, xcb_ewmh_client_source_type_t(kSourcePager));
    } else {
        // The client's own close protocol; a window that offers none is left alone, never killed.
        const xcb_atom_t deleteAtom = x_->Atom("WM_DELETE_WINDOW");
        xcb_icccm_get_wm_protocols_reply_t protocols{};
        bool polite = false;
        if (xcb_icccm_get_wm_protocols_reply(c, xcb_icccm_get_wm_protocols(c, Win(window), x_->Atom("WM_PROTOCOLS")),
                                             &protocols, nullptr)) {
            polite = std::find(protocols.atoms, protocols.atoms + protocols.atoms_len, deleteAtom) !=
                     protocols.atoms + protocols.atoms_len;
            xcb_icccm_get_wm_protocols_reply_wipe(&protocols);
        }
        if (!polite)
            return false;
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = Win(window);
        ev.type = x_->Atom("WM_PROTOCOLS");
        ev.data.data32[0] = deleteAtom;
        ev.data.data32[1] = time;
        xcb_send_event(c, 0, Win(window), XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&ev));
    }
    xcb_flush(c);
    return true;
}

bool TXDesktop::Minimize(quint64 window) {
    if (!IsWindow(window))
        return false;
    SendToRoot(*x_, Win(window), x_->Atom("WM_CHANGE_STATE"), {kIconicState});
    xcb_flush(x_->Conn());
    return true;
}

bool TXDesktop::ChangeMaximized(quint64 window, int action) {
    xcb_ewmh_connection_t* e = x_->Ewmh();
    SendToRoot(*x_, Win(window), e->_NET_WM_STATE,
               {uint32_t(action), e->_NET_WM_STATE_MAXIMIZED_VERT, e->_NET_WM_STATE_MAXIMIZED_HORZ, kSourcePager});
    return true;
}

bool TXDesktop::Maximize(quint64 window) {
    TWindowFacts f;
    if (!Describe(window, &f))
        return false;
    if (f.minimized)
        Deiconify(window);
    ChangeMaximized(window, kStateAdd);
    xcb_flush(x_->Conn());
    return true;
}

bool TXDesktop::Restore(quint64 window) {
    TWindowFacts f;
    if (!Describe(window, &f))
        return false;
    if (f.minimized)
        Deiconify(window);
    else if (f.maximized)
        ChangeMaximized(window, kStateRemove);
    xcb_flush(x_->Conn());
    return true;
}

bool TXDesktop::ShowNormal(quint64 window) {
    TWindowFacts f;
    if (!Describe(window, &f))
        return false;
    if (f.minimized)
        Deiconify(window);
    ChangeMaximized(window, kStateRemove);
    xcb_ewmh_connection_t* e = x_->Ewmh();
    SendToRoot(*x_, Win(window), e->_NET_WM_STATE, {kStateRemove, e->_NET_WM_STATE_FULLSCREEN, 0, kSourcePager});
    xcb_flush(x_->Conn());
    return true;
}

bool TXDesktop::ToggleMaximized(quint64 window) {
    if (!IsWindow(window))
        return false;
    ChangeMaximized(window, kStateToggle);
    xcb_flush(x_->Conn());
    return true;
}

bool TXDesktop::SetStayOnTop(quint64 window, bool onTop) {
    if (!IsWindow(window))
        return false;
    xcb_ewmh_connection_t* e = x_->Ewmh();
    SendToRoot(*x_, Win(window), e->_NET_WM_STATE,
               {onTop ? kStateAdd : kStateRemove, e->_NET_WM_STATE_ABOVE, 0, kSourcePager});
    xcb_flush(x_->Conn());
    return true;
}

void TXDesktop::SkipTaskbarAndPager(quint64 window) {
    if (!IsWindow(window))
        return;
    xcb_ewmh_connection_t* e = x_->Ewmh();
    SendToRoot(*x_, Win(window), e->_NET_WM_STATE,
               {kStateAdd, e->_NET_WM_STATE_SKIP_TASKBAR, e->_NET_WM_STATE_SKIP_PAGER, kSourcePager});
    xcb_flush(x_->Conn());
}

// --- TWindowControl: geometry ---

QRect TXDesktop::ClientRect(quint64 window) const {
    if (!ValidId(window))
        return {};
    xcb_connection_t* c = x_->Conn();
    const xcb_get_geometry_cookie_t gck = xcb_get_geometry(c, Win(window));
    const xcb_translate_coordinates_cookie_t tck = xcb_translate_coordinates(c, Win(window), x_->Root(), 0, 0);
    const TReply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, gck, nullptr));
    const TReply<xcb_translate_coordinates_reply_t> t(xcb_translate_coordinates_reply(c, tck, nullptr));
    if (!g || !t)
        return {};
    return QRect(t->dst_x, t->dst_y, g->width, g->height);
}

QRect TXDesktop::FrameRect(quint64 window) const {
    const QRect client = ClientRect(window);
    if (client.isEmpty())
        return {};
    xcb_ewmh_connection_t* e = x_->Ewmh();
    xcb_ewmh_get_extents_reply_t ext{};
    if (!xcb_ewmh_get_frame_extents_reply(e, xcb_ewmh_get_frame_extents(e, Win(window)), &ext, nullptr))
        return client;
    return client.adjusted(-int(ext.left), -int(ext.top), int(ext.right), int(ext.bottom));
}

bool TXDesktop::SetFrameRect(quint64 window, const QRect& frame) {
    if (!IsWindow(window) || frame.width() < 1 || frame.height() < 1)
        return false;
    xcb_ewmh_connection_t* e = x_->Ewmh();
    xcb_ewmh_get_extents_reply_t ext{};
    if (!xcb_ewmh_get_frame_extents_reply(e, xcb_ewmh_get_frame_extents(e, Win(window)), &ext, nullptr))
        ext = {};
    const QRect client = frame.adjusted(int(ext.left), int(ext.top), -int(ext.right), -int(ext.bottom));
    const uint32_t width = uint32_t(std::max(1, client.width()));
    const uint32_t height = uint32_t(std::max(1, client.height()));
    if (Supports("_NET_MOVERESIZE_WINDOW")) {
        // Static gravity: the position is the client area's, so the frame lands exactly on `frame`.
        const auto flags = xcb_ewmh_moveresize_window_opt_flags_t(
            XCB_EWMH_MOVERESIZE_WINDOW_X | XCB_EWMH_MOVERESIZE_WINDOW_Y | XCB_EWMH_MOVERESIZE_WINDOW_WIDTH |
            XCB_EWMH_MOVERESIZE_WINDOW_HEIGHT);
        xcb_ewmh_request_moveresize_window(e, 0, Win(window), XCB_GRAVITY_STATIC,
                                           xcb_ewmh_client_source_type_t(kSourcePager), flags, uint32_t(client.x()),
                                           uint32_t(client.y()), width, height);
    } else {
        // ICCCM's default gravity places the frame's outer corner at the given position.
        const uint32_t values[] = {uint32_t(frame.x()), uint32_t(frame.y()), width, height};
        xcb_configure_window(x_->Conn(), Win(window),
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                                 XCB_CONFIG_WINDOW_HEIGHT,
                             values);
    }
    xcb_flush(x_->Conn());
    return true;
}

// --- TWindowList ---

std::vector<TTopWindow> TXDesktop::TopLevelWindows() const {
    std::vector<TTopWindow> out;
    for (quint64 w : ClientWindows()) {
        TWindowFacts f;
        // The program's own windows are never offered: switching to them or ending them makes no sense.
        if (!Describe(w, &f) || f.owned || f.toolWindow || f.pid == qint64(::getpid()))
            continue;
        QString extra = QStringLiteral("Process id: ") + QString::number(f.pid);
        TProcessFacts p;
        if (f.pid > 0 && processes_.Describe(f.pid, &p) && !p.path.isEmpty())
            extra += QStringLiteral("\r\nBaseName: ") + p.baseName + QStringLiteral("\r\nFilename: ") + p.path;
        out.push_back({w, f.title, extra});
    }
    return out;
}

// --- TMonitors ---

std::vector<TMonitor> TXDesktop::Monitors() const {
    // Without the RandR client library the screen is one monitor; the work area is the desktop's.
    const QRect bounds(0, 0, x_->Screen()->width_in_pixels, x_->Screen()->height_in_pixels);
    TMonitor m{bounds, bounds};
    xcb_ewmh_connection_t* e = x_->Ewmh();
    uint32_t desktop = 0;
    if (!xcb_ewmh_get_current_desktop_reply(e, xcb_ewmh_get_current_desktop(e, 0), &desktop, nullptr))
        desktop = 0;
    xcb_ewmh_get_workarea_reply_t areas{};
    if (xcb_ewmh_get_workarea_reply(e, xcb_ewmh_get_workarea(e, 0), &areas, nullptr)) {
        if (areas.workarea_len > 0) {
            const xcb_ewmh_geometry_t& g = areas.workarea[desktop < areas.workarea_len ? desktop : 0];
            const QRect work = QRect(int(g.x), int(g.y), int(g.width), int(g.height)).intersected(bounds);
            if (!work.isEmpty())
                m.workArea = work;
        }
        xcb_ewmh_get_workarea_reply_wipe(&areas);
    }
    return {m};
}

} // namespace vantrelo
