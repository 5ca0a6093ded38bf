// Hotkeys as text for the keyword list and editor: "WIN+ALT+CTRL+SHIFT+" and the key's name.
#include "platform/hotkeys/hotkeytext.h"

#include "platform/keysender.h"

#include <array>

namespace vantrelo {

namespace {

struct TKeyNameRow {
    int vk;
    const char* name;
};

constexpr std::array kNames{
    TKeyNameRow{0x03, "Break"},     TKeyNameRow{0x08, "BkSp"},      TKeyNameRow{0x09, "Tab"},
    TKeyNameRow{0x0C, "Clear"},     TKeyNameRow{0x0D, "Enter"},     TKeyNameRow{0x13, "Pause"},
    TKeyNameRow{0x14, "Caps Lock"}, TKeyNameRow{0x1B, "Esc"},       TKeyNameRow{0x20, "Space"},
    TKeyNameRow{0x21, "PgUp"},      TKeyNameRow{0x22, "PgDn"},      TKeyNameRow{0x23, "End"},
    TKeyNameRow{0x24, "Home"},      TKeyNameRow{0x25, "Left"},      TKeyNameRow{0x26, "Up"},
    TKeyNameRow{0x27, "Right"},     TKeyNameRow{0x28, "Down"},      TKeyNameRow{0x2C, "Prnt Scrn"},
    TKeyNameRow{0x2D, "Ins"},       TKeyNameRow{0x2E, "Del"},       TKeyNameRow{0x5D, "Application"},
    TKeyNameRow{0x6A, "Num *"},     TKeyNameRow{0x6B, "Num +"},     TKeyNameRow{0x6D, "Num -"},
    TKeyNameRow{0x6E, "Num Del"},   TKeyNameRow{0x6F, "Num /"},     TKeyNameRow{0x90, "Num Lock"},
    TKeyNameRow{0x91, "Scroll Lock"}, TKeyNameRow{0xBA, ";"},       TKeyNameRow{0xBB, "="},
    TKeyNameRow{0xBC, ","},         TKeyNameRow{0xBD, "-"},         TKeyNameRow{0xBE, "."},
    TKeyNameRow{0xBF, "/"},         TKeyNameRow{0xC0, "`"},         TKeyNameRow{0xDB, "["},
    TKeyNameRow{0xDC, "\\"},        TKeyNameRow{0xDD, "]"},         TKeyNameRow{0xDE, "'"},
    TKeyNameRow{0xE2, "\\"},
};

// The modifiers of `keymod` in the fixed order Windows, Alt, Control, Shift, as `names` spells them.
QString ModifierText(int keymod, std::array<const char*, 4> names) {
    const int mods = keymod < 0 ? 0 : keymod;
    const int bits[4] = {kModWin, kModAlt, kModCtrl, kModShift};
    QString text;
    for (int i = 0; i < 4; ++i)
        if (mods & bits[i])
            text += QLatin1String(names[size_t(i)]);
    return text;
}

} // namespace

QString KeyName(int vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return QString(QChar(vk));
    if (vk >= 0x60 && vk <= 0x69)
        return QStringLiteral("Num ") + QChar('0' + (vk - 0x60));
    if (vk >= 0x70 && vk <= 0x87)
        return QStringLiteral("F") + QString::number(vk - 0x70 + 1);
    for (const TKeyNameRow& r : kNames)
        if (r.vk == vk)
            return QString::fromLatin1(r.name);
    return QStringLiteral("Key ") + QString::number(vk);
}

QString HotkeyText(int key, int keymod) {
    if (key == -1)
        return QStringLiteral("None");
    return ModifierText(keymod, {"WIN+", "ALT+", "CTRL+", "SHIFT+"}) + KeyName(key);
}

QString HotkeyAssignFailedText(int key, int keymod) {
    return QStringLiteral("Unable to assign ") + ModifierText(keymod, {"win+", "alt+", "control+", "shift+"}) +
           KeyName(key) + QStringLiteral(" as hotkey.");
}

bool ParseHotkeyText(const QString& text, int& key, int& keymod) {
    QString rest = text.trimmed();
    if (rest.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0) {
        key = -1;
        keymod = 0;
        return true;
    }
    static const struct {
        const char* prefix;
        int bit;
    } kPrefixes[] = {{"WIN+", kModWin},     {"SUPER+", kModWin},    {"ALT+", kModAlt},
                     {"CTRL+", kModCtrl},   {"CONTROL+", kModCtrl}, {"SHIFT+", kModShift}};
    int mods = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& p : kPrefixes) {
            const QLatin1String prefix(p.prefix);
            // A lone "+" after the modifiers is the key of that name, not another prefix.
            if (rest.size() > prefix.size() && rest.startsWith(prefix, Qt::CaseInsensitive)) {
                mods |= p.bit;
                rest = rest.mid(prefix.size());
                found = true;
            }
        }
    }
    for (int vk = 1; vk < 0xFF; ++vk) {
        if (KeyName(vk).compare(rest, Qt::CaseInsensitive) == 0) {
            key = vk;
            keymod = mods;
            return true;
        }
    }
    return false;
}

} // namespace vantrelo
