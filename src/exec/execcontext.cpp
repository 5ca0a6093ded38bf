// The execution context's default command expansion.
#include "exec/execcontext.h"

#include "exec/envexpand.h"

namespace vantrelo {

TExecContext::TExecContext(const TSettings& s, const TKeywordList& k, const TExecServices& svc)
    : settings(s), keywords(k), services(svc) {
    expandCommand = [env = svc.environment](const QString& text, bool) {
        return env ? ExpandUserPath(text, *env) : text;
    };
}

} // namespace vantrelo
