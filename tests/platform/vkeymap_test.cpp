// The virtual-key table: keys to keysyms, keysyms back to the codes a keyboard hook reports, characters.
#include "platform/linux/vkeymap.h"

#include <gtest/gtest.h>

using namespace vantrelo::x11;

TEST(VkKeymap, VirtualKeysToKeysyms) {
    struct Case {
        int vk;
        quint32 keysym;
    };
    const Case cases[] = {
        {'A', 'a'}, {'Z', 'z'}, {'0', '0'}, {'9', '9'},
        {0x0D, 0xff0d},       // Enter
        {0x10, 0xffe1},       // Shift sends the left key
        {0x12, 0xffe9},       // Alt
        {0x5B, 0xffeb},       // left Windows key is Super
        {0x60, 0xffb0},       // keypad 0
        {0x69, 0xffb9},       // keypad 9
        {0x70, 0xffbe},       // F1
        {0x7B, 0xffc9},       // F12
        {0x87, 0xffd5},       // F24
        {0x2E, 0xffff},       // Delete
        {0xAD, 0x1008ff12},   // mute
        {0xBA, ';'},
        {0xFC, 0xffffff},     // the key that types nothing
        {0x07, 0},            // undefined codes send nothing
        {-1, 0},
        {0x100, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeysymForVk(c.vk), c.keysym) << "vk " << c.vk;
}

TEST(VkKeymap, KeysymsBackToHookCodes) {
    struct Case {
        quint32 keysym;
        int vk;
    };
    const Case cases[] = {
        {'a', 'A'}, {'A', 'A'}, {'5', '5'},
        {0xffe1, 0xA0}, {0xffe2, 0xA1}, // left and right Shift stay apart
        {0xffe3, 0xA2}, {0xffe4, 0xA3},
        {0xffe9, 0xA4}, {0xfe03, 0xA5}, // AltGr is the right Alt
        {0xffeb, 0x5B}, {0xffec, 0x5C},
        {0xff61, 0x2C},                 // Print is Print Screen
        {0xff9c, 0x23},                 // keypad End (keypad 1 without Num Lock)
        {0xffb1, 0x61},                 // keypad 1
        {0xffc9, 0x7B},
        {0x1234, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VkForKeysym(c.keysym), c.vk) << "keysym " << std::hex << c.keysym;
}

TEST(VkKeymap, CharactersToKeysyms) {
    struct Case {
        char32_t ch;
        quint32 keysym;
    };
    const Case cases[] = {
        {U'a', 'a'}, {U'~', '~'}, {U'é', 0xe9}, {U'\u00a0', 0xa0},
        {U'€', 0x010020ac}, {U'→', 0x01002192}, {U'😀', 0x0101f600},
        {U'\r', 0xff0d}, {U'\n', 0xff0d}, {U'\t', 0xff09},
        {char32_t(0x01), 0}, {char32_t(0x85), 0}, {char32_t(0xd800), 0}, {char32_t(0x110000), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeysymForCharacter(c.ch), c.keysym) << "char " << quint32(c.ch);
}
