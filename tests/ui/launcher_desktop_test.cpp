// The real launcher on a private X server: hotkeys, the Windows key, typing, the list window, Enter and the stop.
#include "core/settingsstore.h"
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <functional>

#include <poll.h>
#include <unistd.h>

namespace vantrelo {
namespace {

// Runs a tool of the X side (xdotool) and gives its output; empty on failure.
QString Tool(const QStringList& args, int timeoutMs = 5000) {
    QProcess p;
    p.start(args.first(), args.mid(1));
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        return {};
    }
    return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()).trimmed() : QString();
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        QThread::msleep(100);
    }
    return done();
}

bool VisibleWindow(const QString& name) {
    return !Tool({"xdotool", "search", "--onlyvisible", "--name", name}).isEmpty();
}

// A second start hands `input` to the running launcher, which runs it as typed, leaving the window
// alone. It runs only after the launcher's own start and after what came before it, so what it
// leaves behind marks a moment by which anything earlier has happened.
bool HandOver(const QProcess& launcher, const QString& runtime, const QString& input) {
    // The second start must find the first listening, not become the first itself.
    if (!WaitFor([&runtime] { return QFile::exists(runtime + "vantrelo.socket"); }, 20000))
        return false;
    QProcess second;
    second.setProcessEnvironment(launcher.processEnvironment());
    second.start(VANTRELO_EXE, {"-r", input});
    return second.waitForFinished(15000) && second.exitCode() == 0;
}

class LauncherDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        config = dir.Path() + "config/";
        data = config + "Vantrelo/";
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(dir.Path() + "runtime"));
        QFile::setPermissions(dir.Path() + "runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        marker = dir.File("ran.txt");
        script = dir.File("record.sh");
        test::WriteAll(script, ("#!/bin/sh\necho \"ran $*\" > '" + marker + "'\n").toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        ASSERT_TRUE(WriteData());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", config);
        env.insert("XDG_DATA_HOME", dir.Path() + "share");
        env.insert("XDG_RUNTIME_DIR", dir.Path() + "runtime");
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("XDG_CURRENT_DESKTOP");
        // The session bus library keeps a buffer to the end; that is its leak, not the launcher's.
        const QString suppressions = dir.File("lsan.supp");
        test::WriteAll(suppressions, "leak:libdbus-1.so\n");
        env.insert("LSAN_OPTIONS", "suppressions=" + suppressions);
        launcher.setProcessEnvironment(env);
        launcher.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    void TearDown() override {
        if (launcher.state() != QProcess::NotRunning) {
            launcher.kill();
            launcher.waitForFinished(5000);
        }
    }

    // The data folder's vantrelo.ini: the recording keyword "zrec", `startup`, and what `edit` adds.
    bool WriteData(const std::function<void(TUserData&)>& edit = {}) {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        TSettingsStore store(places);
        TUserData user;
        user.keywords.Add(MakeNewKeyword("zrec", script, QString()));
        user.settings.startup = startup;
        if (edit)
            edit(user);
        return bool(store.WriteSettings(user));
    }

    // Stops the program as a log-out would and gives the settings file it wrote.
    QString StopAndReadSettings() {
        ::kill(pid_t(launcher.processId()), SIGTERM);
        if (!launcher.waitForFinished(30000))
            return {};
        return QString::fromUtf8(test::ReadAll(data + "vantrelo.ini"));
    }

    test::TempDir dir;
    QString config, data, marker, script;
    QString startup; // the "startup" setting written before the start
    QProcess launcher;
};

class LauncherStartupDesktop : public LauncherDesktop {
protected:
    void SetUp() override {
        startup = "zrec from-startup";
        LauncherDesktop::SetUp();
    }
};

TEST_F(LauncherDesktop, HotkeyTypeListEnterRunsTheKeywordAndTheStopSavesTheHistory) {
    // Started hidden: only the hotkey brings the window.
    launcher.start(VANTRELO_EXE, {"-s"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(HandOver(launcher, dir.Path() + "runtime/", "zrec started"));
    ASSERT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 15000)) << "the handed-over run did not run";
    EXPECT_FALSE(VisibleWindow("^Vantrelo$"));
    QFile::remove(marker);

    // The hotkey is grabbed once the program has started: send it until the window is there.
    const bool shown = WaitFor(
        [] {
            Tool({"xdotool", "key", "super+shift+z"});
            return WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 700);
        },
        30000);
    ASSERT_TRUE(shown) << "the hotkey did not bring the input window";
    const QString active = Tool({"xdotool", "getactivewindow", "getwindowname"});
    EXPECT_EQ(active, "Vantrelo") << "the input window did not get the keyboard";

    Tool({"xdotool", "type", "--delay", "60", "zrec"});
    EXPECT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo list$"); }, 10000)) << "no list window for the keyword";

    Tool({"xdotool", "key", "Return"});
    ASSERT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 15000)) << "the keyword's command did not run";
    EXPECT_EQ(test::ReadAll(marker).trimmed(), QByteArray("ran"));
    // With auto-hide the window goes after a successful command.
    EXPECT_TRUE(WaitFor([] { return !VisibleWindow("^Vantrelo$"); }, 5000));

    // A second start hands over to the running program, which shows its window, and ends.
    QProcess second;
    second.setProcessEnvironment(launcher.processEnvironment());
    second.start(VANTRELO_EXE, {});
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(launcher.state(), QProcess::Running);
    EXPECT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 5000)) << "the second start did not raise the window";

    // The first Esc clears the selected line, the second hides; summoned again, keys typed at
    // once are not lost.
    // The desktop hands over the keyboard a moment after the window shows.
    EXPECT_TRUE(WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo"; }, 5000))
        << "the raised window did not get the keyboard";
    Tool({"xdotool", "key", "--delay", "150", "Escape", "Escape"});
    ASSERT_TRUE(WaitFor([] { return !VisibleWindow("^Vantrelo$"); }, 5000));
    QThread::msleep(400); // past the hotkey's debounce
    QFile::remove(marker);
    Tool({"xdotool", "key", "super+shift+z"});
    Tool({"xdotool", "type", "--delay", "20", "zrec"});
    Tool({"xdotool", "key", "Return"});
    EXPECT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 15000)) << "keys typed right after the hotkey were lost";

    // The orderly stop on SIGTERM writes the settings with the history.
    ::kill(pid_t(launcher.processId()), SIGTERM);
    ASSERT_TRUE(launcher.waitForFinished(30000));
    EXPECT_EQ(launcher.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(launcher.exitCode(), 0);
    const QString ini = QString::fromUtf8(test::ReadAll(data + "vantrelo.ini"));
    EXPECT_TRUE(ini.contains("zrec"));
    EXPECT_TRUE(ini.contains("shutdowns=1")) << ini.left(2000).toStdString();
}

