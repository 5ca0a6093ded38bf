// The launcher's desktop side: X11 windows, keys and hotkeys, the Qt clipboard, timers and workers.
#pragma once

#include "app/qtservices.h"
#include "core/items.h"
#include "exec/itempath.h"
#include "platform/linux/netfetcher_linux.h"
#include "platform/linux/procfs.h"

#include <memory>

class QObject;

namespace vantrelo {

class TXDesktop;
class TXMouse;
class TXKeyboard;
class TXGlobalHotkeys;
class TXShowTrace;
class TIncognitoCleaner;
class TLinuxRunningInstances;
class TProcessLauncher;
class TDesktopWindows;
class TInjector;

// Shortcut targets for "copy full path": a symbolic link's target, a desktop entry's own file.
struct TFileResolver final : TIndexedPathResolver {
    QString ShortcutTarget(const QString& path) const override;
    QString ParsingPath(const TMyShellItem& item) const override { return item.path; }
};

struct TDesktopServices {
    // Opens the X11 parts when Qt runs on X (none offscreen); `owner` parents the timers.
    TDesktopServices(QObject* owner, const QString& incognitoFolder);
    ~TDesktopServices();

    TQtClipboard clipboard;
    TQtWaiter waiter;
    TProcessSoundPlayer sound;
    TFileResolver resolver;
    TNetUrlFetcher fetcher;
    TProcFsProcessList processList;
    std::unique_ptr<TXDesktop> desktop;
    std::unique_ptr<TXKeyboard> keyboard;
    std::unique_ptr<TXMouse> mouse;
    std::unique_ptr<TXGlobalHotkeys> hotkeys;
    std::unique_ptr<TXShowTrace> showTrace; // only with VANTRELO_SHOW_LATENCY set
    std::unique_ptr<TInjector> injector; // every key and paste into another window
    std::unique_ptr<TKeyTextSender> textSender;
    std::unique_ptr<TQtScheduler> scheduler;
    std::unique_ptr<TQtTaskRunner> tasks;
    std::unique_ptr<TIncognitoCleaner> incognito;
    std::unique_ptr<TLinuxRunningInstances> instances; // single-instance keywords need the desktop

    // The desktop, or a stand-in that knows no windows and sends no keys.
    TDesktopWindows& Windows();
    TKeySender& Keys();

private:
    std::unique_ptr<TDesktopWindows> noWindows_;
    std::unique_ptr<TKeySender> noKeys_;
};

} // namespace vantrelo
