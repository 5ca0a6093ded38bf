// TBrowserModule: the web engine loaded from its own module on first use, so the program starts without it.
#pragma once

#include "browser/browserengine.h"

#include <QStringList>

#include <memory>

namespace vantrelo {

// The file name of the engine module, beside the program or in its library folder.
inline constexpr char kBrowserModuleFile[] = "vantrelo_browser_engine.so";

// Who runs the program, as the engine's sandbox sees it.
enum class TProcessUser { Ordinary, Root };
TProcessUser CurrentProcessUser();

// Why the engine cannot start for `user` with these environment values, or empty: its helper
// process refuses to run as root inside its sandbox, and the page would stay empty with nothing said.
QString EngineStartRefusal(TProcessUser user, const QByteArray& disableSandbox, const QByteArray& chromiumFlags);

class TBrowserModule final : public TBrowserEngine {
public:
    // `candidates`: the module's possible paths, tried in order on first use.
    TBrowserModule(const TSettings& settings, TBrowserHost& host, TPermissionPrompt& prompt, QStringList candidates,
                   TProcessUser user = CurrentProcessUser());
    ~TBrowserModule() override;

    // The paths a program in `programDir` looks at: its own folder, then ../lib/vantrelo/browser.
    static QStringList Candidates(const QString& programDir);
    // Whether the engine is loaded (it stays loaded; the engine cannot be unloaded).
    bool Loaded() const { return engine_ != nullptr; }
    // Why the last load failed; empty when none did.
    QString LoadError() const { return error_; }

    // TEmbeddedBrowser
    void RunCommand(const QString& command) override;
    void Open(const TBrowserOpen& request) override;
    void OpenWindow(const QString& target, bool full) override;
    void Click(const QString& clicks, const QString& keyword) override;
    // TBrowserEngine
    void Preload() override;
    bool Exists() const override;
    bool HasPage() const override;
    void Toggle(bool fromKeyboard, bool setFocus) override;
    void End() override;
    void Dismiss() override;
    void StartPage(bool forced) override;
    QString Location() const override;
    void Navigate(int how) override;
    void MoveToWindow(int mode, bool full) override;
    void UpdateInput(const QString& input) override;
    QWidget* View() const override;

private:
    // The engine, loaded now if need be; null (and the user told, unless `quiet`) when it cannot be.
    TBrowserEngine* Engine(bool quiet = false);

    const TSettings& settings_;
    TBrowserHost& host_;
    TPermissionPrompt& prompt_;
    QStringList candidates_;
    std::unique_ptr<TBrowserEngine> engine_;
    QString error_;
    TProcessUser user_;
};

} // namespace vantrelo
