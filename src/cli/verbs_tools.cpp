// Verbs over the display-free tools: the calculator and the similarity measure.
#include "cli/cli.h"

#include "suggest/similarity.h"
#include "tools/calculator.h"

#include <QLocale>
#include <QTextStream>

namespace vantrelo::cli {

// Prints the answer the input line would show after the calculation character.
int CalcVerb(TCliContext& ctx, const QStringList& args) {
    const QString input = args.join(u' ');
    if (input.trimmed().isEmpty()) {
        ctx.err << "usage: vantrelo-cli [--data DIR] calc EXPRESSION\n";
        return kUsage;
    }
    if (!ctx.Load(false))
        return kFailed;
    const TSettings& s = ctx.Data().settings;
    const TCalcExecution e = ExecuteCalculation(s, input, QLocale::system().decimalPoint());
    if (!e.answer.success) {
        if (e.answer.text.startsWith(QLatin1String("Error")))
            ctx.err << e.answer.text << "\n";
        else
            ctx.err << "Error, not a calculation: " << input << "\n";
        return kFailed;
    }
    ctx.out << e.answer.text << "\n";
    return kOk;
}

// Prints the fuzzy score (a percentage) that suggestions give `b` for the typed `a`.
int SimilarityVerb(TCliContext& ctx, const QStringList& args) {
    if (args.size() != 2) {
        ctx.err << "usage: vantrelo-cli [--data DIR] similarity TEXT1 TEXT2\n";
        return kUsage;
    }
    auto link = InitSimilarity();
    ctx.out << SimilarityPercent(*link, args.at(0), args.at(1)) << "\n";
    return kOk;
}

} // namespace vantrelo::cli
