// The script every connected page gets first: the web channel client and window.vantrelo.
#pragma once

#include <QString>

namespace vantrelo {

QString PageScript();

} // namespace vantrelo
