// Export files are section files like vantrelo.ini: the same engine writes and reads them.
#include "core/keywordexchange.h"

#include "core/inifile.h"
#include "core/items.h"
#include "core/keywordfile.h"
#include "core/text.h"

#include <QFile>
#include <QFileInfo>

namespace vantrelo {
namespace {

const QString kMain = QStringLiteral("main");
const QString kDescription = QStringLiteral("description");

bool TalksToBrowser(const TExeWord& w) {
    return w.command.contains(QLatin1String("$BCLICK$"), Qt::CaseInsensitive) ||
           w.command.contains(QLatin1String("$BCONNECT$"), Qt::CaseInsensitive);
}

QString Quoted(const QString& s) { return u'"' + s + u'"'; }


} // namespace

bool SameRecord(const TExeWord& a, const TExeWord& b) {
    return a.keywords == b.keywords && a.command == b.command && a.path == b.path && a.parameters == b.parameters &&
           a.open == b.open && a.comment == b.comment && a.runas == b.runas && a.addtohistory == b.addtohistory &&
           a.key == b.key && a.keymod == b.keymod && a.group == b.group && a.iconpath == b.iconpath &&
           a.iconidx == b.iconidx && a.onlyone == b.onlyone && a.disabled == b.disabled;
}

QByteArray FormatExportFile(const std::vector<const TExeWord*>& words, const TExportOptions& options) {
    TMemIniFile ini;
    ini.WriteString(kMain, kDescription, options.description);
    TKeywordList list;
    for (const TExeWord* w : words)
        list.Add(std::make_unique<TExeWord>(*w));
    TWriteWordsOptions write;
    write.isExport = true;
    write.includeTags = !options.noTags;
    write.includeHotkeys = !options.noHotkeys;
    write.includeIcons = !options.noIcons;
    WriteWords(ini, list, write);
    ini.MyFlattenSections();
    return EncodeUtf8Bom(JoinCrLf(ini.GetStrings()));
}

TSaveResult WriteExportFile(const QString& file, const std::vector<const TExeWord*>& words,
                            const TExportOptions& options) {
    // Keywords hold the user's commands, addresses and paths: private like the data folder's
    // files (the user can open it up to hand it on).
    return SaveFileAtomic(file, FormatExportFile(words, options), {}, TFileAccess::Private);
}

TImportFile ParseExportFile(const QByteArray& bytes) {
    TImportFile r;
    TMemIniFile ini;
    ini.SetStrings(SplitLines(DecodeFileText(bytes)));
    r.description = ini.ReadString(kMain, kDescription, QString());
    ReadWords(ini, r.words, true);
    return r;
}

TImportFile ReadExportFile(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        TImportFile r;
        r.error = QStringLiteral("Could not read \"%1\": %2").arg(file, f.errorString());
        return r;
    }
    return ParseExportFile(f.readAll());
}

std::vector<TImportRow> ImportRows(const TKeywordList& candidates, const TKeywordList& current) {
    return ImportRows(candidates, TKeywordNameSet(current));
}

std::vector<TImportRow> ImportRows(const TKeywordList& candidates, const TKeywordNameSet& current) {
    std::vector<TImportRow> rows;
    rows.reserve(size_t(candidates.size()));
    for (const auto& w : candidates) {
        TImportRow row;
        const QString mark = TalksToBrowser(*w) ? QStringLiteral("@ ") : QString();
        row.existing = current.Contains(w->keywords);
        row.checked = !row.existing;
        row.text = (row.existing ? QStringLiteral("* ") : QString()) + mark + w->keywords;
        row.comment = w->comment;
        rows.push_back(std::move(row));
    }
    return rows;
}

QString ConflictQuestion(const TExeWord& imported, const TExeWord& existing) {
    const QString head =
        imported.keywords == existing.keywords
            ? QStringLiteral("A keyword named %1 already exists. Replace it?").arg(Quoted(existing.keywords))
            : QStringLiteral("The keyword %1 that you're importing already exists as %2. Replace it?")
                  .arg(Quoted(imported.keywords), Quoted(existing.keywords));
    return head + QStringLiteral("\n\n") + Quoted(QStringLiteral("Yes")) +
           QStringLiteral(" Will replace the existing keyword with the imported keyword.\n") +
           Quoted(QStringLiteral("No")) + QStringLiteral(" will not import the keyword.\n") +
           Quoted(QStringLiteral("Ignore")) +
           QStringLiteral(" will add the imported keyword with the same name (as a duplicate).");
}

TMergeResult MergeKeywords(TKeywordList& into, std::vector<std::unique_ptr<TExeWord>> chosen, const TConflictAsk& ask,
                           TKeywordMergeHost* host) {
    TMergeResult r;
    bool noToAll = false;
    bool yesToAll = false;
    TKeywordNameIndex names(into); // one hash lookup per record, kept up to date below
    for (auto& word : chosen) {
        TExeWord* existing = names.Find(word->keywords);
        TConflictAnswer answer = TConflictAnswer::Ignore;
        if (existing) {
            if (noToAll)
                answer = TConflictAnswer::No;
            else if (yesToAll)
                answer = TConflictAnswer::Yes;
            else
                answer = ask ? ask(*word, *existing) : TConflictAnswer::No;
            noToAll = answer == TConflictAnswer::NoToAll;
            yesToAll = answer == TConflictAnswer::YesToAll;
        }
        switch (answer) {
        case TConflictAnswer::No:
        case TConflictAnswer::NoToAll:
            ++r.skipped;
            break;
        case TConflictAnswer::Ignore: {
            if (host)
                host->Prepare(*word);
            TExeWord& added = into.Add(std::move(word));
            names.Added(&added);
            if (host)
                host->AddHotkey(added);
            ++r.added;
            break;
        }
        case TConflictAnswer::Yes:
        case TConflictAnswer::YesToAll:
            if (SameRecord(*existing, *word)) {
                ++r.unchanged; // nothing to take over: not counted as imported
                break;
            }
            if (host) {
                host->Prepare(*word);
                host->RemoveHotkey(*existing);
            }
            // Every field is taken over; the keyword keeps its place in the list.
            {
                const QString oldNames = existing->keywords;
                existing->Clone(*word);
                names.Renamed(existing, oldNames);
            }
            if (host)
                host->AddHotkey(*existing);
            r.changed << existing->keywords;
            ++r.replaced;
            break;
        }
    }
    return r;
}

} // namespace vantrelo
