// The snapshot file of the prepared index: writing, mapping and checking it against the cache.
#include "suggest/indexsnapshot.h"

#include "index/indexfiles.h"
#include "index/indexlist.h"

#include <QFile>

namespace vantrelo {

namespace {

// Prepares `list`, which the cache held at `stamp`, and writes the snapshot when the cache still
// has that stamp; the mapped snapshot then serves (its unread pages stay out of memory), else the
// bytes built here.
std::shared_ptr<const TIndexImage> BuildAndKeep(const TIndexList& list, const QString& cacheFile,
                                                const TCacheStamp& stamp) {
    QByteArray bytes = TIndexImage::Build(list, stamp);
    if (CacheStampOf(cacheFile) == stamp && SaveFileAtomic(SnapshotFileFor(cacheFile), bytes))
        if (std::shared_ptr<const TIndexImage> image = OpenIndexSnapshot(cacheFile))
            return image;
    return TIndexImage::FromBytes(std::move(bytes));
}

} // namespace

QString SnapshotFileFor(const QString& cacheFile) {
    QString file = cacheFile;
    if (file.endsWith(QLatin1String(".dat")))
        file.chop(4);
    return file + QLatin1String(".idx");
}

TSaveResult SaveIndexSnapshot(const QString& cacheFile, const TIndexList& list) {
    const std::optional<TCacheStamp> before = CacheStampOf(cacheFile);
    if (!before)
        return {false, QStringLiteral("The index cache \"%1\" cannot be read.").arg(cacheFile)};
    const QByteArray image = TIndexImage::Build(list, *before);
    // Another writer replaced the cache meanwhile: a snapshot of this list would not match it.
    if (CacheStampOf(cacheFile) != before)
        return {false, QStringLiteral("The index cache \"%1\" changed while it was prepared.").arg(cacheFile)};
    return SaveFileAtomic(SnapshotFileFor(cacheFile), image);
}

TSaveResult SaveIndexSnapshot(const QString& cacheFile, TIndexImageBuilder& image, std::uint32_t lines) {
    const std::optional<TCacheStamp> stamp = CacheStampOf(cacheFile);
    if (!stamp)
        return {false, QStringLiteral("The index cache \"%1\" cannot be read.").arg(cacheFile)};
    return SaveFileAtomicStream(SnapshotFileFor(cacheFile),
                                [&](const TSaveWrite& write) { return image.Write(lines, *stamp, write); });
}

TSaveResult SaveIndexSnapshot(const QString& cacheFile, TIndexImageBuilder& image, std::uint32_t lines,
                              const TCacheStamp& stamp) {
    TSaveOptions options;
    options.flush = false;
    return SaveFileAtomicStream(
        SnapshotFileFor(cacheFile), [&](const TSaveWrite& write) { return image.Write(lines, stamp, write); }, options);
}

std::shared_ptr<const TIndexImage> OpenIndexSnapshot(const QString& cacheFile, QString* why) {
    const std::optional<TCacheStamp> stamp = CacheStampOf(cacheFile);
    if (!stamp) {
        if (why)
            *why = QStringLiteral("no cache");
        return nullptr;
    }
    auto file = std::make_unique<QFile>(SnapshotFileFor(cacheFile));
    if (!file->open(QIODevice::ReadOnly)) {
        if (why)
            *why = QStringLiteral("no snapshot");
        return nullptr;
    }
    std::shared_ptr<const TIndexImage> image = TIndexImage::FromFile(std::move(file), why);
    if (image && image->Stamp() != *stamp) {
        if (why)
            *why = QStringLiteral("stale");
        return nullptr;
    }
    return image;
}

std::shared_ptr<const TIndexImage> PrepareIndex(const TIndexList& list, const QString& cacheFile,
                                                const std::optional<TCacheStamp>& stamp) {
    if (cacheFile.isEmpty() || !stamp)
        return TIndexImage::FromBytes(TIndexImage::Build(list));
    // A snapshot of a newer cache (another writer) is not this list's.
    if (std::shared_ptr<const TIndexImage> image = OpenIndexSnapshot(cacheFile); image && image->Stamp() == *stamp)
        return image;
    return BuildAndKeep(list, cacheFile, *stamp);
}

std::shared_ptr<const TIndexImage> LoadPreparedIndex(const QString& cacheFile) {
    if (std::shared_ptr<const TIndexImage> image = OpenIndexSnapshot(cacheFile))
        return image;
    // Stamped before reading: a cache replaced while it is read must not lend the snapshot its stamp.
    const std::optional<TCacheStamp> stamp = CacheStampOf(cacheFile);
    TIndexList list;
    if (!stamp || !LoadIndexCache(cacheFile, list))
        return nullptr;
    return BuildAndKeep(list, cacheFile, *stamp);
}

} // namespace vantrelo
