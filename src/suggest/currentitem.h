// The item bound to the input line, together with the exact text it was bound for.
#pragma once

#include <QString>

#include <memory>

namespace vantrelo {

class TItem;

// Enter must act on the line as it is: an item bound for an earlier text is never handed out.
class TCurrentItem {
public:
    void Bind(std::unique_ptr<TItem> item, const QString& forText);
    void Clear();
    // The item when it was bound for `text` (compared after trimming); null otherwise.
    const TItem* ItemFor(const QString& text) const;
    // Drops the binding when the line no longer holds the text it was made for.
    void Revalidate(const QString& text);
    bool Empty() const { return !item_; }
    // The bound item regardless of the text (for display of the binding itself).
    const TItem* Item() const { return item_.get(); }
    const QString& BoundText() const { return text_; }

private:
    std::unique_ptr<TItem> item_;
    QString text_;
};

} // namespace vantrelo
