// Tests every list source applies: duplicates and the user's exclude list.
#pragma once

#include "suggest/listentry.h"

#include <QString>

namespace vantrelo {

struct TSettings;
struct TSuggestState;

// Whether `text` (with `obj`) repeats an entry already in `content` (only with `noduplicates`).
bool IsDuplicateEntry(const TSettings& s, const TListContent& content, const QString& text, const TItem* obj);

// Kinds of entry the exclude list distinguishes.
enum class TExcludeKind { Plain, FileSystem };

// Whether the exclude list can drop anything of this kind (a walk reads the names only then).
bool ExcludeListApplies(const TSettings& s, bool inList, TExcludeKind kind);

// False when the entry must be dropped: `inList` for the list, false for input completion.
bool PassesExcludeList(const TSettings& s, TSuggestState& state, const QString& text, bool inList,
                       TExcludeKind kind = TExcludeKind::Plain);

} // namespace vantrelo
