// The prepared index as one block of bytes: records and texts in arenas, built in memory or mapped from a file.
#pragma once

#include "index/cachestamp.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class QFile;

namespace vantrelo {

class TIndexList;
class TMyShellItem;
struct TScanBatch;

// A CharMask folded to 32 bits. The masks only rule names out: a folded test lets through every
// name the full one does (and a few more, which the real comparison then drops).
constexpr std::uint32_t FoldMask(std::uint64_t mask) { return std::uint32_t(mask) | std::uint32_t(mask >> 32); }

// What matching and scoring test on every key for every name, in 16 bytes: a keystroke walks all
// of them (memory traffic is its cost), and most are ruled out by these bits alone.
struct TPreparedName {
    std::uint32_t mask = 0;       // FoldMask of the CharMask of the lower-cased name
    std::uint32_t initials = 0;   // the same of the first characters of the candidate's words
    std::uint32_t finals = 0;     // the same of the last characters of the candidate's words
    std::uint8_t words = 0;       // WordCount of the candidate, at most kCountCap
    std::uint8_t longest = 0;     // LongestWord of the candidate; kCountCap: that long or longer
    std::uint8_t tier = 0;        // list tier: 0 first, 1 second (manuals, setup...), 2 installers
    std::uint8_t spare = 0;
    static constexpr std::uint8_t kCountCap = 255;
};
static_assert(sizeof(TPreparedName) == 16);

// Where a name's prepared texts lie in the arena (read once the bits let a name through).
struct TPreparedText {
    std::uint32_t lower = 0;      // the lower-cased `name`, for substring and prefix tests
    std::uint32_t lowerLength = 0;
    std::uint32_t candidate = 0;  // PrepareCandidate of the lower-cased name, for short-form scores
    std::uint32_t candidateLength = 0;
};
static_assert(sizeof(TPreparedText) == 16);

// The rest of an entry, read only for the rows that are shown or launched.
struct TPreparedEntry {
    std::uint32_t entry = 0;      // line of the cache file it came from
    std::uint32_t name = 0;       // the display name (shares the lower-cased text when equal)
    std::uint32_t nameLength = 0;
    std::uint32_t root = 0;       // index into the roots
    std::uint32_t path = 0;
    std::uint32_t pathLength = 0;
    std::uint32_t ps = 0;         // the stored identifier list, one byte per character; empty: the file's own
    std::uint32_t psLength = 0;
};
static_assert(sizeof(TPreparedEntry) == 32);

using TImageWrite = std::function<bool(QByteArrayView piece)>;

// Prepares entries one at a time (a scan that streams them never holds a list) and writes the
// image out piece by piece.
class TIndexImageBuilder {
public:
    TIndexImageBuilder();
    ~TIndexImageBuilder();
    // Room for what is coming, when it is known.
    void Reserve(std::size_t count, qsizetype nameChars, qsizetype pathChars);
    // The entry on cache line `line`.
    void Add(std::uint32_t line, const TMyShellItem& item);
    // The entries of a walk's batch, the first on cache line `line` (its desktop files' Names are
    // read first); the same records as Add of each entry's item.
    void AddBatch(std::uint32_t line, TScanBatch& batch);
    // Hands the image of `lines` cache lines, made from the cache at `stamp`, to `write` in order;
    // false once a write failed. Once per builder.
    bool Write(std::uint32_t lines, const TCacheStamp& stamp, const TImageWrite& write);

private:
    class TImpl;
    std::unique_ptr<TImpl> d_;
};

class TIndexImage {
public:
    static constexpr std::uint32_t kVersion = 1;

    // Prepares every entry of `list` that holds an item, in list order.
    static QByteArray Build(const TIndexList& list, const TCacheStamp& stamp = {});
    // Checks and adopts bytes (Build's or a file's); null with `error` set when anything is off:
    // magic, version, header or body checksum, sizes, any offset outside its arena.
    static std::shared_ptr<const TIndexImage> FromBytes(QByteArray bytes, QString* error = nullptr);
    // The same over a mapping of an open file, which the image keeps.
    static std::shared_ptr<const TIndexImage> FromFile(std::unique_ptr<QFile> file, QString* error = nullptr);
    ~TIndexImage();

    TCacheStamp Stamp() const;
    std::span<const TPreparedName> Names() const { return {names_, count_}; }
    const TPreparedEntry& Entry(const TPreparedName& n) const { return entries_[&n - names_]; }
    QStringView Lower(const TPreparedName& n) const {
        const TPreparedText& t = texts_[&n - names_];
        return Text(t.lower, t.lowerLength);
    }
    QStringView Candidate(const TPreparedName& n) const {
        const TPreparedText& t = texts_[&n - names_];
        return Text(t.candidate, t.candidateLength);
    }
    QStringView Name(const TPreparedName& n) const;
    // A copy of the entry that owns its texts (it outlives the image).
    std::unique_ptr<TMyShellItem> MakeItem(const TPreparedName& n) const;
    // Lines of the cache file, those without an entry included.
    std::uint32_t LineCount() const { return lines_; }
    // The image's bytes, as a file holds them.
    QByteArrayView Bytes() const { return {data_, qsizetype(size_)}; }

private:
    TIndexImage() = default;
    bool Attach(const char* data, std::size_t size, QString* error);
    QStringView Text(std::uint32_t at, std::uint32_t length) const { return {text_ + at, qsizetype(length)}; }

    QByteArray owned_;
    std::unique_ptr<QFile> file_;
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    const TPreparedName* names_ = nullptr;
    const TPreparedText* texts_ = nullptr;
    const TPreparedEntry* entries_ = nullptr;
    const std::uint32_t* roots_ = nullptr; // offset and length per root
    const char16_t* text_ = nullptr;
    std::size_t count_ = 0;
    std::uint32_t rootCount_ = 0;
    std::uint32_t lines_ = 0;
};

// The list tier of a lower-cased name.
std::uint8_t IndexTier(QStringView lowerName);

} // namespace vantrelo
