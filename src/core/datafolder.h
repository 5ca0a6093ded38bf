// Where the program's data and its shipped files live, and the automatic backups.
#pragma once

#include "core/atomicfile.h"

#include <QString>

namespace vantrelo {

// Folder paths always end with "/".
struct TPlaces {
    QString dataFolder;    // vantrelo.ini and every other file the program writes
    QString programFolder; // default.exc, skins and pictures shipped with the program
    QString SettingsFile() const { return dataFolder + QLatin1String("vantrelo.ini"); }
    QString BackupFile() const { return dataFolder + QLatin1String("vantrelo.ini.bak"); }
    QString IncognitoFolder() const { return dataFolder + QLatin1String("incognito"); }
};

// The data folder: beside the executable when a vantrelo.ini is there (portable), else
// $XDG_CONFIG_HOME/Vantrelo (default ~/.config/Vantrelo), created when missing.
QString ResolveDataFolder(const QString& exeFolder);
// The folder of shipped files: the executable's own when it holds default.exc, else
// <prefix>/share/vantrelo.
QString ResolveProgramFolder(const QString& exeFolder);
QString WithSlash(const QString& folder);
// Creates `folder` (and missing parents) with the last part 0700: it holds typed inputs. With
// `tighten`, an existing folder of this user loses the access others had. False when it is no folder.
bool MakePrivateFolder(const QString& folder, bool tighten);

// Copies a file atomically over another.
TSaveResult CopyFileAtomic(const QString& from, const QString& to);
// Copies vantrelo.ini to vantrelo.ini.migrate.backup.<version> when it exists.
TSaveResult MigrationBackup(const TPlaces& places, const QString& version);

struct TBackupRequest {
    bool force = false;
    bool enabled = true;          // the "backup" setting
    bool settingsTrusted = true;  // vantrelo.ini was loaded (or written) from real data this run
    QString notesFile;            // empty when there is none
    int notesWindowLines = -1;    // lines in the open notes window; -1 when it is not open
};

// The automatic (or forced) backups of the settings and the notes; true when nothing failed.
bool Backup(const TPlaces& places, const TBackupRequest& request, QString* error = nullptr);

} // namespace vantrelo
