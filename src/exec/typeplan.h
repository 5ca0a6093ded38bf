// What typing a text sends, worked out before anything is sent: key names in braces, "{U+...}",
// pauses, the per-key delay, line breaks as Enter; and the pause tags of a paste.
#pragma once

#include <QString>

#include <vector>

namespace vantrelo {

inline constexpr int kDefaultKeyDelayMs = 10;
inline constexpr int kMaxTypePauseMs = 60000; // "{PAUSE n}"
inline constexpr int kMaxKeyDelayMs = 5000;   // "{TIME n}"

enum class TTypeStepKind { Key, Char, Pause, Delay };

struct TTypeStep {
    TTypeStepKind kind;
    int value; // virtual-key code, Unicode scalar value, or milliseconds
    bool operator==(const TTypeStep&) const = default;
};

// The virtual-key code of a braced key name (any case); 0 when it names no key.
int TypeKeyCode(const QString& name);
// The steps for `text`. A "{" without a "}" is typed as it stands.
std::vector<TTypeStep> PlanTypeText(const QString& text);
// One step as words: "key ENTER", "char a", "pause 100", "delay 50".
QString DescribeTypeStep(const TTypeStep& step);
// `text` marked so that typing sends its characters as they are (its braces name no keys).
QString LiteralTypeText(const QString& text);

// The pauses of a paste in milliseconds, read from its "{bpause n}", "{apause n}" and
// "{aapause n}" tags (any case), which are removed from the text.
struct TPastePlan {
    QString text;
    int before = 50; // at least 10
    int after = 100; // at least 30
    int afterEnter = 60;
};
TPastePlan PlanPaste(const QString& text);

} // namespace vantrelo
