// The notes' verbs: printing the notes and adding a line to them.
#include "cli/cli.h"

#include "core/atomicfile.h"
#include "core/filelock.h"
#include "core/settings.h"
#include "core/storechange.h"
#include "exec/envexpand.h"
#include "exec/systemservices.h"
#include "platform/instancechannel.h"
#include "tools/notes.h"

#include <QFileInfo>
#include <QTextStream>

namespace vantrelo::cli {

namespace {

QString NotesFile(TCliContext& ctx) {
    const QString custom = ctx.Data().settings.noteslocation;
    if (custom.isEmpty())
        return ctx.Places().dataFolder + QStringLiteral("notes.txt");
    return ExpandUserPath(custom, TSystemEnvironment());
}

bool ReadNotes(TCliContext& ctx, const QString& path, QString* notes) {
    QString error;
    if (!ReadNotesFile(path, notes, &error)) {
        ctx.err << error << "\n";
        return false;
    }
    return true;
}

int Show(TCliContext& ctx) {
    QString notes;
    if (!ReadNotes(ctx, NotesFile(ctx), &notes))
        return kFailed;
    ctx.out << notes;
    if (!notes.isEmpty() && !notes.endsWith(u'\n'))
        ctx.out << "\n";
    return kOk;
}

int Add(TCliContext& ctx, const QString& text) {
    // A running launcher holds the notes and saves them itself: it adds the line as "-n" would.
    TFileLock launcher(LauncherLockFile(ctx.Places()));
    if (!launcher.TryLock()) {
        QString error;
        if (!ctx.Hand({TInstanceMessageKind::Command, QStringLiteral("-n ") + text, {}}, &error)) {
            ctx.err << "Vantrelo is running but did not take the line: " << error << "\n";
            return kFailed;
        }
        ctx.out << "Vantrelo is running: the line was handed to it, and it saves the notes.\n";
        return kOk;
    }
    const QString path = NotesFile(ctx);
    QString notes;
    if (!ReadNotes(ctx, path, &notes))
        return kFailed;
    notes = NotesWithText(notes, text, ctx.Data().settings.notesaddbottom);
    const TSaveResult r = SaveFileAtomic(path, NotesFileBytes(notes), {}, TFileAccess::Document);
    if (!r) {
        ctx.err << r.error << "\n";
        return kFailed;
    }
    ctx.out << "Notes updated\n";
    return kOk;
}

} // namespace

int NotesVerb(TCliContext& ctx, const QStringList& args) {
    const QString sub = args.value(0);
    const bool show = sub == QLatin1String("show") && args.size() == 1;
    const bool add = sub == QLatin1String("add") && args.size() >= 2;
    if (!show && !add) {
        ctx.err << "usage: vantrelo-cli [--data DIR] notes show | notes add TEXT\n";
        return kUsage;
    }
    if (!ctx.Load(false))
        return kFailed;
    return show ? Show(ctx) : Add(ctx, args.mid(1).join(u' '));
}

} // namespace vantrelo::cli
