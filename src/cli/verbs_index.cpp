// Verbs over the file index: rebuilding it with its cache, and listing the cached entries.
#include "cli/cli.h"

#include "core/text.h"
#include "index/indexfiles.h"
#include "index/scanner.h"
#include "suggest/scanwriter.h"

#include <QTextStream>

#include <atomic>

namespace vantrelo::cli {

namespace {

QString CacheFile(const TCliContext& ctx) { return ctx.Places().dataFolder + QLatin1String("scancache.dat"); }

QString CountText(qsizetype n) {
    return n > 0 ? QStringLiteral("Indexed items: %1").arg(n) : QStringLiteral("Indexed items: None");
}

// The scan written out as it runs: cache lines and prepared entries, never a whole list in memory.
// The cache is replaced only by a finished scan; its snapshot follows.
int StreamedScan(TCliContext& ctx, const TScanInput& input) {
    const std::atomic<bool> cancel{false};
    const TScanWriteResult r = WriteScannedIndex(input, cancel, CacheFile(ctx));
    if (r.state != TScanState::Finished) {
        ctx.err << "the scan did not finish\n";
        return kFailed;
    }
    if (!r.cache) {
        ctx.err << r.cache.error << "\n";
        return kFailed;
    }
    // The prepared snapshot is derived: without it the next reader prepares the cache itself.
    if (!r.snapshot)
        ctx.err << r.snapshot.error << "\n";
    ctx.out << CountText(r.items) << "\n";
    return kOk;
}

int ScanVerb(TCliContext& ctx) {
    if (!ctx.Load(false))
        return kFailed;
    const TSettings& s = ctx.Data().settings;
    const TScanInput input = TScanInput::From(s, TScanRoots::FromEnvironment(), ctx.Places().dataFolder);
    if (s.cacheindex)
        return StreamedScan(ctx, input);
    const std::atomic<bool> cancel{false};
    const TScanResult r = ScanIndex(input, cancel);
    if (r.state != TScanState::Finished) {
        ctx.err << "the scan did not finish\n";
        return kFailed;
    }
    ctx.err << "cacheindex is off: scancache.dat was not written\n";
    ctx.out << CountText(r.list.ItemCount()) << "\n";
    return kOk;
}

int ListVerb(TCliContext& ctx) {
    TIndexList list;
    if (!LoadIndexCache(CacheFile(ctx), list)) {
        ctx.err << "no index cache in " << ctx.Places().dataFolder << ": run 'vantrelo-cli index scan' first\n";
        return kFailed;
    }
    for (const TIndexEntry& e : list)
        if (e.item)
            ctx.out << ReplaceLineBreaks(e.item->name, QStringLiteral(" ")) << "\t"
                    << ReplaceLineBreaks(e.item->path, QStringLiteral(" ")) << "\n";
    return kOk;
}

} // namespace

int IndexVerb(TCliContext& ctx, const QStringList& args) {
    if (args.size() == 1 && args.first() == QLatin1String("scan"))
        return ScanVerb(ctx);
    if (args.size() == 1 && args.first() == QLatin1String("list"))
        return ListVerb(ctx);
    ctx.err << "usage: vantrelo-cli [--data DIR] index scan | index list\n";
    return kUsage;
}

} // namespace vantrelo::cli
