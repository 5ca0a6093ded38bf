// The ordered keyword list, name matching and the tag list.
#pragma once

#include "core/items.h"

#include <QHash>
#include <QSet>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

namespace vantrelo {

// First piece of the comma-separated `keywords` equal to `name` (both lower-cased); empty if none.
QString MatchName(const QString& keywords, const QString& name);
// Piece i of the lower-cased `keywords`; the whole text when it holds no ",".
QString NameAt(const QString& keywords, int index);
// Splits a tag text at white space; a part in double quotes stays one tag.
QStringList SplitTags(const QString& group);

// The program-wide ordered list of keywords; it owns them, and lookups take the first hit.
class TKeywordList {
public:
    using Ptr = std::unique_ptr<TExeWord>;

    qsizetype size() const { return qsizetype(words_.size()); }
    bool empty() const { return words_.empty(); }
    TExeWord& at(qsizetype i) { return *words_[size_t(i)]; }
    const TExeWord& at(qsizetype i) const { return *words_[size_t(i)]; }
    auto begin() const { return words_.begin(); }
    auto end() const { return words_.end(); }

    TExeWord& Add(Ptr word);
    TExeWord& Insert(qsizetype pos, Ptr word);
    void Remove(qsizetype pos);
    Ptr Take(qsizetype pos);
    // Every record, in list order; the list is empty afterwards.
    std::vector<Ptr> TakeAll() { return std::exchange(words_, {}); }
    void Clear() { words_.clear(); }
    qsizetype IndexOf(const TExeWord* word) const;

    TExeWord* FindKeyword(const QString& name, bool skipdisabled) const;
    TExeWord* KeywordExistsEx(const QString& s, bool allowfullmatch, bool disableCheck) const;
    bool KeywordExists(const QString& s, bool allowfullmatch, bool disableCheck) const {
        return KeywordExistsEx(s, allowfullmatch, disableCheck) != nullptr;
    }
    TExeWord* MultiKeywordeExistCheck(const QString& s) const;

private:
    std::vector<Ptr> words_;
};

// MultiKeywordeExistCheck for many names at once: each lower-cased name piece of the list's
// records in a hash, so an import checks its N records against M keywords in O(N + M) instead of
// lower-casing both names for every pair. It answers exactly as the list would (the first record
// in list order holding a piece) as long as it is told of every change made meanwhile.
class TKeywordNameIndex {
public:
    explicit TKeywordNameIndex(const TKeywordList& list);
    TExeWord* Find(const QString& s) const;
    // `word` was appended to the list.
    void Added(TExeWord* word);
    // `word`'s names were `oldKeywords` before a change in place.
    void Renamed(TExeWord* word, const QString& oldKeywords);

private:
    struct TEntry {
        qsizetype pos;
        TExeWord* word;
    };
    void Insert(const QString& keywords, TExeWord* word, qsizetype pos);
    QHash<QString, std::vector<TEntry>> names_;
    QHash<const TExeWord*, qsizetype> positions_;
    qsizetype next_ = 0;
};

// The lower-cased names of a list, for a worker that only asks whether a name exists.
class TKeywordNameSet {
public:
    TKeywordNameSet() = default;
    explicit TKeywordNameSet(const TKeywordList& list);
    // As MultiKeywordeExistCheck(s) != nullptr.
    bool Contains(const QString& s) const;

private:
    QSet<QString> names_;
};

// A record as the add-keyword actions make it ("new..." when `nam` is empty).
std::unique_ptr<TExeWord> MakeNewKeyword(const QString& nam, const QString& defcmd, const QString& param);

// Sorted, case-insensitively distinct tags of every enabled keyword.
class TTagList {
public:
    void Build(const TKeywordList& words);
    bool IsTag(const QString& text) const;
    const QStringList& Tags() const { return tags_; }

private:
    QStringList tags_;
};

} // namespace vantrelo
