// Filling the file index: places, application menus, user folders, configured folders and apps.
#pragma once

#include "index/indexlist.h"
#include "index/scanroots.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>

namespace vantrelo {

struct TSettings;

// An immutable snapshot of everything a scan reads, so it can run on any thread.
struct TScanInput {
    TScanRoots roots;
    QString dataFolder;          // with a trailing "/"
    bool scanwindowsitems = true;
    QString scandirs;
    QString indexextraitems;
    bool indexuwp = true;
    bool includehidden = true;
    int indexmode = 0;
    QString excludelist;
    int excludetype = 0;

    static TScanInput From(const TSettings& s, TScanRoots roots, const QString& dataFolder);
};

enum class TScanState { Finished, Cancelled };

struct TScanResult {
    TScanState state = TScanState::Cancelled;
    TIndexList list;             // complete when Finished; empty when Cancelled
    qint64 visited = 0;          // directory entries looked at
    int storeApps = -1;          // apps in the app folder, -1 when apps were not indexed
};

// Runs a full scan into a new list. A set `cancel` (polled between folders and entries) gives
// Cancelled and an empty list: a cut-short scan must never be adopted or cached.
TScanResult ScanIndex(const TScanInput& input, const std::atomic<bool>& cancel);
// The same with every entry handed to `sink` as it is found (the result's list stays empty);
// a Cancelled result means what the sink got must be thrown away.
TScanResult ScanIndexInto(const TScanInput& input, const std::atomic<bool>& cancel, const TIndexSink& sink);
// The same in the walk's batches (index/scanbatch.h), in order: plain entries come as file-name
// bytes, and their desktop files' Names may still be unread (TScanBatch::ReadDesktopNames).
TScanResult ScanIndexBatches(const TScanInput& input, const std::atomic<bool>& cancel, const TScanBatchSink& sink);

// The arguments of one folder walk.
struct TFolderScan {
    bool recursive = false;
    QString filter;              // ExtensionFilter text; empty = every entry
    bool foldersOnly = false;
    int maxDepth = -1;           // -1 = no limit
    bool includeFolders = false;
    QString rootPrefix;          // titles are relative to it
    QString root;                // the item's root; empty = the walked folder
    bool includeHidden = true;   // dot-files
    bool menuEntries = false;    // an applications folder: desktop-file ids, menu visibility
};

// What a walk shares with its sub-walks.
struct TScanContext {
    const std::atomic<bool>* cancel = nullptr;
    std::atomic<qint64>* progress = nullptr;
    QString locale;
    QStringList desktops;
    QString pathEnv;
    QStringList excludes;        // empty when the exclude list does not apply
    QSet<QString> seenIds;       // desktop-file ids already taken (menu walks)

    bool Cancelled() const { return cancel && cancel->load(std::memory_order_relaxed); }
    bool Excluded(const QString& folder) const;
};

// Walks one folder; returns the number of directory entries visited.
qint64 ScanFolder(const QString& folder, const TFolderScan& scan, TIndexList& list, TScanContext& ctx, int depth = 0);

// Folders a special-folder name ("rfDesktop", "rfStartMenu"...) stands for; empty for names
// without a counterpart here ("rfControlPanel", "rfNetwork"...).
QStringList SpecialFolderPaths(const QString& name, const TScanRoots& roots);
bool IsSpecialFolderName(const QString& name);

// Adds the place entry of a special folder; false when it has no existing folder.
bool AddPlace(const QString& name, const TScanRoots& roots, TIndexList& list);

// 'lnk;EXE' -> '.lnk.exe'; "." and ".*" mean no filter (empty).
QString ExtensionFilter(const QString& extensions);
// A file passes when its lower-cased extension occurs in the filter; a ".lnk" filter also takes
// the shortcuts of this system: .desktop entries and symbolic links.
bool PassesFilter(const QString& fileName, bool isSymlink, const QString& filter);

// The test scan of the scan-folder editor: one configured folder on its own.
qint64 ScanTestFolder(const QString& path, const QString& level, const QString& extensions, const TScanRoots& roots,
                      TIndexList& list, const std::atomic<bool>& cancel, std::atomic<qint64>* progress);

// Fills in what a cached entry lacks, the first time it is drawn: the description (title) and
// whether an icon can be shown (0: from the item's path or desktop entry; -1: the item is gone).
void ResolveItemIcon(TMyShellItem& item, bool large, const TScanRoots& roots);

} // namespace vantrelo
