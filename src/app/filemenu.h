// The file menu that stands in for the desktop's context menu of a file or folder.
#pragma once

#include "index/mimeapps.h"

#include <QString>

#include <functional>
#include <vector>

class QMenu;
class QWidget;

namespace vantrelo {

class TProcessLauncher;

struct TFileMenuActions {
    std::function<void(const QString& path)> open;
    std::function<void(const TMimeApp& app, const QString& path)> openWith;
    std::function<void(const QString& folder)> openFolder;
    std::function<void(const QString& path)> copyPath;
    std::function<void(const QString& path)> trash;
};

// "Open", "Open With..." (one item per application), "Open Folder of Item", "Copy Full Path of
// Item" and "Move to Trash"; the menu deletes itself when closed.
QMenu* BuildFileMenu(QWidget* parent, const QString& path, const std::vector<TMimeApp>& apps,
                     const TFileMenuActions& actions);

// The applications that open `path`, by its MIME type and the types that type inherits.
std::vector<TMimeApp> AppsForFile(const QString& path, const QStringList& applicationFolders, const QString& locale);

// Starts the application's Exec line with the file; empty on success, else plain words.
QString LaunchWith(const TMimeApp& app, const QString& path, TProcessLauncher& launcher);

} // namespace vantrelo