TEST_F(LauncherDesktop, AskedForItSaysHowLongTheWindowTookToAppearAfterTheHotkey) {
    QProcessEnvironment env = launcher.processEnvironment();
    env.insert("VANTRELO_SHOW_LATENCY", "1");
    launcher.setProcessEnvironment(env);
    launcher.setProcessChannelMode(QProcess::SeparateChannels);
    launcher.start(VANTRELO_EXE, {"-s"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    const bool shown = WaitFor(
        [] {
            Tool({"xdotool", "key", "super+shift+z"});
            return WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 700);
        },
        30000);
    ASSERT_TRUE(shown) << "the hotkey did not bring the input window";
    QString said;
    const QRegularExpression line("Vantrelo: shown (\\d+) ms after the hotkey");
    EXPECT_TRUE(WaitFor(
        [&] {
            launcher.waitForReadyRead(100);
            said += QString::fromUtf8(launcher.readAllStandardError());
            return line.match(said).hasMatch();
        },
        10000))
        << said.toStdString();
}

TEST_F(LauncherDesktop, AKeywordAddedInTheEditorRunsByItsHotkeyAndDashKOpensTheEditor) {
    // The input window stays when the dialog takes the focus, so it can be activated again.
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.hide = false; }));
    launcher.start(VANTRELO_EXE, {});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 20000));

    // "Add Keyword..." (Ctrl+Alt+K) in the input window: a new keyword with a hotkey, then OK.
    const bool active = WaitFor(
        [] {
            if (Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo")
                return true;
            Tool({"xdotool", "search", "--onlyvisible", "--name", "^Vantrelo$", "windowactivate"});
            return WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo"; }, 700);
        },
        15000);
    ASSERT_TRUE(active) << "the input window did not take the keyboard";
    Tool({"xdotool", "key", "ctrl+alt+k"});
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo Settings$"); }, 10000)) << "Ctrl+Alt+K did not open the editor";
    ASSERT_TRUE(WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo Settings"; }, 5000));
    Tool({"xdotool", "type", "--delay", "40", "zhot"});
    Tool({"xdotool", "key", "--delay", "80", "Tab", "Tab"});
    Tool({"xdotool", "type", "--delay", "20", script});
    Tool({"xdotool", "key", "--delay", "80", "Tab", "Tab", "Tab", "Tab"}); // to the hotkey field
    Tool({"xdotool", "key", "ctrl+alt+y"});
    Tool({"xdotool", "key", "--delay", "80", "Tab", "Tab", "alt+o"}); // off the field, then OK by its mnemonic
    ASSERT_TRUE(WaitFor([] { return !VisibleWindow("^Vantrelo Settings$"); }, 10000)) << "OK did not close the dialog";
    ASSERT_TRUE(WaitFor([this] { return test::ReadAll(data + "vantrelo.ini").contains("keywords=zhot"); }, 10000));

    // "-k" handed to the running launcher opens the dialog on its keyword page; Esc closes it.
    ASSERT_TRUE(HandOver(launcher, dir.Path() + "runtime/", "-k"));
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo Settings$"); }, 15000)) << "-k did not open the editor";
    EXPECT_TRUE(WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo Settings"; }, 5000));
    Tool({"xdotool", "key", "Escape"});
    ASSERT_TRUE(WaitFor([] { return !VisibleWindow("^Vantrelo Settings$"); }, 5000));

    QFile::remove(marker);
    Tool({"xdotool", "key", "ctrl+alt+y"});
    EXPECT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 15000)) << "the new keyword's hotkey did not run it";
    const QString ini = StopAndReadSettings();
    EXPECT_TRUE(ini.contains("key=89")) << ini.left(3000).toStdString();
    EXPECT_TRUE(ini.contains("keymod=3"));
}

