// Building the file menu and starting an application with a file, as its desktop entry says.
#include "app/filemenu.h"

#include "platform/processlauncher.h"

#include <QFileInfo>
#include <QMenu>
#include <QMimeDatabase>

namespace vantrelo {

QMenu* BuildFileMenu(QWidget* parent, const QString& path, const std::vector<TMimeApp>& apps,
                     const TFileMenuActions& actions) {
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(menu->addAction(QStringLiteral("Open")), &QAction::triggered, menu,
                     [actions, path] { actions.open(path); });
    QMenu* with = menu->addMenu(QStringLiteral("Open With..."));
    for (const TMimeApp& app : apps)
        QObject::connect(with->addAction(app.entry.name), &QAction::triggered, menu,
                         [actions, app, path] { actions.openWith(app, path); });
    with->setEnabled(!apps.empty());
    menu->addSeparator();
    const QString folder = QFileInfo(path).absolutePath();
    QObject::connect(menu->addAction(QStringLiteral("Open Folder of Item")), &QAction::triggered, menu,
                     [actions, folder] { actions.openFolder(folder); });
    QObject::connect(menu->addAction(QStringLiteral("Copy Full Path of Item")), &QAction::triggered, menu,
                     [actions, path] { actions.copyPath(path); });
    menu->addSeparator();
    QObject::connect(menu->addAction(QStringLiteral("Move to Trash")), &QAction::triggered, menu,
                     [actions, path] { actions.trash(path); });
    return menu;
}

std::vector<TMimeApp> AppsForFile(const QString& path, const QStringList& applicationFolders, const QString& locale) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    QStringList types{type.name()};
    types << type.aliases() << type.allAncestors();
    return AppsForMimeTypes(applicationFolders, types, locale);
}

QString LaunchWith(const TMimeApp& app, const QString& path, TProcessLauncher& launcher) {
    std::vector<QStringList> commands;
    QString error;
    if (!BuildExecCommands(app.entry, {path}, app.desktopFile, commands, &error) || commands.empty())
        return error.isEmpty() ? QStringLiteral("Could not start ") + app.entry.name : error;
    for (QStringList args : commands) {
        if (app.entry.terminal)
            args = QStringList{QStringLiteral("x-terminal-emulator"), QStringLiteral("-e")} + args;
        TSpawnRequest r;
        r.program = args.takeFirst();
        r.args = args;
        r.folder = app.entry.path;
        const TSpawnResult started = launcher.Spawn(r);
        if (!started.Ok())
            return started.error.isEmpty() ? QStringLiteral("Could not start ") + app.entry.name : started.error;
    }
    return {};
}

} // namespace vantrelo
