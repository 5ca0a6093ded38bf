// The input and list windows offscreen: keys reach the key map and the host, rows draw state.
#include "app/inputcontroller.h"
#include "support/inputfakes.h"
#include "app/suggestbridge.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "exec/pipeline.h"
#include "ui/cmdform.h"
#include "ui/editordialogs.h"
#include "support/dialogfakes.h"
#include "ui/editpanel.h"
#include "ui/mainform.h"
#include "ui/spellcheck.h"

#include "support/qtapp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

namespace vantrelo {
namespace {

QApplication& App() { return test::WidgetApp(); }

// Records what the window reports as the program would receive it; the window's own actions
// (caret, selection, centring, hiding, the editor) are carried out by the real controller.
struct TRecordingHost final : TMainFormHost, TInputEvents {
    std::vector<TFormCommand> commands;
    int remembered = 0;
    void RowMenu(int, QPoint) override {}
    void Command(TFormCommand c) override { commands.push_back(c); }
    void RememberForeground() override { ++remembered; }
    void ActivateOwnWindow(quint64, quint64) override {}
    std::optional<QRect> LastActiveFrame() const override { return std::nullopt; }
    std::vector<int> widths;
    void InputWidthChanged(int width) override { widths.push_back(width); }
    std::vector<int> rowsChosen;
    void ListRowsChanged(int rows) override { rowsChosen.push_back(rows); }
    TSettings* owner = nullptr; // the settings a real host would change
    void ListRowHeightFitted(int height) override {
        if (owner)
            owner->listrowheight = height;
    }
    int pinCommands = 0;
    QStringList dropped;
    void PinCommand() override { ++pinCommands; }
    void FileDropped(const QString& path) override { dropped << path; }

    TInputController* real = nullptr;
    std::vector<TKeyDecision> keys;
    std::vector<QString> keyLines;
    std::vector<std::pair<TListKeyDecision, int>> listKeys;
    std::vector<QString> edits;
    std::vector<std::pair<QString, bool>> executed; // text, runas
    std::vector<TEditorKeyDecision> editorKeys;

