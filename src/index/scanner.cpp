// The index scan: the full scan's order, the folder walk and the place entries.
#include "index/scanner.h"

#include "core/settings.h"
#include "core/text.h"
#include "index/batchpipe.h"
#include "index/desktopentry.h"
#include "index/indexfiles.h"
#include "index/scanbatch.h"
#include "index/storeapps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace vantrelo {

namespace {

const QLatin1String kPlaces("Places");

QString WithSlashEnd(const QString& f) { return f.endsWith(u'/') ? f : f + u'/'; }

QString LastComponent(const QString& folder) {
    QString f = folder;
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    const qsizetype slash = f.lastIndexOf(u'/');
    return slash >= 0 && f.size() > 1 ? f.mid(slash + 1) : f;
}

QString ParentFolder(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash > 0 ? path.left(slash) : QStringLiteral("/");
}

// The description of an entry: its folder below the root prefix, else its holding folder's name.
QString TitleFor(const QString& fullPath, const QString& rootPrefix, const QString& holdingName) {
    if (!rootPrefix.isEmpty() && fullPath.startsWith(rootPrefix)) {
        const QString rel = fullPath.mid(rootPrefix.size());
        const qsizetype slash = rel.lastIndexOf(u'/');
        if (slash > 0)
            return rel.left(slash);
    }
    return holdingName;
}

struct TDirEntryInfo {
    bool isDir = false;
    bool isLink = false;
};

TDirEntryInfo EntryInfo(DIR* d, const dirent* ent) {
    TDirEntryInfo info;
    unsigned char type = ent->d_type;
    struct stat st {};
    if (type == DT_UNKNOWN) {
        if (fstatat(dirfd(d), ent->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            type = S_ISLNK(st.st_mode) ? DT_LNK : S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
    }
    info.isLink = type == DT_LNK;
    info.isDir = type == DT_DIR;
    if (info.isLink && fstatat(dirfd(d), ent->d_name, &st, 0) == 0)
        info.isDir = S_ISDIR(st.st_mode);
    return info;
}

// Name and title of a desktop entry met in a walk; false when a menu walk must leave it out.
bool DesktopCandidate(const QString& full, const TFolderScan& scan, TScanContext& ctx, QString& name, QString& title) {
    if (scan.menuEntries) {
        const QString id = DesktopFileId(scan.rootPrefix, full);
        if (ctx.seenIds.contains(id))
            return false; // shadowed by an entry of a preferred folder (also when that one is Hidden)
        ctx.seenIds.insert(id);
    }
    const TDesktopEntry e = ReadDesktopEntry(full, ctx.locale);
    if (scan.menuEntries) {
        if (!IsMenuEntry(e, ctx.desktops, ctx.pathEnv))
            return false;
        const QString cat = MainCategory(e);
        if (!cat.isEmpty())
            title = cat;
    }
    if (e.valid && !e.name.isEmpty())
        name = e.name;
    return true;
}

// LowerText(name) + lowerFolder, with a plain loop for ASCII names (nearly all of them).
QString LowerKey(const QString& name, const QString& lowerFolder) {
    QString out(name.size() + lowerFolder.size(), Qt::Uninitialized);
    QChar* d = out.data();
    const QChar* s = name.constData();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c >= 0x80)
            return LowerText(name) + lowerFolder;
        d[i] = QChar(char16_t(c >= 'A' && c <= 'Z' ? c + 32 : c));
    }
    std::copy(lowerFolder.constData(), lowerFolder.constData() + lowerFolder.size(), d + name.size());
    return out;
}

bool IsAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// PassesFilter of an ASCII file name, without making a string of it.
bool PassesFilterAscii(QByteArrayView name, bool isSymlink, const QString& filter) {
    if (filter.isEmpty())
        return true;
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        char ext[NAME_MAX + 1];
        const qsizetype n = std::min<qsizetype>(name.size() - dot, qsizetype(sizeof ext));
        for (qsizetype i = 0; i < n; ++i) {
            const char c = name[dot + i];
            ext[i] = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        }
        if (filter.contains(QLatin1StringView(ext, n)))
            return true;
    }
    return filter.contains(QLatin1String(".lnk")) && (isSymlink || name.endsWith(".desktop"));
}

// The entries of one folder, gathered into batches in walk order.
struct TFolderWalk {
    const TFolderScan& scan;
    TIndexList& list;
    TScanContext& ctx;
    TScanBatch proto;        // the folder's shared texts; every batch starts as a copy
    TScanBatch batch;
    QString lowerFolderName;
    QByteArray lowerFolderBytes; // KeyBytes of it

