// The whole launcher on a real X server: window and mouse commands typed into its line act on the window it came up over.
#include "app/application.h"
#include "commands/windowhost.h"
#include "core/keywordlist.h"
#include "core/settingsstore.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xmouse.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"
#include "ui/notesform.h"
#include "ui/wordedit.h"
#include "../platform/xtestclient.h"

#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QDir>
#include <QInputDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>

namespace vantrelo {
namespace {

bool Until(const std::function<bool()>& done, int ms = 5000) { return test::Until(done, ms); }

class DesktopProgram : public ::testing::Test {
protected:
    void SetUp() override {
        test::WidgetApp();
        data = dir.File("config/Vantrelo/");
        ASSERT_TRUE(QDir().mkpath(data));
        QString error;
        x = TXDesktop::Open(QString(), &error);
        ASSERT_TRUE(x) << error.toStdString();
        mouse = TXMouse::Open(QString(), &error);
        ASSERT_TRUE(mouse) << error.toStdString();
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.File("config").toUtf8());
    }
    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        qputenv("XDG_CONFIG_HOME", saved);
    }

    // A window of the test's own, active when the launcher starts over it.
    std::unique_ptr<test::TTestClient> Target() {
        auto c = std::make_unique<test::TTestClient>(
            test::TClientOptions{QStringLiteral("Target probe"), false, "probe", "TargetProbe", 4242});
        const quint64 id = c->Id();
        EXPECT_TRUE(Until([&] { return x->IsWindow(id) && x->Activate(id, 0) && x->ActiveWindow() == id; }));
        return c;
    }

    void Start(const std::function<void(TSettings&)>& adjust = {}) {
        TSettingsStore store(Places());
        TUserData user;
        user.settings.hide = false;
        if (adjust)
            adjust(user.settings);
        for (const auto& [name, command] :
             {std::pair{"zres", "$WRESIZE$"}, std::pair{"zmax", "$WMAXIMIZE$"}, std::pair{"zmouse", "$SETMOUSEPOS"},
              std::pair{"zinfo", "$WINFO$"}, std::pair{"zapps", "$APPS$"}, std::pair{"zwv", "$WVANTRELO$"},
              std::pair{"znotes", "$NOTES$"}, std::pair{"zcopynotes", "$COPYTONOTES$"}})
            user.keywords.Add(MakeNewKeyword(QString::fromLatin1(name), QString::fromLatin1(command), QString()));
        ASSERT_TRUE(store.WriteSettings(user));
        app = std::make_unique<TApplication>(Places(), QStringList{});
        ASSERT_EQ(app->Start(), -1);
    }

    TPlaces Places() const {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        return places;
    }

