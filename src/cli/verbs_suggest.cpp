// The suggest verb: the drop-down list content the input window would show for an input.
#include "cli/cli.h"

#include "exec/systemservices.h"
#include "suggest/indexsnapshot.h"
#include "suggest/keystroke.h"
#include "suggest/preparedindex.h"
#include "suggest/suggestsources.h"
#include "suggest/systemprograms.h"

#include <QTextStream>

namespace vantrelo::cli {

// Prints one display text per line, group headers included.
int SuggestVerb(TCliContext& ctx, const QStringList& args) {
    if (args.isEmpty()) {
        ctx.err << "usage: vantrelo-cli [--data DIR] suggest INPUT\n";
        return kUsage;
    }
    if (!ctx.Load(false))
        return kFailed;
    const TUserData& d = ctx.Data();
    // The snapshot beside the cache is mapped; a missing or unsound one is made again from the cache.
    TPreparedIndex index;
    index.Adopt(LoadPreparedIndex(ctx.Places().dataFolder + QStringLiteral("scancache.dat")));
    TSystemEnvironment env;
    TSystemFileSystem files;
    TSystemClock clock;
    TSystemProgramSearch programs;
    TSuggestSources src{d.settings, d.keywords, d.history, d.tags};
    src.index = &index;
    src.env = &env;
    src.files = &files;
    src.clock = &clock;
    src.programs = &programs;
    TSuggestState state;
    RefreshForKeystroke(src, state, TSuggestLine::AtEnd(args.join(QLatin1Char(' '))));
    for (const TListEntry& e : state.content)
        ctx.out << e.text << "\n";
    return kOk;
}

} // namespace vantrelo::cli
