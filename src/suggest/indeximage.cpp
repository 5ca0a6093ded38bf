// Building, checking and reading the prepared index image.
#include "suggest/indeximage.h"

#include "core/items.h"
#include "core/text.h"
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "index/scanbatch.h"
#include "suggest/shortform.h"

#include <QFile>
#include <QHash>

#include <cstring>
#ifdef __linux__
#include <sys/mman.h>
#endif
#include <string_view>
#include <vector>

namespace vantrelo {

namespace {

constexpr char kMagic[8] = {'V', 'T', 'R', 'I', 'D', 'X', '\r', '\n'};

struct THeader {
    char magic[8];
    std::uint32_t version;
    std::uint32_t headerSize;
    std::uint64_t cacheSize;
    std::int64_t cacheModified;
    std::uint64_t cacheEdges;
    std::uint32_t lines;
    std::uint32_t count;
    std::uint32_t rootCount;
    std::uint32_t textLength;
    std::uint64_t bodyHash;
    std::uint64_t headerHash; // of the bytes before it
};
static_assert(sizeof(THeader) == 72);

// Where each part starts; the texts go last.
struct TLayout {
    std::size_t names, texts, entries, roots, text, size;
};

TLayout LayoutOf(std::uint64_t count, std::uint64_t rootCount, std::uint64_t textLength) {
    TLayout l{};
    l.names = sizeof(THeader);
    l.texts = l.names + count * sizeof(TPreparedName);
    l.entries = l.texts + count * sizeof(TPreparedText);
    l.roots = l.entries + count * sizeof(TPreparedEntry);
    l.text = l.roots + rootCount * 2 * sizeof(std::uint32_t);
    l.size = l.text + textLength * sizeof(char16_t);
    return l;
}

struct TTierWord {
    std::u16string_view text;
    std::uint8_t tier;
};

// Installers and uninstallers go last, help and maintenance entries before them.
constexpr TTierWord kTierWords[] = {
    {u"inst", 2},    {u"manual", 1}, {u"read ", 1},  {u"readm", 1},   {u"repair", 1},  {u"setup", 1},
    {u"website", 1}, {u"homepage", 1}, {u"regist", 1}, {u"update", 1}, {u"config", 1}, {u"check ", 1},
    {u"guide", 1},   {u"help", 1},   {u"user ", 1},  {u"forum", 1},   {u" web", 1},    {u"order ", 1},
    {u"remove", 1},  {u"support", 1}, {u"buy ", 1},  {u"safe m", 1},  {u"documenta", 1}};

// Texts appended one after another; an entry keeps offsets into it.
class TArena {
public:
    void Reserve(qsizetype chars) { text_.reserve(chars); }
    std::uint32_t Add(QStringView s) {
        const auto at = std::uint32_t(text_.size());
        text_.append(s);
        return at;
    }
    const QString& Text() const { return text_; }

private:
    QString text_;
};

bool Fail(QString* error, const char* why) {
    if (error)
        *error = QString::fromLatin1(why);
    return false;
}

bool InArena(std::uint64_t at, std::uint64_t length, std::uint64_t arena) { return at <= arena && length <= arena - at; }

} // namespace

// The records of one image. Its texts go in four runs, by how often a keystroke reads them: the
// lower-case forms (every name whose mask passes), the candidates (names worth scoring), the
// display names (rows shown), then paths and roots. Typing then keeps only the first runs resident.
class TIndexImageBuilder::TImpl {
public:
    void Reserve(std::size_t count, qsizetype nameChars, qsizetype pathChars) {
        names_.reserve(count);
        texts_.reserve(count);
        entries_.reserve(count);
        placed_.reserve(count);
        lower_.Reserve(nameChars + 64);
        cold_.Reserve(pathChars + 4096);
    }

    void Add(qsizetype line, const TMyShellItem& item) {
        const QString lower = LowerText(item.name);
        const QString candidate = PrepareCandidate(lower);
        const QStringView path[2] = {item.path, {}};
        AddForms(line, item.name, lower, candidate, RootIndex(item.root), path, item.ps);
    }