    void Run(const QString& line) {
        TWordEdit* edit = app->Form()->WordEdit();
        edit->clear();
        QTest::keyClicks(edit, line);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    // A probe window in a process of its own; with `selected`, a line edit holding that text selected.
    quint64 Probe(QProcess& probe, const QString& title, const QString& selected = QString()) {
        probe.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        probe.setProcessEnvironment(env);
        QStringList args{title};
        if (!selected.isEmpty())
            args << selected;
        probe.start(QStringLiteral(WINDOW_PROBE), args);
        if (!probe.waitForStarted())
            return 0;
        quint64 w = 0;
        Until([&] {
            for (const TTopWindow& t : x->TopLevelWindows())
                if (t.title == title)
                    w = t.id;
            return w != 0;
        });
        return w;
    }

    // The X server's active window becomes `w`.
    bool Activate(quint64 w) {
        return Until([&] { return x->Activate(w, 0) && x->ActiveWindow() == w; });
    }

    test::TempDir dir;
    QString data;
    QByteArray saved;
    std::unique_ptr<TXDesktop> x;
    std::unique_ptr<TXMouse> mouse;
    std::unique_ptr<TApplication> app;
};

TEST_F(DesktopProgram, CommandsActOnTheWindowTheLauncherCameUpOver) {
    auto target = Target();
    const quint64 w = target->Id();
    Start();
    Run(QStringLiteral("zres 300x200"));
    EXPECT_TRUE(Until([&] { return x->ClientRect(w).size() == QSize(300, 200); }));
    Run(QStringLiteral("zmax"));
    EXPECT_TRUE(Until([&] {
        TWindowFacts f;
        return x->Describe(w, &f) && f.maximized;
    }));
    Run(QStringLiteral("zmouse 33,44"));
    EXPECT_TRUE(Until([&] { return mouse->CursorPos() == QPoint(33, 44); }));
    Run(QStringLiteral("zinfo"));
    EXPECT_TRUE(Until([&] { return app->Form()->CmdForm()->TextPanelVisible(); }));
}

// Opens the menu of the Applications list's row titled `title` with F9 and chooses `entry`.
testing::AssertionResult ChooseFromWindowRow(TMainForm& form, const QString& title, const QString& entry) {
    TCmdForm* list = form.CmdForm();
    auto listed = [list, &title] {
        for (int i = 0; i < list->RowCount(); ++i)
            if (list->Row(i).text == title)
                return true;
        return false;
    };
    // The list of the last round goes first, so that the row chosen is the one built for this line.
    QTest::keyClick(form.WordEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form.WordEdit(), Qt::Key_Backspace);
    if (!Until([&] { return !listed(); }))
        return testing::AssertionFailure() << "the list of the last round stays";
    QTest::keyClicks(form.WordEdit(), QStringLiteral("zapps ") + title);
    int row = -1;
    if (!Until([&] {
            for (int i = 0; i < list->RowCount() && row < 0; ++i)
                if (list->Row(i).text == title)
                    row = i;
            return row >= 0;
        })) {
        QStringList rows;
        for (int i = 0; i < list->RowCount(); ++i)
            rows << list->Row(i).text;
        return testing::AssertionFailure()
               << "no row " << title.toStdString() << " in " << rows.join('|').toStdString() << " line "
               << form.WordEdit()->text().toStdString() << " visible " << form.isVisible() << list->isVisible();
    }
    // A right click on the row, as the user would open its menu.
    TEntryList* entries = list->EntryList();
    const QPoint at(entries->width() / 2, row * entries->RowHeight() + entries->RowHeight() / 2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, entries->mapToGlobal(at));
    QCoreApplication::sendEvent(entries, &click);
    if (list->Selected() != row)
        return testing::AssertionFailure() << "row " << row << " not selected: " << list->Selected();
    QAction* chosen = nullptr;
    Until([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible())
                for (QAction* a : menu->actions())
                    if (a->text() == entry)
                        chosen = a;
        return chosen != nullptr;
    });
    if (!chosen) {
        QStringList seen;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible())
                for (QAction* a : menu->actions())
                    seen << a->text();
        return testing::AssertionFailure()
               << "no menu entry " << entry.toStdString() << " in " << seen.join('|').toStdString() << " selected "
               << form.CmdForm()->Selected() << " line " << form.WordEdit()->text().toStdString();
    }
    chosen->trigger();
    return testing::AssertionSuccess();
}

TEST_F(DesktopProgram, TheWindowRowsMenuArrangesAndEndsThatWindow) {
    QProcess probe;
    probe.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(WINDOW_PROBE), {QStringLiteral("Row probe")});
    ASSERT_TRUE(probe.waitForStarted());
    quint64 w = 0;
    ASSERT_TRUE(Until([&] {
        for (const TTopWindow& t : x->TopLevelWindows())
            if (t.title == QStringLiteral("Row probe"))
                w = t.id;
        return w != 0;
    }));
    Start();
    TMainForm& form = *app->Form();
    const QRect area = x->Monitors().front().workArea;

    ASSERT_TRUE(ChooseFromWindowRow(form, QStringLiteral("Row probe"), QStringLiteral("Maximize Width")));
    EXPECT_TRUE(Until([&] { return x->FrameRect(w).width() == area.width(); })) << x->FrameRect(w).width();

    // "Resize to Specific Size" asks for the size, then places the window as told.
    ASSERT_TRUE(ChooseFromWindowRow(form, QStringLiteral("Row probe"), QStringLiteral("Resize to Specific Size")));
    QInputDialog* ask = nullptr;
    ASSERT_TRUE(Until([&] { return (ask = form.findChild<QInputDialog*>()) != nullptr && ask->isVisible(); }));
    ask->setTextValue(QStringLiteral("300x200,40,50"));
    ask->accept();
    // The input window gets the keyboard back (and clears the list's mark) once the question has gone.
    Until([&] { return QApplication::activeWindow() == &form; });
    EXPECT_TRUE(Until([&] {
        return x->FrameRect(w).topLeft() == QPoint(40, 50) && x->ClientRect(w).size() == QSize(300, 200);
    })) << x->FrameRect(w).x()
        << "," << x->FrameRect(w).y() << " " << x->ClientRect(w).width() << "x" << x->ClientRect(w).height();

    ASSERT_TRUE(ChooseFromWindowRow(form, QStringLiteral("Row probe"), QStringLiteral("Center")));
    EXPECT_TRUE(Until([&] { return qAbs(x->FrameRect(w).center().x() - area.center().x()) <= 1; }))
        << x->FrameRect(w).x() << " in " << area.width();

    ASSERT_TRUE(ChooseFromWindowRow(form, QStringLiteral("Row probe"), QStringLiteral("Kill Process (Shift-Del)")));
    EXPECT_TRUE(probe.waitForFinished(5000));
}

