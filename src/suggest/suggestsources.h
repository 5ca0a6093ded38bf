// What the suggestion logic reads (settings, keywords, history, index, desktop) and the state it keeps.
#pragma once

#include "suggest/currentitem.h"
#include "suggest/indexmatches.h"
#include "suggest/listentry.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vantrelo {

struct TSettings;
class TKeywordList;
class THistory;
class TTagList;
class TPreparedIndex;
class TWindowList;
class TRecentDocuments;
class TProgramSearch;
class TEnvironment;
class TFileSystem;
class TClock;
class TMyClipItem;
class TFolderReader;

// Read-only inputs of one list build or search; optional sources are null when absent.
struct TSuggestSources {
    const TSettings& settings;
    const TKeywordList& keywords;
    const THistory& history;
    const TTagList& tags;
    const TPreparedIndex* index = nullptr;
    const TWindowList* windows = nullptr;
    const std::vector<TMyClipItem>* clips = nullptr; // the clipboard history, oldest first
    const TRecentDocuments* recent = nullptr;
    const TProgramSearch* programs = nullptr;
    const TEnvironment* env = nullptr;   // path expansion of typed folders
    const TFileSystem* files = nullptr;  // folder tests of completion
    const TClock* clock = nullptr;       // reuse of the recent-documents list
    TFolderReader* folderReader = nullptr; // typed folders read off this thread (none: read here)
    bool showsInfoText = false;          // the input line shows the information text
};

// The input line as the keystroke left it.
struct TSuggestLine {
    QString text;
    int caret = 0;
    int selStart = 0;
    int selLength = 0;
    static TSuggestLine AtEnd(const QString& t) { return TSuggestLine{t, int(t.size()), 0, 0}; }
    bool AllSelected() const { return !text.isEmpty() && selStart == 0 && selLength == text.size(); }
};

// State that lives between keystrokes (owned by the application context).
struct TSuggestState {
    TListContent content;
    QString listPrefix;
    TSuggestionList suggestions;
    TCurrentItem current;
    QString lastCompleted;

    // The parsed exclude list and the setting text it came from.
    std::optional<QStringList> excludes;
    QString excludesFrom;

    // Recent documents and when they were read.
    std::vector<TMyShellItem> recentDocs;
    QDateTime recentReadAt;

    // What the last typed texts matched in the index, for the next keystroke to narrow.
    TIndexMatches matches;
};

bool KeywordSuggestionsOn(const TSettings& s);
bool IndexSuggestionsOn(const TSettings& s);

} // namespace vantrelo
