// The embedded browser as the launcher sees it: the engine module's one object and its entry point.
#pragma once

#include "exec/pipelinehost.h"

#include <QString>

class QWidget;

namespace vantrelo {

struct TSettings;
class TBrowserHost;
class TPermissionPrompt;

// Everything the launcher asks of the web view; the module implements it, the launcher only calls.
class TBrowserEngine : public TEmbeddedBrowser {
public:
    // "-PRELOAD" and `browserpreload`: the web view is made and left hidden on about:blank.
    virtual void Preload() = 0;
    virtual bool Exists() const = 0;
    virtual bool HasPage() const = 0;
    // F2 and "$BROWSERTOGGLE$".
    virtual void Toggle(bool fromKeyboard, bool setFocus) = 0;
    // Shift+F2 and "$BROWSEREND$": the view goes (later, never inside its own handlers).
    virtual void End() = 0;
    // The open page is put away (and ended with `browserautoend`), as after a change of its settings.
    virtual void Dismiss() = 0;
    // "$STARTPAGE$" and F1 (forced, a toggle), or the input window being shown.
    virtual void StartPage(bool forced) = 0;
    // "$BROWSERURL$": the location, or "No browser session found".
    virtual QString Location() const = 0;
    // 0 back, 1 forward, 2 reload.
    virtual void Navigate(int how) = 0;
    // "$BROWSERWIN$" (0), "$BROWSERWINEXE$"/"$BROWSERWINFULL$" (1, `full`).
    virtual void MoveToWindow(int mode, bool full) = 0;
    // The line changed: a connected page of the opened origin hears it.
    virtual void UpdateInput(const QString& input) = 0;
    // The web view in the list window's page panel, if any.
    virtual QWidget* View() const = 0;
};

// The module's entry point, looked up by name: a new engine, or null when `abi` is not the one the
// module was built with (a module left from another build of the program).
inline constexpr char kBrowserEngineEntry[] = "vantrelo_browser_engine_create";
// Changes whenever the engine interface, the host interface or the settings' layout changes.
inline constexpr unsigned kBrowserEngineAbi = 3;
using TBrowserEngineCreate = TBrowserEngine* (*)(unsigned abi, unsigned settingsSize, const TSettings& settings,
                                                 TBrowserHost& host, TPermissionPrompt& prompt);

} // namespace vantrelo
