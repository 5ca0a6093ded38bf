// The streamed scan: a walking thread hands batches through a bounded queue to the writing thread.
#include "suggest/scanwriter.h"

#include "index/indexfiles.h"
#include "index/scanbatch.h"
#include "suggest/indexsnapshot.h"

#include <QFile>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace vantrelo {

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;
// Entries waiting between the threads at most: the walk may run ahead only so far, which bounds
// the memory a large tree takes (about a hundred bytes an entry).
constexpr qsizetype kMaxQueued = 16384;
// Batches waiting at most: each holds its folder open.
constexpr std::size_t kMaxBatches = 256;

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
    // The reader takes nothing more: a waiting walker goes on (and is told to stop by its flag).
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

TScanWriteResult WriteScannedIndex(const TScanInput& input, const std::atomic<bool>& cancel, const QString& cacheFile) {
    TScanWriteResult out;
    TIndexImageBuilder image;
    std::atomic<bool> stop{false};
    bool finished = false;
    // Once the cache's content is complete its stamp is known: the snapshot is written meanwhile
    // the cache is flushed to the disk and put in place.
    std::thread snapshot;
    bool snapshotStarted = false;
    TSaveOptions options;
    options.written = [&](const QString& tempFile) {
        const std::optional<TCacheStamp> stamp = CacheStampOf(tempFile);
        if (!stamp) {
            out.snapshot = {false, QStringLiteral("The index cache \"%1\" cannot be read.").arg(tempFile)};
            return;
        }
        snapshotStarted = true;
        snapshot = std::thread([&out, &image, &cacheFile, stamp] {
            out.snapshot = SaveIndexSnapshot(cacheFile, image, out.lines, *stamp);
        });
    };
    out.cache = SaveFileAtomicStream(cacheFile, [&](const TSaveWrite& write) {
        TBatchQueue queue;
        TScanState walked = TScanState::Cancelled;
        std::thread walker([&] {
            const TScanResult r = ScanIndexBatches(input, stop, [&](TScanBatch&& batch) {
                if (cancel.load(std::memory_order_relaxed))
                    stop.store(true);
                // Reading the desktop files' Names is the costliest part of a batch: the walk
                // takes it on itself while the writer is behind.
                if (batch.unreadNames > 0 && queue.Backlog() >= 2)
                    batch.ReadDesktopNames();
                queue.Push(std::move(batch));
            });
            walked = r.state;
            queue.End();
        });
        QByteArray pending;
        pending.reserve(kFlushBytes + 64 * 1024);
        AppendIndexCacheStart(pending);
        bool ok = true;
        TScanBatch batch;
        while (queue.Pop(batch)) {
            if (cancel.load(std::memory_order_relaxed) || !ok) {
                stop.store(true);
                queue.Stop();
                break;
            }
            AppendIndexCacheLines(pending, batch);
            image.AddBatch(out.lines, batch);
            out.lines += std::uint32_t(batch.entries.size());
            out.items += qsizetype(batch.entries.size());
            if (pending.size() >= kFlushBytes) {
                ok = write(pending);
                pending.resize(0); // keeps its room
            }
        }
        walker.join();
        finished = walked == TScanState::Finished && !stop.load() && !cancel.load();
        return finished && ok && write(pending);
    }, options);
    if (snapshot.joinable())
        snapshot.join();
    if (!finished)
        return out;
    out.state = TScanState::Finished;
    if (!out.cache && snapshotStarted && out.snapshot) {
        // A snapshot of content that never became the cache matches no cache file: it goes.
        QFile::remove(SnapshotFileFor(cacheFile));
    }
    return out;
}

} // namespace vantrelo
