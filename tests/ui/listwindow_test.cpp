// The list window as the user meets it: typing in the real input window fills, describes, sizes and places the rows.
#include "app/inputcontroller.h"
#include "app/suggestbridge.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"

#include "support/qtapp.h"

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

namespace vantrelo {
namespace {

struct TNoOutside final : TInputOutside {
    bool Run(const TExecRequest&) override { return false; }
    QString ItemPath(const QString&, const TItem*, bool) const override { return {}; }
    bool RunDashCommand(const QString&) override { return false; }
    void ShowRowMenu(int, QPoint) override {}
    void OpenTool(TTool) override {}
    void OpenInputAssist(bool) override {}
    void CloseWindow(quint64) override {}
    void EndProcessOfWindow(quint64) override {}
    bool ActivateLastActive() override { return false; }
    void ActivateWindow(quint64) override {}
    void CopyToClipboard(const QString&) override {}
    void WriteSettings() override {}
    void ShowMessage(const QString&) override {}
    void ShowCalcResult(const QString&, const QString&, const QString&) override {}
    void CloseProgram() override {}
    void ClearIncognitoFolder() override {}
    bool ShiftHeld() const override { return false; }
    bool AltHeld() const override { return false; }
};

struct TNoHost final : TMainFormHost {
    void RowMenu(int, QPoint) override {}
    void Command(TFormCommand) override {}
    void RememberForeground() override {}
    void ActivateOwnWindow(quint64, quint64) override {}
    std::optional<QRect> LastActiveFrame() const override { return std::nullopt; }
    void InputWidthChanged(int) override {}
    void ListRowsChanged(int) override {}
    void ListRowHeightFitted(int) override {}
    void PinCommand() override {}
};

// The input window with the real controller and suggestions over a few keywords; the settings
// are set before Open, as the program reads them at the start.
class ListWindow : public ::testing::Test {
protected:
    ListWindow() {
        test::WidgetApp();
        settings.autodelay = 0;
        settings.center = 0;
        auto notes = MakeNewKeyword("notes", "/usr/bin/notes", QString());
        notes->comment = "Write things down";
        notes->group = "office";
        data.keywords.Add(std::move(notes));
        data.keywords.Add(MakeNewKeyword("nocomment", "/usr/bin/true", QString()));
        for (int i = 0; i < 30; ++i)
            data.keywords.Add(MakeNewKeyword(QString("many%1").arg(i), "/usr/bin/true", QString()));
        data.tags.Build(data.keywords);
    }
    ~ListWindow() override {
        if (form)
            form->SetEvents(nullptr);
    }
    void Open() {
        form = std::make_unique<TMainForm>(settings, host);
        controller = std::make_unique<TInputController>(settings, data.keywords, data.history, suggest, *form, outside);
        form->SetEvents(controller.get());
        form->move(200, 100);
        form->ManageShowHide(true, false, TShowLock::Hotkey);
        form->WordEdit()->setFocus();
    }
    TCmdForm& List() { return *form->CmdForm(); }
    // The title drawn beside the row with this text, or "(no row)".
    QString TitleOf(const QString& text) {
        for (int i = 0; i < List().RowCount(); ++i)
            if (List().Row(i).text == text)
                return List().Row(i).title;
        return "(no row)";
    }

    TUserData data;
    TSettings& settings = data.settings;
    TSuggestBridge suggest{data, TSuggestServices{}};
    TNoOutside outside;
    TNoHost host;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TInputController> controller;
};

TEST_F(ListWindow, TypedRowsAreDescribedByWhatTheyAre) {
    Open();
    QTest::keyClicks(form->WordEdit(), "no");
    ASSERT_TRUE(form->ListVisible());
    EXPECT_EQ(TitleOf("notes"), "Write things down");
    EXPECT_EQ(TitleOf("nocomment"), ""); // never the command in place of a comment

    form->SetLineText("", false);
    QTest::keyClicks(form->WordEdit(), "-");
    ASSERT_TRUE(form->ListVisible());
    EXPECT_EQ(TitleOf("-k"), "Open keyword editor");
    EXPECT_EQ(TitleOf("-report"), "Generate report for bug reporting etc");
}

TEST_F(ListWindow, ANewSearchWithoutMatchesKeepsAFixedSizeListOpenWithOneEmptyRow) {
    for (const bool fixed : {true, false}) {
        settings.listfixedsize = fixed;
        Open();
        QTest::keyClicks(form->WordEdit(), "no");
        ASSERT_TRUE(form->ListVisible());
        QTest::keyClicks(form->WordEdit(), "qqq");
        EXPECT_EQ(form->ListVisible(), fixed) << fixed;
        if (fixed) {
            EXPECT_EQ(List().RowCount(), 1);
            EXPECT_EQ(List().Row(0).text, "");
        }
    }
}

TEST_F(ListWindow, AScrollBarStandsBesideMoreRowsThanFitUnlessTurnedOff) {
    for (const bool noBar : {false, true}) {
        settings.listnoscrollbar = noBar;
        settings.maxvisible = 5;
        Open();
        auto* bar = List().EntryList()->findChild<QScrollBar*>();
        EXPECT_EQ(bar != nullptr, !noBar);
        QTest::keyClicks(form->WordEdit(), "no");
        if (bar)
            EXPECT_TRUE(bar->isHidden()) << "two rows fit";
        form->SetLineText("", false);
        QTest::keyClicks(form->WordEdit(), "many");
        ASSERT_GT(List().RowCount(), 5);
        if (!bar)
            continue;
        EXPECT_FALSE(bar->isHidden());
        EXPECT_EQ(bar->maximum(), List().RowCount() - List().EntryList()->VisibleRows());
        // The selection moving down scrolls the bar with it, and the bar scrolls the rows.
        QTest::keyClick(form->WordEdit(), Qt::Key_Down);
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(form->WordEdit(), Qt::Key_Down);
        EXPECT_EQ(bar->value(), List().EntryList()->TopRow());
        EXPECT_GT(bar->value(), 0);
        bar->setValue(0);
        EXPECT_EQ(List().EntryList()->TopRow(), 0);
    }
}

TEST_F(ListWindow, TheListSitsBelowTheInputOrJoinsItInOneWindow) {
    for (const bool one : {false, true}) {
        settings.onewindow = one;
        Open();
        QTest::keyClicks(form->WordEdit(), "no");
        ASSERT_TRUE(form->ListVisible());
        const QRect input = form->frameGeometry();
        EXPECT_EQ(List().x(), input.x());
        // Joined, the list covers the input's bottom border; else it leaves a gap of two pixels.
        EXPECT_EQ(List().y(), one ? input.bottom() + 1 - 2 : input.bottom() + 1 + 2) << one;
    }
}

} // namespace
} // namespace vantrelo
