// The input controller against a recording window: every key action reaches the window or the program.
#include "app/inputcontroller.h"
#include "app/pipelinewindow.h"
#include "support/inputfakes.h"
#include "app/suggestbridge.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "exec/launcher.h"
#include "exec/pipeline.h"
#include "support/pipelinefakes.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>

namespace vantrelo {
namespace {

// The window's state as the controller left it, and what it was asked to do.
struct TFakeWindow final : TInputWindow {
    TLineState line;
    std::vector<TListRow> rows;
    bool listVisible = false;
    bool visible = true;
    int listFocus = -1;
    QStringList calls;
    TLineState Line() const override { return line; }
    void SetLineText(const QString& text, bool selectAll) override {
        line.text = text;
        line.caret = int(text.size());
        line.selStart = selectAll ? 0 : line.caret;
        line.selLength = selectAll ? int(text.size()) : 0;
    }
    void SetLineSelection(int start, int end) override {
        line.selStart = start;
        line.selLength = end - start;
        line.caret = end;
    }
    void SetCaret(int caret, int anchor) override {
        line.caret = caret;
        line.selStart = anchor >= 0 ? std::min(anchor, caret) : caret;
        line.selLength = anchor >= 0 ? std::abs(caret - anchor) : 0;
    }
    void FocusLine() override { calls << "focus"; }
    void SetLineColor(int bgr) override { calls << QStringLiteral("colour %1").arg(bgr); }
    void wordEditShow() override {}
    void CutOrCopySelection(bool cut) override { calls << (cut ? "cut" : "copy"); }
    void PasteIntoLine() override { calls << "paste"; }
    void ShowToast(const QString& text) override { calls << "toast " + text; }
    void displayTitle(const QString&, bool, bool) override {}
    void ShowTextPanel(const QString& text) override { calls << "panel " + text; }
    void DisplayList(std::vector<TListRow> r, bool focus) override {
        rows = std::move(r);
        listVisible = true;
        listFocus = focus ? (rows.size() > 1 && rows[0].header ? 1 : 0) : -1;
    }
    void HideList() override {
        listVisible = false;
        listFocus = -1;
    }
    bool ListVisible() const override { return listVisible; }
    int ListRowCount() const override { return int(rows.size()); }
    bool ListRowIsHeader(int row) const override { return rows.at(size_t(row)).header; }
    int RowWithNumber(int number) const override {
        for (int i = 0, n = 0; i < int(rows.size()); ++i)
            if (!rows[size_t(i)].header && ++n == number)
                return i;
        return -1;
    }
    void SetListFocus(int row) override { listFocus = row; }
    void RemoveListFocus() override { listFocus = -1; }
    QPoint RowMenuPoint(int row) const override { return QPoint(26, row * 20 + 9); }
    void StopListTimer() override {}
    bool WindowVisible() const override { return visible; }
    void ShowWindow(bool show, bool, TShowLock) override {
        visible = show;
        calls << (show ? "show" : "hide");
    }
    void CenterOnMonitor(TCentre centre, bool) override { calls << QStringLiteral("centre %1").arg(int(centre)); }
    void FitOnScreen(bool force) override { calls << (force ? "fit forced" : "fit"); }
    void ExpandInput(const QString& text) override { calls << "editor " + text; }
    void ShowLineMenu() override { calls << "line menu"; }
    bool atRightEdge = false;
    bool CaretAtRightEdge() const override { return atRightEdge; }
    void DismissListPanels() override { calls << "dismiss"; }
};

class InputControllerTest : public ::testing::Test {
protected:
    InputControllerTest() {
        data.keywords.Add(MakeNewKeyword(QStringLiteral("notes"), QStringLiteral("/usr/bin/notes"), QString()));
        data.keywords.Add(MakeNewKeyword(QStringLiteral("news"), QStringLiteral("https://news.example"), QString()));
    }
    TKeyDecision Key(TKeyAction action) const {
        TKeyDecision d;
        d.action = action;
        d.consume = true;
        return d;
    }
    TUserData data;
    TSuggestBridge suggest{data, TSuggestServices{}};
    TFakeWindow window;
    test::TRecordingOutside outside;
    TInputController input{data.settings, data.keywords, data.history, suggest, window, outside};
};

TEST_F(InputControllerTest, WindowActionsReachTheWindowAndTheLineKeepsTheRest) {
    const struct {
        TKeyAction action;
        bool handled;
        const char* call;
    } cases[] = {
        {TKeyAction::None, false, nullptr},
        {TKeyAction::Consume, true, nullptr},
        {TKeyAction::CenterScreen, true, "centre 1"},
        {TKeyAction::FitAndCenter, true, "centre 2"},
        {TKeyAction::Hide, true, "hide"},
        {TKeyAction::ExpandEditor, true, "editor abc"},
        {TKeyAction::ContextMenu, false, nullptr}, // the item's menu (below); the key still reaches the line
        {TKeyAction::FocusInput, true, "focus"},
    };
    for (const auto& c : cases) {
        window.calls.clear();
        window.SetLineText(QStringLiteral("abc"), false);
        EXPECT_EQ(input.InputKey(Key(c.action), window.Line()), c.handled) << int(c.action);
        if (c.call)
            EXPECT_TRUE(window.calls.contains(QString::fromUtf8(c.call))) << window.calls.join(u'|').toStdString();
        else
            EXPECT_TRUE(window.calls.isEmpty()) << int(c.action);
    }
}

TEST_F(InputControllerTest, CaretMovesAndSelectionsExtendFromTheAnchor) {
    window.SetLineText(QStringLiteral("open my.file"), false);
    TKeyDecision jump = Key(TKeyAction::MoveCaret);
    jump.caret = 5;
    input.InputKey(jump, window.Line());
    EXPECT_EQ(window.line.caret, 5);
    EXPECT_EQ(window.line.selLength, 0);
    jump.caret = 8;
    jump.extend = true;
    input.InputKey(jump, window.Line());
    EXPECT_EQ(window.line.selStart, 5);
    EXPECT_EQ(window.line.selLength, 3);
    input.InputKey(Key(TKeyAction::SelectWholeLine), window.Line());
    EXPECT_TRUE(window.line.AllSelected());
}

TEST_F(InputControllerTest, EnterRunsTheLineAsItIsNowWithItsModifiers) {
    window.SetLineText(QStringLiteral("notes today"), false);
    TKeyDecision enter = Key(TKeyAction::Execute);
    enter.forcerunas = true;
    // The decision was made for an older line: the line as it is now runs.
    input.InputKey(enter, TLineState{QStringLiteral("notes today"), 0, 0, 0});
    ASSERT_EQ(outside.runs.size(), 1u);
    EXPECT_EQ(outside.runs[0].cmdline, "notes today");
    EXPECT_TRUE(outside.runs[0].forcerunas);
    EXPECT_TRUE(outside.runs[0].iskeydown);
    EXPECT_FALSE(outside.runs[0].forcenohist);
    // A blank line runs nothing.
    window.SetLineText(QStringLiteral("   "), false);
    input.InputKey(Key(TKeyAction::Execute), window.Line());
    EXPECT_EQ(outside.runs.size(), 1u);
}

TEST_F(InputControllerTest, TypingListsSuggestionsAndARowTakenRunsAfterTheSeparator) {
    data.settings.separator = QStringLiteral(" | ");
    window.SetLineText(QStringLiteral("x | ne"), false);
    input.InputEdited(window.line.text, window.line.caret, false, true);
    ASSERT_TRUE(window.listVisible);
    int news = -1;
    for (int i = 0; i < int(window.rows.size()); ++i)
        if (window.rows[size_t(i)].text == "news")
            news = i;
    ASSERT_GE(news, 0);
    TListKeyDecision take;
    take.action = TListKeyAction::Take;
    take.launch = true;
    EXPECT_TRUE(input.ListKey(take, news));
    EXPECT_EQ(window.line.text, "x | news");
    EXPECT_FALSE(window.listVisible);
    ASSERT_EQ(outside.runs.size(), 1u);
    EXPECT_EQ(outside.runs[0].cmdline, "x | news");
}

TEST_F(InputControllerTest, ListKeysReachTheProgram) {
    window.SetLineText(QStringLiteral("n"), false);
    input.InputEdited(QStringLiteral("n"), 1, false, true);
    ASSERT_TRUE(window.listVisible);
    const struct {
        TListKeyAction action;
        const char* call;
    } cases[] = {
        {TListKeyAction::ContextMenu, "menu 1 at 29"},
        {TListKeyAction::Settings, "tool 1"},
        {TListKeyAction::Help, "tool 2"},
        {TListKeyAction::StartPage, "tool 3"},
        {TListKeyAction::ToggleBrowser, "tool 4"},
        {TListKeyAction::EndBrowser, "tool 5"},
    };
    for (const auto& c : cases) {
        outside.calls.clear();
        TListKeyDecision d;
        d.action = c.action;
        EXPECT_TRUE(input.ListKey(d, 1));
        EXPECT_EQ(outside.calls.value(0), QString::fromUtf8(c.call)) << int(c.action);
    }
    // A key the list does not take goes back to the line as typing.
    TListKeyDecision typing;
    window.SetListFocus(1);
    EXPECT_FALSE(input.ListKey(typing, 1));
    EXPECT_EQ(window.listFocus, -1);
}

TEST_F(InputControllerTest, CopyFullPathGoesIntoTheLineOrTheClipboard) {
    outside.path = QStringLiteral("/usr/bin/notes");
    window.SetLineText(QStringLiteral("notes"), false);
    input.InputKey(Key(TKeyAction::CopyFullPath), window.Line());
    EXPECT_EQ(window.line.text, "/usr/bin/notes");
    input.CopyFullPath(false);
    EXPECT_TRUE(outside.calls.contains("clipboard /usr/bin/notes"));
}

// F8 and Shift+F8 always say what happened, with and without a path.
TEST_F(InputControllerTest, CopyFullPathToastsItsOutcome) {
    struct Case {
        const char* path;
        bool intoLine;
        const char* toast;
        const char* line; // the line afterwards
    };
    const Case cases[] = {
        {"/usr/bin/notes", false, "Path copied to clipboard", "notes"},
        {"", false, "Copy path to clipboard failed, no path detected", "notes"},
        {"/usr/bin/notes", true, nullptr, "/usr/bin/notes"},
        {"", true, "Current input does not have a file/folder path", "notes"},
        {"https://news.example", false, "Copy path to clipboard failed, no path detected", "notes"},
        {"plain words", true, "Current input does not have a file/folder path", "notes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + (c.intoLine ? " into the line" : " to the clipboard"));
        window.calls.clear();
        outside.calls.clear();
        outside.path = c.path;
        window.SetLineText(QStringLiteral("notes"), false);
        input.CopyFullPath(c.intoLine);
        EXPECT_EQ(window.line.text, c.line);
        const bool toasted = window.calls.filter("toast ").size() == 1;
        if (c.toast)
            EXPECT_TRUE(window.calls.contains(QStringLiteral("toast ") + c.toast)) << window.calls.join('|').toStdString();
        else
            EXPECT_FALSE(toasted);
        EXPECT_EQ(outside.calls.filter("clipboard").size(), !c.intoLine && QString(c.path).startsWith('/') ? 1 : 0);
    }
}

TEST_F(InputControllerTest, EscapeClearsThenHidesAndCtrlBackspaceResetsAnEmptyLine) {
    window.SetLineText(QStringLiteral("notes"), true);
    input.InputKey(Key(TKeyAction::ClearLine), window.Line());
    EXPECT_EQ(window.line.text, "");
    EXPECT_TRUE(window.visible);
    input.InputKey(Key(TKeyAction::ClearAndHide), window.Line());
    EXPECT_FALSE(window.visible);

    window.SetLineText(QStringLiteral("open"), false);
    TKeyDecision back = Key(TKeyAction::SetLine);
    input.InputKey(back, window.Line()); // no text left: the search starts over
    EXPECT_EQ(window.line.text, "");
    back.text = QStringLiteral("open ");
    input.InputKey(back, window.Line());
    EXPECT_EQ(window.line.text, "open ");
}

TEST_F(InputControllerTest, TabAndUpDownStepTheCompletionCandidatesBothWays) {
    window.SetLineText(QStringLiteral("n"), false);
    input.InputKey(Key(TKeyAction::NextCompletion), window.Line());
    const QString first = window.line.text;
    ASSERT_TRUE(first == "notes" || first == "news") << first.toStdString();
    EXPECT_EQ(window.line.selStart, 1); // the completed part stays selected
    input.InputKey(Key(TKeyAction::NextCompletion), window.Line());
    const QString second = window.line.text;
    EXPECT_NE(second, first);
    EXPECT_TRUE(second == "notes" || second == "news");
    input.InputKey(Key(TKeyAction::PreviousCompletion), window.Line());
    EXPECT_EQ(window.line.text, first);
}

TEST_F(InputControllerTest, DownShowsTheListWithItsFirstRowAndReverseTurnsTheGroupsAround) {
    window.SetLineText(QStringLiteral("n"), false);
    input.InputKey(Key(TKeyAction::ShowList), window.Line());
    ASSERT_TRUE(window.listVisible);
    EXPECT_EQ(window.listFocus, 1); // under the group's header
    QStringList before;
    for (const TListRow& r : window.rows)
        before << r.text;
    input.InputKey(Key(TKeyAction::ToggleReverse), window.Line());
    QStringList after;
    for (const TListRow& r : window.rows)
        after << r.text;
    ASSERT_EQ(before.size(), after.size());
    EXPECT_EQ(after.first(), before.first()); // the header stays on top
    QStringList reversed = before.mid(1);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(after.mid(1), reversed);
}

TEST_F(InputControllerTest, TheSilentRefreshKeepsAFixedListOpenAndEmptiesIt) {
    window.SetLineText(QStringLiteral("n"), false);
    input.ProcessInput(TInputRequest::RefreshSilently, QString(), false);
    ASSERT_TRUE(window.listVisible);
    ASSERT_FALSE(window.rows.empty());
    window.SetLineText(QStringLiteral("nothing matches this"), false);
    input.ProcessInput(TInputRequest::RefreshSilently, QString(), false);
    EXPECT_TRUE(window.listVisible); // listfixedsize is on by default
    EXPECT_TRUE(window.rows.empty());
    data.settings.listfixedsize = false;
    input.ProcessInput(TInputRequest::RefreshSilently, QString(), false);
    EXPECT_FALSE(window.listVisible);
    // A list that drops down only while typing closes on an empty line.
    data.settings.listfixedsize = true;
    data.settings.listbehaveslikedropdown = true;
    window.SetLineText(QStringLiteral("n"), false);
    input.ProcessInput(TInputRequest::RefreshSilently, QString(), false);
    ASSERT_TRUE(window.listVisible);
    window.SetLineText(QString(), false);
    input.ProcessInput(TInputRequest::RefreshSilently, QString(), false);
    EXPECT_FALSE(window.listVisible);
    // A note to the user ("->...") gets no list.
    window.SetLineText(QStringLiteral("->n"), false);
    window.listVisible = true;
    input.ProcessInput(TInputRequest::ShowForInput, QString(), false);
    EXPECT_FALSE(window.listVisible);
}

TEST_F(InputControllerTest, FolderRequestsTakeThePathOrSayThereIsNone) {
    input.ProcessInput(TInputRequest::ListFolder, QString(), false);
    EXPECT_TRUE(window.calls.contains("toast Could not detect a folder path from current input"));
    outside.path = QStringLiteral("/usr/share/");
    input.ProcessInput(TInputRequest::TakeItemPath, QString(), false);
    EXPECT_EQ(window.line.text, "/usr/share/");
    // A path that is no path falls back to the folder request, which finds no folder to list.
    outside.path = QStringLiteral("nowhere");
    window.calls.clear();
    input.ProcessInput(TInputRequest::TakeItemPath, QString(), false);
    EXPECT_EQ(window.line.text, "/usr/share/");
    EXPECT_TRUE(window.calls.contains("toast Could not detect a folder path from current input"));
}

TEST_F(InputControllerTest, ANewSearchResetsTheFailureColourAndTheCompletion) {
    data.settings.textcolor = 0x123456;
    window.SetLineText(QStringLiteral("n"), false);
    input.InputKey(Key(TKeyAction::NextCompletion), window.Line());
    ASSERT_GT(input.LineState().CompletionCycle, 0);
    input.SetNewWord(QStringLiteral("fresh"), false, true);
    EXPECT_TRUE(window.calls.contains("colour 1193046"));
    EXPECT_EQ(input.LineState().CompletionCycle, 0);
    EXPECT_EQ(window.line.text, "fresh");
}

TEST_F(InputControllerTest, TextFromOutsideIsANewInputAndAFullLineMovesIntoTheEditor) {
    data.settings.externaltext = true;
    input.Shown();
    window.SetLineText(QStringLiteral("n"), false);
    input.InputEdited(QStringLiteral("n"), 1, false, false); // dropped in: no key since the window showed
    EXPECT_TRUE(window.listVisible);
    EXPECT_EQ(input.LineState().LastSetText, "n");
    // Typed text is not taken again.
    window.listVisible = false;
    input.InputKey(TKeyDecision{}, window.Line());
    input.InputEdited(QStringLiteral("ne"), 2, true, false);
    EXPECT_FALSE(window.listVisible);

    data.settings.autoexpand = true;
    window.atRightEdge = true;
    input.InputEdited(QStringLiteral("a long line"), 11, true, false);
    EXPECT_TRUE(window.calls.contains("editor a long line"));
}

// The real pipeline with the controller as its window side, as Enter reaches it in the program.
class ControllerPipelineTest : public InputControllerTest {
protected:
    ControllerPipelineTest() {
        outside.pipeline = [this](const TExecRequest& r) { return pipeline.DoExecute(r); };
        auto hist = MakeNewKeyword(QStringLiteral("hist"), QStringLiteral("$HISTORY$"), QString());
        data.keywords.Add(std::move(hist));
        data.history.AddToHistory(QStringLiteral("/usr/bin/fish"), nullptr, false, false);
        data.history.AddToHistory(QStringLiteral("/usr/bin/firefox"), nullptr, false, false);
        files.files[QStringLiteral("/usr/bin/firefox")] = QString();
        files.files[QStringLiteral("/usr/bin/fish")] = QString();
    }
    test::TFakeEnvironment env;
    test::TFakeFileSystem files;
    test::TFakeClipboard clipboard;
    test::TFakeWindows windows;
    test::TFakeKeys keys;
    test::TFakeWaiter waiter;
    test::TFakeSound sound;
    test::TFakeRandom random;
    test::TFakeClock clock;
    test::TFakeNetwork network;
    test::TFakeTextSender sender;
    test::TFakeInputHost inputHost;
    TExecContext ctx{data.settings, data.keywords,
                     TExecServices{&env, &files, &clipboard, &windows, &keys, &waiter, &sound, &random, &clock,
                                   &network, &sender, &inputHost, nullptr}};
    test::TFakeScheduler scheduler;
    test::TInlineTasks tasks;
    test::TRecordingShell shell;
    test::TFakeWriter writer;
    test::TFakeInternal internal;
    TPipelineWindow view{input, window, outside};
    TLauncher launcher{ctx, TLauncherServices{&shell, &view, &scheduler, &tasks, nullptr, nullptr, nullptr, nullptr}};
    TExecPipeline pipeline{ctx, TPipelineServices{&internal, &launcher, &view, &scheduler, &writer, &data.history,
                                                  &data.tags, QStringLiteral("/opt/vantrelo/")}};
};

TEST_F(ControllerPipelineTest, ASpecialListWithAParameterRunsItsBestEntry) {
    window.SetLineText(QStringLiteral("hist fire"), false);
    input.InputKey(Key(TKeyAction::Execute), window.Line());
    EXPECT_EQ(window.line.text, "/usr/bin/firefox");
    EXPECT_TRUE(shell.Files().contains("/usr/bin/firefox")) << shell.Files().join(u'|').toStdString();
}

} // namespace
} // namespace vantrelo
