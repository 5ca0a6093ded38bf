// On a real X server with a window manager: listing, describing, activating, placing and closing windows.
#include "platform/linux/procfs.h"
#include "platform/linux/runninginstances_linux.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xmouse.h"
#include "xtestclient.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

using namespace vantrelo;
using vantrelo::test::PollUntil;
using vantrelo::test::TClientOptions;
using vantrelo::test::TTestClient;

namespace {

class DesktopWindows : public ::testing::Test {
protected:
    void SetUp() override {
        QString error;
        desktop_ = TXDesktop::Open(QString(), &error);
        ASSERT_TRUE(desktop_) << error.toStdString();
    }

    // A client window, once the window manager lists it.
    std::unique_ptr<TTestClient> Client(TClientOptions o) {
        auto c = std::make_unique<TTestClient>(o);
        const quint64 id = c->Id();
        EXPECT_TRUE(PollUntil([&] {
            const std::vector<quint64> all = desktop_->ClientWindows();
            return std::find(all.begin(), all.end(), id) != all.end();
        })) << "the window manager never listed the window";
        return c;
    }

    TWindowFacts Facts(quint64 w) {
        TWindowFacts f;
        EXPECT_TRUE(desktop_->Describe(w, &f));
        return f;
    }

    bool Active(quint64 w) {
        return PollUntil([&] { return desktop_->ActiveWindow() == w; });
    }

