// The program's start and stop: the single-instance claim, then the start and stop sequences' host.
#pragma once

#include "platform/instancechannel.h"
#include "platform/startup/startup.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace vantrelo {

struct TAppContext;
class TInstanceChannel;
class TShutdownWatch;

// Gives the process the nice value of `priority` (0 "Highest" -10, 1 "High" -5, else 0); the
// failure in plain words (also on stderr), empty when it is set.
QString SetProgramPriority(int priority);

class TLifecycle final : public TStartupHost, public TShutdownHost, public TInstanceMessageSink {
public:
    // `build` makes the services and windows once the settings are read.
    TLifecycle(TAppContext& ctx, QStringList args, std::function<void()> build);
    ~TLifecycle() override;

    // Claims the instance and runs the start; an exit code when the program must end at once, -1 to run.
    int Start();
    // The orderly stop: settings, backup, index cache; idempotent.
    void Shutdown();
    // The desktop session is ending: the settings are written (the stop may never come).
    void SessionEnding();

    // TStartupHost
    TSettingsOutcome ReadSettings() override;
    const TSettings& Settings() const override;
    void ApplySafeMode() override;
    void ImportKeywordsNow() override;
    void CaptureLastActiveWindow() override;
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

    // TShutdownHost
    bool SettingsDialogOpen() const override { return false; }
    void StopTimers() override;
    void StopKeyboardHook() override;
    bool WaitForWorkers(int timeoutMs) override;
    void CloseListWindow() override;
    TSettings& Settings() override;
    void WriteSettings() override;
    void Backup() override;
    void SaveNotes() override;
    void SaveClipboardHistory() override;
    void SaveIndexCache() override;
    void UnregisterHotkeys() override;
    void RemoveTrayIcon() override;
    void OpenPath(const QString& path) override;

    // TInstanceMessageSink: handed to the dash controller once it exists.
    void InstanceMessage(const TInstanceMessage& message) override;
    QString InstanceRequest(const TInstanceMessage& message) override;

private:
    // The single-instance claim; an exit code when this start only hands its work over, else -1.
    int ClaimInstance();

    TAppContext& ctx_;
    QStringList args_;
    std::function<void()> build_;
    std::unique_ptr<TStartup> startup_;
    std::unique_ptr<TShutdown> shutdown_;
    std::unique_ptr<TInstanceChannel> channel_;
    std::unique_ptr<TShutdownWatch> shutdownWatch_;
};

} // namespace vantrelo
