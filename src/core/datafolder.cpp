// Data folder location and backups.
#include "core/datafolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrelo {

QString WithSlash(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool MakePrivateFolder(const QString& folder, bool tighten) {
    const QString clean = QDir::cleanPath(folder);
    const QByteArray path = QFile::encodeName(clean);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0) {
        const QString parent = QFileInfo(clean).absolutePath();
        if (!QDir().mkpath(parent) || (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) ||
            ::stat(path.constData(), &st) != 0)
            return false;
    }
    if (!S_ISDIR(st.st_mode))
        return false;
    if (tighten && st.st_uid == ::getuid() && (st.st_mode & 077) != 0)
        ::chmod(path.constData(), st.st_mode & 0700);
    return true;
}

QString ResolveDataFolder(const QString& exeFolder) {
    const QString exe = WithSlash(exeFolder);
    if (QFileInfo::exists(exe + QLatin1String("vantrelo.ini")))
        return exe;
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        const QString home = QDir::homePath();
        if (home.isEmpty())
            return exe;
        base = home + QLatin1String("/.config");
    }
    const QString folder = WithSlash(base) + QLatin1String("Vantrelo/");
    if (!MakePrivateFolder(folder, true))
        return exe;
    return folder;
}

QString ResolveProgramFolder(const QString& exeFolder) {
    const QString exe = WithSlash(exeFolder);
    // Beside the executable (the build tree, a portable copy), then the prefix the executable is
    // installed in (also when unpacked elsewhere), then the prefix it was built for.
    const QString folders[] = {exe, WithSlash(QDir::cleanPath(exe + QLatin1String(VANTRELO_BIN_TO_DATA "/vantrelo"))),
                               QLatin1String(VANTRELO_INSTALL_DATA "/vantrelo/")};
    for (const QString& folder : folders)
        if (QFileInfo::exists(folder + QLatin1String("default.exc")))
            return folder;
    return folders[1];
}

TSaveResult CopyFileAtomic(const QString& from, const QString& to) {
    QFile f(from);
    if (!f.open(QIODevice::ReadOnly))
        return {false, QStringLiteral("Could not read \"%1\": %2.").arg(from, f.errorString())};
    const QByteArray bytes = f.readAll();
    return SaveFileAtomic(to, bytes);
}

TSaveResult MigrationBackup(const TPlaces& places, const QString& version) {
    if (!QFileInfo::exists(places.SettingsFile()))
        return {};
    return CopyFileAtomic(places.SettingsFile(), places.SettingsFile() + QLatin1String(".migrate.backup.") + version);
}

namespace {

// The backup is stale when missing or more than two days older than the file it guards.
bool BackupStale(const QString& file, const QString& backup) {
    const QFileInfo b(backup);
    if (!b.exists())
        return true;
    const QFileInfo f(file);
    return b.lastModified().msecsTo(f.lastModified()) > qint64(2) * 24 * 3600 * 1000;
}

void Note(QString* error, const TSaveResult& r, bool& ok) {
    if (r)
        return;
    ok = false;
    if (error)
        *error = r.error;
}

} // namespace

bool Backup(const TPlaces& places, const TBackupRequest& request, QString* error) {
    if (!request.enabled && !request.force)
        return true;
    bool ok = true;
    const QString settings = places.SettingsFile();
    const QString settingsBak = places.BackupFile();
    // A settings file that holds no loaded data never replaces an existing backup.
    const bool mayReplace = request.settingsTrusted || !QFileInfo::exists(settingsBak);
    if (QFileInfo::exists(settings) && mayReplace && (request.force || BackupStale(settings, settingsBak)))
        Note(error, CopyFileAtomic(settings, settingsBak), ok);

    const QString notesBak = places.dataFolder + QLatin1String("notes.txt.bak");
    if (!request.notesFile.isEmpty() && QFileInfo::exists(request.notesFile)) {
        const bool windowAllows = request.notesWindowLines < 0 || request.notesWindowLines > 3;
        if (request.force || (BackupStale(request.notesFile, notesBak) && windowAllows))
            Note(error, CopyFileAtomic(request.notesFile, notesBak), ok);
    }
    return ok;
}

} // namespace vantrelo
