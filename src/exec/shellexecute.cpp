// The execute operation mapped onto Linux processes, desktop entries and the desktop's handler.
#include "exec/shellexecute.h"

#include "core/text.h"
#include "core/inputtext.h"
#include "exec/paramtokens.h"
#include "index/desktopentry.h"
#include "platform/environment.h"

#include <QFileInfo>

namespace vantrelo {

namespace {

bool IsAddress(const QString& file) {
    return file.contains(QLatin1String("://")) || IsMailto(file) || StartsText(QStringLiteral("file:"), file);
}

} // namespace

bool IsWindowsOnlyTarget(const QString& file) {
    const QString f = Unquoted(TrimText(file));
    const QString lower = LowerText(f);
    return lower.endsWith(QLatin1String(".cpl")) || lower == QLatin1String("control.exe") ||
           lower.startsWith(QLatin1String("shell:")) || IsSystemUri(f) || f.startsWith(QLatin1String("::{"));
}

bool IsShortcut(const QString& file) {
    const QString lower = LowerText(Unquoted(TrimText(file)));
    return lower.endsWith(QLatin1String(".lnk")) || lower.endsWith(QLatin1String(".desktop"));
}

int TLinuxShell::Open(const QString& target) { return launcher_.OpenWithDesktop(target).code; }

int TLinuxShell::ShellExecute(const TShellRequest& r) {
    const QString file = Unquoted(TrimText(r.file));
    if (file.isEmpty())
        return kLaunchNotFound;
    if (IsWindowsOnlyTarget(file))
        return kLaunchNoAssociation;
    // The shell takes "www." as a web address.
    if (StartsText(QStringLiteral("www."), file))
        return Open(QStringLiteral("https://") + file);
    if (IsAddress(file))
        return Open(file);
    const QFileInfo fi(file);
    if (fi.isDir())
        return Open(file);
    if (fi.isFile() && LowerText(file).endsWith(QLatin1String(".desktop")))
        return RunDesktopEntry(file, r);
    if (fi.isFile() && !fi.isExecutable())
        return Open(file); // a document: its handler takes no parameters
    TSpawnRequest spawn;
    spawn.program = file;
    spawn.args = SplitParameters(r.params);
    // "program its arguments" in one field names no file: its words come first, as a command
    // line would have them (split by the same tokenizer, never by a shell).
    if (!fi.exists() && file.contains(u' ')) {
        QStringList words = SplitParameters(file);
        if (!words.isEmpty()) {
            spawn.program = words.takeFirst();
            spawn.args = words + spawn.args;
        }
    }
    spawn.folder = r.folder;
    spawn.elevated = r.Elevated();
    spawn.show = r.show;
    return launcher_.Spawn(spawn).code;
}

int TLinuxShell::RunDesktopEntry(const QString& file, const TShellRequest& r) {
    const auto say = [&r](const QString& text) {
        if (r.notice)
            *r.notice = text;
    };
    const auto variable = [this](const char* name) {
        return environment_.Variable(QLatin1String(name)).value_or(QString());
    };
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (locale.isEmpty())
            locale = variable(name);
    const TDesktopEntry entry = ReadDesktopEntry(file, locale);
    if (!entry.valid) {
        say(QStringLiteral("Not a valid desktop entry: %1").arg(file));
        return kLaunchNoAssociation;
    }
    if (SameText(entry.type, QStringLiteral("Link")))
        return entry.url.isEmpty() ? kLaunchNoAssociation : Open(entry.url);
    std::vector<QStringList> commands;
    QString error;
    QStringList leftOut;
    if (!SameText(entry.type, QStringLiteral("Application")) ||
        !BuildExecCommands(entry, SplitParameters(r.params), file, commands, &error, &leftOut) || commands.empty()) {
        say(error.isEmpty() ? QStringLiteral("%1 is no application").arg(file) : error);
        return kLaunchNoAssociation;
    }
    // A working folder that is gone is said, never replaced by another one.
    if (!entry.path.isEmpty() && !QFileInfo(entry.path).isDir()) {
        say(QStringLiteral("The folder \"%1\" of %2 does not exist").arg(entry.path, entry.name));
        return kLaunchNotFound;
    }
    QStringList terminal;
    if (entry.terminal) {
        terminal = TerminalCommand(variable("TERMINAL"), variable("PATH"));
        if (terminal.isEmpty()) {
            say(QStringLiteral("No terminal program found to run %1 in; set $TERMINAL to one").arg(entry.name));
            return kLaunchNotFound;
        }
    }
    if (!leftOut.isEmpty())
        say(QStringLiteral("%1 opens local files only; left out: %2").arg(entry.name, leftOut.join(u' ')));
    int code = kLaunchStarted;
    for (QStringList args : commands) {
        args = terminal + args;
        TSpawnRequest spawn;
        spawn.program = args.takeFirst();
        spawn.args = args;
        spawn.folder = entry.path.isEmpty() ? r.folder : entry.path;
        spawn.elevated = r.Elevated();
        spawn.show = r.show;
        const TSpawnResult started = launcher_.Spawn(spawn);
        if (started.code <= kLaunchFailed) {
            code = started.code;
            say(started.error);
        }
    }
    return code;
}

TCaptureResult TLinuxShell::Capture(const TSpawnRequest& request, int timeoutMs, qsizetype maxBytes) {
    return launcher_.Capture(request, timeoutMs, maxBytes);
}

} // namespace vantrelo
