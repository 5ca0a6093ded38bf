// Desktop notifications: a caption and a text shown by the desktop's notification service.
#pragma once

#include <QString>

#include <functional>

namespace vantrelo {

class TNotifier {
public:
    virtual ~TNotifier() = default;
    // Hands the notice to the desktop's service without waiting; `unanswered` runs later on this
    // thread when no service took it, so the caller can show it another way.
    virtual void Notify(const QString& caption, const QString& text, std::function<void()> unanswered) = 0;
};

} // namespace vantrelo
