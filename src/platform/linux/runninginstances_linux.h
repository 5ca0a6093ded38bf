// Single-instance keywords on Linux: the program's process found in /proc, its window raised over EWMH.
#pragma once

#include "platform/runninginstances.h"

namespace vantrelo {

class TProcessList;
class TWindowControl;

class TLinuxRunningInstances final : public TRunningInstances {
public:
    // Both are used, not owned; they outlive this object.
    TLinuxRunningInstances(const TProcessList& processes, TWindowControl& windows);
    bool ActivateRunning(const QString& program, bool fullPath) override;

private:
    const TProcessList& processes_;
    TWindowControl& windows_;
};

} // namespace vantrelo
