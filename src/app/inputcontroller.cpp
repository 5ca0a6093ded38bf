// The input line and its list: every key action in one place, typing, the rows and the line's requests.
#include "app/inputcontroller.h"

#include "app/suggestbridge.h"
#include "core/history.h"
#include "core/inputtext.h"
#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/inputline.h"
#include "exec/pipeline.h"

#include <QDir>
#include <QFileInfo>

namespace vantrelo {

namespace {

// Where the typed text ends: a selection is a completion's proposal, not typed.
int TypedEnd(const TLineState& line) { return line.selLength > 0 ? line.selStart : line.caret; }

} // namespace

// The line operations' view of the window and the suggestions.
class TInputController::TLineView final : public TInputView {
public:
    explicit TLineView(TInputController& c) : c_(c) {}
    void SetEditText(const QString& text) override { c_.view_.SetLineText(text, false); }
    bool EditTextIsEmpty() const override { return c_.view_.Line().text.isEmpty(); }
    void SetTextColor(int colour) override { c_.view_.SetLineColor(colour); }
    void SelectAll() override { c_.SelectLine(); }
    void CaretToEnd() override { c_.view_.SetCaret(int(c_.view_.Line().text.size()), -1); }
    void InvalidateFolderCache() override { c_.suggest_.FolderCacheStale(); }
    void RefreshSkinIconAndTitle() override { c_.UpdateTitle(false); }
    void ClearSuggestions() override { c_.suggest_.ClearSuggestions(); }
    // The input window shows one icon for every input.
    void UpdateInputIcon() override {}
    void ProcessInput(TInputRequest request, const QString& sender) override {
        c_.ProcessInput(request, sender, sender == QStringView(kAfterCommandSender));
    }

private:
    TInputController& c_;
};

TInputController::TInputController(TSettings& settings, const TKeywordList& keywords, THistory& history,
                                   TSuggestBridge& suggest, TInputWindow& view, TInputOutside& outside)
    : settings_(settings), keywords_(keywords), history_(history), suggest_(suggest), view_(view),
      outside_(outside), lineView_(std::make_unique<TLineView>(*this)), line_(settings, *lineView_) {}

TInputController::~TInputController() = default;

// --- keys ---

bool TInputController::InputKey(const TKeyDecision& d, const TLineState& line) {
    typedSinceShow_ = true;
    if (d.dismissPanels)
        view_.DismissListPanels();
    // Every action is named here, so the compiler tells when a new one is left unhandled.
    switch (d.action) {
    case TKeyAction::None:
        return false;
    case TKeyAction::ExpandFolder:
        ListFolder();
        return true;
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
        // The current item's menu opens; the key itself still reaches the line.
        outside_.ShowItemMenu();
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
    case TKeyAction::ShowList:
        view_.StopListTimer();
        ProcessInput(TInputRequest::ShowForInput, QString(), false);
        break;
    case TKeyAction::NextCompletion:
    case TKeyAction::PreviousCompletion:
        view_.StopListTimer();
        ProcessInput(d.action == TKeyAction::NextCompletion ? TInputRequest::NextCompletion
                                                            : TInputRequest::PreviousCompletion,
                     QString(), false);
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
        ProcessInput(TInputRequest::ToggleReverse, QString(), false);
        break;
    case TKeyAction::InputAssist:
        view_.StopListTimer();
        outside_.OpenInputAssist(false);
        break;
    case TKeyAction::StartPage:
        view_.StopListTimer();
        outside_.OpenTool(TTool::StartPage);
        break;
    case TKeyAction::ToggleBrowser:
        view_.StopListTimer();
        outside_.OpenTool(TTool::ToggleBrowser);
        break;
    case TKeyAction::EndBrowser:
        view_.StopListTimer();
        outside_.OpenTool(TTool::EndBrowser);
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
        ProcessInput(TInputRequest::TakeItemPath, QString(), false);
        return;
    }
    // A keyword that names a folder becomes the folder's path.
    if (keywords_.FindKeyword(TrimText(line.text), true)) {
        const QString path = outside_.ItemPath(line.text, nullptr, true);
        if (!path.isEmpty() && QFileInfo(path).isDir()) {
            SetNewWord(path, false, true);
            return;
        }
    }
    view_.SetLineSelection(TabAcceptStart(line.text, line.caret), int(line.text.size()));
}

bool TInputController::ListKey(const TListKeyDecision& d, int row) {
    typedSinceShow_ = true;
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
        outside_.OpenTool(TTool::StartPage);
        break;
    case TListKeyAction::ToggleBrowser:
        outside_.OpenTool(TTool::ToggleBrowser);
        break;
    case TListKeyAction::EndBrowser:
        outside_.OpenTool(TTool::EndBrowser);
        break;
    }
    return true;
}

