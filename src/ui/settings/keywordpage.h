// The "Keywords" tab: the filtered keyword list, its operations and the detail panel of one record.
#pragma once

#include "core/items.h"
#include "ui/settings/iconchoice.h"
#include "ui/settings/keywordops.h"

#include <QWidget>

#include <optional>

class QAction;
class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QShowEvent;

namespace vantrelo {

class TKeywordFields;
class TKeywordTable;
class TKeywordView;
struct TSettings;

struct TKeywordPageHost {
    TKeywordHotkeys hotkeys;
    std::function<void()> save;                // "Apply" writes the keyword file
    std::function<void(const TExeWord&)> test; // "Test" runs a record made from the panel
    std::function<QString(const QString&)> expand; // a command as a run prepares it, for the scan
    TIconChoiceHost icons;
    // The keyword proposed for a dropped file or folder; none when it cannot be read.
    std::function<std::optional<TExeWord>(const QString& path)> propose;
    // "Import Keywords from File..." (the file asked for when `path` is empty), also for an
    // export file dropped on the list; "Import Keywords from URL...".
    std::function<void(const QString& path)> importFile;
    std::function<void()> importUrl;
    // "Export Keywords..." (every keyword) and "Export Currently Selected Keyword(s)...".
    std::function<void(bool selectedOnly)> exportWords;
    // "Import from Application Menu...".
    std::function<void()> importApplications;
    // The editor's "Auto apply" box changed: the settings page shows the same choice.
    std::function<void(bool on)> autoApplyChanged;
};

class TKeywordPage final : public QWidget {
    Q_OBJECT
public:
    TKeywordPage(TKeywordList& words, TSettings& settings, TKeywordPageHost host, QWidget* parent = nullptr);

    void FilterList(const QString& text);
    // Selects the record (by position in the list); -1 clears the selection.
    void SelectPosition(qsizetype pos);
    // "Add": a new record after the selected one, selected, its name field focused.
    void AddKeyword();
    // "Add" with a record proposed by the caller (the input line's text): its name, command and
    // parameters fill the new record's panel.
    void AddProposed(const TExeWord& proposal);
    // The selected rows' list positions.
    std::vector<qsizetype> Selected() const { return SelectedPositions(); }
    // The edited record, or null.
    TExeWord* Edited() const { return edited_; }
    // Before the row changes or the dialog closes: unapplied edits are applied or dropped as the
    // user answers; false when the user cancels.
    bool SettleEdits();
    // Closing: the records still entirely new go.
    void Finish();
    // "Scan for Invalid Keywords...": the findings, none marked; the marked ones are removed.
    void ScanForInvalid();
    // A file dropped on the list (a new keyword, or the import of an export file) or on the
    // detail panel (the edited keyword's command, comment and, for a desktop entry, folder and
    // parameters; its name only while it is "new...").
    void TakeFile(const QString& path, bool onList);
    // The keyword list was changed from outside (an import): every row again, the first selected.
    void ListChanged();
    // Every row again, the record at `pos` selected and in view.
    void ShowAllAndSelect(qsizetype pos);
    // "Auto apply" as the settings page has it now.
    void SetAutoApply(bool on);

protected:
    // Enter never reaches the dialog's OK from the editor: it moves between the filter, the list
    // and the detail panel instead.
    void keyPressEvent(QKeyEvent* e) override;
    // A colour template changes the list's background: disabled rows take a grey that stays
    // readable on it.
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QWidget* BuildDetail();
    void BuildMenu();
    void Rebuild(qsizetype select);
    std::vector<qsizetype> SelectedPositions() const;
    qsizetype CurrentPosition() const;
    void ShowRecord(TExeWord* w);
    void FieldEdited();
    void Apply();
    void UpdateCount();
    void TakeListColours();
    // A header click: the rows shown when a filter is active, else the whole list.
    void SortByColumn(int column);

    TKeywordList& words_;
    TSettings& settings_;
    TKeywordPageHost host_;
    TKeywordOps ops_;
    TKeywordTable* table_ = nullptr;
    TKeywordView* view_ = nullptr;
    QPushButton* clear_;
    QLineEdit* filter_;
    QLabel* count_;
    TKeywordFields* fields_;
    QMenu* menu_;
    QAction* paste_ = nullptr;
    TExeWord* edited_ = nullptr;
    bool dirty_ = false;
    bool filling_ = false; // the selection is being set by the page itself
    int sortColumn_ = -1;
    bool sortAscending_ = true;
};

} // namespace vantrelo