TEST_F(DesktopProgram, ArrangingTheInputWindowSizesAndPlacesItAndIsRemembered) {
    auto target = Target();
    Start();
    TMainForm& form = *app->Form();
    Run(QStringLiteral("zwv 620x160,30,40"));
    EXPECT_TRUE(Until([&] { return form.width() == 620 && x->FrameRect(form.winId()).topLeft() == QPoint(30, 40); }))
        << form.width() << " " << x->FrameRect(form.winId()).x() << "," << x->FrameRect(form.winId()).y();
    // Without an arrangement it answers the geometry: width, list height, left, top, monitor.
    Run(QStringLiteral("zwv"));
    EXPECT_TRUE(Until([&] { return form.Line().text.startsWith(QStringLiteral("620,")); }))
        << form.Line().text.toStdString();
    app->Shutdown();
    app.reset();
    app = std::make_unique<TApplication>(Places(), QStringList{});
    ASSERT_EQ(app->Start(), -1);
    EXPECT_EQ(app->Form()->width(), 620);
}

TEST_F(DesktopProgram, AClosedTargetIsReportedNotActedOn) {
    auto target = Target();
    const quint64 w = target->Id();
    Start();
    target.reset();
    ASSERT_TRUE(Until([&] { return !x->IsWindow(w); }));
    Run(QStringLiteral("zmax"));
    EXPECT_TRUE(Until([&] { return app->Form()->ToastText() == QStringLiteral("Previous window is gone"); }))
        << app->Form()->ToastText().toStdString();
}

TEST_F(DesktopProgram, SummonedWhileNoWindowIsActiveCommandsActOnNoEarlierWindow) {
    auto target = Target();
    const quint64 w = target->Id();
    Start();
    // Hidden as the user would send it away (a hide just after the show is held back for a moment).
    ASSERT_TRUE(Until([&] {
        app->Form()->ManageShowHide(false, false, TShowLock::Summon);
        return !app->Form()->isVisible();
    }));
    // The desktop says no X window is active, as an XWayland desktop does while one of its Wayland
    // programs has the keyboard (jwm itself always keeps one active).
    ASSERT_EQ(QProcess::execute("xprop", {"-root", "-format", "_NET_ACTIVE_WINDOW", "32x", "-set",
                                          "_NET_ACTIVE_WINDOW", "0"}),
              0);
    ASSERT_TRUE(Until([&] { return x->ActiveWindow() == 0; }));
    app->Form()->ManageShowHide(true, false, TShowLock::Summon);
    Run(QStringLiteral("zmax"));
    EXPECT_TRUE(Until([&] { return app->Form()->ToastText() == QString::fromLatin1(kNoPreviousWindow); }))
        << app->Form()->ToastText().toStdString();
    TWindowFacts f;
    ASSERT_TRUE(x->Describe(w, &f));
    EXPECT_FALSE(f.maximized);
}

// Runs xdotool with `args` to its end while the launcher's events keep running.
bool XDoTool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForStarted() && Until([&] { return p.state() == QProcess::NotRunning; }) && p.exitCode() == 0;
}

TNotesForm* NotesWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* n = qobject_cast<TNotesForm*>(w))
            return n;
    return nullptr;
}

