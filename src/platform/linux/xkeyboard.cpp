// Keys and characters sent to the focused window through the XTest extension.
#include "platform/linux/xkeyboard.h"

#include "platform/linux/vkeymap.h"
#include "platform/linux/xconnection.h"
#include "platform/linux/xkeytable.h"

#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

namespace vantrelo {

namespace {

constexpr xcb_keysym_t kShiftL = 0xffe1;
constexpr size_t kMaxBorrowedKeys = 8;

// The keysyms whose keys count as down for a virtual-key code.
std::vector<xcb_keysym_t> KeysymsToTest(int vk) {
    switch (vk) {
    case 0x10: return {0xffe1, 0xffe2};         // Shift: either
    case 0x11: return {0xffe3, 0xffe4};         // Control: either
    case 0x12: return {0xffe9, 0xffea, 0xfe03}; // Alt: either, AltGr too
    default: break;
    }
    const quint32 k = x11::KeysymForVk(vk);
    return k ? std::vector<xcb_keysym_t>{k} : std::vector<xcb_keysym_t>{};
}

} // namespace

struct TXKeyboard::TImpl {
    std::unique_ptr<x11::TXConnection> x;
    x11::TXKeyTable table;
    std::vector<xcb_keycode_t> spare;                     // keys free to borrow
    std::vector<std::pair<xcb_keycode_t, xcb_keysym_t>> borrowed; // oldest first
    std::map<int, xcb_keycode_t> held;                    // virtual key -> the key pressed for it

    void Fake(uint8_t type, xcb_keycode_t kc) {
        xcb_test_fake_input(x->Conn(), type, kc, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }

    // A key that produces `keysym` unshifted or shifted; a borrowed spare key when the layout
    // has none. 0 when nothing can produce it.
    x11::TKeyPosition KeyFor(xcb_keysym_t keysym) {
        const std::vector<x11::TKeyPosition> found = table.Find(keysym);
        if (!found.empty())
            return found.front();
        for (const auto& [kc, sym] : borrowed)
            if (sym == keysym)
                return {kc, 0};
        xcb_keycode_t kc = 0;
        if (borrowed.size() < std::min(kMaxBorrowedKeys, spare.size())) {
            kc = spare[borrowed.size()];
        } else if (!borrowed.empty()) {
            // Reuse the key borrowed longest ago: its character has long been delivered.
            kc = borrowed.front().first;
            borrowed.erase(borrowed.begin());
        } else {
            return {};
        }
        table.MapKeysym(x->Conn(), kc, keysym);
        borrowed.emplace_back(kc, keysym);
        // Every client hears of the new mapping before the key event that needs it.
        x->Sync();
        return {kc, 0};
    }

    void Tap(const x11::TKeyPosition& p) {
        const std::vector<x11::TKeyPosition> shift = table.Find(kShiftL);
        const bool needShift = p.column == 1 && !shift.empty();
        if (needShift)
            Fake(XCB_KEY_PRESS, shift.front().keycode);
        Fake(XCB_KEY_PRESS, p.keycode);
        Fake(XCB_KEY_RELEASE, p.keycode);
        if (needShift)
            Fake(XCB_KEY_RELEASE, shift.front().keycode);
    }
};

TXKeyboard::TXKeyboard(std::unique_ptr<TImpl> d) : d_(std::move(d)) {}

std::unique_ptr<TXKeyboard> TXKeyboard::Open(const QString& display, QString* error) {
    auto d = std::make_unique<TImpl>();
    d->x = x11::TXConnection::OpenWith(display, &xcb_test_id, "XTest", "keys cannot be sent", error);
    if (!d->x)
        return nullptr;
    d->table.Load(d->x->Conn());
    d->spare = d->table.SpareKeycodes();
    return std::unique_ptr<TXKeyboard>(new TXKeyboard(std::move(d)));
}

TXKeyboard::~TXKeyboard() {
    for (const auto& [vk, kc] : d_->held)
        d_->Fake(XCB_KEY_RELEASE, kc);
    for (const auto& [kc, sym] : d_->borrowed)
        d_->table.MapKeysym(d_->x->Conn(), kc, 0);
    d_->x->Sync();
}

bool TXKeyboard::KeyDown(int vk) {
    const quint32 keysym = x11::KeysymForVk(vk);
    if (keysym == 0)
        return false;
    const x11::TKeyPosition p = d_->KeyFor(keysym);
    if (p.keycode == 0)
        return false;
    d_->Fake(XCB_KEY_PRESS, p.keycode);
    d_->held[vk] = p.keycode;
    d_->x->Sync();
    return true;
}

bool TXKeyboard::KeyUp(int vk) {
    xcb_keycode_t kc = 0;
    if (auto it = d_->held.find(vk); it != d_->held.end()) {
        kc = it->second;
        d_->held.erase(it);
    } else {
        const quint32 keysym = x11::KeysymForVk(vk);
        kc = keysym ? d_->KeyFor(keysym).keycode : 0;
    }
    if (kc == 0)
        return false;
    d_->Fake(XCB_KEY_RELEASE, kc);
    d_->x->Sync();
    return true;
}

bool TXKeyboard::TypeCharacter(char32_t ch) {
    const quint32 keysym = x11::KeysymForCharacter(ch);
    if (keysym == 0)
        return false;
    const x11::TKeyPosition p = d_->KeyFor(keysym);
    if (p.keycode == 0)
        return false;
    d_->Tap(p);
    d_->x->Sync();
    return true;
}

void TXKeyboard::SendChord(int vk, int modifiers) {
    static constexpr std::pair<int, int> kOrder[] = {{kModCtrl, 0x11}, {kModAlt, 0x12}, {kModShift, 0x10}, {kModWin, 0x5B}};
    std::vector<int> pressed;
    for (const auto& [bit, modVk] : kOrder)
        if ((modifiers & bit) && KeyDown(modVk))
            pressed.push_back(modVk);
    if (KeyDown(vk))
        KeyUp(vk);
    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it)
        KeyUp(*it);
}

bool TXKeyboard::IsKeyDown(int vk) const {
    xcb_connection_t* c = d_->x->Conn();
    std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> r(
        xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr), &std::free);
    if (!r)
        return false;
    for (xcb_keysym_t keysym : KeysymsToTest(vk))
        for (const x11::TKeyPosition& p : d_->table.Find(keysym))
            if (r->keys[p.keycode / 8] & (1u << (p.keycode % 8)))
                return true;
    return false;
}

} // namespace vantrelo
