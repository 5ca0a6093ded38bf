// Requests from a connected page and "$BCLICK$" clicks: queued, permitted one question at a time, answered.
#pragma once

#include "browser/bridgelogic.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <deque>

namespace vantrelo {

struct TSettings;
class TBrowserHost;
class TPermissionPrompt;

// The page on display as the bridge sees it; the web view implements it.
class TBridgePage {
public:
    virtual ~TBridgePage() = default;
    // Grows with every navigation and ending: an answer goes only to the navigation that asked.
    virtual quint64 Navigation() const = 0;
    // The page at `navigation` is on display, was opened connected and is of the opened origin.
    virtual bool Connected(quint64 navigation) const = 0;
    // Runs `script` in the page while it is still the navigation `navigation`.
    virtual void RunScript(const QString& script, quint64 navigation) = 0;
    // The names of the keyword that opened the page.
    virtual QString Keyword() const = 0;
    // Where the page on display is now.
    virtual QUrl Current() const = 0;
    virtual void FocusPage() = 0;
    virtual void Dismiss() = 0;
};

class TBridgeHandler final : public QObject {
    Q_OBJECT
public:
    TBridgeHandler(const TSettings& settings, TBridgePage& page, TBrowserHost& host, TPermissionPrompt& prompt);
    // A message from the page on display; handled later from the event loop, never inside the
    // engine's callback that delivered it.
    void Receive(const QString& message);
    // Clicks for the page on display, asked for `keyword` (level 3); queued like requests.
    void Click(const QString& clicks, const QString& keyword);
    // How many messages may wait; a page posting faster loses the rest.
    static constexpr std::size_t kQueueMax = 64;

private:
    struct TQueued {
        quint64 navigation = 0;
        QString keyword;
        QString origin; // GrantOrigin of the page when it asked
        bool click = false;
        QString clicks;
        TBridgeRequest request;
    };
    void Enqueue(TQueued item);
    void Next();
    void Handle(const TQueued& item);
    void HandleRequest(const TQueued& item);
    // Asks (or confirms) `level` for the item's keyword and origin; false when refused.
    bool Permit(const TQueued& item, int level, const QString& details);
    void Reply(const TQueued& item, const QString& script);
    void Run(const TQueued& item);

    const TSettings& settings_;
    TBridgePage& page_;
    TBrowserHost& host_;
    TPermissionPrompt& prompt_;
    std::deque<TQueued> queue_;
    bool busy_ = false;      // an item is being handled (its dialog may be open)
    bool scheduled_ = false; // a turn of the event loop will take the next item
    QSet<QString> denied_;   // "keyword, origin, level" refused this run
    QString pageText_;       // the text the page last set, for the hint rule
    QString pageHint_;
};

} // namespace vantrelo
