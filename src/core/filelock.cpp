// flock on a dedicated lock file: never on the data file itself, which saves replace by rename.
#include "core/filelock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vantrelo {

bool TFileLock::Take(int operation, QString* error) {
    if (fd_ >= 0)
        return true;
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        if (error)
            *error = QStringLiteral("Could not open the lock file \"%1\": %2.")
                         .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    int rc;
    do
        rc = ::flock(fd, operation);
    while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        if (error)
            *error = QStringLiteral("Could not lock \"%1\": %2.").arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

bool TFileLock::Lock(QString* error) { return Take(LOCK_EX, error); }

bool TFileLock::TryLock(bool shared) { return Take((shared ? LOCK_SH : LOCK_EX) | LOCK_NB, nullptr); }

void TFileLock::Unlock() {
    if (fd_ < 0)
        return;
    ::close(fd_); // closing the only descriptor releases the lock
    fd_ = -1;
}

} // namespace vantrelo
