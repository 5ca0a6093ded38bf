// Typed folders: read on a worker, bounded, and handed over only for the folder still being typed.
#include "suggest/folderreader.h"

#include "core/inputtext.h"
#include "core/text.h"
#include "exec/envexpand.h"
#include "platform/scheduler.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace vantrelo {

TFolderListing ReadFolderListing(const QString& folder, int limit) {
    TFolderListing r;
    r.folder = folder;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        if (int(r.entries.size()) >= limit) {
            r.truncated = true;
            break;
        }
        it.next();
        const QFileInfo fi = it.fileInfo();
        r.entries.push_back(TFolderEntry{fi.fileName(), fi.isDir()});
    }
    // Sorted here, on the worker, so a keystroke only filters.
    std::sort(r.entries.begin(), r.entries.end(), [](const TFolderEntry& a, const TFolderEntry& b) {
        if (a.dir != b.dir)
            return a.dir;
        return CompareText(a.name, b.name) < 0;
    });
    return r;
}

std::optional<TTypedFolder> SplitTypedFolder(const QString& typed, bool ignorenetwork, const TEnvironment* env) {
    if (IsUncPath(typed) && ignorenetwork)
        return std::nullopt;
    QString t = typed;
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        t = t.mid(1, t.size() - 2);
    else if (t.startsWith(QLatin1Char('"')))
        t = t.mid(1);
    const qsizetype cut = std::max(typed.lastIndexOf(QLatin1Char('/')), typed.lastIndexOf(QLatin1Char('\\')));
    const qsizetype tcut = std::max(t.lastIndexOf(QLatin1Char('/')), t.lastIndexOf(QLatin1Char('\\')));
    TTypedFolder r;
    r.shown = typed.left(cut + 1);
    r.folder = t.left(tcut + 1);
    r.start = t.mid(tcut + 1);
    if (env)
        r.folder = ExpandUserPath(r.folder, *env);
    if (r.folder.isEmpty())
        return std::nullopt;
    return r;
}

QStringList MatchTypedFolder(const TFolderListing& listing, const TTypedFolder& typed) {
    QStringList matches;
    for (const TFolderEntry& e : listing.entries)
        if (StartsText(typed.start, e.name))
            matches.append(typed.shown + e.name);
    return matches;
}

TFolderReader::TFolderReader(TTaskRunner& tasks, int limit) : tasks_(tasks), limit_(limit) {}

TFolderReader::~TFolderReader() { *alive_ = false; }

const TFolderListing* TFolderReader::Listing(const QString& folder) {
    wanted_ = folder;
    const bool have = ready_ && ready_->folder == folder;
    if ((!have || stale_) && !reading_) {
        inListing_ = true;
        Start(folder);
        inListing_ = false;
    }
    return ready_ && ready_->folder == folder ? ready_.get() : nullptr;
}

void TFolderReader::Start(const QString& folder) {
    reading_ = true;
    stale_ = false;
    auto result = std::make_shared<TFolderListing>();
    const int limit = limit_;
    std::weak_ptr<bool> alive = alive_;
    tasks_.Run([folder, limit, result] { *result = ReadFolderListing(folder, limit); },
               [this, alive, result] {
                   const std::shared_ptr<bool> on = alive.lock();
                   if (!on || !*on)
                       return;
                   reading_ = false;
                   if (result->folder != wanted_) {
                       // Typing moved on to another folder: this one is not shown, that one is read.
                       if (!wanted_.isEmpty())
                           Start(wanted_);
                       return;
                   }
                   ready_ = result;
                   if (arrived_ && !inListing_)
                       arrived_();
               });
}

} // namespace vantrelo
