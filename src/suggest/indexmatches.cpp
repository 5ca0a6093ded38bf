// Narrowed walks: a text that contains an earlier one can only match names the earlier one matched.
#include "suggest/indexmatches.h"

#include "core/items.h"
#include "suggest/indeximage.h"
#include "suggest/preparedindex.h"
#include "suggest/shortform.h"

#include <algorithm>
#include <iterator>
#include <thread>

namespace vantrelo {

namespace {

// A case-sensitive prefix test, inline: it runs for every name whose character mask passes.
bool HasPrefix(QStringView text, QStringView prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin());
}

} // namespace

TIndexWalk::TIndexWalk(const TIndexImage& image, QString text, std::shared_ptr<TIndexWalk> base, bool narrow,
                       std::size_t splitAt)
    : image_(image), text_(std::move(text)), mask_(FoldMask(CharMask(text_))), narrow_(narrow), splitAt_(splitAt),
      base_(narrow ? std::move(base) : nullptr) {
    // A name starting with the text has a word starting with its first character (the record's
    // initials), unless that character is a space, which the words leave out.
    if (!text_.isEmpty() && !text_.front().isSpace())
        initial_ = FoldMask(CharMask(text_.left(1)));
    for (int k = 0; k < kKinds; ++k) {
        TSequence& s = seq_[k];
        // A text that only contains the base's may start otherwise: its prefixed names are new.
        if (base_ && (TKind(k) != TKind::Prefixed || text_.startsWith(base_->text_))) {
            // Every name the base had decided and left out is left out here too.
            s.baseEnd = base_->seq_[k].found.size();
            s.fresh = base_->seq_[k].position;
        }
        s.position = s.baseEnd ? 0 : s.fresh;
    }
    ReleaseBase();
}

bool TIndexWalk::Accepts(TKind kind, std::uint32_t at) const {
    const TPreparedName& n = image_.Names()[at];
    if (kind == TKind::Masked)
        return !narrow_ || (n.mask & mask_) == mask_;
    if ((n.mask & mask_) != mask_)
        return false;
    if (kind == TKind::Prefixed && (n.initials & initial_) != initial_)
        return false;
    const QStringView lower = image_.Lower(n);
    if (HasPrefix(lower, u"=="))
        return false;
    return kind == TKind::Prefixed ? HasPrefix(lower, text_) : lower.contains(text_);
}

bool TIndexWalk::Reach(TKind kind, std::size_t count) {
    TSequence& s = seq_[int(kind)];
    const auto end = std::uint32_t(image_.Names().size());
    if (count == SIZE_MAX) {
        // To the end: the base's entries, then every name after what the base had walked.
        if (s.baseAt < s.baseEnd) {
            TestSplit(kind, base_->seq_[int(kind)].found.data(), s.baseAt, s.baseEnd, s.found);
            s.baseAt = s.baseEnd;
            s.position = s.fresh;
            ReleaseBase();
        }
        if (s.position < end) {
            TestSplit(kind, nullptr, s.position, end, s.found);
            s.position = end;
        }
        return false;
    }
    // The base's entries first: names it left out need no test.
    while (s.found.size() < count && s.baseAt < s.baseEnd) {
        const std::uint32_t at = base_->seq_[int(kind)].found[s.baseAt++];
        if (Accepts(kind, at))
            s.found.push_back(at);
        s.position = s.baseAt == s.baseEnd ? s.fresh : at + 1;
    }
    if (s.baseAt == s.baseEnd)
        ReleaseBase();
    const auto names = image_.Names();
    // Then every name after what the base had walked; the mask is tested inline, as most fail it.
    // A reader still short after a long stretch (a rare text) gets the next two stretches tested
    // on both threads at once.
    const std::uint32_t from = s.position;
    while (s.found.size() < count && s.position < end) {
        if (s.position - from >= splitAt_ && end - s.position >= 2 * splitAt_) {
            const auto stretch = std::uint32_t(2 * splitAt_);
            TestSplit(kind, nullptr, s.position, s.position + stretch, s.found);
            s.position += stretch;
            continue;
        }
        const std::uint32_t at = s.position++;
        if (((names[at].mask & mask_) == mask_ || !narrow_) && (kind == TKind::Masked || Accepts(kind, at)))
            s.found.push_back(at);
    }
    return s.found.size() >= count;
}

void TIndexWalk::Test(TKind kind, const std::uint32_t* list, std::size_t begin, std::size_t end,
                      std::vector<std::uint32_t>& out) const {
    const auto names = image_.Names();
    for (std::size_t i = begin; i < end; ++i) {
        const auto at = list ? list[i] : std::uint32_t(i);
        if (((names[at].mask & mask_) == mask_ || !narrow_) && (kind == TKind::Masked || Accepts(kind, at)))
            out.push_back(at);
    }
}

void TIndexWalk::TestSplit(TKind kind, const std::uint32_t* list, std::size_t begin, std::size_t end,
                           std::vector<std::uint32_t>& out) const {
    if (end - begin < splitAt_) {
        Test(kind, list, begin, end, out);
        return;
    }
    // Two halves, the second on a worker joined before anything reads the result; both only
    // read the image, the base's entries and this walk's text.
    const std::size_t middle = begin + (end - begin) / 2;
    std::vector<std::uint32_t> second;
    std::thread worker([&] { Test(kind, list, middle, end, second); });
    Test(kind, list, begin, middle, out);
    worker.join();
    out.insert(out.end(), second.begin(), second.end());
}

void TIndexWalk::ReleaseBase() {
    // The base is kept only while a sequence still reads its entries.
    if (base_ && std::all_of(std::begin(seq_), std::end(seq_), [](const TSequence& s) { return s.baseAt == s.baseEnd; }))
        base_.reset();
}

TIndexWalk& TIndexMatches::For(const TPreparedIndex& index, const QString& text) {
    const std::shared_ptr<const TIndexImage>& image = index.Image();
    // Owner comparison: a new image is never taken for the old one, even at the same address.
    if (image_.owner_before(image) || image.owner_before(image_)) {
        walks_.clear();
        image_ = image;
    }
    std::shared_ptr<TIndexWalk> base;
    for (auto it = walks_.begin(); it != walks_.end(); ++it) {
        const std::shared_ptr<TIndexWalk>& w = *it;
        if (w->Text() == text) {
            std::shared_ptr<TIndexWalk> same = w;
            walks_.erase(it);
            walks_.push_back(std::move(same));
            return *walks_.back();
        }
        if (!text.contains(w->Text()))
            continue;
        // The longest contained text narrows most; among equals the one walked furthest.
        const auto progress = [](const TIndexWalk& x) {
            return std::uint64_t(x.Decided(TIndexWalk::TKind::Masked)) + x.Decided(TIndexWalk::TKind::Hits) +
                   x.Decided(TIndexWalk::TKind::Prefixed);
        };
        if (!base || w->Text().size() > base->Text().size() ||
            (w->Text().size() == base->Text().size() && progress(*w) > progress(*base)))
            base = w;
    }
    walks_.push_back(std::make_shared<TIndexWalk>(*image, text, std::move(base), narrow_, splitAt_));
    if (walks_.size() > kKept)
        walks_.erase(walks_.begin());
    return *walks_.back();
}

} // namespace vantrelo
