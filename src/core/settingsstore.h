// Loading and saving vantrelo.ini as a whole: settings, keywords and history, with the rescue.
#pragma once

#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/filelock.h"
#include "core/history.h"
#include "core/keywordlist.h"
#include "core/settings.h"

#include <memory>
#include <optional>

namespace vantrelo {

// Everything the user made that lives in vantrelo.ini.
struct TUserData {
    TSettings settings;
    TKeywordList keywords;
    THistory history;
    TTagList tags;
};

enum class TRescueChoice { Restore, Ignore, OpenFolder };

// Asks the user what to do when vantrelo.ini is missing but a backup exists.
class TRescuePrompt {
public:
    virtual ~TRescuePrompt() = default;
    virtual TRescueChoice AskRescue(const QString& caption, const QString& text) = 0;
};

QString RescueCaption();
QString RescueText(const QString& backupPath);

enum class TLoadState {
    Loaded,     // read from vantrelo.ini
    Restored,   // the backup was restored and read
    FirstStart, // no file and no backup: defaults and default.exc
    Ignored,    // no file; the user declined the backup
    ReadFailed, // the file exists but could not be read; it is never overwritten this run
    Quit,       // the user chose to open the backup's folder and leave
};

struct TLoadResult {
    TLoadState state = TLoadState::FirstStart;
    QString error;
    bool migrated = false;
    int version = 0;
    bool NewInstallation() const { return state == TLoadState::FirstStart || state == TLoadState::Ignored; }
};

class TSettingsStore {
public:
    explicit TSettingsStore(TPlaces places)
        : places_(std::move(places)), lock_(std::make_unique<TFileLock>(places_.SettingsFile() + QLatin1String(".lock"))) {}

    // Keeps the writers' lock ("vantrelo.ini.lock") until it goes, so that a read, a change and
    // its save by one process are never interleaved with another's. Reads and saves take it
    // themselves; holds of one store nest.
    class THold {
    public:
        explicit THold(TSettingsStore& store);
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;

    private:
        TSettingsStore& store_;
    };
    [[nodiscard]] THold Hold() { return THold(*this); }

    const TPlaces& Places() const { return places_; }
    // Program start (onlysetup false) or reset to defaults (onlysetup true: "Setup" only).
    TLoadResult ReadSettings(TUserData& data, TRescuePrompt* prompt, bool onlysetup = false);
    // Rebuilds the whole file from memory and saves it atomically; `def` leaves "Setup" out.
    TSaveResult WriteSettings(const TUserData& data, bool def = false, const TSaveFaultHook& fault = {});
    // Whether the file on disk holds data that was really loaded, so a backup may copy it.
    bool Trusted() const { return trusted_; }
    TLoadState State() const { return state_; }

    // Safe mode changes a few settings for this run only; they are never written.
    void ApplySafeMode(TSettings& s);

private:
    struct SafeOriginals {
        bool ignorenetwork;
        QString skinname;
    };

    TPlaces places_;
    std::unique_ptr<TFileLock> lock_;
    int holds_ = 0;
    TLoadState state_ = TLoadState::FirstStart;
    bool trusted_ = false;
    bool writing_ = false;
    std::optional<SafeOriginals> safe_;
    // Sections of the file that no part of the program reads (a newer version's, the user's own):
    // written back as they were read, after the known ones.
    struct TUnknownSection {
        QString name;
        QStringList lines; // "key=value", or a line without "="
    };
    std::vector<TUnknownSection> unknown_;
};

} // namespace vantrelo
