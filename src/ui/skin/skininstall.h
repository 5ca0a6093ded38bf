// Installing a skin from a .skn file, a .zip package or a web address into the skins folder.
#pragma once

#include <QString>

#include <functional>

namespace vantrelo {

class TUrlFetcher;

struct TSkinInstallResult {
    bool ok = false;
    QString error;      // the message for the user when not ok
    QString skinPath;   // the .skn to load
};

// A web address begins with "http:" or "https:" (any case) or with "www.".
bool IsSkinWebAddress(const QString& text);
// The file name a download is saved under: the text after the last "/" up to "?" or "#",
// decoded and reduced to harmless characters; never a path, never hidden, never empty.
QString SkinFileNameFromUrl(const QString& url);
// The folder the file dialog starts in: the current skin's folder when it exists, else the
// program's "skins" folder when it exists; empty otherwise.
QString SkinStartFolder(const QString& skinname, const QString& programFolder);
// A parameter that is not a web address: ".skn" appended unless it ends ".skn" or ".zip"; an
// absolute path (or "~/...") stands as it is, anything else is taken in `startFolder`.
QString SkinPathFromParameter(const QString& parameter, const QString& startFolder, const QString& homeFolder);

class TSkinInstaller {
public:
    static constexpr int kDownloadTimeoutMs = 30000;
    static constexpr qsizetype kMaxDownloadBytes = 16 * 1024 * 1024;

    // `skinsFolder`: data folder + "skins/", where downloads and packages go.
    TSkinInstaller(QString skinsFolder, TUrlFetcher* fetcher);

    // A local .skn is used where it is; a .zip is unpacked into the skins folder.
    TSkinInstallResult InstallFile(const QString& path) const;
    // Downloads to memory, checks the answer is a skin or a package, then replaces the file in
    // the skins folder atomically: a failed download leaves the old file untouched.
    void InstallUrl(const QString& url, std::function<void(const TSkinInstallResult&)> done) const;
    // The settings argument's parameter: a web address, or a file name or path.
    void Install(const QString& parameter, const QString& startFolder, const QString& homeFolder,
                 std::function<void(const TSkinInstallResult&)> done) const;

private:
    QString skinsFolder_;
    TUrlFetcher* fetcher_;
};

} // namespace vantrelo