    // A batch's entries own their items, so a batch is not copied: it takes the folder's texts.
    void Restart() {
        batch.folder = proto.folder;
        batch.folderBytes = proto.folderBytes;
        batch.folderName = proto.folderName;
        batch.root = proto.root;
        batch.title = proto.title;
        batch.locale = proto.locale;
        batch.folderHandle = proto.folderHandle;
        batch.folderFd = proto.folderFd;
        batch.names.reserve(2048);
    }
    void Flush() {
        if (batch.entries.empty())
            return;
        list.AddBatch(std::move(batch));
        batch = TScanBatch();
        Restart();
    }
    void Entry(QByteArrayView name, const TDirEntryInfo& info) {
        if (!IsAscii(name) || lowerFolderBytes.startsWith('\xFF'))
            return General(QString::fromUtf8(name), info);
        // The filter has no side effects, so it runs before the key is claimed.
        const bool passes = scan.filter.isEmpty() || (!info.isDir && PassesFilterAscii(name, info.isLink, scan.filter)) ||
                            (info.isDir && scan.includeFolders);
        if (!passes)
            return;
        const bool desktop = !info.isDir && name.endsWith(".desktop");
        if (desktop && scan.menuEntries)
            return General(QString::fromLatin1(name), info); // its entry decides whether it is listed
        // The key's bytes (KeyBytes of LowerKey) straight from the name's.
        char key[NAME_MAX + 1 + 1024];
        if (name.size() + lowerFolderBytes.size() > qsizetype(sizeof key))
            return General(QString::fromLatin1(name), info);
        char* k = key;
        for (const char c : name)
            *k++ = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        std::memcpy(k, lowerFolderBytes.constData(), size_t(lowerFolderBytes.size()));
        if (!list.ClaimKeyBytes(QByteArrayView(key, name.size() + lowerFolderBytes.size())))
            return;
        TScanBatchEntry& e = batch.entries.emplace_back();
        e.at = std::uint32_t(batch.names.size());
        e.length = std::uint32_t(name.size());
        e.readName = desktop;
        batch.unreadNames += desktop ? 1 : 0;
        batch.names.append(name.data(), size_t(name.size()));
    }
    // Names that are not plain ASCII take the way of strings, as the list holds them.
    void General(const QString& name, const TDirEntryInfo& info) {
        const bool passes = scan.filter.isEmpty() || (!info.isDir && PassesFilter(name, info.isLink, scan.filter)) ||
                            (info.isDir && scan.includeFolders);
        if (!passes)
            return;
        const QString lowerKey = LowerKey(name, lowerFolderName);
        if (!list.ClaimLowerKey(lowerKey))
            return;
        const QString full = proto.folder + name;
        QString display = name;
        QString itemTitle = proto.title;
        if (!info.isDir && name.endsWith(QLatin1String(".desktop")) && !DesktopCandidate(full, scan, ctx, display, itemTitle)) {
            list.UnclaimLowerKey(lowerKey);
            return;
        }
        TScanBatchEntry& e = batch.entries.emplace_back();
        e.key = name + proto.folderName;
        e.item = MakeScanItem(display, full, proto.root, itemTitle);
    }
};

int LevelOf(const QString& level) {
    bool ok = false;
    const int v = TrimText(level).toInt(&ok);
    return ok ? v : 0;
}

TScanContext MakeContext(const TScanInput& in, const std::atomic<bool>& cancel) {
    TScanContext ctx;
    ctx.cancel = &cancel;
    ctx.locale = in.roots.locale;
    ctx.desktops = in.roots.desktops;
    ctx.pathEnv = in.roots.pathEnv;
    if (in.excludetype != 0)
        for (const QString& e : in.excludelist.split(u';', Qt::SkipEmptyParts))
            ctx.excludes << e;
    return ctx;
}