    // A plain entry of a walk's batch: an ASCII file name in `folder`, its forms made on the stack.
    void AddPlain(qsizetype line, QByteArrayView name, std::uint32_t root, QStringView folder) {
        constexpr qsizetype kRoom = 512;
        if (name.size() > kRoom) {
            const QString n = QString::fromLatin1(name);
            const QString lower = LowerText(n);
            const QStringView path[2] = {folder, n};
            return AddForms(line, n, lower, PrepareCandidate(lower), root, path, {});
        }
        char16_t wide[kRoom], lower[kRoom], candidate[kRoom];
        const qsizetype n = name.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = char16_t(uchar(name[i]));
            wide[i] = c;
            lower[i] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
        }
        // PrepareCandidate of the lower-case form: double spaces halved in one pass, then trimmed.
        qsizetype m = 0;
        for (qsizetype i = 0; i < n; ++i) {
            candidate[m++] = lower[i];
            if (lower[i] == u' ' && i + 1 < n && lower[i + 1] == u' ')
                ++i;
        }
        qsizetype b = 0;
        while (b < m && candidate[b] <= 0x20)
            ++b;
        while (m > b && candidate[m - 1] <= 0x20)
            --m;
        const QStringView path[2] = {folder, QStringView(wide, n)};
        AddForms(line, QStringView(wide, n), QStringView(lower, n), QStringView(candidate + b, m - b), root, path, {});
    }

    std::uint32_t RootIndex(const QString& root) {
        // Roots repeat for every file of a scanned folder: each is stored once.
        if (root == lastRoot_ && !roots_.empty())
            return lastIndex_;
        auto it = rootIndex_.constFind(root);
        if (it == rootIndex_.constEnd()) {
            it = rootIndex_.insert(root, std::uint32_t(roots_.size() / 2));
            roots_.push_back(cold_.Add(root));
            roots_.push_back(std::uint32_t(root.size()));
        }
        lastRoot_ = root;
        lastIndex_ = *it;
        return lastIndex_;
    }