    static bool InWindow(TKeyAction a) {
        using A = TKeyAction;
        return a == A::None || a == A::Consume || a == A::SelectWholeLine || a == A::FocusInput ||
               a == A::MoveCaret || a == A::CenterScreen || a == A::FitAndCenter || a == A::Hide ||
               a == A::ExpandEditor || a == A::CloseWindow || a == A::ContextMenu;
    }
    bool InputKey(const TKeyDecision& d, const TLineState& line) override {
        if (InWindow(d.action))
            return real->InputKey(d, line);
        keys.push_back(d);
        keyLines.push_back(line.text);
        return d.consume;
    }
    bool ListKey(const TListKeyDecision& d, int row) override {
        using A = TListKeyAction;
        if (d.action == A::None || d.action == A::Move || d.action == A::BackToInput || d.action == A::CenterScreen ||
            d.action == A::FitAndCenter || d.action == A::FocusInput)
            return real->ListKey(d, row);
        listKeys.emplace_back(d, row);
        return true;
    }
    void EditorKey(const TEditorKeyDecision& d) override {
        using A = TEditorKeyAction;
        if (d.action == A::CenterScreen || d.action == A::FitAndCenter || d.action == A::FocusInput) {
            real->EditorKey(d);
            return;
        }
        editorKeys.push_back(d);
    }
    void InputEdited(const QString& text, int, bool, bool refresh) override {
        if (refresh)
            edits.push_back(text);
    }
    void RowActivated(int, bool, bool) override {}
    void EditorExecute(const QString& text, bool runas, bool) override { executed.emplace_back(text, runas); }
    void Shown() override { real->Shown(); }
    void ListButtonClicked() override { real->ListButtonClicked(); }
};

class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() {
        App();
        host.owner = &settings;
        form = std::make_unique<TMainForm>(settings, host);
        controller = std::make_unique<TInputController>(settings, data.keywords, data.history, suggest, *form, outside);
        host.real = controller.get();
        form->SetEvents(&host);
        // The debounce reads this clock, so slowness of the machine cannot move a show out of it.
        form->SetElapsedClock([this] { return elapsed; });
        form->ManageShowHide(true, false, TShowLock::Hotkey);
        form->WordEdit()->setFocus();
    }
    ~WindowsTest() override { form->SetEvents(nullptr); }
    qint64 elapsed = 1'000'000;
    TUserData data;
    TSettings& settings = data.settings;
    TSuggestBridge suggest{data, TSuggestServices{}};
    test::TRecordingOutside outside; // these tests stop at what the window reports
    TRecordingHost host;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TInputController> controller;
};

std::vector<TListRow> Rows(std::initializer_list<const char*> texts) {
    std::vector<TListRow> rows;
    for (const char* t : texts) {
        TListRow r;
        r.text = QString::fromUtf8(t);
        r.header = r.text.startsWith("===");
        rows.push_back(r);
    }
    return rows;
}

TEST_F(WindowsTest, TypingReachesTheHostAndEnterRunsTheLineAsItIsNow) {
    QTest::keyClicks(form->WordEdit(), "abc");
    ASSERT_EQ(host.edits.size(), 3u);
    EXPECT_EQ(host.edits.back(), "abc");
    QTest::keyClick(form->WordEdit(), Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(host.keys.size(), 1u);
    EXPECT_EQ(host.keys[0].action, TKeyAction::Execute);
    EXPECT_TRUE(host.keys[0].forcerunas);
    EXPECT_EQ(host.keyLines[0], "abc");
    EXPECT_EQ(form->WordEdit()->text(), "abc"); // Enter never reaches the edit control
}

TEST_F(WindowsTest, WordJumpsAndCtrlBackspaceAreDoneInTheLine) {
    form->SetLineText("open my.file", false);
    QTest::keyClick(form->WordEdit(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(form->WordEdit()->cursorPosition(), 8);
    QTest::keyClick(form->WordEdit(), Qt::Key_Backspace, Qt::ControlModifier);
    ASSERT_EQ(host.keys.size(), 1u);
    EXPECT_EQ(host.keys[0].action, TKeyAction::SetLine);
    EXPECT_EQ(host.keys[0].text, "open ");
}

TEST_F(WindowsTest, ListRowsNumbersSelectionAndKeys) {
    form->DisplayList(Rows({"===== Keywords =====", "notes", "news", "===== History =====", "nano"}), true);
    ASSERT_TRUE(form->ListVisible());
    TCmdForm* list = form->CmdForm();
    EXPECT_EQ(list->RowCount(), 5);
    EXPECT_EQ(list->Selected(), 1);
    EXPECT_TRUE(form->ListFocused());
    EXPECT_EQ(list->RowNumber(0), "");
    EXPECT_EQ(list->RowNumber(1), "1");
    EXPECT_EQ(list->RowNumber(4), "3");
    EXPECT_EQ(list->RowWithNumber(3), 4);
    QTest::keyClick(form->WordEdit(), Qt::Key_Down);
    QTest::keyClick(form->WordEdit(), Qt::Key_Down);
    EXPECT_EQ(list->Selected(), 4); // the header was stepped over
    QTest::keyClick(form->WordEdit(), Qt::Key_Return);
    ASSERT_EQ(host.listKeys.size(), 1u);
    EXPECT_EQ(host.listKeys[0].first.action, TListKeyAction::Take);
    EXPECT_EQ(host.listKeys[0].second, 4);
    // Typing leaves the list and goes into the line.
    QTest::keyClick(form->WordEdit(), Qt::Key_X);
    EXPECT_FALSE(form->ListFocused());
    EXPECT_EQ(form->WordEdit()->text(), "x");
}

TEST_F(WindowsTest, AnEmptyListKeepsOnePlaceholderRowAndTheListSitsUnderTheInput) {
    form->move(100, 100);
    form->DisplayList({}, false);
    EXPECT_EQ(form->CmdForm()->RowCount(), 1);
    EXPECT_EQ(form->CmdForm()->Row(0).text, "");
    EXPECT_EQ(form->CmdForm()->RowNumber(0), "");
    EXPECT_FALSE(form->ListFocused());
    form->DisplayList(Rows({"only"}), false);
    EXPECT_EQ(form->CmdForm()->RowCount(), 1);
    EXPECT_EQ(form->CmdForm()->Row(0).text, "only");
    EXPECT_GE(form->CmdForm()->y(), form->frameGeometry().bottom());
}

TEST_F(WindowsTest, EscapeStepsGoToTheHost) {
    form->SetLineText("notes", true);
    QTest::keyClick(form->WordEdit(), Qt::Key_Escape);
    ASSERT_EQ(host.keys.size(), 1u);
    EXPECT_EQ(host.keys[0].action, TKeyAction::ClearLine);
    form->SetLineText("", false);
    QTest::keyClick(form->WordEdit(), Qt::Key_Escape);
    EXPECT_EQ(host.keys.back().action, TKeyAction::ClearAndHide);
    QTest::keyClick(form->WordEdit(), Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_FALSE(form->isVisible()); // Shift+Esc hides at once
}

TEST_F(WindowsTest, ShowsAreDebouncedAndRememberTheForegroundWindow) {
    EXPECT_EQ(host.remembered, 1);
    elapsed += 229;
    form->ManageShowHide(true, false, TShowLock::Hotkey); // within 230 ms of the first: nothing
    EXPECT_EQ(host.remembered, 1);
    form->ManageShowHide(false, false, TShowLock::Hotkey);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->CmdForm()->isVisible());
    form->ManageShowHide(true, false, TShowLock::Hotkey);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(host.remembered, 2);
    form->SetClosing();
    form->ManageShowHide(false, false, TShowLock::Hotkey);
    EXPECT_TRUE(form->isVisible()); // once closing, the window is neither shown nor hidden
}

TEST_F(WindowsTest, ToastTitleAndStatePanel) {
    form->ShowToast("ok");
    EXPECT_TRUE(form->ToastVisible());
    EXPECT_EQ(form->ToastText(), "ok");
    const QString longText(400, QChar('w'));
    form->ShowToast(longText);
    EXPECT_EQ(form->ToastText(), " " + longText); // too wide: left-aligned behind a blank
    const QLabel* toast = form->findChild<QLabel*>("ToastPanel");
    ASSERT_NE(toast, nullptr);
    EXPECT_LE(toast->width(), form->WordEdit()->width());

    const QString path = "/usr/share/applications/" + QString(200, QChar('a')) + ".desktop";
    form->displayTitle(path, true, true);
    EXPECT_TRUE(form->TitleText().startsWith("..."));
    EXPECT_TRUE(form->TitleText().endsWith(".desktop"));
    const QLabel* title = form->findChild<QLabel*>("TitleLabel");
    ASSERT_NE(title, nullptr);
    EXPECT_LE(QFontMetrics(title->font()).horizontalAdvance(form->TitleText()), form->WordEdit()->width());

    form->SetStatePanel("HI");
    const QLabel* state = form->findChild<QLabel*>("StatePanel");
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(state->isVisible());
    EXPECT_EQ(state->text(), "HI");
    form->SetStatePanel("");
    EXPECT_FALSE(state->isVisible());
}

TEST_F(WindowsTest, TheMultiLineEditorTakesTheLineAndGivesItBack) {
    form->SetLineText("one", false);
    QTest::keyClick(form->WordEdit(), Qt::Key_F10);
    TCmdForm* list = form->CmdForm();
    ASSERT_TRUE(list->EditorVisible());
    EXPECT_EQ(list->EditorText(), "one");
    list->MultiEdit()->setPlainText("one\ntwo");
    EXPECT_TRUE(form->WordEdit()->text().contains("two")); // every edit goes into the line
    QTest::keyClick(list->MultiEdit(), Qt::Key_Escape);
    EXPECT_FALSE(list->EditorVisible());
}

TEST_F(WindowsTest, TheRightEdgeResizesUnlessTheWindowIsLocked) {
    const int w = form->width();
    QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(w - 4, 10));
    QTest::mouseMove(form.get(), QPoint(w - 20, 10));
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(w - 20, 10));
    ASSERT_EQ(host.widths.size(), 1u);
    EXPECT_EQ(host.widths[0], w - 20);

    settings.lockwindow = true;
    QTest::mousePress(form.get(), Qt::LeftButton, {}, QPoint(w - 4, 10), 600);
    QTest::mouseMove(form.get(), QPoint(w - 20, 10));
    QTest::mouseRelease(form.get(), Qt::LeftButton, {}, QPoint(w - 20, 10));
    EXPECT_EQ(host.widths.size(), 1u);
}

using test::TScriptedDialogs;

QAction* MenuAction(const TCmdForm& list, const char* name) {
    return list.Editor()->Menu()->findChild<QAction*>(QString::fromLatin1(name), Qt::FindChildrenRecursively);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST_F(WindowsTest, TheEditorDimsTheLineRunsWithOneModifierAndClosesBack) {
    settings.dimonexpand = true;
    settings.dimamount = 50;
    settings.textcolor = 0x000000;
    settings.textbackcolor = 0xFFFFFF;
    settings.titlecolor = 0x0000FF;
    form->ApplyLook();
    form->wordEditShow();
    EXPECT_EQ(form->TitleColour(), QColor(255, 0, 0));
    form->SetLineText("one", false);
    QTest::keyClick(form->WordEdit(), Qt::Key_F10);
    TCmdForm* list = form->CmdForm();
    ASSERT_TRUE(list->EditorVisible());
    EXPECT_EQ(form->LineColour(), 0x808080);
    EXPECT_EQ(form->TitleColour(), QColor(255, 0, 0)); // the title dims only with diminput
    QTest::keyClick(list->MultiEdit(), Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(host.executed.empty()); // two modifiers: not a run
    QTest::keyClick(list->MultiEdit(), Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(host.executed.size(), 1u);
    EXPECT_TRUE(host.executed[0].second);
    EXPECT_FALSE(list->EditorVisible());

    settings.diminput = true;
    form->ExpandInput("two");
    EXPECT_EQ(form->TitleColour(), QColor(255, 128, 128));
    QTest::keyClick(list->MultiEdit(), Qt::Key_K, Qt::ControlModifier);
    ASSERT_EQ(host.editorKeys.size(), 1u);
    EXPECT_EQ(host.editorKeys[0].action, TEditorKeyAction::KeywordEditor);
    QTest::keyClick(list->MultiEdit(), Qt::Key_Space, Qt::ControlModifier);
    ASSERT_EQ(host.editorKeys.size(), 2u);
    EXPECT_EQ(host.editorKeys[1].action, TEditorKeyAction::InputAssist);
    EXPECT_EQ(list->EditorText(), "two"); // no blank went into the text
    list->MultiEdit()->selectAll();
    QTest::keyClick(list->MultiEdit(), Qt::Key_Backspace); // empties it
    EXPECT_TRUE(list->EditorVisible());
    QTest::keyClick(list->MultiEdit(), Qt::Key_Backspace); // empty: closes
    EXPECT_FALSE(list->EditorVisible());
    EXPECT_EQ(form->LineColour(), 0x000000); // the colours came back
    EXPECT_EQ(form->TitleColour(), QColor(255, 0, 0));
}

TEST_F(WindowsTest, TheEditorLabelFollowsTheWidthAndZoomStopsAtItsLimits) {
    form->ExpandInput("text");
    TCmdForm* list = form->CmdForm();
    // A skin that lets the window be narrow: a custom width below its minimum would not count.
    TSkinLayout narrow = DefaultSkinLayout(settings);
    narrow.minimumwidth = 250;
    form->SetSkinLayout(narrow);
    settings.customwidth = 300;
    form->ApplyLook();
    EXPECT_EQ(list->Editor()->LabelText(), "Edit text");
    settings.customwidth = 700;
    form->ApplyLook();
    EXPECT_TRUE(list->Editor()->LabelText().startsWith("Edit text - Ctrl+Enter = Execute"));

    const qreal base = list->MultiEdit()->font().pointSizeF();
    QWheelEvent wheel(QPointF(5, 5), list->MultiEdit()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->MultiEdit()->viewport(), &wheel);
    EXPECT_EQ(list->Editor()->Zoom(), 110);
    EXPECT_NEAR(list->MultiEdit()->font().pointSizeF(), base * 1.1, 0.01);
    QTest::keyClick(list->MultiEdit(), Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier); // as typed
    EXPECT_EQ(list->Editor()->Zoom(), 120);
    for (int i = 0; i < 60; ++i)
        MenuAction(*list, "Zoomin1")->trigger();
    EXPECT_EQ(list->Editor()->Zoom(), 500);
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(list->MultiEdit(), Qt::Key_Minus, Qt::ControlModifier); // the menu's shortcut
    EXPECT_EQ(list->Editor()->Zoom(), 10);
    MenuAction(*list, "Zoomreset1")->trigger();
    EXPECT_EQ(list->Editor()->Zoom(), 100);
    EXPECT_EQ(list->EditorText(), "text"); // no key reached the text
}

TEST_F(WindowsTest, TheEditorOpensAndSavesFilesThroughItsDialogs) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto owned = std::make_unique<TScriptedDialogs>();
    TScriptedDialogs& dialogs = *owned;
    TCmdForm* list = form->CmdForm();
    list->SetDialogs(std::move(owned));
    form->ExpandInput("");

    const QString in = dir.filePath("in.txt");
    {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("first\nsecond \xC3\xA4");
    }
    dialogs.openText = in;
    MenuAction(*list, "OpenFile1")->trigger();
    EXPECT_EQ(list->EditorText(), QString::fromUtf8("first\nsecond \xC3\xA4"));
    EXPECT_EQ(list->MultiEdit()->textCursor().position(), list->EditorText().size());
    EXPECT_TRUE(form->WordEdit()->text().startsWith("first")); // the line follows the editor

    dialogs.saveText = dir.filePath("out.txt");
    MenuAction(*list, "SaveAs1")->trigger();
    QFile out(dialogs.saveText);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QByteArray("first\nsecond \xC3\xA4"));
    EXPECT_TRUE(dialogs.errors.empty());

    dialogs.saveText = dir.filePath("missing/out.txt");
    MenuAction(*list, "SaveAs1")->trigger();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].startsWith("Save text to file: "));
    dialogs.openText = dir.filePath("nothing.txt");
    MenuAction(*list, "OpenFile1")->trigger();
    EXPECT_EQ(dialogs.errors.size(), 2u);
    EXPECT_EQ(list->EditorText(), QString::fromUtf8("first\nsecond \xC3\xA4")); // a failed open keeps the text
}

TEST_F(WindowsTest, RowsTooLowForTheListFontAreRaisedOnTheFirstLayout) {
    TSettings big;
    big.listrowheight = 20;
    big.listfontsize = 14;
    TRecordingHost h;
    h.owner = &big;
    TMainForm f(big, h);
    EXPECT_GT(big.listrowheight, 20);
    const int raised = big.listrowheight;
    f.DisplayList(Rows({"a", "b"}), false);
    EXPECT_EQ(big.listrowheight, raised); // only the first layout fits the rows
    EXPECT_GE(f.CmdForm()->EntryList()->RowHeight(), QFontMetrics(f.CmdForm()->EntryList()->ListFont()).height());
}

TEST_F(WindowsTest, TheListsEdgesResizeWidthAndRowsUnlessLocked) {
    settings.listfixedsize = false;
    std::vector<TListRow> many;
    for (int i = 0; i < 30; ++i)
        many.push_back(TListRow{QString("row %1").arg(i), {}, {}, {}, false});
    form->DisplayList(many, false);
    TCmdForm* list = form->CmdForm();
    TEntryList* rows = list->EntryList();
    const int w = list->width();
    const int h = list->height();
    // Right edge, pressed inside the rows' own area: the width follows, no row is selected.
    const QPoint right = rows->mapFrom(list, QPoint(w - 3, 20));
    SendMouse(rows, QEvent::MouseButtonPress, right, Qt::LeftButton);
    SendMouse(rows, QEvent::MouseMove, right - QPoint(50, 0), Qt::LeftButton);
    SendMouse(rows, QEvent::MouseButtonRelease, right - QPoint(50, 0), Qt::NoButton);
    ASSERT_FALSE(host.widths.empty());
    EXPECT_EQ(host.widths.back(), w - 53);
    EXPECT_EQ(list->Selected(), -1);
    EXPECT_TRUE(host.rowsChosen.empty());

    // Bottom edge: three rows more.
    const int rowH = rows->RowHeight();
    const QPoint bottom = rows->mapFrom(list, QPoint(20, h - 3));
    SendMouse(rows, QEvent::MouseButtonPress, bottom, Qt::LeftButton);
    SendMouse(rows, QEvent::MouseMove, bottom + QPoint(0, 3 * rowH + 3), Qt::LeftButton);
    EXPECT_EQ(list->height(), h + 3 * rowH);
    SendMouse(rows, QEvent::MouseButtonRelease, bottom + QPoint(0, 3 * rowH + 3), Qt::NoButton);
    ASSERT_EQ(host.rowsChosen.size(), 1u);
    EXPECT_EQ(host.rowsChosen[0], settings.maxvisible + 3);

    settings.lockwindow = true;
    const size_t widths = host.widths.size();
    SendMouse(rows, QEvent::MouseButtonPress, right, Qt::LeftButton);
    SendMouse(rows, QEvent::MouseMove, right - QPoint(50, 0), Qt::LeftButton);
    SendMouse(rows, QEvent::MouseButtonRelease, right - QPoint(50, 0), Qt::NoButton);
    EXPECT_EQ(host.widths.size(), widths);
}

TEST_F(WindowsTest, ThePinSitsInTheCornerKeepsTheListHighAndAnswersADoubleClick) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("pin.png");
    QImage picture(40, 90, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file));
    settings.pin = true;
    settings.pinfile = file;
    settings.listfixedsize = false;
    settings.listrowheight = 20;
    form->DisplayList(Rows({"only"}), false);
    TCmdForm* list = form->CmdForm();
    ASSERT_TRUE(list->PinVisible());
    EXPECT_EQ(list->PinSize(), QSize(40, 90));
    const QRect rows = list->EntryList()->geometry();
    EXPECT_GE(rows.height(), 90); // one row, but as high as the pin
    const QWidget* panel = list->findChild<QWidget*>("PinPanel");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->geometry(), QRect(rows.right() - 39, rows.bottom() - 89, 40, 90));

    QWidget* image = list->findChild<QWidget*>("PinImage");
    ASSERT_NE(image, nullptr);
    QTest::mouseDClick(image, Qt::LeftButton);
    EXPECT_EQ(host.pinCommands, 1);

    settings.pin = false;
    list->SetPinImage();
    EXPECT_FALSE(list->PinVisible());
}

