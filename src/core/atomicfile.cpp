// Atomic file saving with POSIX calls so that every failure point is visible and testable.
#include "core/atomicfile.h"

#include "core/text.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrelo {

namespace {

constexpr qsizetype kChunk = 64 * 1024;

QString Describe(const QString& path, const char* what, int err) {
    return QStringLiteral("Could not save \"%1\": %2 (%3).")
        .arg(path, QString::fromLatin1(what), QString::fromLocal8Bit(std::strerror(err)));
}

bool Failing(const TSaveFaultHook& fault, TSaveStep step, int chunk) { return fault && fault(step, chunk); }

} // namespace

TSaveResult SaveFileAtomic(const QString& path, const QByteArray& bytes, const TSaveFaultHook& fault) {
    const QByteArray target = QFile::encodeName(path);
    QByteArray tmpl = target + ".XXXXXX.tmp";
    int fd = -1;
    if (!Failing(fault, TSaveStep::Create, 0))
        fd = ::mkstemps(tmpl.data(), 4);
    if (fd < 0)
        return {false, Describe(path, "cannot create a temporary file", errno ? errno : EIO)};

    struct stat st {};
    const mode_t mode = (::stat(target.constData(), &st) == 0) ? (st.st_mode & 07777) : 0644;
    auto fail = [&](const char* what, int err) {
        ::close(fd);
        ::unlink(tmpl.constData());
        return TSaveResult{false, Describe(path, what, err)};
    };
    ::fchmod(fd, mode);

    qsizetype done = 0;
    int chunk = 0;
    while (done < bytes.size()) {
        if (Failing(fault, TSaveStep::Write, chunk))
            return fail("write failed", EIO);
        const qsizetype want = std::min(kChunk, bytes.size() - done);
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(want));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail("write failed", errno);
        }
        done += n;
        ++chunk;
    }
    if (Failing(fault, TSaveStep::Flush, 0) || ::fsync(fd) != 0)
        return fail("flush failed", errno ? errno : EIO);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmpl.constData());
        return {false, Describe(path, "close failed", err)};
    }
    if (Failing(fault, TSaveStep::Rename, 0) || ::rename(tmpl.constData(), target.constData()) != 0) {
        const int err = errno ? errno : EIO;
        ::unlink(tmpl.constData());
        return {false, Describe(path, "cannot replace the file", err)};
    }
    return {};
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

bool ReadTextFile(const QString& path, QString& text, QString* error) {
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
    text = DecodeFileText(bytes);
    return true;
}

} // namespace vantrelo