TEST_F(LauncherStartupDesktop, StartupKeywordsRunExceptInSafeMode) {
    launcher.start(VANTRELO_EXE, {"-safemode"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 20000)) << "safe mode shows the window";
    // Once a run handed over after the start has run, a start-up keyword would have run too.
    const QString after = dir.File("after.txt");
    const QString afterScript = dir.File("after.sh");
    test::WriteAll(afterScript, ("#!/bin/sh\ntouch '" + after + "'\n").toUtf8());
    QFile::setPermissions(afterScript, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(HandOver(launcher, dir.Path() + "runtime/", afterScript));
    ASSERT_TRUE(WaitFor([&after] { return QFile::exists(after); }, 20000)) << "the handed-over run did not run";
    EXPECT_FALSE(QFile::exists(marker)) << "safe mode ran a start-up keyword";
    // Safe mode's overrides are never written back.
    const QString safeIni = StopAndReadSettings();
    EXPECT_TRUE(safeIni.contains("zrec from-startup"));

    launcher.start(VANTRELO_EXE, {"-s"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 20000)) << "the start-up keyword did not run";
    EXPECT_EQ(test::ReadAll(marker).trimmed(), QByteArray("ran from-startup"));
    const QString ini = StopAndReadSettings();
    EXPECT_TRUE(ini.contains("shutdowns=2")) << ini.left(2000).toStdString();
}

TEST_F(LauncherDesktop, AFileOnTheCommandLineOpensTheEditorOnAKeywordThatOkAdds) {
    const QString file = dir.File("Quarterly Report.txt");
    test::WriteAll(file, "numbers\n");
    launcher.start(VANTRELO_EXE, {file});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    // The keyword editor opens on the proposed keyword; Enter in its name stays in the editor, OK takes it.
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo Settings$"); }, 20000));
    ASSERT_TRUE(
        WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo Settings"; }, 5000));
    Tool({"xdotool", "key", "Return"});
    QThread::msleep(500);
    EXPECT_TRUE(VisibleWindow("^Vantrelo Settings$")) << "Enter in the keyword's name closed the dialog";
    Tool({"xdotool", "key", "alt+o"});
    EXPECT_TRUE(WaitFor([this] { return test::ReadAll(data + "vantrelo.ini").contains("quarterlyreport"); }, 15000));
    const QString ini = StopAndReadSettings();
    EXPECT_TRUE(ini.contains("quarterlyreport")) << ini.left(3000).toStdString();
    EXPECT_TRUE(ini.contains(file)) << ini.left(3000).toStdString();
}

TEST_F(LauncherDesktop, AKeywordsHotkeyRunsItAndALoneWindowsKeySummonsInModeThree) {
    // The keyword gets Ctrl+Alt+T, and the Windows key alone opens the window (hookwin 3).
    ASSERT_TRUE(WriteData([](TUserData& user) {
        TExeWord* word = user.keywords.FindKeyword("zrec", false);
        word->key = 'T';
        word->keymod = 3;
        user.settings.hookwin = 3;
    }));

    launcher.start(VANTRELO_EXE, {"-s"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    // Sent until the program has grabbed it.
    const bool ran = WaitFor(
        [this] {
            Tool({"xdotool", "key", "ctrl+alt+t"});
            return WaitFor([this] { return QFile::exists(marker); }, 700);
        },
        30000);
    ASSERT_TRUE(ran) << "the keyword's hotkey did not run its command";
    EXPECT_EQ(test::ReadAll(marker).trimmed(), QByteArray("ran"));
    QFile::remove(marker);
    ASSERT_TRUE(HandOver(launcher, dir.Path() + "runtime/", "zrec after"));
    ASSERT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 15000)) << "the handed-over run did not run";
    EXPECT_FALSE(VisibleWindow("^Vantrelo$")) << "a program keyword's hotkey showed the window";

    const bool shown = WaitFor(
        [] {
            Tool({"xdotool", "key", "super"});
            return WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 700);
        },
        10000);
    EXPECT_TRUE(shown) << "a lone Windows key did not summon the window";

    // The hook and the hotkeys are let go in the orderly stop.
    const QString ini = StopAndReadSettings();
    EXPECT_EQ(launcher.exitCode(), 0);
    EXPECT_TRUE(ini.contains("hookwin=3")) << ini.left(2000).toStdString();
}

TEST_F(LauncherDesktop, WinROpensTheWindowInModeNine) {
    ASSERT_TRUE(WriteData([](TUserData& user) { user.settings.hookwin = 9; }));

    launcher.start(VANTRELO_EXE, {"-s"});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    const bool shown = WaitFor(
        [] {
            Tool({"xdotool", "key", "super+r"});
            return WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 700);
        },
        30000);
    EXPECT_TRUE(shown) << "Win+R did not summon the window";
    StopAndReadSettings();
    EXPECT_EQ(launcher.exitCode(), 0);
}

