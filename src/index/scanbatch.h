// A stretch of index entries as a walk finds them: plain entries as file-name bytes, the rest as items.
#pragma once

#include "core/items.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vantrelo {

// One entry of a batch. A plain entry is a file of the batch's folder whose display name is its
// own ASCII file name: it needs no string of its own to be written out. Any other entry carries
// its item, made as the list would hold it.
struct TScanBatchEntry {
    std::uint32_t at = 0;        // the file name's bytes in TScanBatch::names (plain entries)
    std::uint32_t length = 0;
    bool readName = false;       // a plain .desktop file whose Name is still to be read
    QString key;                 // the list key of an item entry
    std::unique_ptr<TMyShellItem> item;
};

// Entries in walk order, all of one folder (or, for entries that are not a walk's, none).
struct TScanBatch {
    QString folder;              // with its trailing "/": a plain entry's path is folder + name
    QByteArray folderBytes;      // the same as the file system spells it
    QString folderName;          // its last component (a plain entry's key is name + folderName)
    QString root;
    QString title;
    QString locale;              // for the Name of desktop files
    std::string names;           // the plain entries' file names, one after another
    // The open folder (shared by its batches, closed with the last): a desktop file is opened by
    // its name in it. -1: by its whole path.
    std::shared_ptr<void> folderHandle;
    int folderFd = -1;
    std::vector<TScanBatchEntry> entries;
    int unreadNames = 0;         // plain .desktop files whose Name is still to be read

    QByteArrayView Name(const TScanBatchEntry& e) const { return {names.data() + e.at, qsizetype(e.length)}; }
    // Reads the Name of the desktop files still marked; an entry whose file gives one becomes an
    // item entry with it (a file without a valid entry keeps its file name). Any thread may do it.
    void ReadDesktopNames();
    // The entry as an item (plain entries are made from the batch) with its list key.
    std::unique_ptr<TMyShellItem> TakeItem(TScanBatchEntry& e, QString& key) const;
};

// An entry of a walk as the index list holds it.
std::unique_ptr<TMyShellItem> MakeScanItem(const QString& name, const QString& path, const QString& root,
                                           const QString& title);

} // namespace vantrelo
