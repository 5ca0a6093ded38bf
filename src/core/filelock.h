// Advisory locks between processes on a lock file beside the data they guard.
#pragma once

#include <QString>

namespace vantrelo {

// One writer at a time across processes: an flock on `path` (created 0600 when missing). The lock
// goes with the process, so a writer killed mid-way never leaves it taken. Two objects on the same
// file exclude each other also within one process.
class TFileLock {
public:
    explicit TFileLock(QString path) : path_(std::move(path)) {}
    ~TFileLock() { Unlock(); }
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;

    // Waits until the lock is free. False when the lock file cannot be opened (`error` says why).
    bool Lock(QString* error = nullptr);
    // Takes the lock only when it is free now; shared locks exclude only exclusive ones.
    bool TryLock(bool shared = false);
    void Unlock();
    bool Held() const { return fd_ >= 0; }
    const QString& Path() const { return path_; }

private:
    bool Take(int operation, QString* error);

    QString path_;
    int fd_ = -1;
};

} // namespace vantrelo
