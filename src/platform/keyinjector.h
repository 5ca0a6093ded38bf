// Single key events as if typed on the keyboard: virtual-key presses and Unicode characters.
#pragma once

namespace vantrelo {

class TKeyInjector {
public:
    virtual ~TKeyInjector() = default;
    // Presses or releases the key of a virtual-key code; false when no key can produce it.
    virtual bool KeyDown(int vk) = 0;
    virtual bool KeyUp(int vk) = 0;
    // Types one character (press and release), also one that no key of the layout produces.
    virtual bool TypeCharacter(char32_t ch) = 0;
    // True while the key of the virtual-key code is physically or logically held down; the
    // generic Shift, Control and Alt codes test both keys of their pair.
    virtual bool IsKeyDown(int vk) const = 0;
};

} // namespace vantrelo
