// Every key press and release on the desktop, watched (never held back) from a thread of its own.
#pragma once

#include <QtGlobal>

#include <functional>

namespace vantrelo {

struct TKeyEvent {
    int vk = 0;           // left and right modifier keys keep their own codes (0xA0..0xA5, 0x5B, 0x5C)
    bool down = false;
    quint64 timeMs = 0;   // the server's time stamp in milliseconds
};

class TKeyboardHook {
public:
    // Runs on the hook's own thread: it must return quickly and hand the event on (a queued
    // signal), never call into the user interface directly.
    using TCallback = std::function<void(const TKeyEvent&)>;

    virtual ~TKeyboardHook() = default;
    // Starts watching; false when the display offers no way to watch keys. Restarting replaces
    // the callback.
    virtual bool Start(TCallback callback) = 0;
    // Stops watching and waits for the hook's thread; no callback runs after it returns.
    virtual void Stop() = 0;
    virtual bool IsRunning() const = 0;
};

} // namespace vantrelo
