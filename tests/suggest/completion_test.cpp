// Inline completion: sources and their order, cycling, indexed names, folders, trailing spaces,
// exclusions, incognito, and the keystroke that completes before it searches suggestions.
#include "core/items.h"
#include "suggest/completion.h"
#include "suggest/keystroke.h"
#include "suggestfixture.h"
#include "support/testsupport.h"

#include <QDir>

namespace vantrelo::test {
namespace {

class Completion : public SuggestFixture {
protected:
    void SetUp() override { settings.autoshort = 0; } // suggestions off unless a test turns them on

    TCompletionResult Type(const QString& text, int caret = -1) {
        TCompletionRequest rq;
        rq.word = text;
        rq.wordstart = caret < 0 ? int(text.size()) : caret;
        TSuggestSources src = Sources();
        return SetAutoCompletion(src, state, folders, rq);
    }
    // The line with its selected part in brackets: "no[tepad]".
    static QString Shown(const TCompletionResult& r) {
        if (!r.completed)
            return QStringLiteral("<none>");
        QString t = r.text;
        t.insert(r.selStart + r.selLength, QLatin1Char(']'));
        t.insert(r.selStart, QLatin1Char('['));
        return t;
    }
    QString Step(bool forward) {
        TSuggestSources src = Sources();
        const TCompletionResult r = StepCompletion(src, state, folders, line.text, line.caret, line.selLength, forward, cycle);
        if (r.completed)
            line = TSuggestLine{r.text, r.selStart, r.selStart, r.selLength};
        return Shown(r);
    }
    TFolderCache folders;
    TSuggestLine line;
    int cycle = 0;
};

TEST_F(Completion, TypedWordCompletesAndTabCyclesWithWrap) {
    AddKeyword(QStringLiteral("notepad"));
    AddKeyword(QStringLiteral("Notes,nt"));
    AddKeyword(QStringLiteral("calc"));
    const TCompletionResult r = Type(QStringLiteral("no"));
    EXPECT_EQ(Shown(r), QStringLiteral("no[tepad]"));
    EXPECT_EQ(r.position, 0);
    line = TSuggestLine{r.text, r.selStart, r.selStart, r.selLength};
    EXPECT_EQ(Step(true), QStringLiteral("no[tes]")); // names are completed lower-cased
    EXPECT_EQ(cycle, 1);
    EXPECT_EQ(Step(true), QStringLiteral("no[tepad]")); // past the last: back to the first
    EXPECT_EQ(cycle, 0);
    EXPECT_EQ(Step(false), QStringLiteral("no[tes]"));  // backwards from the first: the last
    EXPECT_EQ(cycle, 1);
    EXPECT_EQ(Step(false), QStringLiteral("no[tepad]"));
}

TEST_F(Completion, TagsComeFirstAndOnlyMatchingOnes) {
    AddKeyword(QStringLiteral("notepad"));
    AddKeyword(QStringLiteral("x"), QStringLiteral("cmd"), QStringLiteral("nord apple banana"));
    EXPECT_EQ(Shown(Type(QStringLiteral("no"))), QStringLiteral("no[rd]"));
    EXPECT_EQ(Shown(Type(QStringLiteral("ap"))), QStringLiteral("ap[ple]"));
    TCompletionRequest count;
    count.word = QStringLiteral("ap");
    count.wordstart = 2;
    count.calccount = true;
    TSuggestSources src = Sources();
    const TCompletionResult r = SetAutoCompletion(src, state, folders, count);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.total, 0); // one candidate: place 0
    settings.incognito = true;
    settings.incognitoconfig = QStringLiteral("6");
    EXPECT_EQ(Shown(Type(QStringLiteral("no"))), QStringLiteral("no[tepad]"));
}

TEST_F(Completion, SourcesFollowAutoorderAndTheirSwitches) {
    AddKeyword(QStringLiteral("notepad"));
    SetHistory({QStringLiteral("notes.txt")});
    struct Case {
        const char* order;
        bool words, hist;
        const char* expected;
    } const cases[] = {
        {"Keywords,\"Indexed items\",History,\"File system\"", true, true, "no[tepad]"},
        {"History,Keywords", true, true, "no[tes.txt]"},
        {"History,Keywords", true, false, "no[tepad]"},
        {"Keywords,History", false, true, "no[tes.txt]"},
        {"\"File system\"", true, true, "<none>"}, // a missing name takes its source out
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        settings.autoorder = QString::fromUtf8(cases[i].order);
        settings.autowords = cases[i].words;
        settings.autohistory = cases[i].hist;
        EXPECT_EQ(Shown(Type(QStringLiteral("no"))), QString::fromUtf8(cases[i].expected)) << "case " << i;
    }
}

TEST_F(Completion, IndexedItemsWhileTypingTakeTheShortestRemainder) {
    settings.autoprograms = true;
    struct Case {
        std::initializer_list<QString> names;
        const char* expected;
    } const cases[] = {
        {{"Microsoft Word", "WordPad"}, "Word[Pad]"},
        {{"Word Viewer", "Word"}, "Word[]"},
        {{"Wordy Word", "Word Viewer"}, "Word[y Word]"}, // every occurrence of the typed text counts
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SetIndex(cases[i].names);
        const TCompletionResult r = Type(QStringLiteral("word"));
        EXPECT_EQ(Shown(r), QString::fromUtf8(cases[i].expected)) << "case " << i;
        EXPECT_TRUE(r.isshell);
        // The item is bound to the completed line, and to nothing else.
        ASSERT_NE(state.current.ItemFor(r.text), nullptr);
        EXPECT_EQ(static_cast<const TMyShellItem*>(state.current.ItemFor(r.text))->name, r.text);
        EXPECT_EQ(state.current.ItemFor(QStringLiteral("word")), nullptr);
    }
    // Stepping takes the candidates in index order instead.
    SetIndex({"Word Viewer", "Word"});
    line = TSuggestLine{QStringLiteral("Word"), 4, 4, 0};
    EXPECT_EQ(Step(true), QStringLiteral("Word[]"));
    EXPECT_EQ(Step(true), QStringLiteral("Word[ Viewer]"));
}

TEST_F(Completion, HistoryItemIsBoundAndExcludeListFollowsExcludetype) {
    SetHistory({QStringLiteral("secret plans"), QStringLiteral("search web")});
    settings.excludelist = QStringLiteral("plans;nothing");
    struct Case {
        int excludetype;
        const char* expected;
    } const cases[] = {{0, "se[cret plans]"}, {1, "se[arch web]"}, {2, "se[arch web]"}};
    for (const Case& c : cases) {
        settings.excludetype = c.excludetype;
        EXPECT_EQ(Shown(Type(QStringLiteral("se"))), QString::fromUtf8(c.expected)) << c.excludetype;
    }
    EXPECT_TRUE(state.current.Empty());

    auto item = std::make_unique<TMyShellItem>();
    item->name = QStringLiteral("Sea Chart");
    item->path = QStringLiteral("/maps/sea.desktop");
    history.AddToHistory(QStringLiteral("Sea Chart"), std::move(item), false, false);
    const TCompletionResult r = Type(QStringLiteral("sea"));
    EXPECT_EQ(Shown(r), QStringLiteral("Sea[ Chart]"));
    EXPECT_TRUE(r.isshell);
    ASSERT_NE(state.current.ItemFor(QStringLiteral("Sea Chart")), nullptr);

    settings.incognito = true;
    settings.incognitoconfig = QStringLiteral("2");
    EXPECT_EQ(Shown(Type(QStringLiteral("se"))), QStringLiteral("<none>"));
}

TEST_F(Completion, KeywordsTakingParametersGetATrailingSpace) {
    AddKeyword(QStringLiteral("google"), QStringLiteral("https://www.google.com/search?q=$p$"));
    AddKeyword(QStringLiteral("gimp"), QStringLiteral("gimp"));
    struct Case {
        bool smartparam, notrailingspace;
        const char* typed;
        const char* expected;
    } const cases[] = {
        {true, false, "go", "go[ogle ]"},
        {true, false, "gi", "gi[mp]"},
        {false, false, "gi", "gi[mp ]"}, // without smartparam every completion gets the space
        {true, true, "go", "go[ogle]"},
    };
    for (const Case& c : cases) {
        settings.smartparam = c.smartparam;
        settings.notrailingspace = c.notrailingspace;
        EXPECT_EQ(Shown(Type(QString::fromUtf8(c.typed))), QString::fromUtf8(c.expected)) << c.typed;
    }
}

TEST_F(Completion, WhatIsNeverCompletedAndWhatIsKept) {
    AddKeyword(QStringLiteral("notepad"));
    AddKeyword(QStringLiteral("calc"));
    struct Case {
        const char* line;
        int caret;
        const char* expected;
    } const cases[] = {
        {"->no", -1, "<none>"},
        {"", -1, "<none>"},
        {"calc||no", -1, "calc||no[tepad]"},  // after a separator only the last piece is completed
        {"no cats", 2, "no[tepad] cats"},     // text after the caret is the user's and stays
        {"xyz", -1, "<none>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Shown(Type(QString::fromUtf8(c.line), c.caret)), QString::fromUtf8(c.expected)) << c.line;
}

TEST_F(Completion, FolderPathsGetASeparatorAndStepThroughTheListing) {
    TempDir dir;
    ASSERT_TRUE(QDir(dir.Path()).mkpath(QStringLiteral("windows")));
    ASSERT_TRUE(QDir(dir.Path()).mkpath(QStringLiteral("wine")));
    WriteAll(dir.File("winter.txt"), "x");
    const QString typed = dir.Path() + QStringLiteral("wi");
    const TCompletionResult r = Type(typed);
    EXPECT_EQ(Shown(r), typed + QStringLiteral("[ndows/]"));
    line = TSuggestLine{r.text, r.selStart, r.selStart, r.selLength};
    // Stepping selects the whole name after the folder part.
    EXPECT_EQ(Step(true), dir.Path() + QStringLiteral("[wine/]"));
    EXPECT_EQ(Step(true), dir.Path() + QStringLiteral("[winter.txt]"));
    // A new file shows up once the cache is marked stale.
    WriteAll(dir.File("wizard.txt"), "x");
    EXPECT_EQ(Shown(Type(dir.Path() + QStringLiteral("wiz"))), QStringLiteral("<none>"));
    folders.MarkStale();
    EXPECT_EQ(Shown(Type(dir.Path() + QStringLiteral("wiz"))), dir.Path() + QStringLiteral("wiz[ard.txt]"));
    settings.autofilesystem = false;
    EXPECT_EQ(Shown(Type(typed)), QStringLiteral("<none>"));
}

class Keystroke : public Completion {
protected:
    TCompletionResult Key(const QString& text, int caret = -1) {
        TSuggestSources src = Sources();
        return RefreshForKeystroke(src, state, folders, TSuggestLine{text, caret < 0 ? int(text.size()) : caret, 0, 0});
    }
};

TEST_F(Keystroke, CompletesFirstAndSearchesSuggestionsOnlyWithoutCandidates) {
    settings.autoshort = 2;
    settings.comboheaders = false;
    AddKeyword(QStringLiteral("visual"));
    SetIndex({"Visual Studio Code", "Vim"});
    // A keyword completes: no suggestion is bound, the list shows what the typed part matches.
    TCompletionResult r = Key(QStringLiteral("vis"));
    EXPECT_EQ(Shown(r), QStringLiteral("vis[ual]"));
    EXPECT_TRUE(state.suggestions.empty());
    EXPECT_TRUE(state.current.Empty());
    EXPECT_TRUE(Texts(state.content).contains(QStringLiteral("visual")));
    // No source has a candidate: the suggestion search binds the best entry to the line.
    r = Key(QStringLiteral("vsc"));
    EXPECT_FALSE(r.completed);
    ASSERT_FALSE(state.suggestions.empty());
    EXPECT_EQ(state.suggestions.front().text, QStringLiteral("Visual Studio Code"));
    EXPECT_NE(state.current.ItemFor(QStringLiteral("vsc")), nullptr);
    EXPECT_EQ(state.current.ItemFor(QStringLiteral("vscx")), nullptr);
}

TEST_F(Keystroke, LessautoLeavesACaretInsideTheTextAlone) {
    AddKeyword(QStringLiteral("notepad"));
    EXPECT_EQ(Shown(Key(QStringLiteral("no cats"), 2)), QStringLiteral("no[tepad] cats"));
    settings.lessauto = true;
    EXPECT_EQ(Shown(Key(QStringLiteral("no cats"), 2)), QStringLiteral("<none>"));
    EXPECT_EQ(Shown(Key(QStringLiteral("no"))), QStringLiteral("no[tepad]"));
}

} // namespace
} // namespace vantrelo::test
