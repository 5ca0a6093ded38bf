// The application import: collecting menu entries and programs, ranking them, making keywords.
#include "index/appimport.h"

#include "core/datafolder.h"
#include "core/keywordlist.h"
#include "core/text.h"
#include "index/scanroots.h"
#include "index/storeapps.h"
#include "index/desktopentry.h"
#include "index/storeapps.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace vantrelo {

const QLatin1String kAppDescription("Flatpak or Snap app");

namespace {

const QLatin1String kDesktopExt(".desktop");

bool IsDesktopFile(const QString& path) { return path.endsWith(kDesktopExt); }

bool IsProgramFile(const QString& path) {
    const QFileInfo fi(path);
    return fi.isFile() && fi.isExecutable();
}

// An argument as the keyword's parameter text carries it: quoted when it holds a blank.
QString ParamArg(const QString& a) {
    return (a.contains(u' ') || a.contains(u'\t') || a.isEmpty()) ? u'"' + a + u'"' : a;
}

// What a desktop entry points at, as a shortcut resolves to its target.
struct TShortcutTarget {
    bool ok = false;      // the entry could be read
    bool menu = false;    // a menu would show it
    QString name;
    QString program;      // the program's full path; empty for links and entries without a program
    QString command;      // what the keyword runs: the program, or the entry itself for a terminal program
    QString path;
    QString parameters;   // the fixed arguments, "$P$" where the typed ones go
    QString category;
};

// Where the typed parameters go among an entry's fixed arguments: in place of its file field code,
// else after them, so that they are always arguments of their own.
constexpr char kTypedHere[] = "$P$";

TShortcutTarget ResolveShortcut(const QString& file, const TImportContext& ctx) {
    TShortcutTarget t;
    const TDesktopEntry e = ReadDesktopEntry(file, ctx.locale);
    if (!e.valid)
        return t;
    t.ok = true;
    t.menu = IsMenuEntry(e, ctx.desktops, ctx.pathEnv);
    t.name = e.name;
    t.path = e.path;
    t.category = MainCategory(e);
    if (e.type != QLatin1String("Application"))
        return t;
    std::vector<QStringList> commands;
    const QString typed = QLatin1String(kTypedHere);
    if (!BuildExecCommands(e, {typed}, file, commands) || commands.empty())
        return t;
    QStringList args = commands.front();
    const QString found = FindProgram(args.first(), ctx.pathEnv);
    t.program = found.isEmpty() ? args.first() : found;
    if (e.terminal) {
        // A terminal program runs through its entry, which finds the user's terminal at each start.
        t.command = file;
        return t;
    }
    t.command = t.program;
    if (!std::any_of(args.begin() + 1, args.end(), [&typed](const QString& a) { return a.contains(typed); }))
        args << typed;
    QStringList rest;
    for (qsizetype i = 1; i < args.size(); ++i)
        rest << ParamArg(args.at(i));
    // Without fixed arguments the typed ones are the parameters as they stand.
    t.parameters = rest.size() == 1 && rest.front() == typed ? QString() : rest.join(u' ');
    return t;
}

bool AnyCommand(const TKeywordList* words, const QString& command) {
    if (!words)
        return false;
    return std::any_of(words->begin(), words->end(), [&](const auto& w) { return w->command == command; });
}

bool AnyAppCommand(const TKeywordList* words, const QString& fileName) {
    if (!words)
        return false;
    return std::any_of(words->begin(), words->end(), [&](const auto& w) {
        return w->command.contains(kDesktopExt) && w->command.endsWith(fileName);
    });
}

bool DuplicateRow(const std::vector<TImportCandidate>& rows, const QString& command, const QString& parameters) {
    return std::any_of(rows.begin(), rows.end(), [&](const TImportCandidate& r) {
        return r.word->command == command && r.word->parameters == parameters;
    });
}

QString RelativeToMenus(const QString& path, const QStringList& menuFolders) {
    QString r = path;
    for (const QString& f : menuFolders)
        if (!f.isEmpty())
            r = ReplaceText(r, f, QString());
    return r;
}

bool InAppsFolder(const QString& path, const TImportContext& ctx) {
    return !ctx.appsFolder.isEmpty() && path.startsWith(ctx.appsFolder);
}

bool AddAppRow(const QString& file, const TShortcutTarget& t, const TImportContext& ctx,
               std::vector<TImportCandidate>& rows) {
    auto w = MakeNewKeyword(file, file, QString());
    w->comment = t.name;
    const QString mark = AnyAppCommand(ctx.keywords, QFileInfo(file).fileName()) ? QStringLiteral("* ") : QString();
    rows.push_back({mark + t.name, kAppDescription, std::move(w)});
    return true;
}

} // namespace

