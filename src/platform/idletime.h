// The time since the user's last keyboard or mouse input, for work that waits until the desktop is idle.
#pragma once

#include <QtGlobal>

#include <optional>

namespace vantrelo {

class TIdleTime {
public:
    virtual ~TIdleTime() = default;
    // Milliseconds since the last input anywhere on the desktop; none when the desktop cannot tell.
    virtual std::optional<qint64> IdleMilliseconds() = 0;
};

} // namespace vantrelo