    bool Write(std::uint32_t lines, const TCacheStamp& stamp, const TImageWrite& write) {
        // Offsets move to where their run lands; roots live in the cold run too.
        const auto candidatesAt = std::uint32_t(lower_.Text().size());
        const auto displayAt = candidatesAt + std::uint32_t(candidates_.Text().size());
        const auto coldAt = displayAt + std::uint32_t(display_.Text().size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            TPreparedEntry& e = entries_[i];
            if (placed_[i] & kOwnCandidate)
                texts_[i].candidate += candidatesAt;
            if (placed_[i] & kOwnName)
                e.name += displayAt;
            e.path += coldAt;
            if (e.psLength)
                e.ps += coldAt;
        }
        for (std::size_t i = 0; i < roots_.size(); i += 2)
            roots_[i] += coldAt;
        const auto bytes = [](const auto& v) {
            return QByteArrayView(reinterpret_cast<const char*>(v.data()), qsizetype(v.size() * sizeof(v[0])));
        };
        const QByteArrayView pieces[] = {bytes(names_),
                                         bytes(texts_),
                                         bytes(entries_),
                                         bytes(roots_),
                                         bytes(QStringView(lower_.Text())),
                                         bytes(QStringView(candidates_.Text())),
                                         bytes(QStringView(display_.Text())),
                                         bytes(QStringView(cold_.Text()))};
        THeader h{};
        std::memcpy(h.magic, kMagic, sizeof kMagic);
        h.version = TIndexImage::kVersion;
        h.headerSize = sizeof(THeader);
        h.cacheSize = stamp.size;
        h.cacheModified = stamp.modified;
        h.cacheEdges = stamp.edges;
        h.lines = lines;
        h.count = std::uint32_t(names_.size());
        h.rootCount = std::uint32_t(roots_.size() / 2);
        h.textLength = coldAt + std::uint32_t(cold_.Text().size());
        TContentHasher body;
        for (const QByteArrayView piece : pieces)
            body.Add(piece.data(), std::size_t(piece.size()));
        h.bodyHash = body.Finish();
        h.headerHash = ContentHash(reinterpret_cast<const char*>(&h), offsetof(THeader, headerHash));
        if (!write(QByteArrayView(reinterpret_cast<const char*>(&h), sizeof h)))
            return false;
        for (const QByteArrayView piece : pieces)
            if (!write(piece))
                return false;
        return true;
    }

private:
    // The records of one entry from its name's forms; the path is given in two pieces.
    void AddForms(qsizetype line, QStringView name, QStringView lower, QStringView candidate, std::uint32_t root,
                  const QStringView (&path)[2], QByteArrayView ps) {
        TPreparedName n;
        TPreparedText t;
        TPreparedEntry e;
        e.entry = std::uint32_t(line);
        // Equal forms share the lower-case text; the others are placed in their own run.
        std::uint8_t placed = 0;
        t.lower = lower_.Add(lower);
        t.lowerLength = std::uint32_t(lower.size());
        t.candidate = t.lower;
        if (candidate != lower) {
            t.candidate = candidates_.Add(candidate);
            placed |= kOwnCandidate;
        }
        t.candidateLength = std::uint32_t(candidate.size());
        e.name = t.lower;
        if (name != lower) {
            e.name = display_.Add(name);
            placed |= kOwnName;
        }
        e.nameLength = std::uint32_t(name.size());
        n.mask = FoldMask(CharMask(lower));
        // WordCount, LongestWord and the masks of the words' first and last characters in one pass.
        std::uint64_t initials = 0, finals = 0;
        int words = candidate.isEmpty() ? 0 : 1, longest = 0, run = 0;
        const qsizetype size = candidate.size();
        for (qsizetype i = 0; i < size; ++i) {
            if (candidate[i] == u' ') {
                ++words;
                run = 0;
                continue;
            }
            longest = std::max(longest, ++run);
            if (run == 1)
                initials |= CharMask(candidate.mid(i, 1));
            if (i + 1 == size || candidate[i + 1] == u' ')
                finals |= CharMask(candidate.mid(i, 1));
        }
        n.words = std::uint8_t(std::min<int>(words, TPreparedName::kCountCap));
        n.longest = std::uint8_t(std::min<int>(longest, TPreparedName::kCountCap));
        n.initials = FoldMask(initials);
        n.finals = FoldMask(finals);
        n.tier = IndexTier(lower);
        e.root = root;
        e.path = cold_.Add(path[0]);
        cold_.Add(path[1]);
        e.pathLength = std::uint32_t(path[0].size() + path[1].size());
        if (!ps.isEmpty()) {
            e.ps = cold_.Add(QString::fromLatin1(ps));
            e.psLength = std::uint32_t(ps.size());
        }
        names_.push_back(n);
        texts_.push_back(t);
        entries_.push_back(e);
        placed_.push_back(placed);
    }

    static constexpr std::uint8_t kOwnCandidate = 1;
    static constexpr std::uint8_t kOwnName = 2;
    TArena lower_, candidates_, display_, cold_;
    std::vector<std::uint8_t> placed_; // which texts of an entry have their own run
    std::vector<TPreparedName> names_;
    std::vector<TPreparedText> texts_;
    std::vector<TPreparedEntry> entries_;
    std::vector<std::uint32_t> roots_;
    QHash<QString, std::uint32_t> rootIndex_;
    QString lastRoot_;
    std::uint32_t lastIndex_ = 0;
};

