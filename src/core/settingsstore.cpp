// vantrelo.ini as a whole: rescue, migration, first start, and the atomic rebuild on every save.
#include "core/settingsstore.h"

#include "core/inifile.h"
#include "core/keywordfile.h"

#include <QFileInfo>

#include <algorithm>

namespace vantrelo {

QString RescueCaption() { return QStringLiteral("Vantrelo settings file problem"); }

QString RescueText(const QString& backupPath) {
    return QStringLiteral("Now this is a bit odd.. Vantrelo could not locate the settings file \"vantrelo.ini\". "
                          "This means all previous settings/keywords/history will be lost.\r\n"
                          "However a backup was found at the following location, should your vantrelo.ini have "
                          "been accidently deleted or corrupted: \r\n\r\n") +
           backupPath +
           QStringLiteral("\r\n\r\nClick \"Restore\" to restore backup.\r\n"
                          "Click \"Ignore\" to continue (with default settings).\r\n"
                          "Click \"Open folder\" to open folder with backup and exit Vantrelo.");
}

TSettingsStore::THold::THold(TSettingsStore& store) : store_(store) {
    // Without a lock file (a read-only folder) reading still works and a save fails on its own.
    if (store_.holds_++ == 0)
        store_.lock_->Lock();
}

TSettingsStore::THold::~THold() {
    if (--store_.holds_ == 0)
        store_.lock_->Unlock();
}

TLoadResult TSettingsStore::ReadSettings(TUserData& data, TRescuePrompt* prompt, bool onlysetup) {
    const THold hold(*this);
    if (!onlysetup)
        RemoveStaleSaveFiles(places_.dataFolder); // left by saves that were killed
    TLoadResult result;
    const QString file = places_.SettingsFile();
    const QString backup = places_.BackupFile();

    if (QFileInfo::exists(file)) {
        result.state = TLoadState::Loaded;
    } else if (QFileInfo::exists(backup) && !onlysetup) {
        const TRescueChoice choice =
            prompt ? prompt->AskRescue(RescueCaption(), RescueText(backup)) : TRescueChoice::Ignore;
        if (choice == TRescueChoice::OpenFolder) {
            result.state = state_ = TLoadState::Quit;
            return result;
        }
        if (choice == TRescueChoice::Restore) {
            const TSaveResult copied = CopyFileAtomic(backup, file);
            result.state = copied ? TLoadState::Restored : TLoadState::Ignored;
            result.error = copied.error;
        } else {
            result.state = TLoadState::Ignored;
        }
    } else {
        result.state = TLoadState::FirstStart;
    }

    const bool fromFile = result.state == TLoadState::Loaded || result.state == TLoadState::Restored;
    TMemIniFile ini(fromFile ? file : QString());
    if (!ini.LoadError().isEmpty()) {
        result.state = TLoadState::ReadFailed;
        result.error = ini.LoadError();
    }

    TSetupReadInfo info{places_.programFolder, 0};
    if (!onlysetup) {
        result.version = ini.ReadInteger(QStringLiteral("Setup"), QStringLiteral("version"), 0);
        if (fromFile && result.state != TLoadState::ReadFailed && result.version < 20000)
            result.migrated = bool(MigrationBackup(places_, QString::number(kSettingsVersion)));
        data.keywords.Clear();
        data.history.Clear();
        if (result.NewInstallation()) {
            TMemIniFile defaults(places_.programFolder + QLatin1String("default.exc"));
            ReadWords(defaults, data.keywords, false);
        }
        ReadWords(ini, data.keywords, false); // takes the keyword sections out of `ini`
        data.history.Read(ini);
        data.tags.Build(data.keywords);
        unknown_.clear();
        for (const QString& name : ini.ReadSections())
            if (name.compare(QLatin1String("Setup"), Qt::CaseInsensitive) != 0 &&
                name.compare(QLatin1String("History"), Qt::CaseInsensitive) != 0 &&
                std::none_of(unknown_.begin(), unknown_.end(), [&](const TUnknownSection& u) { return u.name == name; }))
                unknown_.push_back({name, ini.ReadSectionValues(name)});
    }
    ReadSetup(ini, data.settings, info);
    data.settings.skintype = 4; // only the scalable display style exists

    if (!onlysetup) {
        state_ = result.state;
        trusted_ = result.state == TLoadState::Loaded || result.state == TLoadState::Restored ||
                   result.state == TLoadState::FirstStart;
    }
    return result;
}

void TSettingsStore::ApplySafeMode(TSettings& s) {
    if (!safe_)
        safe_ = SafeOriginals{s.ignorenetwork, s.skinname};
    s.ignorenetwork = true;
    s.skintype = 4;
    s.skinname.clear();
}

TSaveResult TSettingsStore::WriteSettings(const TUserData& data, bool def, const TSaveFaultHook& fault) {
    if (state_ == TLoadState::ReadFailed)
        return {false, QStringLiteral("Settings were not saved: \"%1\" could not be read at start, so it is left "
                                      "untouched to keep what it holds.")
                           .arg(places_.SettingsFile())};
    if (state_ == TLoadState::Quit)
        return {false, QStringLiteral("Settings were not saved: the program is leaving.")};
    if (writing_)
        return {};
    const THold hold(*this);
    writing_ = true;
    TMemIniFile ini = TMemIniFile::CreateFast(places_.SettingsFile());
    WriteWords(ini, data.keywords);
    if (data.settings.savehistory)
        data.history.Write(ini, data.settings.maxhistory);
    if (!def) {
        TSettings s = data.settings;
        if (safe_) {
            if (s.ignorenetwork)
                s.ignorenetwork = safe_->ignorenetwork;
            if (s.skinname.isEmpty())
                s.skinname = safe_->skinname;
        }
        WriteSetup(ini, s);
    }
    for (const TUnknownSection& u : unknown_)
        for (const QString& line : u.lines) {
            const qsizetype eq = line.indexOf(u'=');
            if (eq > 0)
                ini.WriteString(u.name, line.left(eq), line.mid(eq + 1));
        }
    ini.MyFlattenSections();
    const TSaveResult r = ini.UpdateFile(fault);
    writing_ = false;
    return r;
}

} // namespace vantrelo
