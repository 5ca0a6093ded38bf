// One keystroke's refresh of suggestions and list content, as the input line runs it.
#pragma once

namespace vantrelo {

struct TSuggestSources;
struct TSuggestState;
struct TSuggestLine;
class TFolderCache;
struct TCompletionResult;

// Searches suggestions for the word being typed (binding the best one to the line), then rebuilds
// the list content. A current item bound for another text is dropped first. No inline completion:
// for a line shown as it is (the command-line tool, a refresh without a typed character).
void RefreshForKeystroke(const TSuggestSources& src, TSuggestState& state, const TSuggestLine& line);

// A typed character: `line` is the line after it, caret after the character. Inline completion
// is tried first (not with `lessauto` while the caret is inside the text); the suggestion search
// runs only when no source had a candidate, and the list is built for the line as completed.
// The result is what the input line applies: the new text with its selection (`completed`).
TCompletionResult RefreshForKeystroke(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders,
                                      const TSuggestLine& line);

} // namespace vantrelo