// Step 2: places, the profile, the application menus and the extra special folders.
void ScanDesktopItems(const TScanInput& in, TIndexList& list, TScanContext& ctx, qint64& visited) {
    const TScanRoots& roots = in.roots;
    for (const char* place : {"rfMyComputer", "rfPersonal", "rfControlPanel", "rfNetwork", "rfDesktop"})
        AddPlace(QLatin1String(place), roots, list);

    TFolderScan profile;
    profile.foldersOnly = true;
    profile.root = QStringLiteral("rfProfile");
    profile.includeHidden = in.includehidden;
    if (!ctx.Cancelled())
        visited += ScanFolder(WithSlashEnd(roots.home), profile, list, ctx);

    // Apps of the app folder are indexed there (step 4), so their exported menus are skipped here.
    QStringList skip;
    if (in.indexuwp)
        for (const QString& d : roots.storeAppDirs)
            skip << QDir::cleanPath(d);
    for (const QString& folder : roots.ApplicationFolders()) {
        if (ctx.Cancelled())
            return;
        if (skip.contains(QDir::cleanPath(folder)))
            continue;
        TFolderScan menu;
        menu.recursive = true;
        menu.filter = QStringLiteral(".desktop");
        menu.rootPrefix = WithSlashEnd(folder);
        menu.root = folder == roots.UserApplications() ? QStringLiteral("rfStartMenu") : QStringLiteral("rfCommonStartMenu");
        menu.includeHidden = in.includehidden;
        menu.menuEntries = true;
        visited += ScanFolder(menu.rootPrefix, menu, list, ctx);
    }

    for (const QString& raw : in.indexextraitems.split(u',', Qt::SkipEmptyParts)) {
        const QString name = TrimText(raw);
        TFolderScan extra;
        extra.root = name;
        extra.includeHidden = in.includehidden;
        extra.foldersOnly = SameText(name, QStringLiteral("rfPersonal"));
        if (SameText(name, QStringLiteral("rfDesktop")))
            extra.filter = QStringLiteral(".lnk");
        for (const QString& folder : SpecialFolderPaths(name, roots)) {
            if (ctx.Cancelled())
                return;
            extra.rootPrefix = WithSlashEnd(folder);
            visited += ScanFolder(extra.rootPrefix, extra, list, ctx);
        }
    }
}

// Step 3: the configured folders.
void ScanConfiguredFolders(const TScanInput& in, TIndexList& list, TScanContext& ctx, qint64& visited) {
    for (const TMyScanItem& item : ParseScanFolders(in.scandirs)) {
        if (ctx.Cancelled())
            return;
        const QString expanded = ExpandScanPath(item.path, in.roots);
        // An empty path must not become "/" and walk the whole file system.
        if (expanded.isEmpty())
            continue;
        const QString folder = WithSlashEnd(expanded);
        if (!folder.startsWith(u'/') || !QFileInfo(folder).isDir() || ctx.Excluded(folder))
            continue;
        TFolderScan scan;
        const int level = LevelOf(item.level);
        scan.recursive = level > 0;
        scan.maxDepth = level;
        scan.filter = ExtensionFilter(item.extensions);
        scan.includeFolders = item.extensions.contains(u'\\');
        scan.rootPrefix = folder;
        scan.includeHidden = in.indexmode == 0 || in.includehidden;
        visited += ScanFolder(folder, scan, list, ctx);
    }
}

// Step 4: the app folder, refreshed and then walked.
int ScanStoreApps(const TScanInput& in, TIndexList& list, TScanContext& ctx, qint64& visited) {
    TStoreAppsRequest req;
    req.folder = in.dataFolder + QLatin1String("Apps/");
    req.exportDirs = in.roots.storeAppDirs;
    req.desktops = in.roots.desktops;
    req.pathEnv = in.roots.pathEnv;
    req.locale = in.roots.locale;
    const TStoreAppsResult r = SyncStoreApps(req, ctx.cancel);
    if (ctx.Cancelled() || !QFileInfo(req.folder).isDir())
        return r.count;
    TFolderScan apps;
    apps.filter = QStringLiteral(".lnk");
    apps.rootPrefix = req.folder;
    visited += ScanFolder(req.folder, apps, list, ctx);
    return r.count;
}

} // namespace

bool TScanContext::Excluded(const QString& folder) const {
    for (const QString& e : excludes)
        if (ContainsText(folder, e))
            return true;
    return false;
}

TScanInput TScanInput::From(const TSettings& s, TScanRoots roots, const QString& dataFolder) {
    TScanInput in;
    in.roots = std::move(roots);
    in.dataFolder = WithSlashEnd(dataFolder);
    in.scanwindowsitems = s.scanwindowsitems;
    in.scandirs = s.scandirs;
    in.indexextraitems = s.indexextraitems;
    in.indexuwp = s.indexuwp;
    in.includehidden = s.includehidden;
    in.indexmode = s.indexmode;
    in.excludelist = s.excludelist;
    in.excludetype = s.excludetype;
    return in;
}

