// Process starts on Linux: argument vectors, exec failures mapped to the shell's codes, reaping.
#include "platform/linux/processlauncher_linux.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QElapsedTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vantrelo {

namespace {

int CodeForErrno(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return kLaunchNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return kLaunchAccessDenied;
    case ENOEXEC:
        return kLaunchNoAssociation;
    default:
        return kLaunchFailed;
    }
}

QString Explain(const QString& program, int err) {
    return QStringLiteral("Could not start \"%1\": %2.").arg(program, QString::fromLocal8Bit(std::strerror(err)));
}

bool IsRunnable(const QString& path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

} // namespace

TLinuxProcessLauncher::~TLinuxProcessLauncher() { ReapFinished(); }

QString TLinuxProcessLauncher::ResolveProgram(const QString& program, int* code) {
    *code = kLaunchStarted;
    if (program.isEmpty()) {
        *code = kLaunchNotFound;
        return {};
    }
    if (program.contains(u'/')) {
        const QFileInfo fi(program);
        if (!fi.exists())
            *code = kLaunchNotFound;
        else if (!IsRunnable(program))
            *code = kLaunchAccessDenied;
        return program;
    }
    const QStringList folders = qEnvironmentVariable("PATH", QStringLiteral("/usr/local/bin:/usr/bin:/bin")).split(u':');
    bool sawDenied = false;
    for (const QString& folder : folders) {
        const QString candidate = (folder.isEmpty() ? QStringLiteral(".") : folder) + u'/' + program;
        if (IsRunnable(candidate))
            return candidate;
        if (QFileInfo(candidate).isFile())
            sawDenied = true;
    }
    *code = sawDenied ? kLaunchAccessDenied : kLaunchNotFound;
    return {};
}

TSpawnResult TLinuxProcessLauncher::Spawn(const TSpawnRequest& request) {
    ReapFinished();
    TSpawnResult result;
    int code = 0;
    QString program = ResolveProgram(request.program, &code);
    if (code != kLaunchStarted) {
        result.code = code;
        result.error = Explain(request.program, code == kLaunchNotFound ? ENOENT : EACCES);
        return result;
    }
    QStringList args = request.args;
    if (request.elevated) {
        args.prepend(program);
        program = ResolveProgram(QStringLiteral("pkexec"), &code);
        if (code != kLaunchStarted) {
            result.code = code;
            result.error = QStringLiteral("Could not start \"%1\" elevated: pkexec is not installed.").arg(request.program);
            return result;
        }
    }

    std::vector<QByteArray> storage;
    storage.reserve(size_t(args.size()) + 1);
    storage.push_back(QFile::encodeName(program));
    for (const QString& a : args)
        storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : storage)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const QByteArray folder = QFile::encodeName(request.folder);
    if (!request.folder.isEmpty() && QFileInfo(request.folder).isDir())
        posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // The child gets its own session and clean signal state, so it outlives the launcher.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int err = posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        result.code = CodeForErrno(err);
        result.error = Explain(request.program, err);
        return result;
    }
    children_.push_back(pid);
    result.code = kLaunchStarted;
    result.pid = pid;
    return result;
}

TSpawnResult TLinuxProcessLauncher::OpenWithDesktop(const QString& target) {
    const QUrl url(target);
    const bool isLocal = !target.contains(QLatin1String("://")) || url.isLocalFile();
    if (isLocal) {
        const QString path = url.isLocalFile() ? url.toLocalFile() : target;
        if (!QFileInfo::exists(path)) {
            TSpawnResult r;
            r.code = kLaunchNotFound;
            r.error = Explain(target, ENOENT);
            return r;
        }
    }
    TSpawnRequest request;
    request.program = QStringLiteral("xdg-open");
    request.args = {target};
    TSpawnResult r = Spawn(request);
    if (r.code == kLaunchNotFound)
        r.code = kLaunchNoAssociation; // no desktop handler at all
    return r;
}

TCaptureResult TLinuxProcessLauncher::Capture(const TSpawnRequest& request, int timeoutMs, qsizetype maxBytes) {
    TCaptureResult result;
    int code = 0;
    const QString program = ResolveProgram(request.program, &code);
    if (code != kLaunchStarted)
        return result;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    if (!request.folder.isEmpty() && QFileInfo(request.folder).isDir())
        process.setWorkingDirectory(request.folder);
    process.start(program, request.args);
    if (!process.waitForStarted(timeoutMs))
        return result;
    result.started = true;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning) {
        const int left = timeoutMs - int(clock.elapsed());
        if (left <= 0) {
            result.timedOut = true;
            break;
        }
        process.waitForReadyRead(std::min(left, 100));
        result.output += process.readAll();
        if (result.output.size() > maxBytes) {
            result.truncated = true;
            break;
        }
    }
    result.output += process.readAll();
    if (result.output.size() > maxBytes) {
        result.output.truncate(maxBytes);
        result.truncated = true;
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(1000);
    }
    return result;
}

void TLinuxProcessLauncher::ReapFinished() {
    std::erase_if(children_, [](qint64 pid) {
        int status = 0;
        return ::waitpid(pid_t(pid), &status, WNOHANG) != 0;
    });
}

bool TLinuxProcessLauncher::WaitChild(qint64 pid, int timeoutMs, int* exitStatus) {
    for (int waited = 0;; waited += 5) {
        int status = 0;
        const pid_t r = ::waitpid(pid_t(pid), &status, WNOHANG);
        if (r == pid_t(pid)) {
            std::erase(children_, pid);
            if (exitStatus)
                *exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        }
        if (r < 0 || waited >= timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

} // namespace vantrelo
