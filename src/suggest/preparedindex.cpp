// Preparing the index names once, when the index is adopted, instead of on every keystroke.
#include "suggest/preparedindex.h"

#include "core/text.h"
#include "suggest/shortform.h"

namespace vantrelo {

std::uint8_t IndexTier(const QString& lowerName) {
    // Installers and uninstallers go last, help and maintenance entries before them.
    if (lowerName.contains(QLatin1String("inst")))
        return 2;
    static const char* const kSecond[] = {
        "manual", "read ", "readm", "repair", "setup", "website", "homepage", "regist",
        "update", "config", "check ", "guide", "help", "user ", "forum", " web", "order ",
        "remove", "support", "buy ", "safe m", "documenta"};
    for (const char* s : kSecond)
        if (lowerName.contains(QLatin1String(s)))
            return 1;
    return 0;
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
