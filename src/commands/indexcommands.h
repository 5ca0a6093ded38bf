// "$REFRESHINDEX$" and "$FLUSHUWP$": the index commands over the index refresher.
#pragma once

#include <QString>

#include <functional>

namespace vantrelo {

class TCommandDispatcher;
class TIndexRefresher;

// The input line's current text, for reports that must not overwrite what the user typed since.
using TInputTextReader = std::function<QString()>;

// Plugs both commands into `d`. The refresher outlives the dispatcher's use of them. A report of a
// finished refresh or flush replaces the input line only while it still shows the command's own
// "started" answer.
void RegisterIndexCommands(TCommandDispatcher& d, TIndexRefresher& refresher, TInputTextReader inputText);

} // namespace vantrelo
