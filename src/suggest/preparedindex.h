// The adopted file index with the lower-cased forms that matching and scoring read on every key.
#pragma once

#include "index/indexlookup.h"
#include "suggest/indeximage.h"

#include <QString>

#include <memory>
#include <span>

namespace vantrelo {

class TIndexList;

// Reads a prepared image (built from a list, or a mapped snapshot); the image is never changed:
// a new index is a new image, and readers that keep the old one keep it alive.
class TPreparedIndex final : public TIndexLookup {
public:
    TPreparedIndex() = default;
    explicit TPreparedIndex(const TIndexList& list) { Adopt(list); }

    // Prepares the entries of `list` that hold an item (tests, and indexes without a cache file).
    void Adopt(const TIndexList& list);
    // An image prepared beforehand (on a worker, or mapped from the snapshot); null empties the index.
    void Adopt(std::shared_ptr<const TIndexImage> image) { image_ = std::move(image); }

    std::span<const TPreparedName> Names() const { return image_ ? image_->Names() : std::span<const TPreparedName>(); }
    QStringView Lower(const TPreparedName& n) const { return image_->Lower(n); }
    QStringView Candidate(const TPreparedName& n) const { return image_->Candidate(n); }
    // The display name, valid while this index holds its image.
    QStringView NameView(const TPreparedName& n) const { return image_->Name(n); }
    QString Name(const TPreparedName& n) const { return image_->Name(n).toString(); }
    // An owned copy of the entry, for the list, the bound item and the launch.
    std::unique_ptr<TMyShellItem> MakeItem(const TPreparedName& n) const { return image_->MakeItem(n); }
    // Entries that hold an item.
    qsizetype ItemCount() const { return qsizetype(Names().size()); }
    // No cache lines at all.
    bool empty() const { return !image_ || image_->LineCount() == 0; }
    const std::shared_ptr<const TIndexImage>& Image() const { return image_; }
    void ForEachNamed(const QString& lowerName, const std::function<bool(const TMyShellItem&)>& visit) const override;
    void ForEachEntry(const std::function<bool(const TMyShellItem&)>& visit) const override;

private:
    std::shared_ptr<const TIndexImage> image_;
};

} // namespace vantrelo
