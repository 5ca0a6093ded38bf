// The import page's modes; the page lives in the settings dialog or a window of its own and owns nothing but its rows.
#include "app/importcontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/keywordimport.h"
#include "app/programcontroller.h"
#include "app/settingscontroller.h"
#include "core/items.h"
#include "core/keywordexchange.h"
#include "core/keywordlist.h"
#include "index/appimport.h"
#include "index/storeapps.h"
#include "platform/urlfetcher.h"
#include "ui/mainform.h"

#include <QDialog>
#include <QLayout>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <QVBoxLayout>

namespace vantrelo {
namespace {


TImportContext AppImportContext(const QString& dataFolder) {
    return SessionImportContext(dataFolder, dataFolder + QStringLiteral("Apps/"));
}

// What a merge does besides the list: an app keyword keeps its own shortcut copy.
class TAppShortcuts final : public TKeywordMergeHost {
public:
    explicit TAppShortcuts(QString dataFolder) : dataFolder_(std::move(dataFolder)) {}
    void Prepare(TExeWord& word) override { KeepAppShortcut(word, dataFolder_); }
    void RemoveHotkey(const TExeWord&) override {}
    void AddHotkey(const TExeWord&) override {}

private:
    QString dataFolder_;
};

QString StartFolder(const QString& programFolder) {
    return QDir(programFolder).exists() ? programFolder : QDir::homePath();
}

} // namespace

TImportController::TImportController(TAppContext& ctx) : ctx_(ctx) {}

TImportController::~TImportController() {
    if (window_)
        delete window_.data();
}

TImportPage* TImportController::Page() const { return window_ && (window_->isVisible() || host_) ? page_ : nullptr; }

TImportDialogs& TImportController::Dialogs() {
    if (!dialogs_)
        dialogs_ = MakeQtImportDialogs(ctx_.form.get());
    return *dialogs_;
}

void TImportController::Show(TImportMode mode, const QString& context, const std::vector<TImportPageRow>& rows) {
    if (!window_) {
        window_ = new QDialog(ctx_.form.get());
        window_->setWindowTitle(QStringLiteral("Import/Export words"));
        window_->setObjectName(QStringLiteral("ImportWindow"));
        window_->resize(560, 480);
        auto* layout = new QVBoxLayout(window_);
        page_ = new TImportPage(window_);
        page_->SetEvents(this);
        layout->addWidget(page_);
        // Esc or the close box cancels like the page's own button.
        QObject::connect(window_, &QDialog::rejected, window_, [this] { ImportCancel(); });
    }
    page_->Begin(mode, context, rows);
    // A modal settings dialog would block a window of its own: the page takes the tabs' place.
    if (TSetupForm* form = ctx_.settingsDialog ? ctx_.settingsDialog->Form() : nullptr) {
        host_ = form;
        form->ShowSidePage(page_, QStringLiteral("Import/Export words"));
        page_->setFocus();
        return;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void TImportController::ExportKeywords(std::optional<std::vector<qsizetype>> selected) {
    records_.clear();
    std::vector<TImportPageRow> rows;
    bool tags = false, hotkeys = false, icons = false;
    const TKeywordList& list = ctx_.data.keywords;
    std::vector<qsizetype> listed;
    if (selected && !selected->empty())
        listed = *selected;
    else
        for (qsizetype i = 0; i < list.size(); ++i)
            listed.push_back(i);
    // "Selected" with nothing selected lists every keyword, none checked.
    const bool checked = !selected || !selected->empty();
    for (const qsizetype pos : listed) {
        if (pos < 0 || pos >= list.size())
            continue;
        const TExeWord* w = &list.at(pos);
        records_.push_back(std::make_unique<TExeWord>(*w));
        rows.push_back({w->keywords, w->comment, checked});
        tags = tags || !w->group.isEmpty();
        hotkeys = hotkeys || w->key != -1 || w->keymod != -1;
        icons = icons || !w->iconpath.isEmpty();
    }
    Show(TImportMode::Export, QStringLiteral("Select the keywords to export."), rows);
    page_->OfferExportChoices(tags, hotkeys, icons);
}

void TImportController::ImportFile(const QString& file) {
    QString path = file;
    if (path.isEmpty())
        path = Dialogs().OpenFile(StartFolder(ctx_.store.Places().programFolder));
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ctx_.program->Message(QStringLiteral("Vantrelo"),
                              QStringLiteral("Could not read \"%1\": %2").arg(path, f.errorString()), true);
        return;
    }
    ListImport(f.readAll(), path);
}

void TImportController::ImportUrl(const QString& url) {
    QString address = url.trimmed();
    if (address.isEmpty()) {
        address = Dialogs().AskUrl().value_or(QString());
        if (address.isEmpty())
            return;
    }
    if (busy_)
        return;
    const QString fetched = QUrl::fromUserInput(address).toString();
    busy_ = true;
    ctx_.program->ShowToast(QStringLiteral("Downloading ") + fetched);
    ctx_.desk->fetcher.Fetch(fetched, kImportTimeoutMs, kImportMaxBytes, [this, fetched](const TFetchResult& r) {
        busy_ = false;
        if (ctx_.closing)
            return;
        if (!r.ok || !r.sized) {
            const QString why = r.ok ? QStringLiteral("the server did not say how long the answer is") : r.error;
            ctx_.program->Message(QStringLiteral("Vantrelo"), QStringLiteral("Could not download %1 (%2)").arg(fetched, why),
                                  true);
            return;
        }
        ListImport(r.body, fetched);
    });
}

void TImportController::ListImport(const QByteArray& bytes, const QString& source) {
    if (busy_ || ctx_.closing)
        return;
    // Read and compared against the names of the list as it is now; a large file on a worker, so
    // it never holds up the window. The records come back to this thread with the rows.
    struct TRead {
        TImportFile file;
        std::vector<TImportPageRow> rows;
    };
    auto read = std::make_shared<TRead>();
    auto names = std::make_shared<const TKeywordNameSet>(ctx_.data.keywords);
    auto work = [bytes, names, read] {
        read->file = ParseExportFile(bytes);
        for (const TImportRow& r : ImportRows(read->file.words, *names))
            read->rows.push_back({r.text, r.comment, r.checked});
    };
    auto done = [this, read, source] {
        busy_ = false;
        if (ctx_.closing)
            return;
        if (read->file.words.empty()) {
            ctx_.program->Message(QStringLiteral("Vantrelo"), QStringLiteral("No keywords in %1").arg(source), true);
            return;
        }
        records_ = read->file.words.TakeAll();
        Show(TImportMode::Import, read->file.description, read->rows);
    };
    busy_ = true;
    if (bytes.size() <= kImportProgressBytes) {
        work();
        done();
        return;
    }
    ctx_.program->ShowToast(QStringLiteral("Reading the keywords of %1...").arg(source));
    ctx_.desk->tasks->Run(std::move(work), std::move(done));
}

void TImportController::ImportApplications() {
    if (busy_ || ctx_.closing)
        return;
    busy_ = true;
    ctx_.program->ShowToast(QStringLiteral("Reading the application menu..."));
    TImportContext ic = AppImportContext(ctx_.store.Places().dataFolder);
    const TStoreAppsRequest apps = SessionAppsRequest(ic.appsFolder);
    // The worker marks what exists against a copy: the list itself belongs to this thread.
    auto known = std::make_shared<TKeywordList>();
    for (const auto& w : ctx_.data.keywords)
        known->Add(std::make_unique<TExeWord>(*w));
    auto found = std::make_shared<std::vector<TImportCandidate>>();
    ctx_.desk->tasks->Run(
        [ic, apps, known, found]() mutable {
            ic.keywords = known.get();
            *found = CollectImportCandidates(ic, &apps);
        },
        [this, found] {
            busy_ = false;
            if (ctx_.closing)
                return;
            records_.clear();
            std::vector<TImportPageRow> rows;
            for (TImportCandidate& c : *found) {
                // Nothing is made a keyword unless the user checks it: a menu holds many entries.
                rows.push_back({c.row, c.description, false});
                records_.push_back(std::move(c.word));
            }
            Show(TImportMode::StartMenu, QStringLiteral("Select the applications to add as keywords."), rows);
        });
}

std::vector<std::unique_ptr<TExeWord>> TImportController::TakeChecked() {
    std::vector<std::unique_ptr<TExeWord>> chosen;
    for (int i : page_->CheckedRows())
        if (i >= 0 && size_t(i) < records_.size() && records_[size_t(i)])
            chosen.push_back(std::move(records_[size_t(i)]));
    return chosen;
}

void TImportController::ImportOk() {
    switch (page_->Mode()) {
    case TImportMode::Export:
        Export();
        return;
    case TImportMode::Import:
        Merge(TakeChecked());
        break;
    case TImportMode::StartMenu: {
        std::vector<std::unique_ptr<TExeWord>> chosen = TakeChecked();
        const TImportContext ic = AppImportContext(ctx_.store.Places().dataFolder);
        for (auto& w : chosen)
            ConvertStartMenuRow(*w, ic);
        Merge(std::move(chosen));
        RemoveAppsFolder();
        break;
    }
    }
    Leave();
}

void TImportController::Export() {
    const QString path = Dialogs().SaveFile(StartFolder(ctx_.store.Places().programFolder));
    if (path.isEmpty()) {
        Leave();
        return;
    }
    std::vector<const TExeWord*> words;
    for (int i : page_->CheckedRows())
        if (i >= 0 && size_t(i) < records_.size())
            words.push_back(records_[size_t(i)].get());
    const TSaveResult r =
        WriteExportFile(path, words, {page_->Description(), page_->NoTags(), page_->NoHotkeys(), page_->NoIcons()});
    if (!r) {
        // The page stays, with the user's choices, for another try.
        Dialogs().ShowError(r.error);
        return;
    }
    ctx_.program->ShowToast(QStringLiteral("Exported %1 keywords.").arg(words.size()));
    Leave();
}

void TImportController::Merge(std::vector<std::unique_ptr<TExeWord>> chosen) {
    TAppShortcuts shortcuts(ctx_.store.Places().dataFolder);
    TImportDialogs& dialogs = Dialogs();
    // An open keyword editor applies its pending edits first and shows the merged records after,
    // so that none of its rows or its detail panel still holds a record the merge replaced.
    if (ctx_.settingsDialog)
        ctx_.settingsDialog->BeforeKeywordsChange();
    const TMergeResult r = MergeImported(
        ctx_, std::move(chosen),
        [&dialogs](const TExeWord& imported, const TExeWord& existing) {
            return dialogs.AskConflict(ConflictQuestion(imported, existing));
        },
        &shortcuts);
    if (ctx_.settingsDialog)
        ctx_.settingsDialog->KeywordsChanged();
    if (r.Merged() > 0)
        ctx_.program->WriteSettings();
    ctx_.program->ShowToast(QStringLiteral("Imported %1 keywords.").arg(r.Merged()));
}

void TImportController::ImportCancel() {
    if (page_ && page_->Mode() == TImportMode::StartMenu)
        RemoveAppsFolder();
    Leave();
}

void TImportController::RemoveAppsFolder() {
    // The app folder serves the index only; imported app keywords point at their own copies.
    if (ctx_.data.settings.indexuwp)
        return;
    TStoreAppsRequest remove = SessionAppsRequest(ctx_.store.Places().dataFolder + QStringLiteral("Apps/"));
    remove.removeFolder = true;
    SyncStoreApps(remove);
}

void TImportController::Leave() {
    records_.clear();
    if (host_ && page_ && host_->SidePage() == page_) {
        host_->LeaveSidePage();
        window_->layout()->addWidget(page_);
        // Taken out of the dialog's tabs the page was hidden; its own window shows it again.
        page_->show();
    }
    host_ = nullptr;
    if (window_ && window_->isVisible()) {
        // Hidden without passing through Cancel again.
        const QSignalBlocker quiet(window_.data());
        window_->hide();
    }
}

} // namespace vantrelo
