// Verbs that move keywords between installations (export files) and list the applications an import would offer.
#include "cli/cli.h"

#include "core/keywordexchange.h"
#include "core/items.h"
#include "core/text.h"
#include "index/appimport.h"
#include "index/desktopentry.h"
#include "index/storeapps.h"
#include "platform/linux/netfetcher_linux.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

namespace vantrelo::cli {

namespace {

// What one instance message may carry of an export file, with room for the rest of the change.
constexpr qsizetype kHandOverMaxBytes = 900 * 1024;

bool IsWebAddress(const QString& s) {
    const QString scheme = QUrl(s).scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// The file's bytes, or the download's; false with the reason printed.
bool ReadSource(TCliContext& ctx, const QString& source, QByteArray& bytes) {
    if (!IsWebAddress(source)) {
        QFile f(source);
        if (!f.open(QIODevice::ReadOnly)) {
            ctx.err << "Could not read \"" << source << "\": " << f.errorString() << "\n";
            return false;
        }
        bytes = f.readAll();
        return true;
    }
    TNetUrlFetcher fetcher;
    QEventLoop loop;
    TFetchResult result;
    fetcher.Fetch(source, kImportTimeoutMs, kImportMaxBytes, [&](const TFetchResult& r) {
        result = r;
        loop.quit();
    });
    loop.exec();
    if (!result.ok) {
        ctx.err << "Could not download " << source << " (" << result.error << ")\n";
        return false;
    }
    // Keywords are replaced by what arrives: an answer that does not say where it ends could be
    // cut short without anyone knowing.
    if (!result.sized) {
        ctx.err << "Could not download " << source
                << " (the server did not say how long the answer is, so a cut-off file cannot be told from a whole one)\n";
        return false;
    }
    bytes = result.body;
    return true;
}

} // namespace

int ExportKeywords(TCliContext& ctx, const QStringList& args) {
    TExportOptions options;
    QString file;
    QStringList names;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--description") && i + 1 < args.size())
            options.description = args.at(++i);
        else if (a == QLatin1String("--no-tags"))
            options.noTags = true;
        else if (a == QLatin1String("--no-icons"))
            options.noIcons = true;
        else if (a == QLatin1String("--no-hotkeys"))
            options.noHotkeys = true;
        else if (a.startsWith(QLatin1String("--")) || (file.isEmpty() && a.isEmpty()))
            return -1;
        else if (file.isEmpty())
            file = a;
        else
            names << a;
    }
    if (file.isEmpty())
        return -1;
    if (!ctx.Load(false))
        return kFailed;
    std::vector<const TExeWord*> words;
    const TKeywordList& list = ctx.Data().keywords;
    if (names.isEmpty()) {
        for (const auto& w : list)
            words.push_back(w.get());
    }
    for (const QString& name : names) {
        const TExeWord* w = list.FindKeyword(name, false);
        if (!w) {
            ctx.err << "no keyword named: " << name << "\n";
            return kFailed;
        }
        words.push_back(w);
    }
    if (const TSaveResult r = WriteExportFile(file, words, options); !r) {
        ctx.err << r.error << "\n";
        return kFailed;
    }
    ctx.out << "Exported " << words.size() << " keywords.\n";
    return kOk;
}

int ImportKeywords(TCliContext& ctx, const QStringList& args) {
    QString source;
    QString mode;
    for (const QString& a : args) {
        if (a == QLatin1String("--replace") || a == QLatin1String("--skip")) {
            if (!mode.isEmpty())
                return -1;
            mode = a.mid(2);
        } else if (a.startsWith(QLatin1String("--")) || !source.isEmpty()) {
            return -1;
        } else {
            source = a;
        }
    }
    if (source.isEmpty())
        return -1;
    QByteArray bytes;
    if (!ReadSource(ctx, source, bytes))
        return kFailed;
    const TImportFile file = ParseExportFile(bytes);
    if (file.words.empty()) {
        ctx.err << "No keywords in " << source << "\n";
        return kFailed;
    }
    // What the merge will do, counted on the file as it is now (the change is checked against it).
    if (!ctx.Load(false))
        return kFailed;
    // Counted are the keywords that change: new ones, and with --replace those that differ.
    int merged = 0;
    const TKeywordNameIndex existing(ctx.Data().keywords);
    for (const auto& w : file.words) {
        const TExeWord* e = existing.Find(w->keywords);
        if (!e || (mode == QLatin1String("replace") && !SameRecord(*e, *w)))
            ++merged;
    }
    const QString text = DecodeFileText(bytes);
    if (text.toUtf8().size() > kHandOverMaxBytes) {
        ctx.err << "The file is too large to import at once (more than " << kHandOverMaxBytes / 1024 << " KB).\n";
        return kFailed;
    }
    if (!ctx.Change({TStoreChange::TKind::ImportKeywords, {mode, text}, {}}))
        return kFailed;
    ctx.out << "Imported " << merged << " keywords.\n";
    return kOk;
}

int AppsVerb(TCliContext& ctx, const QStringList& args) {
    if (args != QStringList{QStringLiteral("list")}) {
        ctx.err << "usage: vantrelo-cli [--data DIR] apps list\n";
        return kUsage;
    }
    // Store apps get their shortcuts in a folder of this run only: listing changes nothing.
    QTemporaryDir scratch;
    const TImportContext ic = SessionImportContext(ctx.Places().dataFolder, scratch.path() + QStringLiteral("/Apps/"));
    const TStoreAppsRequest apps = SessionAppsRequest(ic.appsFolder);
    const QString locale = ic.locale;
    for (const auto& w : ImportableApplications(ic, &apps)) {
        QString target = w->command;
        // A store app runs through its shortcut: show what the shortcut starts.
        if (target.startsWith(ic.appsFolder))
            target = ReadDesktopEntry(target, locale).exec;
        if (!w->parameters.isEmpty())
            target += u' ' + w->parameters;
        ctx.out << w->keywords << "\t" << target << "\n";
    }
    return kOk;
}

} // namespace vantrelo::cli
