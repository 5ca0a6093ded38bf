// The wall clock, injectable so that time-dependent logic is testable.
#pragma once

#include <QDateTime>

namespace vantrelo {

class TClock {
public:
    virtual ~TClock() = default;
    // The current local date and time.
    virtual QDateTime Now() const = 0;
};

// A clock that only moves forward (no wall-clock changes): for countdowns and stopwatches.
class TMonotonicClock {
public:
    virtual ~TMonotonicClock() = default;
    // Milliseconds since an arbitrary fixed start.
    virtual qint64 Milliseconds() const = 0;
};

} // namespace vantrelo
