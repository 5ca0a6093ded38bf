// The command-line tool's entry point and the context its verbs share.
#pragma once

#include "core/settingsstore.h"

#include <QStringList>

#include <memory>
#include <optional>

class QTextStream;

namespace vantrelo::cli {

// Exit codes: 0 done, 1 failed, 2 bad usage.
enum { kOk = 0, kFailed = 1, kUsage = 2 };

class TCliContext {
public:
    TCliContext(TPlaces places, QTextStream& out, QTextStream& err);

    QTextStream& out;
    QTextStream& err;
    const TPlaces& Places() const { return store_.Places(); }
    // Loads vantrelo.ini once. With `forWriting` a missing file whose backup exists is refused,
    // so that the running program can still offer the rescue.
    bool Load(bool forWriting);
    bool Save();
    TUserData& Data() { return data_; }
    TSettingsStore& Store() { return store_; }

private:
    TSettingsStore store_;
    std::optional<TSettingsStore::THold> writing_; // a change holds the lock from read to save
    TUserData data_;
    bool loaded_ = false;
};

struct TCliVerb {
    const char* name;
    const char* usage;
    int (*run)(TCliContext& ctx, const QStringList& args);
};

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err);

// Verb groups, one per source file.
int SettingsVerb(TCliContext& ctx, const QStringList& args);
int KeywordsVerb(TCliContext& ctx, const QStringList& args);
int HistoryVerb(TCliContext& ctx, const QStringList& args);
int CalcVerb(TCliContext& ctx, const QStringList& args);
int SimilarityVerb(TCliContext& ctx, const QStringList& args);
int IndexVerb(TCliContext& ctx, const QStringList& args);
int SuggestVerb(TCliContext& ctx, const QStringList& args);
int RunVerb(TCliContext& ctx, const QStringList& args);

} // namespace vantrelo::cli
