// Desktop notifications over org.freedesktop.Notifications on the session bus.
#pragma once

#include "platform/notifier.h"

namespace vantrelo {

class TDBusNotifier final : public TNotifier {
public:
    void Notify(const QString& caption, const QString& text, std::function<void()> unanswered) override;
};

} // namespace vantrelo
