// On a real X server: a program started by the launcher shows its window under the window manager.
#include "platform/linux/processlauncher_linux.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <csignal>

using namespace vantrelo;

namespace {

QString RunTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace

TEST(DesktopLaunch, StartedProgramShowsAManagedWindow) {
    ASSERT_FALSE(qEnvironmentVariable("DISPLAY").isEmpty());
    EXPECT_TRUE(RunTool("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"));

    TLinuxProcessLauncher launcher;
    const TSpawnResult r = launcher.Spawn({"xmessage", {"-name", "vantrelo-probe", "hello from the launcher"}, {}});
    ASSERT_EQ(r.code, kLaunchStarted) << r.error.toStdString();
    QString found;
    for (int i = 0; i < 100 && found.isEmpty(); ++i) {
        found = RunTool("xdotool", {"search", "--classname", "vantrelo-probe"});
        if (found.isEmpty())
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_FALSE(found.isEmpty());
    // The window manager lists the window as a client.
    EXPECT_TRUE(RunTool("xprop", {"-root", "_NET_CLIENT_LIST"}).contains("0x"));
    ::kill(pid_t(r.pid), SIGTERM);
    launcher.WaitChild(r.pid, 5000);
}
