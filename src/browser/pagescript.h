// The scripts every connected page gets first: the launcher's relay (in its own script world) and window.vantrelo.
#pragma once

#include <QString>

namespace vantrelo {

// The web channel's client and the relay from page events to the bridge object.
QString RelayScript();
// data/vantrelo.js: window.vantrelo for the page's own scripts.
QString PageScript();

} // namespace vantrelo
