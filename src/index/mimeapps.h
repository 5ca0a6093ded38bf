// The applications whose desktop entries say they open a file type ("Open With...").
#pragma once

#include "index/desktopentry.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace vantrelo {

struct TMimeApp {
    QString desktopFile;
    TDesktopEntry entry;
};

// Walks the application folders (highest precedence first; the first entry of a desktop-file id
// wins, a hidden one hides the id) and keeps the launchable applications that declare one of
// `mimeTypes`, sorted by name.
std::vector<TMimeApp> AppsForMimeTypes(const QStringList& applicationFolders, const QStringList& mimeTypes,
                                       const QString& locale);

} // namespace vantrelo
