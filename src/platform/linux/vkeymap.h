// Windows virtual-key codes and X keysyms: the one table behind sent keys, hotkeys and the keyboard hook.
#pragma once

#include <QtGlobal>

namespace vantrelo::x11 {

// The keysym a virtual-key code stands for (letters as their lower-case keysym); 0 when none.
quint32 KeysymForVk(int vk);
// The virtual-key code of a keysym as a low-level keyboard hook reports it (left and right
// modifiers apart, keypad keys without Num Lock as their navigation keys); 0 when none.
int VkForKeysym(quint32 keysym);
// The keysym that types a character: Latin-1 as itself, control characters as their keys, the
// rest as Unicode keysyms.
quint32 KeysymForCharacter(char32_t ch);

} // namespace vantrelo::x11
