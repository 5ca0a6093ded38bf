// Entries of the drop-down list and of the suggestion list: a display text and an owned item.
#pragma once

#include "core/items.h"

#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

struct TListEntry {
    QString text;
    std::unique_ptr<TItem> item; // null for keywords, headers and plain texts
};

// What the drop-down list shows, in order; headers are entries without item.
using TListContent = std::vector<TListEntry>;
// At most 20 ranked suggestions, best first.
using TSuggestionList = std::vector<TListEntry>;

// "===== " + group + " =====".
QString GroupHeader(const QString& group);
bool IsGroupHeader(const QString& text);
// The Reverse request: each group's entries in the opposite order; the groups and their headers stay.
void ReverseWithinGroups(TListContent& content);

} // namespace vantrelo
