// What the embedded browser asks of the rest of the program.
#pragma once

#include <QString>

#include <optional>

class QUrl;
class QWidget;

namespace vantrelo {

class TBrowserHost {
public:
    virtual ~TBrowserHost() = default;
    // The list window's page panel; the web view lives inside it.
    virtual QWidget* Panel() = 0;
    virtual void ShowPanel() = 0;
    virtual void HidePanel() = 0;
    virtual bool AppActive() const = 0;
    virtual void ShowInputWindow() = 0;
    virtual QString InputText() const = 0;
    virtual void SetInput(const QString& text) = 0;
    // Focuses the line; select all, cursor at the end, cursor at `pos` (−1: unchanged).
    virtual void FocusInput(bool selectAll, bool cursorEnd, int pos) = 0;
    virtual void SetHint(const QString& hint) = 0;
    // Runs the text as typed, quietly; into the history only with `history`.
    virtual void RunInput(const QString& text, bool history) = 0;
    // An http, https or mailto address for the desktop's browser; nothing else is ever started.
    virtual void OpenExternal(const QUrl& url, bool history) = 0;
    virtual void AfterCommand() = 0;
    virtual void Toast(const QString& text) = 0;
    virtual void OpenHelp() = 0;
    // The line's text and background colours, "#rrggbb".
    virtual QString LineColor() const = 0;
    virtual QString LineBackground() const = 0;
    // The level granted to the keyword named `names` for pages of `origin` (GrantOrigin); -1 when
    // its grant was given for another origin; nothing when no such keyword exists.
    virtual std::optional<int> KeywordLevel(const QString& names, const QString& origin) const = 0;
    // "Always allow": stores the level with the origin it was given for and saves the keywords.
    virtual void GrantKeywordLevel(const QString& names, int level, const QString& origin) = 0;
    // The default name shown for a keyword.
    virtual QString KeywordTitle(const QString& names) const = 0;
    // The command of the keyword typed as `name`; nothing when there is none.
    virtual std::optional<QString> KeywordCommand(const QString& name) const = 0;
    // The web view's profile folder: "EBWebView" (or the incognito folder) in the data folder.
    virtual QString ProfileFolder() const = 0;
    virtual QString BrowserFolder() const = 0; // "EBWebView", what $BROWSERFLUSHALL$ removes
};

// The permission dialog's buttons: a known keyword may be allowed for good, an unknown source not.
enum class TPromptChoices { OnceAlwaysOrRefuse, AllowOrRefuse };
enum class TPromptAnswer { Refused, Once, Always };

struct TPermissionAsk {
    QString question;
    QString details; // shown whole in a scrolling read-only field; empty: no field
    TPromptChoices choices = TPromptChoices::AllowOrRefuse;
};

// The permission dialog; closing it refuses.
class TPermissionPrompt {
public:
    virtual ~TPermissionPrompt() = default;
    virtual TPromptAnswer Ask(const TPermissionAsk& ask) = 0;
};

} // namespace vantrelo
