// Which blocks a command text runs, in which order, with enclosed arguments left alone.
#include "commands/commandtable.h"
#include "commands/enclosed.h"

#include <gtest/gtest.h>

#include <set>

using namespace vantrelo;

namespace {

QStringList Names(const QString& text, bool forcebrowser = false) {
    QStringList names;
    for (const TRecognised& r : RecogniseCommands(text, forcebrowser))
        names << QString::fromUtf16(r.row->name);
    return names;
}

} // namespace

TEST(CommandTable, HoldsEveryNameOnceInTheFixedOrder) {
    const auto table = CommandTable();
    ASSERT_EQ(table.size(), 131u);
    std::set<QString> seen;
    for (const TCommandRow& row : table)
        EXPECT_TRUE(seen.insert(QString::fromUtf16(row.name)).second) << QString::fromUtf16(row.name).toStdString();
    EXPECT_EQ(QString::fromUtf16(table.front().name), QStringLiteral("$EMPTYRECYCLEBIN$"));
    EXPECT_EQ(QString::fromUtf16(table[40].name), QStringLiteral("$BSETFOCUS$"));
    EXPECT_EQ(QString::fromUtf16(table[98].name), QStringLiteral("$EJECT$"));
    EXPECT_EQ(QString::fromUtf16(table.back().name), QStringLiteral("$EXIT$"));
}

struct TRecognitionCase {
    const char* text;
    QStringList expected;
};

class Recognition : public testing::TestWithParam<TRecognitionCase> {};

TEST_P(Recognition, FindsTheBlocksInTableOrder) {
    const TRecognitionCase& c = GetParam();
    EXPECT_EQ(Names(QString::fromUtf8(c.text)), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Recognition,
    testing::Values(
        // Names are matched with both dollar signs, without regard to case.
        TRecognitionCase{"$STOPWATCH$", {"$STOPWATCH$"}}, TRecognitionCase{"$TIMER$", {"$TIMER$"}},
        TRecognitionCase{"$time$", {"$TIME$"}},
        // Every matching block runs, in table order, whatever the order in the text.
        TRecognitionCase{"$EXIT$ $TIME$ $SHOWIP$", {"$SHOWIP$", "$TIME$", "$EXIT$"}},
        // Each name is tested once, not counted.
        TRecognitionCase{"$VOLUMEUP$$VOLUMEUP$", {"$VOLUMEUP$"}},
        // Open names: the colour command also runs the position block first.
        TRecognitionCase{"$GETMOUSEPOSCOLOR$", {"$GETMOUSEPOS", "$GETMOUSEPOSCOLOR"}},
        TRecognitionCase{"$MOUSELEFTCLICK$", {"$MOUSELEFTCLICK"}},
        // Exactly: the whole text, untrimmed.
        TRecognitionCase{"$M$", {"$M$"}}, TRecognitionCase{"$M$ ", {}}, TRecognitionCase{"$r$", {"$R$"}},
        TRecognitionCase{"$GW$ notepad", {}},
        // At start and alone.
        TRecognitionCase{"$BROWSERTOGGLE$ x", {"$BROWSERTOGGLE$"}}, TRecognitionCase{"x $BROWSERTOGGLE$", {}},
        TRecognitionCase{" $BROWSEREND$ ", {"$BROWSEREND$"}}, TRecognitionCase{"$BROWSEREND$ x", {}},
        // Shared blocks run once.
        TRecognitionCase{"$SHUTDOWN$$QUIT$", {"$QUIT$"}}, TRecognitionCase{"$GRABTOINPUT$ ls", {"$GRABTOINPUT$"}},
        TRecognitionCase{"$B$https://x", {"$B$"}},
        // Window commands only inside the "$W" group.
        TRecognitionCase{"$WCLOSE$", {"$WCLOSE$"}}, TRecognitionCase{"$wmaximize$", {"$WMAXIMIZE$"}},
        // Enclosed arguments are not read as names.
        TRecognitionCase{"$WFINDACTIVE$shutdown $SHUTDOWN$$WFINDACTIVE$", {"$WFINDACTIVE$"}},
        TRecognitionCase{"$SOUND$/snd/$QUIT$.wav$SOUND$", {"$SOUND$"}},
        TRecognitionCase{"$SOUND$a.wav$SOUND$ $QUIT$", {"$QUIT$"}},
        TRecognitionCase{"$WFINDCLOSE$$wclose$$WFINDCLOSE$", {"$WFINDCLOSE$"}},
        // "$SOUND$" and "$BCLICK$" need nothing else around their span.
        TRecognitionCase{"$SOUND$a.wav$SOUND$ notepad", {}}, TRecognitionCase{"$BCLICK$#ok$BCLICK$", {"$BCLICK$"}},
        TRecognitionCase{"notepad", {}}));

TEST(Recognition, ForceBrowserAddsTheBrowserBlock) {
    EXPECT_EQ(Names(QStringLiteral("https://example.org"), true), QStringList{QStringLiteral("$BROWSER$")});
}

TEST(Enclosed, ReadsAndStripsTheFirstPair) {
    const QString text = QStringLiteral("$sound$Bell.WAV$SOUND$ rest $SOUND$x$SOUND$");
    EXPECT_EQ(EnclosedText(QStringLiteral("$SOUND$"), text), QStringLiteral("Bell.WAV"));
    EXPECT_EQ(StripEnclosed(QStringLiteral("$SOUND$"), text), QStringLiteral(" rest $SOUND$x$SOUND$"));
    EXPECT_EQ(EnclosedText(QStringLiteral("$SOUND$"), QStringLiteral("$SOUND$alone")), QString());
    EXPECT_EQ(StripEnclosed(QStringLiteral("$SOUND$"), QStringLiteral("$SOUND$alone")), QStringLiteral("$SOUND$alone"));
}

TEST(Enclosed, MaskBlanksEveryArgumentButKeepsTheNames) {
    EXPECT_EQ(MaskEnclosedArguments(QStringLiteral("$SOUND$$QUIT$$SOUND$$WFINDACTIVE$AB$WFINDACTIVE$")),
              QStringLiteral("$SOUND$      $SOUND$$WFINDACTIVE$  $WFINDACTIVE$"));
    // An unclosed name leaves the rest readable.
    EXPECT_EQ(MaskEnclosedArguments(QStringLiteral("$SOUND$ $QUIT$")), QStringLiteral("$SOUND$ $QUIT$"));
}
