// Typing plans and paste pauses.
#include "exec/typeplan.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace vantrelo {

namespace {

struct TKeyName {
    const char* name;
    int vk;
};

// The first name of a code is the one a plan is described with.
constexpr TKeyName kKeyNames[] = {
    {"BACKSPACE", 8}, {"BKSP", 8},    {"BS", 8},        {"BREAK", 3},      {"CAPSLOCK", 20}, {"CLEAR", 12},
    {"DELETE", 46},   {"DEL", 46},    {"DOWN", 40},     {"END", 35},       {"ENTER", 13},    {"ESC", 27},
    {"ESCAPE", 27},   {"HELP", 47},   {"HOME", 36},     {"INS", 45},       {"LEFT", 37},     {"NUMLOCK", 144},
    {"PGDN", 34},     {"PGUP", 33},   {"PRTSC", 42},    {"RIGHT", 39},     {"SCROLLLOCK", 145},
    {"TAB", 9},       {"UP", 38},     {"F1", 112},      {"F2", 113},       {"F3", 114},      {"F4", 115},
    {"F5", 116},      {"F6", 117},    {"F7", 118},      {"F8", 119},       {"F9", 120},      {"F10", 121},
    {"F11", 122},     {"F12", 123},   {"F13", 124},     {"F14", 125},      {"F15", 126},     {"F16", 127},
};

constexpr int kEnter = 13;

// A whole non-negative number; nothing for signs, blanks or other characters.
std::optional<int> WholeNumber(const QString& s, int max) {
    if (s.isEmpty() || s.size() > 9 || !std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return std::min(s.toInt(), max);
}

std::optional<char32_t> ScalarValue(const QString& hex) {
    if (hex.isEmpty() || hex.size() > 6)
        return std::nullopt;
    bool ok = false;
    const uint code = hex.toUInt(&ok, 16);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    return char32_t(code);
}

void AddChars(const QString& text, std::vector<TTypeStep>& out) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            out.push_back({TTypeStepKind::Key, kEnter});
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            continue;
        }
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text.at(++i));
        out.push_back({TTypeStepKind::Char, int(code)});
    }
}

void AddBraced(const QString& name, std::vector<TTypeStep>& out) {
    if (const int vk = TypeKeyCode(name)) {
        out.push_back({TTypeStepKind::Key, vk});
    } else if (name.startsWith(QLatin1String("U+")) && ScalarValue(name.mid(2))) {
        out.push_back({TTypeStepKind::Char, int(*ScalarValue(name.mid(2)))});
    } else if (name.startsWith(QLatin1String("PAUSE ")) && WholeNumber(name.mid(6), kMaxTypePauseMs)) {
        out.push_back({TTypeStepKind::Pause, *WholeNumber(name.mid(6), kMaxTypePauseMs)});
    } else if (name.startsWith(QLatin1String("TIME ")) && WholeNumber(name.mid(5), kMaxKeyDelayMs)) {
        out.push_back({TTypeStepKind::Delay, *WholeNumber(name.mid(5), kMaxKeyDelayMs)});
    } else {
        AddChars(name, out);
    }
}

int ReadTag(QString& text, const QString& tag, int current) {
    const qsizetype at = text.indexOf(tag, 0, Qt::CaseInsensitive);
    if (at < 0)
        return current;
    const qsizetype close = text.indexOf(u'}', at + tag.size());
    if (close < 0)
        return current;
    const QString span = text.mid(at, close + 1 - at);
    const std::optional<int> ms = WholeNumber(span.mid(tag.size(), span.size() - tag.size() - 1).trimmed(), kMaxTypePauseMs);
    // Every copy of the tag goes, also those in another case.
    text.replace(span, QString(), Qt::CaseInsensitive);
    return ms ? *ms : current;
}

} // namespace

int TypeKeyCode(const QString& name) {
    for (const TKeyName& k : kKeyNames)
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0)
            return k.vk;
    return 0;
}

std::vector<TTypeStep> PlanTypeText(const QString& text) {
    std::vector<TTypeStep> out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'{', i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'}', open + 1);
        if (close < 0) {
            AddChars(text.mid(i), out);
            break;
        }
        AddChars(text.mid(i, open - i), out);
        AddBraced(text.mid(open + 1, close - open - 1), out);
        i = close + 1;
    }
    return out;
}

QString DescribeTypeStep(const TTypeStep& step) {
    switch (step.kind) {
    case TTypeStepKind::Key:
        for (const TKeyName& k : kKeyNames)
            if (k.vk == step.value)
                return QStringLiteral("key ") + QLatin1String(k.name);
        return QStringLiteral("key %1").arg(step.value);
    case TTypeStepKind::Char:
        return QStringLiteral("char ") + QString::fromUcs4(reinterpret_cast<const char32_t*>(&step.value), 1);
    case TTypeStepKind::Pause:
        return QStringLiteral("pause %1").arg(step.value);
    case TTypeStepKind::Delay:
        return QStringLiteral("delay %1").arg(step.value);
    }
    return QString();
}

QString LiteralTypeText(const QString& text) {
    QString out = text;
    // "{{}" is a braced name of its own that types "{".
    return out.replace(u'{', QLatin1String("{{}"));
}

TPastePlan PlanPaste(const QString& text) {
    TPastePlan p;
    p.text = text;
    p.afterEnter = ReadTag(p.text, QStringLiteral("{aapause"), p.afterEnter);
    p.after = std::max(30, ReadTag(p.text, QStringLiteral("{apause"), p.after));
    p.before = std::max(10, ReadTag(p.text, QStringLiteral("{bpause"), p.before));
    return p;
}

} // namespace vantrelo
