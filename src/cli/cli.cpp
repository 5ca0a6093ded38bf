// Parses the global options and dispatches to the verb table.
#include "cli/cli.h"

#include "core/datafolder.h"
#include "platform/linux/localinstance_linux.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace vantrelo::cli {

namespace {

const TCliVerb kVerbs[] = {
    {"settings", "settings get KEY | settings set KEY VALUE | settings list", &SettingsVerb},
    {"keywords", "keywords list | keywords add NAMES COMMAND [PARAMETERS] | keywords remove NAME", &KeywordsVerb},
    {"history", "history list", &HistoryVerb},
    {"calc", "calc EXPRESSION", &CalcVerb},
    {"similarity", "similarity TEXT1 TEXT2", &SimilarityVerb},
    {"index", "index scan | index list", &IndexVerb},
    {"suggest", "suggest INPUT", &SuggestVerb},
    {"run", "run [--dry-run] INPUT", &RunVerb},
    {"autostart", "autostart on|off", &AutostartVerb},
    {"openwith", "openwith on|off", &OpenWithVerb},
    {"clipboard", "clipboard list | clipboard clear", &ClipboardVerb},
    {"text", "text regex RULES (standard input) | text keys TEXT", &TextVerb},
};

void PrintUsage(QTextStream& s) {
    s << "usage: vantrelo-cli [--data DIR] VERB ...\n";
    for (const TCliVerb& v : kVerbs)
        s << "  " << v.usage << "\n";
}

QString ExeFolder() {
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return WithSlash(dir);
}

} // namespace

TCliContext::TCliContext(TPlaces places, QTextStream& o, QTextStream& e, TInstanceChannel* channel)
    : out(o), err(e), store_(std::move(places)), channel_(channel) {}

bool TCliContext::Load(bool forWriting) {
    if (loaded_)
        return true;
    if (forWriting)
        writing_.emplace(store_);
    const TPlaces& p = store_.Places();
    if (!QFileInfo::exists(p.SettingsFile()) && QFileInfo::exists(p.BackupFile())) {
        err << "vantrelo.ini is missing but a backup exists: " << p.BackupFile() << "\n"
            << "Start vantrelo to restore it, or copy it to " << p.SettingsFile() << ".\n";
        if (forWriting)
            return false;
    }
    const TLoadResult r = store_.ReadSettings(data_, nullptr);
    if (r.state == TLoadState::ReadFailed) {
        err << r.error << "\n";
        return false;
    }
    loaded_ = true;
    return true;
}

bool TCliContext::Save() {
    const TSaveResult r = store_.WriteSettings(data_);
    if (!r) {
        err << r.error << "\n";
        return false;
    }
    return true;
}

bool TCliContext::Change(const TStoreChange& requested) {
    if (!Load(true))
        return false;
    TStoreChange change = requested;
    change.dataFolder = Places().dataFolder;
    QString why;
    if (!ApplyStoreChange(data_, change, &why)) {
        err << why << "\n";
        return false;
    }
    // Still under the writers' lock: a launcher that starts now reads the file after our save.
    if (!LauncherRuns(Places()))
        return Save();
    // The launcher saves the change itself under the same lock: let it have it.
    writing_.reset();
    std::unique_ptr<TInstanceChannel> own;
    TInstanceChannel* channel = channel_;
    if (!channel) {
        QString error;
        const QString folder = InstanceRuntimeFolder(&error);
        if (folder.isEmpty()) {
            err << error << "\n";
            return false;
        }
        own = std::make_unique<TLocalInstanceChannel>(folder);
        channel = own.get();
    }
    QString error;
    if (!channel->Send({{TInstanceMessageKind::StoreChange, EncodeStoreChange(change), {}}}, &error)) {
        err << "Vantrelo is running but did not take the change: " << error << "\n";
        return false;
    }
    out << "Vantrelo is running: the change was handed to it, and it saves it.\n";
    return true;
}

int RunCli(const QStringList& argsIn, QTextStream& out, QTextStream& err, TInstanceChannel* channel) {
    QStringList args = argsIn;
    QString dataDir;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--data") && !args.isEmpty()) {
            dataDir = args.takeFirst();
        } else if (opt == QLatin1String("--help")) {
            PrintUsage(out);
            return kOk;
        } else {
            err << "unknown option: " << opt << "\n";
            PrintUsage(err);
            return kUsage;
        }
    }
    if (args.isEmpty()) {
        PrintUsage(err);
        return kUsage;
    }
    const QString verb = args.takeFirst();
    for (const TCliVerb& v : kVerbs) {
        if (verb != QLatin1String(v.name))
            continue;
        TPlaces places;
        const QString exe = ExeFolder();
        if (dataDir.isEmpty()) {
            places.dataFolder = ResolveDataFolder(exe);
        } else {
            if (!MakePrivateFolder(dataDir, false)) {
                err << "cannot use the data folder " << dataDir << "\n";
                return kFailed;
            }
            places.dataFolder = WithSlash(QFileInfo(dataDir).absoluteFilePath());
        }
        places.programFolder = ResolveProgramFolder(exe);
        TCliContext ctx(places, out, err, channel);
        return v.run(ctx, args);
    }
    err << "unknown verb: " << verb << "\n";
    PrintUsage(err);
    return kUsage;
}

} // namespace vantrelo::cli
