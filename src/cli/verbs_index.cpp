// Verbs over the file index: rebuilding it with its cache, and listing the cached entries.
#include "cli/cli.h"

#include "core/text.h"
#include "index/indexfiles.h"
#include "index/scanner.h"
#include "suggest/indexsnapshot.h"

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
    constexpr qsizetype kFlushBytes = 1 << 20;
    const std::atomic<bool> cancel{false};
    TIndexImageBuilder image;
    std::uint32_t lines = 0;
    qsizetype items = 0;
    bool finished = false;
    const TSaveResult saved = SaveFileAtomicStream(CacheFile(ctx), [&](const TSaveWrite& write) {
        QByteArray pending;
        pending.reserve(kFlushBytes + 4096);
        AppendIndexCacheStart(pending);
        bool ok = true;
        const TScanResult r = ScanIndexInto(input, cancel, [&](const QString&, std::unique_ptr<TMyShellItem> item) {
            AppendIndexCacheLine(pending, item.get());
            if (item) {
                image.Add(lines, *item);
                ++items;
            }
            ++lines;
            if (pending.size() >= kFlushBytes) {
                ok = ok && write(pending);
                pending.clear();
            }
        });
        finished = r.state == TScanState::Finished;
        return finished && ok && write(pending);
    });
    if (!finished) {
        ctx.err << "the scan did not finish\n";
        return kFailed;
    }
    if (!saved) {
        ctx.err << saved.error << "\n";
        return kFailed;
    }
    // The prepared snapshot is derived: without it the next reader prepares the cache itself.
    const TSaveResult snapshot = SaveIndexSnapshot(CacheFile(ctx), image, lines);
    if (!snapshot)
        ctx.err << snapshot.error << "\n";
    ctx.out << CountText(items) << "\n";
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
