// The input-assist popup's content: modes stepped by Ctrl+Space, type filters, name and history
// searches, ordering by recent use, footers, and what choosing a row does.
#include "core/items.h"
#include "suggest/inputassist.h"
#include "suggestfixture.h"
#include "support/testsupport.h"

namespace vantrelo::test {
namespace {

class InputAssist : public SuggestFixture {
protected:
    TAssistEdit Edit(const QString& text, int caret = -1) {
        return TAssistEdit{text, caret < 0 ? int(text.size()) : caret, 0, false};
    }
    bool Press(const TAssistEdit& edit, bool again) {
        TSuggestSources src = Sources();
        return assist.BuildSpacePopup(src, edit, again);
    }
    TAssistChoice Choose(const TAssistEdit& edit, const QString& row, bool soft = false) {
        TSuggestSources src = Sources();
        return assist.InputAssistSelect(src, edit, int(assist.Rows().indexOf(row)), soft);
    }
    TInputAssist assist;
};

TEST_F(InputAssist, EmptyLineStepsThroughTheHistoryKinds) {
    AddKeyword(QStringLiteral("google"), QStringLiteral("https://www.google.com/search?q=$p$"));
    AddKeyword(QStringLiteral("calc"), QStringLiteral("calc"));
    SetHistory({QStringLiteral("google cats"), QStringLiteral("www.example.com"), QStringLiteral("/home/u/notes.txt"),
                QStringLiteral("calc"), QStringLiteral("http://x.org/setup.exe"), QStringLiteral("google dogs")});
    auto item = std::make_unique<TMyShellItem>();
    item->name = QStringLiteral("Firefox Web Browser");
    history.AddToHistory(QStringLiteral("Firefox Web Browser"), std::move(item), false, false);

    struct Step {
        TAssistMode mode;
        const char* context;
        QStringList rows;
    } const steps[] = {
        {TAssistMode::HistoryKeywords, "> history:keywords", {"google", "calc"}},
        {TAssistMode::HistoryUrls, "> history:url", {"www.example.com"}},
        {TAssistMode::HistoryPaths, "> history:path", {"/home/u/notes.txt"}},
        {TAssistMode::HistoryIndexed, "> history:indexed", {"Firefox Web Browser"}},
        {TAssistMode::HistoryKeywordsWithParameters, "> history:keywords(param)", {"google"}},
        {TAssistMode::HistoryKeywords, "> history:keywords", {"google", "calc"}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        ASSERT_TRUE(Press(Edit(QString()), i > 0));
        EXPECT_EQ(assist.Mode(), steps[i].mode) << "press " << i;
        EXPECT_EQ(assist.ContextText(), QString::fromUtf8(steps[i].context)) << "press " << i;
        EXPECT_EQ(assist.Rows(), steps[i].rows) << "press " << i;
        EXPECT_TRUE(assist.ExtraContextText().isEmpty());
    }
    settings.incognito = true;
    settings.incognitoconfig = QStringLiteral("i");
    EXPECT_FALSE(Press(Edit(QString()), false));
}

TEST_F(InputAssist, TypedFileListsKeywordsForItsTypeAndEnterRunsOne) {
    TempDir dir;
    WriteAll(dir.File("a.pdf"), "%PDF");
    AddKeyword(QStringLiteral("pdfview"), QStringLiteral("evince $p$"), QStringLiteral("file:pdf"));
    AddKeyword(QStringLiteral("print"), QStringLiteral("lp $p$"), QStringLiteral("File tools"));
    AddKeyword(QStringLiteral("noparam"), QStringLiteral("evince"), QStringLiteral("file:pdf"));
    AddKeyword(QStringLiteral("photo"), QStringLiteral("gimp $p$"), QStringLiteral("file:png"));
    SetHistory({QStringLiteral("print /tmp/x.pdf")});
    const TAssistEdit edit = Edit(dir.File("a.pdf"));
    ASSERT_TRUE(Press(edit, false));
    EXPECT_EQ(assist.Filters(), (QStringList{"filesystem", "file", "file:pdf"}));
    EXPECT_EQ(assist.Mode(), TAssistMode::Type);
    EXPECT_EQ(assist.Rows(), (QStringList{"print", "pdfview"})); // recently used first
    EXPECT_EQ(assist.ContextText(), QStringLiteral("> type:file:pdf,file"));
    const TAssistChoice c = Choose(edit, QStringLiteral("pdfview"));
    EXPECT_TRUE(c.setLine);
    EXPECT_EQ(c.line, QStringLiteral("pdfview ") + dir.File("a.pdf"));
    EXPECT_TRUE(c.execute);
    EXPECT_EQ(c.executeText, c.line);

    settings.inputassistsorting = 1; // keyword order
    ASSERT_TRUE(Press(edit, false));
    EXPECT_EQ(assist.Rows(), (QStringList{"pdfview", "print"}));
    // A folder gives its own filters.
    ASSERT_TRUE(Press(Edit(dir.Path()), false));
    EXPECT_EQ(assist.Filters().mid(0, 2), (QStringList{"filesystem", "folder"}));
    EXPECT_EQ(assist.ExtraContextText(), QStringLiteral("No matches, switched mode"));
    EXPECT_EQ(assist.Rows(), (QStringList{"print"}));
}

TEST_F(InputAssist, NameSearchLooksIntoCommentsFromThreeLetters) {
    AddKeyword(QStringLiteral("zed")).comment = QStringLiteral("tabular editor");
    AddKeyword(QStringLiteral("abacus"));
    AddKeyword(QStringLiteral("music"), QStringLiteral("cmd"), QStringLiteral("ab"));
    ASSERT_TRUE(Press(Edit(QStringLiteral("ab")), false));
    EXPECT_EQ(assist.Mode(), TAssistMode::NameMatch);
    EXPECT_EQ(assist.ContextText(), QStringLiteral("> match:ab"));
    EXPECT_EQ(assist.Rows(), (QStringList{"abacus", "music"}));
    ASSERT_TRUE(Press(Edit(QStringLiteral("abu")), false));
    EXPECT_EQ(assist.Rows(), (QStringList{"zed"}));
}

TEST_F(InputAssist, SelfMatchGoesFirstAndEmptySearchFallsBackToHistory) {
    AddKeyword(QStringLiteral("calc"));
    AddKeyword(QStringLiteral("calculator"));
    AddKeyword(QStringLiteral("notes"));
    SetHistory({QStringLiteral("notes today"), QStringLiteral("calculator")});
    ASSERT_TRUE(Press(Edit(QStringLiteral("calc")), false));
    EXPECT_EQ(assist.Rows(), (QStringList{"calc", "calculator"}));
    // Nothing by name: the history's keywords, and the mode says so.
    ASSERT_TRUE(Press(Edit(QStringLiteral("xyz")), false));
    EXPECT_EQ(assist.Rows(), (QStringList{"notes", "calculator"}));
    EXPECT_EQ(assist.Mode(), TAssistMode::HistoryKeywords);
    EXPECT_EQ(assist.ExtraContextText(), QStringLiteral("No matches, switched mode"));
    EXPECT_EQ(assist.ContextText(), QStringLiteral("> history:keywords"));
}

TEST_F(InputAssist, SameTagKeywordsWhenTheLineNamesATaggedOne) {
    AddKeyword(QStringLiteral("vim"), QStringLiteral("vim $p$"), QStringLiteral("editor"));
    AddKeyword(QStringLiteral("nano"), QStringLiteral("nano $p$"), QStringLiteral("editor"));
    AddKeyword(QStringLiteral("kate"), QStringLiteral("kate"), QStringLiteral("Editor"));
    const TAssistEdit edit = Edit(QStringLiteral("vim notes.txt"));
    ASSERT_TRUE(Press(edit, false));
    EXPECT_EQ(assist.Mode(), TAssistMode::SameTag);
    EXPECT_EQ(assist.Rows(), (QStringList{"nano"})); // tags compare exactly here
    EXPECT_EQ(assist.ContextText(), QStringLiteral("> same tag as:vim"));
    const TAssistChoice c = Choose(edit, QStringLiteral("nano"));
    EXPECT_EQ(c.line, QStringLiteral("nano notes.txt")); // the keyword part is replaced
    EXPECT_FALSE(c.execute);
}

TEST_F(InputAssist, WebSearchKeywordSendsItsAddressToATypeKeyword) {
    AddKeyword(QStringLiteral("g"), QStringLiteral("https://www.google.com/search?q=$p$"));
    AddKeyword(QStringLiteral("browse"), QStringLiteral("firefox $p$"), QStringLiteral("url"));
    const TAssistEdit edit = Edit(QStringLiteral("g cats"));
    ASSERT_TRUE(Press(edit, false));
    ASSERT_TRUE(assist.WebSearchKeyword().has_value());
    EXPECT_EQ(assist.Mode(), TAssistMode::Type);
    EXPECT_EQ(assist.ContextText(), QStringLiteral("> type:url(keyword)"));
    const TAssistChoice c = Choose(edit, QStringLiteral("browse"));
    EXPECT_FALSE(c.setLine);
    EXPECT_TRUE(c.execute);
    EXPECT_EQ(c.executeText, QStringLiteral("browse https://www.google.com/search?q=cats"));
}

TEST_F(InputAssist, EnterAndArrowSettingsDecideWhetherTheLineRuns) {
    AddKeyword(QStringLiteral("lock"), QStringLiteral("$LOCK$"));
    AddKeyword(QStringLiteral("lookup"), QStringLiteral("dict $p$"));
    AddKeyword(QStringLiteral("locate"), QStringLiteral("locate $p$"), QStringLiteral("fast"));
    struct Case {
        bool soft;
        int setting;
        const char* row;
        bool setLine, execute;
    } const cases[] = {
        {false, 0, "lock", true, false},   {false, 1, "lock", true, false},   {false, 1, "locate", true, true},
        {false, 2, "lock", true, true},    {false, 2, "lookup", true, false}, {false, 3, "lookup", true, true},
        {false, 4, "lock", false, false},  {true, 0, "locate", true, false},  {true, 1, "locate", true, true},
        {true, 1, "lock", true, false},    {true, 2, "lock", true, true},     {true, 3, "lookup", true, true},
        {true, 4, "lock", false, false},
    };
    const TAssistEdit edit = Edit(QStringLiteral("lo"));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        (c.soft ? settings.inputassistarrow : settings.inputassistenter) = c.setting;
        ASSERT_TRUE(Press(edit, false));
        ASSERT_TRUE(assist.Rows().contains(QString::fromUtf8(c.row))) << "case " << i;
        const TAssistChoice r = Choose(edit, QString::fromUtf8(c.row), c.soft);
        EXPECT_EQ(r.setLine, c.setLine) << "case " << i;
        EXPECT_EQ(r.execute, c.execute) << "case " << i;
        settings.inputassistarrow = 0;
        settings.inputassistenter = 1;
    }
    // A keyword with parameters leaves a space for them.
    ASSERT_TRUE(Press(edit, false));
    EXPECT_EQ(Choose(edit, QStringLiteral("lookup")).line, QStringLiteral("lookup "));
    EXPECT_FALSE(assist.InputAssistSelect(Sources(), edit, -1, false).setLine);
}

TEST(AssistColours, ShadeRaisesDarkAndLowersLightColours) {
    EXPECT_EQ(ShadeColour(0x000000, 23), 0x090909);
    EXPECT_EQ(ShadeColour(0xFFFFFF, 23), 0xF6F6F6);
    EXPECT_EQ(ShadeColour(0x0000B5, 23), 0x0000AC); // one channel above 180: light
    EXPECT_EQ(ShadeColour(0x000000, 700), 0xFFFFFF); // limited to 0..255
    const TAssistStyle st = AssistStyle(0x112233, 0x000000, 12);
    EXPECT_EQ(st.backgroundColor, 0x090909);
    EXPECT_EQ(st.borderColor, 0x090909);
    EXPECT_EQ(st.fontColor, 0x112233);
    EXPECT_EQ(st.hoverColor, 0x121212);
    EXPECT_EQ(st.fontSize, 12);
}

} // namespace
} // namespace vantrelo::test
