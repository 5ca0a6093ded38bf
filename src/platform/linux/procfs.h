// Running processes read from /proc: which run a program, what a process runs, and ending one.
#pragma once

#include "platform/processlist.h"

namespace vantrelo {

class TProcFsProcessList final : public TProcessList {
public:
    // `procRoot` is the proc file system's mount point; tests keep the default.
    explicit TProcFsProcessList(QString procRoot = QStringLiteral("/proc"));
    std::vector<qint64> FindProgram(const QString& program) const override;
    bool Describe(qint64 pid, TProcessFacts* facts) const override;
    bool Terminate(qint64 pid) override;
    bool Kill(qint64 pid) override;

private:
    QString root_;
};

} // namespace vantrelo
