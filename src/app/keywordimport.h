// Keeping a shared keyword set current: "importurl" is read at every start and merged without questions.
#pragma once

#include "core/keywordexchange.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

struct TAppContext;

// Merges `chosen` into the keyword list as every import does: the keywords' hotkeys are let go
// during the merge and taken again after it (not when `hotkeys` is false: the start registers them
// later), and the tags are built again.
TMergeResult MergeImported(TAppContext& ctx, std::vector<std::unique_ptr<TExeWord>> chosen, const TConflictAsk& ask,
                           TKeywordMergeHost* host = nullptr, bool hotkeys = true);

class TKeywordImportController {
public:
    explicit TKeywordImportController(TAppContext& ctx) : ctx_(ctx) {}

    // Reads "importurl" (a local file now, a web address in the background) and merges it on this
    // thread; a message or toast gives the result. One import at a time. `beforeHotkeys`: the start
    // registers the keywords' hotkeys afterwards, so the merge leaves them alone.
    // `tell`: the result always in a message (the settings page's "Test").
    void Start(bool beforeHotkeys = false, bool tell = false);
    bool Running() const { return running_; }
    // The last result: "Imported N keywords.", or why nothing was.
    const QString& Result() const { return result_; }

private:
    void Merge(const QByteArray& bytes, bool hotkeys);
    void Finish(const QString& result, bool warn);

    TAppContext& ctx_;
    bool running_ = false;
    bool tell_ = false;
    QString result_;
};

} // namespace vantrelo
