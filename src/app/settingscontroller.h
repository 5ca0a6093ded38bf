// Opens the settings dialog on the page asked for and applies what it closes with.
#pragma once

#include "core/items.h"
#include "ui/settings/setupform.h"

namespace vantrelo {

struct TAppContext;
class TKeywordPage;

class TSettingsController {
public:
    explicit TSettingsController(TAppContext& ctx) : ctx_(ctx) {}

    // Runs the dialog modally; an empty `page` reopens where it was last closed during this run.
    // `newKeyword`: the keyword editor starts a new record.
    // `proposal` (when named) fills the new keyword.
    void Open(TSetupTab tab, const QString& page = QString(), bool newKeyword = false, const QString& file = {},
              const TExeWord& proposal = {});
    // "-skin": the look page; with `listWizard` the list appearance wizard runs on it at once.
    void OpenLook(bool listWizard);
    // "Add Keyword...": the keyword editor on a new keyword.
    void AddKeyword();
    // A file dropped on the input window or given to the program: the keyword editor on a new
    // keyword proposed for it.
    void ProposeFile(const QString& path);
    // Around a change of the keyword list made elsewhere (an import) while the dialog may be open:
    // the editor's pending edits are applied first, and its rows are built again after.
    void BeforeKeywordsChange();
    void KeywordsChanged();
    // The dialog while it is open (the import page is shown in it then), else null.
    TSetupForm* Form() const { return form_; }

private:
    // The keyword editor's rows selected now, as list positions (empty when it is closed).
    std::vector<qsizetype> SelectedKeywords() const;
    TSetupActions Actions();
    TKeywordPage* MakeKeywordPage(TSetupModel& model);
    // The keyword named by the input line (its first word, a leading "-k" dropped), or -1.
    qsizetype CurrentWordPosition() const;
    // The icon of the indexed item of this name (a desktop entry's own icon), for the keyword editor.
    std::optional<QString> IndexedIcon(const QString& name) const;
    // After OK: the look, the hotkey, the centring, then the file.
    void Apply(const TSettings& before);

    TAppContext& ctx_;
    TSetupPlace place_;
    TKeywordPage* page_ = nullptr; // while the dialog is open
    TSetupForm* form_ = nullptr;   // while the dialog is open
    bool open_ = false;
};

} // namespace vantrelo
