// The machine's physical memory read from /proc/meminfo.
#pragma once

#include "platform/memoryinfo.h"

#include <QString>

namespace vantrelo {

class TProcMemoryInfo final : public TMemoryInfo {
public:
    // `file` is the meminfo file; tests give their own.
    explicit TProcMemoryInfo(QString file = QStringLiteral("/proc/meminfo"));
    std::optional<TMemoryStatus> Memory() const override;

private:
    QString file_;
};

} // namespace vantrelo
