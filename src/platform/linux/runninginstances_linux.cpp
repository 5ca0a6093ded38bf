// Single-instance keywords on Linux: the program's process found in /proc, its window raised over EWMH.
#include "platform/linux/runninginstances_linux.h"

#include "platform/processlist.h"
#include "platform/windowcontrol.h"

#include <QFileInfo>

namespace vantrelo {

TLinuxRunningInstances::TLinuxRunningInstances(const TProcessList& processes, TWindowControl& windows)
    : processes_(processes), windows_(windows) {}

bool TLinuxRunningInstances::ActivateRunning(const QString& program, bool fullPath) {
    // A name without its folder never matches by path, however it was written.
    const QString wanted = fullPath ? program : QFileInfo(program).fileName();
    const std::vector<qint64> pids = processes_.FindProgram(wanted);
    if (pids.empty())
        return false;
    // The first window a user would switch to, shown or minimised, of the first process that has one.
    for (qint64 pid : pids)
        for (quint64 w : windows_.WindowsOfProcess(pid)) {
            TWindowFacts f;
            if (windows_.Describe(w, &f) && !f.owned && !f.toolWindow) {
                windows_.Activate(w, 0);
                return true;
            }
        }
    return true; // running without a window of its own: still not started twice
}

} // namespace vantrelo
