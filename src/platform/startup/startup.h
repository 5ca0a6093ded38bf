// The order of program start and the orderly stop, over what the main window provides.
#pragma once

#include "platform/startup/commandline.h"

#include <QString>

namespace vantrelo {

struct TSettings;

enum class TSettingsOutcome { Loaded, NewInstallation, Quit };

// What start-up asks of the program; the main window implements it.
class TStartupHost {
public:
    virtual ~TStartupHost() = default;
    // Reads vantrelo.ini into the settings that Settings() returns (with the rescue dialog).
    virtual TSettingsOutcome ReadSettings() = 0;
    virtual const TSettings& Settings() const = 0;
    // For this run only: "ignorenetwork" on, no skin file; never written.
    virtual void ApplySafeMode() = 0;
    virtual void ImportKeywordsNow() = 0;              // "importurlfast": before the window shows
    virtual void CaptureLastActiveWindow() = 0;
    virtual void ShowSafeModeNotice(const QString& text) = 0; // into the input line
    virtual void OpenAppWizard() = 0;
    virtual void ApplyPriority(int priority) = 0;
    virtual void PlaceWindow(bool centre) = 0;         // at the cursor or stored position, or centred
    virtual void AddTrayIcon() = 0;
    virtual void ApplySkin() = 0;                      // the look at start-up
    virtual bool RegisterGlobalHotkey() = 0;
    virtual void RegisterKeywordHotkeys() = 0;
    virtual void ShowWarning(const QString& caption, const QString& text) = 0;
    virtual void ArmKeyboardHook() = 0;
    virtual void StartIndex() = 0;                     // load and refresh as the index settings say
    virtual void StartKeywordImport() = 0;             // "importurl" on a background thread
    virtual void WatchClipboard() = 0;
    virtual void ReadClipboardHistory() = 0;
    virtual void ShowInputWindow(bool visible) = 0;
    // An input executed as if typed: no history, asynchronous, no sound.
    virtual void ExecuteInput(const QString& text) = 0;
    virtual void PutInput(const QString& text, bool selected) = 0;
    // Proposes a keyword for an existing file or folder (the file handling of "Open with").
    virtual void HandleFile(const QString& path) = 0;
};

class TStartup {
public:
    TStartup(TCommandLine line, TStartupHost& host) : line_(std::move(line)), host_(host) {}

    bool SafeMode() const { return line_.option == TStartOption::SafeMode; }
    // Prepares the input window; false when the program should end (the user left the rescue).
    bool CreateInputWindow();
    // After the list window exists: the command line's own input, then every "startup" entry.
    void RunStartupActions();
    // At the first paint of the input window: a file given on the command line.
    void FirstPaint();
    // The first activation of the program ends the silent start.
    void Activated() { silent_ = false; }

private:
    TCommandLine line_;
    TStartupHost& host_;
    bool silent_ = true;
    bool pendingFile_ = false;
};

// What closing asks of the program, in the order it happens.
class TShutdownHost {
public:
    virtual ~TShutdownHost() = default;
    virtual bool SettingsDialogOpen() const = 0;
    virtual void StopTimers() = 0;
    virtual void StopKeyboardHook() = 0;
    // Waits for the index, icon and import workers while processing events; false on time-out.
    virtual bool WaitForWorkers(int timeoutMs) = 0;
    virtual void CloseListWindow() = 0;
    virtual TSettings& Settings() = 0;
    virtual void WriteSettings() = 0;
    virtual void Backup() = 0;
    virtual void SaveNotes() = 0;
    // Waits for a running saver of the clipboard history, then writes it.
    virtual void SaveClipboardHistory() = 0;
    virtual void SaveIndexCache() = 0;
    virtual void UnregisterHotkeys() = 0;
    virtual void RemoveTrayIcon() = 0;
    virtual void OpenPath(const QString& path) = 0;
};

class TShutdown {
public:
    static constexpr int kWorkerWaitMs = 60000;

    explicit TShutdown(bool safeMode) : safeMode_(safeMode) {}
    bool Closing() const { return closing_; }
    // A file to open as the very last step ("-edit" opens vantrelo.ini).
    void OpenAfterClose(const QString& path) { openAfter_ = path; }
    // The whole closing sequence; false when the close is refused (already closing, or the
    // settings dialog is open).
    bool Close(TShutdownHost& host);

private:
    bool safeMode_;
    bool closing_ = false;
    QString openAfter_;
};

} // namespace vantrelo
