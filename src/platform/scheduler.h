// Deferred work: timers on the user-interface thread and tasks that run off it.
#pragma once

#include <QtGlobal>

#include <functional>

namespace vantrelo {

// One-shot timers on the user-interface thread. The pipeline never sleeps: a wait between two
// steps is a timer, so the event loop keeps running (another program may be reading our clipboard).
class TScheduler {
public:
    virtual ~TScheduler() = default;
    // Runs `task` on the user-interface thread after `ms` milliseconds (0 = as soon as possible).
    virtual void RunLater(qint32 ms, std::function<void()> task) = 0;
};

// Work that may block (capturing a program's output) runs here, off the user-interface thread.
class TTaskRunner {
public:
    virtual ~TTaskRunner() = default;
    // Runs `work` on a worker, then `done` on the user-interface thread. `work` must not touch
    // shared state; it hands its result to `done` through what both lambdas capture.
    virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
};

} // namespace vantrelo
