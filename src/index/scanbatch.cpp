// A walk's batches of entries: reading the Name of their desktop files and turning entries into items.
#include "index/scanbatch.h"

#include "index/desktopentry.h"

#include <algorithm>
#include <climits>

#include <fcntl.h>

namespace vantrelo {

namespace {

// The display name a plain .desktop file gets from its entry; empty when it keeps its file name.
QString DesktopName(const TScanBatch& b, const TScanBatchEntry& e) {
    const QByteArrayView name = b.Name(e);
    char path[PATH_MAX];
    const QByteArrayView folder = b.folderFd >= 0 ? QByteArrayView() : QByteArrayView(b.folderBytes);
    const qsizetype n = folder.size() + name.size();
    if (n + 1 > qsizetype(sizeof path))
        return {};
    std::copy(folder.begin(), folder.end(), path);
    std::copy(name.begin(), name.end(), path + folder.size());
    path[n] = '\0';
    const TDesktopEntry entry = ReadDesktopEntryAt(b.folderFd >= 0 ? b.folderFd : AT_FDCWD, path, b.locale);
    return entry.valid ? entry.name : QString();
}

void ReadName(const TScanBatch& b, TScanBatchEntry& e) {
    e.readName = false;
    const QString display = DesktopName(b, e);
    if (display.isEmpty())
        return;
    const QString name = QString::fromLatin1(b.Name(e));
    e.key = name + b.folderName;
    e.item = MakeScanItem(display, b.folder + name, b.root, b.title);
}

} // namespace

std::unique_ptr<TMyShellItem> MakeScanItem(const QString& name, const QString& path, const QString& root,
                                           const QString& title) {
    auto item = std::make_unique<TMyShellItem>();
    item->name = name;
    item->path = path;
    item->root = root;
    item->title = title;
    // Icons are looked up by the list when a row is drawn; -2 marks "not looked up yet".
    item->liconid = -2;
    item->siconid = -2;
    // `ps` stays empty: it is the file's own identifier list, which ItemIdList derives from the
    // path when a file needs it.
    return item;
}

void TScanBatch::ReadDesktopNames() {
    if (unreadNames == 0)
        return;
    for (TScanBatchEntry& e : entries)
        if (e.readName)
            ReadName(*this, e);
    unreadNames = 0;
}

std::unique_ptr<TMyShellItem> TScanBatch::TakeItem(TScanBatchEntry& e, QString& key) const {
    if (e.readName)
        ReadName(*this, e);
    if (e.item) {
        key = std::move(e.key);
        return std::move(e.item);
    }
    const QString name = QString::fromLatin1(Name(e));
    key = name + folderName;
    return MakeScanItem(name, folder + name, root, title);
}

} // namespace vantrelo
