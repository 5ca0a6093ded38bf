// The key maps of the input line and the list: which action a key press asks for, without a widget.
#pragma once

#include <QString>

namespace vantrelo {

struct TSettings;

// One key press as the window saw it: a Qt key code and the modifiers held with it.
struct TKeyStroke {
    int key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool keypad = false;
    bool NoModifiers() const { return !shift && !ctrl && !alt; }
};

// The input line at the moment of the key press.
struct TLineState {
    QString text;
    int caret = 0;
    int selStart = 0;
    int selLength = 0;
    bool AllSelected() const { return !text.isEmpty() && selStart == 0 && selLength == text.size(); }
};

enum class TKeyAction {
    None,             // the edit control handles the key itself
    Consume,          // swallowed, nothing else happens
    PickNumber,       // take and launch the list row labelled `number`
    ToggleReverse,    // reverse the list order
    ExpandFolder,     // the folder of the line's item is listed
    ExpandEditor,     // the line into the multi-line editor
    Execute,          // run the line (`forcerunas`, `forcebrowser`)
    SelectWholeLine,
    ClearInfoText,    // the information text is cleared, never executed
    ShowList,         // the list for the input, its first row selected
    NextCompletion,   // the next inline-completion candidate
    PreviousCompletion,
    ShowAll,          // the list for everything
    FocusInput,
    CloseWindow,      // Alt+F4: as the system close command
    CopyFullPath,     // with Shift: the path goes into the line
    CenterScreen,
    FitAndCenter,
    ClearLine,        // the first Esc: a selected line is emptied
    ClearAndHide,     // the second Esc
    Hide,             // Shift+Esc
    SwitchToLastActive,
    InputAssist,      // the input-assist popup, a moment later
    SetLine,          // Ctrl+Backspace: `text` replaces the line, caret at the end
    MoveCaret,        // word jumps: caret to `caret`, selection kept from `anchor` when `extend`
    ContextMenu,
    StartPage,
    ToggleBrowser,
    EndBrowser,
    TabAccept,
    TabBack,
};

struct TKeyDecision {
    TKeyAction action = TKeyAction::None;
    bool consume = false;
    bool dismissPanels = false; // the list's custom panels go first
    int number = 0;
    bool forcerunas = false;
    bool forcebrowser = false;
    QString text;
    int caret = 0;
    bool extend = false;
};

// What the window knows besides the line.
struct TKeyContext {
    bool infoTextShown = false;
};

// The input line's key-down map, in the order the keys are tested.
TKeyDecision DecideInputKey(const TKeyStroke& key, const TLineState& line, const TSettings& s, const TKeyContext& c);

enum class TListKeyAction {
    None,
    PickNumber,   // take and launch the row labelled `number`
    Take,         // take the selected row; `launch` when it runs at once
    TakeExpand,   // take it into the multi-line editor
    Move,         // selection to `row`
    BackToInput,
    RemoveRow,
    KillProcess,  // a window row's process
    CopyFullPath, // `reset`: the input is reset afterwards
    ContextMenu,
    CenterScreen, // `wholeScreen`: the whole primary screen, else the nearest monitor
    FitAndCenter, // `forceFit`: fitted even when not oversized
    FocusInput,
    StartPage,
    Help,
    ToggleBrowser,
    EndBrowser,
    ExpandFolder,
    KeywordEditor,
    AddKeyword,
    Settings,
};

struct TListKeyDecision {
    TListKeyAction action = TListKeyAction::None;
    int number = 0;
    int row = -1;
    bool launch = false;
    bool forcerunas = false;
    bool forcebrowser = false;
    bool reset = false;
    bool wholeScreen = false;
    bool forceFit = false;
};

class TRowTexts {
public:
    virtual ~TRowTexts() = default;
    virtual int Count() const = 0;
    virtual QString Text(int row) const = 0;
};

// The list's key map while a row is selected.
TListKeyDecision DecideListKey(const TKeyStroke& key, const TRowTexts& rows, int selected, const TSettings& s);

enum class TEditorKeyAction {
    None,          // the editor handles it, unless a menu item's shortcut matches it
    Execute,       // close the editor and run its text (`runas`, `browser`)
    Consume,
    Close,
    CenterScreen,  // `wholeScreen` as in the list
    FitAndCenter,  // `forceFit` as in the list
    ToggleBrowser,
    EndBrowser,
    FocusInput,
    KeywordEditor,
    Settings,
    InputAssist,   // the input-assist popup for the editor, a moment later
    Menu,          // the editor's pop-up menu at its top-left corner
};

struct TEditorKeyDecision {
    TEditorKeyAction action = TEditorKeyAction::None;
    bool runas = false;
    bool browser = false;
    bool wholeScreen = false;
    bool forceFit = false;
};

// The multi-line editor's own keys; `empty` when the editor holds no text.
TEditorKeyDecision DecideEditorKey(const TKeyStroke& key, bool empty, const TSettings& s);

// The row Up or Down reaches from `row`, stepping over "====" headers; -1 above the first row.
int NextListRow(const TRowTexts& rows, int row, int delta);
// The row a list opened with the focus selects: the first entry under the header with headers on.
int FirstListRow(const TRowTexts& rows, bool comboheaders);

// Ctrl+Backspace: the line up to and including the last space, "/", "\" or "&" before its last
// character; empty when there is none (the line is then reset).
QString DeleteWordBack(const QString& text);
// Ctrl+Left and Ctrl+Right over the word bounds " :/\&-.|+=?_@#;".
int WordLeft(const QString& text, int caret);
int WordRight(const QString& text, int caret);
// Tab without an item: select from the next "\", "/" (or, in a line without either, space) after
// the caret to the end; `start` is where the selection begins, the caret's end when none.
int TabAcceptStart(const QString& text, int caret);
// Shift+Tab: from just after the previous such bound; 0 when none.
int TabBackStart(const QString& text, int caret);

} // namespace vantrelo