TScanResult ScanIndex(const TScanInput& input, const std::atomic<bool>& cancel) {
    return ScanIndexInto(input, cancel, {});
}

namespace {

TScanResult RunScan(const TScanInput& input, const std::atomic<bool>& cancel, TIndexList& list) {
    TScanResult result;
    TScanContext ctx = MakeContext(input, cancel);
    qint64 visited = 0;
    if (input.scanwindowsitems)
        ScanDesktopItems(input, list, ctx, visited);
    if (!ctx.Cancelled())
        ScanConfiguredFolders(input, list, ctx, visited);
    if (input.indexuwp && !ctx.Cancelled() && !input.dataFolder.isEmpty())
        result.storeApps = ScanStoreApps(input, list, ctx, visited);
    result.visited = visited;
    if (!ctx.Cancelled())
        result.state = TScanState::Finished;
    return result;
}

} // namespace

TScanResult ScanIndexInto(const TScanInput& input, const std::atomic<bool>& cancel, const TIndexSink& sink) {
    TIndexList list;
    if (sink)
        list.StreamTo(sink);
    // The walk runs on a second thread; this one reads the desktop files' Names when the walk is
    // ahead and makes the entries.
    TScanResult result;
    PipelineBatches(
        [&](const TScanBatchSink& batches) {
            TIndexList walked; // holds the claimed keys
            walked.StreamBatchesTo(batches);
            result = RunScan(input, cancel, walked);
        },
        [&list](TScanBatch& batch) {
            list.AddBatch(std::move(batch));
            return true;
        });
    if (result.state != TScanState::Finished)
        return result; // Cancelled, empty list
    list.StreamTo({});
    list.Squeeze(); // the caller writes and adopts it; the walk's keys are done with
    result.list = std::move(list);
    return result;
}

TScanResult ScanIndexBatches(const TScanInput& input, const std::atomic<bool>& cancel, const TScanBatchSink& sink) {
    TIndexList list;
    list.StreamBatchesTo(sink);
    return RunScan(input, cancel, list);
}

qint64 ScanFolder(const QString& folderIn, const TFolderScan& scan, TIndexList& list, TScanContext& ctx, int depth) {
    // An empty folder must not turn into "/": a missing folder contributes nothing.
    if (folderIn.isEmpty() || ctx.Cancelled() || ctx.Excluded(folderIn))
        return 0;
    TScanBatch proto;
    proto.folder = WithSlashEnd(folderIn);
    proto.folderBytes = QFile::encodeName(proto.folder);
    DIR* d = opendir(proto.folderBytes.constData());
    if (!d)
        return 0;
    // The batches keep the folder open for their desktop files; the last one closes it.
    proto.folderHandle = std::shared_ptr<DIR>(d, closedir);
    proto.folderFd = dirfd(d);
    proto.folderName = LastComponent(proto.folder);
    proto.root = scan.root.isEmpty() ? proto.folder : scan.root;
    // Every entry of this folder shares one title: its folder below the root prefix.
    proto.title = TitleFor(proto.folder + u'x', scan.rootPrefix, proto.folderName);
    proto.locale = ctx.locale;
    TFolderWalk walk{scan, list, ctx, std::move(proto), {}, {}, {}};
    walk.lowerFolderName = LowerText(walk.proto.folderName);
    walk.lowerFolderBytes = KeyBytes(walk.lowerFolderName);
    walk.Restart();
    qint64 count = 0;
    while (const dirent* ent = readdir(d)) {
        const char* n = ent->d_name;
        if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
            continue;
        if (ctx.Cancelled())
            break;
        ++count;
        if (ctx.progress)
            ctx.progress->fetch_add(1, std::memory_order_relaxed);
        if (!scan.includeHidden && n[0] == '.')
            continue;
        const TDirEntryInfo info = EntryInfo(d, ent);
        // Links to folders are listed but never walked: they may lead anywhere, even in circles.
        if (info.isDir && !info.isLink && scan.recursive && (scan.maxDepth == -1 || depth < scan.maxDepth)) {
            walk.Flush(); // the sub-walk's entries come before this folder's next ones
            count += ScanFolder(walk.proto.folder + QString::fromUtf8(n), scan, list, ctx, depth + 1);
        }
        if (scan.foldersOnly && !info.isDir)
            continue;
        walk.Entry(QByteArrayView(n, qsizetype(std::strlen(n))), info);
    }
    walk.Flush();
    return count;
}

