// The input window as its controller sees it: what the window shows, and what the user did in it.
#pragma once

#include "ui/keymap.h"
#include "ui/listrow.h"

#include <QPoint>
#include <QString>

#include <vector>

namespace vantrelo {

// Where the input window's centring puts it: the `center` setting's values. A negative value -n
// names the n-th monitor.
enum class TCentre {
    Screen = 1,     // the whole primary screen
    Monitor = 2,    // the monitor the window is on
    Pointer = 3,    // the monitor under the mouse pointer
    LastActive = 4, // the monitor of the window the input window was summoned over
};

// How long a show or hide of the input window keeps the next one out (the debounce).
enum class TShowLock {
    Hotkey = 230, // the program's hotkey and the window's own actions
    Summon = 70,  // the Windows key, another program or instance
};

// What the input window shows; the controller decides, the window draws.
class TInputWindow {
public:
    virtual ~TInputWindow() = default;

    // The line.
    virtual TLineState Line() const = 0;
    // New text without treating it as typing; all selected, or the caret at the end.
    virtual void SetLineText(const QString& text, bool selectAll) = 0;
    virtual void SetLineSelection(int start, int end) = 0;
    // The caret to `caret`; with `anchor` >= 0 the selection runs from `anchor` to it.
    virtual void SetCaret(int caret, int anchor) = 0;
    virtual void FocusLine() = 0;
    virtual void SetLineColor(int bgr) = 0;
    // The line's own colours again, unless it shows a failure.
    virtual void wordEditShow() = 0;
    virtual void CutOrCopySelection(bool cut) = 0;
    virtual void PasteIntoLine() = 0;

    // Messages and the title.
    virtual void ShowToast(const QString& text) = 0;
    // The title of the current item, shortened to fit; shown or hidden with `show`.
    virtual void displayTitle(const QString& title, bool isPath, bool show) = 0;
    // The text panel of the list window (a command's output).
    virtual void ShowTextPanel(const QString& text) = 0;

    // The list.
    virtual void DisplayList(std::vector<TListRow> rows, bool focus) = 0;
    virtual void HideList() = 0;
    virtual bool ListVisible() const = 0;
    virtual int ListRowCount() const = 0;
    virtual bool ListRowIsHeader(int row) const = 0;
    virtual int RowWithNumber(int number) const = 0;
    virtual void SetListFocus(int row) = 0;
    virtual void RemoveListFocus() = 0;
    // Where a row's context menu opens when asked for by key.
    virtual QPoint RowMenuPoint(int row) const = 0;
    virtual void StopListTimer() = 0;

    // The window.
    virtual bool WindowVisible() const = 0;
    virtual void ShowWindow(bool show, bool keepInput, TShowLock lock) = 0;
    virtual void CenterOnMonitor(TCentre centre, bool withList) = 0;
    virtual void FitOnScreen(bool force) = 0;
    // The multi-line editor with `text`.
    virtual void ExpandInput(const QString& text) = 0;
    // The input window's own menu under the line.
    virtual void ShowLineMenu() = 0;
    // The caret stands at the end of the text, within a few pixels of the line's right edge.
    virtual bool CaretAtRightEdge() const = 0;
    virtual void DismissListPanels() = 0;
};

// What the user did in the input window's line, list and editor.
class TInputEvents {
public:
    virtual ~TInputEvents() = default;
    // A key of the line; true when it was handled (the edit control does not see it).
    virtual bool InputKey(const TKeyDecision& decision, const TLineState& line) = 0;
    // A key of the list while a row is selected; false when it goes on to the line as typing.
    virtual bool ListKey(const TListKeyDecision& decision, int row) = 0;
    // A key of the multi-line editor that reaches beyond the editor.
    virtual void EditorKey(const TEditorKeyDecision& decision) = 0;
    // The line changed by typing; `typedChar` when a character was typed (not deleted), so that
    // it may be completed; `refreshList` once the list delay has passed.
    virtual void InputEdited(const QString& text, int caret, bool typedChar, bool refreshList) = 0;
    virtual void RowActivated(int row, bool runas, bool browser) = 0;
    virtual void EditorExecute(const QString& text, bool runas, bool browser) = 0;
    // The window was shown (keys typed from now on are the user's).
    virtual void Shown() = 0;
    // The open-list button was clicked.
    virtual void ListButtonClicked() = 0;
};

} // namespace vantrelo
