// The adopted file index with the lower-cased forms that matching and scoring read on every key.
#pragma once

#include "index/indexlist.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace vantrelo {

struct TPreparedName {
    qsizetype entry = 0;      // position in the index
    QString lower;            // the lower-cased `name`, for substring and prefix tests
    QString candidate;        // PrepareCandidate of `name`, for short-form scores
    std::uint64_t mask = 0;   // CharMask of `lower`
    int words = 0;            // WordCount of `candidate`
    int longest = 0;          // LongestWord of `candidate`
    std::uint64_t initials = 0; // CharMask of the first characters of its words
    std::uint64_t finals = 0;   // CharMask of the last characters of its words
    std::uint8_t tier = 0;    // list tier: 0 first, 1 second (manuals, setup...), 2 installers
};

class TPreparedIndex {
public:
    TPreparedIndex() = default;
    explicit TPreparedIndex(TIndexList list) { Adopt(std::move(list)); }

    // Takes the index over and prepares the names of the entries that hold an item.
    void Adopt(TIndexList list);
    // Shares an index that its owner keeps (and never changes: a new index is a new list).
    void Adopt(std::shared_ptr<const TIndexList> list);
    // The same with names prepared beforehand (on a worker: preparing 50,000 names takes tens of
    // milliseconds, too long for the user-interface thread).
    void Adopt(std::shared_ptr<const TIndexList> list, std::vector<TPreparedName> names);
    // The prepared names of the entries that hold an item; touches nothing but `list`.
    static std::vector<TPreparedName> Prepare(const TIndexList& list);
    const TIndexList& List() const { return list_ ? *list_ : Empty(); }
    const std::vector<TPreparedName>& Names() const { return names_; }
    const TMyShellItem& Item(const TPreparedName& n) const { return *List().at(n.entry).item; }
    bool empty() const { return List().empty(); }

private:
    static const TIndexList& Empty();
    std::shared_ptr<const TIndexList> list_;
    std::vector<TPreparedName> names_;
};

// The list tier of a lower-cased name.
std::uint8_t IndexTier(const QString& lowerName);

} // namespace vantrelo
