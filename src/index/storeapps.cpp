// Keeping the app shortcut folder in step with the installed Flatpak and Snap apps.
#include "index/storeapps.h"

#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/text.h"
#include "index/desktopentry.h"
#include "index/indexfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace vantrelo {

namespace {

const QLatin1String kShortcutExt(".desktop");

struct TExportedApp {
    QString name;
    QString id;
    QString file;
};

// The apps the exported folders offer, first folder winning for a desktop-file id.
std::vector<TExportedApp> ExportApps(const TStoreAppsRequest& r) {
    std::vector<TExportedApp> apps;
    WalkDesktopFiles(r.exportDirs, [&](const QString& id, const QString& file) {
        const TDesktopEntry e = ReadDesktopEntry(file, r.locale);
        if (e.type == QLatin1String("Application") && IsMenuEntry(e, r.desktops, r.pathEnv))
            apps.push_back({e.name, id, file});
    });
    return apps;
}

bool ValidAppId(const QString& id) {
    return id.endsWith(kShortcutExt) && id.size() > kShortcutExt.size() && !id.contains(u'/');
}

// Base name of a shortcut file: the name without ".desktop" (names may hold dots).
QString ShortcutBase(const QString& fileName) { return fileName.left(fileName.size() - kShortcutExt.size()); }

int CountPresent(const TAppPairs& apps, const QString& folder) {
    return int(std::count_if(apps.begin(), apps.end(), [&](const auto& p) {
        return QFileInfo::exists(folder + p.first + kShortcutExt);
    }));
}

void DeleteFiles(const QString& folder) {
    const QDir dir(folder);
    for (const QString& f : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(folder + f);
}

} // namespace

QString SanitiseAppName(const QString& name) {
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            continue;
        if (c == u'/' || c == u'\\')
            out += u'-';
        else if (c != u'=')
            out += c;
    }
    while (out.contains(QLatin1String("..")))
        out.replace(QLatin1String(".."), QLatin1String("."));
    out = TrimText(out);
    while (out.startsWith(u'.'))
        out.remove(0, 1);
    out = TrimText(out.left(200));
    return out.isEmpty() ? QStringLiteral("App") : out;
}

TStoreAppsResult SyncStoreApps(const TStoreAppsRequest& r, const std::atomic<bool>* cancel) {
    TStoreAppsResult result;
    if (r.folder.isEmpty())
        return result;
    const QString folder = r.folder.endsWith(u'/') ? r.folder : r.folder + u'/';
    const QString indexFile = folder + QLatin1String("index.dat");
    const QString exportFile = folder + QLatin1String("uwp.csv");

    // A cleared folder has no shortcuts left, so its old record must not vouch for any.
    TAppPairs apps = r.clearFirst ? TAppPairs() : ReadAppIndex(indexFile);
    if (r.clearFirst && QFileInfo(folder).isDir())
        DeleteFiles(folder);
    if (r.removeFolder) {
        QDir(folder).removeRecursively();
        return result;
    }
    // Private like the rest of the data folder (it holds the user's application list).
    if (!MakePrivateFolder(folder, true)) {
        result.error = QStringLiteral("Could not create the folder \"%1\".").arg(folder);
        return result;
    }
    QFile::remove(exportFile);

    const bool anyExport = std::any_of(r.exportDirs.begin(), r.exportDirs.end(),
                                       [](const QString& d) { return QFileInfo(d).isDir(); });
    QHash<QString, QString> sources; // id -> exported file
    if (anyExport) {
        TAppPairs pairs;
        for (const TExportedApp& a : ExportApps(r)) {
            pairs.emplace_back(a.name, a.id);
            sources.insert(a.id, a.file);
        }
        const TSaveResult saved = SaveAppExport(exportFile, pairs);
        if (!saved)
            result.error = saved.error;
    }
    if (!QFileInfo::exists(exportFile)) {
        result.count = CountPresent(apps, folder);
        return result;
    }
    result.exported = true;

    QSet<QString> present;
    for (const QStringList& row : ReadAppExport(exportFile)) {
        if (cancel && cancel->load()) {
            // An unfinished pass must not prune the apps it has not reached yet.
            result.count = CountPresent(apps, folder);
            return result;
        }
        QString rawName = TrimText(row.value(0));
        const QString name = SanitiseAppName(rawName.remove(u'='));
        const QString id = row.value(1);
        if (!ValidAppId(id))
            continue;
        present.insert(name);
        const QString shortcut = folder + name + kShortcutExt;
        auto old = std::find_if(apps.begin(), apps.end(), [&](const auto& p) { return p.first == name; });
        if (old != apps.end() && old->second == id && QFileInfo::exists(shortcut))
            continue;
        if (old != apps.end())
            apps.erase(old);
        QFile::remove(shortcut);
        const QString source = sources.value(id);
        QFile src(source);
        if (source.isEmpty() || !src.open(QIODevice::ReadOnly))
            continue;
        const TSaveResult made = SaveFileAtomic(shortcut, src.readAll());
        if (!made) {
            if (result.error.isEmpty())
                result.error = made.error;
            continue;
        }
        apps.emplace_back(name, id);
    }
    apps.erase(std::remove_if(apps.begin(), apps.end(), [&](const auto& p) { return !present.contains(p.first); }),
               apps.end());
    const TSaveResult saved = SaveAppIndex(indexFile, apps);
    if (!saved && result.error.isEmpty())
        result.error = saved.error;
    QSet<QString> names;
    for (const auto& p : apps)
        names.insert(p.first);
    for (const QString& f : QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files | QDir::Hidden))
        if (!names.contains(ShortcutBase(f)))
            QFile::remove(folder + f);
    result.count = CountPresent(apps, folder);
    return result;
}

} // namespace vantrelo
