// The input window with its real controller, offscreen: keys pressed in the line reach the list and the line.
#include "app/inputcontroller.h"
#include "app/suggestbridge.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "support/inputfakes.h"
#include "support/qtapp.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"

#include <gtest/gtest.h>

#include <QTest>

namespace vantrelo {
namespace {


class InputWindowTest : public ::testing::Test {
protected:
    InputWindowTest() {
        test::WidgetApp();
        data.settings.autodelay = 0;
        for (const char* name : {"notes", "news", "nano"})
            data.keywords.Add(MakeNewKeyword(QString::fromLatin1(name), QStringLiteral("/usr/bin/true"), QString()));
        form = std::make_unique<TMainForm>(data.settings, host);
        input = std::make_unique<TInputController>(data.settings, data.keywords, data.history, suggest, *form, outside);
        form->SetEvents(input.get());
        form->ManageShowHide(true, false, TShowLock::Hotkey);
        form->WordEdit()->setFocus();
    }
    ~InputWindowTest() override { form->SetEvents(nullptr); }
    void Type(const char* keys) { QTest::keyClicks(form->WordEdit(), QString::fromLatin1(keys)); }
    QStringList Rows() const {
        QStringList rows;
        for (int i = 0; i < form->CmdForm()->RowCount(); ++i)
            rows << form->CmdForm()->Row(i).text;
        return rows;
    }

    TUserData data;
    TSuggestBridge suggest{data, TSuggestServices{}};
    test::TRecordingFormHost host;
    test::TRecordingOutside outside;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TInputController> input;
};

TEST_F(InputWindowTest, TypingListsAndDownSelectsTheFirstEntryUnderItsHeader) {
    Type("n");
    ASSERT_TRUE(form->ListVisible());
    EXPECT_FALSE(form->ListFocused());
    QTest::keyClick(form->WordEdit(), Qt::Key_Down);
    EXPECT_TRUE(form->ListFocused());
    EXPECT_EQ(form->CmdForm()->Selected(), 1);
    // Enter in the list takes the row into the line and runs it.
    QTest::keyClick(form->WordEdit(), Qt::Key_Return);
    ASSERT_EQ(outside.runs.size(), 1u);
    EXPECT_EQ(outside.runs[0].cmdline, form->Line().text);
    EXPECT_TRUE(Rows().contains(form->Line().text.trimmed()));
}

TEST_F(InputWindowTest, TabWithoutSwitchtabStepsTheCompletionAndCtrlRReversesTheList) {
    data.settings.switchtab = false;
    Type("n");
    QTest::keyClick(form->WordEdit(), Qt::Key_Tab);
    const QString first = form->Line().text;
    EXPECT_TRUE(QStringList({"notes", "news", "nano"}).contains(first)) << first.toStdString();
    EXPECT_EQ(form->WordEdit()->selectionStart(), 1);
    QTest::keyClick(form->WordEdit(), Qt::Key_Tab);
    EXPECT_NE(form->Line().text, first);
    QTest::keyClick(form->WordEdit(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form->Line().text, first);

    form->SetLineText(QStringLiteral("n"), false);
    QTest::keyClick(form->WordEdit(), Qt::Key_Down);
    const QStringList before = Rows();
    QTest::keyClick(form->WordEdit(), Qt::Key_Escape); // back to the line
    QTest::keyClick(form->WordEdit(), Qt::Key_R, Qt::ControlModifier);
    const QStringList after = Rows();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.first(), before.first());
    EXPECT_EQ(after.last(), before.at(1));
}

TEST_F(InputWindowTest, AltMenuOpensTheItemsMenuAndEscOnAnEmptiedLineKeepsTheFixedList) {
    Type("n");
    QTest::keyClick(form->WordEdit(), Qt::Key_Menu, Qt::AltModifier);
    EXPECT_TRUE(outside.calls.contains("item menu"));
    form->WordEdit()->selectAll();
    QTest::keyClick(form->WordEdit(), Qt::Key_Escape);
    EXPECT_EQ(form->Line().text, "");
    EXPECT_TRUE(form->isVisible());
}

} // namespace
} // namespace vantrelo
