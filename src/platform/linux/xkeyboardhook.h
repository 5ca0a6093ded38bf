// The keyboard hook over the X Record extension: every key event, read on a thread of its own.
#pragma once

#include "platform/keyboardhook.h"

#include <QString>

#include <memory>

namespace vantrelo {

class TXKeyboardHook final : public TKeyboardHook {
public:
    // Its control connection to `display` (empty: $DISPLAY); null with `error` when there is no
    // display or it lacks the Record extension.
    static std::unique_ptr<TXKeyboardHook> Open(const QString& display, QString* error);
    ~TXKeyboardHook() override;

    bool Start(TCallback callback) override;
    void Stop() override;
    bool IsRunning() const override;

    struct TImpl;

private:
    explicit TXKeyboardHook(std::unique_ptr<TImpl> d);
    std::unique_ptr<TImpl> d_;
};

} // namespace vantrelo
