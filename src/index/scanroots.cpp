// Building the scan roots from the environment and reading the XDG user folders.
#include "index/scanroots.h"

#include "core/text.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

namespace vantrelo {

namespace {

QString NoSlash(QString p) {
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

QStringList SplitDirs(const QString& value, const QStringList& fallback) {
    QStringList out;
    for (const QString& d : value.split(u':', Qt::SkipEmptyParts))
        if (d.startsWith(u'/')) // relative entries are invalid and ignored
            out << NoSlash(d);
    return out.isEmpty() ? fallback : out;
}

// $HOME and ${HOME} inside a user-dirs.dirs value.
QString ExpandHome(QString v, const QString& home) {
    v.replace(QLatin1String("${HOME}"), home);
    v.replace(QLatin1String("$HOME"), home);
    return v;
}

} // namespace

TScanRoots TScanRoots::FromEnvironment() {
    QHash<QString, QString> vars;
    const QProcessEnvironment pe = QProcessEnvironment::systemEnvironment();
    for (const QString& k : pe.keys())
        vars.insert(k, pe.value(k));
    return FromVariables(vars);
}

TScanRoots TScanRoots::FromVariables(const QHash<QString, QString>& vars) {
    TScanRoots r;
    r.env = vars;
    r.home = NoSlash(vars.value(QStringLiteral("HOME"), QDir::homePath()));
    const auto xdg = [&](const char* name, const QString& def) {
        const QString v = vars.value(QLatin1String(name));
        return v.startsWith(u'/') ? NoSlash(v) : def;
    };
    r.dataHome = xdg("XDG_DATA_HOME", r.home + QLatin1String("/.local/share"));
    r.configHome = xdg("XDG_CONFIG_HOME", r.home + QLatin1String("/.config"));
    r.dataDirs = SplitDirs(vars.value(QStringLiteral("XDG_DATA_DIRS")),
                           {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    r.storeAppDirs = {QStringLiteral("/var/lib/flatpak/exports/share/applications"),
                      r.dataHome + QLatin1String("/flatpak/exports/share/applications"),
                      QStringLiteral("/var/lib/snapd/desktop/applications")};
    r.desktops = vars.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(u':', Qt::SkipEmptyParts);
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        r.locale = vars.value(QLatin1String(name));
        if (!r.locale.isEmpty())
            break;
    }
    r.pathEnv = vars.value(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    r.userDirs = ReadUserDirs(r.configHome, r.home);
    return r;
}

QString TScanRoots::UserApplications() const { return dataHome + QLatin1String("/applications"); }

QStringList TScanRoots::SystemApplications() const {
    QStringList out;
    for (const QString& d : dataDirs)
        out << d + QLatin1String("/applications");
    return out;
}

QStringList TScanRoots::ApplicationFolders() const {
    QStringList out{UserApplications()};
    for (const QString& d : SystemApplications())
        if (!out.contains(d))
            out << d;
    return out;
}

QString TScanRoots::UserDir(const QString& key) const { return userDirs.value(key); }

QHash<QString, QString> ReadUserDirs(const QString& configHome, const QString& home) {
    QHash<QString, QString> dirs{
        {QStringLiteral("DESKTOP"), home + QLatin1String("/Desktop")},
        {QStringLiteral("DOCUMENTS"), home + QLatin1String("/Documents")},
        {QStringLiteral("DOWNLOAD"), home + QLatin1String("/Downloads")},
        {QStringLiteral("MUSIC"), home + QLatin1String("/Music")},
        {QStringLiteral("PICTURES"), home + QLatin1String("/Pictures")},
        {QStringLiteral("VIDEOS"), home + QLatin1String("/Videos")}};
    QFile f(configHome + QLatin1String("/user-dirs.dirs"));
    if (f.open(QIODevice::ReadOnly)) {
        for (const QString& raw : SplitLines(DecodeFileText(f.readAll()))) {
            const QString line = raw.trimmed();
            if (!line.startsWith(QLatin1String("XDG_")) || !line.contains(u'='))
                continue;
            const qsizetype eq = line.indexOf(u'=');
            QString key = line.left(eq).trimmed();
            if (!key.endsWith(QLatin1String("_DIR")))
                continue;
            key = key.mid(4, key.size() - 8);
            QString value = line.mid(eq + 1).trimmed();
            if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
                value = value.mid(1, value.size() - 2);
            value = NoSlash(ExpandHome(value, home));
            if (!value.startsWith(u'/'))
                value = home + u'/' + value;
            dirs.insert(key, value);
        }
    }
    for (auto it = dirs.begin(); it != dirs.end();) {
        if (NoSlash(it.value()) == NoSlash(home))
            it = dirs.erase(it);
        else
            ++it;
    }
    return dirs;
}

QString ExpandScanPath(const QString& path, const TScanRoots& roots) {
    // "$D$" is the drive the program runs from; a single-rooted file system has none.
    QString p = ReplaceText(TrimText(path), QStringLiteral("$D$"), QString());
    if (p == QLatin1String("~") || p.startsWith(QLatin1String("~/")))
        p = roots.home + p.mid(1);
    // %VAR% as the settings were written on any system; unknown names stay as they are.
    QString out;
    for (qsizetype i = 0; i < p.size(); ++i) {
        const QChar c = p.at(i);
        if (c == u'%') {
            const qsizetype end = p.indexOf(u'%', i + 1);
            if (end > i + 1) {
                const QString name = p.mid(i + 1, end - i - 1);
                if (roots.env.contains(name)) {
                    out += roots.env.value(name);
                    i = end;
                    continue;
                }
            }
        } else if (c == u'$' && i + 1 < p.size()) {
            qsizetype j = i + 1;
            const bool braced = p.at(j) == u'{';
            if (braced)
                ++j;
            const qsizetype nameStart = j;
            while (j < p.size() && (p.at(j).isLetterOrNumber() || p.at(j) == u'_'))
                ++j;
            const QString name = p.mid(nameStart, j - nameStart);
            const bool closed = !braced || (j < p.size() && p.at(j) == u'}');
            if (!name.isEmpty() && closed && roots.env.contains(name)) {
                out += roots.env.value(name);
                i = braced ? j : j - 1;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace vantrelo
