// Finding a program that is already running, for keywords that allow a single instance.
#pragma once

#include <QString>

namespace vantrelo {

class TRunningInstances {
public:
    virtual ~TRunningInstances() = default;
    // Looks for a running process whose executable is `program` (the full path when `fullPath`,
    // else the file name; both ignoring case) and brings its main window to the front.
    // True when one was found.
    virtual bool ActivateRunning(const QString& program, bool fullPath) = 0;
};

} // namespace vantrelo
