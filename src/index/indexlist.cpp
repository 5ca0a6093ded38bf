// The index list's key bookkeeping.
#include "index/indexlist.h"

#include "core/text.h"

#include <cstdint>
#include <cstring>

namespace vantrelo {

size_t qHash(const TIndexKey& key, size_t seed) noexcept {
    constexpr std::uint64_t k = 0x9E3779B97F4A7C15ull;
    const char* p = reinterpret_cast<const char*>(key.text.constData());
    std::size_t n = std::size_t(key.text.size()) * sizeof(QChar);
    std::uint64_t h = std::uint64_t(seed) ^ (n * k);
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
    return size_t(h ^ (h >> 32));
}

void TIndexList::Clear() {
    entries_.clear();
    keys_.clear();
    keysBuilt_ = true;
}

void TIndexList::Squeeze() {
    entries_.shrink_to_fit();
    keys_ = QSet<TIndexKey>();
    keysBuilt_ = entries_.empty();
}

void TIndexList::Append(const QString& key, std::unique_ptr<TMyShellItem> item) {
    Store(key, std::move(item));
    // Loading appends tens of thousands of lines; the key set is built only when first asked.
    keysBuilt_ = false;
}

bool TIndexList::AddUnique(const QString& key, std::unique_ptr<TMyShellItem> item) {
    BuildKeys();
    const QString lower = LowerText(key);
    if (keys_.contains({lower}))
        return false;
    keys_.insert({lower});
    Store(key, std::move(item));
    return true;
}

bool TIndexList::ContainsKey(const QString& key) const {
    BuildKeys();
    return keys_.contains({LowerText(key)});
}

bool TIndexList::ContainsLowerKey(const QString& lowerKey) const {
    BuildKeys();
    return keys_.contains({lowerKey});
}

void TIndexList::AddWithLowerKey(const QString& key, const QString& lowerKey, std::unique_ptr<TMyShellItem> item) {
    BuildKeys();
    keys_.insert({lowerKey});
    Store(key, std::move(item));
}

bool TIndexList::ClaimLowerKey(const QString& lowerKey) {
    BuildKeys();
    const qsizetype before = keys_.size();
    keys_.insert({lowerKey}); // one hash lookup where a test and an insert would take two
    return keys_.size() != before;
}

void TIndexList::UnclaimLowerKey(const QString& lowerKey) {
    keys_.remove({lowerKey});
}

void TIndexList::AppendClaimed(const QString& key, std::unique_ptr<TMyShellItem> item) { Store(key, std::move(item)); }

void TIndexList::Store(const QString& key, std::unique_ptr<TMyShellItem> item) {
    if (sink_)
        sink_(key, std::move(item));
    else
        entries_.push_back({key, std::move(item)});
}

qsizetype TIndexList::ItemCount() const {
    qsizetype n = 0;
    for (const TIndexEntry& e : entries_)
        n += e.item ? 1 : 0;
    return n;
}

void TIndexList::ForEachNamed(const QString& lowerName, const std::function<bool(const TMyShellItem&)>& visit) const {
    for (const TIndexEntry& e : entries_)
        if (e.item && LowerText(e.item->name) == lowerName && !visit(*e.item))
            return;
}

void TIndexList::ForEachEntry(const std::function<bool(const TMyShellItem&)>& visit) const {
    for (const TIndexEntry& e : entries_)
        if (e.item && !visit(*e.item))
            return;
}

void TIndexList::BuildKeys() const {
    if (keysBuilt_)
        return;
    keys_.clear();
    keys_.reserve(qsizetype(entries_.size()));
    for (const TIndexEntry& e : entries_)
        keys_.insert({LowerText(e.key)});
    keysBuilt_ = true;
}

} // namespace vantrelo
