// Inline completion runs before the suggestion search, and the search before the list build, so
// the line, its bound item and the list's Suggestions group agree.
#include "suggest/keystroke.h"

#include "core/settings.h"
#include "suggest/completion.h"
#include "suggest/listbuilder.h"
#include "suggest/suggestions.h"
#include "suggest/suggestsources.h"

namespace vantrelo {

void RefreshForKeystroke(const TSuggestSources& src, TSuggestState& state, const TSuggestLine& line) {
    state.current.Revalidate(line.text);
    if (KeywordSuggestionsOn(src.settings)) {
        const TSearchSplit split = SplitSearchText(line.text, line.caret, src.settings.separator, true);
        if (!FindSuggestions(src, state, split.search, true, TSuggestSource::KeywordsAndIndex, line.text))
            ClearSuggestions(state, true);
    }
    BuildListContent(src, state, line, false);
}

TCompletionResult RefreshForKeystroke(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders,
                                      const TSuggestLine& line) {
    const TSettings& s = src.settings;
    state.current.Revalidate(line.text);
    const bool suggestions = KeywordSuggestionsOn(s);
    const bool inside = line.caret < line.text.size() && line.selLength == 0;
    if (s.lessauto && inside) {
        // Not completed: the suggestions follow the line for the list only.
        if (suggestions && s.autoshortalways) {
            const TSearchSplit split = SplitSearchText(line.text, line.caret, s.separator, true);
            FindSuggestions(src, state, split.search, false, TSuggestSource::KeywordsAndIndex, line.text);
        }
        BuildListContent(src, state, line, false);
        return TCompletionResult{};
    }
    TCompletionRequest rq;
    rq.word = line.text;
    rq.wordstart = line.caret;
    rq.selLength = line.selLength;
    TCompletionResult r = SetAutoCompletion(src, state, folders, rq);
    TSuggestLine shown = line;
    if (r.completed) {
        if (!r.isshell)
            ClearSuggestions(state, true);
        shown = TSuggestLine{r.text, r.selStart, r.selStart, r.selLength};
    } else if (!r.offered && suggestions) {
        if (!FindSuggestions(src, state, r.searched, true, TSuggestSource::KeywordsAndIndex, line.text))
            ClearSuggestions(state, true);
    } else if (r.offered && suggestions && s.autoshortalways) {
        ClearSuggestions(state, true);
    }
    BuildListContent(src, state, shown, false);
    return r;
}

} // namespace vantrelo
