// Rules programs: substitutions, deletions, escapes, line breaks, bad and costly patterns.
#include "tools/regexrules.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(RegexRules, RunsEveryRuleInOrder) {
    struct TCase {
        const char* rules;
        const char* text;
        const char* result;
    } cases[] = {
        {"s/\\s+$//||^#.*", "keep  \r\n# gone\r\nend ", "keep\r\n\r\nend"},
        {"s/a\\/b/c/", "a/b and a/b", "c and c"},
        {"s/x/\\t/", "axbx", "a\tb\t"},
        {"s/x/\\n\\r\\f\\\\/", "x", "\n\r\f\\"},
        {"s/(\\w+)@(\\w+)/$2 at \\1/", "me@home", "home at me"},
        {"s/(a)/${1}$$/", "a", "a$"},
        {"s/A/b/", "aA", "ab"},
        {"s/(?i)A/b/", "aA", "bb"},
        {"s/o/0/ignored", "foo", "f00"},
        {"s/o/0", "foo", "f00"},           // no closing "/": the replacement is the rest
        {"s/unclosed", "unclosed", "unclosed"}, // no end of pattern: the rule does nothing
        {"\\d", "a1b22c", "abc"},
        {"  ||   || ", "unchanged", "unchanged"},
        {"", "unchanged", "unchanged"},
        {"s/^/> /", "a\nb", "> a\n> b"},
        {"s/x*/-/", "abc", "-a-b-c-"},
        {"s/é/e/", "café", "cafe"},
    };
    for (const TCase& c : cases) {
        const TRegexOutcome r = ApplyRegexRules(QString::fromUtf8(c.rules), QString::fromUtf8(c.text));
        EXPECT_TRUE(r.ok) << c.rules << ": " << r.error.toStdString();
        EXPECT_EQ(r.text, QString::fromUtf8(c.result)) << c.rules;
    }
}

TEST(RegexRules, ABadOrCostlyRuleStopsWithWhatTheEarlierRulesMade) {
    struct TCase {
        const char* rules;
        const char* text;
        const char* result;
        const char* error;
    } cases[] = {
        {"s/a/b/||s/(/x/||s/b/c/", "aaa", "bbb", "Invalid rule: ("},
        {"[z", "z", "z", "Invalid rule: [z"},
        {"s/(a+)+$/x/", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa!",
         "Rule too complex: (a+)+$"},
    };
    for (const TCase& c : cases) {
        const TRegexOutcome r = ApplyRegexRules(QString::fromUtf8(c.rules), QString::fromUtf8(c.text));
        EXPECT_FALSE(r.ok) << c.rules;
        EXPECT_EQ(r.text, QString::fromUtf8(c.result)) << c.rules;
        EXPECT_EQ(r.error, QString::fromUtf8(c.error)) << c.rules;
    }
}

} // namespace
} // namespace vantrelo
