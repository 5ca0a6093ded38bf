// The pipeline's view of the input window: the line, the list and the messages, through the input controller.
#include "app/pipelinewindow.h"

#include "app/inputcontroller.h"
#include "core/items.h"

namespace vantrelo {

QString TPipelineWindow::LineText() const { return view_.Line().text; }
void TPipelineWindow::SetLineColor(int colour) { view_.SetLineColor(colour); }
void TPipelineWindow::SelectLine() { input_.SelectLine(); }

void TPipelineWindow::DeselectLine() {
    const TLineState line = view_.Line();
    view_.SetCaret(line.caret, -1);
}

void TPipelineWindow::SetNewWord(const QString& text, bool selectall, bool ignoredrop) {
    input_.SetNewWord(text, selectall, ignoredrop);
}

void TPipelineWindow::FocusLineAtEnd(const QString& text) {
    view_.SetLineText(text, false);
    view_.FocusLine();
}

void TPipelineWindow::StopListTimer() { view_.StopListTimer(); }

void TPipelineWindow::ProcessInput(TInputRequest request, const QString& sender, bool aftercommand) {
    input_.ProcessInput(request, sender, aftercommand);
}

void TPipelineWindow::ResetCurrentSearch(bool cleartext) { input_.ResetCurrentSearch(cleartext); }
void TPipelineWindow::ClearSuggestions() { input_.ClearSuggestions(); }
const TItem* TPipelineWindow::CurrentItem() const { return input_.CurrentItem(); }

void TPipelineWindow::SetCurrentItem(std::unique_ptr<TItem>) {
    // Items come from list rows only (BindRow); the pipeline's own choice is not kept across texts.
}

bool TPipelineWindow::CheckMinusCommand(const QString& input) { return outside_.RunDashCommand(input); }
bool TPipelineWindow::LaunchFirstListEntry(bool force) { return input_.LaunchFirstListEntry(force); }
bool TPipelineWindow::ShiftHeld() const { return outside_.ShiftHeld(); }
bool TPipelineWindow::AltHeld() const { return outside_.AltHeld(); }
void TPipelineWindow::ShowMessage(const QString& text) { outside_.ShowMessage(text); }
void TPipelineWindow::ShowToast(const QString& text) { view_.ShowToast(text); }

void TPipelineWindow::ShowCalcResult(const QString& title, const QString& prompt, const QString& value) {
    outside_.ShowCalcResult(title, prompt, value);
}

void TPipelineWindow::ShowOutput(const QString& text, bool) { view_.ShowTextPanel(text); }
void TPipelineWindow::HideListWindow() { view_.HideList(); }
void TPipelineWindow::HideInputWindow() { view_.ShowWindow(false, false, TShowLock::Hotkey); }
void TPipelineWindow::CloseProgram() { outside_.CloseProgram(); }
void TPipelineWindow::ChooseClipEntry(const TMyClipItem& item) { outside_.ChooseClipEntry(item); }
bool TPipelineWindow::ActivateLastActiveWindow() { return outside_.ActivateLastActive(); }
void TPipelineWindow::ActivateWindow(quint64 window) { outside_.ActivateWindow(window); }
void TPipelineWindow::ClearIncognitoFolder() { outside_.ClearIncognitoFolder(); }

} // namespace vantrelo
