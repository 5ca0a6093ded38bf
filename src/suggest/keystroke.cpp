// The suggestion search runs before the list build, so the list's Suggestions group is current.
#include "suggest/keystroke.h"

#include "core/settings.h"
#include "suggest/listbuilder.h"
#include "suggest/suggestions.h"
#include "suggest/suggestsources.h"

namespace vantrelo {

void RefreshForKeystroke(const TSuggestSources& src, TSuggestState& state, const TInputLine& line) {
    state.current.Revalidate(line.text);
    if (KeywordSuggestionsOn(src.settings)) {
        const TSearchSplit split = SplitSearchText(line.text, line.caret, src.settings.separator, true);
        if (!FindSuggestions(src, state, split.search, true, TSuggestSource::KeywordsAndIndex, line.text))
            ClearSuggestions(state, true);
    }
    BuildListContent(src, state, line, false);
}

} // namespace vantrelo
