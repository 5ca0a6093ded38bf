// The user's recently opened documents, as the desktop records them.
#pragma once

#include "core/items.h"

#include <vector>

namespace vantrelo {

class TRecentDocuments {
public:
    virtual ~TRecentDocuments() = default;
    // Newest first; an unreadable record gives an empty list.
    virtual std::vector<TMyShellItem> RecentDocuments() const = 0;
};

} // namespace vantrelo
