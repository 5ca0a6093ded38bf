// Sends key chords to the foreground window, in virtual-key codes and modifier bits.
#pragma once

namespace vantrelo {

// Modifier bits as keyword hotkeys store them.
enum TKeyModifier : int { kModAlt = 1, kModCtrl = 2, kModShift = 4, kModWin = 8 };

class TKeySender {
public:
    virtual ~TKeySender() = default;
    // Presses the modifiers, taps `vk`, releases the modifiers.
    virtual void SendChord(int vk, int modifiers) = 0;
};

} // namespace vantrelo
