// Keys and characters sent to the focused window through the XTest extension.
#pragma once

#include "platform/keyinjector.h"
#include "platform/keysender.h"

#include <QString>

#include <memory>

namespace vantrelo {

class TXKeyboard final : public TKeySender, public TKeyInjector {
public:
    // Its own connection to `display` (empty: $DISPLAY); null with `error` when there is no
    // display or it lacks the XTest extension.
    static std::unique_ptr<TXKeyboard> Open(const QString& display, QString* error);
    // Gives keys it borrowed for characters back to the layout and releases keys still held.
    ~TXKeyboard() override;

    // TKeySender
    void SendChord(int vk, int modifiers) override;
    // TKeyInjector
    bool KeyDown(int vk) override;
    bool KeyUp(int vk) override;
    bool TypeCharacter(char32_t ch) override;
    bool IsKeyDown(int vk) const override;

    struct TImpl;

private:
    explicit TXKeyboard(std::unique_ptr<TImpl> d);
    std::unique_ptr<TImpl> d_;
};

} // namespace vantrelo
