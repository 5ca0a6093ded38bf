// Which context menu a row or the input gets: the item's own, a file menu on a path, or the window's fallback.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace vantrelo {

class TKeywordList;

enum class TItemMenuKind { None, Indexed, Window, Clip };

struct TItemMenuFacts {
    TItemMenuKind kind = TItemMenuKind::None; // a fuzzy item counts as the item it suggests
    QString indexedPath;                      // the indexed item's full path
    QString text;                             // the row text or the input
    bool clipMenu = false;                    // the clipboard item menu exists
    bool windowMenu = false;                  // the window item menu exists
};

// What the decision asks of the rest of the program.
struct TItemMenuProbe {
    std::function<bool(const QString&)> isPath;
    // The text expanded as a command (environment, home folder, placeholders).
    std::function<QString(const QString&)> expand;
    // The command of the enabled keyword named `word`, default blocks applied and expanded;
    // nothing when no enabled keyword has that name.
    std::function<std::optional<QString>(const QString& word)> keywordTarget;
    std::function<bool(const QString&)> exists;
    QString separator;
};

enum class TItemMenu { Clip, Window, File, Fallback };

struct TItemMenuChoice {
    TItemMenu menu = TItemMenu::Fallback;
    QString path;             // the file menu's path
    bool editKeyword = false; // the fallback shows "Edit keyword"
    int rule = 7;             // the rule that decided (2 to 7)
};

TItemMenuChoice DecideItemMenu(const TItemMenuFacts& facts, const TItemMenuProbe& probe);

// The entries of a window row's and a clipboard row's own menus.
enum class TRowMenuAction {
    SwitchTo, Close, KillProcess, MoreInfo, Center, Minimize, Maximize, Restore, MaxWidth, MaxHeight, Resize, // a window row
    CopyText, Launch, Select, PasteToWindow, Remove,                      // a clipboard row
};
struct TRowMenuEntry {
    QString label;
    TRowMenuAction action;
};
// In menu order; empty for the file and the fallback menus, which are built elsewhere. A clipboard
// row offers pasting into the previous window only when `canPaste` (the program is active and
// that window is known).
std::vector<TRowMenuEntry> RowMenuEntries(TItemMenu menu, bool canPaste = false);

// A "RegEx:" entry of the editor's and the clipboard row's menus: a rules keyword to apply.
struct TRegexMenuEntry {
    QString caption; // "RegEx: NAME -> RULES" and " (COMMENT)" when there is one
    QString rules;   // the keyword's parameters as stored
};
// One entry per enabled keyword whose command begins with "$TEXTREGEX", in list order.
std::vector<TRegexMenuEntry> RegexMenuEntries(const TKeywordList& keywords);

// A path without its trailing "/" (the root stays "/").
QString WithoutTrailingDelimiter(QString path);

} // namespace vantrelo
