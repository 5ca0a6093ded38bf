// The embedded web view in the list window: opening, showing, ending, commands and windows.
#pragma once

#include "browser/bridgehandler.h"
#include "browser/browserengine.h"
#include "core/items.h"

#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class QWebEngineView;
class QWebEngineProfile;
class QWebChannel;
class QWebEngineNewWindowRequest;

namespace vantrelo {

struct TSettings;
class TBrowserHost;
class TPermissionPrompt;
class TBrowserForm;

// The object the launcher's relay in a connected page reaches through the web channel.
class TBridgeEndpoint final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void post(const QString& message) { emit Posted(message); }
signals:
    void Posted(const QString& message);
};

// What the page on display was opened with.
struct TBrowserState {
    QUrl opened;          // empty when none; about:blank after a preload or a clear
    bool focusOnOpen = false;
    QString params;
    QString input;        // the line when the page was opened
    QString keyword;      // the names of the keyword that opened it, looked up again when needed
    bool connected = false;
    QString pendingClick;
    bool startShown = false;
    quint64 navigation = 0; // grows with every navigation; replies go only to the one that asked
};

class TBrowserController final : public QObject, public TBrowserEngine, public TBridgePage {
    Q_OBJECT
public:
    TBrowserController(const TSettings& settings, TBrowserHost& host, TPermissionPrompt& prompt,
                       QObject* parent = nullptr);
    ~TBrowserController() override;

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
    void StartPage(bool forced) override;
    QString Location() const override;
    void Navigate(int how) override;
    void MoveToWindow(int mode, bool full) override;
    void UpdateInput(const QString& input) override;
    QWidget* View() const override;

    // TBridgePage
    quint64 Navigation() const override { return state_.navigation; }
    bool Connected(quint64 navigation) const override;
    void RunScript(const QString& script, quint64 navigation) override;
    QString Keyword() const override { return state_.keyword; }
    QUrl Current() const override;
    void FocusPage() override;
    // TBridgePage and TBrowserEngine: the page asked to go, or a browser setting changed under it.
    void Dismiss() override;

    bool Visible() const;
    void Clear();
    // Removes the profile folder; the answer says what was left.
    QString FlushAll();
    void FlushCurrent(const QString& origin);

    const TBrowserState& State() const { return state_; }
    QWebEngineView* WebView() const;
    // The user agent the views get.
    QString UserAgent() const;

private:
    void CreateView();
    void Display();
    void Loaded(bool ok);
    void AfterLoad();
    // A window a page asked for: only on the user's click, one at a time, from a connected page.
    void NewWindowRequested(QWebEngineNewWindowRequest& request);
    // The parameters typed or pasted into the page once their delay has passed and it has loaded.
    void TypingDue(quint64 opening);
    void TypeIntoPage();
    void ApplyUserAgent();

    const TSettings& settings_;
    TBrowserHost& host_;
    TPermissionPrompt& prompt_;
    TBrowserState state_;
    QPointer<QWebEngineView> view_;
    QWebEngineProfile* profile_ = nullptr; // owned by this object (a Qt child)
    QString profileFolder_;
    QWebChannel* channel_ = nullptr;
    std::unique_ptr<TBridgeEndpoint> endpoint_;
    std::unique_ptr<TBridgeHandler> bridge_;
    QList<QPointer<TBrowserForm>> forms_;
    QPointer<TBrowserForm> popup_; // the one window a page opened, while it is open
    QList<QPointer<QWebEngineView>> ending_; // ended views waiting for their deferred deletion
    QList<QNetworkCookie> cookies_; // the profile's cookies, for removal by origin
    // Grows with every opening and ending: typing meant for one page never reaches another.
    quint64 opening_ = 0;
    struct TTyping {
        quint64 opening = 0;
        QString text;
        int kind = 0; // 0 typed, 1 typed with Enter, 2 pasted, 3 pasted with Enter
        bool due = false;
    } typing_;
    bool loading_ = false;
    QString appliedUa_;
    QString engineUa_;
};

} // namespace vantrelo
