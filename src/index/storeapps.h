// The app shortcut folder: one .desktop copy per installed Flatpak or Snap app, kept in step.
#pragma once

#include <QString>
#include <QStringList>

#include <atomic>

namespace vantrelo {

struct TStoreAppsRequest {
    QString folder;          // data folder + "Apps"
    bool clearFirst = false; // rebuild every shortcut
    bool removeFolder = false;
    QStringList exportDirs;  // the Flatpak and Snap exported applications folders
    QStringList desktops;
    QString pathEnv;
    QString locale;
};

struct TStoreAppsResult {
    int count = 0;           // app shortcuts present in the folder afterwards
    bool exported = false;   // an export folder existed, so the list was refreshed
    QString error;           // the first file that could not be written, in plain words
};

// Refreshes the folder: uwp.csv is the fresh export (name;id), index.dat the record of the
// shortcuts made, "<name>.desktop" the shortcuts. Stops between apps when `cancel` is set.
TStoreAppsResult SyncStoreApps(const TStoreAppsRequest& request, const std::atomic<bool>* cancel = nullptr);

// An app name made safe as a file name: no "/", "\", "=", control characters, no "..", no
// leading dot; never empty.
QString SanitiseAppName(const QString& name);

} // namespace vantrelo