TEST_F(DesktopProgram, AClickIntoTheNotesKeepsTheKeyboardThereAndTheInputWindowHidden) {
    auto target = Target();
    Start([](TSettings& s) { s.hide = true; });
    TMainForm& form = *app->Form();
    Run(QStringLiteral("znotes"));
    TNotesForm* notes = nullptr;
    ASSERT_TRUE(Until([&] { return (notes = NotesWindow()) && notes->isVisible(); }));
    // Another program takes the keyboard (again, should the notes' own activation come later): the
    // input window goes, the notes stay open behind it.
    ASSERT_TRUE(Until([&] {
        if (x->ActiveWindow() != target->Id())
            x->Activate(target->Id(), 0);
        return x->ActiveWindow() == target->Id() && QGuiApplication::applicationState() != Qt::ApplicationActive &&
               !form.isVisible();
    }))
        << "state " << QGuiApplication::applicationState() << " visible " << form.isVisible() << " active "
        << x->ActiveWindow() << " target " << target->Id();

    // A real click into the notes text.
    const QPoint at = notes->Memo()->mapToGlobal(notes->Memo()->rect().center());
    ASSERT_TRUE(mouse->SetCursorPos(at));
    ASSERT_TRUE(mouse->ButtonDown(TMouseButton::Left));
    ASSERT_TRUE(mouse->ButtonUp(TMouseButton::Left));
    ASSERT_TRUE(Until([&] { return x->ActiveWindow() == notes->winId(); })) << x->ActiveWindow();
    Until([] { return false; }, 400); // time for a wrong show to happen
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(XDoTool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), QStringLiteral("typed")}));
    EXPECT_TRUE(Until([&] { return notes->Text().contains(QStringLiteral("typed")); })) << notes->Text().toStdString();
    EXPECT_FALSE(form.WordEdit()->text().contains(QStringLiteral("typed")));
    EXPECT_FALSE(form.isVisible());
    notes->close();
}

TEST_F(DesktopProgram, CopyToNotesTakesTheSelectionOfTheWindowTheUserCameFrom) {
    QProcess probe;
    const quint64 source = Probe(probe, QStringLiteral("Copy source"), QStringLiteral("selected words"));
    ASSERT_NE(source, 0u);
    ASSERT_TRUE(Activate(source));
    QGuiApplication::clipboard()->setText(QStringLiteral("older clipboard"));
    Start();
    TMainForm& form = *app->Form();
    // The user summons the launcher over the window with the selection. On a loaded machine the
    // other program may answer the copy later than the command waits; the run then says so and
    // changes nothing, and the user runs it again: so does the test, at most three times.
    bool noted = false;
    for (int attempt = 0; attempt < 3 && !noted; ++attempt) {
        ASSERT_TRUE(Activate(source));
        Until([] { return false; }, 300);
        form.ShowWindow(true, false, TShowLock::Hotkey);
        ASSERT_TRUE(Until([&] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }));
        Run(QStringLiteral("zcopynotes"));
        noted = Until([&] { return test::ReadAll(data + "notes.txt").contains("selected words"); });
        if (!noted)
            EXPECT_EQ(form.ToastText(), QStringLiteral("No selected text to add to the notes"));
        EXPECT_FALSE(test::ReadAll(data + "notes.txt").contains("zcopynotes"));
    }
    EXPECT_TRUE(noted) << test::ReadAll(data + "notes.txt").toStdString() << " toast " << form.ToastText().toStdString()
                       << " clipboard " << QGuiApplication::clipboard()->text().toStdString();
    probe.kill();
    probe.waitForFinished();

    // A window with nothing selected: said, the clipboard kept, the notes unchanged.
    auto plain = Target();
    QGuiApplication::clipboard()->setText(QStringLiteral("kept clipboard"));
    Until([] { return false; }, 300); // the clipboard's own change notices are in
    form.ShowWindow(true, false, TShowLock::Hotkey);
    ASSERT_TRUE(Until([&] { return form.isVisible() && QGuiApplication::applicationState() == Qt::ApplicationActive; }));
    Run(QStringLiteral("zcopynotes"));
    EXPECT_TRUE(Until([&] { return form.ToastText() == QStringLiteral("No selected text to add to the notes"); }))
        << form.ToastText().toStdString();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept clipboard"));
    EXPECT_FALSE(test::ReadAll(data + "notes.txt").contains("zcopynotes"));
    EXPECT_FALSE(test::ReadAll(data + "notes.txt").contains("kept clipboard"));
}

} // namespace
} // namespace vantrelo
