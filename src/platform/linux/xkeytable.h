// The server's keyboard mapping and modifier mapping, read once and searched locally; platform/linux only.
#pragma once

#include <xcb/xcb.h>

#include <vector>

namespace vantrelo::x11 {

struct TKeyPosition {
    xcb_keycode_t keycode = 0;
    int column = 0; // 0 unshifted, 1 with Shift
};

class TXKeyTable {
public:
    // Reads both mappings from the server (two round trips).
    void Load(xcb_connection_t* c);
    xcb_keysym_t KeysymAt(xcb_keycode_t keycode, int column) const;
    // Every key whose first two columns produce `keysym`, unshifted positions first.
    std::vector<TKeyPosition> Find(xcb_keysym_t keysym) const;
    // Keycodes that produce nothing: room to map characters the layout lacks.
    std::vector<xcb_keycode_t> SpareKeycodes() const;
    // The modifier bit (XCB_MOD_MASK_*) that a key producing `keysym` sets; 0 when none does.
    uint16_t ModifierMask(xcb_keysym_t keysym) const;
    // Puts `keysym` on every column of `keycode` on the server and in this table.
    void MapKeysym(xcb_connection_t* c, xcb_keycode_t keycode, xcb_keysym_t keysym);
    bool Empty() const { return keysyms_.empty(); }

private:
    xcb_keycode_t min_ = 0;
    int perKeycode_ = 0;
    int count_ = 0;
    std::vector<xcb_keysym_t> keysyms_;
    int perModifier_ = 0;
    std::vector<xcb_keycode_t> modifierKeys_; // 8 rows of perModifier_ keycodes
};

} // namespace vantrelo::x11
