// Preparing the index names once, when the index is adopted, instead of on every keystroke.
#include "suggest/preparedindex.h"

#include "core/text.h"
#include "suggest/shortform.h"

#include <string_view>

namespace vantrelo {

namespace {

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

} // namespace

std::uint8_t IndexTier(const QString& lowerName) {
    // One pass over the name, trying only the words that start with the character at hand: this
    // runs for every indexed entry when an index is adopted.
    const std::u16string_view name(reinterpret_cast<const char16_t*>(lowerName.utf16()), size_t(lowerName.size()));
    std::uint8_t tier = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c > u'z' || (c < u'a' && c != u' '))
            continue;
        for (const TTierWord& w : kTierWords) {
            if (w.text.front() != c || name.compare(i, w.text.size(), w.text) != 0)
                continue;
            if (w.tier == 2)
                return 2;
            tier = 1;
        }
    }
    return tier;
}

const TIndexList& TPreparedIndex::Empty() {
    static const TIndexList empty;
    return empty;
}

void TPreparedIndex::Adopt(TIndexList list) { Adopt(std::make_shared<const TIndexList>(std::move(list))); }

void TPreparedIndex::Adopt(std::shared_ptr<const TIndexList> list) {
    std::vector<TPreparedName> names = list ? Prepare(*list) : std::vector<TPreparedName>();
    Adopt(std::move(list), std::move(names));
}

void TPreparedIndex::Adopt(std::shared_ptr<const TIndexList> list, std::vector<TPreparedName> names) {
    list_ = std::move(list);
    names_ = std::move(names);
}

std::vector<TPreparedName> TPreparedIndex::Prepare(const TIndexList& all) {
    std::vector<TPreparedName> names;
    names.reserve(size_t(all.size()));
    for (qsizetype i = 0; i < all.size(); ++i) {
        const TIndexEntry& e = all.at(i);
        if (!e.item)
            continue;
        TPreparedName n;
        n.entry = i;
        // Most names are already lower-case and tidy: the forms then share the name's text
        // instead of holding two more copies of it per entry.
        const QString& name = e.item->name;
        QString lower = LowerText(name);
        n.lower = lower == name ? name : std::move(lower);
        QString candidate = PrepareCandidate(n.lower);
        n.candidate = candidate == n.lower ? n.lower : std::move(candidate);
        n.mask = CharMask(n.lower);
        n.words = WordCount(n.candidate);
        n.longest = LongestWord(n.candidate);
        for (QStringView w : QStringView(n.candidate).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            n.initials |= CharMask(w.left(1));
            n.finals |= CharMask(w.right(1));
        }
        n.tier = IndexTier(n.lower);
        names.push_back(std::move(n));
    }
    return names;
}

} // namespace vantrelo
