// The machine's physical memory: how much there is and how much is available.
#pragma once

#include <QtGlobal>

#include <optional>

namespace vantrelo {

struct TMemoryStatus {
    quint64 total = 0;     // bytes
    quint64 available = 0; // bytes a program could have without swapping
};

class TMemoryInfo {
public:
    virtual ~TMemoryInfo() = default;
    // Nothing when it cannot be read.
    virtual std::optional<TMemoryStatus> Memory() const = 0;
};

} // namespace vantrelo
