// Finding the applications for a file type from the installed desktop entries.
#include "index/mimeapps.h"

#include <algorithm>

namespace vantrelo {

std::vector<TMimeApp> AppsForMimeTypes(const QStringList& applicationFolders, const QStringList& mimeTypes,
                                       const QString& locale) {
    std::vector<TMimeApp> apps;
    WalkDesktopFiles(applicationFolders, [&](const QString&, const QString& file) {
        TDesktopEntry e = ReadDesktopEntry(file, locale);
        if (!e.valid || e.hidden || e.exec.isEmpty() || e.type != QLatin1String("Application"))
            return;
        const bool opens = std::any_of(e.mimetypes.cbegin(), e.mimetypes.cend(),
                                       [&](const QString& m) { return mimeTypes.contains(m, Qt::CaseInsensitive); });
        if (opens)
            apps.push_back(TMimeApp{file, std::move(e)});
    });
    std::stable_sort(apps.begin(), apps.end(), [](const TMimeApp& a, const TMimeApp& b) {
        return a.entry.name.compare(b.entry.name, Qt::CaseInsensitive) < 0;
    });
    return apps;
}

} // namespace vantrelo
