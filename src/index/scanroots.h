// Where the index looks: XDG data and config folders, user folders, store-app exports, locale.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace vantrelo {

// Every path the scanner and the app import walk comes from here, so tests use a private tree.
// Folder paths have no trailing slash.
struct TScanRoots {
    QString home;
    QString dataHome;           // $XDG_DATA_HOME
    QStringList dataDirs;       // $XDG_DATA_DIRS in order of preference
    QString configHome;         // $XDG_CONFIG_HOME
    QStringList storeAppDirs;   // exported .desktop folders of Flatpak and Snap
    QStringList desktops;       // $XDG_CURRENT_DESKTOP split at ":"
    QString locale;             // LC_ALL, else LC_MESSAGES, else LANG
    QString pathEnv;            // $PATH, for TryExec and program lookup
    QHash<QString, QString> env; // for "%VAR%" in configured scan folders
    QHash<QString, QString> userDirs; // "DESKTOP", "DOCUMENTS", ... -> folder

    // The roots of the running session.
    static TScanRoots FromEnvironment();
    // The same from a given environment (name -> value); user-dirs.dirs is read from disk.
    static TScanRoots FromVariables(const QHash<QString, QString>& vars);

    QString UserApplications() const;          // $XDG_DATA_HOME/applications
    QStringList SystemApplications() const;    // each $XDG_DATA_DIRS/applications
    QStringList ApplicationFolders() const;    // the user's first, then the system's
    QString UserDir(const QString& key) const; // empty when unknown
};

// Reads ~/.config/user-dirs.dirs (XDG_DESKTOP_DIR="$HOME/Desktop" ...). Keys are returned without
// the XDG_ and _DIR parts; folders missing from the file get the usual defaults; a folder equal to
// home means "not set" and is left out.
QHash<QString, QString> ReadUserDirs(const QString& configHome, const QString& home);

// Expands "~", "%VAR%" and "$VAR"/"${VAR}" in a configured folder path.
QString ExpandScanPath(const QString& path, const TScanRoots& roots);

} // namespace vantrelo
