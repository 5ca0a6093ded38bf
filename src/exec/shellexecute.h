// The shell's execute operation on Linux: programs, desktop entries, documents, folders and URLs.
#pragma once

#include "platform/processlauncher.h"

#include <QString>

namespace vantrelo {

class TEnvironment;
class TFileSystem;

// Show modes, as a keyword's `open` stores them.
enum TShowMode : int { kShowNormal = 0, kShowMinimized = 1, kShowMaximized = 2, kShowHidden = 3 };

struct TShellRequest {
    QString verb;   // "open", "runas" (elevated) or empty (the target's own default)
    QString file;
    QString params;
    QString folder;
    int show = kShowNormal;
    // Optional: receives plain words for the user about this run (why it failed, what it left out).
    QString* notice = nullptr;
    bool Elevated() const { return verb == QLatin1String("runas"); }
};

// One execute operation; the result follows the shell's codes (33 and above is success).
class TShellExecute {
public:
    virtual ~TShellExecute() = default;
    virtual int ShellExecute(const TShellRequest& request) = 0;
    // Runs a program hidden and collects its output (blocking: call it from a worker).
    virtual TCaptureResult Capture(const TSpawnRequest& request, int timeoutMs, qsizetype maxBytes) = 0;
};

// Targets that only mean something on Windows: control-panel items, "shell:" and "ms-settings:"
// addresses and CLSIDs ("::{").
bool IsWindowsOnlyTarget(const QString& file);
// A ".lnk" or ".desktop" file: it carries its own program, folder and verb.
bool IsShortcut(const QString& file);

// Maps the execute operation onto Linux. Programs start from an argument vector (never a shell);
// documents, folders and URLs open with the desktop's handler; desktop entries run their Exec line
// (in a terminal when they ask for one); elevation goes through the launcher.
class TLinuxShell final : public TShellExecute {
public:
    // `environment` gives the locale (for %c), $TERMINAL and PATH of desktop entries.
    TLinuxShell(TProcessLauncher& launcher, const TEnvironment& environment)
        : launcher_(launcher), environment_(environment) {}
    int ShellExecute(const TShellRequest& request) override;
    TCaptureResult Capture(const TSpawnRequest& request, int timeoutMs, qsizetype maxBytes) override;

private:
    int RunDesktopEntry(const QString& file, const TShellRequest& request);
    int Open(const QString& target);

    TProcessLauncher& launcher_;
    const TEnvironment& environment_;
};

} // namespace vantrelo
