// Global hotkeys as passive key grabs on the root window, in every Num Lock and Caps Lock state.
#pragma once

#include "platform/globalhotkeys.h"

#include <QString>

#include <memory>

namespace vantrelo {

class TXGlobalHotkeys final : public TGlobalHotkeys {
public:
    // Its own connection to `display` (empty: $DISPLAY), whose events a socket notifier reads on
    // the creating thread's event loop; null with `error` when there is no display.
    static std::unique_ptr<TXGlobalHotkeys> Open(const QString& display, QString* error);
    ~TXGlobalHotkeys() override;

    bool Register(int id, int vk, int modifiers) override;
    void Unregister(int id) override;
    void UnregisterAll() override;
    void SetHandler(THandler handler) override;

    // Reads and handles every event that has arrived (the notifier calls it; tests may too).
    void ProcessPendingEvents();

    struct TImpl;

private:
    explicit TXGlobalHotkeys(std::unique_ptr<TImpl> d);
    std::unique_ptr<TImpl> d_;
};

} // namespace vantrelo