// Knows every word but "teh".
struct TFakeChecker final : TSpellChecker {
    bool Correct(const QString& word) const override { return word != "teh"; }
};

bool Underlined(const QPlainTextEdit* edit, int start, int length) {
    for (const QTextLayout::FormatRange& r : edit->document()->firstBlock().layout()->formats())
        if (r.start == start && r.length == length && r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            return true;
    return false;
}

TEST_F(WindowsTest, F7SwitchesSpellCheckingThatUnderlinesUnknownWords) {
    TCmdForm* list = form->CmdForm();
    int made = 0;
    list->Editor()->SetSpellCheckerFactory([&made] {
        ++made;
        return std::make_unique<TFakeChecker>();
    });
    settings.spellcheckedit = false;
    form->ExpandInput("teh cat");
    EXPECT_FALSE(Underlined(list->MultiEdit(), 0, 3));
    QTest::keyClick(list->MultiEdit(), Qt::Key_F7);
    ASSERT_FALSE(host.commands.empty());
    EXPECT_EQ(host.commands.back(), TFormCommand::ToggleSpellCheck);
    EXPECT_EQ(list->EditorText(), "teh cat"); // F7 is the menu's, not the text's
    // The host flips the setting and applies it.
    settings.spellcheckedit = true;
    EXPECT_TRUE(list->Editor()->ApplySpellCheck());
    EXPECT_TRUE(Underlined(list->MultiEdit(), 0, 3));
    EXPECT_FALSE(Underlined(list->MultiEdit(), 4, 3));
    settings.spellcheckedit = false;
    list->Editor()->ApplySpellCheck();
    EXPECT_FALSE(Underlined(list->MultiEdit(), 0, 3));
    settings.spellcheckedit = true;
    list->Editor()->ApplySpellCheck();
    EXPECT_EQ(made, 1); // the dictionary is read once

    list->Editor()->SetSpellCheckerFactory([] { return std::unique_ptr<TSpellChecker>(); });
    EXPECT_FALSE(list->Editor()->ApplySpellCheck()); // on, but without a dictionary
}

TEST(HunspellChecker, KnowsTheInstalledDictionarysWords) {
    const auto checker = MakeHunspellChecker("en_US");
    if (!checker)
        GTEST_SKIP() << "no hunspell dictionary installed";
    EXPECT_TRUE(checker->Correct("house"));
    EXPECT_FALSE(checker->Correct("hosue"));
}

TEST_F(WindowsTest, TheSelectionOverAListPictureIsSolidAt255AndTranslucentAt100) {
    TSkinLayout layout = DefaultSkinLayout(settings);
    layout.listpicture = QImage(50, 50, QImage::Format_RGB32);
    layout.listpicture.fill(QColor(0, 255, 0));
    layout.listtilepictureposition = "center";
    layout.listfocusbgcolor = 0x0000FF; // red, as 0x00BBGGRR
    form->SetSkinLayout(layout);
    const auto pixel = [this](int opacity) {
        settings.listselectopacity = opacity;
        form->DisplayList(Rows({"a", "b"}), true);
        TEntryList* rows = form->CmdForm()->EntryList();
        return rows->grab().toImage().pixelColor(rows->width() - 3, 2);
    };
    EXPECT_EQ(pixel(255), QColor(255, 0, 0));
    const QColor blended = pixel(100);
    EXPECT_NEAR(blended.red(), 100, 2);
    EXPECT_NEAR(blended.green(), 155, 2);
    // Below the rows the picture shows.
    TEntryList* rows = form->CmdForm()->EntryList();
    EXPECT_EQ(rows->grab().toImage().pixelColor(rows->width() - 3, rows->RowHeight() * 2 - 2).green(), 255);
}

TEST_F(WindowsTest, TheWheelScrollsByTheSystemsLineCount) {
    settings.listfixedsize = true;
    settings.maxvisible = 5;
    std::vector<TListRow> many;
    for (int i = 0; i < 30; ++i)
        many.push_back(TListRow{QString("row %1").arg(i), {}, {}, {}, false});
    form->DisplayList(many, false);
    TEntryList* rows = form->CmdForm()->EntryList();
    const auto turn = [rows](int delta) {
        QWheelEvent wheel(QPointF(5, 5), rows->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(rows, &wheel);
    };
    const int lines = std::max(1, QApplication::wheelScrollLines());
    turn(-120);
    EXPECT_EQ(rows->TopRow(), lines);
    turn(360);
    EXPECT_EQ(rows->TopRow(), 0);
    turn(-120 * 100);
    EXPECT_EQ(rows->TopRow(), 25); // the last page stays full
}

} // namespace
} // namespace vantrelo

