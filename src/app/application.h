// The application context of the running launcher: data, services, the pipeline, the index and the windows.
#pragma once

#include "commands/commandhost.h"
#include "core/settingsstore.h"
#include "exec/inputhost.h"
#include "exec/pipelinehost.h"
#include "platform/instancechannel.h"
#include "platform/startup/dashcommands.h"
#include "platform/startup/startup.h"
#include "ui/mainform.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QTimer;

namespace vantrelo {

class TSuggestBridge;
class TExecPipeline;
class TLauncher;
class TCommandDispatcher;
struct TExecContext;
class TIndexList;
class TIndexRefresher;
struct TAppServices;
class TAutocompletePopup;
struct TAssistEdit;
class TIdleTime;
class THotkeyBridge;

class TApplication final : public QObject,
                           public TMainFormHost,
                           public TPipelineView,
                           public TInputHost,
                           public TSettingsWriter,
                           public TCommandHost,
                           public TInstanceMessageSink,
                           public TDashHost,
                           public TStartupHost,
                           public TShutdownHost {
    Q_OBJECT
public:
    TApplication(TPlaces places, QStringList args);
    ~TApplication() override;

    // Loads the data, opens the desktop services and shows the window; an exit code when the
    // program must end at once, -1 to run.
    int Start();
    // The orderly stop: settings, backup, index cache; idempotent.
    void Shutdown();
    TMainForm* Form() const { return form_.get(); }
    bool SafeMode() const { return safeMode_; }

    // TMainFormHost
    void InputKey(const TKeyDecision& decision, const TLineState& line) override;
    void ListKey(const TListKeyDecision& decision, int row) override;
    void InputEdited(const QString& text, int caret, bool typedChar, bool refreshList) override;
    void RowActivated(int row, bool runas, bool browser) override;
    void RowMenu(int row, QPoint globalPos) override;
    void EditorExecute(const QString& text, bool runas, bool browser) override;
    void Command(TFormCommand command) override;
    void RememberForeground() override;
    void ActivateOwnWindow(quint64 window, quint64 userTime) override;
    std::optional<QRect> LastActiveFrame() const override;
    void InputWidthChanged(int width) override;
    void ListRowsChanged(int rows) override;
    void ListRowHeightFitted(int height) override { data_.settings.listrowheight = height; }
    void EditorKey(const TEditorKeyDecision& decision) override;
    void PinCommand() override;

    // TPipelineView
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
    bool ListWindowExists() const override;
    void HideListWindow() override;
    void HideInputWindow() override;
    void CloseProgram() override;
    void RemoveClipEntry(const QString& text) override;
    bool ActivateLastActiveWindow() override;
    void ActivateWindow(quint64 window) override;
    void ClearIncognitoFolder() override;

    // TInputHost
    void ShowInputWindow() override;
    QString SelectedInputText() const override;
    void CopyInputSelection(bool cut) override;
    void PasteIntoInput() override;
    void SetLastActiveWindow(quint64 window) override;

    // TSettingsWriter
    void WriteSettings() override;

    // TCommandHost
    void ShowFailure(const QString& message) override;
    void SetStatePanel() override;
    void SetDesign() override;
    void ResetCurrentSearch() override { ResetCurrentSearch(true); }
    void MoveInputWindow(int x, int y) override;
    void CloseMainWindow() override { CloseProgram(); }
    void ReArmKeyboardHook() override;
    void SetIncognitoMode(bool on, bool toggle) override;
    bool WriteSettings(QString* error) override;
    TBackupRequest BackupRequest() const override;

    // TInstanceMessageSink
    void InstanceMessage(const TInstanceMessage& message) override;

    // TDashHost
    void ToggleOneWindow() override;
    void OpenSettings(TSettingsPage page, const QString& skin) override;
    void SelectInput() override;
    void AddNewKeyWord(const QString& name, const QString& command, const QString& parameters) override;
    void OpenKeywordEditor() override;
    void CloseProgram(const QString& thenOpen) override;
    void ImportKeywordsFromFile() override;
    void ImportFromStartMenu() override;
    void ImportKeywordsFromUrl(const QString& url) override;
    void ExportKeywords() override;
    void Answer(const QString& text) override;
    void OpenPath(const QString& path) override;
    void OpenNotes(const QString& text) override;
    void OpenWebPage(const QString& url) override;
    void ShowMainMenuSoon() override;
    void ShowMessage(const QString& caption, const QString& text) override;
    TReportFacts ReportFacts() const override;

    // TStartupHost
    TSettingsOutcome ReadSettings() override;
    const TSettings& Settings() const override;
    void ApplySafeMode() override;
    void ImportKeywordsNow() override;
    void CaptureLastActiveWindow() override { RememberForeground(); }
    void ShowSafeModeNotice(const QString& text) override;
    void OpenAppWizard() override;
    void ApplyPriority(int priority) override;
    void PlaceWindow(bool centre) override;
    void AddTrayIcon() override;
    void ApplySkin() override;
    bool RegisterGlobalHotkey() override;
    void RegisterKeywordHotkeys() override;
    void ShowWarning(const QString& caption, const QString& text) override;
    void ArmKeyboardHook() override;
    void StartIndex() override;
    void StartKeywordImport() override;
    void WatchClipboard() override;
    void ReadClipboardHistory() override;
    void ShowInputWindow(bool visible) override;
    void ExecuteInput(const QString& text) override;
    void PutInput(const QString& text, bool selected) override;
    void HandleFile(const QString& path) override;
    // The same, raising the window with the time stamp of the request that sent the file.
    void HandleFile(const QString& path, quint64 userTime);

    // TShutdownHost
    bool SettingsDialogOpen() const override { return false; }
    void StopTimers() override;
    void StopKeyboardHook() override;
    bool WaitForWorkers(int timeoutMs) override;
    void CloseListWindow() override;
    TSettings& Settings() override;
    void SaveNotes() override;
    void Backup() override;
    void SaveIndexCache() override;
    void UnregisterHotkeys() override;
    void RemoveTrayIcon() override;

private:
    void Execute(const QString& text, bool runas, bool browser);
    void TakeRow(int row, bool launch, bool runas, bool browser, bool expand);
    // The list keys beyond taking and moving (windows, paths, dialogs).
    void MoreListKey(const TListKeyDecision& decision, int row);
    // The menu of an item or text: the file menu for a path, else the owner's fallback menu with
    // "Open" (and "Edit keyword" for a keyword that names no file).
    void ShowItemMenu(const TItem* item, const QString& text, QWidget* owner, QPoint globalPos,
                      std::function<void()> open, std::function<void()> edit);
    void OpenWithShell(const QString& target);
    // $PIN$: "on" and "off" switch the pin, anything else chooses a new picture.
    void RunPin(const QString& para);
    void RefreshList(const QString& text, int caret, bool focus);
    void ShowRows(bool focus);
    int FirstRowOfList() const;
    void UpdateTitle(bool force);
    // Everything that needs the settings: the services, the pipeline, suggestions and the windows.
    void BuildServices();
    // The keyword hotkeys and the Windows-key hooks, over the services and the window.
    void BuildHotkeys();
    // The index refresher and its commands; loading waits for StartIndex.
    void CreateIndex();
    // Ctrl+Space: the input-assist popup opens (or is built again), and a chosen row acts.
    void InputAssist(bool isUpdate);
    // What the popup works on: the input line, or the multi-line editor after its Ctrl+Space.
    TAssistEdit AssistEdit() const;
    void AssistChosen(int row, bool isSoft, bool shift);
    // The 10-second idle timer of the index refresh.
    void StartIdleTimer();
    QString CacheFile() const;
    // The single-instance claim; an exit code when this start only hands its work over, else -1.
    int ClaimInstance();
    void NotAvailable(const QString& what);

    TSettingsStore store_;
    TUserData data_;
    QStringList args_;
    bool safeMode_ = false;
    bool shutDown_ = false; // closing has begun: nothing new starts
    std::unique_ptr<TStartup> startup_;
    std::unique_ptr<TShutdown> shutdown_;
    QTimer* idleTimer_ = nullptr;
    std::unique_ptr<TIdleTime> idle_;
    bool indexCacheDirty_ = false;
    quint64 indexGeneration_ = 0; // the index whose prepared names the suggestions wait for
    quint64 lastActive_ = 0;
    std::unique_ptr<TInstanceChannel> channel_;
    QString openAfterClose_;
    std::unique_ptr<TAppServices> svc_;
    std::unique_ptr<TExecContext> ectx_;
    std::unique_ptr<TCommandDispatcher> dispatcher_;
    std::unique_ptr<TLauncher> launcher_;
    std::unique_ptr<TExecPipeline> pipeline_;
    std::unique_ptr<TSuggestBridge> suggest_;
    std::unique_ptr<TMainForm> form_;
    std::unique_ptr<TIndexRefresher> refresher_;
    std::unique_ptr<TAutocompletePopup> assistPopup_;
    bool assistInEditor_ = false;
    std::unique_ptr<THotkeyBridge> hotkeys_;
};

} // namespace vantrelo