    std::unique_ptr<TXDesktop> desktop_;
};

TEST_F(DesktopWindows, DescribesTitleClassAndProcess) {
    struct Case {
        QString title;
        bool latin1;
        qint64 pid;
    };
    const Case cases[] = {
        {QStringLiteral("Probe — ünïcode ✓"), false, 4242},
        {QStringLiteral("Latin-1 title: café"), true, 0},
    };
    for (const Case& k : cases) {
        auto c = Client({k.title, k.latin1, "probe-inst", "ProbeClass", k.pid});
        const TWindowFacts f = Facts(c->Id());
        EXPECT_EQ(f.title, k.title);
        EXPECT_EQ(f.instanceName, QStringLiteral("probe-inst"));
        EXPECT_EQ(f.className, QStringLiteral("ProbeClass"));
        EXPECT_EQ(f.pid, k.pid);
        EXPECT_FALSE(f.minimized);
        EXPECT_FALSE(f.owned);
        EXPECT_FALSE(f.toolWindow);
    }
}

TEST_F(DesktopWindows, GoneWindowsAreNotWindows) {
    quint64 id = 0;
    {
        auto c = Client({QStringLiteral("short-lived")});
        id = c->Id();
        EXPECT_TRUE(desktop_->IsWindow(id));
    }
    EXPECT_TRUE(PollUntil([&] { return !desktop_->IsWindow(id); }));
    TWindowFacts f;
    EXPECT_FALSE(desktop_->Describe(id, &f));
    EXPECT_FALSE(desktop_->Activate(id, 0));
    EXPECT_FALSE(desktop_->Close(id));
    EXPECT_TRUE(desktop_->FrameRect(id).isEmpty());
    EXPECT_FALSE(desktop_->IsWindow(0));
}

TEST_F(DesktopWindows, OwnWindowsAndWindowsOfAProcess) {
    auto own = Client({QStringLiteral("ours"), false, "a", "A", qint64(::getpid())});
    auto other = Client({QStringLiteral("theirs"), false, "b", "B", 777777});
    EXPECT_TRUE(desktop_->IsOwnWindow(own->Id()));
    EXPECT_FALSE(desktop_->IsOwnWindow(other->Id()));
    EXPECT_EQ(desktop_->WindowsOfProcess(777777), std::vector<quint64>{other->Id()});
    EXPECT_TRUE(desktop_->WindowsOfProcess(0).empty());

    ASSERT_TRUE(desktop_->Activate(own->Id(), 0));
    ASSERT_TRUE(Active(own->Id()));
    EXPECT_TRUE(desktop_->ProgramIsActive());
    ASSERT_TRUE(desktop_->Activate(other->Id(), 0));
    ASSERT_TRUE(Active(other->Id()));
    EXPECT_EQ(desktop_->ForegroundWindow(), other->Id());
    EXPECT_FALSE(desktop_->ProgramIsActive());
}

TEST_F(DesktopWindows, ActivatingAMinimisedWindowRestoresIt) {
    auto a = Client({QStringLiteral("first")});
    auto b = Client({QStringLiteral("second")});
    ASSERT_TRUE(desktop_->Minimize(b->Id()));
    ASSERT_TRUE(PollUntil([&] { return Facts(b->Id()).minimized; }));
    ASSERT_TRUE(desktop_->Activate(a->Id(), 0));
    ASSERT_TRUE(Active(a->Id()));
    ASSERT_TRUE(desktop_->Activate(b->Id(), 0));
    EXPECT_TRUE(Active(b->Id()));
    EXPECT_FALSE(Facts(b->Id()).minimized);
}

TEST_F(DesktopWindows, StateChanges) {
    auto c = Client({QStringLiteral("states")});
    const quint64 w = c->Id();
    using Check = bool (*)(const TWindowFacts&);
    struct Step {
        const char* what;
        std::function<bool()> act;
        Check holds;
    };
    const Step steps[] = {
        {"maximize", [&] { return desktop_->Maximize(w); }, [](const TWindowFacts& f) { return f.maximized; }},
        {"restore a maximised window", [&] { return desktop_->Restore(w); },
         [](const TWindowFacts& f) { return !f.maximized; }},
        {"toggle on", [&] { return desktop_->ToggleMaximized(w); }, [](const TWindowFacts& f) { return f.maximized; }},
        {"minimize", [&] { return desktop_->Minimize(w); }, [](const TWindowFacts& f) { return f.minimized; }},
        {"restore a minimised window keeps it maximised", [&] { return desktop_->Restore(w); },
         [](const TWindowFacts& f) { return !f.minimized && f.maximized; }},
        {"minimize again", [&] { return desktop_->Minimize(w); }, [](const TWindowFacts& f) { return f.minimized; }},
        {"show normal", [&] { return desktop_->ShowNormal(w); },
         [](const TWindowFacts& f) { return !f.minimized && !f.maximized; }},
        {"stay on top", [&] { return desktop_->SetStayOnTop(w, true); },
         [](const TWindowFacts& f) { return f.stayOnTop; }},
        {"no longer on top", [&] { return desktop_->SetStayOnTop(w, false); },
         [](const TWindowFacts& f) { return !f.stayOnTop; }},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(s.act()) << s.what;
        EXPECT_TRUE(PollUntil([&] { return s.holds(Facts(w)); })) << s.what;
    }
}

TEST_F(DesktopWindows, FramePlacementIsExact) {
    auto c = Client({QStringLiteral("placed")});
    const quint64 w = c->Id();
    // Placed once the window manager has framed it: before, the frame it will add is not known yet.
    ASSERT_TRUE(PollUntil([&] { return desktop_->FrameRect(w).size() != desktop_->ClientRect(w).size(); }));
    for (const QRect want : {QRect(100, 80, 400, 300), QRect(333, 222, 250, 180)}) {
        ASSERT_TRUE(desktop_->SetFrameRect(w, want));
        EXPECT_TRUE(PollUntil([&] { return desktop_->FrameRect(w) == want; }))
            << "frame is " << desktop_->FrameRect(w).x() << "," << desktop_->FrameRect(w).y() << " "
            << desktop_->FrameRect(w).width() << "x" << desktop_->FrameRect(w).height();
        const QRect client = desktop_->ClientRect(w);
        EXPECT_TRUE(want.contains(client)) << "the client area lies inside the frame";
    }
}

TEST_F(DesktopWindows, CloseAsksTheWindowPolitely) {
    auto c = Client({QStringLiteral("closing")});
    ASSERT_TRUE(desktop_->Close(c->Id()));
    const xcb_atom_t protocols = c->Atom("WM_PROTOCOLS");
    const xcb_atom_t del = c->Atom("WM_DELETE_WINDOW");
    EXPECT_TRUE(PollUntil([&] {
        c->Pump();
        for (size_t i = 0; i < c->clientMessageTypes.size(); ++i)
            if (c->clientMessageTypes[i] == protocols && c->clientMessageData0[i] == del)
                return true;
        return false;
    }));
    EXPECT_TRUE(desktop_->IsWindow(c->Id())) << "the window decides itself whether to close";
}

TEST_F(DesktopWindows, MinimizeAllAndUndo) {
    auto a = Client({QStringLiteral("one")});
    auto b = Client({QStringLiteral("two")});
    auto own = Client({QStringLiteral("our own"), false, "o", "O", qint64(::getpid())});
    desktop_->MinimizeAll();
    EXPECT_TRUE(PollUntil([&] { return Facts(a->Id()).minimized && Facts(b->Id()).minimized; }));
    EXPECT_FALSE(Facts(own->Id()).minimized);
    desktop_->UndoMinimizeAll();
    EXPECT_TRUE(PollUntil([&] { return !Facts(a->Id()).minimized && !Facts(b->Id()).minimized; }));
}

TEST_F(DesktopWindows, MonitorWorkAreaLiesInsideTheScreen) {
    const std::vector<TMonitor> monitors = desktop_->Monitors();
    ASSERT_EQ(monitors.size(), 1u);
    EXPECT_EQ(monitors[0].bounds, QRect(0, 0, 1280, 800));
    EXPECT_FALSE(monitors[0].workArea.isEmpty());
    EXPECT_TRUE(monitors[0].bounds.contains(monitors[0].workArea));
}

TEST_F(DesktopWindows, DialogsOfAWindowAreOwned) {
    auto main = Client({QStringLiteral("main")});
    auto dialog = Client({QStringLiteral("dialog"), false, "d", "D", 0, main->Id()});
    EXPECT_TRUE(Facts(dialog->Id()).owned);
    EXPECT_FALSE(Facts(main->Id()).owned);
}

} // namespace

