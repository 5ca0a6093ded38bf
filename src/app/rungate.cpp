// One run of the pipeline at a time: a run asked for while another waits in a nested event loop follows it.
#include "app/rungate.h"

#include "platform/scheduler.h"

namespace vantrelo {

bool TRunGate::Run(std::function<bool()> run) {
    if (running_) {
        scheduler_.RunLater(kRetryMs, [this, run = std::move(run)]() mutable { Run(std::move(run)); });
        return false;
    }
    running_ = true;
    struct TEnd {
        bool& flag;
        ~TEnd() { flag = false; }
    } end{running_};
    return run();
}

} // namespace vantrelo