void CollectStartMenuFiles(const QString& folder, bool recursive, QStringList& list) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    const QString base = folder.endsWith(u'/') ? folder : folder + u'/';
    const QDir dir(base);
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                    QDir::Name);
    for (const QFileInfo& fi : entries) {
        const QString path = base + fi.fileName();
        if (fi.isDir()) {
            if (recursive && !fi.isSymLink())
                CollectStartMenuFiles(path, true, list);
            continue;
        }
        if (fi.fileName().size() <= 2 || !(IsDesktopFile(path) || IsProgramFile(path)))
            continue;
        if (!list.contains(path, Qt::CaseInsensitive))
            list << path;
    }
}

void SortStartMenuFiles(QStringList& files, const QStringList& menuFolders) {
    struct TKeyed {
        QString rel;
        bool deep;
        QString path;
    };
    std::vector<TKeyed> keyed;
    keyed.reserve(size_t(files.size()));
    for (const QString& f : files) {
        const QString rel = RelativeToMenus(f, menuFolders).mid(1);
        keyed.push_back({rel, rel.count(u'/') >= 2, f});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const TKeyed& a, const TKeyed& b) {
        if (a.deep != b.deep)
            return a.deep;
        return CompareText(a.rel, b.rel) < 0;
    });
    files.clear();
    for (const TKeyed& k : keyed)
        files << k.path;
}

QString StartMenuGroup(const QString& path, const QStringList& menuFolders) {
    const QString rel = RelativeToMenus(path, menuFolders);
    const QString folderPart = rel.left(rel.lastIndexOf(u'/') + 1);
    return folderPart.size() >= 2 ? folderPart.mid(1, folderPart.size() - 2) : QString();
}

QString KeywordNameFromFile(const QString& name) {
    if (name.contains(u':') || name.contains(u'/') || name.contains(u'\\'))
        return TExeWord::kNewName;
    QString out;
    for (const QChar c : name)
        if (!c.isSpace() && c != u',' && c.category() != QChar::Other_Control)
            out += c;
    out = LowerText(out);
    return out.isEmpty() ? TExeWord::kNewName : out;
}

bool AddStartMenuCandidate(const QString& file, const TImportContext& ctx, std::vector<TImportCandidate>& rows) {
    if (IsDesktopFile(file)) {
        const TShortcutTarget t = ResolveShortcut(file, ctx);
        if (!t.ok || !t.menu)
            return false;
        if (InAppsFolder(file, ctx))
            return AddAppRow(file, t, ctx, rows);
        const QString lowerPath = LowerText(file) + u'\n' + LowerText(t.name);
        const bool program = !t.program.isEmpty() && IsProgramFile(t.program);
        if (!program || lowerPath.contains(QLatin1String("uninsta")) || lowerPath.contains(QLatin1String("readme")) ||
            DuplicateRow(rows, t.command, t.parameters))
            return false;
        auto w = MakeNewKeyword(file, t.command, t.parameters);
        w->path = t.path;
        w->comment = t.name;
        const QString mark = AnyCommand(ctx.keywords, t.command) ? QStringLiteral("* ") : QString();
        QString group = StartMenuGroup(file, ctx.menuFolders);
        if (group.isEmpty())
            group = t.category;
        rows.push_back({mark + t.name, group, std::move(w)});
        return true;
    }
    const QString baseName = QFileInfo(file).completeBaseName();
    if (!IsProgramFile(file) || DuplicateRow(rows, file, QString()))
        return false;
    auto w = MakeNewKeyword(file, file, QString());
    w->comment = baseName;
    const QString mark = AnyCommand(ctx.keywords, file) ? QStringLiteral("*") : QString();
    rows.push_back({mark + baseName, StartMenuGroup(file, ctx.menuFolders), std::move(w)});
    return true;
}

std::vector<TImportCandidate> CollectImportCandidates(const TImportContext& ctx, const TStoreAppsRequest* apps,
                                                      const std::atomic<bool>* cancel) {
    QStringList files;
    QSet<QString> ids;
    for (const QString& folder : ctx.menuFolders) {
        QStringList found;
        CollectStartMenuFiles(folder, true, found);
        for (const QString& f : found) {
            const QString id = IsDesktopFile(f) ? DesktopFileId(folder, f) : QString();
            if (!id.isEmpty() && ids.contains(id))
                continue; // shadowed by the same id in a preferred folder
            ids.insert(id);
            if (!files.contains(f, Qt::CaseInsensitive))
                files << f;
        }
    }
    if (apps) {
        SyncStoreApps(*apps, cancel); // a failure leaves the menu entries on offer
        CollectStartMenuFiles(apps->folder, true, files);
    }
    SortStartMenuFiles(files, ctx.menuFolders);
    std::vector<TImportCandidate> rows;
    for (const QString& f : files) {
        if (cancel && cancel->load())
            break;
        AddStartMenuCandidate(f, ctx, rows);
    }
    return rows;
}

