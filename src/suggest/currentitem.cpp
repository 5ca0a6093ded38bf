// The current-item binding.
#include "suggest/currentitem.h"

#include "core/items.h"
#include "core/text.h"

namespace vantrelo {

void TCurrentItem::Bind(std::unique_ptr<TItem> item, const QString& forText) {
    item_ = std::move(item);
    text_ = item_ ? TrimText(forText) : QString();
}

void TCurrentItem::Clear() {
    item_.reset();
    text_.clear();
}

const TItem* TCurrentItem::ItemFor(const QString& text) const {
    if (!item_ || TrimText(text) != text_)
        return nullptr;
    return item_.get();
}

void TCurrentItem::Revalidate(const QString& text) {
    if (item_ && TrimText(text) != text_)
        Clear();
}

} // namespace vantrelo
