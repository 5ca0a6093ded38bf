// Virtual-key codes: the program's names for keys, as keyword hotkeys store them and the key senders take them.
#pragma once

namespace vantrelo {

inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkAlt = 0x12;
inline constexpr int kVkEscape = 0x1B;
inline constexpr int kVkC = 0x43;
inline constexpr int kVkR = 0x52;
inline constexpr int kVkS = 0x53;
inline constexpr int kVkV = 0x56;
inline constexpr int kVkX = 0x58;
inline constexpr int kVkZ = 0x5A;
inline constexpr int kVkLeftWin = 0x5B;
inline constexpr int kVkRightWin = 0x5C;
inline constexpr int kVkLeftShift = 0xA0;
inline constexpr int kVkRightShift = 0xA1;
inline constexpr int kVkLeftControl = 0xA2;
inline constexpr int kVkMediaNext = 0xB0;
inline constexpr int kVkMediaPrev = 0xB1;
inline constexpr int kVkMediaStop = 0xB2;
inline constexpr int kVkMediaPlayPause = 0xB3;
inline constexpr int kVkLaunchMediaSelect = 0xB5;

} // namespace vantrelo