TEST_F(DesktopWindows, ListOfOpenWindowsDescribesTheirProcesses) {
    // A readable process of another program; the program's own windows are never listed.
    QProcess sleeper;
    sleeper.start(QStandardPaths::findExecutable(QStringLiteral("sleep")), {QStringLiteral("60")});
    ASSERT_TRUE(sleeper.waitForStarted());
    const qint64 pid = sleeper.processId();
    auto main = Client({QStringLiteral("listed main"), false, "m", "M", pid});
    auto own = Client({QStringLiteral("own window"), false, "o", "O", qint64(::getpid())});
    auto dialog = Client({QStringLiteral("unlisted dialog"), false, "d", "D", 0, main->Id()});
    auto minimised = Client({QStringLiteral("listed minimised"), false, "n", "N", 999999});
    ASSERT_TRUE(desktop_->Minimize(minimised->Id()));
    ASSERT_TRUE(PollUntil([&] { return Facts(minimised->Id()).minimized; }));

    const std::vector<TTopWindow> list = desktop_->TopLevelWindows();
    auto find = [&](quint64 id) { return std::find_if(list.begin(), list.end(), [id](const TTopWindow& t) { return t.id == id; }); };
    ASSERT_NE(find(main->Id()), list.end());
    EXPECT_EQ(find(main->Id())->title, QStringLiteral("listed main"));
    const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath();
    EXPECT_EQ(find(main->Id())->extra, QStringLiteral("Process id: %1\r\nBaseName: %2\r\nFilename: %3")
                                           .arg(pid).arg(QFileInfo(exe).fileName(), exe));
    EXPECT_EQ(find(dialog->Id()), list.end());
    EXPECT_EQ(find(own->Id()), list.end());
    ASSERT_NE(find(minimised->Id()), list.end());
    EXPECT_EQ(find(minimised->Id())->extra, QStringLiteral("Process id: 999999")); // no such process to read
    sleeper.kill();
    sleeper.waitForFinished(5000);
}

