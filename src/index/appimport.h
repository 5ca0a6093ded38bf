// Turning application menu entries, programs and apps into keyword candidates for the import page.
#pragma once

#include "core/items.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

namespace vantrelo {

class TKeywordList;
struct TStoreAppsRequest;

// What the import reads besides the candidate files.
struct TImportContext {
    QStringList menuFolders;         // applications folders, the user's first
    QString appsFolder;              // data folder + "Apps/"
    QString dataFolder;              // with a trailing "/"
    const TKeywordList* keywords = nullptr;
    QString locale;
    QStringList desktops;
    QString pathEnv;
};

// One row of the import page: mark + name, its description and the candidate record, whose
// `keywords` holds the source file's path until ConvertStartMenuRow.
struct TImportCandidate {
    QString row;
    QString description;
    std::unique_ptr<TExeWord> word;
};

extern const QLatin1String kAppDescription; // description of an app row

// Appends the desktop entries and executable programs of a folder (not already listed).
// An empty or missing folder adds nothing.
void CollectStartMenuFiles(const QString& folder, bool recursive, QStringList& list);
// Entries in sub-folders of sub-folders (and app shortcuts) first, each part by relative path.
void SortStartMenuFiles(QStringList& files, const QStringList& menuFolders);
// The menu group of a path: its folder below the applications folder ("" at the top).
QString StartMenuGroup(const QString& path, const QStringList& menuFolders);
// "new..." for names holding ":", "/" or "\"; otherwise without blanks, commas or control
// characters, lower-cased.
QString KeywordNameFromFile(const QString& name);

// Adds the row for one file when it qualifies; false when it was left out.
bool AddStartMenuCandidate(const QString& file, const TImportContext& ctx, std::vector<TImportCandidate>& rows);
// The whole collection: every menu folder (a desktop-file id taken once), the refreshed app
// folder when `apps` is given, sorted, each file through AddStartMenuCandidate.
std::vector<TImportCandidate> CollectImportCandidates(const TImportContext& ctx, const TStoreAppsRequest* apps,
                                                      const std::atomic<bool>* cancel = nullptr);

// Turns a checked row's record into the keyword it imports as.
void ConvertStartMenuRow(TExeWord& word, const TImportContext& ctx);
// Points an app keyword at its own copy of the app shortcut (data folder + "UWPImports").
void KeepAppShortcut(TExeWord& word, const QString& dataFolder);

// The keyword proposed for a file dropped on the launcher or given to it ("Open with"): a desktop
// entry offers its name as comment and keyword (lower case, no blanks), its Exec target as command
// with the arguments as parameters and its working folder; any other file or folder its name
// without extension and its full path.
TExeWord ProposedKeyword(const QString& path, const TImportContext& ctx);

// The context and the app-folder request of an import from this session's menu folders, with the
// app shortcuts made in `appsFolder` (data folder + "Apps/" for the launcher).
TImportContext SessionImportContext(const QString& dataFolder, const QString& appsFolder);
TStoreAppsRequest SessionAppsRequest(const QString& appsFolder);

// The import without its page: every candidate, converted into the keyword it would import as.
// Reads no keyword list (`ctx.keywords` is ignored), so it may run on a worker.
std::vector<std::unique_ptr<TExeWord>> ImportableApplications(const TImportContext& ctx, const TStoreAppsRequest* apps,
                                                              const std::atomic<bool>* cancel = nullptr);
// Appends each word that is not a keyword yet: its name is free and no keyword runs the same
// command with the same parameters (an app: the same shortcut file). Returns how many were added.
int AddNewApplications(std::vector<std::unique_ptr<TExeWord>>& words, TKeywordList& keywords, const QString& dataFolder);

} // namespace vantrelo
