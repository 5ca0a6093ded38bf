// The batch pipe's queue and its two threads.
#include "index/batchpipe.h"

#include "index/scanbatch.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vantrelo {

namespace {

// Entries waiting between the threads at most: the walk may run ahead only so far, which bounds
// the memory a large tree takes (about a hundred bytes an entry).
constexpr qsizetype kMaxQueued = 16384;
// Batches waiting at most: each holds its folder open.
constexpr std::size_t kMaxBatches = 256;
// The reader is woken when this many batches wait (or the walk ended), not for each one: a
// hand-over per folder made the two threads switch a thousand times a scan.
constexpr std::size_t kWakeBatches = 8;
constexpr qsizetype kWakeEntries = 2048;
// Beyond this backlog the reader is behind, and the walk reads the desktop files' Names itself.
constexpr std::size_t kBehind = kWakeBatches + 4;

class TBatchQueue {
public:
    // Waits while the queue is full, unless the reader has stopped.
    void Push(TScanBatch&& batch) {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return (queued_ < kMaxQueued && batches_.size() < kMaxBatches) || stopped_; });
        if (stopped_)
            return;
        queued_ += qsizetype(batch.entries.size());
        batches_.push_back(std::move(batch));
        if (batches_.size() >= kWakeBatches || queued_ >= kWakeEntries)
            ready_.notify_one();
    }
    // The next batch; false once the walk has ended and everything was taken.
    bool Pop(TScanBatch& batch) {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !batches_.empty() || ended_; });
        if (batches_.empty())
            return false;
        batch = std::move(batches_.front());
        batches_.pop_front();
        queued_ -= qsizetype(batch.entries.size());
        // The walk waits only when the queue was full: it goes on once half of it is taken.
        if (queued_ <= kMaxQueued / 2 && batches_.size() <= kMaxBatches / 2)
            room_.notify_one();
        return true;
    }
    // Batches the reader has not taken yet.
    std::size_t Backlog() {
        std::lock_guard lock(mutex_);
        return batches_.size();
    }
    void End() {
        std::lock_guard lock(mutex_);
        ended_ = true;
        ready_.notify_one();
    }
    // The reader takes nothing more: a waiting walker goes on, and what it hands over is dropped.
    void Stop() {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        batches_.clear();
        room_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_, room_;
    std::deque<TScanBatch> batches_;
    qsizetype queued_ = 0;
    bool ended_ = false;
    bool stopped_ = false;
};

} // namespace

void PipelineBatches(const std::function<void(const TScanBatchSink& sink)>& walk,
                     const std::function<bool(TScanBatch& batch)>& take) {
    TBatchQueue queue;
    std::thread walker([&] {
        walk([&queue](TScanBatch&& batch) {
            if (batch.unreadNames > 0 && queue.Backlog() >= kBehind)
                batch.ReadDesktopNames();
            queue.Push(std::move(batch));
        });
        queue.End();
    });
    TScanBatch batch;
    while (queue.Pop(batch))
        if (!take(batch)) {
            queue.Stop();
            break;
        }
    walker.join();
}

} // namespace vantrelo