TEST_F(LauncherDesktop, ShiftDelDeletesTheLineFromTheHistoryAndNoAltTabKeepsTheWindowOffTheTaskBar) {
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.history.AddToHistory("zrec forget-me", nullptr, false, false);
        user.history.AddToHistory("zrec keep-me", nullptr, false, false);
        user.settings.noalttab = true;
    }));
    launcher.start(VANTRELO_EXE, {});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 20000));
    ASSERT_TRUE(WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo"; }, 5000));
    const QString window = Tool({"xdotool", "search", "--onlyvisible", "--name", "^Vantrelo$"}).split('\n').first();
    EXPECT_TRUE(WaitFor(
        [&window] {
            const QString state = Tool({"xprop", "-id", window, "_NET_WM_STATE"});
            return state.contains("_NET_WM_STATE_SKIP_TASKBAR") && state.contains("_NET_WM_STATE_SKIP_PAGER");
        },
        5000))
        << Tool({"xprop", "-id", window, "_NET_WM_STATE"}).toStdString();

    Tool({"xdotool", "type", "--delay", "40", "zrec forget-me"});
    Tool({"xdotool", "key", "shift+Delete"});
    // The history is saved at once, without the entry; the line is emptied.
    EXPECT_TRUE(WaitFor([this] { return !test::ReadAll(data + "vantrelo.ini").contains("forget-me"); }, 10000));
    const QString ini = StopAndReadSettings();
    EXPECT_FALSE(ini.contains("forget-me"));
    EXPECT_TRUE(ini.contains("zrec keep-me")) << ini.left(2000).toStdString();
}

TEST_F(LauncherDesktop, AFreshDataFolderOpensTheWizardAndItsOkWritesTheProfile) {
    QFile::remove(data + "vantrelo.ini");
    launcher.start(VANTRELO_EXE, {});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo - Configuration wizard$"); }, 20000))
        << "no wizard at the first start";
    EXPECT_FALSE(VisibleWindow("^Vantrelo$")) << "the wizard comes before the window";
    const QString wizard =
        Tool({"xdotool", "search", "--onlyvisible", "--name", "^Vantrelo - Configuration wizard$"}).split('\n').first();
    Tool({"xdotool", "windowactivate", "--sync", wizard});
    Tool({"xdotool", "key", "--window", wizard, "Return"});
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 20000)) << "the window after the wizard";
    const QString ini = QString::fromUtf8(test::ReadAll(data + "vantrelo.ini"));
    EXPECT_TRUE(ini.contains("skins/scale_dark.skn")) << ini.left(3000).toStdString();
    EXPECT_TRUE(ini.contains("customwidth=-1"));
}

// logind as the launcher sees it on the system bus: hands out "delay" locks as pipes whose read
// ends it keeps, so it can tell when a lock is given back.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    ~FakeLogind() override {
        for (int fd : locks)
            ::close(fd);
    }
    std::vector<int> locks;
    QStringList asked; // what and mode of each request

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString&, const QString&, const QString& mode) {
        asked << what + "/" + mode;
        int fds[2];
        if (::pipe(fds) != 0)
            return {};
        locks.push_back(fds[0]);
        QDBusUnixFileDescriptor lock(fds[1]); // keeps its own copy
        ::close(fds[1]);
        return lock;
    }
};

// True once every holder of the lock's write end has closed it.
bool Released(int lockReadEnd) {
    pollfd p{lockReadEnd, POLLIN, 0};
    char c;
    return ::poll(&p, 1, 0) == 1 && ::read(lockReadEnd, &c, 1) == 0;
}

bool WaitWithEvents(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (done())
            return true;
        QThread::msleep(20);
    }
    return done();
}

// A D-Bus daemon of the test's own, with the event loop its connections need.
struct TPrivateBus {
    int argc = 1;
    char name[5] = "test";
    char* argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
    QProcess daemon;
    QString address; // empty when the daemon did not start

