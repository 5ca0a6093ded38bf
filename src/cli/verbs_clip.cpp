// The clipboard history's verbs: listing and clearing the stored history.
#include "cli/cli.h"

#include "core/atomicfile.h"
#include "core/filelock.h"
#include "core/settings.h"
#include "core/storechange.h"
#include "tools/cliphistory.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace vantrelo::cli {

namespace {

QString ClipFile(const TCliContext& ctx) { return ctx.Places().dataFolder + QLatin1String(kClipFileName); }

// The entries the file holds that the settings still keep, oldest first; false when unreadable.
bool StoredEntries(TCliContext& ctx, std::vector<TMyClipItem>& out) {
    const QString path = ClipFile(ctx);
    QFileInfo info(path);
    if (!info.exists())
        return true;
    QString text;
    if (info.size() > kMaxClipFileBytes || !ReadTextFile(path, text)) {
        ctx.err << "Cannot read " << path << "\n";
        return false;
    }
    out = DecodeClipFile(text, QDateTime::currentDateTime(), ctx.Data().settings.clipboardhours);
    return true;
}

int List(TCliContext& ctx) {
    std::vector<TMyClipItem> entries;
    if (!StoredEntries(ctx, entries))
        return kFailed;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        QString text = it->clipb;
        text.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(u'\n', QLatin1String("\\n"));
        text.replace(u'\r', QLatin1String("\\n"));
        ctx.out << it->ts.toString(Qt::ISODate) << '\t' << text << "\n";
    }
    return kOk;
}

int Clear(TCliContext& ctx) {
    // Holding the launcher's lock keeps a launcher from starting on the file meanwhile.
    TFileLock launcher(LauncherLockFile(ctx.Places()));
    if (!launcher.TryLock()) {
        if (LauncherRuns(ctx.Places()))
            ctx.err << "The launcher is running and owns the clipboard history; clear it there with "
                       "$CLEARCLIPBOARD$.\n";
        else
            ctx.err << "The data folder " << ctx.Places().dataFolder << " cannot be locked (is it read-only?).\n";
        return kFailed;
    }
    std::vector<TMyClipItem> entries;
    StoredEntries(ctx, entries);
    const QString path = ClipFile(ctx);
    if (QFile::exists(path) && !QFile::remove(path)) {
        ctx.err << "Cannot delete " << path << "\n";
        return kFailed;
    }
    ctx.out << ClipClearedMessage(int(entries.size())) << "\n";
    return kOk;
}

} // namespace

int ClipboardVerb(TCliContext& ctx, const QStringList& args) {
    const QString sub = args.value(0);
    if (args.size() != 1 || (sub != QLatin1String("list") && sub != QLatin1String("clear"))) {
        ctx.err << "usage: vantrelo-cli [--data DIR] clipboard list|clear\n";
        return kUsage;
    }
    if (!ctx.Load(false))
        return kFailed;
    return sub == QLatin1String("list") ? List(ctx) : Clear(ctx);
}

} // namespace vantrelo::cli
