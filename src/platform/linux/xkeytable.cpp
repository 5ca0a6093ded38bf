// The server's keyboard mapping and modifier mapping, read once and searched locally.
#include "platform/linux/xkeytable.h"

#include <cstdlib>
#include <memory>

namespace vantrelo::x11 {

namespace {
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
} // namespace

void TXKeyTable::Load(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    min_ = setup->min_keycode;
    count_ = int(setup->max_keycode) - int(setup->min_keycode) + 1;
    const auto kck = xcb_get_keyboard_mapping(c, min_, uint8_t(count_));
    const auto mck = xcb_get_modifier_mapping(c);
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, FreeDeleter> k(xcb_get_keyboard_mapping_reply(c, kck, nullptr));
    std::unique_ptr<xcb_get_modifier_mapping_reply_t, FreeDeleter> m(xcb_get_modifier_mapping_reply(c, mck, nullptr));
    keysyms_.clear();
    modifierKeys_.clear();
    perKeycode_ = 0;
    perModifier_ = 0;
    if (k) {
        perKeycode_ = k->keysyms_per_keycode;
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(k.get());
        keysyms_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(k.get()));
    }
    if (m) {
        perModifier_ = m->keycodes_per_modifier;
        const xcb_keycode_t* keys = xcb_get_modifier_mapping_keycodes(m.get());
        modifierKeys_.assign(keys, keys + xcb_get_modifier_mapping_keycodes_length(m.get()));
    }
}

xcb_keysym_t TXKeyTable::KeysymAt(xcb_keycode_t keycode, int column) const {
    const int row = int(keycode) - int(min_);
    if (row < 0 || row >= count_ || column < 0 || column >= perKeycode_)
        return 0;
    const size_t i = size_t(row) * size_t(perKeycode_) + size_t(column);
    return i < keysyms_.size() ? keysyms_[i] : 0;
}

std::vector<TKeyPosition> TXKeyTable::Find(xcb_keysym_t keysym) const {
    std::vector<TKeyPosition> found;
    if (keysym == 0)
        return found;
    for (int column = 0; column < 2; ++column)
        for (int row = 0; row < count_; ++row) {
            const auto kc = xcb_keycode_t(int(min_) + row);
            // A key that gives the keysym unshifted already serves; do not list it again shifted.
            if (KeysymAt(kc, column) == keysym && (column == 0 || KeysymAt(kc, 0) != keysym))
                found.push_back({kc, column});
        }
    return found;
}

std::vector<xcb_keycode_t> TXKeyTable::SpareKeycodes() const {
    std::vector<xcb_keycode_t> spare;
    for (int row = count_ - 1; row >= 0; --row) {
        const auto kc = xcb_keycode_t(int(min_) + row);
        bool empty = true;
        for (int column = 0; column < perKeycode_ && empty; ++column)
            empty = KeysymAt(kc, column) == 0;
        bool modifier = false;
        for (xcb_keycode_t m : modifierKeys_)
            modifier = modifier || m == kc;
        if (empty && !modifier)
            spare.push_back(kc);
    }
    return spare;
}

uint16_t TXKeyTable::ModifierMask(xcb_keysym_t keysym) const {
    for (const TKeyPosition& p : Find(keysym))
        for (size_t i = 0; i < modifierKeys_.size(); ++i)
            if (modifierKeys_[i] == p.keycode && perModifier_ > 0)
                return uint16_t(1u << (i / size_t(perModifier_)));
    return 0;
}

void TXKeyTable::MapKeysym(xcb_connection_t* c, xcb_keycode_t keycode, xcb_keysym_t keysym) {
    if (perKeycode_ <= 0)
        return;
    std::vector<xcb_keysym_t> row(size_t(perKeycode_), keysym);
    xcb_change_keyboard_mapping(c, 1, keycode, uint8_t(perKeycode_), row.data());
    const int r = int(keycode) - int(min_);
    for (int column = 0; column < perKeycode_; ++column)
        keysyms_[size_t(r) * size_t(perKeycode_) + size_t(column)] = keysym;
}

} // namespace vantrelo::x11
