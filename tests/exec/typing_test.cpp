// Typing plans, paste pause tags, "$KEYS$" lists, and the injector's focus check, one-at-a-time
// rule and clipboard keeping.
#include "exec/injector.h"
#include "exec/typeplan.h"
#include "support/hotkeyfakes.h"
#include "support/systemfakes.h"
#include "support/timefakes.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

QString Plan(const QString& text) {
    QStringList out;
    for (const TTypeStep& s : PlanTypeText(text))
        out << DescribeTypeStep(s);
    return out.join(u'|');
}

TEST(TypePlan, NamesPausesCodePointsAndLineBreaks) {
    struct TCase {
        const char* text;
        const char* plan;
    } cases[] = {
        {"a{ENTER}b", "char a|key ENTER|char b"},
        {"{enter}{Tab}{bs}{F16}", "key ENTER|key TAB|key BACKSPACE|key F16"},
        {"{pause 100}", "char p|char a|char u|char s|char e|char  |char 1|char 0|char 0"},
        {"{PAUSE 100}{TIME 50}x", "pause 100|delay 50|char x"},
        {"{PAUSE 999999}{TIME 99999}", "pause 60000|delay 5000"},
        {"{PAUSE -5}", "char P|char A|char U|char S|char E|char  |char -|char 5"},
        {"{hello}", "char h|char e|char l|char l|char o"},
        {"{{}", "char {"},
        {"a{b", "char a|char {|char b"},
        {"}", "char }"},
        {"{U+1F600}{U+e9}", "char 😀|char é"},
        {"{U+D800}", "char U|char +|char D|char 8|char 0|char 0"},
        {"{U+110000}", "char U|char +|char 1|char 1|char 0|char 0|char 0|char 0"},
        {"1\r\n2\n3\r4", "char 1|key ENTER|char 2|key ENTER|char 3|key ENTER|char 4"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Plan(QString::fromUtf8(c.text)), QString::fromUtf8(c.plan)) << c.text;
    EXPECT_EQ(Plan(LiteralTypeText(QStringLiteral("{BR}{x"))), "char {|char B|char R|char }|char {|char x");
}

TEST(PastePlan, TagsInAnyCaseAreReadRaisedToTheirMinimumAndRemoved) {
    struct TCase {
        const char* text;
        const char* rest;
        int before, after, afterEnter;
    } cases[] = {
        {"x", "x", 50, 100, 60},
        {"x{apause5}", "x", 50, 30, 60},
        {"{BPAUSE200}x{AAPAUSE0}", "x", 200, 100, 0},
        {"{Apause300}x{apause300}", "x", 50, 300, 60},
        {"{bpause 1}x", "x", 10, 100, 60},
        {"{bpause}x", "x", 50, 100, 60},
    };
    for (const TCase& c : cases) {
        const TPastePlan p = PlanPaste(QString::fromUtf8(c.text));
        EXPECT_EQ(p.text, QString::fromUtf8(c.rest)) << c.text;
        EXPECT_EQ(p.before, c.before) << c.text;
        EXPECT_EQ(p.after, c.after) << c.text;
        EXPECT_EQ(p.afterEnter, c.afterEnter) << c.text;
    }
}

TEST(KeyList, PressHoldAndRelease) {
    using K = TKeyListStroke;
    EXPECT_EQ(ParseKeyList("h17,86,r17"), (std::vector<K>{{K::Hold, 17}, {K::Press, 86}, {K::Release, 17}}));
    EXPECT_EQ(ParseKeyList("p65 65"), (std::vector<K>{{K::Press, 65}, {K::Press, 65}}));
    EXPECT_EQ(ParseKeyList("\"h160\" x 0 -3 321"), (std::vector<K>{{K::Hold, 160}, {K::Press, 321 & 0xFF}}));
}

struct InjectorTest : ::testing::Test {
    test::TFakeKeyInjector keys;
    test::TFakeWaiter waiter;
    test::TFakeClipboard clipboard;
    quint64 focus = 7;
    TInjector injector{TInjectTools{&keys, nullptr, &waiter, &clipboard, [this] { return focus; }}};
};

TEST_F(InjectorTest, TypesWithTheDelayAndStopsWhenTheTargetLosesTheFocus) {
    EXPECT_EQ(injector.Type("a{TIME 40}b{PAUSE 1000}"), TInjectResult::Done);
    EXPECT_EQ(keys.chars, (std::vector<char32_t>{U'a', U'b'}));
    EXPECT_EQ(waiter.waitedMs, 10 + 40 + 1000);
    keys.chars.clear();
    keys.onEvent = [this] { focus = 9; };
    EXPECT_EQ(injector.Type("xyz"), TInjectResult::TargetGone);
    EXPECT_EQ(keys.chars, (std::vector<char32_t>{U'x'}));
    EXPECT_EQ(InjectMessage(TInjectResult::TargetGone), "Target window is gone");
}

TEST_F(InjectorTest, APasteKeepsTheUsersClipboardAndASecondInjectionMeanwhileIsRefused) {
    clipboard.Put("user's text");
    TInjectResult nested = TInjectResult::Done;
    waiter.onTick = [&] {
        if (nested == TInjectResult::Done)
            nested = injector.Type("meanwhile");
    };
    EXPECT_EQ(injector.Paste("pasted{apause40}", true), TInjectResult::Done);
    EXPECT_EQ(nested, TInjectResult::Busy);
    EXPECT_TRUE(keys.chars.empty());
    EXPECT_EQ(clipboard.text, "user's text");
    EXPECT_EQ(clipboard.restores, 1);
    // Ctrl+V, then Enter.
    EXPECT_EQ(keys.typed, (std::vector<std::pair<int, bool>>{{0x11, true}, {0x56, true}, {0x56, false}, {0x11, false},
                                                             {13, true}, {13, false}}));
}

TEST_F(InjectorTest, ThePasteClipboardWaitNeverPastesOldText) {
    clipboard.Put("old");
    EXPECT_EQ(injector.PasteClipboard("new"), TInjectResult::NoClipboard);
    EXPECT_TRUE(keys.typed.empty());
    focus = 0;
    clipboard.Put("new");
    EXPECT_EQ(injector.PasteClipboard("new"), TInjectResult::TargetGone);
    EXPECT_TRUE(keys.typed.empty());
}

TEST_F(InjectorTest, KeysStillHeldAreReleasedAtTheEnd) {
    keys.onEvent = [this] {
        if (keys.typed.size() == 2)
            focus = 3; // the target goes after the second event
    };
    EXPECT_EQ(injector.SendKeys(ParseKeyList("h16,h17,65")), TInjectResult::TargetGone);
    EXPECT_EQ(keys.typed, (std::vector<std::pair<int, bool>>{{16, true}, {17, true}, {16, false}, {17, false}}));
}

} // namespace
} // namespace vantrelo
