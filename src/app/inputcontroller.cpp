// The input line and its list: every key action in one place, the rows, and the pipeline's view.
#include "app/inputcontroller.h"

#include "app/suggestbridge.h"
#include "core/history.h"
#include "core/inputtext.h"
#include "core/items.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/inputline.h"
#include "exec/pipeline.h"

#include <QDir>
#include <QFileInfo>

namespace vantrelo {

TInputController::TInputController(TSettings& settings, const TKeywordList& keywords, THistory& history,
                                   TSuggestBridge& suggest, TInputWindow& view, TInputOutside& outside)
    : settings_(settings), keywords_(keywords), history_(history), suggest_(suggest), view_(view),
      outside_(outside) {}

// --- keys ---

bool TInputController::InputKey(const TKeyDecision& d, const TLineState& line) {
    if (d.dismissPanels)
        view_.DismissListPanels();
    // Every action is named here, so the compiler tells when a new one is left unhandled.
    switch (d.action) {
    case TKeyAction::None:
        return false;
    case TKeyAction::Consume:
        return true;
    case TKeyAction::SelectWholeLine:
        view_.SetLineSelection(0, int(line.text.size()));
        return true;
    case TKeyAction::FocusInput:
        view_.FocusLine();
        return true;
    case TKeyAction::MoveCaret: {
        int anchor = -1;
        if (d.extend)
            anchor = line.selLength > 0 && line.selStart + line.selLength == line.caret ? line.selStart
                     : line.selLength > 0                                              ? line.selStart + line.selLength
                                                                                       : line.caret;
        view_.SetCaret(d.caret, anchor);
        return true;
    }
    case TKeyAction::CenterScreen:
        Centre(true);
        return true;
    case TKeyAction::FitAndCenter:
        FitAndCentre(true);
        return true;
    case TKeyAction::Hide:
        view_.ShowWindow(false, false, TShowLock::Hotkey);
        return true;
    case TKeyAction::ExpandEditor:
        view_.ExpandInput(line.text);
        return true;
    case TKeyAction::CloseWindow:
        outside_.CloseProgram();
        return true;
    case TKeyAction::ContextMenu:
        // The line's menu opens; the key itself still reaches the line.
        view_.ShowLineMenu();
        return false;
    case TKeyAction::Execute:
        view_.StopListTimer();
        Execute(line.text, d.forcerunas, d.forcebrowser);
        break;
    case TKeyAction::ClearInfoText:
    case TKeyAction::ClearLine:
        view_.StopListTimer();
        ResetCurrentSearch(true);
        break;
    case TKeyAction::ClearAndHide:
        view_.StopListTimer();
        ResetCurrentSearch(true);
        view_.ShowWindow(false, false, TShowLock::Hotkey);
        break;
    case TKeyAction::SwitchToLastActive:
        view_.StopListTimer();
        outside_.ActivateLastActive();
        break;
    case TKeyAction::PickNumber:
        view_.StopListTimer();
        if (view_.ListVisible())
            TakeRow(view_.RowWithNumber(d.number), TTake::Launch);
        break;
    case TKeyAction::ListNext:
        view_.StopListTimer();
        if (view_.ListVisible() && suggest_.HasEntries())
            view_.SetListFocus(FirstRowOfList());
        else
            ProcessInput(TInputRequest::ShowForInput, QString(), false);
        break;
    case TKeyAction::ListPrevious:
        view_.StopListTimer();
        if (view_.ListVisible() && suggest_.HasEntries())
            view_.SetListFocus(view_.ListRowCount() - 1);
        break;
    case TKeyAction::ShowAll:
        view_.StopListTimer();
        ProcessInput(TInputRequest::ShowAll, QString(), false);
        break;
    case TKeyAction::SetLine:
        view_.StopListTimer();
        if (d.text.isEmpty()) {
            ResetCurrentSearch(true);
        } else {
            view_.SetLineText(d.text, false);
            suggest_.FolderCacheStale();
            InputEdited(d.text, int(d.text.size()), false, true);
        }
        break;
    case TKeyAction::CopyFullPath:
        view_.StopListTimer();
        CopyFullPath(true);
        break;
    case TKeyAction::TabAccept:
        view_.StopListTimer();
        TabAccept(line);
        break;
    case TKeyAction::TabBack:
        view_.StopListTimer();
        view_.SetLineSelection(TabBackStart(line.text, line.caret), int(line.text.size()));
        break;
    case TKeyAction::ToggleReverse:
        view_.StopListTimer();
        ShowToast(QStringLiteral("Reversing the list is not available yet."));
        break;
    case TKeyAction::InputAssist:
        view_.StopListTimer();
        outside_.OpenInputAssist(false);
        break;
    case TKeyAction::StartPage:
    case TKeyAction::EndBrowser:
        view_.StopListTimer();
        outside_.OpenTool(TTool::Browser);
        break;
    }
    return d.consume;
}

void TInputController::Centre(bool wholeScreen) {
    view_.CenterOnMonitor(wholeScreen ? TCentre::Screen : TCentre::Monitor, false);
}

void TInputController::FitAndCentre(bool force) {
    view_.FitOnScreen(force);
    view_.CenterOnMonitor(TCentre::Monitor, false);
}

void TInputController::TabAccept(const TLineState& line) {
    if (CurrentItem()) {
        const QString path = outside_.ItemPath(line.text, CurrentItem(), true);
        if (!path.isEmpty() && path != line.text) {
            SetNewWord(path, false, true);
            return;
        }
    }
    view_.SetLineSelection(TabAcceptStart(line.text, line.caret), int(line.text.size()));
}

bool TInputController::ListKey(const TListKeyDecision& d, int row) {
    switch (d.action) {
    case TListKeyAction::None:
        // Typing goes back to the line.
        view_.RemoveListFocus();
        return false;
    case TListKeyAction::Move:
        view_.SetListFocus(d.row);
        break;
    case TListKeyAction::BackToInput:
    case TListKeyAction::FocusInput:
        view_.RemoveListFocus();
        break;
    case TListKeyAction::CenterScreen:
        Centre(d.wholeScreen);
        break;
    case TListKeyAction::FitAndCenter:
        FitAndCentre(d.forceFit);
        break;
    case TListKeyAction::PickNumber:
        TakeRow(view_.RowWithNumber(d.number), TTake::Launch);
        break;
    case TListKeyAction::Take:
        TakeRow(row, d.launch ? TTake::Launch : TTake::Line, d.forcerunas, d.forcebrowser);
        break;
    case TListKeyAction::TakeExpand:
        TakeRow(row, TTake::Expand);
        break;
    case TListKeyAction::RemoveRow:
        RemoveRow(row);
        break;
    case TListKeyAction::KillProcess:
        if (const auto* w = ItemAs<TMyWindowItem>(suggest_.RowItem(row)))
            outside_.EndProcessOfWindow(w->hand);
        break;
    case TListKeyAction::CopyFullPath:
        TakeRow(row, TTake::Line);
        CopyFullPath(false);
        if (d.reset)
            ResetCurrentSearch(true);
        break;
    case TListKeyAction::ContextMenu:
        outside_.ShowRowMenu(row, view_.RowMenuPoint(row));
        break;
    case TListKeyAction::ExpandFolder:
        ExpandFolder(row);
        break;
    case TListKeyAction::KeywordEditor:
    case TListKeyAction::AddKeyword:
        TakeRow(row, TTake::Line);
        outside_.OpenTool(TTool::KeywordEditor);
        break;
    case TListKeyAction::Settings:
        view_.RemoveListFocus();
        outside_.OpenTool(TTool::Settings);
        break;
    case TListKeyAction::Help:
        outside_.OpenTool(TTool::Help);
        break;
    case TListKeyAction::StartPage:
    case TListKeyAction::ToggleBrowser:
    case TListKeyAction::EndBrowser:
        outside_.OpenTool(TTool::Browser);
        break;
    }
    return true;
}

void TInputController::RemoveRow(int row) {
    // A window row closes its window; other rows leave the history.
    if (const auto* w = ItemAs<TMyWindowItem>(suggest_.RowItem(row))) {
        outside_.CloseWindow(w->hand);
        return;
    }
    const QString text = suggest_.RowText(row);
    if (!text.isEmpty() && history_.KillHist(text)) {
        outside_.WriteSettings();
        const TLineState line = view_.Line();
        RefreshList(line.text, line.caret, true);
    }
}

void TInputController::ExpandFolder(int row) {
    TakeRow(row, TTake::Line);
    QString folder = outside_.ItemPath(view_.Line().text, CurrentItem(), true);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    // A folder that ends in "/" lists its contents.
    if (!folder.endsWith(u'/'))
        folder += u'/';
    SetNewWord(folder, false, false);
    RefreshList(folder, int(folder.size()), true);
}

void TInputController::EditorKey(const TEditorKeyDecision& d) {
    switch (d.action) {
    case TEditorKeyAction::CenterScreen:
        Centre(d.wholeScreen);
        break;
    case TEditorKeyAction::FitAndCenter:
        FitAndCentre(d.forceFit);
        break;
    case TEditorKeyAction::FocusInput:
        view_.FocusLine();
        break;
    case TEditorKeyAction::KeywordEditor:
        outside_.OpenTool(TTool::KeywordEditor);
        break;
    case TEditorKeyAction::Settings:
        view_.FocusLine();
        outside_.OpenTool(TTool::Settings);
        break;
    case TEditorKeyAction::ToggleBrowser:
    case TEditorKeyAction::EndBrowser:
        outside_.OpenTool(TTool::Browser);
        break;
    case TEditorKeyAction::InputAssist:
        outside_.OpenInputAssist(true);
        break;
    // The editor handles these itself before they reach the program.
    case TEditorKeyAction::None:
    case TEditorKeyAction::Execute:
    case TEditorKeyAction::Consume:
    case TEditorKeyAction::Close:
    case TEditorKeyAction::Menu:
        break;
    }
}

// --- typing and the list ---

void TInputController::Execute(const QString& textIn, bool runas, bool browser) {
    QString text = textIn;
    if (TrimText(text).isEmpty())
        return;
    const int unknown = settings_.unknownlaunchtype;
    if (unknown == 1 && suggest_.LaunchFirstListEntry(text, view_.ListVisible()))
        view_.SetLineText(text, false);
    else if (unknown == 2 && suggest_.FastSearchFallback(text))
        view_.SetLineText(text, false);
    // The line as it is now: never a list or binding from an earlier text.
    text = view_.Line().text;
    view_.StopListTimer();
    outside_.Run(TExecRequest::Typed(text, runas, browser));
}

void TInputController::ShowRows(bool focus) {
    if (!view_.WindowVisible())
        return;
    const QString text = view_.Line().text;
    if (!suggest_.HasEntries() || (!focus && (text.isEmpty() || !settings_.autodropdown))) {
        view_.HideList();
        return;
    }
    view_.DisplayList(suggest_.Rows(), focus);
}

void TInputController::RedisplayList() { view_.DisplayList(suggest_.Rows(), false); }

void TInputController::FolderListed() {
    // The reader hands over only the folder asked for last, and the line is read as it is now.
    const TLineState line = view_.Line();
    if (!line.text.isEmpty())
        RefreshList(line.text, line.caret, false);
}

void TInputController::RefreshList(const QString& text, int caret, bool focus) {
    suggest_.Refresh(text, caret);
    ShowRows(focus);
    UpdateTitle(false);
}

void TInputController::UpdateTitle(bool force) {
    const QString title = suggest_.TitleFor(view_.Line().text);
    view_.displayTitle(title, IsPath(title), force);
}

void TInputController::InputEdited(const QString& text, int caret, bool typedChar, bool refreshList) {
    suggest_.Revalidate(text);
    if (text.isEmpty()) {
        ResetCurrentSearch(false);
        return;
    }
    if (typedChar) {
        // Inline completion: the completed part stays selected, so the next character types over it.
        const TSuggestBridge::TTyped t = suggest_.Typed(text, caret);
        if (t.completed) {
            view_.SetLineText(t.text, false);
            view_.SetLineSelection(t.selStart, t.selStart + t.selLength);
        }
        if (refreshList)
            ShowRows(false);
        UpdateTitle(false);
        return;
    }
    if (refreshList)
        RefreshList(text, caret, false);
    else
        UpdateTitle(false);
}

void TInputController::TakeRow(int row, TTake take, bool runas, bool browser) {
    const QString rowText = suggest_.RowText(row);
    if (rowText.isEmpty() || rowText.startsWith(QLatin1String("===")))
        return;
    const QString line = view_.Line().text;
    const QString& sep = settings_.separator;
    const qsizetype pos = sep.isEmpty() ? -1 : line.lastIndexOf(sep);
    QString text = (pos >= 0 ? line.left(pos + sep.size()) : QString()) + rowText;
    if (!IsPath(rowText))
        text += GetExtraExt(rowText, settings_, keywords_);
    suggest_.BindRow(row, text);
    view_.SetLineText(text, false);
    view_.wordEditShow();
    view_.RemoveListFocus();
    UpdateTitle(false);
    if (take == TTake::Expand) {
        view_.ExpandInput(text);
        return;
    }
    view_.HideList();
    if (take == TTake::Launch)
        Execute(text, runas, browser);
}

int TInputController::FirstRowOfList() const {
    if (settings_.comboheaders && view_.ListRowCount() > 1 && view_.ListRowIsHeader(0))
        return 1;
    return 0;
}

void TInputController::RowActivated(int row, bool runas, bool browser) {
    TakeRow(row, settings_.itemquicklaunch ? TTake::Launch : TTake::Line, runas, browser);
}

void TInputController::EditorExecute(const QString& text, bool runas, bool browser) {
    view_.SetLineText(text, false);
    view_.wordEditShow();
    if (text.startsWith(QLatin1String("->")))
        return;
    Execute(text, runas, browser);
}

void TInputController::CopyFullPath(bool intoLine) {
    QString path = outside_.ItemPath(view_.Line().text, CurrentItem(), true);
    // Plain words or an address are no file or folder to copy.
    if (!IsPath(path))
        path.clear();
    if (intoLine) {
        if (path.isEmpty())
            ShowToast(QStringLiteral("Current input does not have a file/folder path"));
        else
            SetNewWord(path, false, true);
        return;
    }
    if (path.isEmpty()) {
        ShowToast(QStringLiteral("Copy path to clipboard failed, no path detected"));
        return;
    }
    outside_.CopyToClipboard(path);
    ShowToast(QStringLiteral("Path copied to clipboard"));
}

// --- the pipeline's view ---

QString TInputController::LineText() const { return view_.Line().text; }
void TInputController::SetLineColor(int colour) { view_.SetLineColor(colour); }

void TInputController::SelectLine() {
    const QString text = view_.Line().text;
    view_.SetLineSelection(0, int(text.size()));
}

void TInputController::DeselectLine() {
    const TLineState line = view_.Line();
    view_.SetCaret(line.caret, -1);
}

void TInputController::SetNewWord(const QString& text, bool selectall, bool ignoredrop) {
    view_.SetLineText(text, selectall);
    suggest_.Revalidate(text);
    suggest_.FolderCacheStale();
    if (!ignoredrop && settings_.autodropdown && !text.isEmpty())
        RefreshList(text, int(text.size()), false);
    else
        UpdateTitle(false);
}

void TInputController::FocusLineAtEnd(const QString& text) {
    view_.SetLineText(text, false);
    view_.FocusLine();
}

void TInputController::StopListTimer() { view_.StopListTimer(); }

void TInputController::ProcessInput(TInputRequest request, const QString&, bool aftercommand) {
    const TLineState line = view_.Line();
    switch (request) {
    case TInputRequest::ShowForInput:
        RefreshList(line.text, line.caret, true);
        break;
    case TInputRequest::RefreshSilently:
        suggest_.Refresh(line.text, line.caret);
        // After a command the window is not raised again just to show the list.
        if (!aftercommand)
            ShowRows(false);
        break;
    case TInputRequest::ShowAll:
        suggest_.ShowAll(line.text);
        ShowRows(true);
        break;
    case TInputRequest::NextCompletion:
    case TInputRequest::PreviousCompletion:
        if (view_.ListVisible())
            view_.SetListFocus(request == TInputRequest::NextCompletion ? FirstRowOfList()
                                                                         : view_.ListRowCount() - 1);
        break;
    case TInputRequest::TakeItemPath:
        // A request of the pipeline, not the user's key: no toast when there is no path.
        if (const QString path = outside_.ItemPath(line.text, CurrentItem(), true); !path.isEmpty())
            SetNewWord(path, false, true);
        break;
    default:
        ShowToast(QStringLiteral("This list action is not available yet."));
        break;
    }
}

void TInputController::ResetCurrentSearch(bool cleartext) {
    if (cleartext)
        view_.SetLineText(QString(), false);
    suggest_.Clear();
    view_.wordEditShow();
    view_.HideList();
    view_.displayTitle(QString(), false, false);
}

void TInputController::ClearSuggestions() { suggest_.ClearSuggestions(); }

const TItem* TInputController::CurrentItem() const { return suggest_.ItemFor(view_.Line().text); }

void TInputController::SetCurrentItem(std::unique_ptr<TItem>) {
    // Items come from list rows only (BindRow); the pipeline's own choice is not kept across texts.
}

bool TInputController::CheckMinusCommand(const QString& input) { return outside_.RunDashCommand(input); }

bool TInputController::LaunchFirstListEntry(bool) {
    QString text = view_.Line().text;
    if (!suggest_.LaunchFirstListEntry(text, view_.ListVisible()))
        return false;
    view_.SetLineText(text, false);
    return true;
}

bool TInputController::ShiftHeld() const { return outside_.ShiftHeld(); }
bool TInputController::AltHeld() const { return outside_.AltHeld(); }
void TInputController::ShowMessage(const QString& text) { outside_.ShowMessage(text); }
void TInputController::ShowToast(const QString& text) { view_.ShowToast(text); }

void TInputController::ShowCalcResult(const QString& title, const QString& prompt, const QString& value) {
    outside_.ShowCalcResult(title, prompt, value);
}

void TInputController::ShowOutput(const QString& text, bool) { view_.ShowTextPanel(text); }
void TInputController::HideListWindow() { view_.HideList(); }
void TInputController::HideInputWindow() { view_.ShowWindow(false, false, TShowLock::Hotkey); }
void TInputController::CloseProgram() { outside_.CloseProgram(); }
void TInputController::RemoveClipEntry(const QString&) {}
bool TInputController::ActivateLastActiveWindow() { return outside_.ActivateLastActive(); }
void TInputController::ActivateWindow(quint64 window) { outside_.ActivateWindow(window); }
void TInputController::ClearIncognitoFolder() { outside_.ClearIncognitoFolder(); }

} // namespace vantrelo
