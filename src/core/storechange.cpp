// Store changes: a versioned line-per-field text, one apply routine for the tool and the launcher.
#include "core/storechange.h"

#include "core/inifile.h"
#include "core/keywordexchange.h"
#include "core/text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vantrelo {

namespace {

const QString kVersionLine = QStringLiteral("storechange 1");

struct TKindName {
    TStoreChange::TKind kind;
    const char* name;
    qsizetype minArgs, maxArgs;
};
constexpr TKindName kKinds[] = {{TStoreChange::TKind::SetSetting, "set", 2, 2},
                                {TStoreChange::TKind::AddKeyword, "add", 2, 3},
                                {TStoreChange::TKind::RemoveKeyword, "remove", 1, 1},
                                {TStoreChange::TKind::SetHotkey, "hotkey", 3, 3},
                                {TStoreChange::TKind::ImportKeywords, "import", 2, 2},
                                {TStoreChange::TKind::AddNote, "note", 1, 1}};

const TKindName& NameOf(TStoreChange::TKind kind) {
    for (const TKindName& k : kKinds)
        if (k.kind == kind)
            return k;
    return kKinds[0];
}

bool Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return false;
}

bool ToInt(const QString& text, int& value) { return TMemIniFile::ParseInteger(text, value); }

bool ImportChange(TUserData& data, const QString& mode, const QString& text, QString* error) {
    if (mode != QLatin1String("replace") && mode != QLatin1String("skip") && !mode.isEmpty())
        return Fail(error, QStringLiteral("malformed change"));
    TImportFile file = ParseExportFile(text.toUtf8());
    if (file.words.empty())
        return Fail(error, QStringLiteral("no keywords in the file"));
    QStringList conflicts;
    const TKeywordNameSet existing(data.keywords);
    for (const auto& w : file.words)
        if (existing.Contains(w->keywords))
            conflicts << w->keywords;
    std::vector<std::unique_ptr<TExeWord>> chosen = file.words.TakeAll();
    if (mode.isEmpty() && !conflicts.isEmpty())
        return Fail(error, QStringLiteral("already exists: %1; nothing was imported (--replace or --skip decides)")
                               .arg(conflicts.join(QStringLiteral(", "))));
    const TConflictAnswer answer = mode == QLatin1String("replace") ? TConflictAnswer::YesToAll : TConflictAnswer::NoToAll;
    MergeKeywords(data.keywords, std::move(chosen), [answer](const TExeWord&, const TExeWord&) { return answer; });
    data.tags.Build(data.keywords);
    return true;
}

} // namespace

QString EncodeStoreChange(const TStoreChange& change) {
    // Every field on a line of its own; line breaks inside take the files' own encoding.
    QStringList lines{kVersionLine, EncodeMultiLine(change.dataFolder), QLatin1String(NameOf(change.kind).name)};
    for (const QString& a : change.args)
        lines << EncodeMultiLine(a);
    return lines.join(u'\n');
}

bool DecodeStoreChange(const QString& text, TStoreChange& change) {
    const QStringList lines = text.split(u'\n');
    if (lines.size() < 3 || lines.at(0) != kVersionLine)
        return false;
    for (const TKindName& k : kKinds) {
        if (lines.at(2) != QLatin1String(k.name))
            continue;
        const qsizetype n = lines.size() - 3;
        if (n < k.minArgs || n > k.maxArgs)
            return false;
        change.kind = k.kind;
        change.dataFolder = ReadMultiLine(lines.at(1));
        change.args.clear();
        for (qsizetype i = 3; i < lines.size(); ++i)
            change.args << ReadMultiLine(lines.at(i));
        return true;
    }
    return false;
}

