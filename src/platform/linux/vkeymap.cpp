// Windows virtual-key codes and X keysyms: the one table behind sent keys, hotkeys and the keyboard hook.
#include "platform/linux/vkeymap.h"

#include <array>

namespace vantrelo::x11 {

namespace {

struct TVkKeysym {
    int vk;
    quint32 keysym;
};

// Virtual keys other than letters, digits and function keys. The first row for a keysym also
// serves the way back; the generic Shift, Control and Alt codes send the left key.
constexpr std::array kTable{
    TVkKeysym{0x08, 0xff08}, // Back
    TVkKeysym{0x09, 0xff09}, // Tab
    TVkKeysym{0x0C, 0xff0b}, // Clear
    TVkKeysym{0x0D, 0xff0d}, // Return
    TVkKeysym{0xA0, 0xffe1}, // left Shift
    TVkKeysym{0xA1, 0xffe2}, // right Shift
    TVkKeysym{0xA2, 0xffe3}, // left Control
    TVkKeysym{0xA3, 0xffe4}, // right Control
    TVkKeysym{0xA4, 0xffe9}, // left Alt
    TVkKeysym{0xA5, 0xffea}, // right Alt
    TVkKeysym{0xA5, 0xfe03}, // AltGr (ISO_Level3_Shift) is the right Alt key
    TVkKeysym{0x10, 0xffe1}, // Shift
    TVkKeysym{0x11, 0xffe3}, // Control
    TVkKeysym{0x12, 0xffe9}, // Alt (Menu)
    TVkKeysym{0x13, 0xff13}, // Pause
    TVkKeysym{0x14, 0xffe5}, // Caps Lock
    TVkKeysym{0x1B, 0xff1b}, // Escape
    TVkKeysym{0x20, 0x0020}, // Space
    TVkKeysym{0x21, 0xff55}, // Page Up
    TVkKeysym{0x22, 0xff56}, // Page Down
    TVkKeysym{0x23, 0xff57}, // End
    TVkKeysym{0x24, 0xff50}, // Home
    TVkKeysym{0x25, 0xff51}, // Left
    TVkKeysym{0x26, 0xff52}, // Up
    TVkKeysym{0x27, 0xff53}, // Right
    TVkKeysym{0x28, 0xff54}, // Down
    TVkKeysym{0x29, 0xff60}, // Select
    TVkKeysym{0x2C, 0xff61}, // Print Screen
    TVkKeysym{0x2A, 0xff61}, // Print
    TVkKeysym{0x2B, 0xff62}, // Execute
    TVkKeysym{0x2D, 0xff63}, // Insert
    TVkKeysym{0x2E, 0xffff}, // Delete
    TVkKeysym{0x2F, 0xff6a}, // Help
    TVkKeysym{0x5B, 0xffeb}, // left Windows key: Super
    TVkKeysym{0x5C, 0xffec}, // right Windows key
    TVkKeysym{0x5D, 0xff67}, // Applications (menu key)
    TVkKeysym{0x5F, 0x1008ff2f}, // Sleep
    TVkKeysym{0x6A, 0xffaa}, // keypad *
    TVkKeysym{0x6B, 0xffab}, // keypad +
    TVkKeysym{0x6C, 0xffac}, // keypad separator
    TVkKeysym{0x6D, 0xffad}, // keypad -
    TVkKeysym{0x6E, 0xffae}, // keypad decimal
    TVkKeysym{0x6F, 0xffaf}, // keypad /
    TVkKeysym{0x90, 0xff7f}, // Num Lock
    TVkKeysym{0x91, 0xff14}, // Scroll Lock
    TVkKeysym{0xA6, 0x1008ff26}, // browser Back
    TVkKeysym{0xA7, 0x1008ff27}, // browser Forward
    TVkKeysym{0xA8, 0x1008ff29}, // browser Refresh
    TVkKeysym{0xA9, 0x1008ff28}, // browser Stop
    TVkKeysym{0xAA, 0x1008ff1b}, // browser Search
    TVkKeysym{0xAB, 0x1008ff30}, // browser Favorites
    TVkKeysym{0xAC, 0x1008ff18}, // browser Home
    TVkKeysym{0xAD, 0x1008ff12}, // volume mute
    TVkKeysym{0xAE, 0x1008ff11}, // volume down
    TVkKeysym{0xAF, 0x1008ff13}, // volume up
    TVkKeysym{0xB0, 0x1008ff17}, // next track
    TVkKeysym{0xB1, 0x1008ff16}, // previous track
    TVkKeysym{0xB2, 0x1008ff15}, // stop media
    TVkKeysym{0xB3, 0x1008ff14}, // play/pause
    TVkKeysym{0xB4, 0x1008ff19}, // mail
    TVkKeysym{0xB5, 0x1008ff32}, // media select
    TVkKeysym{0xB6, 0x1008ff33}, // application 1
    TVkKeysym{0xB7, 0x1008ff1d}, // application 2: calculator
    TVkKeysym{0xBA, 0x003b}, // ; (US layout, as the codes are defined)
    TVkKeysym{0xBB, 0x003d}, // =
    TVkKeysym{0xBC, 0x002c}, // ,
    TVkKeysym{0xBD, 0x002d}, // -
    TVkKeysym{0xBE, 0x002e}, // .
    TVkKeysym{0xBF, 0x002f}, // /
    TVkKeysym{0xC0, 0x0060}, // `
    TVkKeysym{0xDB, 0x005b}, // [
    TVkKeysym{0xDC, 0x005c}, // backslash
    TVkKeysym{0xDD, 0x005d}, // ]
    TVkKeysym{0xDE, 0x0027}, // '
    TVkKeysym{0xE2, 0x003c}, // the extra key of 102-key keyboards
    TVkKeysym{0xFC, 0xffffff}, // no name: a key that types nothing (VoidSymbol)
};

// Keypad keys with Num Lock off report the navigation keys, as the hook sees them.
constexpr std::array kKeypadBack{
    TVkKeysym{0x24, 0xff95}, TVkKeysym{0x25, 0xff96}, TVkKeysym{0x26, 0xff97}, TVkKeysym{0x27, 0xff98},
    TVkKeysym{0x28, 0xff99}, TVkKeysym{0x21, 0xff9a}, TVkKeysym{0x22, 0xff9b}, TVkKeysym{0x23, 0xff9c},
    TVkKeysym{0x0C, 0xff9d}, TVkKeysym{0x2D, 0xff9e}, TVkKeysym{0x2E, 0xff9f}, TVkKeysym{0x0D, 0xff8d},
};

constexpr quint32 kKeysymF1 = 0xffbe;
constexpr quint32 kKeysymKp0 = 0xffb0;

} // namespace

quint32 KeysymForVk(int vk) {
    if (vk >= 'A' && vk <= 'Z')
        return quint32(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9')
        return quint32(vk);
    if (vk >= 0x60 && vk <= 0x69)
        return kKeysymKp0 + quint32(vk - 0x60);
    if (vk >= 0x70 && vk <= 0x87) // F1..F24
        return kKeysymF1 + quint32(vk - 0x70);
    for (const TVkKeysym& e : kTable)
        if (e.vk == vk)
            return e.keysym;
    return 0;
}

int VkForKeysym(quint32 keysym) {
    if (keysym >= 'a' && keysym <= 'z')
        return int(keysym - 'a' + 'A');
    if ((keysym >= 'A' && keysym <= 'Z') || (keysym >= '0' && keysym <= '9'))
        return int(keysym);
    if (keysym >= kKeysymKp0 && keysym <= kKeysymKp0 + 9)
        return 0x60 + int(keysym - kKeysymKp0);
    if (keysym >= kKeysymF1 && keysym < kKeysymF1 + 24)
        return 0x70 + int(keysym - kKeysymF1);
    for (const TVkKeysym& e : kTable)
        if (e.keysym == keysym)
            return e.vk;
    for (const TVkKeysym& e : kKeypadBack)
        if (e.keysym == keysym)
            return e.vk;
    return 0;
}

quint32 KeysymForCharacter(char32_t ch) {
    switch (ch) {
    case U'\b': return 0xff08;
    case U'\t': return 0xff09;
    case U'\n':
    case U'\r': return 0xff0d;
    case 0x1b: return 0xff1b;
    case 0x7f: return 0xffff;
    default: break;
    }
    if ((ch >= 0x20 && ch < 0x7f) || (ch >= 0xa0 && ch <= 0xff))
        return quint32(ch);
    if (ch < 0x20 || (ch >= 0x7f && ch < 0xa0) || ch > 0x10ffff || (ch >= 0xd800 && ch <= 0xdfff))
        return 0; // other control characters and lone surrogates type nothing
    return 0x01000000u | quint32(ch);
}

} // namespace vantrelo::x11
