// The input line's completion state: replacing and resetting the line, the trailing space after a
// completed keyword, and when the list behaves like a drop-down.
#include "exec/inputline.h"
#include "exec/itempath.h"

#include "support/execfakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantrelo {
namespace {

struct TRecordingView final : TInputView {
    QString text;
    int colour = -1;
    std::vector<std::string> calls;
    void SetEditText(const QString& t) override {
        text = t;
        calls.push_back("text");
    }
    bool EditTextIsEmpty() const override { return text.isEmpty(); }
    void SetTextColor(int c) override {
        colour = c;
        calls.push_back("colour");
    }
    void SelectAll() override { calls.push_back("selectall"); }
    void CaretToEnd() override { calls.push_back("caretend"); }
    void InvalidateFolderCache() override { calls.push_back("folders"); }
    void RefreshSkinIconAndTitle() override { calls.push_back("skin"); }
    void ClearSuggestions() override { calls.push_back("clearsugg"); }
    void UpdateInputIcon() override { calls.push_back("icon"); }
    void ProcessInput(TInputRequest r, const QString&) override { calls.push_back("process" + std::to_string(int(r))); }
};

class InputLine : public ::testing::Test {
protected:
    TSettings settings;
    TRecordingView view;
    TInputLine line{settings, view};

    void Dirty() {
        line.State().CompletedText = QStringLiteral("g");
        line.State().LastCompletedInput = QStringLiteral("g ");
        line.State().CompletionCycle = 3;
        line.State().ListRefreshPending = true;
        view.calls.clear();
    }
};

TEST_F(InputLine, SetNewWordForgetsTheCompletionAndRefreshesTheList) {
    Dirty();
    line.SetNewWord(QStringLiteral("calc"), true, false);
    EXPECT_EQ(view.text, QStringLiteral("calc"));
    EXPECT_EQ(line.State().LastSetText, QStringLiteral("calc"));
    EXPECT_EQ(view.colour, settings.textcolor);
    EXPECT_TRUE(line.State().CompletedText.isEmpty());
    EXPECT_TRUE(line.State().LastCompletedInput.isEmpty());
    EXPECT_EQ(line.State().CompletionCycle, 0);
    EXPECT_FALSE(line.State().ListRefreshPending);
    const std::vector<std::string> expected{"colour", "text", "folders", "skin", "clearsugg", "icon", "selectall", "process4"};
    EXPECT_EQ(view.calls, expected);
}

TEST_F(InputLine, SetNewWordWithoutDropOrAutoDropdown) {
    Dirty();
    line.SetNewWord(QStringLiteral("x"), false, true);
    EXPECT_EQ(view.calls.back(), "caretend");
    EXPECT_TRUE(line.State().ListRefreshPending);

    settings.autodropdown = false;
    Dirty();
    line.ResetCurrentSearch(true);
    EXPECT_TRUE(view.text.isEmpty());
    EXPECT_TRUE(line.State().ListRefreshPending);
    EXPECT_EQ(std::count(view.calls.begin(), view.calls.end(), "process4"), 0);
}

TEST_F(InputLine, ResetKeepsTheTextUnlessAsked) {
    line.SetInputText(QStringLiteral("keep"));
    Dirty();
    line.ResetCurrentSearch(false);
    EXPECT_EQ(view.text, QStringLiteral("keep"));
    EXPECT_EQ(line.State().CompletionCycle, 0);
    EXPECT_EQ(view.calls.back(), "process4");
}

TEST_F(InputLine, CheckListAuto) {
    EXPECT_FALSE(line.CheckListAuto());
    settings.listbehaveslikedropdown = true;
    EXPECT_TRUE(line.CheckListAuto());
    line.SetInputText(QStringLiteral("x"));
    EXPECT_FALSE(line.CheckListAuto());
    line.State().InfoTextShown = true;
    EXPECT_TRUE(line.CheckListAuto());
}

TEST(ExtraExt, SpaceOnlyForKeywordsThatTakeParameters) {
    test::TExecFakes f;
    f.AddKeyword(QStringLiteral("g"), QStringLiteral("https://s/?q=$U$"));
    f.AddKeyword(QStringLiteral("np"), QStringLiteral("notepad"));
    f.AddKeyword(QStringLiteral("off"), QStringLiteral("x $P$")).disabled = true;
    struct Case {
        const char* completed;
        bool smartparam;
        bool notrailingspace;
        const char* expected;
    } cases[] = {
        {"g", true, false, " "},
        {"np", true, false, ""},
        {"g cats", true, false, ""},
        {"off", true, false, ""},
        {"unknown", true, false, ""},
        {"np", false, false, " "},
        {"g", true, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.completed);
        f.settings.smartparam = c.smartparam;
        f.settings.notrailingspace = c.notrailingspace;
        EXPECT_EQ(GetExtraExt(QString::fromUtf8(c.completed), f.settings, f.keywords), QString::fromUtf8(c.expected));
    }
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

struct TFakeResolver final : TIndexedPathResolver {
    QString ShortcutTarget(const QString& path) const override {
        return path.endsWith(QLatin1String(".desktop")) ? QStringLiteral("/usr/bin/editor") : QString();
    }
    QString ParsingPath(const TMyShellItem& item) const override { return QStringLiteral("/parsed/") + item.name; }
};

TEST(PathFromItem, KeywordsIndexedItemsAndPlainLines) {
    test::TExecFakes f;
    TFakeResolver resolver;
    f.files.folders = {QStringLiteral("/home/ann/docs"), QStringLiteral("/home/ann")};
    f.AddKeyword(QStringLiteral("docs"), QStringLiteral("~/docs"));
    f.AddKeyword(QStringLiteral("cp"), QStringLiteral("control.exe"));
    f.AddKeyword(QStringLiteral("pc"), QStringLiteral("explorer"), QStringLiteral("::{20D04FE0}"));
    f.AddKeyword(QStringLiteral("rep"), QStringLiteral("\"/home/ann/report.txt\""));

    TMyShellItem link;
    link.name = QStringLiteral("Editor");
    link.path = QStringLiteral(" ~/apps/editor.desktop ");
    TMyShellItem virt;
    virt.name = QStringLiteral("Trash");
    virt.path = QStringLiteral("trash");
    TMyFuzzyItem fuzzy;
    fuzzy.name = QStringLiteral("docs (keyword)");
    fuzzy.obj = std::make_unique<TExeWord>();

    struct Case {
        const char* line;
        const TItem* item;
        bool inclfilename;
        const char* expected;
    } cases[] = {
        {" docs ", nullptr, false, "/home/ann/docs/"},
        {"rep", nullptr, false, "/home/ann/"},
        {"rep", nullptr, true, "/home/ann/report.txt"},
        {"cp", nullptr, false, "rfControlPanel"},
        {"pc", nullptr, false, "::{20D04FE0}"},
        {"d", &fuzzy, false, "/home/ann/docs/"},
        {"ed", &link, true, "/usr/bin/editor"},
        {"ed", &link, false, "/usr/bin/"},
        {"tr", &virt, true, "/parsed/Trash"},
        {"~", nullptr, false, "/home/ann/"},
        {"hello", nullptr, false, "hello"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(GetPathFromItem(QString::fromUtf8(c.line), c.item, c.inclfilename, f.ctx, resolver), QString::fromUtf8(c.expected));
    }
}

} // namespace
} // namespace vantrelo
