// Stamping the cache file, and the hash that derived files check themselves with.
#include "index/cachestamp.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
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
    TContentHasher h(seed);
    h.Add(data, size);
    return h.Finish();
}

namespace {
constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
} // namespace

TContentHasher::TContentHasher(std::uint64_t seed)
    : lanes_{seed ^ kMul, seed + 0x632BE59BD9B4E019ull, seed + 0x85EBCA77C2B2AE63ull, ~seed} {}

void TContentHasher::Block(const char* block) {
    // Four lanes of 64-bit words keep the multiplier busy: hashing 20 MB takes a few milliseconds.
    for (int lane = 0; lane < 4; ++lane) {
        std::uint64_t w;
        std::memcpy(&w, block + 8 * lane, 8);
        lanes_[lane] = (lanes_[lane] ^ w) * kMul;
        lanes_[lane] ^= lanes_[lane] >> 31;
    }
}

void TContentHasher::Add(const char* data, std::size_t size) {
    if (size == 0)
        return;
    total_ += size;
    if (pendingSize_ > 0) {
        const std::size_t take = std::min(size, sizeof pending_ - pendingSize_);
        std::memcpy(pending_ + pendingSize_, data, take);
        pendingSize_ += take;
        data += take;
        size -= take;
        if (pendingSize_ < sizeof pending_)
            return;
        Block(pending_);
        pendingSize_ = 0;
    }
    // The lanes stay in registers over a long run of blocks.
    std::uint64_t a = lanes_[0], b = lanes_[1], c = lanes_[2], d = lanes_[3];
    for (; size >= 32; data += 32, size -= 32) {
        std::uint64_t w[4];
        std::memcpy(w, data, 32);
        a = (a ^ w[0]) * kMul;
        a ^= a >> 31;
        b = (b ^ w[1]) * kMul;
        b ^= b >> 31;
        c = (c ^ w[2]) * kMul;
        c ^= c >> 31;
        d = (d ^ w[3]) * kMul;
        d ^= d >> 31;
    }
    lanes_[0] = a;
    lanes_[1] = b;
    lanes_[2] = c;
    lanes_[3] = d;
    if (size > 0)
        std::memcpy(pending_, data, size);
    pendingSize_ = size;
}

std::uint64_t TContentHasher::Finish() const {
    std::uint64_t h[4] = {lanes_[0], lanes_[1], lanes_[2], lanes_[3]};
    for (std::size_t i = 0; i < pendingSize_; ++i)
        h[0] = (h[0] ^ std::uint8_t(pending_[i])) * kMul;
    std::uint64_t r = total_;
    for (const std::uint64_t lane : h) {
        r = (r ^ lane) * kMul;
        r ^= r >> 32;
    }
    return r;
}

} // namespace vantrelo