    TPrivateBus() {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (daemon.waitForStarted(5000) && daemon.waitForReadyRead(5000))
            address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~TPrivateBus() {
        daemon.kill();
        daemon.waitForFinished(5000);
    }
};

TEST_F(LauncherDesktop, AnnouncedShutdownSavesTheWindowPlaceWhileTheDelayLockHoldsItBack) {
    TPrivateBus bus; // stands in for the system bus, with the test as logind
    ASSERT_FALSE(bus.address.isEmpty());
    const QString address = bus.address;
    {
        QDBusConnection logind = QDBusConnection::connectToBus(address, "fake-logind");
        ASSERT_TRUE(logind.isConnected());
        FakeLogind fake;
        ASSERT_TRUE(logind.registerObject("/org/freedesktop/login1", &fake, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(logind.registerService("org.freedesktop.login1"));

        QProcessEnvironment env = launcher.processEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", address);
        launcher.setProcessEnvironment(env);
        launcher.start(VANTRELO_EXE, {});
        ASSERT_TRUE(launcher.waitForStarted(10000));
        ASSERT_TRUE(WaitWithEvents([&fake] { return !fake.locks.empty(); }, 20000)) << "no delay lock was asked for";
        EXPECT_EQ(fake.asked, QStringList{"shutdown/delay"});
        // Moved by the user: the place is written at the stop.
        ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 20000));
        const QString window = Tool({"xdotool", "search", "--onlyvisible", "--name", "^Vantrelo$"}).split('\n').first();
        const auto place = [this] {
            const QString ini = QString::fromUtf8(test::ReadAll(data + "vantrelo.ini"));
            const auto at = [&ini](const QString& key) {
                const int i = ini.indexOf("\n" + key + "=");
                return i < 0 ? QString() : ini.mid(i + 1).section('\n', 0, 0);
            };
            return at("posx") + " " + at("posy");
        };
        const QString before = place();
        Tool({"xdotool", "windowmove", window, "211", "157"});
        ASSERT_TRUE(WaitFor([&window] { return Tool({"xdotool", "getwindowgeometry", window}).contains("211,"); }, 5000))
            << Tool({"xdotool", "getwindowgeometry", window}).toStdString();
        QThread::msleep(300);
        EXPECT_EQ(place(), before) << "saved before the shutdown";
        // An announced shutdown saves, then gives the lock back.
        logind.send(QDBusMessage::createSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                               "PrepareForShutdown")
                    << true);
        ASSERT_TRUE(WaitWithEvents([&fake] { return Released(fake.locks.front()); }, 15000))
            << "the lock was kept";
        // Called off: the next shutdown is held back again.
        logind.send(QDBusMessage::createSignal("/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                               "PrepareForShutdown")
                    << false);
        EXPECT_TRUE(WaitWithEvents([&fake] { return fake.locks.size() == 2; }, 10000)) << "no new lock after a call-off";
        // Killed as a shutdown would: what was run is in the file already.
        launcher.kill();
        launcher.waitForFinished(5000);
        EXPECT_NE(place(), before) << place().toStdString();
    }
    QDBusConnection::disconnectFromBus("fake-logind");
}

// The desktop's notification service as the launcher sees it on the session bus.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList shown; // "summary|body" of each notification

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body, const QStringList&,
                const QVariantMap&, int) {
        shown << summary + "|" + body;
        return uint(shown.size());
    }
};

