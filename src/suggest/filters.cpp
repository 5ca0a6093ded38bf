// Duplicate and exclude-list tests.
#include "suggest/filters.h"

#include "core/settings.h"
#include "core/text.h"
#include "suggest/suggestsources.h"

namespace vantrelo {

bool IsDuplicateEntry(const TSettings& s, const TListContent& content, const QString& text, const TItem* obj) {
    if (!s.noduplicates)
        return false;
    const TListEntry* found = nullptr;
    for (const TListEntry& e : content)
        if (SameText(e.text, text)) {
            found = &e;
            break;
        }
    if (!found)
        return false;
    if (!obj)
        return !found->item;
    const auto* a = ItemAs<TMyShellItem>(obj);
    const auto* b = ItemAs<TMyShellItem>(found->item.get());
    return a && b && a->path == b->path;
}

bool ExcludeListApplies(const TSettings& s, bool inList, TExcludeKind kind) {
    if (s.excludelist.isEmpty())
        return false;
    const bool applies = (s.excludetype != 0 || inList) && !(inList && s.excludetype == 2);
    return applies && !(kind == TExcludeKind::FileSystem && !s.excludefilesystem);
}

bool PassesExcludeList(const TSettings& s, TSuggestState& state, const QString& text, bool inList, TExcludeKind kind) {
    if (!ExcludeListApplies(s, inList, kind))
        return true;
    // Parsed once; a changed setting is parsed again so that edits take effect at once.
    if (!state.excludes || state.excludesFrom != s.excludelist) {
        state.excludes = s.excludelist.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        state.excludesFrom = s.excludelist;
    }
    for (const QString& x : *state.excludes)
        if (ContainsText(text, x))
            return false;
    return true;
}

} // namespace vantrelo
