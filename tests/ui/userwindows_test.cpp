// The input and list windows as the user meets them, with the real input controller: rows, menu keys, activation.
#include "app/inputcontroller.h"
#include "app/suggestbridge.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"
#include "ui/mainmenus.h"

#include "support/inputfakes.h"
#include "support/qtapp.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScrollBar>
#include <QTest>

namespace vantrelo {
namespace {


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
        // The line stands for itself as a path.
        outside.itemPath = [](const QString& line, bool withFile) {
            const QFileInfo info(line);
            if (!info.isAbsolute())
                return QString();
            // As the program's item path: a folder stays itself, a file without its name is its folder.
            if (info.isDir())
                return line.endsWith('/') ? line : line + '/';
            return withFile ? line : info.absolutePath();
        };
    }
    ~ListWindow() override {
        if (form)
            form->SetEvents(nullptr);
    }
    void Open() {
        form = std::make_unique<TMainForm>(settings, host);
        form->SetElapsedClock([this] { return elapsed; });
        form->StartupCompleted();
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
    test::TRecordingOutside outside;
    test::TRecordingFormHost host;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TInputController> controller;
    qint64 elapsed = 1'000'000;
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
        if (bar) {
            EXPECT_TRUE(bar->isHidden()) << "two rows fit";
        }
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

TEST_F(ListWindow, CtrlEInTheLineListsTheFolderOfWhatItNames) {
    Open();
    const QString home = QDir::homePath();
    for (const QString& line : {home, home + "/no-such-file.txt"}) {
        form->SetLineText(line, true);
        QTest::keyClick(form->WordEdit(), Qt::Key_E, Qt::ControlModifier);
        // A folder, or the folder a file lies in, becomes the line with "/" and lists its contents.
        EXPECT_EQ(form->WordEdit()->text(), home + "/") << line.toStdString();
    }
    form->SetLineText("plain words", true);
    QTest::keyClick(form->WordEdit(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(form->WordEdit()->text(), "plain words");
}

TEST_F(ListWindow, MenuKeysWinOverTheLinesOwnEditingKeys) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        TFormCommand command;
    } cases[] = {
        {Qt::Key_Delete, Qt::ShiftModifier, TFormCommand::DeleteFromHistory}, // not "cut" in the line
        {Qt::Key_B, Qt::ControlModifier, TFormCommand::BrowseFiles},
        {Qt::Key_O, Qt::ControlModifier, TFormCommand::OpenKeyword},
        {Qt::Key_F5, Qt::ControlModifier, TFormCommand::ReloadSkin},
        {Qt::Key_F1, Qt::NoModifier, TFormCommand::Help},
        {Qt::Key_D, Qt::ControlModifier, TFormCommand::OpenFolder},
    };
    Open();
    // Shortcuts act in the active window only.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (const auto& c : cases) {
        form->SetLineText("notes", true);
        host.commands.clear();
        QTest::keyClick(form->WordEdit(), c.key, c.mods);
        ASSERT_EQ(host.commands.size(), 1u) << c.key;
        EXPECT_EQ(host.commands[0], c.command) << c.key;
        EXPECT_EQ(form->WordEdit()->text(), "notes") << c.key;
    }
}

TEST_F(ListWindow, TheTogglesShowTheSettingsAndAskForTheirChange) {
    settings.hide = true;
    settings.stayontop = false;
    settings.lockwindow = true;
    Open();
    TMainMenus& menus = *form->Menus();
    menus.SyncChecks();
    EXPECT_TRUE(menus.Toggle(0)->isChecked());
    EXPECT_FALSE(menus.Toggle(1)->isChecked());
    EXPECT_TRUE(menus.Toggle(2)->isChecked());
    settings.stayontop = true;
    emit menus.LineMenu()->aboutToShow();
    EXPECT_TRUE(menus.Toggle(1)->isChecked());
    menus.Toggle(2)->trigger();
    ASSERT_EQ(host.commands.size(), 1u);
    EXPECT_EQ(host.commands[0], TFormCommand::ToggleLockWindow);
}

TEST_F(ListWindow, LosingTheKeyboardHidesAsAutoHideAndTheListRulesSay) {
    const struct {
        bool hide, autodropdown, dropdown;
        bool windowStays, listStays;
    } cases[] = {
        {true, true, false, false, false},  // auto-hide: the window goes, and the list with it
        {false, true, false, true, true},   // a live list stays with the window
        {false, true, true, true, false},   // a drop-down list closes
        {false, false, false, true, false}, // a list opened by hand closes
    };
    for (const auto& c : cases) {
        settings.hide = c.hide;
        settings.autodropdown = c.autodropdown;
        settings.listbehaveslikedropdown = c.dropdown;
        Open();
        form->DisplayList({TListRow{"notes", "", "", "", false}}, false);
        elapsed += 1000;
        form->AppDeactivate();
        EXPECT_EQ(form->isVisible(), c.windowStays) << c.hide << c.autodropdown << c.dropdown;
        EXPECT_EQ(form->ListVisible(), c.listStays) << c.hide << c.autodropdown << c.dropdown;
    }
}

TEST_F(ListWindow, BecomingActiveBringsAHiddenWindowBackExceptRightAfterAHiddenStart) {
    form = std::make_unique<TMainForm>(settings, host);
    form->SetElapsedClock([this] { return elapsed; });
    form->ManageShowHide(false, false, TShowLock::Hotkey); // the start with "-s"
    form->AppActivate();
    EXPECT_FALSE(form->isVisible()) << "nothing before the start has completed";
    form->StartupCompleted();
    elapsed += 1000;
    form->AppActivate();
    EXPECT_FALSE(form->isVisible());
    form->AppActivate();
    EXPECT_TRUE(form->isVisible());
    // A visible window is left as it is, with what is typed in it.
    form->SetLineText("not", false);
    elapsed += 1000;
    form->AppActivate();
    EXPECT_EQ(form->WordEdit()->text(), "not");
}

TEST_F(ListWindow, StartAutoShowOpensTheListWithTheWindow) {
    for (const bool autoshow : {false, true}) {
        settings.startautoshow = autoshow;
        Open();
        EXPECT_EQ(form->ListVisible(), autoshow);
    }
}

} // namespace
} // namespace vantrelo
