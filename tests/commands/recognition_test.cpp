// Which blocks a command text runs, in which order, with enclosed arguments left alone.
#include "commands/commandtable.h"
#include "commands/enclosed.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

using namespace vantrelo;

namespace {

QStringList Names(const QString& text, bool forcebrowser = false) {
    QStringList names;
    for (const TRecognised& r : RecogniseCommands(text, forcebrowser))
        names << QString::fromUtf16(r.row->name);
    return names;
}

QString NameOf(const TCommandRow& row) { return QString::fromUtf16(row.name); }

// A command text that holds `row`'s name as its test wants it.
QString TextFor(const TCommandRow& row) {
    const QString name = NameOf(row);
    switch (row.test) {
    case TCommandTest::OpenName:
        return name + QStringLiteral("$");
    case TCommandTest::Enclosing:
        return name + QStringLiteral("x") + name;
    default:
        return name;
    }
}

} // namespace

TEST(CommandTable, HoldsEveryNameOnceInUpperCase) {
    std::set<QString> seen;
    for (const TCommandRow& row : CommandTable()) {
        const QString name = NameOf(row);
        EXPECT_TRUE(seen.insert(name).second) << name.toStdString();
        // Texts are upper-cased before the test: a lower-case letter would never match.
        EXPECT_EQ(name, name.toUpper()) << name.toStdString();
        EXPECT_TRUE(name.startsWith(u'$')) << name.toStdString();
    }
}

TEST(CommandTable, TheNamesOfOneBlockStandTogether) {
    // A block runs once because its rows follow each other; a row elsewhere would run it again.
    std::set<TCommandBlock> done;
    const auto table = CommandTable();
    for (size_t i = 0; i < table.size(); ++i) {
        if (i > 0 && table[i].block == table[i - 1].block)
            continue;
        EXPECT_TRUE(done.insert(table[i].block).second) << NameOf(table[i]).toStdString();
    }
}

TEST(CommandTable, EveryNameAloneRunsItsOwnRow) {
    for (const TCommandRow& row : CommandTable()) {
        const QString text = TextFor(row);
        bool found = false;
        for (const TRecognised& r : RecogniseCommands(text, false))
            found = found || r.row == &row;
        EXPECT_TRUE(found) << text.toStdString();
    }
}

TEST(CommandTable, ANameInsideAnotherIsTestedInTheDecidedOrder) {
    // A text that holds the longer name also holds the shorter one, so both blocks run, in table
    // order. Each such pair is decided here: the first of a pair is tested first.
    const std::set<std::pair<QString, QString>> decided = {
        {QStringLiteral("$GETMOUSEPOS"), QStringLiteral("$GETMOUSEPOSCOLOR")}, // the position, then its colour
    };
    const auto table = CommandTable();
    std::set<std::pair<QString, QString>> inTable;
    for (size_t i = 0; i < table.size(); ++i)
        for (size_t j = 0; j < table.size(); ++j) {
            const QString a = NameOf(table[i]), b = NameOf(table[j]);
            if (i != j && b.contains(a)) {
                const auto pair = i < j ? std::make_pair(a, b) : std::make_pair(b, a);
                EXPECT_TRUE(decided.count(pair)) << a.toStdString() << " is inside " << b.toStdString()
                                                 << ": decide which is tested first";
                inTable.insert(pair);
            }
        }
    for (const auto& pair : decided)
        EXPECT_TRUE(inTable.count(pair)) << pair.first.toStdString() << " must be tested before "
                                         << pair.second.toStdString();
}

TEST(CommandTable, ExitIsTestedLast) {
    // The program closes after every other command of the text has run.
    EXPECT_EQ(NameOf(CommandTable().back()), QStringLiteral("$EXIT$"));
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
