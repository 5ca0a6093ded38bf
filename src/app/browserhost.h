// The launcher's side of the embedded browser: its windows, line, keywords and folders.
#pragma once

#include "browser/browserhost.h"

namespace vantrelo {

struct TAppContext;

// Makes the browser's parts (no web view yet); before the engine, which hands pages to it.
void BuildBrowser(TAppContext& ctx);
// The browser's commands, the line's updates and the preload; once the engine exists.
void WireBrowser(TAppContext& ctx);

class TAppBrowserHost final : public TBrowserHost {
public:
    explicit TAppBrowserHost(TAppContext& ctx) : ctx_(ctx) {}
    QWidget* Panel() override;
    void ShowPanel() override;
    void HidePanel() override;
    bool AppActive() const override;
    void ShowInputWindow() override;
    QString InputText() const override;
    void SetInput(const QString& text) override;
    void FocusInput(bool selectAll, bool cursorEnd, int pos) override;
    void SetHint(const QString& hint) override;
    void RunInput(const QString& text, bool history) override;
    void OpenExternal(const QUrl& url, bool history) override;
    void AfterCommand() override;
    void Toast(const QString& text) override;
    void OpenHelp() override;
    QString LineColor() const override;
    QString LineBackground() const override;
    std::optional<int> KeywordLevel(const QString& names, const QString& origin) const override;
    void GrantKeywordLevel(const QString& names, int level, const QString& origin) override;
    QString KeywordTitle(const QString& names) const override;
    std::optional<QString> KeywordCommand(const QString& name) const override;
    QString ProfileFolder() const override;
    QString BrowserFolder() const override;

private:
    TAppContext& ctx_;
};

} // namespace vantrelo
