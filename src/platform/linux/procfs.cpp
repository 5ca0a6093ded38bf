// Running processes read from /proc: which run a program, what a process runs, and ending one.
#include "platform/linux/procfs.h"

#include "core/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

// Programs that run scripts named by their first argument.
bool IsInterpreter(const QString& exe) {
    static const QStringList kNames{QStringLiteral("sh"),      QStringLiteral("bash"),   QStringLiteral("dash"),
                                    QStringLiteral("zsh"),     QStringLiteral("python3"), QStringLiteral("perl"),
                                    QStringLiteral("ruby"),    QStringLiteral("node"),   QStringLiteral("lua")};
    const QString name = QFileInfo(exe).fileName();
    for (const QString& n : kNames)
        if (name == n || (name.startsWith(n) && name.mid(n.size()).contains(QRegularExpression(QStringLiteral("^[0-9.]+$")))))
            return true;
    return false;
}

// The program path a process was started with (argv[0]); for a script run through its "#!" line
// the script is argv[1] after the interpreter.
QStringList StartedAs(const QString& procDir) {
    QFile f(procDir + QStringLiteral("/cmdline"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> args = f.read(8192).split('\0');
    QStringList out;
    for (int i = 0; i < std::min<qsizetype>(2, args.size()); ++i)
        if (!args.at(i).isEmpty())
            out << QFile::decodeName(args.at(i));
    return out;
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
        const auto same = [&](const QString& path) {
            return byPath ? SameText(path, wanted) : SameText(QFileInfo(path).fileName(), wantedName);
        };
        bool match = same(exe) || (!resolved.isEmpty() && exe == resolved);
        // A script runs its interpreter: it is known by the path it was started with.
        if (!match) {
            const QStringList started = StartedAs(dir);
            match = !started.isEmpty() && (same(started.at(0)) ||
                                            (started.size() > 1 && QFileInfo(exe).fileName() != wantedName &&
                                             IsInterpreter(exe) && same(started.at(1))));
        }
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
