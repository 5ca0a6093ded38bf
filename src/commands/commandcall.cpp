// The default-parameter rules and whole-number reading shared by the command blocks.
#include "commands/commandcall.h"

#include "core/items.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/substitution.h"

namespace vantrelo {

QString FallbackParam(const TCommandCall& call, TExecContext& ctx, bool lower) {
    QString p = call.para;
    if (p.isEmpty() && call.exw)
        p = RunControlTokens(call.exw->parameters, true, ctx);
    return lower ? LowerText(p) : p;
}

QString SubstitutedParam(const TCommandCall& call, TExecContext& ctx, QString* failure, bool lower) {
    QString p = call.para;
    if (call.exw) {
        const TSubstituteResult r = SubstituteParameters(call.exw->parameters, call.para, ctx);
        if (r.failed) {
            if (failure)
                *failure = r.message;
            return QString();
        }
        if (!r.toInput && !r.text.isEmpty())
            p = r.text;
    }
    return TrimText(lower ? LowerText(p) : p);
}

std::optional<int> ReadWholeNumber(const QString& text) {
    const QString t = TrimText(text);
    bool ok = false;
    const int n = t.toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

QString NotAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid whole number").arg(text);
}

} // namespace vantrelo
