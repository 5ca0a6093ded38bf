// Plain match tests, all without regard to case.
#include "suggest/matching.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "core/text.h"

namespace vantrelo {
namespace {

bool IsHeaderText(const QString& text) { return text.startsWith(QLatin1String("==")); }

bool MatchText(const QString& typed, const QString& text, bool contains) {
    if (typed.isEmpty())
        return true;
    return contains ? ContainsText(text, typed) : StartsText(typed, text);
}

} // namespace

bool MatchHistoryText(const QString& typed, const QString& text, bool contains) {
    return !IsHeaderText(text) && MatchText(typed, text, contains);
}

bool MatchIndexedName(const QString& typed, const QString& text, bool contains) {
    if (IsHeaderText(text))
        return false;
    if (typed.isEmpty() || contains)
        return MatchText(typed, text, contains);
    return StartsText(typed, text) || ContainsText(text, QLatin1Char(' ') + typed);
}

QString MatchKeyword(const TExeWord& word, const QString& typed, bool contains) {
    const QStringList names = word.keywords.split(QLatin1Char(','));
    for (const QString& name : names)
        if (MatchText(typed, name, contains))
            return LowerText(name);
    return QString();
}

QString MatchKeywordTag(const TExeWord& word, const QString& typed, const TTagList& tags) {
    if (tags.Tags().isEmpty() || word.group.isEmpty())
        return QString();
    const QStringList parts = word.group.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& tag : parts)
        if (SameText(tag, typed))
            return word.DefaultKeyword();
    return QString();
}

} // namespace vantrelo
