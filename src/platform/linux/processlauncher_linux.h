// Programs started with posix_spawn (never through a shell), documents through xdg-open.
#pragma once

#include "platform/processlauncher.h"

#include <vector>

namespace vantrelo {

class TLinuxProcessLauncher final : public TProcessLauncher {
public:
    ~TLinuxProcessLauncher() override;
    TSpawnResult Spawn(const TSpawnRequest& request) override;
    TSpawnResult OpenWithDesktop(const QString& target) override;
    TCaptureResult Capture(const TSpawnRequest& request, int timeoutMs, qsizetype maxBytes) override;

    // Collects children that have ended so none stays a zombie; called after every start and
    // from the user-interface thread's timers.
    void ReapFinished();
    // Waits for a started child (tests and capture helpers); false on time-out.
    bool WaitChild(qint64 pid, int timeoutMs, int* exitStatus = nullptr);

    // Finds `program` as the shell would: a path with "/" as is, else each PATH folder.
    static QString ResolveProgram(const QString& program, int* code);

private:
    std::vector<qint64> children_;
};

} // namespace vantrelo
