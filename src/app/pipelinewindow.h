// The pipeline's view of the input window: the line, the list and the messages, through the input controller.
#pragma once

#include "exec/pipelinehost.h"

namespace vantrelo {

class TInputController;
class TInputOutside;
class TInputWindow;

class TPipelineWindow final : public TPipelineView {
public:
    TPipelineWindow(TInputController& input, TInputWindow& view, TInputOutside& outside)
        : input_(input), view_(view), outside_(outside) {}

    QString LineText() const override;
    void SetLineColor(int colour) override;
    void SelectLine() override;
    void DeselectLine() override;
    void SetNewWord(const QString& text, bool selectall, bool ignoredrop) override;
    void FocusLineAtEnd(const QString& text) override;
    void StopListTimer() override;
    void ProcessInput(TInputRequest request, const QString& sender, bool aftercommand) override;
    void ResetCurrentSearch(bool cleartext) override;
    void ClearSuggestions() override;
    const TItem* CurrentItem() const override;
    void SetCurrentItem(std::unique_ptr<TItem> item) override;
    bool CheckMinusCommand(const QString& input) override;
    bool LaunchFirstListEntry(bool force) override;
    bool ShiftHeld() const override;
    bool AltHeld() const override;
    void ShowMessage(const QString& text) override;
    void ShowToast(const QString& text) override;
    void ShowCalcResult(const QString& title, const QString& prompt, const QString& value) override;
    void ShowOutput(const QString& text, bool focus) override;
    bool ListWindowExists() const override { return true; }
    void HideListWindow() override;
    void HideInputWindow() override;
    void CloseProgram() override;
    void ChooseClipEntry(const TMyClipItem& item) override;
    bool ActivateLastActiveWindow() override;
    void ActivateWindow(quint64 window) override;
    void ClearIncognitoFolder() override;

private:
    TInputController& input_;
    TInputWindow& view_;
    TInputOutside& outside_;
};

} // namespace vantrelo
