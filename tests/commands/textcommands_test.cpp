// The typing, key, history-paste, plain-text and rules commands over the fakes.
#include "commandfakes.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

class TextCommands : public testing::Test, public TCommandFixture {
protected:
    QString Typed() const {
        QString out;
        for (const char32_t c : fx.injected.chars)
            out += QString::fromUcs4(&c, 1);
        return out;
    }
};

TEST_F(TextCommands, SendTextTypesIntoTheWindowInFrontAndFailsWhenThereIsNone) {
    EXPECT_FALSE(Dispatch("$SENDTEXT$", "hi{TAB}").failed);
    EXPECT_EQ(Typed(), "hi");
    EXPECT_EQ(fx.injected.typed, (std::vector<std::pair<int, bool>>{{9, true}, {9, false}}));

    fx.windows.foreground = 1; // only the program's own window
    const TInternalOutcome out = Dispatch("$SENDTEXT$", "more");
    EXPECT_TRUE(out.failed);
    EXPECT_EQ(out.message, "Target window is gone");
    EXPECT_EQ(Typed(), "hi");
}

// Summoned while no window was active (a Wayland program had the keyboard), text never goes to
// whichever window takes the focus next.
TEST_F(TextCommands, WithNoPreviousWindowTextGoesNowhereElse) {
    fx.windows.active = true;
    host.hasLastActive = false;
    fx.windows.foreground = 500; // an unrelated window of another program
    for (const char* command : {"$SENDTEXT$", "$PASTE1$"}) {
        fx.history.entries = QStringList{"entry"};
        const TInternalOutcome out = Dispatch(command, "words");
        EXPECT_TRUE(out.failed) << command;
        EXPECT_EQ(out.message, "No previous window detected.") << command;
    }
    EXPECT_EQ(Typed(), "");
}

TEST_F(TextCommands, HistoryEntriesAreTypedLiterallyAndOnlyWhenThereAreEnough) {
    fx.history.entries = QStringList{"{ENTER}newest", "older"};
    Dispatch("$PASTE3$");
    EXPECT_EQ(Typed(), "");
    Dispatch("$PASTE1$");
    EXPECT_EQ(Typed(), "{ENTER}newest");
    EXPECT_TRUE(fx.injected.typed.empty()) << "no Enter key";
}

TEST_F(TextCommands, KeysSendTheListAndReleaseWhatIsHeld) {
    Dispatch("$KEYS$", "h160,65");
    EXPECT_EQ(fx.injected.typed,
              (std::vector<std::pair<int, bool>>{{160, true}, {65, true}, {65, false}, {160, false}}));
    fx.injected.typed.clear();
    RunKeyword("$KEYS$", "h17,86,r17", "");
    EXPECT_EQ(fx.injected.typed.size(), 4u);
}

TEST_F(TextCommands, RulesRewriteTheClipboardAndABadRuleLeavesItAndPastesNothing) {
    fx.clipboard.Put("a1b2");
    EXPECT_FALSE(Dispatch("$TEXTREGEX$", "\\d").failed);
    EXPECT_EQ(fx.clipboard.text, "ab");

    fx.clipboard.Put("keep 1");
    const TInternalOutcome bad = Dispatch("$TEXTREGEXPASTE2$", "s/1/2/||s/(/x/");
    EXPECT_TRUE(bad.failed);
    EXPECT_EQ(bad.message, "Invalid rule: (");
    EXPECT_EQ(fx.clipboard.text, "keep 1");
    EXPECT_TRUE(fx.injected.typed.empty());

    // The keyword's rules, when none are typed; the rewritten text stays on the clipboard.
    fx.clipboard.Put("x-y");
    EXPECT_FALSE(RunKeyword("$TEXTREGEXPASTE2$", "s/-/+/", "").failed);
    EXPECT_EQ(fx.injected.typed.size(), 4u) << "Ctrl+V";
    EXPECT_EQ(fx.clipboard.text, "x+y");

    // No text on the clipboard: nothing is pasted, and that is said.
    fx.injected.typed.clear();
    fx.clipboard.hasText = false;
    const TInternalOutcome none = Dispatch("$TEXTREGEXPASTE2$", "s/-/+/");
    EXPECT_EQ(none.message, "No text on the clipboard");
    EXPECT_TRUE(fx.injected.typed.empty());
}

TEST_F(TextCommands, CleanPasteOnlyWithTextAndLeavesThePlainTextOnTheClipboard) {
    fx.clipboard.hasText = false;
    EXPECT_EQ(Dispatch("$TEXTCLEANPASTE$").message, "No text on the clipboard");
    EXPECT_TRUE(fx.injected.typed.empty());
    fx.clipboard.Put("plain");
    const int restores = fx.clipboard.restores;
    Dispatch("$TEXTCLEANPASTE$");
    EXPECT_EQ(fx.injected.typed.size(), 4u);
    EXPECT_EQ(fx.clipboard.restores, restores);
    EXPECT_EQ(fx.clipboard.text, "plain");
}

} // namespace
