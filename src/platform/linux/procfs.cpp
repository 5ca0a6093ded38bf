// Running processes read from /proc: which run a program, what a process runs, and ending one.
#include "platform/linux/procfs.h"

#include "core/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrelo {

namespace {

// The link target of /proc/<pid>/exe, without the mark of a replaced program file.
QString ExePath(const QString& procDir) {
    QString target = QFile::symLinkTarget(procDir + QStringLiteral("/exe"));
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}

// Where a program name or path leads, following symbolic links; empty when it leads nowhere.
QString ResolvedProgram(const QString& program) {
    QString path = program;
    if (path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    if (!path.contains(QLatin1Char('/')))
        path = QStandardPaths::findExecutable(path);
    return path.isEmpty() ? QString() : QFileInfo(path).canonicalFilePath();
}

} // namespace

TProcFsProcessList::TProcFsProcessList(QString procRoot) : root_(std::move(procRoot)) {}

std::vector<qint64> TProcFsProcessList::FindProgram(const QString& program) const {
    std::vector<qint64> found;
    const QString wanted = TrimText(program);
    if (wanted.isEmpty())
        return found;
    const bool byPath = wanted.contains(QLatin1Char('/'));
    // A link such as /usr/bin/editor runs the file it points to: compare with that too.
    const QString resolved = ResolvedProgram(wanted);
    const QString wantedName = QFileInfo(wanted).fileName();
    const uid_t me = ::getuid();
    const QStringList entries = QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || pid <= 0)
            continue;
        const QString dir = root_ + QLatin1Char('/') + entry;
        struct stat st{};
        if (::stat(QFile::encodeName(dir).constData(), &st) != 0 || (me != 0 && st.st_uid != me))
            continue;
        const QString exe = ExePath(dir);
        if (exe.isEmpty())
            continue;
        const bool match = byPath ? (SameText(exe, wanted) || (!resolved.isEmpty() && exe == resolved))
                                  : (SameText(QFileInfo(exe).fileName(), wantedName) ||
                                     (!resolved.isEmpty() && exe == resolved));
        if (match)
            found.push_back(pid);
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool TProcFsProcessList::Describe(qint64 pid, TProcessFacts* facts) const {
    if (pid <= 0)
        return false;
    const QString dir = root_ + QLatin1Char('/') + QString::number(pid);
    if (!QFileInfo::exists(dir))
        return false;
    facts->pid = pid;
    facts->path = ExePath(dir);
    facts->baseName = QFileInfo(facts->path).fileName();
    if (facts->baseName.isEmpty()) {
        // Another user's process: its short name is still readable.
        QFile comm(dir + QStringLiteral("/comm"));
        if (comm.open(QIODevice::ReadOnly))
            facts->baseName = QString::fromLocal8Bit(comm.readAll()).trimmed();
    }
    return true;
}

namespace {

bool Signal(qint64 pid, int signal) {
    // Never a process group or every process, never the program itself: a single other process.
    if (pid <= 1 || pid == qint64(::getpid()))
        return false;
    return ::kill(pid_t(pid), signal) == 0;
}

} // namespace

bool TProcFsProcessList::Terminate(qint64 pid) { return Signal(pid, SIGTERM); }

bool TProcFsProcessList::Kill(qint64 pid) { return Signal(pid, SIGKILL); }

} // namespace vantrelo