bool ApplyStoreChange(TUserData& data, const TStoreChange& change, QString* error) {
    const QStringList& a = change.args;
    const TKindName& k = NameOf(change.kind);
    if (a.size() < k.minArgs || a.size() > k.maxArgs)
        return Fail(error, QStringLiteral("malformed change"));
    TKeywordList& list = data.keywords;
    switch (change.kind) {
    case TStoreChange::TKind::SetSetting: {
        const TSettingDef* def = FindSetting(a.at(0));
        if (!def)
            return Fail(error, QStringLiteral("unknown setting: ") + a.at(0));
        QString why;
        TSettings s = data.settings;
        if (!SetSettingText(s, *def, a.at(1), &why))
            return Fail(error, why);
        data.settings = s;
        return true;
    }
    case TStoreChange::TKind::AddKeyword: {
        const QString names = TrimText(a.at(0));
        if (names.isEmpty() || HasLineBreak(names) || HasLineBreak(a.at(1)) || HasLineBreak(a.value(2)))
            return Fail(error, QStringLiteral("a keyword needs a name, and no field may hold a line break"));
        for (const QString& name : names.split(u','))
            if (list.FindKeyword(name, false))
                return Fail(error, QStringLiteral("keyword already exists: ") + name);
        list.Add(MakeNewKeyword(names, a.at(1), a.value(2)));
        data.tags.Build(list);
        return true;
    }
    case TStoreChange::TKind::RemoveKeyword: {
        const qsizetype i = list.IndexOf(list.FindKeyword(a.at(0), false));
        if (i < 0)
            return Fail(error, QStringLiteral("no keyword named: ") + a.at(0));
        list.Remove(i);
        data.tags.Build(list);
        return true;
    }
    case TStoreChange::TKind::SetHotkey: {
        TExeWord* word = list.FindKeyword(a.at(0), false);
        int key = 0;
        int keymod = 0;
        if (!ToInt(a.at(1), key) || !ToInt(a.at(2), keymod))
            return Fail(error, QStringLiteral("malformed hotkey"));
        if (!word)
            return Fail(error, QStringLiteral("no keyword named: ") + a.at(0));
        word->key = key;
        word->keymod = keymod;
        return true;
    }
    case TStoreChange::TKind::ImportKeywords:
        return ImportChange(data, a.at(0), a.at(1), error);
    case TStoreChange::TKind::AddNote:
        return true; // the notes are not part of vantrelo.ini
    }
    return Fail(error, QStringLiteral("malformed change"));
}

QString RealDataFolder(const QString& folder) {
    const QFileInfo info(folder);
    QString real = info.canonicalFilePath();
    if (real.isEmpty())
        real = QDir::cleanPath(info.absoluteFilePath());
    return real.endsWith(u'/') ? real : real + u'/';
}

QString LauncherLockFile(const TPlaces& places) { return RealDataFolder(places.dataFolder) + QLatin1String("vantrelo.run.lock"); }

bool LauncherRuns(const TPlaces& places) {
    // Opened for reading and never created: a launcher always has made its lock file, and a
    // read-only folder (where none can be made) has no launcher.
    const int fd = ::open(QFile::encodeName(LauncherLockFile(places)).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    int rc;
    do
        rc = ::flock(fd, LOCK_SH | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    const bool held = rc != 0 && errno == EWOULDBLOCK;
    ::close(fd); // releases the probe's own shared lock
    return held;
}

QString EncodeChangeAnswer(const TChangeAnswer& answer) {
    const char* word = answer.outcome == TChangeOutcome::Done     ? "done"
                       : answer.outcome == TChangeOutcome::Refused ? "refused"
                                                                   : "failed";
    return QLatin1String(word) + u'\n' + answer.text;
}

std::optional<TChangeAnswer> DecodeChangeAnswer(const QString& text) {
    const qsizetype nl = text.indexOf(u'\n');
    const QString word = nl < 0 ? text : text.left(nl);
    TChangeAnswer a;
    a.text = nl < 0 ? QString() : text.mid(nl + 1);
    if (word == QLatin1String("done"))
        a.outcome = TChangeOutcome::Done;
    else if (word == QLatin1String("refused"))
        a.outcome = TChangeOutcome::Refused;
    else if (word == QLatin1String("failed"))
        a.outcome = TChangeOutcome::Failed;
    else
        return std::nullopt;
    return a;
}

TStoreChangeHandler::TStoreChangeHandler(TSettingsStore& store, TUserData& data)
    : store_(store), data_(data), running_(LauncherLockFile(store.Places())) {
    running_.Lock();
}

TSaveResult TStoreChangeHandler::Apply(const QString& messageText) {
    TStoreChange change;
    if (!DecodeStoreChange(messageText, change))
        return {false, QStringLiteral("A change from vantrelo-cli could not be read.")};
    if (RealDataFolder(change.dataFolder) != RealDataFolder(store_.Places().dataFolder))
        return {false, QStringLiteral("A change from vantrelo-cli was meant for another data folder (%1); this Vantrelo uses %2.")
                           .arg(change.dataFolder, RealDataFolder(store_.Places().dataFolder))};
    if (change.kind == TStoreChange::TKind::AddNote) {
        if (!noteWriter_)
            return {false, QStringLiteral("A line for the notes from vantrelo-cli cannot be taken now.")};
        return noteWriter_(change.args.value(0));
    }
    QString why;
    if (!ApplyStoreChange(data_, change, &why))
        return {false, QStringLiteral("A change from vantrelo-cli was not applied: %1.").arg(why)};
    TSaveResult r = store_.WriteSettings(data_);
    if (!r)
        r.error = QStringLiteral("The running Vantrelo took the change but could not save it (it tries again at its next "
                                 "save): %1").arg(r.error);
    return r;
}

TChangeAnswer TStoreChangeHandler::Answer(const QString& messageText) {
    const TSaveResult r = Apply(messageText);
    return r ? TChangeAnswer{TChangeOutcome::Done, QString()} : TChangeAnswer{TChangeOutcome::Failed, r.error};
}

} // namespace vantrelo
