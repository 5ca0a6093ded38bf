// The engine module's entry point: the one symbol the launcher looks up after loading it.
#include "browser/browsercontroller.h"
#include "core/settings.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT vantrelo::TBrowserEngine* vantrelo_browser_engine_create(
    unsigned abi, unsigned settingsSize, const vantrelo::TSettings& settings, vantrelo::TBrowserHost& host,
    vantrelo::TPermissionPrompt& prompt) {
    // A module of another build would misread the settings and the host: it refuses instead.
    if (abi != vantrelo::kBrowserEngineAbi || settingsSize != sizeof(vantrelo::TSettings))
        return nullptr;
    return new vantrelo::TBrowserController(settings, host, prompt);
}

// The launcher looks the entry point up by this name.
static_assert(sizeof(vantrelo::kBrowserEngineEntry) == sizeof("vantrelo_browser_engine_create"));
