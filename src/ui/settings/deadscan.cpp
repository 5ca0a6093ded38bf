// The invalid-keyword scan: a command's leading path, tested where its volume is present.
#include "ui/settings/deadscan.h"

#include "core/inputtext.h"
#include "core/items.h"
#include "core/keywordlist.h"

namespace vantrelo {

namespace {

// A path below a mount point for removable or network volumes, whose volume is not mounted:
// the file may be fine once the volume is back.
bool OnAbsentVolume(const QString& path, const std::function<bool(const QString&)>& exists) {
    static const char* const roots[] = {"/media/", "/run/media/", "/mnt/"};
    for (const char* r : roots) {
        const QString root = QLatin1String(r);
        if (!path.startsWith(root))
            continue;
        // /media/VOL or /media/USER/VOL, /run/media/USER/VOL, /mnt/VOL: the deepest of these present.
        const QStringList parts = path.mid(root.size()).split(u'/', Qt::SkipEmptyParts);
        if (parts.isEmpty())
            return false;
        if (!exists(root + parts[0]))
            return true;
        // /run/media/USER/VOL always; /media/USER/VOL when the path goes deeper than a volume's file.
        const bool userLevel = root == QLatin1String("/run/media/") || (root == QLatin1String("/media/") && parts.size() > 2);
        return userLevel && parts.size() > 1 && !exists(root + parts[0] + u'/' + parts[1]);
    }
    return false;
}

} // namespace

QString CommandPath(const QString& command, const std::function<bool(const QString&)>& exists) {
    QString c = command.trimmed();
    if (c.startsWith(QLatin1String("file://")))
        c.remove(0, 7);
    if (c.startsWith(u'"')) {
        const int close = c.indexOf(u'"', 1);
        return close > 0 ? c.mid(1, close - 1) : c.mid(1);
    }
    if (exists(c))
        return c;
    const int blank = c.indexOf(u' ');
    return blank > 0 ? c.left(blank) : c;
}

std::vector<TDeadKeyword> FindDeadKeywords(const TKeywordList& words, const QString& separator,
                                           const std::function<QString(const QString&)>& expand,
                                           const std::function<bool(const QString&)>& exists) {
    std::vector<TDeadKeyword> dead;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString c = expand(words.at(i).command).trimmed();
        if (c.isEmpty() || IsSystemUri(c) || !IsPath(c) || (!separator.isEmpty() && c.contains(separator)))
            continue;
        const QString path = CommandPath(c, exists);
        if (path.startsWith(QLatin1String("//")) || path.startsWith(u'\\') || OnAbsentVolume(path, exists))
            continue;
        if (!exists(path))
            dead.push_back({i, QStringLiteral("not found: ") + path});
    }
    return dead;
}

} // namespace vantrelo
