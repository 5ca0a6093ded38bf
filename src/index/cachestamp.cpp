// Stamping the cache file, and the hash that derived files check themselves with.
#include "index/cachestamp.h"

#include <QDateTime>
#include <QFile>

#include <cstring>

namespace vantrelo {

namespace {

constexpr qint64 kEdge = 4096;

} // namespace

std::optional<TCacheStamp> CacheStampOf(const QString& cacheFile) {
    QFile f(cacheFile);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    TCacheStamp s;
    s.size = std::uint64_t(f.size());
    s.modified = f.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch();
    // Size and time alone miss a rewrite of equal size within the same millisecond.
    QByteArray edges = f.read(kEdge);
    if (f.size() > kEdge) {
        if (!f.seek(std::max(kEdge, f.size() - kEdge)))
            return std::nullopt;
        edges += f.read(kEdge);
    }
    s.edges = ContentHash(edges.constData(), std::size_t(edges.size()), s.size);
    return s;
}

std::uint64_t ContentHash(const char* data, std::size_t size, std::uint64_t seed) {
    // Four lanes of 64-bit words keep the multiplier busy: hashing 20 MB takes a few milliseconds.
    constexpr std::uint64_t k = 0x9E3779B97F4A7C15ull;
    std::uint64_t h[4] = {seed ^ k, seed + 0x632BE59BD9B4E019ull, seed + 0x85EBCA77C2B2AE63ull, ~seed};
    std::size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int lane = 0; lane < 4; ++lane) {
            std::uint64_t w;
            std::memcpy(&w, data + i + 8 * lane, 8);
            h[lane] = (h[lane] ^ w) * k;
            h[lane] ^= h[lane] >> 31;
        }
    }
    for (; i < size; ++i)
        h[0] = (h[0] ^ std::uint8_t(data[i])) * k;
    std::uint64_t r = size;
    for (const std::uint64_t lane : h) {
        r = (r ^ lane) * k;
        r ^= r >> 32;
    }
    return r;
}

} // namespace vantrelo
