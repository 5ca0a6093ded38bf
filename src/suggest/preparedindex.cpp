// Preparing the index names once, when the index is adopted, instead of on every keystroke.
#include "suggest/preparedindex.h"

#include "core/items.h"
#include "index/indexlist.h"

namespace vantrelo {

void TPreparedIndex::Adopt(const TIndexList& list) { image_ = TIndexImage::FromBytes(TIndexImage::Build(list)); }

void TPreparedIndex::ForEachNamed(const QString& lowerName,
                                  const std::function<bool(const TMyShellItem&)>& visit) const {
    for (const TPreparedName& n : Names())
        if (Lower(n) == lowerName && !visit(*MakeItem(n)))
            return;
}

void TPreparedIndex::ForEachEntry(const std::function<bool(const TMyShellItem&)>& visit) const {
    for (const TPreparedName& n : Names())
        if (!visit(*MakeItem(n)))
            return;
}

} // namespace vantrelo
