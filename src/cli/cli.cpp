// Parses the global options and dispatches to the verb table.
#include "cli/cli.h"

#include "core/datafolder.h"
#include "platform/linux/localinstance_linux.h"
#include "platform/startup/dashcommands.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace vantrelo::cli {

namespace {

const TCliVerb kVerbs[] = {
    {"settings", "settings get KEY | settings set KEY VALUE | settings list", &SettingsVerb,
     "read or change a setting of vantrelo.ini", "settings set hide 0"},
    {"keywords", "keywords list [--filter EXPRESSION] | keywords check | keywords add NAMES COMMAND [PARAMETERS]"
                 " | keywords remove NAME | keywords hotkey NAME KEY"
                 " | keywords export FILE [--description TEXT] [--no-tags] [--no-icons] [--no-hotkeys] [NAME...]"
                 " | keywords import FILE|URL [--replace|--skip]",
     &KeywordsVerb, "list, add or remove keywords, give one a hotkey of its own, or export and import them",
     "keywords add \"gh,github\" 'https://github.com/search?q=$U$'"},
    {"history", "history list", &HistoryVerb, "list the remembered inputs, newest first", "history list"},
    {"calc", "calc EXPRESSION", &CalcVerb, "work out an expression as the input line does", "calc '2*(3+4)'"},
    {"similarity", "similarity TEXT1 TEXT2", &SimilarityVerb, "how alike two texts are for the suggestions",
     "similarity firefox firfox"},
    {"index", "index scan | index list", &IndexVerb, "scan the indexed folders and apps, or list the index",
     "index scan"},
    {"suggest", "suggest INPUT", &SuggestVerb, "the suggestions the list would show for INPUT", "suggest fire"},
    {"run", "run [--dry-run] INPUT", &RunVerb, "execute INPUT as a typed input (--dry-run: only say what runs)",
     "run --dry-run 'g big cats'"},
    {"autostart", "autostart on|off", &AutostartVerb, "start Vantrelo at log-in, or no longer", "autostart on"},
    {"openwith", "openwith on|off", &OpenWithVerb, "offer Vantrelo in the file manager's \"Open with\"",
     "openwith on"},
    {"apps", "apps list", &AppsVerb, "list the applications of the application menu", "apps list"},
    {"windows", "windows", &WindowsVerb, "list the open windows as the list shows them (id, process, class, title)",
     "windows"},
    {"info", "info TEMPLATE", &InfoVerb, "print the information line built from TEMPLATE", "info 'memory $mused$ of $mtotal$'"},
    {"clipboard", "clipboard list | clipboard clear", &ClipboardVerb,
     "print the clipboard history (time, TAB, text), or delete it while Vantrelo is not running", "clipboard list"},
    {"notes", "notes show | notes add TEXT", &NotesVerb,
     "print the notes, or add TEXT as a new line (on top, or at the bottom with notesaddbottom)",
     "notes add 'call Anna'"},
    {"text", "text regex RULES (standard input) | text keys TEXT", &TextVerb,
     "rewrite standard input by regular-expression rules, or print the keys typing TEXT would send",
     "text keys 'Hello{ENTER}'"},
};

const char kHelpHint[] = "Try 'vantrelo-cli --help'.\n";

void PrintHelp(QTextStream& s) {
    s << "Usage: vantrelo-cli [--data DIR] VERB ...\n"
         "Works on the launcher's data folder: $XDG_CONFIG_HOME/Vantrelo/ (default ~/.config/Vantrelo/),\n"
         "or the executable's folder when a vantrelo.ini is there. A change made while Vantrelo runs is\n"
         "handed to it, and it saves the change.\n\n"
         "Verbs:\n";
    for (const TCliVerb& v : kVerbs) {
        s << "  " << v.usage << "\n";
        if (v.summary)
            s << "      " << v.summary << "\n";
        if (v.example)
            s << "      e.g. vantrelo-cli " << v.example << "\n";
    }
    s << "\nOptions:\n"
         "  --data DIR   use DIR as the data folder\n"
         "  --help       print this text\n"
         "  --version    print the version\n\n"
         "Exit status: 0 done, 1 failed, 2 bad usage.\n";
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

bool TCliContext::Change(const TStoreChange& requested, const std::function<bool()>& writeHere) {
    TStoreChange change = requested;
    change.dataFolder = RealDataFolder(Places().dataFolder);
    // A launcher that is closing refuses (its stop saves what it holds): once it has ended the
    // change is made here. A few rounds at most, should another launcher start meanwhile.
    for (int round = 0; round < 3; ++round) {
        if (!Load(true))
            return false;
        QString why;
        if (change.kind != TStoreChange::TKind::AddNote && !ApplyStoreChange(data_, change, &why)) {
            err << why << "\n";
            return false;
        }
        // Still under the writers' lock: a launcher that starts now reads the file after our save.
        if (!LauncherRuns(Places()))
            return writeHere ? writeHere() : Save();
        // The launcher saves the change itself under the same lock: let it have it.
        writing_.reset();
        QString answerText, error;
        const bool answered =
            Ask({TInstanceMessageKind::StoreChange, EncodeStoreChange(change), {}}, kAnswerTimeoutMs, &answerText, &error);
        const std::optional<TChangeAnswer> answer = answered ? DecodeChangeAnswer(answerText) : std::nullopt;
        if (answer && answer->outcome == TChangeOutcome::Done) {
            out << "Vantrelo is running: the change was handed to it, and it saved it.\n";
            return true;
        }
        if (answer && answer->outcome == TChangeOutcome::Failed) {
            err << "Vantrelo is running and did not take the change: " << answer->text << "\n";
            return false;
        }
        if (answered && !answer) {
            err << "Vantrelo is running but its answer could not be read: " << answerText << "\n";
            return false;
        }
        // Refused (closing), unreachable or silent: the change is ours once that launcher has ended.
        if (!WaitForLauncherEnd(kAnswerTimeoutMs)) {
            err << "Vantrelo is running but did not take the change: "
                << (answer ? answer->text : error) << "\n";
            return false;
        }
        out << "Vantrelo was closing: the change is written here.\n";
        loaded_ = false;
        data_ = TUserData();
    }
    err << "Vantrelo kept starting and closing; the change was not made.\n";
    return false;
}

bool TCliContext::WaitForLauncherEnd(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (LauncherRuns(Places())) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

// The channel given to the tool, or one of its own to the user's launcher (kept in `own`).
TInstanceChannel* TCliContext::Channel(std::unique_ptr<TInstanceChannel>& own, QString* error) {
    if (channel_)
        return channel_;
    const QString folder = InstanceRuntimeFolder(error);
    if (folder.isEmpty())
        return nullptr;
    own = std::make_unique<TLocalInstanceChannel>(folder);
    return own.get();
}

bool TCliContext::Ask(const TInstanceMessage& message, int timeoutMs, QString* answer, QString* error) {
    std::unique_ptr<TInstanceChannel> own;
    TInstanceChannel* channel = Channel(own, error);
    return channel && channel->Ask(message, timeoutMs, answer, error);
}

bool TCliContext::Hand(const TInstanceMessage& message, QString* error) {
    std::unique_ptr<TInstanceChannel> own;
    TInstanceChannel* channel = Channel(own, error);
    return channel && channel->Send({message}, error);
}

int RunCli(const QStringList& argsIn, QTextStream& out, QTextStream& err, TInstanceChannel* channel) {
    QStringList args = argsIn;
    QString dataDir;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (opt == QLatin1String("--data") && !args.isEmpty()) {
            dataDir = args.takeFirst();
        } else if (opt == QLatin1String("--help")) {
            PrintHelp(out);
            return kOk;
        } else if (opt == QLatin1String("--version")) {
            out << "vantrelo-cli " << BuiltProgramInfo({}).version << "\n";
            return kOk;
        } else {
            err << (opt == QLatin1String("--data") ? "--data needs a folder" : "unknown option: " + opt) << "\n"
                << kHelpHint;
            return kUsage;
        }
    }
    if (args.isEmpty()) {
        err << "no verb given\n" << kHelpHint;
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
            // Used as it is (the user chose it), but not without a word when others may read it.
            if (const QFileInfo info(dataDir); info.permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther |
                                                                      QFileDevice::ReadGroup | QFileDevice::WriteGroup))
                err << "warning: the data folder " << dataDir << " is open to other users (chmod 700 makes it private)\n";
            places.dataFolder = WithSlash(QFileInfo(dataDir).absoluteFilePath());
        }
        places.programFolder = ResolveProgramFolder(exe);
        TCliContext ctx(places, out, err, channel);
        const int rc = v.run(ctx, args);
        if (rc == kUsage)
            err << kHelpHint;
        return rc;
    }
    err << "unknown verb: " << verb << "\n" << kHelpHint;
    return kUsage;
}

} // namespace vantrelo::cli
