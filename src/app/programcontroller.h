// What the input line and the commands ask of the program: runs, paths, messages, settings, windows.
#pragma once

#include "app/inputcontroller.h"
#include "app/rungate.h"
#include "commands/commandhost.h"
#include "exec/inputhost.h"
#include "exec/pipelinehost.h"

namespace vantrelo {

struct TAppContext;
class TExeWord;

class TProgramController final : public TInputOutside,
                                 public TInputHost,
                                 public TSettingsWriter,
                                 public TCommandHost {
public:
    // The services must exist: runs wait for each other on the desktop's scheduler.
    explicit TProgramController(TAppContext& ctx);

    // TInputOutside
    bool Run(const TExecRequest& request) override;
    QString ItemPath(const QString& line, const TItem* item, bool withFile) const override;
    bool RunDashCommand(const QString& input) override;
    void ShowRowMenu(int row, QPoint at) override;
    void ShowItemMenu() override;
    void OpenTool(TTool tool) override;
    void OpenInputAssist(bool inEditor) override;
    void CloseWindow(quint64 window) override;
    void EndProcessOfWindow(quint64 window) override;
    bool ActivateLastActive() override;
    void ActivateWindow(quint64 window) override;
    void CopyToClipboard(const QString& text) override;
    void ChooseClipEntry(const TMyClipItem& item) override;
    bool RemoveClipEntry(const TMyClipItem& item) override;
    void WriteSettings() override;
    void ShowMessage(const QString& text) override;
    void ShowCalcResult(const QString& title, const QString& prompt, const QString& value) override;
    void CloseProgram() override;
    void ClearIncognitoFolder() override;
    bool ShiftHeld() const override;
    bool AltHeld() const override;

    // TInputHost
    void SetNewWord(const QString& text, bool selectall, bool ignoredrop) override;
    void ShowInputWindow() override;
    QString SelectedInputText() const override;
    void CopyInputSelection(bool cut) override;
    void PasteIntoInput() override;
    void SetLastActiveWindow(quint64 window) override;

    // TCommandHost
    void ShowToast(const QString& text) override;
    void ShowFailure(const QString& message) override;
    void SetStatePanel() override;
    void SetDesign() override;
    void ResetCurrentSearch() override;
    void MoveInputWindow(int x, int y) override;
    void HideListWindow() override;
    void CloseMainWindow() override { CloseProgram(); }
    void ReArmKeyboardHook() override;
    void SetIncognitoMode(bool on, bool toggle) override;
    bool WriteSettings(QString* error) override;
    TBackupRequest BackupRequest() const override;

    // A keyword run as if typed, without its parameters (a keyword hotkey); `word` is copied.
    void RunForced(const TExeWord& word, bool silent);
    // A feature that this build does not have says so.
    void NotAvailable(const QString& what);
    // Opens a file, folder or address with the desktop's handler; a failure is shown.
    void OpenWithShell(const QString& target);
    // A message box that does not block: information or a warning.
    void Message(const QString& caption, const QString& text, bool warning);

private:
    TAppContext& ctx_;
    TRunGate gate_;
};

} // namespace vantrelo
