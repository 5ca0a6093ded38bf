// System-wide hotkeys: a virtual-key code with modifier bits that reaches the program from any window.
#pragma once

#include <QtGlobal>

#include <functional>

namespace vantrelo {

class TGlobalHotkeys {
public:
    // `id` of the hotkey pressed; `userTime` stamps the key press, for activating windows after it.
    using THandler = std::function<void(int id, quint64 userTime)>;

    virtual ~TGlobalHotkeys() = default;
    // Modifiers as keyword hotkeys store them (1 Alt, 2 Ctrl, 4 Shift, 8 Win). The hotkey works
    // whatever the state of Num Lock and Caps Lock. False when the key has no key on the keyboard
    // or another program already holds the combination; re-registering an id replaces it.
    virtual bool Register(int id, int vk, int modifiers) = 0;
    virtual void Unregister(int id) = 0;
    virtual void UnregisterAll() = 0;
    // Called on the thread that owns the hotkeys for every press of a registered hotkey.
    virtual void SetHandler(THandler handler) = 0;
};

} // namespace vantrelo
