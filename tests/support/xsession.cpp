// Starts and stops Xvfb and jwm for one test process; waits for the window manager by polling X.
#include "support/xsession.h"

#include <QByteArray>
#include <QProcess>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <fcntl.h>
#include <poll.h>

extern char** environ;

namespace vantrelo::test {

namespace {

pid_t SpawnQuiet(std::vector<QByteArray> args, int keepFd = -1) {
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    (void)keepFd; // inherited as is
    pid_t pid = 0;
    const int err = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return err == 0 ? pid : 0;
}

void Kill(pid_t& pid) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = 0;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    pid = 0;
}

bool WindowManagerReady() {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    xprop.waitForFinished(2000);
    return xprop.exitCode() == 0 && xprop.readAllStandardOutput().contains("window id");
}

} // namespace

bool XSession::Start(QString* error) {
    int fds[2];
    if (::pipe(fds) != 0) {
        *error = QStringLiteral("pipe failed");
        return false;
    }
    xvfb_ = SpawnQuiet({"Xvfb", "-displayfd", QByteArray::number(fds[1]), "-screen", "0", "1280x800x24",
                        "-nolisten", "tcp", "-noreset"});
    ::close(fds[1]);
    if (!xvfb_) {
        ::close(fds[0]);
        *error = QStringLiteral("Xvfb could not be started (is it installed?)");
        return false;
    }
    QByteArray number;
    pollfd p{fds[0], POLLIN, 0};
    while (::poll(&p, 1, 10000) > 0) {
        char c = 0;
        if (::read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    ::close(fds[0]);
    if (number.isEmpty()) {
        Stop();
        *error = QStringLiteral("Xvfb did not report its display");
        return false;
    }
    display_ = u':' + QString::fromLatin1(number);
    qputenv("DISPLAY", display_.toLatin1());
    wm_ = SpawnQuiet({"jwm"});
    for (int i = 0; i < 100 && wm_; ++i) {
        if (WindowManagerReady())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    Stop();
    *error = QStringLiteral("the window manager did not start");
    return false;
}

void XSession::Stop() {
    Kill(wm_);
    Kill(xvfb_);
}

} // namespace vantrelo::test
