// Opens the settings dialog on the page asked for and applies what it closes with.
#pragma once

#include "core/items.h"
#include "ui/settings/setupform.h"

#include <memory>

namespace vantrelo {

struct TAppContext;
class TKeywordPage;

class TSettingsController {
public:
    explicit TSettingsController(TAppContext& ctx) : ctx_(ctx) {}

    // Runs the dialog modally; an empty `page` reopens where it was last closed during this run.
    // `newKeyword`: the keyword editor starts a new record.
    void Open(TSetupTab tab, const QString& page = QString(), bool newKeyword = false);
    // "Add Keyword...": the keyword editor on a new keyword, or on `word` when one is handed in.
    void AddKeyword(std::unique_ptr<TExeWord> word = nullptr);
    bool IsOpen() const { return open_; }

private:
    TSetupActions Actions();
    TKeywordPage* MakeKeywordPage();
    // The keyword named by the input line (its first word, a leading "-k" dropped), or -1.
    qsizetype CurrentWordPosition() const;
    // After OK: the look, the hotkey, the centring, then the file.
    void Apply(const TSettings& before);

    TAppContext& ctx_;
    TSetupPlace place_;
    TKeywordPage* page_ = nullptr; // while the dialog is open
    std::unique_ptr<TExeWord> handed_; // the record the next opening appends
    bool open_ = false;
};

} // namespace vantrelo
