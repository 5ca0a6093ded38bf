// Parameter substitution: typed parameters, default blocks, clipboard and selection tokens,
// control tokens, and that inserted text is never read as tokens.
#include "exec/substitution.h"

#include "exec/selectioncopy.h"

#include "support/execfakes.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct Case {
    const char* text;
    const char* params;
    const char* expected;
};

TEST(SubstitutePartial, TypedParameterTokens) {
    const Case cases[] = {
        {"https://s.example/?q=$U$", "a b&c", "https://s.example/?q=a%20b%26c"},
        {"https://s.example/?q=$u$", "a b", "https://s.example/?q=a%20b"},
        {"[$p$][$P$]", "x", "[x][x]"},
        {"[$Px$]", "x", "[$Px$]"},
        {"run $P$", "", "run "},
        {"$p2$", "one \"two three\" four", "two three"},
        {"[$p5$]", "one two", "[]"},
        {"$p1$-$p10$", "a b c d e f g h i j", "a-j"},
        {"$P1$/$U2$", "a b&c", "a/b%26c"},
        {"a{BR}b", "", "a\r\nb"},
        {"$i$x$I$", "", "x"},
        {"x$ps$$PSE$$pse500$y", "", "xy"},
        {"x$pp$$PPE$$pp250$$ppe9$y", "", "xy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SubstituteParameters(QString::fromUtf8(c.text), QString::fromUtf8(c.params)), QString::fromUtf8(c.expected));
    }
}

TEST(SubstitutePartial, TypedTextIsNeverReadAsTokens) {
    const Case cases[] = {
        {"go $P$", "$U$ $p1$ {BR} $DEF$x$DEF$", "go $U$ $p1$ {BR} $DEF$x$DEF$"},
        {"$P$ $U$", "$P$", "$P$ %24P%24"},
        {"$p1$", "$p2$ z", "$p2$"},
        {"$P$$i$", "$i$", "$i$"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.params);
        EXPECT_EQ(SubstituteParameters(QString::fromUtf8(c.text), QString::fromUtf8(c.params)), QString::fromUtf8(c.expected));
    }
}

TEST(DefaultBlocks, KeptWithoutParametersDroppedWithThem) {
    const Case cases[] = {
        {"https://s/?q=$U$$DEF$https://start$DEF$", "", "https://start"},
        {"https://s/?q=$U$$DEF$https://start$DEF$", "cats", "https://s/?q=cats"},
        {"https://s/?q=$U$$def$https://start$def$", "  ", "https://start"},
        {"only $DEF$ once", "", ""},
        {"only $DEF$ once", "x", "only  once"},
        {"plain", "", "plain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.params);
        EXPECT_EQ(SubstituteParameters(QString::fromUtf8(c.text), QString::fromUtf8(c.params)), QString::fromUtf8(c.expected));
    }
    EXPECT_EQ(ApplyDefaultBlocks(QStringLiteral("a$DEF$b$DEF$c"), QString()), QStringLiteral("b"));
}

class SubstituteFull : public ::testing::Test, protected test::TExecFakes {
protected:
    TSubstituteResult Run(const char* text, const char* params = "") {
        return SubstituteParameters(QString::fromUtf8(text), QString::fromUtf8(params), ctx);
    }
};

TEST_F(SubstituteFull, ClipboardTextIsFlattenedButTheClipboardKeepsIt) {
    clipboard.Put(QStringLiteral("  two\r\nlines & more\n"));
    const quint64 changes = clipboard.changes;
    EXPECT_EQ(Run("[$c$] [$CU$]").text, QStringLiteral("[two lines & more] [two%20lines%20%26%20more]"));
    EXPECT_EQ(clipboard.text, QStringLiteral("  two\r\nlines & more\n"));
    EXPECT_EQ(clipboard.changes, changes);
}

TEST_F(SubstituteFull, ClipboardWithoutTextGivesEmpty) {
    EXPECT_EQ(Run("x$c$y").text, QStringLiteral("xy"));
}

TEST_F(SubstituteFull, ClipboardAndTypedTextAreNotCommands) {
    clipboard.Put(QStringLiteral("$cut$$paste$$M$$CLR$$GW$$SOUND$/a.wav$SOUND$$cc$"));
    files.files[QStringLiteral("/a.wav")] = QString();
    const TSubstituteResult r = Run("echo $c$ $P$", "$copy$ $R$");
    EXPECT_EQ(r.text, QStringLiteral("echo $cut$$paste$$M$$CLR$$GW$$SOUND$/a.wav$SOUND$$cc$ $copy$ $R$"));
    EXPECT_TRUE(keys.sent.empty());
    EXPECT_EQ(windows.minimized, 0);
    EXPECT_EQ(windows.undone, 0);
    EXPECT_TRUE(input.newWords.empty());
    EXPECT_EQ(input.lastActive, 0u);
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(SubstituteFull, SelectionIsCopiedAndTheClipboardRestored) {
    clipboard.Put(QStringLiteral("user's clipboard"));
    SelectInForeground(QStringLiteral(" picked\ntext "));
    const TSubstituteResult r = Run("find $cc$ / $ccu$");
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(r.text, QStringLiteral("find picked text / picked%20text"));
    ASSERT_EQ(keys.sent.size(), 1u); // one copy serves both tokens
    EXPECT_EQ(keys.sent[0], std::make_pair(kVkC, int(kModCtrl)));
    EXPECT_EQ(clipboard.text, QStringLiteral("user's clipboard"));
    EXPECT_EQ(clipboard.restores, 1);
}

TEST_F(SubstituteFull, SelectionCopyThatFailsIsReportedNotReplacedByOldText) {
    clipboard.Put(QStringLiteral("stale"));
    const TSubstituteResult r = Run("find $cc$");
    EXPECT_TRUE(r.failed);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_TRUE(r.text.isEmpty());
    EXPECT_EQ(waiter.waitedMs, 30 * 100);
    EXPECT_EQ(clipboard.text, QStringLiteral("stale"));
}

TEST_F(SubstituteFull, WaitsForAForeignWindowBeforeCopying) {
    windows.foreground = 1; // our own window still in front
    int ticks = 0;
    waiter.onTick = [&] {
        if (++ticks == 3)
            windows.foreground = 77;
    };
    SelectInForeground(QStringLiteral("sel"));
    EXPECT_EQ(Run("$cc$").text, QStringLiteral("sel"));
    EXPECT_EQ(waiter.waitedMs, 3 * 50);

    windows.foreground = 1;
    waiter.onTick = nullptr;
    keys.sent.clear();
    EXPECT_TRUE(Run("$cc$").failed);
    EXPECT_TRUE(keys.sent.empty()); // never Ctrl+C into our own window
}

TEST_F(SubstituteFull, WhileActiveTheInputLinesSelectionIsUsed) {
    windows.active = true;
    input.selection = QStringLiteral("in line");
    EXPECT_EQ(Run("[$cc$]").text, QStringLiteral("[in line]"));
    EXPECT_TRUE(keys.sent.empty());
    EXPECT_EQ(clipboard.writes, 0);
}

TEST_F(SubstituteFull, CxFillsPlainTextAndSendsAddressesToTheInputLine) {
    SelectInForeground(QStringLiteral("hello world"));
    TSubstituteResult r = Run("say $cx$ $CX$");
    EXPECT_EQ(r.text, QStringLiteral("say hello world hello world"));
    EXPECT_FALSE(r.toInput);

    SelectInForeground(QStringLiteral("example.com"));
    r = Run("say $cx$");
    EXPECT_EQ(r.text, QString::fromUtf16(kNoProgram));
    EXPECT_TRUE(r.toInput);
    ASSERT_EQ(input.newWords.size(), 1u);
    EXPECT_EQ(input.newWords[0].text, QStringLiteral("example.com"));
    EXPECT_EQ(input.shown, 1);
}

TEST_F(SubstituteFull, CeTurnsPlainTextIntoTheFastSearch) {
    AddKeyword(QStringLiteral("google"), QStringLiteral("https://s.example/?q=$U$"));
    SelectInForeground(QStringLiteral("red cats"));
    const TSubstituteResult r = Run("$ce$");
    EXPECT_TRUE(r.toInput);
    EXPECT_EQ(r.text, QString::fromUtf16(kNoProgram));
    ASSERT_EQ(input.newWords.size(), 1u);
    EXPECT_EQ(input.newWords[0].text, QStringLiteral("https://s.example/?q=red%20cats"));
}

TEST_F(SubstituteFull, CeAndCiTakeClipboardFilesWithoutEmptyingTheClipboard) {
    clipboard.files = QStringList{QStringLiteral("/home/ann/a.txt"), QStringLiteral("/home/ann/b.txt")};
    EXPECT_EQ(Run("$ci$").text, QStringLiteral("/home/ann/a.txt"));
    EXPECT_EQ(Run("$ce$").text, QString::fromUtf16(kNoProgram));
    ASSERT_EQ(input.newWords.size(), 2u);
    EXPECT_EQ(input.newWords[1].text, QStringLiteral("/home/ann/a.txt"));
    EXPECT_EQ(clipboard.files.size(), 2);

    settings.cefilefolders = false;
    EXPECT_EQ(Run("[$ce$]").text, QStringLiteral("[]"));
}

TEST_F(SubstituteFull, CiPrefixesBareAddressesAndNamesNoProgramWhenEmpty) {
    SelectInForeground(QStringLiteral("example.org"));
    EXPECT_EQ(Run("$ci$").text, QStringLiteral("https://example.org"));
    keys.onSend = nullptr;
    EXPECT_EQ(Run("$ci$").text, QString::fromUtf16(kNoProgram));
}

TEST_F(SubstituteFull, CopyAndCutChangeTheClipboardOnPurpose) {
    SelectInForeground(QStringLiteral("taken"));
    EXPECT_EQ(Run("a$copy$b$CUT$c").text, QStringLiteral("abc"));
    ASSERT_EQ(keys.sent.size(), 2u);
    EXPECT_EQ(keys.sent[0].first, kVkC);
    EXPECT_EQ(keys.sent[1].first, kVkX);
    EXPECT_EQ(clipboard.restores, 0);
    EXPECT_EQ(clipboard.text, QStringLiteral("taken"));
}

TEST_F(SubstituteFull, PasteGoesToTheInputLineOrTheForegroundWindow) {
    EXPECT_EQ(Run("x$PASTE$").text, QStringLiteral("x"));
    ASSERT_EQ(keys.sent.size(), 1u);
    EXPECT_EQ(keys.sent[0], std::make_pair(kVkV, int(kModCtrl)));
    windows.active = true;
    Run("$paste$");
    EXPECT_EQ(input.pastes, 1);
    EXPECT_EQ(keys.sent.size(), 1u);
}

TEST_F(SubstituteFull, ControlTokensActAndVanish) {
    files.files[QStringLiteral("/s/ding.wav")] = QString();
    windows.foreground = 900;
    EXPECT_EQ(Run("a$m$b$R$x$CLR$d$gw$e$Sound$/s/ding.wav$SOUND$f").text, QStringLiteral("abxdef"));
    EXPECT_EQ(windows.minimized, 1);
    EXPECT_EQ(windows.undone, 1);
    ASSERT_EQ(input.newWords.size(), 1u);
    EXPECT_TRUE(input.newWords[0].text.isEmpty());
    EXPECT_TRUE(input.newWords[0].selectall);
    EXPECT_EQ(input.lastActive, 900u);
    EXPECT_EQ(sound.played, std::vector<QString>{QStringLiteral("/s/ding.wav")});
}

TEST_F(SubstituteFull, ControlTokenEdgeCases) {
    EXPECT_EQ(Run("$Clr$").text, QStringLiteral("$Clr$")); // mixed spelling is not a token
    EXPECT_TRUE(input.newWords.empty());
    windows.foreground = 1; // our own window never becomes the target
    EXPECT_EQ(Run("$GW$").text, QString());
    EXPECT_EQ(input.lastActive, 0u);
    EXPECT_EQ(Run("$SOUND$/missing.wav$SOUND$x").text, QStringLiteral("x"));
    EXPECT_TRUE(sound.played.empty());
    EXPECT_EQ(RunControlTokens(QStringLiteral("a$p$b$P$"), true, ctx), QStringLiteral("ab"));
    EXPECT_EQ(RunControlTokens(QStringLiteral("a$P$"), false, ctx), QStringLiteral("a$P$"));
}

} // namespace
} // namespace vantrelo
