// Global hotkeys as passive key grabs on the root window, in every Num Lock and Caps Lock state.
#include "platform/linux/xhotkeys.h"

#include "platform/keysender.h"
#include "platform/linux/vkeymap.h"
#include "platform/linux/xconnection.h"
#include "platform/linux/xkeytable.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace vantrelo {

namespace {

constexpr xcb_keysym_t kAltL = 0xffe9;
constexpr xcb_keysym_t kSuperL = 0xffeb;
constexpr xcb_keysym_t kNumLock = 0xff7f;

struct TGrab {
    int vk = 0;
    int modifiers = 0;
    uint16_t mask = 0;
    std::vector<xcb_keycode_t> keycodes;
};

} // namespace

struct TXGlobalHotkeys::TImpl {
    std::unique_ptr<x11::TXConnection> x;
    x11::TXKeyTable table;
    std::unique_ptr<QSocketNotifier> notifier;
    std::map<int, TGrab> grabs;
    THandler handler;
    uint16_t numLock = XCB_MOD_MASK_2;

    // The lock states a hotkey must work in: none, Caps Lock, Num Lock, both.
    std::vector<uint16_t> LockVariants() const {
        return {0, XCB_MOD_MASK_LOCK, numLock, uint16_t(XCB_MOD_MASK_LOCK | numLock)};
    }

    void Ungrab(const TGrab& g) {
        for (xcb_keycode_t kc : g.keycodes)
            for (uint16_t lock : LockVariants())
                xcb_ungrab_key(x->Conn(), kc, x->Root(), uint16_t(g.mask | lock));
    }

    // The modifier bits of the hotkey as this server's modifier mapping places them.
    bool MaskFor(int modifiers, uint16_t* mask) const {
        uint16_t m = 0;
        if (modifiers & kModShift)
            m |= XCB_MOD_MASK_SHIFT;
        if (modifiers & kModCtrl)
            m |= XCB_MOD_MASK_CONTROL;
        if (modifiers & kModAlt) {
            const uint16_t alt = table.ModifierMask(kAltL);
            m |= alt ? alt : uint16_t(XCB_MOD_MASK_1);
        }
        if (modifiers & kModWin) {
            const uint16_t super = table.ModifierMask(kSuperL);
            if (!super)
                return false; // no modifier carries the Windows key on this keyboard
            m |= super;
        }
        *mask = m;
        return true;
    }

    // Round trips may leave events in xcb's queue without new data on the socket: look again soon.
    void DrainLater(TXGlobalHotkeys* self) {
        QMetaObject::invokeMethod(notifier.get(), [self] { self->ProcessPendingEvents(); }, Qt::QueuedConnection);
    }

    void Handle(const xcb_generic_event_t* e) {
        const int type = x11::EventType(e);
        if (type == XCB_MAPPING_NOTIFY) {
            table.Load(x->Conn());
            return;
        }
        if (type != XCB_KEY_PRESS)
            return;
        const auto* k = reinterpret_cast<const xcb_key_press_event_t*>(e);
        const uint16_t state = uint16_t(k->state & ~(XCB_MOD_MASK_LOCK | numLock) & 0xff);
        for (const auto& [id, g] : grabs)
            if (g.mask == state && std::find(g.keycodes.begin(), g.keycodes.end(), k->detail) != g.keycodes.end()) {
                if (handler)
                    handler(id, k->time);
                return;
            }
    }
};

TXGlobalHotkeys::TXGlobalHotkeys(std::unique_ptr<TImpl> d) : d_(std::move(d)) {}

std::unique_ptr<TXGlobalHotkeys> TXGlobalHotkeys::Open(const QString& display, QString* error) {
    auto d = std::make_unique<TImpl>();
    d->x = x11::TXConnection::Open(display, error);
    if (!d->x)
        return nullptr;
    d->table.Load(d->x->Conn());
    if (const uint16_t n = d->table.ModifierMask(kNumLock))
        d->numLock = n;
    std::unique_ptr<TXGlobalHotkeys> hotkeys(new TXGlobalHotkeys(std::move(d)));
    TXGlobalHotkeys* self = hotkeys.get();
    self->d_->notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(self->d_->x->Conn()),
                                                           QSocketNotifier::Read);
    QObject::connect(self->d_->notifier.get(), &QSocketNotifier::activated, [self] { self->ProcessPendingEvents(); });
    return hotkeys;
}

TXGlobalHotkeys::~TXGlobalHotkeys() { UnregisterAll(); }

void TXGlobalHotkeys::ProcessPendingEvents() {
    while (xcb_generic_event_t* e = xcb_poll_for_event(d_->x->Conn())) {
        d_->Handle(e);
        std::free(e);
    }
}

bool TXGlobalHotkeys::Register(int id, int vk, int modifiers) {
    Unregister(id);
    for (const auto& [other, g] : d_->grabs)
        if (g.vk == vk && g.modifiers == modifiers)
            return false; // the program already uses this combination
    TGrab g;
    g.vk = vk;
    g.modifiers = modifiers;
    if (!d_->MaskFor(modifiers, &g.mask))
        return false;
    for (const x11::TKeyPosition& p : d_->table.Find(x11::KeysymForVk(vk)))
        if (p.column == 0)
            g.keycodes.push_back(p.keycode);
    if (g.keycodes.empty())
        return false;
    xcb_connection_t* c = d_->x->Conn();
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_keycode_t kc : g.keycodes)
        for (uint16_t lock : d_->LockVariants())
            cookies.push_back(xcb_grab_key_checked(c, 1, d_->x->Root(), uint16_t(g.mask | lock), kc,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    bool ok = true;
    for (xcb_void_cookie_t ck : cookies)
        if (xcb_generic_error_t* err = xcb_request_check(c, ck)) {
            ok = false; // BadAccess: another program holds the combination
            std::free(err);
        }
    if (!ok) {
        // Our grabs that did succeed are released; ungrabbing one we never got is harmless.
        d_->Ungrab(g);
        xcb_flush(c);
        return false;
    }
    d_->grabs[id] = std::move(g);
    d_->DrainLater(this);
    return true;
}

void TXGlobalHotkeys::Unregister(int id) {
    const auto it = d_->grabs.find(id);
    if (it == d_->grabs.end())
        return;
    d_->Ungrab(it->second);
    d_->grabs.erase(it);
    xcb_flush(d_->x->Conn());
}

void TXGlobalHotkeys::UnregisterAll() {
    for (const auto& [id, g] : d_->grabs)
        d_->Ungrab(g);
    d_->grabs.clear();
    xcb_flush(d_->x->Conn());
}

void TXGlobalHotkeys::SetHandler(THandler handler) { d_->handler = std::move(handler); }

} // namespace vantrelo
