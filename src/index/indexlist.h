// The file index: an ordered list of (key, owned entry) pairs with a case-insensitive key set.
#pragma once

#include "core/items.h"
#include "index/indexlookup.h"
#include "index/keyset.h"

#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

struct TIndexEntry {
    QString key;                         // file name + name of the folder it was found in
    std::unique_ptr<TMyShellItem> item;  // null for cache lines that hold no entry
};

// Takes the entries of a list that streams them instead of keeping them.
using TIndexSink = std::function<void(const QString& key, std::unique_ptr<TMyShellItem> item)>;
struct TScanBatch;
// Takes them as the walk's batches (scanbatch.h), for writers that need no item per entry.
using TScanBatchSink = std::function<void(TScanBatch&& batch)>;

class TIndexList final : public TIndexLookup {
public:
    TIndexList() = default;
    TIndexList(TIndexList&&) noexcept = default;
    TIndexList& operator=(TIndexList&&) noexcept = default;

    qsizetype size() const { return qsizetype(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    const TIndexEntry& at(qsizetype i) const { return entries_[size_t(i)]; }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }
    void Clear();
    // Gives back the spare room of the entry vector once the list is complete, and the key set
    // (about a tenth of a large list), which a later lookup builds again.
    void Squeeze();

    // From now on added entries go to `sink` (in order) and are not kept; the key set still
    // refuses duplicates. For a scan written out as it runs.
    void StreamTo(TIndexSink sink) { sink_ = std::move(sink); }
    // The same in batches; entries added one by one arrive as batches of one.
    void StreamBatchesTo(TScanBatchSink sink) { batchSink_ = std::move(sink); }
    // A walk's entries, whose keys it has claimed: handed on whole when batches stream, else
    // added (or streamed) one by one as items.
    void AddBatch(TScanBatch&& batch);

    // Appends without looking for an equal key (the cache keeps every line).
    void Append(const QString& key, std::unique_ptr<TMyShellItem> item);
    // Appends unless an entry with the same key (ignoring case) is present; false then.
    bool AddUnique(const QString& key, std::unique_ptr<TMyShellItem> item);
    bool ContainsKey(const QString& key) const;
    // For walks that test a key before building its entry; `lowerKey` is LowerText(key).
    bool ContainsLowerKey(const QString& lowerKey) const;
    void AddWithLowerKey(const QString& key, const QString& lowerKey, std::unique_ptr<TMyShellItem> item);
    // The walk's one-lookup form: claims `lowerKey` (false when it is taken); the claimed entry is
    // then added with AppendClaimed, or the claim given back with UnclaimLowerKey.
    bool ClaimLowerKey(const QString& lowerKey);
    void UnclaimLowerKey(const QString& lowerKey);
    // The same with the key as KeyBytes(lowerKey), which a walk makes without a string.
    bool ClaimKeyBytes(QByteArrayView lowerKeyBytes);
    void AppendClaimed(const QString& key, std::unique_ptr<TMyShellItem> item);
    // Number of entries that hold an item.
    qsizetype ItemCount() const;
    void ForEachNamed(const QString& lowerName, const std::function<bool(const TMyShellItem&)>& visit) const override;
    void ForEachEntry(const std::function<bool(const TMyShellItem&)>& visit) const override;

private:
    void BuildKeys() const;

    void Store(const QString& key, std::unique_ptr<TMyShellItem> item);

    std::vector<TIndexEntry> entries_;
    TIndexSink sink_;
    TScanBatchSink batchSink_;
    mutable TKeySet keys_;          // lower-cased keys, built on first lookup
    mutable bool keysBuilt_ = true;
};

} // namespace vantrelo
