// The input window's look in the running program: a skin applied, loaded, reloaded, installed or saved.
#pragma once

#include <QString>

namespace vantrelo {

struct TAppContext;

class TSkinController {
public:
    explicit TSkinController(TAppContext& ctx) : ctx_(ctx) {}

    // The look from the settings and the skin they name, read again (its values stay settings).
    void Apply();
    // A skin file chosen now: its values become settings and are saved, then the look follows.
    bool Load(const QString& path);
    // "Reload Skin" (Ctrl+F5): the named skin's values overwrite the settings again.
    void Reload();
    // "-skin": a .skn or .zip file or a web address; without one a file dialog asks.
    void Install(const QString& parameter);
    // The look saved as a skin file with the groups of values the user chose.
    void SaveAs();

private:
    void Installed(bool ok, const QString& error, const QString& skinPath);
    QString SkinsFolder() const;

    TAppContext& ctx_;
};

} // namespace vantrelo