TEST_F(LauncherDesktop, TheEndOfACountdownIsAnnouncedByTheDesktopsNotificationService) {
    TPrivateBus bus;
    ASSERT_FALSE(bus.address.isEmpty());
    const QString address = bus.address;
    {
        QDBusConnection session = QDBusConnection::connectToBus(address, "fake-notifications");
        ASSERT_TRUE(session.isConnected());
        FakeNotifications fake;
        ASSERT_TRUE(session.registerObject("/org/freedesktop/Notifications", &fake, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(session.registerService("org.freedesktop.Notifications"));
        ASSERT_TRUE(WriteData([](TUserData& user) { user.keywords.Add(MakeNewKeyword("ztimer", "$TIMER$", QString())); }));

        QProcessEnvironment env = launcher.processEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", address);
        launcher.setProcessEnvironment(env);
        launcher.start(VANTRELO_EXE, {});
        ASSERT_TRUE(launcher.waitForStarted(10000));
        ASSERT_TRUE(HandOver(launcher, dir.Path() + "runtime/", "ztimer 0:0:1 Tea is ready"));
        EXPECT_TRUE(WaitWithEvents([&fake] { return !fake.shown.empty(); }, 20000)) << "no notification";
        EXPECT_EQ(fake.shown, QStringList{"Timer|Tea is ready"});
        // The service answered: the program's own notice window stays away.
        EXPECT_FALSE(VisibleWindow("^Timer$"));
        QDBusConnection::disconnectFromBus("fake-notifications");
    }
    launcher.kill();
    launcher.waitForFinished(5000);
}

// "vantrelo -r TEXT" runs TEXT: never the indexed item the running launcher's line is bound to.
TEST_F(LauncherDesktop, ASentInputRunsItsOwnTextNotTheItemTheLineIsBoundTo) {
    const QString fired = dir.File("fired.txt");
    const QString firecracker = dir.File("Tools/firecracker.sh");
    ASSERT_TRUE(QDir().mkpath(dir.File("Tools")));
    test::WriteAll(firecracker, ("#!/bin/sh\necho fired > '" + fired + "'\n").toUtf8());
    QFile::setPermissions(firecracker, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TIndexList cached;
    auto item = std::make_unique<TMyShellItem>();
    item->name = "firecracker.sh";
    item->root = dir.File("Tools");
    item->path = firecracker;
    cached.Append("firecracker.sh", std::move(item));
    ASSERT_TRUE(SaveIndexCache(data + "scancache.dat", cached).ok);
    ASSERT_TRUE(WriteData([](TUserData& user) {
        user.settings.hide = false;
        user.settings.scanwindowsitems = true;
        user.settings.dropprograms = true;
        user.settings.autoindex = 0; // the cache alone
        user.keywords.Add(MakeNewKeyword("betaword", "zrec beta", QString()));
    }));
    launcher.start(VANTRELO_EXE, {});
    ASSERT_TRUE(launcher.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([] { return VisibleWindow("^Vantrelo$"); }, 20000));
    const auto activate = [] {
        return WaitFor(
            [] {
                if (Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo")
                    return true;
                Tool({"xdotool", "search", "--onlyvisible", "--name", "^Vantrelo$", "windowactivate"});
                return WaitFor([] { return Tool({"xdotool", "getactivewindow", "getwindowname"}) == "Vantrelo"; }, 700);
            },
            15000);
    };
    // The index comes from its cache after the start: type until the list offers the item.
    const bool listed = WaitFor(
        [&activate] {
            activate();
            Tool({"xdotool", "key", "--delay", "80", "ctrl+a", "BackSpace"});
            Tool({"xdotool", "type", "--delay", "60", "firecr"});
            return WaitFor([] { return VisibleWindow("^Vantrelo list$"); }, 2000);
        },
        20000);
    ASSERT_TRUE(listed) << "no list for the indexed item";
    QThread::msleep(500); // the line settles on its suggestion

    ASSERT_TRUE(HandOver(launcher, dir.Path() + "runtime/", "betaword"));
    ASSERT_TRUE(WaitFor([this] { return QFile::exists(marker); }, 15000)) << "the sent keyword did not run";
    EXPECT_EQ(test::ReadAll(marker).trimmed(), QByteArray("ran beta"));
    QThread::msleep(1000);
    EXPECT_FALSE(QFile::exists(fired)) << "the item the line is bound to ran";

    // (On the code before, the bound script ran here and "betaword" did not: the typing above binds
    // the line to the script, as Enter in the line would run it.)
    launcher.kill();
    launcher.waitForFinished(5000);
}

} // namespace
} // namespace vantrelo

#include "launcher_desktop_test.moc"
