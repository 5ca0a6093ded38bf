// Starting programs, opening documents and capturing output, in the program's own terms.
#pragma once

#include <QString>
#include <QStringList>

namespace vantrelo {

// Launch result codes follow the shell's convention: 33 and above is success.
enum TLaunchCode : int {
    kLaunchNotFound = 2,
    kLaunchAccessDenied = 5,
    kLaunchNoAssociation = 31,
    kLaunchFailed = 32,
    kLaunchDone = 33,
    kLaunchStarted = 42,
};

struct TSpawnRequest {
    QString program;     // a path, or a name looked up in PATH
    QStringList args;    // never parsed by a shell
    QString folder;      // working folder; empty keeps the current one
    bool elevated = false;
    int show = 0;        // 0 normal, 1 minimised, 2 maximised, 3 hidden (best effort)
};

struct TSpawnResult {
    int code = kLaunchFailed;
    qint64 pid = 0;
    QString error; // plain words when the start failed
    bool Ok() const { return code > kLaunchFailed; }
};

struct TCaptureResult {
    bool started = false;
    bool timedOut = false;
    bool truncated = false;
    QByteArray output; // standard output and standard error, interleaved
};

class TProcessLauncher {
public:
    virtual ~TProcessLauncher() = default;
    // Starts a program detached from the launcher; exec failures come back at once as codes.
    virtual TSpawnResult Spawn(const TSpawnRequest& request) = 0;
    // Opens a document, folder or URL with the desktop's handler.
    virtual TSpawnResult OpenWithDesktop(const QString& target) = 0;
    // Runs a program hidden and collects its output, bounded in time and size. Blocks the
    // calling thread: callers on the user-interface thread hand it to a worker.
    virtual TCaptureResult Capture(const TSpawnRequest& request, int timeoutMs, qsizetype maxBytes) = 0;
};

} // namespace vantrelo
