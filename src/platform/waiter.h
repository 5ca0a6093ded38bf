// Waits on the user-interface thread while the event loop keeps running.
#pragma once

#include <functional>

namespace vantrelo {

class TWaiter {
public:
    virtual ~TWaiter() = default;
    // Checks `done`, then up to `maxChecks` times lets events run for `intervalMs` and checks again.
    // True as soon as `done` holds; false when the checks ran out.
    virtual bool WaitUntil(const std::function<bool()>& done, int intervalMs, int maxChecks) = 0;
    // Lets the events that are already queued run.
    virtual void ProcessPendingEvents() = 0;
};

// The checks of WaitUntil: `done` first, then up to `maxChecks` times `pause` and `done` again.
inline bool CheckUntil(const std::function<bool()>& done, int maxChecks, const std::function<void()>& pause) {
    for (int i = 0;; ++i) {
        if (done())
            return true;
        if (i == maxChecks)
            return false;
        pause();
    }
}

} // namespace vantrelo
