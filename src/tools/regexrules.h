// Rules programs of regular expressions over a text: "s/pattern/replacement/" substitutions and
// patterns whose matches are deleted, separated by "||".
#pragma once

#include <QString>

namespace vantrelo {

// What one pattern may cost before it is given up ("Rule too complex").
inline constexpr unsigned kRegexMatchLimit = 1000000;
inline constexpr unsigned kRegexDepthLimit = 10000;

struct TRegexOutcome {
    bool ok = true;
    QString text;  // the result; after a failure, the text as the rules before the bad one left it
    QString error; // "Invalid rule: PATTERN" or "Rule too complex: PATTERN"
};

// Runs the rules over `text` in multi-line mode; CR LF line breaks are kept. An empty program
// returns the text unchanged.
TRegexOutcome ApplyRegexRules(const QString& rules, const QString& text);

// Whether the program holds any rule at all.
bool HasRegexRules(const QString& rules);

} // namespace vantrelo
