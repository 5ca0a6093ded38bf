// The input and list windows offscreen: keys reach the key map and the host, rows draw state.
#include "core/settings.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"

#include "support/widgetapp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

namespace vantrelo {
namespace {

QApplication& App() { return test::WidgetApp(); }

struct TRecordingHost final : TMainFormHost {
    std::vector<TKeyDecision> keys;
    std::vector<QString> keyLines;
    std::vector<std::pair<TListKeyDecision, int>> listKeys;
    std::vector<QString> edits;
    std::vector<TFormCommand> commands;
    int remembered = 0;
    void InputKey(const TKeyDecision& d, const TLineState& line) override {
        keys.push_back(d);
        keyLines.push_back(line.text);
    }
    void ListKey(const TListKeyDecision& d, int row) override { listKeys.emplace_back(d, row); }
    void InputEdited(const QString& text, int, bool, bool refresh) override {
        if (refresh)
            edits.push_back(text);
    }
    void RowActivated(int, bool, bool) override {}
    void RowMenu(int, QPoint) override {}
    void EditorExecute(const QString&, bool, bool) override {}
    void Command(TFormCommand c) override { commands.push_back(c); }
    void RememberForeground() override { ++remembered; }
    void ActivateOwnWindow(quint64, quint64) override {}
    std::optional<QRect> LastActiveFrame() const override { return std::nullopt; }
    std::vector<int> widths;
    void InputWidthChanged(int width) override { widths.push_back(width); }
};

class WindowsTest : public ::testing::Test {
protected:
    WindowsTest() {
        App();
        form = std::make_unique<TMainForm>(settings, host);
        form->ManageShowHide(true, false, 230);
        form->WordEdit()->setFocus();
    }
    TSettings settings;
    TRecordingHost host;
    std::unique_ptr<TMainForm> form;
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
    form->ManageShowHide(true, false, 230); // within 230 ms of the first: nothing
    EXPECT_EQ(host.remembered, 1);
    form->ManageShowHide(false, false, 230);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->CmdForm()->isVisible());
    form->ManageShowHide(true, false, 230);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(host.remembered, 2);
    form->SetClosing();
    form->ManageShowHide(false, false, 230);
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

} // namespace
} // namespace vantrelo
