// Building the drop-down list content from the input line: groups, special lists, limits, headers.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace vantrelo {

struct TSuggestSources;
struct TSuggestState;
struct TSuggestLine;
class TEnvironment;

// Rebuilds `state.content` and `state.listPrefix` for the line; `matchall` lists everything.
void BuildListContent(const TSuggestSources& src, TSuggestState& state, const TSuggestLine& line, bool matchall);

// The search text of a line and the prefix in front of it (separator part, a command before a path).
struct TSearchSplit {
    QString prefix;
    QString search;
};
// `cutAtCaret`: the search text keeps only the characters before the caret.
TSearchSplit SplitSearchText(const QString& text, int caret, const QString& separator, bool cutAtCaret);

// Folders then files of the folder a typed path names, whose names start with its last part;
// each entry is the typed folder part plus the found name, sorted without regard to case.
QStringList ListTypedFolder(const QString& typed, bool ignorenetwork, const TEnvironment* env);
// The same through the sources: with a folder reader the folder is read on its worker, and
// nothing (none) comes back until that read has arrived; without one it is read here.
std::optional<QStringList> TypedFolderEntries(const QString& typed, bool ignorenetwork, const TSuggestSources& src);

// The 18 command-line options the list offers for input starting with "-".
const QStringList& CommandLineOptions();

} // namespace vantrelo
