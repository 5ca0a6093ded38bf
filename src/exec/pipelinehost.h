// What the execution pipeline asks of the input window, the list, the settings file and the browser.
#pragma once

#include "exec/inputline.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vantrelo {

class TItem;
class TMyClipItem;

// The input window and its list, as the pipeline sees them; the window implements it.
class TPipelineView {
public:
    virtual ~TPipelineView() = default;
    virtual QString LineText() const = 0;
    virtual void SetLineColor(int colour) = 0; // 0x00BBGGRR
    virtual void SelectLine() = 0;
    virtual void DeselectLine() = 0;
    virtual void SetNewWord(const QString& text, bool selectall, bool ignoredrop) = 0;
    // Puts `text` into the line, focuses it and puts the caret at the end.
    virtual void FocusLineAtEnd(const QString& text) = 0;
    virtual void StopListTimer() = 0;
    // `aftercommand`: the refresh comes from the after-command step and must not raise the window.
    virtual void ProcessInput(TInputRequest request, const QString& sender, bool aftercommand) = 0;
    virtual void ResetCurrentSearch(bool cleartext) = 0;
    virtual void ClearSuggestions() = 0;
    virtual const TItem* CurrentItem() const = 0;
    virtual void SetCurrentItem(std::unique_ptr<TItem> item) = 0;
    // Dash options typed into the line ("-s", "-k"...); true when one was handled.
    virtual bool CheckMinusCommand(const QString& input) = 0;
    // Puts the first list entry into the line; true when there was one.
    virtual bool LaunchFirstListEntry(bool force) = 0;
    virtual bool ShiftHeld() const = 0;
    virtual bool AltHeld() const = 0;
    virtual void ShowMessage(const QString& text) = 0; // a message box
    virtual void ShowToast(const QString& text) = 0;
    // The calculation result dialog with an editable value.
    virtual void ShowCalcResult(const QString& title, const QString& prompt, const QString& value) = 0;
    // Shows text in the list window's text view.
    virtual void ShowOutput(const QString& text, bool focus) = 0;
    virtual bool ListWindowExists() const = 0;
    virtual void HideListWindow() = 0;
    virtual void HideInputWindow() = 0;
    virtual void CloseProgram() = 0;
    // A chosen clipboard-history entry: it becomes the newest entry and its text (exactly as it
    // was copied) goes to the clipboard.
    virtual void ChooseClipEntry(const TMyClipItem& item) = 0;
    // Brings the window that was active before the input window to the front (restoring it when
    // minimised); false when it no longer exists.
    virtual bool ActivateLastActiveWindow() = 0;
    virtual void ActivateWindow(quint64 window) = 0;
    // Starts the background removal of the incognito folder when one is due.
    virtual void ClearIncognitoFolder() = 0;
};

// Writes vantrelo.ini from memory (settings, keywords, history).
class TSettingsWriter {
public:
    virtual ~TSettingsWriter() = default;
    virtual void WriteSettings() = 0;
};

// What a launch asks of the embedded browser.
struct TBrowserOpen {
    QString target;
    QStringList options; // the removed marks ("$BCONNECT$", the "$BCLICK$" span...)
    QString params;
    QString line;
    QString keyword;     // names of the keyword, or of the chain's keyword
    bool focus = false;
    // "$PS"/"$PP" marks of the command: the line's parameters go into the page after `typeWait`
    // ms (0: none), typed or pasted as `typeKind` says (0 typed, 1 with Enter, 2 pasted, 3 with Enter).
    qint32 typeWait = 0;
    qint32 typeKind = 0;
};

class TEmbeddedBrowser {
public:
    virtual ~TEmbeddedBrowser() = default;
    // "$BROWSERFLUSHALL$", "$BROWSERFLUSHCURRENT$", "$BROWSEREND$", "$BROWSERCLEAR$",
    // "$BROWSERTOGGLE$", "$BSETFOCUS$".
    virtual void RunCommand(const QString& command) = 0;
    // A "$BCLICK$" list (the text between the marks) for the page on display, asked for `keyword`:
    // the names of the keyword running it.
    virtual void Click(const QString& clicks, const QString& keyword) = 0;
    virtual void Open(const TBrowserOpen& request) = 0;
    virtual void OpenWindow(const QString& target, bool full) = 0;
};

} // namespace vantrelo
