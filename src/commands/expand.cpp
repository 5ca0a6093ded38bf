// Command expansion as the pipeline, the launcher and the settings dialog prepare command texts.
#include "commands/expand.h"

#include "commands/enclosed.h"
#include "exec/envexpand.h"

namespace vantrelo {

namespace {

void RemoveNames(QString& s, std::initializer_list<const char*> names) {
    for (const char* n : names)
        s.remove(QLatin1String(n), Qt::CaseSensitive);
}

QString WithoutTrailingSlash(QString folder) {
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace

QString ExpandCommandText(const QString& text, bool strip, const TEnvironment& env, const QString& exeFolder) {
    QString s = text;
    if (s.contains(QLatin1Char('%')))
        s = ExpandEnvironmentText(s, env);
    if (s.contains(QLatin1Char('$'))) {
        // Paths here have no drive: "$D$\x" stays a path from the root.
        for (const char* d : {"$d$", "$D$"})
            s.replace(QLatin1String(d), QString());
        const QString folder = WithoutTrailingSlash(exeFolder);
        for (const char* h : {"$h$", "$H$"})
            s.replace(QLatin1String(h), folder);
    }
    if (!strip)
        return s;
    RemoveNames(s, {"$GRABTOINPUT$", "$GRABTOLIST$", "$GRABTOLISTNOFOCUS$", "$URLTOINPUT$", "$URLTOLIST$",
                    "$URLTOLISTNOFOCUS$"});
    if (s.contains(QLatin1String("$B"))) {
        RemoveNames(s, {"$BROWSER$", "$B$", "$BN$", "$BROWSERNOFOCUS$", "$BROWSERFLUSHALL$", "$BROWSERFLUSHCURRENT$",
                        "$BROWSEREND$", "$BROWSERCLEAR$", "$BROWSERTOGGLE$", "$BCONNECT$", "$BSETFOCUS$", "$BNEWWIN$",
                        "$BNEWFULL$"});
        s = StripEnclosed(QStringLiteral("$BCLICK$"), s);
    }
    RemoveNames(s, {"$CLR$", "$C$", "$CU$", "$M$", "$R$", "$W$", "$GW$", "$EXIT$", "$ASYNC$", "$NOHIDE$"});
    return StripEnclosed(QStringLiteral("$SOUND$"), s);
}

} // namespace vantrelo
