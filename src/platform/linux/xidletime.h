// The desktop's idle time from the X screensaver extension.
#pragma once

#include "platform/idletime.h"

#include <QString>

#include <memory>

namespace vantrelo {

namespace x11 {
class TXConnection;
}

class TXIdleTime final : public TIdleTime {
public:
    // Null with `error` when the display cannot be reached or lacks the screensaver extension.
    static std::unique_ptr<TXIdleTime> Open(const QString& display, QString* error);
    ~TXIdleTime() override;

    std::optional<qint64> IdleMilliseconds() override;

private:
    explicit TXIdleTime(std::unique_ptr<x11::TXConnection> x);
    std::unique_ptr<x11::TXConnection> x_;
};

} // namespace vantrelo
