// The key set's table and arena.
#include "index/keyset.h"

#include <algorithm>
#include <cstring>

namespace vantrelo {

namespace {

constexpr std::size_t kBlock = 256 * 1024;

std::uint64_t HashBytes(QByteArrayView key) {
    constexpr std::uint64_t k = 0x9E3779B97F4A7C15ull;
    const char* p = key.data();
    std::size_t n = std::size_t(key.size());
    std::uint64_t h = n * k;
    for (; n >= 8; n -= 8, p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * k;
        h ^= h >> 29;
    }
    std::uint64_t tail = 0;
    if (n > 0)
        std::memcpy(&tail, p, n);
    h = (h ^ tail) * k;
    return h ^ (h >> 32);
}

std::uint64_t Slot(std::size_t record, std::uint64_t hash) { return (hash >> 32 << 32) | std::uint32_t(record); }

bool IsValidUtf16(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

} // namespace

TKeySet::TKeySet() = default;
TKeySet::~TKeySet() = default;
TKeySet::TKeySet(TKeySet&&) noexcept = default;
TKeySet& TKeySet::operator=(TKeySet&&) noexcept = default;

void TKeySet::Clear() { *this = TKeySet(); }

void TKeySet::Reserve(std::size_t count) {
    records_.reserve(count);
    while (slots_.size() < 2 * count)
        Grow();
}

std::size_t TKeySet::Find(QByteArrayView key, std::uint64_t hash) const {
    const std::size_t mask = slots_.size() - 1;
    const std::uint64_t tag = hash >> 32;
    for (std::size_t i = std::size_t(hash) & mask;; i = (i + 1) & mask) {
        const std::uint64_t s = slots_[i];
        if (s == 0)
            return i;
        if ((s >> 32) != tag)
            continue;
        const TRecord& r = records_[std::uint32_t(s) - 1];
        if (r.hash == hash && !r.removed && r.length == std::uint32_t(key.size()) &&
            std::memcmp(r.text, key.data(), r.length) == 0)
            return i;
    }
}

bool TKeySet::Contains(QByteArrayView key) const {
    if (slots_.empty())
        return false;
    return slots_[Find(key, HashBytes(key))] != 0;
}

bool TKeySet::Insert(QByteArrayView key) {
    // At most half full, so a free slot always ends a search.
    if (2 * (records_.size() + 1) > slots_.size())
        Grow();
    const std::uint64_t hash = HashBytes(key);
    const std::size_t at = Find(key, hash);
    if (slots_[at] != 0)
        return false;
    records_.push_back({hash, Store(key), std::uint32_t(key.size()), false});
    slots_[at] = Slot(records_.size(), hash);
    ++live_;
    return true;
}

void TKeySet::Remove(QByteArrayView key) {
    if (slots_.empty())
        return;
    const std::uint64_t s = slots_[Find(key, HashBytes(key))];
    if (s == 0)
        return;
    // The slot stays taken (later keys may have probed past it); the record no longer matches.
    records_[std::uint32_t(s) - 1].removed = true;
    --live_;
}

const char* TKeySet::Store(QByteArrayView key) {
    const std::size_t n = std::size_t(key.size());
    if (blocks_.empty() || blockSize_ - blockUsed_ < n) {
        blockSize_ = std::max(kBlock, n);
        blocks_.push_back(std::make_unique<char[]>(blockSize_));
        blockUsed_ = 0;
    }
    char* at = blocks_.back().get() + blockUsed_;
    if (n > 0)
        std::memcpy(at, key.data(), n);
    blockUsed_ += n;
    return at;
}

void TKeySet::Grow() {
    const std::size_t size = slots_.empty() ? 64 : 2 * slots_.size();
    slots_.assign(size, 0);
    const std::size_t mask = size - 1;
    for (std::size_t r = 0; r < records_.size(); ++r) {
        std::size_t i = std::size_t(records_[r].hash) & mask;
        while (slots_[i] != 0)
            i = (i + 1) & mask;
        slots_[i] = Slot(r + 1, records_[r].hash);
    }
}

QByteArray KeyBytes(const QString& lowerKey) {
    if (IsValidUtf16(lowerKey))
        return lowerKey.toUtf8();
    QByteArray out(1, '\xFF');
    out.append(reinterpret_cast<const char*>(lowerKey.constData()), lowerKey.size() * qsizetype(sizeof(QChar)));
    return out;
}

} // namespace vantrelo
