// Writes and removes the desktop entries behind "Start when I log in." and the "Open with" menu.
#include "core/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantrelo {

namespace {

QString XdgFolder(const char* variable, const char* fallback) {
    QString base = qEnvironmentVariable(variable);
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QLatin1String(fallback);
    return base;
}

TSaveResult WriteOrRemove(bool add, const QString& path, const QString& body) {
    if (!add) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            return {false, QStringLiteral("Could not remove \"%1\".").arg(path)};
        return {};
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return {false, QStringLiteral("Could not create the folder of \"%1\".").arg(path)};
    // Desktop entries are plain UTF-8 with LF line ends, without a byte-order mark.
    return SaveFileAtomic(path, body.toUtf8());
}

} // namespace

QString AutostartEntryPath() { return XdgFolder("XDG_CONFIG_HOME", "/.config") + QLatin1String("/autostart/vantrelo.desktop"); }

QString OpenWithEntryPath() {
    return XdgFolder("XDG_DATA_HOME", "/.local/share") + QLatin1String("/applications/vantrelo-open.desktop");
}

QString QuoteExecArgument(const QString& arg) {
    QString quoted;
    for (const QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    // The string-value level escapes each backslash once more.
    quoted.replace(u'\\', QLatin1String("\\\\"));
    quoted.replace(u'%', QLatin1String("%%"));
    return u'"' + quoted + u'"';
}

TSaveResult RegStartUp(bool add, const QString& exePath) {
    const QString body = QStringLiteral("[Desktop Entry]\nType=Application\nName=Vantrelo\n"
                                        "Comment=Keyboard launcher\nExec=%1 -s\nTerminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(QuoteExecArgument(exePath));
    return WriteOrRemove(add, AutostartEntryPath(), body);
}

TSaveResult SetOpenWithEntry(bool add, const QString& exePath) {
    const QString body = QStringLiteral("[Desktop Entry]\nType=Application\nName=Vantrelo\n"
                                        "Comment=Open with the keyboard launcher\nExec=%1 %F\nTerminal=false\n"
                                        "NoDisplay=true\nMimeType=application/octet-stream;text/plain;inode/directory;\n")
                             .arg(QuoteExecArgument(exePath));
    return WriteOrRemove(add, OpenWithEntryPath(), body);
}

} // namespace vantrelo
