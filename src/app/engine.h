// The services and the pipeline, built the same way by the launcher and by the command-line tool.
#pragma once

#include "commands/windowhost.h"
#include "core/datafolder.h"
#include "exec/shellexecute.h"
#include "exec/systemservices.h"
#include "platform/desktopwindows.h"
#include "platform/keysender.h"
#include "platform/linux/meminfo.h"
#include "platform/linux/processlauncher_linux.h"
#include "platform/linux/systemcontrol_linux.h"
#include "suggest/systemprograms.h"

#include <memory>

namespace vantrelo {

struct TUserData;
struct TExecContext;
class TClipboard;
class TWaiter;
class TSoundPlayer;
class TTextSender;
class TInjector;
class TInputHost;
class TPipelineView;
class TCommandHost;
class TSettingsWriter;
class TScheduler;
class TTaskRunner;
class TUrlFetcher;
class TRunningInstances;
class TIndexLookup;
class TInternalCommands;
class TCommandDispatcher;
class TLauncher;
class TExecPipeline;
class TNoticeHost;
class TEmbeddedBrowser;

// Without a desktop (a terminal, an offscreen run): no other windows and no keys to send.
struct TNoDesktopWindows final : TDesktopWindows {
    quint64 ForegroundWindow() const override { return 0; }
    bool IsOwnWindow(quint64) const override { return false; }
    bool ProgramIsActive() const override { return false; }
    void MinimizeAll() override {}
    void UndoMinimizeAll() override {}
};

struct TNoKeys final : TKeySender {
    void SendChord(int, int) override {}
};

// The operating system's services that need no display, in the order they are built.
struct TSystemParts {
    TSystemEnvironment env;
    TSystemFileSystem files;
    TSystemRandom random;
    TSystemClock clock;
    TSystemProgramSearch programs;
    TLinuxNetworkInfo network;
    TProcMemoryInfo memory;
    TLinuxProcessLauncher processes;
    TLogindPower power;
    TLinuxSession session{power, processes};
    TFreedesktopTrash trash{TFreedesktopTrash::UserTrashFolders()};
    TSoundServerVolume volume{processes};
    TEjectDrive disc{processes};
    TLinuxShell shell{processes, env};
};

// What the program in front supplies: its desktop side, its hosts and its deferred work.
struct TEngineFront {
    TClipboard* clipboard = nullptr;
    TDesktopWindows* windows = nullptr;
    TKeySender* keys = nullptr;
    TWaiter* waiter = nullptr;
    TSoundPlayer* sound = nullptr;
    TTextSender* text = nullptr;
    TInjector* injector = nullptr;          // optional: keys into other windows
    TInputHost* input = nullptr;
    TPipelineView* view = nullptr;
    TCommandHost* commands = nullptr;
    TSettingsWriter* writer = nullptr;
    TScheduler* scheduler = nullptr;
    TTaskRunner* tasks = nullptr;
    TUrlFetcher* fetcher = nullptr;         // optional
    TRunningInstances* instances = nullptr; // optional
    const TIndexLookup* index = nullptr;    // optional
    TShellExecute* shell = nullptr;         // in place of the system's (a dry run)
    TInternalCommands* internal = nullptr;  // in place of the dispatcher (a dry run)
    TDesktopAccess desktop;                 // the window and mouse commands (empty: none)
    TNoticeHost* notices = nullptr;         // countdown and alarm (null: they are refused)
    bool* closing = nullptr;                // optional: set once the program closes
    TEmbeddedBrowser* browser = nullptr;    // optional: the launcher's web view
};

// The input's way to an action: the execution context, the internal commands, the launcher and
// the pipeline over them.
class TEngine {
public:
    TEngine(TUserData& data, TSystemParts& sys, const TPlaces& places, const QString& exeFolder,
            const TEngineFront& front);
    ~TEngine();
    TEngine(const TEngine&) = delete;
    TEngine& operator=(const TEngine&) = delete;

    TExecContext& Exec() { return *exec_; }
    TCommandDispatcher& Dispatcher() { return *dispatcher_; }
    TLauncher& Launcher() { return *launcher_; }
    TExecPipeline& Pipeline() { return *pipeline_; }

private:
    std::unique_ptr<TExecContext> exec_;
    std::unique_ptr<TCommandDispatcher> dispatcher_;
    std::unique_ptr<TLauncher> launcher_;
    std::unique_ptr<TExecPipeline> pipeline_;
};

} // namespace vantrelo
