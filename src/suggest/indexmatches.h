// The index names a typed text matches, kept between keystrokes so that a longer text walks only what a shorter one matched.
#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace vantrelo {

class TIndexImage;
class TPreparedIndex;

// One lower-case text's matches over one image, in index order, found only as far as a reader
// asked. Three sequences: `Masked` (the name's character mask holds every typed character: what
// any short-form score needs), `Hits` (the lower-case name contains the text and is no "=="
// header: what the list matches) and `Prefixed` (the same, starting with the text: what
// completion matches). A walk made from an earlier walk whose text the new text contains (starts
// with, for `Prefixed`) reads only that walk's entries for the part it had walked.
class TIndexWalk {
public:
    enum class TKind { Masked = 0, Hits = 1, Prefixed = 2 };
    static constexpr int kKinds = 3;

    // Without `narrow` the walk tests every name and `Masked` holds them all: what a search over
    // the whole index reads, the reference narrowed walks must agree with. A walk to the end over
    // at least `splitAt` untested names is shared with a second thread.
    TIndexWalk(const TIndexImage& image, QString text, std::shared_ptr<TIndexWalk> base, bool narrow = true,
               std::size_t splitAt = SIZE_MAX);
    TIndexWalk(const TIndexWalk&) = delete;
    TIndexWalk& operator=(const TIndexWalk&) = delete;

    const QString& Text() const { return text_; }
    // The entries found so far (positions in the image's names).
    const std::vector<std::uint32_t>& Found(TKind kind) const { return seq_[int(kind)].found; }
    // Walks on until `count` entries are found or the index ends; true when there are `count`.
    bool Reach(TKind kind, std::size_t count);
    // Walks to the end.
    const std::vector<std::uint32_t>& All(TKind kind) {
        Reach(kind, SIZE_MAX);
        return Found(kind);
    }
    // Names before this position are decided.
    std::uint32_t Decided(TKind kind) const { return seq_[int(kind)].position; }

private:
    struct TSequence {
        std::vector<std::uint32_t> found;
        std::size_t baseEnd = 0;       // the base's entries this walk reads (those found when it was made)
        std::size_t baseAt = 0;        // the next of them
        std::uint32_t position = 0;    // every name before it is decided
        std::uint32_t fresh = 0;       // from here on every name is tested
    };
    bool Accepts(TKind kind, std::uint32_t at) const;
    // Tests the names at list[begin, end) (with no list: the names begin to end) into `out`, in
    // order; TestSplit shares a long run with a second thread.
    void Test(TKind kind, const std::uint32_t* list, std::size_t begin, std::size_t end, std::vector<std::uint32_t>& out) const;
    void TestSplit(TKind kind, const std::uint32_t* list, std::size_t begin, std::size_t end,
                   std::vector<std::uint32_t>& out) const;
    void ReleaseBase();

    const TIndexImage& image_;
    QString text_;
    std::uint32_t mask_ = 0;
    std::uint32_t initial_ = 0;
    bool narrow_ = true;
    std::size_t splitAt_ = SIZE_MAX;
    std::shared_ptr<TIndexWalk> base_;
    TSequence seq_[kKinds];
};

// The walks of the last few typed texts over the live index; a new image drops them all.
class TIndexMatches {
public:
    // The walk for the lower-case `text` (not empty) over `index`, which holds an image: the kept one for that text,
    // else a new one narrowed from the kept walk of the longest text that `text` contains.
    TIndexWalk& For(const TPreparedIndex& index, const QString& text);
    void Clear() { walks_.clear(); }
    // Off: every walk reads the whole index (the reference for checking narrowed results).
    void SetNarrowing(bool on) {
        narrow_ = on;
        walks_.clear();
    }

    // Walks and searches over at least this many names use both threads (see TIndexWalk).
    void SetSplitAt(std::size_t names) {
        splitAt_ = names;
        walks_.clear();
    }
    std::size_t SplitAt() const { return splitAt_; }

    static constexpr std::size_t kKept = 8;
    static constexpr std::size_t kSplitAt = 262144;

private:
    std::weak_ptr<const TIndexImage> image_;
    bool narrow_ = true;
    std::size_t splitAt_ = kSplitAt;
    std::vector<std::shared_ptr<TIndexWalk>> walks_; // least recently used first
};

} // namespace vantrelo
