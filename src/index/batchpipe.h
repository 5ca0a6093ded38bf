// A walk on a second thread: its batches handed in order to the thread that takes them, through a bounded queue.
#pragma once

#include "index/indexlist.h"

#include <functional>

namespace vantrelo {

// Runs `walk` on a new thread; it hands its batches to the sink it is given, and this thread hands
// them on to `take` in the same order. Whichever thread is behind reads the desktop files' Names
// (the costliest part of a batch). The queue holds a bounded number of entries and folders, so the
// walk may run only so far ahead. `take` returning false stops the taking: the batches still
// queued or to come are dropped (the walk should be told to stop through its own flag).
void PipelineBatches(const std::function<void(const TScanBatchSink& sink)>& walk,
                     const std::function<bool(TScanBatch& batch)>& take);

} // namespace vantrelo
