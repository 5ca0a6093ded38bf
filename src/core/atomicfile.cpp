// Atomic file saving with POSIX calls so that every failure point is visible and testable.
#include "core/atomicfile.h"

#include "core/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrelo {

namespace {

constexpr qsizetype kChunk = 64 * 1024;
constexpr int kMaxLinkHops = 40;

QString Describe(const QString& path, const char* what, int err) {
    return QStringLiteral("Could not save \"%1\": %2 (%3).")
        .arg(path, QString::fromLocal8Bit(what), QString::fromLocal8Bit(std::strerror(err)));
}

bool Failing(const TSaveFaultHook& fault, TSaveStep step, int chunk) { return fault && fault(step, chunk); }

QByteArray ResolveLinks(const QByteArray& path) {
    QByteArray p = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(p.constData(), buf, sizeof buf);
        if (n < 0 || size_t(n) >= sizeof buf)
            return p;
        QByteArray target(buf, qsizetype(n));
        if (!target.startsWith('/')) {
            const qsizetype slash = p.lastIndexOf('/');
            target.prepend(slash >= 0 ? p.left(slash + 1) : QByteArray());
        }
        p = target;
    }
    return p;
}

// The process's umask, read without changing it (umask(2) would race with other threads).
mode_t CurrentUmask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("Umask:"))
                return mode_t(line.mid(6).trimmed().toUInt(nullptr, 8) & 0777);
    return 022;
}

mode_t ModeFor(const QByteArray& target, TFileAccess access) {
    struct stat st {};
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (access == TFileAccess::Document)
        return exists ? (st.st_mode & 07777) : (0666 & ~CurrentUmask());
    return exists ? (st.st_mode & 0600) : 0600;
}

// A temporary file beside the target, locked for as long as the save runs so that the stale-file
// sweep of another start never removes it. -1 when it cannot be made.
int CreateLockedTemp(QByteArray& tmpl, const QByteArray& target) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        tmpl = target + ".XXXXXX.tmp";
        const int fd = ::mkstemps(tmpl.data(), 4);
        if (fd < 0)
            return -1;
        struct stat st {};
        // The sweep may have taken it between creation and lock: then it is gone, make another.
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

} // namespace

QString SaveTarget(const QString& path) { return QFile::decodeName(ResolveLinks(QFile::encodeName(path))); }

TSaveResult SaveFileAtomic(const QString& path, const QByteArray& bytes, const TSaveFaultHook& fault,
                           TFileAccess access) {
    return SaveFileAtomicStream(path, [&bytes](const TSaveWrite& write) { return write(bytes); }, fault, access);
}

TSaveResult SaveFileAtomicStream(const QString& path, const TSaveProducer& produce, const TSaveFaultHook& fault,
                                 TFileAccess access) {
    TSaveOptions options;
    options.fault = fault;
    options.access = access;
    return SaveFileAtomicStream(path, produce, options);
}

TSaveResult SaveFileAtomicStream(const QString& path, const TSaveProducer& produce, const TSaveOptions& options) {
    const TSaveFaultHook& fault = options.fault;
    const TFileAccess access = options.access;
    const QByteArray target = ResolveLinks(QFile::encodeName(path));
    QByteArray tmpl;
    int fd = -1;
    errno = 0;
    if (!Failing(fault, TSaveStep::Create, 0))
        fd = CreateLockedTemp(tmpl, target);
    if (fd < 0)
        return {false, Describe(path, "cannot create a temporary file", errno ? errno : EIO)};

    auto fail = [&](const char* what, int err) {
        ::unlink(tmpl.constData());
        ::close(fd);
        return TSaveResult{false, Describe(path, what, err)};
    };
    if (::fchmod(fd, ModeFor(target, access)) != 0)
        return fail("cannot set its permissions", errno);

    int chunk = 0;
    int writeError = 0;
    const TSaveWrite write = [&](QByteArrayView bytes) {
        qsizetype done = 0;
        while (writeError == 0 && done < bytes.size()) {
            if (Failing(fault, TSaveStep::Write, chunk)) {
                writeError = EIO;
                break;
            }
            const qsizetype want = std::min(kChunk, bytes.size() - done);
            const ssize_t n = ::write(fd, bytes.data() + done, size_t(want));
            if (n < 0) {
                if (errno != EINTR)
                    writeError = errno;
                continue;
            }
            done += n;
            ++chunk;
        }
        return writeError == 0;
    };
    const bool made = produce(write);
    if (writeError != 0)
        return fail("write failed", writeError);
    if (!made)
        return fail("its content could not be made", ECANCELED);
    if (options.written)
        options.written(QFile::decodeName(tmpl));
    if (Failing(fault, TSaveStep::Flush, 0) || (options.flush && ::fsync(fd) != 0))
        return fail("flush failed", errno ? errno : EIO);
    // Unflushed, the old file goes first: a rename over a file makes ext4 write the new one out at
    // once (its guard for saves without a flush), which is the wait an unflushed save avoids.
    if (!options.flush && !Failing(fault, TSaveStep::Rename, 0))
        ::unlink(target.constData());
    if (Failing(fault, TSaveStep::Rename, 0) || ::rename(tmpl.constData(), target.constData()) != 0)
        return fail("cannot replace the file", errno ? errno : EIO);
    // The lock is released only now: until the rename the temporary file is a save in progress.
    if (::close(fd) != 0)
        return {false, Describe(path, "close failed", errno)};
    return {};
}

bool IsSaveTempName(const QString& fileName) {
    // mkstemps fills the six places with letters and digits.
    if (!fileName.endsWith(QLatin1String(".tmp")) || fileName.size() < 1 + 1 + 6 + 4)
        return false;
    const qsizetype dot = fileName.size() - 4 - 6 - 1;
    if (fileName.at(dot) != u'.')
        return false;
    for (qsizetype i = dot + 1; i < dot + 7; ++i) {
        const char16_t c = fileName.at(i).unicode();
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

int RemoveStaleSaveFiles(const QString& folder) {
    const QByteArray dir = QFile::encodeName(folder.endsWith(u'/') ? folder : folder + u'/');
    int removed = 0;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (!IsSaveTempName(name))
            continue;
        const QByteArray path = dir + QFile::encodeName(name);
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat st {};
        struct stat now {};
        // Only our own regular files whose save no longer runs, and still the file of that name.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.constData(), &now) == 0 &&
            now.st_ino == st.st_ino && now.st_dev == st.st_dev && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

QByteArray EncodeUtf8Bom(const QString& text) { return QByteArray("\xEF\xBB\xBF") + text.toUtf8(); }

QString JoinCrLf(const QStringList& lines) {
    QString out;
    qsizetype total = 0;
    for (const QString& l : lines)
        total += l.size() + 2;
    out.reserve(total);
    for (const QString& l : lines) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

bool ReadTextFile(const QString& path, QString& text, QString* error, bool* valid) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Could not read \"%1\": %2.").arg(path, f.errorString());
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Could not read \"%1\": %2.").arg(path, f.errorString());
        return false;
    }
    text = DecodeFileText(bytes, valid);
    return true;
}

} // namespace vantrelo