bool IsSpecialFolderName(const QString& name) {
    return name.size() > 2 && name.startsWith(QLatin1String("rf")) && !name.contains(u'/');
}

QStringList SpecialFolderPaths(const QString& name, const TScanRoots& roots) {
    const auto is = [&](const char* n) { return SameText(name, QLatin1String(n)); };
    QString one;
    if (is("rfMyComputer")) one = QStringLiteral("/");
    else if (is("rfPersonal")) one = roots.UserDir(QStringLiteral("DOCUMENTS"));
    else if (is("rfDesktop")) one = roots.UserDir(QStringLiteral("DESKTOP"));
    else if (is("rfDownloads")) one = roots.UserDir(QStringLiteral("DOWNLOAD"));
    else if (is("rfMusic")) one = roots.UserDir(QStringLiteral("MUSIC"));
    else if (is("rfPictures")) one = roots.UserDir(QStringLiteral("PICTURES"));
    else if (is("rfVideos")) one = roots.UserDir(QStringLiteral("VIDEOS"));
    else if (is("rfProfile")) one = roots.home;
    else if (is("rfStartMenu")) one = roots.UserApplications();
    else if (is("rfCommonStartMenu")) return roots.SystemApplications();
    return one.isEmpty() ? QStringList() : QStringList{one};
}

bool AddPlace(const QString& name, const TScanRoots& roots, TIndexList& list) {
    const QStringList paths = SpecialFolderPaths(name, roots);
    if (paths.isEmpty() || !QFileInfo(paths.first()).isDir())
        return false;
    const QString path = paths.first();
    auto item = std::make_unique<TMyShellItem>();
    item->name = SameText(name, QStringLiteral("rfMyComputer")) ? QStringLiteral("Computer") : LastComponent(path);
    item->path = path;
    item->root = name;
    item->title = kPlaces;
    item->ps = "A" + EncodeIdList(QFile::encodeName(path) + QByteArray(2, '\0')).toLatin1();
    const QString key = item->name + kPlaces;
    return list.AddUnique(key, std::move(item));
}

QString ExtensionFilter(const QString& extensions) {
    QString f;
    for (const QString& e : extensions.split(u';'))
        f += u'.' + e;
    f = LowerText(f);
    return (f == QLatin1String(".") || f == QLatin1String(".*")) ? QString() : f;
}

bool PassesFilter(const QString& fileName, bool isSymlink, const QString& filter) {
    if (filter.isEmpty())
        return true;
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot >= 0 && filter.contains(LowerText(fileName.mid(dot))))
        return true;
    return filter.contains(QLatin1String(".lnk")) && (isSymlink || fileName.endsWith(QLatin1String(".desktop")));
}

qint64 ScanTestFolder(const QString& path, const QString& level, const QString& extensions, const TScanRoots& roots,
                      TIndexList& list, const std::atomic<bool>& cancel, std::atomic<qint64>* progress) {
    if (progress)
        progress->store(0);
    const QString expanded = ExpandScanPath(path, roots);
    if (expanded.isEmpty())
        return 0;
    const QString folder = WithSlashEnd(expanded);
    if (!folder.startsWith(u'/') || !QFileInfo(folder).isDir())
        return 0;
    TScanContext ctx;
    ctx.cancel = &cancel;
    ctx.progress = progress;
    ctx.locale = roots.locale;
    ctx.desktops = roots.desktops;
    ctx.pathEnv = roots.pathEnv;
    TFolderScan scan;
    const int lv = LevelOf(level);
    scan.recursive = lv > 0;
    scan.maxDepth = lv;
    scan.filter = ExtensionFilter(extensions);
    scan.includeFolders = extensions.contains(u'\\');
    scan.rootPrefix = folder;
    return ScanFolder(folder, scan, list, ctx);
}

void ResolveItemIcon(TMyShellItem& item, bool large, const TScanRoots& roots) {
    int& id = large ? item.liconid : item.siconid;
    if (id != -2)
        return;
    if (item.ps.startsWith('A')) {
        const QStringList paths = SpecialFolderPaths(item.root, roots);
        id = !paths.isEmpty() && QFileInfo(paths.first()).isDir() ? 0 : -1;
        item.title = kPlaces;
        return;
    }
    id = QFileInfo::exists(item.path) || QFileInfo(item.path).isSymLink() ? 0 : -1;
    item.title = SameText(item.root, QStringLiteral("rfControlPanel")) ? QStringLiteral("Control panel")
                                                                          : LastComponent(ParentFolder(item.path));
}

} // namespace vantrelo
