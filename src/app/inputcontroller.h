// The input line and its list: keys, typing, rows taken and run, and the pipeline's view of the line.
#pragma once

#include "exec/inputline.h"
#include "ui/inputwindow.h"

#include <QPoint>

#include <memory>

namespace vantrelo {

struct TExecRequest;
struct TSettings;
class THistory;
class TItem;
class TMyClipItem;
class TKeywordList;
class TSuggestBridge;

// The windows and tools beyond the input window that a key may ask for.
enum class TTool { KeywordEditor, Settings, Help, StartPage, ToggleBrowser, EndBrowser };

// What the input controller asks of the rest of the program.
class TInputOutside {
public:
    virtual ~TInputOutside() = default;
    // The pipeline.
    virtual bool Run(const TExecRequest& request) = 0;
    // The file or folder the line and its item stand for; empty when none.
    virtual QString ItemPath(const QString& line, const TItem* item, bool withFile) const = 0;
    // A line that starts with "-": true when it was a dash command.
    virtual bool RunDashCommand(const QString& input) = 0;
    virtual void ShowRowMenu(int row, QPoint at) = 0;
    // The menu of the line's current item ("Windows Context Menu").
    virtual void ShowItemMenu() = 0;
    virtual void OpenTool(TTool tool) = 0;
    virtual void OpenInputAssist(bool inEditor) = 0;
    virtual void CloseWindow(quint64 window) = 0;
    virtual void EndProcessOfWindow(quint64 window) = 0;
    virtual bool ActivateLastActive() = 0;
    virtual void ActivateWindow(quint64 window) = 0;
    virtual void CopyToClipboard(const QString& text) = 0;
    // The clipboard history: a chosen entry becomes the newest and goes to the clipboard; a
    // removed one leaves the history (false when it was not there).
    virtual void ChooseClipEntry(const TMyClipItem& item) = 0;
    virtual bool RemoveClipEntry(const TMyClipItem& item) = 0;
    virtual void WriteSettings() = 0;
    virtual void ShowMessage(const QString& text) = 0;
    virtual void ShowCalcResult(const QString& title, const QString& prompt, const QString& value) = 0;
    virtual void CloseProgram() = 0;
    virtual void ClearIncognitoFolder() = 0;
    virtual bool ShiftHeld() const = 0;
    virtual bool AltHeld() const = 0;
};

// How a list row becomes the line.
enum class TTake {
    Line,   // into the line only
    Launch, // into the line, then run
    Expand, // into the multi-line editor
};

class TInputController final : public TInputEvents {
public:
    TInputController(TSettings& settings, const TKeywordList& keywords, THistory& history, TSuggestBridge& suggest,
                     TInputWindow& view, TInputOutside& outside);
    ~TInputController() override;

    // TInputEvents
    bool InputKey(const TKeyDecision& decision, const TLineState& line) override;
    bool ListKey(const TListKeyDecision& decision, int row) override;
    void EditorKey(const TEditorKeyDecision& decision) override;
    void InputEdited(const QString& text, int caret, bool typedChar, bool refreshList) override;
    void RowActivated(int row, bool runas, bool browser) override;
    void EditorExecute(const QString& text, bool runas, bool browser) override;
    void Shown() override;
    void ListButtonClicked() override;

    // The line's operations, also for the pipeline (TPipelineWindow) and the other controllers.
    QString LineText() const;
    void SelectLine();
    void SetNewWord(const QString& text, bool selectall, bool ignoredrop);
    // The input line's requests to the list and the completion.
    void ProcessInput(TInputRequest request, const QString& sender, bool aftercommand);
    void ResetCurrentSearch(bool cleartext);
    void ClearSuggestions();
    // The item bound to the line as it is now.
    const TItem* CurrentItem() const;
    // The best entry of the list into the line; `force` also for a known keyword.
    bool LaunchFirstListEntry(bool force);
    void ShowToast(const QString& text);

    // Runs the line as typed (Enter), after the unknown-input fall-backs.
    void Execute(const QString& text, bool runas, bool browser);
    // The row's text into the line (after the line's last separator), then as `take` says.
    void TakeRow(int row, TTake take, bool runas = false, bool browser = false);
    // Rebuilds the suggestions for `text` and shows them (`focus`: the first row selected).
    void RefreshList(const QString& text, int caret, bool focus);
    void UpdateTitle(bool force);
    // The list shown again with its present rows (after a look change).
    void RedisplayList();
    // The folder of the line's item (a file's own folder) becomes the line, and its contents the
    // list; the toast says when there is none (request 6, Ctrl+E).
    void ListFolder();
    // The folder typed in the line has been read: the list shows its entries now.
    void FolderListed();
    // The path of the line's item: into the clipboard, or with `intoLine` into the line.
    void CopyFullPath(bool intoLine);

    const TInputState& LineState() const { return line_.State(); }

private:
    // The input line's operations (SetNewWord, ResetCurrentSearch) talk to the window through this.
    class TLineView;

    // The list as built: focused when asked for, else by the drop-down and fixed-size rules.
    void ShowRows(bool focus);
    // Request 4: the list rebuilt for the line without taking the focus or raising the window.
    void RefreshSilently();
    // Requests 0 and 1: the next or previous inline-completion candidate.
    void StepCompletion(bool forward);
    // Request 7: the path of the line's item taken into the line.
    void TakeItemPath();
    // autoexpand and externaltext, as the line changes.
    bool ExpandAtRightEdge(const QString& text);
    bool TakeExternalText(const QString& text);
    void ExpandFolder(int row);
    void RemoveRow(int row);
    void TabAccept(const TLineState& line);
    // F11 and Ctrl+F11: centred on the whole screen or the window's monitor; fitted first.
    void Centre(bool wholeScreen);
    void FitAndCentre(bool force);

    TSettings& settings_;
    const TKeywordList& keywords_;
    THistory& history_;
    TSuggestBridge& suggest_;
    TInputWindow& view_;
    TInputOutside& outside_;
    std::unique_ptr<TLineView> lineView_;
    TInputLine line_;
    bool typedSinceShow_ = false; // a key was pressed in the window since it was last shown
};

} // namespace vantrelo
