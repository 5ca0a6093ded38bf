// The command-line tool's entry point and the context its verbs share.
#pragma once

#include "core/settingsstore.h"
#include "core/storechange.h"
#include "platform/instancechannel.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QTextStream;

namespace vantrelo::cli {

// Exit codes: 0 done, 1 failed, 2 bad usage.
enum { kOk = 0, kFailed = 1, kUsage = 2 };

class TCliContext {
public:
    // `channel` reaches a running launcher; null makes the per-user one when it is needed.
    TCliContext(TPlaces places, QTextStream& out, QTextStream& err, TInstanceChannel* channel = nullptr);

    QTextStream& out;
    QTextStream& err;
    const TPlaces& Places() const { return store_.Places(); }
    // Loads vantrelo.ini once. With `forWriting` a missing file whose backup exists is refused,
    // so that the running program can still offer the rescue.
    bool Load(bool forWriting);
    bool Save();
    // Checks the change against the file and makes it: handed to a launcher that runs on this
    // data folder (which applies and saves it), else saved here. Prints why when it fails.
    // `writeHere` makes the change without a launcher (default: saves vantrelo.ini).
    bool Change(const TStoreChange& change, const std::function<bool()>& writeHere = {});
    // Hands `message` to the launcher that runs on this data folder; false with `error`.
    bool Hand(const TInstanceMessage& message, QString* error);
    // Hands `message` over and waits up to `timeoutMs` for the launcher's answer.
    bool Ask(const TInstanceMessage& message, int timeoutMs, QString* answer, QString* error);
    // Waits until no launcher runs on this data folder; false when one still runs after `timeoutMs`.
    bool WaitForLauncherEnd(int timeoutMs);
    // How long the tool waits for a launcher's answer (its save included) or for it to end.
    static constexpr int kAnswerTimeoutMs = 15000;
    TUserData& Data() { return data_; }
    TSettingsStore& Store() { return store_; }

private:
    TInstanceChannel* Channel(std::unique_ptr<TInstanceChannel>& own, QString* error);

    TSettingsStore store_;
    std::optional<TSettingsStore::THold> writing_; // a change holds the lock from read to save
    TUserData data_;
    bool loaded_ = false;
    TInstanceChannel* channel_;
};

struct TCliVerb {
    const char* name;
    const char* usage;
    int (*run)(TCliContext& ctx, const QStringList& args);
    const char* summary = nullptr; // one line for "--help"
    const char* example = nullptr; // the arguments of one call, shown by "--help"
};

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err, TInstanceChannel* channel = nullptr);

// The notes file as the launcher finds it: the data folder's "notes.txt", or `noteslocation`
// with its variables expanded as a command's are.
QString NotesFilePath(TCliContext& ctx);

// Verb groups, one per source file.
int SettingsVerb(TCliContext& ctx, const QStringList& args);
int KeywordsVerb(TCliContext& ctx, const QStringList& args);
int HistoryVerb(TCliContext& ctx, const QStringList& args);
int CalcVerb(TCliContext& ctx, const QStringList& args);
int SimilarityVerb(TCliContext& ctx, const QStringList& args);
int IndexVerb(TCliContext& ctx, const QStringList& args);
int SuggestVerb(TCliContext& ctx, const QStringList& args);
int RunVerb(TCliContext& ctx, const QStringList& args);
int AutostartVerb(TCliContext& ctx, const QStringList& args);
int OpenWithVerb(TCliContext& ctx, const QStringList& args);
int AppsVerb(TCliContext& ctx, const QStringList& args);
int WindowsVerb(TCliContext& ctx, const QStringList& args);
int InfoVerb(TCliContext& ctx, const QStringList& args);
// "keywords export" and "keywords import"; -1 when the arguments are not understood.
int ExportKeywords(TCliContext& ctx, const QStringList& args);
int ImportKeywords(TCliContext& ctx, const QStringList& args);
int ClipboardVerb(TCliContext& ctx, const QStringList& args);
int NotesVerb(TCliContext& ctx, const QStringList& args);
int TextVerb(TCliContext& ctx, const QStringList& args);

} // namespace vantrelo::cli
