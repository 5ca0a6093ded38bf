// The keyword editor's operations on the keyword list, without widgets: add, delete with undo,
// duplicate, copy/cut/paste, move, sort, enable/disable and the clean-up when the dialog closes.
#pragma once

#include "core/keywordlist.h"

#include <functional>
#include <memory>
#include <vector>

namespace vantrelo {

// Where a keyword's hotkey is taken or given back.
struct TKeywordHotkeys {
    std::function<bool(TExeWord&)> add; // false when the hotkey cannot be had
    std::function<void(TExeWord&)> remove;
};

// A hotkey a keyword may have: Tab/Shift+Tab, Esc, Backspace and Delete are editing keys; letters,
// digits, Space, Enter and navigation keys need a modifier; F-keys and media keys may stand alone.
enum class THotkeyKeyUse { Focus, Cancel, Clear, Accept, NeedsModifier };
THotkeyKeyUse ClassifyHotkeyKey(int qtKey, bool hasModifier);

class TKeywordOps {
public:
    TKeywordOps(TKeywordList& words, TKeywordHotkeys hotkeys) : words_(words), hotkeys_(std::move(hotkeys)) {}

    // A new "new..." record after `after` (appended for -1 or the last); its position.
    qsizetype Add(qsizetype after);
    // Removes the records (positions in any order), their hotkeys first; the last delete can be undone.
    void Delete(std::vector<qsizetype> positions);
    bool CanUndoDelete() const { return !undo_.empty(); }
    // Puts the last deleted records back at their places; the first one's position, or -1.
    qsizetype UndoDelete();
    // A copy named "copy_" + name after the record; copies never take the original's hotkey.
    qsizetype Duplicate(qsizetype pos);
    void Copy(const std::vector<qsizetype>& positions, bool cut);
    bool CanPaste() const { return !held_.empty(); }
    // The held records before `at` (appended for -1); the first pasted record's position.
    qsizetype Paste(qsizetype at);
    // Moves the record to the position `to` (the neighbour shown above or below it).
    qsizetype Move(qsizetype from, qsizetype to);
    void SortAll();
    // Sorts the whole list by a column of the editor (0 to 7), ascending: empty values after the
    // others and equal ones by name; "Hotkey": "none" last.
    void SortBy(int column);
    void ToggleEnabled(const std::vector<qsizetype>& positions);
    // Closing the dialog: records still entirely new ("new..." and no command) are removed.
    void RemoveUnfinished();

private:
    struct TDeleted {
        qsizetype pos;
        TKeywordList::Ptr word;
    };
    TKeywordList& words_;
    TKeywordHotkeys hotkeys_;
    std::vector<TDeleted> undo_;
    std::vector<TKeywordList::Ptr> held_;
    bool heldCut_ = false;
};

// The "Keywords" column's comparer: lower-cased, a name beginning with "?" after the others.
bool KeywordNameLess(const QString& a, const QString& b);

// The "More" column's summary of a record's options.
QString MoreSummary(const TExeWord& w);
// A column's text as the editor shows it (the hotkey empty instead of "None").
QString KeywordColumnText(const TExeWord& w, int column);

} // namespace vantrelo
