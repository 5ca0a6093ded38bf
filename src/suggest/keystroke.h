// One keystroke's refresh of suggestions and list content, as the input line runs it.
#pragma once

namespace vantrelo {

struct TSuggestSources;
struct TSuggestState;
struct TInputLine;

// Searches suggestions for the word being typed (binding the best one to the line), then rebuilds
// the list content. A current item bound for another text is dropped first.
void RefreshForKeystroke(const TSuggestSources& src, TSuggestState& state, const TInputLine& line);

} // namespace vantrelo
