// Fakes of time: a settable wall clock, timers on a manual clock, waits that never sleep, inline tasks.
#pragma once

#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/waiter.h"

#include <QDateTime>

#include <algorithm>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

namespace vantrelo::test {

// The wall clock stands where the test puts it.
struct TFakeClock final : TClock {
    QDateTime now{QDate(2024, 3, 5), QTime(14, 7, 9)};
    TFakeClock() = default;
    explicit TFakeClock(QDateTime start) : now(std::move(start)) {}
    QDateTime Now() const override { return now; }
    void Advance(qint64 secs) { now = now.addSecs(secs); }
};

// Timers on a manual clock `now` (milliseconds). Advance() moves the clock and runs what falls due
// on the way, in time order; Step() runs one round: the timers waiting when it is called (not those
// they start), each at its due time; RunAll() runs until nothing waits.
struct TFakeScheduler final : TScheduler, TMonotonicClock {
    struct TTask {
        qint64 due;
        int seq;
        std::function<void()> run;
    };
    qint64 now = 0;
    int seq = 0;
    std::vector<TTask> tasks;
    std::vector<qint32> delays; // every delay asked for, in order

    void RunLater(qint32 ms, std::function<void()> task) override {
        delays.push_back(ms);
        tasks.push_back({now + ms, seq++, std::move(task)});
    }
    void Advance(qint64 ms) {
        const qint64 end = now + ms;
        while (RunNext(end, seq)) {
        }
        now = end;
    }
    // False when no timer was waiting.
    bool Step() {
        if (tasks.empty())
            return false;
        const int round = seq;
        while (RunNext(qint64(1) << 62, round)) {
        }
        return true;
    }
    void RunAll() { Advance(qint64(1) << 40); }
    // The manual clock is the monotonic clock of what these timers drive.
    qint64 Milliseconds() const override { return now; }

private:
    // Runs the earliest timer due by `until` among those started before `before`.
    bool RunNext(qint64 until, int before) {
        auto next = tasks.end();
        for (auto it = tasks.begin(); it != tasks.end(); ++it)
            if (it->seq < before && it->due <= until &&
                (next == tasks.end() || it->due < next->due || (it->due == next->due && it->seq < next->seq)))
                next = it;
        if (next == tasks.end())
            return false;
        now = std::max(now, next->due);
        auto run = std::move(next->run);
        tasks.erase(next);
        run();
        return true;
    }
};

// Work and its completion run at once, on the caller's thread.
struct TInlineTasks final : TTaskRunner {
    int runs = 0;
    void Run(std::function<void()> work, std::function<void()> done) override {
        ++runs;
        work();
        done();
    }
};

// Tasks wait until the test lets one run: `RunNext` does the oldest one's work, then its completion.
struct TQueuedTasks final : TTaskRunner {
    std::deque<std::pair<std::function<void()>, std::function<void()>>> waiting;
    void Run(std::function<void()> work, std::function<void()> done) override {
        waiting.emplace_back(std::move(work), std::move(done));
    }
    bool RunNext() {
        if (waiting.empty())
            return false;
        auto task = std::move(waiting.front());
        waiting.pop_front();
        task.first();
        task.second();
        return true;
    }
};

// Runs the checks without sleeping; `onTick` plays what happens while events run.
struct TFakeWaiter final : TWaiter {
    int waitedMs = 0;
    int pumps = 0;
    std::function<void()> onTick;
    bool WaitUntil(const std::function<bool()>& done, int intervalMs, int maxChecks) override {
        return CheckUntil(done, maxChecks, [this, intervalMs] {
            waitedMs += intervalMs;
            if (onTick)
                onTick();
        });
    }
    void ProcessPendingEvents() override { ++pumps; }
};

} // namespace vantrelo::test
