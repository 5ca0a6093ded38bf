// The notes' verbs: printing the notes and adding a line to them.
#include "cli/cli.h"

#include "core/atomicfile.h"
#include "core/filelock.h"
#include "core/settings.h"
#include "core/storechange.h"
#include "commands/expand.h"
#include "exec/systemservices.h"
#include "platform/instancechannel.h"
#include "tools/notes.h"

#include <QFileInfo>
#include <QTextStream>

namespace vantrelo::cli {

QString NotesFilePath(TCliContext& ctx) {
    const QString custom = ctx.Data().settings.noteslocation;
    if (custom.isEmpty())
        return ctx.Places().dataFolder + QStringLiteral("notes.txt");
    return ExpandCommandText(custom, true, TSystemEnvironment(), ctx.Places().programFolder);
}

namespace {

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
    if (!ReadNotes(ctx, NotesFilePath(ctx), &notes))
        return kFailed;
    ctx.out << notes;
    if (!notes.isEmpty() && !notes.endsWith(u'\n'))
        ctx.out << "\n";
    return kOk;
}

int Add(TCliContext& ctx, const QString& text) {
    // A running launcher on this data folder holds the notes and saves them itself: it adds the
    // line as "-n" would, and answers once it has saved.
    const auto writeHere = [&ctx, &text] {
        const QString path = NotesFilePath(ctx);
        QString notes;
        if (!ReadNotes(ctx, path, &notes))
            return false;
        notes = NotesWithText(notes, text, ctx.Data().settings.notesaddbottom);
        const TFileAccess access = path.startsWith(ctx.Places().dataFolder) ? TFileAccess::Private : TFileAccess::Document;
        const TSaveResult r = SaveFileAtomic(path, NotesFileBytes(notes), {}, access);
        if (!r) {
            ctx.err << r.error << "\n";
            return false;
        }
        ctx.out << "Notes updated\n";
        return true;
    };
    return ctx.Change({TStoreChange::TKind::AddNote, {text}, {}}, writeHere) ? kOk : kFailed;
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