namespace vantrelo {
namespace {

TEST(InputBackdrop, TheShapeLeavesTheCornersAndAJoinedListsBorderOut) {
    TBackdropLook look;
    look.corner = 1;
    look.border = 3;
    const QRegion shape = BackdropShape(QSize(100, 40), look);
    for (const QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 39), QPoint(99, 39)})
        EXPECT_FALSE(shape.contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_TRUE(shape.contains(QPoint(1, 0)));
    EXPECT_TRUE(shape.contains(QPoint(50, 38)));
    look.joinList = true;
    const QRegion joined = BackdropShape(QSize(100, 40), look);
    EXPECT_FALSE(joined.contains(QPoint(50, 38))) << "the bottom border gives way to the list";
    EXPECT_TRUE(joined.contains(QPoint(1, 38)));
}

TEST_F(WindowsTest, OpacityFollowsTheSettingsAndTheListInheritsIt) {
    settings.transactive = 128;
    settings.transinactive = 128;
    form->ApplyLook();
    EXPECT_NEAR(form->windowOpacity(), 128 / 255.0, 0.01);
    EXPECT_NEAR(form->CmdForm()->windowOpacity(), 128 / 255.0, 0.01);
    settings.transactive = 255;
    settings.transinactive = 255;
    form->ApplyLook();
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 1.0) << "255 is no blending at all";
}

} // namespace
} // namespace vantrelo
