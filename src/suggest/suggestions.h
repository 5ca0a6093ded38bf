// The suggestion search (short-form and fuzzy scores over keywords, index and special lists) and
// what Enter does with input that is nothing known.
#pragma once

#include <QString>

namespace vantrelo {

struct TSuggestSources;
struct TSuggestState;
struct TSuggestLine;

enum class TSuggestSource { KeywordsAndIndex, ListContent };

// Whether `text` is something to search suggestions for.
bool IsSuggestible(const TSuggestSources& src, const QString& text, int minlength, bool checkkeyword);

// Fills the suggestion list. With `complete` (keywords and index only) the best entry becomes the
// current item, bound to `inputLine` (the whole line the search ran for; `text` when empty).
// True only when completion was asked, the source is keywords-and-index and something was found.
bool FindSuggestions(const TSuggestSources& src, TSuggestState& state, const QString& text, bool complete,
                     TSuggestSource source, const QString& inputLine = QString());

// Frees the current item; with `list` also empties the suggestion list.
void ClearSuggestions(TSuggestState& state, bool list);

// Enter on unknown input, first kind: the first list entry replaces the line. `listVisible` is
// whether the list window is shown. True when the line was replaced.
bool LaunchFirstListEntry(const TSuggestSources& src, TSuggestState& state, TSuggestLine& line, bool force,
                          bool listVisible);
// Enter on unknown input, second kind: the line becomes the fast-search keyword plus the input.
bool FastSearchFallback(const TSuggestSources& src, TSuggestState& state, TSuggestLine& line);

} // namespace vantrelo
