// Changes to vantrelo.ini made from outside the launcher, and the launcher's side that applies them.
#pragma once

#include "core/filelock.h"
#include "core/settingsstore.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace vantrelo {

// One change of the command-line tool. While a launcher runs on the same data folder the tool
// hands it over (the launcher would otherwise overwrite the file at its next save); else it
// applies it to the file itself, under the writers' lock.
struct TStoreChange {
    enum class TKind { SetSetting, AddKeyword, RemoveKeyword, SetHotkey, ImportKeywords, AddNote };
    TKind kind = TKind::SetSetting;
    // SetSetting: key, value. AddKeyword: names, command[, parameters]. RemoveKeyword: name.
    // SetHotkey: name, virtual-key code, modifier bits. ImportKeywords: what a conflict does
    // ("replace", "skip", or "" to refuse the whole import), the export file's text. AddNote: the
    // line for the notes (the launcher holds them; nothing of vantrelo.ini changes).
    QStringList args;
    QString dataFolder; // the data folder the change is meant for: its real path, with trailing "/"
    bool operator==(const TStoreChange&) const = default;
};

// The text of an instance message; any text decodes or is refused, never misread.
QString EncodeStoreChange(const TStoreChange& change);
bool DecodeStoreChange(const QString& text, TStoreChange& change);

// Applies the change to the data in memory; false with `error` in plain words, changing nothing.
bool ApplyStoreChange(TUserData& data, const TStoreChange& change, QString* error);

// The folder's real path (symbolic links resolved) with a trailing "/"; a folder that does not
// exist keeps its absolute, cleaned path. Both sides of a hand-over compare folders by it.
QString RealDataFolder(const QString& folder);

// The lock a launcher holds on its data folder for as long as it runs ("vantrelo.run.lock").
QString LauncherLockFile(const TPlaces& places);
// Whether a launcher runs on this data folder now: its lock is held. A lock file that is missing
// or cannot be opened (a read-only folder) means no launcher; the probe is a shared lock, so two
// probes never take each other for a launcher.
bool LauncherRuns(const TPlaces& places);

// The launcher's answer to a handed change, sent back after its save.
enum class TChangeOutcome {
    Done,    // applied and saved
    Failed,  // not applied, or the save failed (the text says why)
    Refused, // the launcher is closing: the tool writes the change itself once it has ended
};
struct TChangeAnswer {
    TChangeOutcome outcome = TChangeOutcome::Failed;
    QString text;
};
QString EncodeChangeAnswer(const TChangeAnswer& answer);
std::optional<TChangeAnswer> DecodeChangeAnswer(const QString& text);

// The launcher's side. Made before the launcher reads its settings, it holds the launcher lock,
// so the tool hands its changes over from then on; a change the tool wrote before is in the file
// the launcher then reads (both take the writers' lock).
class TStoreChangeHandler {
public:
    TStoreChangeHandler(TSettingsStore& store, TUserData& data);

    // Applies the text of a StoreChange instance message and saves the whole file. A change for
    // another data folder, or one that does not apply, changes nothing (the result says why).
    TSaveResult Apply(const QString& messageText);
    // Apply's outcome as the answer the tool waits for.
    TChangeAnswer Answer(const QString& messageText);
    // Adds a line to the notes and saves them (the launcher's notes); without it notes are refused.
    void SetNoteWriter(std::function<TSaveResult(const QString&)> writer) { noteWriter_ = std::move(writer); }

private:
    TSettingsStore& store_;
    TUserData& data_;
    TFileLock running_;
    std::function<TSaveResult(const QString&)> noteWriter_;
};

} // namespace vantrelo
