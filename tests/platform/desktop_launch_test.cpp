// On a real X server: a program started by the launcher shows its window under the window manager.
#include "platform/linux/processlauncher_linux.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <csignal>
#include <set>

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
    ASSERT_FALSE(found.isEmpty());
    // The window manager lists the window as a client (once it has managed it).
    std::set<quint64> windows;
    for (const QString& id : found.split(u'\n', Qt::SkipEmptyParts))
        windows.insert(id.trimmed().toULongLong());
    const auto listed = [&windows] {
        // "_NET_CLIENT_LIST(WINDOW): window id # 0x400006, 0x600003"
        const QString list = RunTool("xprop", {"-root", "_NET_CLIENT_LIST"});
        const qsizetype hash = list.indexOf(u'#');
        if (hash < 0)
            return false;
        for (const QString& id : list.mid(hash + 1).split(u',', Qt::SkipEmptyParts)) {
            bool ok = false;
            if (windows.count(id.trimmed().toULongLong(&ok, 0)) && ok)
                return true;
        }
        return false;
    };
    bool managed = listed();
    for (int i = 0; i < 200 && !managed; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        managed = listed();
    }
    EXPECT_TRUE(managed) << "_NET_CLIENT_LIST lacks " << found.toStdString();
    ::kill(pid_t(r.pid), SIGTERM);
    launcher.WaitChild(r.pid, 5000);
}
