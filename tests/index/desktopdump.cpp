// Prints the application entries of one applications folder as the launcher sees them, for the
// comparison with GLib (glib_compare.py): the entries a menu shows, and each Exec line expanded.
#include "index/desktopentry.h"
#include "index/scanroots.h"

#include <QCoreApplication>
#include <QTextStream>

#include <algorithm>

using namespace vantrelo;

// Usage: vantrelo_desktopdump FOLDER [TARGET...]. The environment gives the desktops, PATH and locale.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return 2;
    const QString folder = args.takeFirst();
    const TScanRoots roots = TScanRoots::FromEnvironment();
    QStringList lines;
    WalkDesktopFiles({folder}, [&](const QString& id, const QString& file) {
        const TDesktopEntry e = ReadDesktopEntry(file, roots.locale);
        // Links are the launcher's own addition to the menu: GLib's list holds applications only.
        if (e.type != QLatin1String("Application") || !IsMenuEntry(e, roots.desktops, roots.pathEnv))
            return;
        lines << QStringLiteral("show\t%1").arg(id);
        if (e.terminal)
            return; // each side finds its own terminal
        for (const QStringList& targets : {QStringList{}, args}) {
            std::vector<QStringList> commands;
            if (!BuildExecCommands(e, targets, file, commands)) {
                lines << QStringLiteral("error\t%1").arg(id);
                continue;
            }
            for (const QStringList& c : commands)
                lines << QStringLiteral("exec%1\t%2\t%3").arg(targets.size()).arg(id, c.mid(1).join(QChar(0x1f)));
        }
    });
    std::sort(lines.begin(), lines.end());
    QTextStream out(stdout);
    for (const QString& l : lines)
        out << l << "\n";
    return 0;
}
