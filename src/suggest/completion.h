// Inline completion: the candidates of tags, keywords, history, file system and index for the word
// being typed, as a new line with a selection that the input line applies.
#pragma once

#include <QString>
#include <QStringList>

namespace vantrelo {

struct TSuggestSources;
struct TSuggestState;

// The folder listing completion reads for a typed path; stale whenever the line was replaced.
class TFolderCache {
public:
    void MarkStale() { stale_ = true; }
    // The entries starting with `typed`, listed again when stale or made for another folder.
    const QStringList& For(const QString& typed, bool ignorenetwork, const TSuggestSources& src);

private:
    bool stale_ = true;
    QString typed_;
    QStringList entries_;
};

enum class TCompletionKind { Typing = 0, Stepping = 1 };

// One request: the line, the caret and the selected text after the caret (an earlier completion,
// replaced); text after the selection is the user's and is kept.
struct TCompletionRequest {
    TCompletionKind typ = TCompletionKind::Typing;
    bool calccount = false;
    QString word;
    int wordstart = 0;
    int selLength = 0;
    int cycle = 0; // CompletionCycle: which candidate to complete when stepping
};

struct TCompletionResult {
    bool completed = false;
    bool offered = false;   // some source had a candidate
    bool isshell = false;   // an indexed item was bound to the new line
    QString text;           // the new line
    int selStart = 0;       // the appended part, selected
    int selLength = 0;
    int position = -1;      // the completed candidate's place in the cycle
    int total = -1;         // with calccount: the last candidate's place (-1: none)
    QString searched;       // the word the sources were asked for
};

// Tries the tags, then the sources of `autoorder`; the first that completes ends the run. Binds a
// history or index item to the new line in `state.current`.
TCompletionResult SetAutoCompletion(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders,
                                    const TCompletionRequest& request);

// Tab and Shift+Tab: the next or previous candidate, wrapping; `cycle` is CompletionCycle.
TCompletionResult StepCompletion(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders,
                                 const QString& text, int caret, int selLength, bool forward, int& cycle);

} // namespace vantrelo
