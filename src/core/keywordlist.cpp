// Keyword lookup by exact name and the tag list.
#include "core/keywordlist.h"

#include "core/text.h"

#include <algorithm>

namespace vantrelo {

QString MatchName(const QString& keywords, const QString& name) {
    const QString k = LowerText(keywords);
    const QString n = LowerText(name);
    if (!k.contains(u',')) {
        return k == n ? n : QString();
    }
    for (const QString& piece : k.split(u','))
        if (piece == n)
            return piece;
    return QString();
}

QString NameAt(const QString& keywords, int index) {
    const QString k = LowerText(keywords);
    if (!k.contains(u','))
        return k;
    const QStringList pieces = k.split(u',');
    return (index >= 0 && index < pieces.size()) ? pieces.at(index) : QString();
}

QStringList SplitTags(const QString& group) {
    QStringList tags;
    QString current;
    bool quoted = false;
    for (const QChar c : group) {
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c.unicode() <= 0x20) {
            if (!current.isEmpty())
                tags.append(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        tags.append(current);
    return tags;
}

TExeWord& TKeywordList::Add(Ptr word) {
    words_.push_back(std::move(word));
    return *words_.back();
}

TExeWord& TKeywordList::Insert(qsizetype pos, Ptr word) {
    pos = std::clamp<qsizetype>(pos, 0, size());
    return **words_.insert(words_.begin() + pos, std::move(word));
}

void TKeywordList::Remove(qsizetype pos) { words_.erase(words_.begin() + pos); }

TKeywordList::Ptr TKeywordList::Take(qsizetype pos) {
    Ptr p = std::move(words_[size_t(pos)]);
    words_.erase(words_.begin() + pos);
    return p;
}

qsizetype TKeywordList::IndexOf(const TExeWord* word) const {
    for (size_t i = 0; i < words_.size(); ++i)
        if (words_[i].get() == word)
            return qsizetype(i);
    return -1;
}

TExeWord* TKeywordList::FindKeyword(const QString& name, bool skipdisabled) const {
    return KeywordExistsEx(name, false, skipdisabled);
}

TExeWord* TKeywordList::KeywordExistsEx(const QString& s, bool allowfullmatch, bool disableCheck) const {
    const QString lowered = LowerText(s);
    for (const Ptr& w : words_) {
        if (disableCheck && w->disabled)
            continue;
        if (allowfullmatch && w->keywords == s)
            return w.get();
        if (!MatchName(w->keywords, lowered).isEmpty())
            return w.get();
    }
    return nullptr;
}

TExeWord* TKeywordList::MultiKeywordeExistCheck(const QString& s) const {
    QString compact = s;
    compact.remove(u' ');
    for (const QString& piece : compact.split(u','))
        if (TExeWord* w = KeywordExistsEx(piece, true, false))
            return w;
    return nullptr;
}

namespace {

// The pieces MultiKeywordeExistCheck looks up: blanks removed, split at ",".
QStringList SearchedPieces(const QString& s) {
    QString compact = s;
    compact.remove(u' ');
    return compact.split(u',');
}

// The pieces MatchName compares against: the lower-cased names, split at "," (blanks kept). An
// empty piece never matches (MatchName's answer would be the empty text, which means none).
QStringList StoredPieces(const QString& keywords) {
    QStringList pieces = LowerText(keywords).split(u',');
    pieces.removeAll(QString());
    return pieces;
}

} // namespace

TKeywordNameIndex::TKeywordNameIndex(const TKeywordList& list) {
    names_.reserve(list.size());
    for (const auto& w : list)
        Insert(w->keywords, w.get(), next_++);
}

void TKeywordNameIndex::Insert(const QString& keywords, TExeWord* word, qsizetype pos) {
    positions_.insert(word, pos);
    for (const QString& piece : StoredPieces(keywords)) {
        std::vector<TEntry>& at = names_[piece];
        const auto it = std::lower_bound(at.begin(), at.end(), pos, [](const TEntry& e, qsizetype p) { return e.pos < p; });
        if (it == at.end() || it->word != word)
            at.insert(it, {pos, word});
    }
}

TExeWord* TKeywordNameIndex::Find(const QString& s) const {
    for (const QString& piece : SearchedPieces(s)) {
        const auto it = names_.constFind(LowerText(piece));
        if (it != names_.constEnd() && !it->empty())
            return it->front().word;
    }
    return nullptr;
}

void TKeywordNameIndex::Added(TExeWord* word) { Insert(word->keywords, word, next_++); }

void TKeywordNameIndex::Renamed(TExeWord* word, const QString& oldKeywords) {
    const qsizetype pos = positions_.value(word, -1);
    if (pos < 0)
        return;
    for (const QString& piece : StoredPieces(oldKeywords)) {
        auto it = names_.find(piece);
        if (it == names_.end())
            continue;
        std::erase_if(*it, [word](const TEntry& e) { return e.word == word; });
        if (it->empty())
            names_.erase(it);
    }
    Insert(word->keywords, word, pos);
}

TKeywordNameSet::TKeywordNameSet(const TKeywordList& list) {
    names_.reserve(list.size());
    for (const auto& w : list)
        for (const QString& piece : StoredPieces(w->keywords))
            names_.insert(piece);
}

bool TKeywordNameSet::Contains(const QString& s) const {
    for (const QString& piece : SearchedPieces(s))
        if (names_.contains(LowerText(piece)))
            return true;
    return false;
}

std::unique_ptr<TExeWord> MakeNewKeyword(const QString& nam, const QString& defcmd, const QString& param) {
    auto w = std::make_unique<TExeWord>();
    w->keywords = nam.isEmpty() ? TExeWord::kNewName : nam;
    w->command = defcmd;
    w->parameters = param;
    return w;
}

void TTagList::Build(const TKeywordList& words) {
    tags_.clear();
    for (const auto& w : words) {
        if (w->disabled || w->group.isEmpty())
            continue;
        for (const QString& tag : SplitTags(w->group)) {
            const bool present = std::any_of(tags_.begin(), tags_.end(),
                                             [&](const QString& t) { return SameText(t, tag); });
            if (!present)
                tags_.append(tag);
        }
    }
    std::sort(tags_.begin(), tags_.end(), [](const QString& a, const QString& b) { return CompareText(a, b) < 0; });
}

bool TTagList::IsTag(const QString& text) const {
    if (tags_.isEmpty() || text.isEmpty())
        return false;
    const QString t = TrimText(text);
    return std::any_of(tags_.begin(), tags_.end(), [&](const QString& tag) { return SameText(tag, t); });
}

} // namespace vantrelo
