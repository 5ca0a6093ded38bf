// The engine module's entry point: the one symbol the launcher looks up after loading it.
#include "browser/browsercontroller.h"
#include "core/settings.h"

#include <QtGlobal>

namespace QtWebEngineCore {
// The engine's own set-up of the OpenGL context its pages share with the windows (exported by the
// engine library for its widgets and Quick modules, which run it before the application exists).
Q_DECL_IMPORT void initialize();
} // namespace QtWebEngineCore

extern "C" Q_DECL_EXPORT vantrelo::TBrowserEngine* vantrelo_browser_engine_create(
    unsigned abi, unsigned settingsSize, const vantrelo::TSettings& settings, vantrelo::TBrowserHost& host,
    vantrelo::TPermissionPrompt& prompt) {
    // A module of another build would misread the settings and the host: it refuses instead.
    if (abi != vantrelo::kBrowserEngineAbi || settingsSize != sizeof(vantrelo::TSettings))
        return nullptr;
    // Loaded after the application was made, the engine has no shared context yet and would crash
    // on its first page; the program does not open one at start because most runs show no page.
    static const bool contextShared = [] {
        QtWebEngineCore::initialize();
        return true;
    }();
    Q_UNUSED(contextShared);
    return new vantrelo::TBrowserController(settings, host, prompt);
}

// The launcher looks the entry point up by this name.
static_assert(sizeof(vantrelo::kBrowserEngineEntry) == sizeof("vantrelo_browser_engine_create"));