TEST_F(DesktopWindows, SingleInstanceFindsTheProgramAndRaisesItsWindow) {
    QProcess child;
    const QString sleepPath = QFileInfo(QStandardPaths::findExecutable(QStringLiteral("sleep"))).canonicalFilePath();
    child.start(sleepPath, {QStringLiteral("30")});
    ASSERT_TRUE(child.waitForStarted(5000));
    // The window stands for one of that process: it names the process as its own.
    auto other = Client({QStringLiteral("elsewhere")});
    auto dialog = Client({QStringLiteral("its dialog"), false, "d", "D", child.processId(), other->Id()});
    auto main = Client({QStringLiteral("its window"), false, "s", "S", child.processId()});
    ASSERT_TRUE(desktop_->Minimize(main->Id()));
    ASSERT_TRUE(PollUntil([&] { return Facts(main->Id()).minimized; }));
    ASSERT_TRUE(desktop_->Activate(other->Id(), 0));
    ASSERT_TRUE(Active(other->Id()));

    TProcFsProcessList processes;
    TLinuxRunningInstances instances(processes, *desktop_);
    struct Case {
        QString program;
        bool fullPath;
        bool running;
    };
    const Case cases[] = {
        {QStringLiteral("vantrelo-not-running"), false, false},
        {QStringLiteral("/nowhere/sleep"), true, false},
        {QStringLiteral("/nowhere/SLEEP"), false, true}, // the file name alone counts
        {sleepPath, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(instances.ActivateRunning(c.program, c.fullPath), c.running) << c.program.toStdString();
        if (c.running) {
            EXPECT_TRUE(Active(main->Id())) << "the main window, not its dialog";
            EXPECT_FALSE(Facts(main->Id()).minimized);
            ASSERT_TRUE(desktop_->Activate(other->Id(), 0));
            ASSERT_TRUE(Active(other->Id()));
        }
    }
    child.kill();
    child.waitForFinished(5000);
}

TEST_F(DesktopWindows, MouseMovesClicksAndReadsPixels) {
    QString error;
    std::unique_ptr<TXMouse> mouse = TXMouse::Open(QString(), &error);
    ASSERT_TRUE(mouse) << error.toStdString();
    auto c = Client({QStringLiteral("clicked")});
    ASSERT_TRUE(desktop_->SetFrameRect(c->Id(), QRect(100, 100, 300, 200)));
    ASSERT_TRUE(PollUntil([&] { return desktop_->FrameRect(c->Id()) == QRect(100, 100, 300, 200); }));
    const QPoint inside = desktop_->ClientRect(c->Id()).center();
    ASSERT_TRUE(mouse->SetCursorPos(inside));
    EXPECT_EQ(mouse->CursorPos(), inside);
    for (TMouseButton b : {TMouseButton::Left, TMouseButton::Right}) {
        mouse->ButtonDown(b);
        mouse->ButtonUp(b);
    }
    EXPECT_TRUE(PollUntil([&] {
        c->Pump();
        return c->buttons == std::vector<int>{1, 3};
    }));
    quint32 rgb = 0;
    EXPECT_TRUE(PollUntil([&] { return mouse->PixelColor(inside, &rgb) && rgb == 0xffffffu; })) << std::hex << rgb;
    EXPECT_FALSE(mouse->PixelColor(QPoint(-1, 5), &rgb));
    EXPECT_FALSE(mouse->PixelColor(QPoint(1280, 5), &rgb));
}
