// Reads the bookmarks of recently-used.xbel: local files that still exist, newest first.
#include "platform/linux/recentdocuments_linux.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>

#include <algorithm>

namespace vantrelo {

QString TXbelRecentDocuments::DefaultDataHome() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg))
        return xdg;
    return QDir::homePath() + QStringLiteral("/.local/share");
}

std::vector<TMyShellItem> TXbelRecentDocuments::RecentDocuments() const {
    QFile file(dataHome_ + QStringLiteral("/recently-used.xbel"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    struct TFound {
        QString path;
        QDateTime when;
    };
    std::vector<TFound> found;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("bookmark"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QUrl url(a.value(QLatin1String("href")).toString());
        // "modified" is the last use; older writers only set "visited" or "added".
        QDateTime when;
        for (const char* key : {"modified", "visited", "added"}) {
            when = QDateTime::fromString(a.value(QLatin1String(key)).toString(), Qt::ISODateWithMs);
            if (when.isValid())
                break;
        }
        xml.skipCurrentElement();
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isFile())
            found.push_back(TFound{path, when});
    }
    if (xml.hasError())
        return {};
    std::stable_sort(found.begin(), found.end(), [](const TFound& x, const TFound& y) { return x.when > y.when; });
    std::vector<TMyShellItem> out;
    for (const TFound& f : found) {
        TMyShellItem item;
        item.name = QFileInfo(f.path).fileName();
        item.path = f.path;
        out.push_back(std::move(item));
    }
    return out;
}

} // namespace vantrelo
