// Verbs over vantrelo.ini: settings, keywords and history.
#include "cli/cli.h"

#include "core/autostart.h"
#include "core/keywordlist.h"
#include "core/text.h"
#include "platform/hotkeys/hotkeytext.h"
#include "ui/settings/deadscan.h"
#include "ui/settings/keywordfilter.h"
#include "commands/expand.h"
#include "exec/substitution.h"
#include "exec/systemservices.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextStream>

namespace vantrelo::cli {

namespace {

// A command text as a run would prepare it: variables expanded, default blocks without parameters.
std::function<QString(const QString&)> ScanExpand() {
    return [](const QString& command) {
        static const TSystemEnvironment env;
        const QString folder = QCoreApplication::applicationDirPath() + u'/';
        return ApplyDefaultBlocks(ExpandCommandText(command, true, env, folder), QString());
    };
}

bool PathExists(const QString& path) { return QFileInfo::exists(path); }

int Usage(TCliContext& ctx, const char* usage) {
    ctx.err << "usage: vantrelo-cli [--data DIR] " << usage << "\n";
    return kUsage;
}

} // namespace

int SettingsVerb(TCliContext& ctx, const QStringList& args) {
    const QString sub = args.value(0);
    if (sub == QLatin1String("list") && args.size() == 1) {
        if (!ctx.Load(false))
            return kFailed;
        for (const TSettingDef& d : SettingsTable())
            ctx.out << d.key << "=" << SettingText(ctx.Data().settings, d) << "\n";
        return kOk;
    }
    if (sub == QLatin1String("get") && args.size() == 2) {
        const TSettingDef* def = FindSetting(args.at(1));
        if (!def) {
            ctx.err << "unknown setting: " << args.at(1) << "\n";
            return kFailed;
        }
        if (!ctx.Load(false))
            return kFailed;
        ctx.out << SettingText(ctx.Data().settings, *def) << "\n";
        return kOk;
    }
    if (sub == QLatin1String("set") && args.size() == 3) {
        if (!FindSetting(args.at(1))) {
            ctx.err << "unknown setting: " << args.at(1) << "\n";
            return kFailed;
        }
        if (!ctx.Change({TStoreChange::TKind::SetSetting, {args.at(1), args.at(2)}, {}}))
            return kFailed;
        // Lowering the limit drops the oldest entries at the save: said, never silent.
        const qsizetype held = ctx.Data().history.size();
        const int kept = ctx.Data().settings.maxhistory;
        if (SameText(args.at(1), QStringLiteral("maxhistory")) && held > kept)
            ctx.out << "The history held " << held << " entries; the oldest " << (held - kept)
                    << " are dropped, the newest " << kept << " kept.\n";
        return kOk;
    }
    return Usage(ctx, "settings get KEY | settings set KEY VALUE | settings list");
}

int KeywordsVerb(TCliContext& ctx, const QStringList& args) {
    const QString sub = args.value(0);
    const bool filtered = args.size() == 3 && args.at(1) == QLatin1String("--filter");
    if (sub == QLatin1String("list") && (args.size() == 1 || filtered)) {
        if (!ctx.Load(false))
            return kFailed;
        const TKeywordList& words = ctx.Data().keywords;
        // The rows the keyword editor shows for the filter, in its order.
        for (const qsizetype i : FilterKeywords(words, filtered ? args.at(2) : QString()))
            ctx.out << words.at(i).keywords << "\t" << words.at(i).command << "\n";
        return kOk;
    }
    if (sub == QLatin1String("check") && args.size() == 1) {
        if (!ctx.Load(false))
            return kFailed;
        // The editor's scan: findings are the answer, not a failure.
        const TKeywordList& words = ctx.Data().keywords;
        for (const TDeadKeyword& d : FindDeadKeywords(words, ctx.Data().settings.separator, ScanExpand(), PathExists))
            ctx.out << words.at(d.position).keywords << "\t" << d.reason << "\n";
        return kOk;
    }
    if (sub == QLatin1String("add") && (args.size() == 3 || args.size() == 4))
        return ctx.Change({TStoreChange::TKind::AddKeyword, args.mid(1), {}}) ? kOk : kFailed;
    if (sub == QLatin1String("remove") && args.size() == 2)
        return ctx.Change({TStoreChange::TKind::RemoveKeyword, {args.at(1)}, {}}) ? kOk : kFailed;
    if (sub == QLatin1String("hotkey") && args.size() == 3) {
        int key = -1;
        int keymod = 0;
        if (!ParseHotkeyText(args.at(2), key, keymod)) {
            ctx.err << "not a hotkey: " << args.at(2) << " (for example CTRL+ALT+T, WIN+F5 or None)\n";
            return kFailed;
        }
        if (!ctx.Change({TStoreChange::TKind::SetHotkey, {args.at(1), QString::number(key), QString::number(keymod)}, {}}))
            return kFailed;
        const TExeWord* word = ctx.Data().keywords.FindKeyword(args.at(1), false);
        ctx.out << (word ? word->keywords : args.at(1)) << "\t" << HotkeyText(key, keymod) << "\n";
        return kOk;
    }
    if (sub == QLatin1String("export") || sub == QLatin1String("import")) {
        const int r = sub == QLatin1String("export") ? ExportKeywords(ctx, args.mid(1)) : ImportKeywords(ctx, args.mid(1));
        if (r >= 0)
            return r;
    }
    return Usage(ctx, "keywords list [--filter EXPR] | keywords check | keywords add NAMES COMMAND [PARAMETERS] | keywords remove NAME | "
                      "keywords hotkey NAME HOTKEY | keywords export FILE [--description TEXT] [--no-tags] "
                      "[--no-icons] [--no-hotkeys] [NAME...] | keywords import FILE|URL [--replace|--skip]");
}

int HistoryVerb(TCliContext& ctx, const QStringList& args) {
    if (args.size() != 1 || args.at(0) != QLatin1String("list"))
        return Usage(ctx, "history list");
    if (!ctx.Load(false))
        return kFailed;
    for (const THistoryEntry& e : ctx.Data().history)
        ctx.out << ReplaceLineBreaks(e.text, QStringLiteral("\\n")) << "\n";
    return kOk;
}

namespace {

// The launcher these entries start: beside this tool, else the one on PATH.
QString LauncherProgram() {
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/vantrelo");
        if (QFileInfo(beside).isExecutable())
            return beside;
    }
    const QString found = QStandardPaths::findExecutable(QStringLiteral("vantrelo"));
    return found.isEmpty() ? QStringLiteral("vantrelo") : found;
}

// "on" or "off": the setting and its desktop entry change together, as the settings box does.
int SwitchDesktopEntry(TCliContext& ctx, const QStringList& args, const char* usage, bool TSettings::*field,
                       TSaveResult (*apply)(bool, const QString&), QString (*pathOf)()) {
    const QString state = args.value(0);
    if (args.size() != 1 || (state != QLatin1String("on") && state != QLatin1String("off")))
        return Usage(ctx, usage);
    if (!ctx.Load(true))
        return kFailed;
    const bool on = state == QLatin1String("on");
    const TSaveResult r = apply(on, LauncherProgram());
    if (!r) {
        ctx.err << r.error << "\n";
        return kFailed;
    }
    ctx.Data().settings.*field = on;
    if (!ctx.Save()) {
        // The setting could not be stored: the entry goes back to how it was, so the two agree.
        apply(!on, LauncherProgram());
        return kFailed;
    }
    ctx.out << (on ? "created " : "removed ") << pathOf() << "\n";
    return kOk;
}

} // namespace

int AutostartVerb(TCliContext& ctx, const QStringList& args) {
    return SwitchDesktopEntry(ctx, args, "autostart on|off", &TSettings::autostart, &RegStartUp, &AutostartEntryPath);
}

int OpenWithVerb(TCliContext& ctx, const QStringList& args) {
    return SwitchDesktopEntry(ctx, args, "openwith on|off", &TSettings::sendtomenu, &SetOpenWithEntry, &OpenWithEntryPath);
}

} // namespace vantrelo::cli
