// The index list's key bookkeeping.
#include "index/indexlist.h"

#include "core/text.h"
#include "index/scanbatch.h"

namespace vantrelo {

void TIndexList::Clear() {
    entries_.clear();
    keys_.Clear();
    keysBuilt_ = true;
}

void TIndexList::Squeeze() {
    entries_.shrink_to_fit();
    keys_.Clear();
    keysBuilt_ = entries_.empty();
}

void TIndexList::Append(const QString& key, std::unique_ptr<TMyShellItem> item) {
    Store(key, std::move(item));
    // Loading appends tens of thousands of lines; the key set is built only when first asked.
    keysBuilt_ = false;
}

bool TIndexList::AddUnique(const QString& key, std::unique_ptr<TMyShellItem> item) {
    BuildKeys();
    if (!keys_.Insert(KeyBytes(LowerText(key))))
        return false;
    Store(key, std::move(item));
    return true;
}

bool TIndexList::ContainsKey(const QString& key) const {
    BuildKeys();
    return keys_.Contains(KeyBytes(LowerText(key)));
}

bool TIndexList::ContainsLowerKey(const QString& lowerKey) const {
    BuildKeys();
    return keys_.Contains(KeyBytes(lowerKey));
}

void TIndexList::AddWithLowerKey(const QString& key, const QString& lowerKey, std::unique_ptr<TMyShellItem> item) {
    BuildKeys();
    keys_.Insert(KeyBytes(lowerKey));
    Store(key, std::move(item));
}

bool TIndexList::ClaimLowerKey(const QString& lowerKey) {
    return ClaimKeyBytes(KeyBytes(lowerKey));
}

bool TIndexList::ClaimKeyBytes(QByteArrayView lowerKeyBytes) {
    BuildKeys();
    return keys_.Insert(lowerKeyBytes); // one lookup where a test and an insert would take two
}

void TIndexList::UnclaimLowerKey(const QString& lowerKey) {
    keys_.Remove(KeyBytes(lowerKey));
}

void TIndexList::AppendClaimed(const QString& key, std::unique_ptr<TMyShellItem> item) { Store(key, std::move(item)); }

void TIndexList::AddBatch(TScanBatch&& batch) {
    if (batchSink_) {
        batchSink_(std::move(batch));
        return;
    }
    QString key;
    for (TScanBatchEntry& e : batch.entries) {
        std::unique_ptr<TMyShellItem> item = batch.TakeItem(e, key);
        Store(key, std::move(item));
    }
}

void TIndexList::Store(const QString& key, std::unique_ptr<TMyShellItem> item) {
    if (batchSink_) {
        TScanBatch one;
        one.entries.emplace_back();
        one.entries.back().key = key;
        one.entries.back().item = std::move(item);
        batchSink_(std::move(one));
        return;
    }
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
    keys_.Clear();
    keys_.Reserve(entries_.size());
    for (const TIndexEntry& e : entries_)
        keys_.Insert(KeyBytes(LowerText(e.key)));
    keysBuilt_ = true;
}

} // namespace vantrelo