void TInputController::RemoveRow(int row) {
    // A window row closes its window, a clipboard row leaves the clipboard history; other rows
    // leave the history.
    if (const auto* w = ItemAs<TMyWindowItem>(suggest_.RowItem(row))) {
        outside_.CloseWindow(w->hand);
        return;
    }
    if (const auto* c = ItemAs<TMyClipItem>(suggest_.RowItem(row))) {
        const TMyClipItem copy = *c;
        if (outside_.RemoveClipEntry(copy)) {
            const TLineState line = view_.Line();
            RefreshList(line.text, line.caret, true);
        }
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
    ListFolder();
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
        outside_.OpenTool(TTool::ToggleBrowser);
        break;
    case TEditorKeyAction::EndBrowser:
        outside_.OpenTool(TTool::EndBrowser);
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
    if (unknown == 1 && suggest_.LaunchFirstListEntry(text, view_.ListVisible(), false))
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
    // Asked for (Down, the list button): the list takes the focus on its first entry.
    if (focus && suggest_.HasEntries()) {
        view_.DisplayList(suggest_.Rows(), true);
        return;
    }
    // Otherwise the drop-down's rules: only with `autodropdown`, never while it behaves like a
    // drop-down on an empty line; a list of fixed size stays open, emptied, when nothing matches
    // (in incognito mode it even opens empty).
    if (!settings_.autodropdown || line_.CheckListAuto()) {
        view_.HideList();
        return;
    }
    if (suggest_.HasEntries()) {
        view_.DisplayList(suggest_.Rows(), false);
        return;
    }
    if (!settings_.listfixedsize) {
        view_.HideList();
        return;
    }
    if (view_.ListVisible() || settings_.incognito)
        view_.DisplayList(suggest_.Rows(), false);
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
    if (TakeExternalText(text) || ExpandAtRightEdge(text))
        return;
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

void TInputController::RowActivated(int row, bool runas, bool browser) {
    TakeRow(row, settings_.itemquicklaunch ? TTake::Launch : TTake::Line, runas, browser);
}

void TInputController::Shown() { typedSinceShow_ = false; }

void TInputController::ListButtonClicked() {
    if (view_.ListVisible()) {
        view_.HideList();
        return;
    }
    // The button lists the input, or everything when it does not follow the input (dropbuttonauto).
    ProcessInput(settings_.dropbuttonauto ? TInputRequest::ShowForInput : TInputRequest::ShowAll, QString(), false);
}

bool TInputController::TakeExternalText(const QString& text) {
    // Text that arrives without a key since the window was shown (dropped, pasted with the
    // middle button, sent by another program) is taken as a new input.
    if (!settings_.externaltext || typedSinceShow_ || text.isEmpty() || text == line_.State().LastSetText)
        return false;
    SetNewWord(text, false, false);
    typedSinceShow_ = true;
    return true;
}

bool TInputController::ExpandAtRightEdge(const QString& text) {
    // A line that reaches the window's edge continues in the multi-line editor.
    if (!settings_.autoexpand || text.isEmpty() || !view_.CaretAtRightEdge())
        return false;
    view_.ExpandInput(text);
    return true;
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

// --- the line's operations and requests ---

QString TInputController::LineText() const { return view_.Line().text; }


void TInputController::SelectLine() {
    const QString text = view_.Line().text;
    view_.SetLineSelection(0, int(text.size()));
}

void TInputController::SetNewWord(const QString& text, bool selectall, bool ignoredrop) {
    line_.SetNewWord(text, selectall, ignoredrop);
}

void TInputController::ProcessInput(TInputRequest request, const QString&, bool) {
    const TLineState line = view_.Line();
    // A line that starts with "->" is a note to the user: no list for it.
    if (line.text.startsWith(QLatin1String("->"))) {
        suggest_.Clear();
        view_.HideList();
        return;
    }
    switch (request) {
    case TInputRequest::NextCompletion:
    case TInputRequest::PreviousCompletion:
        StepCompletion(request == TInputRequest::NextCompletion);
        break;
    case TInputRequest::ShowAll:
        suggest_.ShowAll(line.text);
        ShowRows(true);
        break;
    case TInputRequest::ShowForInput:
        // A wholly selected line (as Enter leaves it) is the input as a whole, not a caret at 0:
        // a special-list keyword still shows its list.
        RefreshList(line.text, line.selLength == line.text.size() ? int(line.text.size()) : TypedEnd(line), true);
        break;
    case TInputRequest::RefreshSilently:
        RefreshSilently();
        break;
    case TInputRequest::ToggleReverse:
        suggest_.SetReverse(!suggest_.Reverse());
        RefreshList(line.text, TypedEnd(line), true);
        break;
    case TInputRequest::ListFolder:
        ListFolder();
        break;
    case TInputRequest::TakeItemPath:
        TakeItemPath();
        break;
    }
}

void TInputController::StepCompletion(bool forward) {
    const TLineState line = view_.Line();
    // The candidate completes what was typed; a selection is an earlier candidate's completed part.
    const TSuggestBridge::TTyped t =
        suggest_.Step(line.text, TypedEnd(line), line.selLength, forward, line_.State().CompletionCycle);
    if (!t.completed)
        return;
    view_.SetLineText(t.text, false);
    view_.SetLineSelection(t.selStart, t.selStart + t.selLength);
    UpdateTitle(false);
}

void TInputController::RefreshSilently() {
    const TLineState line = view_.Line();
    suggest_.Refresh(line.text, TypedEnd(line));
    ShowRows(false);
}

void TInputController::ListFolder() {
    // A file stands for the folder that holds it.
    QString folder = outside_.ItemPath(view_.Line().text, CurrentItem(), false);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        ShowToast(QStringLiteral("Could not detect a folder path from current input"));
        return;
    }
    // A folder that ends in "/" lists its contents.
    if (!folder.endsWith(u'/'))
        folder += u'/';
    SetNewWord(folder, false, true);
    RefreshList(folder, int(folder.size()), true);
}

void TInputController::TakeItemPath() {
    const TItem* item = Unwrapped(CurrentItem());
    // A keyword's target is not taken: its name stays the input.
    if (ItemAs<TExeWord>(item))
        return;
    const QString path = outside_.ItemPath(view_.Line().text, CurrentItem(), true);
    if (IsPath(path)) {
        SetNewWord(path, false, true);
        return;
    }
    if (const auto* indexed = ItemAs<TMyShellItem>(item)) {
        SetNewWord(indexed->name, false, true);
        return;
    }
    ListFolder();
}

void TInputController::ResetCurrentSearch(bool cleartext) {
    line_.ResetCurrentSearch(cleartext);
    view_.wordEditShow();
    // Without the drop-down nothing lists the emptied line: the old list goes.
    if (!settings_.autodropdown) {
        suggest_.Clear();
        view_.HideList();
    }
}

void TInputController::ClearSuggestions() { suggest_.ClearSuggestions(); }

const TItem* TInputController::CurrentItem() const { return suggest_.ItemFor(view_.Line().text); }

void TInputController::ShowToast(const QString& text) { view_.ShowToast(text); }

bool TInputController::LaunchFirstListEntry(bool force) {
    QString text = view_.Line().text;
    if (!suggest_.LaunchFirstListEntry(text, view_.ListVisible(), force))
        return false;
    view_.SetLineText(text, false);
    return true;
}

} // namespace vantrelo
