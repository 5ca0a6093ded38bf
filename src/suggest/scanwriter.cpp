// The streamed scan: a walking thread hands batches through a bounded queue to the writing thread.
#include "suggest/scanwriter.h"

#include "index/batchpipe.h"
#include "index/indexfiles.h"
#include "index/scanbatch.h"
#include "suggest/indexsnapshot.h"

#include <QFile>

#include <thread>

namespace vantrelo {

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;

} // namespace

TScanWriteResult WriteScannedIndex(const TScanInput& input, const std::atomic<bool>& cancel, const QString& cacheFile) {
    TScanWriteResult out;
    TIndexImageBuilder image;
    std::atomic<bool> stop{false};
    bool finished = false;
    // Once the cache's content is complete its stamp is known: the snapshot is written while
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
        QByteArray pending;
        pending.reserve(kFlushBytes + 64 * 1024);
        AppendIndexCacheStart(pending);
        bool ok = true;
        TScanState walked = TScanState::Cancelled;
        const auto walk = [&](const TScanBatchSink& sink) {
            walked = ScanIndexBatches(input, stop, [&](TScanBatch&& batch) {
                if (cancel.load(std::memory_order_relaxed))
                    stop.store(true);
                sink(std::move(batch));
            }).state;
        };
        PipelineBatches(walk, [&](TScanBatch& batch) {
            if (cancel.load(std::memory_order_relaxed) || !ok) {
                stop.store(true);
                return false;
            }
            AppendIndexCacheLines(pending, batch);
            image.AddBatch(out.lines, batch);
            out.lines += std::uint32_t(batch.entries.size());
            out.items += qsizetype(batch.entries.size());
            if (pending.size() >= kFlushBytes) {
                ok = write(pending);
                pending.resize(0); // keeps its room
            }
            return true;
        });
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
