// The import/export page's modes: exporting keywords, importing a file or a web address, importing the application menu.
#pragma once

#include "ui/importpage.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QDialog;

namespace vantrelo {

struct TAppContext;
class TExeWord;
class TSetupForm;

class TImportController final : public TImportPageEvents {
public:
    // A file larger than this is read on a worker, and the window says so meanwhile.
    static constexpr qsizetype kImportProgressBytes = 64 * 1024;

    explicit TImportController(TAppContext& ctx);
    ~TImportController() override;
    // The file, address and conflict questions (made over the input window unless a test sets them).
    void SetDialogs(std::unique_ptr<TImportDialogs> dialogs) { dialogs_ = std::move(dialogs); }

    // Lists every keyword, checked, for the export; given `selected` (the editor's selected rows),
    // those rows checked, or every keyword unchecked when none is selected.
    void ExportKeywords(std::optional<std::vector<qsizetype>> selected = std::nullopt);
    // The file asked for when `file` is empty.
    void ImportFile(const QString& file = {});
    // The address asked for when `url` is empty; the download runs beside the event loop.
    void ImportUrl(const QString& url = {});
    // Lists the application menu's entries and apps as candidate keywords (collected on a worker).
    void ImportApplications();
    bool Busy() const { return busy_; }
    // The page while one of the modes runs (tests answer it).
    TImportPage* Page() const;

    // TImportPageEvents
    void ImportOk() override;
    void ImportCancel() override;

private:
    // In the settings dialog while it is open (its tabs hidden), else in a window of its own.
    void Show(TImportMode mode, const QString& context, const std::vector<TImportPageRow>& rows);
    void ListImport(const QByteArray& bytes, const QString& source);
    void Export();
    // Merges the checked records, asking at each conflict; the toast counts what was merged.
    void Merge(std::vector<std::unique_ptr<TExeWord>> chosen);
    std::vector<std::unique_ptr<TExeWord>> TakeChecked();
    void Leave();
    void RemoveAppsFolder();
    TImportDialogs& Dialogs();

    TAppContext& ctx_;
    QPointer<QDialog> window_;
    // The settings dialog the page is shown in, while it is.
    QPointer<TSetupForm> host_;
    TImportPage* page_ = nullptr;
    // The records the page lists: copies, so a keyword changed meanwhile is never written through.
    std::vector<std::unique_ptr<TExeWord>> records_;
    std::unique_ptr<TImportDialogs> dialogs_;
    bool busy_ = false;
};

} // namespace vantrelo
