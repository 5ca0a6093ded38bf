// A whole scan written out as it runs: scancache.dat and its prepared snapshot, the walk on a second thread.
#pragma once

#include "core/atomicfile.h"
#include "index/scanner.h"

#include <QString>

#include <atomic>
#include <cstdint>

namespace vantrelo {

// Cancelled: nothing was written. Finished with a failed cache save: the cache is as it was, and
// no snapshot of the unsaved content is left.
struct TScanWriteResult {
    TScanState state = TScanState::Cancelled;
    qsizetype items = 0;
    std::uint32_t lines = 0;
    TSaveResult cache;                        // the cache file's save
    TSaveResult snapshot;                     // the snapshot's (derived: a failure leaves the cache sound)
};

// Scans `input` into `cacheFile` and its snapshot without ever holding the entries as a list: one
// thread walks the folders, this one formats the cache lines and prepares the snapshot's records
// (whichever is behind reads the desktop files' Names), through a bounded queue of batches. The
// cache is replaced only by a finished scan; a set `cancel` leaves both files as they were.
TScanWriteResult WriteScannedIndex(const TScanInput& input, const std::atomic<bool>& cancel, const QString& cacheFile);

} // namespace vantrelo
