// Hotkeys as text for the keyword list and editor: "WIN+ALT+CTRL+SHIFT+" and the key's name.
#pragma once

#include <QString>

namespace vantrelo {

// The key's standard shortcut name ("A", "F5", "Enter", "PgUp", "Num 3", "Pause"); for a code
// without a name, "Key" and its number, so no hotkey shows as a bare modifier.
QString KeyName(int vk);
// "None" for key -1; otherwise the modifiers in the order WIN+, ALT+, CTRL+, SHIFT+ and the name.
QString HotkeyText(int key, int keymod);
// The settings dialog's answer when the program's hotkey cannot be had: the modifiers as "win+",
// "alt+", "control+", "shift+" and the key's name.
QString HotkeyAssignFailedText(int key, int keymod);
// The inverse of HotkeyText, without regard to case; "SUPER+" and "CONTROL+" are taken too.
// "None" gives key -1. False (outputs untouched) for a text without a known key.
bool ParseHotkeyText(const QString& text, int& key, int& keymod);

} // namespace vantrelo
