// One run of the pipeline at a time: a run asked for while another waits in a nested event loop follows it.
#pragma once

#include <functional>

namespace vantrelo {

class TScheduler;

// The pipeline's clipboard waits keep the event loop turning (another program may be reading our
// clipboard), so Enter, a keyword hotkey or another instance's command can arrive in the middle
// of a run. Such a run waits for the present one to end instead of interleaving with its state.
class TRunGate {
public:
    static constexpr int kRetryMs = 50;

    explicit TRunGate(TScheduler& scheduler) : scheduler_(scheduler) {}

    // Runs `run` now, or as soon as the present run has ended; false when it was put off.
    bool Run(std::function<bool()> run);
    bool Running() const { return running_; }

private:
    TScheduler& scheduler_;
    bool running_ = false;
};

} // namespace vantrelo
