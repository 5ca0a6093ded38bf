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

} // namespace vantrelo
