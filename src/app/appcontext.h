// The one application context: the user's data, the services and the windows that the controllers share.
#pragma once

#include "commands/windowhost.h"
#include "core/settingsstore.h"

#include <QString>

#include <memory>

class QObject;

namespace vantrelo {

struct TSystemParts;
struct TDesktopServices;
class TEngine;
class TSuggestBridge;
class TMainForm;
class TIndexRefresher;
class TProgramController;
class TInputController;
class TPipelineWindow;
class TWindowController;
class TItemMenuController;
class TAssistController;
class TIndexController;
class TDashController;
class TImportController;
class TKeywordImportController;
class TLifecycle;
class THotkeyBridge;
class TSkinController;
class TSettingsController;
class TSkinDialogs;
class TStoreChangeHandler;
class TDesktopController;
class TNoticeController;
class TInfoText;
class TClipController;
class TNotesController;
class TBrowserModule;
class TBrowserHost;
class TPermissionPrompt;

// Program-wide state lives here and nowhere else, so a test can build a fresh one. The
// application builds the parts in order; each controller reaches the others through it.
struct TAppContext {
    TAppContext(TPlaces places, QObject* parent);
    ~TAppContext();
    TAppContext(const TAppContext&) = delete;
    TAppContext& operator=(const TAppContext&) = delete;

    TSettingsStore store;
    TUserData data;
    QObject* owner;               // the parent of timers and queued calls
    bool safeMode = false;
    bool closing = false;         // closing has begun: nothing new starts
    TTargetWindow lastActive;     // LastActiveWindow: the window the input window was summoned over
    QString openAfterClose;       // the file "-edit" asked for, opened once the program has stopped

    // Changes vantrelo-cli hands over while this launcher runs (it holds the launcher lock).
    std::unique_ptr<TStoreChangeHandler> storeChanges;
    std::unique_ptr<TSystemParts> sys;
    std::unique_ptr<TDesktopServices> desk;
    std::unique_ptr<TSuggestBridge> suggest;
    std::unique_ptr<TMainForm> form;
    std::unique_ptr<TEngine> engine;

    std::unique_ptr<TProgramController> program;
    std::unique_ptr<TWindowController> window;
    std::unique_ptr<TDesktopController> desktop; // the window commands' side: previous window, input window
    std::unique_ptr<TNoticeController> notices;  // the countdown's and the alarm's notices
    std::unique_ptr<TInfoText> info;             // the information line's template expansion
    std::unique_ptr<TInputController> input;
    std::unique_ptr<TPipelineWindow> pipelineWindow; // the pipeline's view of the input window
    std::unique_ptr<TItemMenuController> menus;
    std::unique_ptr<TAssistController> assist;
    std::unique_ptr<TIndexController> index;
    std::unique_ptr<TDashController> dash;
    std::unique_ptr<TImportController> import;
    std::unique_ptr<TKeywordImportController> keywordImport;
    std::unique_ptr<THotkeyBridge> hotkeys;
    std::unique_ptr<TSkinController> skin;
    std::unique_ptr<TSettingsController> settingsDialog;
    std::unique_ptr<TSkinDialogs> skinDialogs;
    std::unique_ptr<TClipController> clip; // the clipboard history
    std::unique_ptr<TNotesController> notes;
    // The embedded browser; its engine is loaded and its web view made on first use.
    std::unique_ptr<TBrowserHost> browserHost;
    std::unique_ptr<TPermissionPrompt> permission;
    std::unique_ptr<TBrowserModule> browser;
};

} // namespace vantrelo
