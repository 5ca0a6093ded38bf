// Text verbs: rules programs over standard input, and what typing a text would send.
#include "cli/cli.h"

#include "exec/typeplan.h"
#include "tools/regexrules.h"

#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace vantrelo::cli {

namespace {

int Regex(TCliContext& ctx, const QString& rules) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly)) {
        ctx.err << "Cannot read standard input\n";
        return kFailed;
    }
    const TRegexOutcome r = ApplyRegexRules(rules, QString::fromUtf8(in.readAll()));
    if (!r.ok) {
        ctx.err << r.error << "\n";
        return kFailed;
    }
    ctx.out << r.text;
    return kOk;
}

int Keys(TCliContext& ctx, const QString& text) {
    for (const TTypeStep& step : PlanTypeText(text))
        ctx.out << DescribeTypeStep(step) << "\n";
    return kOk;
}

} // namespace

int TextVerb(TCliContext& ctx, const QStringList& args) {
    const QString sub = args.value(0);
    if (args.size() != 2 || (sub != QLatin1String("regex") && sub != QLatin1String("keys"))) {
        ctx.err << "usage: vantrelo-cli [--data DIR] text regex RULES | text keys TEXT\n";
        return kUsage;
    }
    return sub == QLatin1String("regex") ? Regex(ctx, args.at(1)) : Keys(ctx, args.at(1));
}

} // namespace vantrelo::cli