std::uint8_t IndexTier(QStringView lowerName) {
    // One pass over the name, trying only the words that start with the character at hand: this
    // runs for every indexed entry when an index is prepared.
    struct TBuckets {
        std::uint8_t first[28][8]; // word numbers + 1 per starting character (a-z, space), 0 ends
    };
    static const TBuckets buckets = [] {
        TBuckets b{};
        for (std::uint8_t w = 0; w < std::size(kTierWords); ++w) {
            const char16_t c = kTierWords[w].text.front();
            std::uint8_t* slot = b.first[c == u' ' ? 26 : c - u'a'];
            while (*slot)
                ++slot;
            *slot = std::uint8_t(w + 1);
        }
        return b;
    }();
    const std::u16string_view name(reinterpret_cast<const char16_t*>(lowerName.utf16()), size_t(lowerName.size()));
    std::uint8_t tier = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        const int bucket = c == u' ' ? 26 : (c >= u'a' && c <= u'z' ? c - u'a' : -1);
        if (bucket < 0)
            continue;
        for (const std::uint8_t* w = buckets.first[bucket]; *w; ++w) {
            const TTierWord& word = kTierWords[*w - 1];
            // Every word is longer than one character: its second one rules most places out.
            if (i + 1 >= name.size() || name[i + 1] != word.text[1] || name.compare(i, word.text.size(), word.text) != 0)
                continue;
            if (word.tier == 2)
                return 2;
            tier = 1;
        }
    }
    return tier;
}

TIndexImageBuilder::TIndexImageBuilder() : d_(std::make_unique<TImpl>()) {}
TIndexImageBuilder::~TIndexImageBuilder() = default;

void TIndexImageBuilder::Reserve(std::size_t count, qsizetype nameChars, qsizetype pathChars) {
    d_->Reserve(count, nameChars, pathChars);
}

void TIndexImageBuilder::Add(std::uint32_t line, const TMyShellItem& item) { d_->Add(line, item); }

void TIndexImageBuilder::AddBatch(std::uint32_t line, TScanBatch& batch) {
    batch.ReadDesktopNames();
    std::uint32_t root = 0;
    bool haveRoot = false;
    for (const TScanBatchEntry& e : batch.entries) {
        if (e.item) {
            d_->Add(line++, *e.item);
            continue;
        }
        if (!haveRoot) {
            root = d_->RootIndex(batch.root);
            haveRoot = true;
        }
        d_->AddPlain(line++, batch.Name(e), root, batch.folder);
    }
}

bool TIndexImageBuilder::Write(std::uint32_t lines, const TCacheStamp& stamp, const TImageWrite& write) {
    return d_->Write(lines, stamp, write);
}

QByteArray TIndexImage::Build(const TIndexList& list, const TCacheStamp& stamp) {
    // Sized once for the whole list: growing by doubling would hold two copies at the end.
    std::size_t count = 0;
    qsizetype nameChars = 0, pathChars = 0;
    for (const TIndexEntry& e : list)
        if (e.item) {
            ++count;
            nameChars += e.item->name.size();
            pathChars += e.item->path.size() + e.item->ps.size();
        }
    TIndexImageBuilder b;
    b.Reserve(count, nameChars, pathChars);
    for (qsizetype i = 0; i < list.size(); ++i)
        if (const auto& item = list.at(i).item)
            b.Add(std::uint32_t(i), *item);
    QByteArray out;
    b.Write(std::uint32_t(list.size()), stamp, [&out](QByteArrayView piece) {
        out.append(piece);
        return true;
    });
    return out;
}

std::shared_ptr<const TIndexImage> TIndexImage::FromBytes(QByteArray bytes, QString* error) {
    std::shared_ptr<TIndexImage> image(new TIndexImage);
    image->owned_ = std::move(bytes);
    if (!image->Attach(image->owned_.constData(), std::size_t(image->owned_.size()), error))
        return nullptr;
    return image;
}

std::shared_ptr<const TIndexImage> TIndexImage::FromFile(std::unique_ptr<QFile> file, QString* error) {
    const qint64 size = file->size();
    if (size < qint64(sizeof(THeader))) {
        Fail(error, "the file is shorter than its header");
        return nullptr;
    }
    uchar* map = file->map(0, size);
    if (!map) {
        Fail(error, "the file cannot be mapped");
        return nullptr;
    }
    std::shared_ptr<TIndexImage> image(new TIndexImage);
    image->file_ = std::move(file);
    if (!image->Attach(reinterpret_cast<const char*>(map), std::size_t(size), error))
        return nullptr;
#ifdef __linux__
    // The check read every page; the process need not keep them resident (paths are read only for
    // the rows shown): they come back from the page cache when read.
    ::madvise(map, std::size_t(size), MADV_DONTNEED);
#endif
    return image;
}

