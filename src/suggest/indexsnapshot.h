// The prepared index kept beside scancache.dat, mapped at start instead of reading and preparing the cache.
#pragma once

#include "core/atomicfile.h"
#include "suggest/indeximage.h"

#include <QString>

#include <memory>
#include <optional>

namespace vantrelo {

class TIndexList;

// The snapshot file that belongs to a cache file ("scancache.idx" beside "scancache.dat").
QString SnapshotFileFor(const QString& cacheFile);

// Prepares `list`, which is what `cacheFile` holds now, and writes the snapshot atomically. Writes
// nothing (and says so) when the cache is missing or changed while the snapshot was made.
TSaveResult SaveIndexSnapshot(const QString& cacheFile, const TIndexList& list);
// The same for entries prepared while the cache was written (`lines` cache lines), streamed.
TSaveResult SaveIndexSnapshot(const QString& cacheFile, TIndexImageBuilder& image, std::uint32_t lines);
// The same for a cache of `stamp` (taken before the cache was in place, so both can be written at
// once). The snapshot is not flushed to the disk: a damaged one is never used, only made again.
TSaveResult SaveIndexSnapshot(const QString& cacheFile, TIndexImageBuilder& image, std::uint32_t lines,
                              const TCacheStamp& stamp);
// The mapped snapshot when it is whole and was made from the cache file as it is now; null
// otherwise, with the reason in `why`.
std::shared_ptr<const TIndexImage> OpenIndexSnapshot(const QString& cacheFile, QString* why = nullptr);

// The prepared index of `list`, which `cacheFile` held at `stamp`: the snapshot when it is sound and
// of that cache, otherwise prepared here and the snapshot written again (when the cache is still
// the same). No file or no stamp: prepared in memory only.
std::shared_ptr<const TIndexImage> PrepareIndex(const TIndexList& list, const QString& cacheFile,
                                                const std::optional<TCacheStamp>& stamp);

// The prepared index of a cache file: its snapshot when that is sound, otherwise the cache read and
// prepared, and the snapshot made again for the next time. Null when there is no readable cache.
std::shared_ptr<const TIndexImage> LoadPreparedIndex(const QString& cacheFile);

} // namespace vantrelo
