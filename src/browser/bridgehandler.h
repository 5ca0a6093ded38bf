// Requests from a connected page: checked, queued, permitted and answered.
#pragma once

#include "browser/bridgelogic.h"

#include <QObject>
#include <QSet>
#include <QString>

namespace vantrelo {

struct TSettings;
class TBrowserController;
class TBrowserHost;
class TPermissionPrompt;

// The object pages reach through the web channel as "vantrelo_bridge".
class TBridgeEndpoint final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE void post(const QString& message) { emit Posted(message); }
signals:
    void Posted(const QString& message);
};

class TBridgeHandler final : public QObject {
    Q_OBJECT
public:
    TBridgeHandler(const TSettings& settings, TBrowserController& browser, TBrowserHost& host,
                   TPermissionPrompt& prompt);
    // A message from the page on display; handled later from the event loop.
    void Receive(const QString& message);
    // Asks (or confirms) `level` for the page's keyword; false when refused.
    bool Permit(int level, const QString& details);

private:
    void Process(const TBridgeRequest& request, quint64 navigation);
    void Reply(const TBridgeRequest& request, quint64 navigation, const QString& script);
    void Run(const TBridgeRequest& request, quint64 navigation);

    const TSettings& settings_;
    TBrowserController& browser_;
    TBrowserHost& host_;
    TPermissionPrompt& prompt_;
    bool prompting_ = false;
    QSet<QString> denied_; // "origin level" pairs refused this session
    QString pageText_;     // the text the page last set, for the hint rule
    QString pageHint_;
};

} // namespace vantrelo