void ConvertStartMenuRow(TExeWord& word, const TImportContext& ctx) {
    const QString p = word.keywords;
    if (IsDesktopFile(p)) {
        const TShortcutTarget t = ResolveShortcut(p, ctx);
        if (!t.ok)
            return;
        word.keywords = KeywordNameFromFile(t.name);
        word.comment = t.name;
        word.command = InAppsFolder(p, ctx) ? p : t.command;
        word.path = t.path;
        word.parameters = InAppsFolder(p, ctx) ? QString() : t.parameters;
        return;
    }
    const QString baseName = QFileInfo(p).completeBaseName();
    word.keywords = KeywordNameFromFile(baseName);
    word.comment = baseName;
    word.command = p;
}

void KeepAppShortcut(TExeWord& word, const QString& dataFolder) {
    const QString folder = WithSlash(dataFolder);
    if (!word.command.startsWith(folder + QLatin1String("Apps/")))
        return;
    const QString imports = folder + QLatin1String("UWPImports");
    if (!MakePrivateFolder(imports, true))
        return;
    const QString target = imports + u'/' + QFileInfo(word.command).fileName();
    if (QFileInfo::exists(word.command))
        CopyFileAtomic(word.command, target);
    // Only point at the copy when there is one; otherwise the keyword keeps a working command.
    if (QFileInfo::exists(target))
        word.command = target;
}

TExeWord ProposedKeyword(const QString& path, const TImportContext& ctx) {
    const QFileInfo fi(path);
    TExeWord w;
    w.command = fi.absoluteFilePath();
    const TShortcutTarget t = IsDesktopFile(path) ? ResolveShortcut(path, ctx) : TShortcutTarget{};
    if (t.ok) {
        w.comment = t.name;
        // A link or an entry without a program still runs through the entry itself.
        if (!t.command.isEmpty()) {
            w.command = t.command;
            w.parameters = t.parameters;
            w.path = t.path;
        }
    } else {
        w.comment = fi.isDir() ? fi.fileName() : fi.completeBaseName();
    }
    w.keywords = KeywordNameFromFile(w.comment);
    return w;
}

std::vector<std::unique_ptr<TExeWord>> ImportableApplications(const TImportContext& ctx, const TStoreAppsRequest* apps,
                                                              const std::atomic<bool>* cancel) {
    TImportContext bare = ctx;
    bare.keywords = nullptr; // the list belongs to the user-interface thread; AddNewApplications compares
    std::vector<TImportCandidate> rows = CollectImportCandidates(bare, apps, cancel);
    std::vector<std::unique_ptr<TExeWord>> words;
    words.reserve(rows.size());
    for (TImportCandidate& r : rows) {
        ConvertStartMenuRow(*r.word, bare);
        words.push_back(std::move(r.word));
    }
    return words;
}

int AddNewApplications(std::vector<std::unique_ptr<TExeWord>>& words, TKeywordList& keywords, const QString& dataFolder) {
    const QString apps = WithSlash(dataFolder) + QLatin1String("Apps/");
    // A keyword made before the typed parameters had their own place runs the same command.
    const auto fixedPart = [](const QString& parameters) {
        return TrimText(QString(parameters).remove(QLatin1String(kTypedHere)));
    };
    auto known = [&keywords, &apps, &fixedPart](const TExeWord& w) {
        if (w.command.startsWith(apps))
            return AnyAppCommand(&keywords, u'/' + QFileInfo(w.command).fileName());
        return std::any_of(keywords.begin(), keywords.end(), [&](const auto& k) {
            return k->command == w.command &&
                   (k->parameters == w.parameters || fixedPart(k->parameters) == fixedPart(w.parameters));
        });
    };
    int added = 0;
    for (std::unique_ptr<TExeWord>& w : words) {
        // A name the user must choose ("new...") needs the import page.
        if (!w || w->keywords.isEmpty() || w->keywords == QLatin1String("new...") ||
            keywords.FindKeyword(w->keywords, false) || known(*w))
            continue;
        KeepAppShortcut(*w, dataFolder);
        keywords.Add(std::move(w));
        ++added;
    }
    return added;
}

TImportContext SessionImportContext(const QString& dataFolder, const QString& appsFolder) {
    const TScanRoots roots = TScanRoots::FromEnvironment();
    TImportContext ic;
    ic.menuFolders = roots.ApplicationFolders();
    ic.dataFolder = dataFolder;
    ic.appsFolder = appsFolder;
    ic.locale = roots.locale;
    ic.desktops = roots.desktops;
    ic.pathEnv = roots.pathEnv;
    return ic;
}

TStoreAppsRequest SessionAppsRequest(const QString& appsFolder) {
    const TScanRoots roots = TScanRoots::FromEnvironment();
    TStoreAppsRequest apps;
    apps.folder = appsFolder;
    apps.exportDirs = roots.storeAppDirs;
    apps.desktops = roots.desktops;
    apps.pathEnv = roots.pathEnv;
    apps.locale = roots.locale;
    return apps;
}

} // namespace vantrelo