TIndexImage::~TIndexImage() = default;

bool TIndexImage::Attach(const char* data, std::size_t size, QString* error) {
    if (size < sizeof(THeader) || reinterpret_cast<std::uintptr_t>(data) % alignof(std::uint64_t) != 0)
        return Fail(error, "the file is shorter than its header");
    THeader h;
    std::memcpy(&h, data, sizeof h);
    if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0)
        return Fail(error, "not an index image");
    if (h.version != kVersion || h.headerSize != sizeof(THeader))
        return Fail(error, "another version");
    if (h.headerHash != ContentHash(data, offsetof(THeader, headerHash)))
        return Fail(error, "the header is damaged");
    const TLayout l = LayoutOf(h.count, h.rootCount, h.textLength);
    if (l.size != size)
        return Fail(error, "the size does not match the header");
    if (h.bodyHash != ContentHash(data + sizeof(THeader), size - sizeof(THeader)))
        return Fail(error, "the content is damaged");
    names_ = reinterpret_cast<const TPreparedName*>(data + l.names);
    texts_ = reinterpret_cast<const TPreparedText*>(data + l.texts);
    entries_ = reinterpret_cast<const TPreparedEntry*>(data + l.entries);
    roots_ = reinterpret_cast<const std::uint32_t*>(data + l.roots);
    text_ = reinterpret_cast<const char16_t*>(data + l.text);
    count_ = h.count;
    rootCount_ = h.rootCount;
    lines_ = h.lines;
    // A checksum that matches by chance must still never send a read outside the image.
    const std::uint64_t arena = h.textLength;
    for (std::uint32_t r = 0; r < rootCount_; ++r)
        if (!InArena(roots_[2 * r], roots_[2 * r + 1], arena))
            return Fail(error, "a text lies outside the image");
    for (std::size_t i = 0; i < count_; ++i) {
        const TPreparedName& n = names_[i];
        const TPreparedText& t = texts_[i];
        const TPreparedEntry& e = entries_[i];
        if (!InArena(t.lower, t.lowerLength, arena) || !InArena(t.candidate, t.candidateLength, arena) ||
            !InArena(e.name, e.nameLength, arena) || !InArena(e.path, e.pathLength, arena) ||
            !InArena(e.ps, e.psLength, arena) || e.root >= std::max<std::uint32_t>(rootCount_, 1) ||
            e.entry >= lines_ || n.tier > 2)
            return Fail(error, "a text lies outside the image");
    }
    if (count_ > 0 && rootCount_ == 0)
        return Fail(error, "a text lies outside the image");
    data_ = data;
    size_ = size;
    return true;
}

TCacheStamp TIndexImage::Stamp() const {
    THeader h;
    std::memcpy(&h, data_, sizeof h);
    return {h.cacheSize, h.cacheModified, h.cacheEdges};
}

QStringView TIndexImage::Name(const TPreparedName& n) const {
    const TPreparedEntry& e = Entry(n);
    return Text(e.name, e.nameLength);
}

std::unique_ptr<TMyShellItem> TIndexImage::MakeItem(const TPreparedName& n) const {
    const TPreparedEntry& e = Entry(n);
    auto item = std::make_unique<TMyShellItem>();
    item->name = Text(e.name, e.nameLength).toString();
    item->root = Text(roots_[2 * e.root], roots_[2 * e.root + 1]).toString();
    item->path = Text(e.path, e.pathLength).toString();
    if (e.psLength)
        item->ps = Text(e.ps, e.psLength).toLatin1();
    return item;
}

} // namespace vantrelo
