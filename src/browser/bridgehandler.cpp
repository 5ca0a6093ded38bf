// Requests from a connected page and "$BCLICK$" clicks: queued, permitted one question at a time, answered.
#include "browser/bridgehandler.h"

#include "browser/browserhost.h"
#include "core/settings.h"

#include <QPointer>
#include <QTimer>

namespace vantrelo {

namespace {

bool Flag(const QJsonObject& o, const char* name) { return o.value(QLatin1String(name)).toBool(); }
QString Text(const QJsonObject& o, const char* name) { return o.value(QLatin1String(name)).toString(); }

} // namespace

TBridgeHandler::TBridgeHandler(const TSettings& settings, TBridgePage& page, TBrowserHost& host,
                               TPermissionPrompt& prompt)
    : settings_(settings), page_(page), host_(host), prompt_(prompt) {}

void TBridgeHandler::Receive(const QString& message) {
    const quint64 navigation = page_.Navigation();
    if (!page_.Connected(navigation))
        return;
    std::optional<TBridgeRequest> request = ParseRequest(message);
    if (!request)
        return;
    TQueued item;
    item.navigation = navigation;
    item.keyword = page_.Keyword();
    item.origin = GrantOrigin(page_.Current());
    item.request = std::move(*request);
    Enqueue(std::move(item));
}

void TBridgeHandler::Click(const QString& clicks, const QString& keyword) {
    TQueued item;
    item.navigation = page_.Navigation();
    item.keyword = keyword;
    item.origin = GrantOrigin(page_.Current());
    item.click = true;
    item.clicks = clicks;
    Enqueue(std::move(item));
}

void TBridgeHandler::Enqueue(TQueued item) {
    if (queue_.size() >= kQueueMax)
        return;
    queue_.push_back(std::move(item));
    if (scheduled_)
        return;
    scheduled_ = true;
    // Never inside the caller: that is the engine's callback, and what the item does (a dialog, an
    // ending) may delete the view that is delivering it.
    QTimer::singleShot(0, this, &TBridgeHandler::Next);
}

void TBridgeHandler::Next() {
    scheduled_ = false;
    // One item at a time: the ones arriving while a dialog is open wait for its answer.
    if (busy_ || queue_.empty())
        return;
    const TQueued item = std::move(queue_.front());
    queue_.pop_front();
    QPointer<TBridgeHandler> self(this);
    busy_ = true;
    Handle(item);
    if (!self)
        return;
    busy_ = false;
    if (!queue_.empty() && !scheduled_) {
        scheduled_ = true;
        QTimer::singleShot(0, this, &TBridgeHandler::Next);
    }
}

void TBridgeHandler::Handle(const TQueued& item) {
    if (!item.click) {
        HandleRequest(item);
        return;
    }
    // Clicks go to any page the keyword opened, connected or not, but only to the one they were meant for.
    if (item.navigation != page_.Navigation())
        return;
    if (!Permit(item, 3, QString()))
        return;
    const QString script = ClickScript(item.clicks);
    if (!script.isEmpty())
        page_.RunScript(script, item.navigation);
}

void TBridgeHandler::Reply(const TQueued& item, const QString& script) { page_.RunScript(script, item.navigation); }

void TBridgeHandler::HandleRequest(const TQueued& item) {
    if (!page_.Connected(item.navigation))
        return;
    const TBridgeRequest& request = item.request;
    const int level = MethodLevel(request.method);
    if (level == 0) {
        Reply(item, ErrorReply(request.id, QStringLiteral("-32601"), QLatin1String(kNoMethod)));
        return;
    }
    QString details;
    if (request.method == QLatin1String("open_url")) {
        // What cannot be opened is refused before the user is asked to allow it.
        if (!ExternalUrlAllowed(QUrl(Text(request.params, "url")))) {
            Reply(item, ErrorReply(request.id, QStringLiteral("-32602"), QStringLiteral("Invalid params")));
            return;
        }
        details = QStringLiteral("The URL that will be opened:\r\n\"") + PromptDetail(Text(request.params, "url")) +
                  u'"';
    } else if (request.method == QLatin1String("input_run")) {
        details = QStringLiteral("The input command that will be run:\r\n\"") +
                  PromptDetail(Text(request.params, "text")) + u'"';
    }
    QPointer<TBridgeHandler> self(this);
    const bool permitted = Permit(item, level, details);
    if (!self)
        return;
    // The page may have gone or moved on while the dialog was open.
    if (!page_.Connected(item.navigation))
        return;
    if (!permitted) {
        Reply(item, ErrorReply(request.id, QStringLiteral("403"), QLatin1String(kForbidden)));
        return;
    }
    Run(item);
}

bool TBridgeHandler::Permit(const TQueued& item, int level, const QString& details) {
    const std::optional<int> granted =
        item.keyword.isEmpty() ? std::nullopt : host_.KeywordLevel(item.keyword, item.origin);
    const TPermit permit = DecidePermission(settings_.permissionlevel, granted, level);
    if (permit == TPermit::Allow)
        return true;
    // A refusal holds for that keyword on that origin at that level until the program ends.
    const QString key = item.keyword + u'\n' + item.origin + u'\n' + QString::number(level);
    if (denied_.contains(key))
        return false;
    const bool known = permit == TPermit::Ask;
    TPermissionAsk ask;
    ask.question = PermissionQuestion(known ? host_.KeywordTitle(item.keyword) : QString(), level);
    ask.details = details;
    ask.choices = known ? TPromptChoices::OnceAlwaysOrRefuse : TPromptChoices::AllowOrRefuse;
    QPointer<TBridgeHandler> self(this);
    const TPromptAnswer answer = prompt_.Ask(ask);
    if (!self)
        return false;
    if (answer == TPromptAnswer::Refused) {
        denied_.insert(key);
        return false;
    }
    // The keyword may have gone while the dialog was open: then nothing is stored.
    if (answer == TPromptAnswer::Always && known && host_.KeywordLevel(item.keyword, item.origin))
        host_.GrantKeywordLevel(item.keyword, level, item.origin);
    return true;
}

void TBridgeHandler::Run(const TQueued& item) {
    const TBridgeRequest& request = item.request;
    const QJsonObject& p = request.params;
    const QString& m = request.method;
    // Answer first: the action may end the page.
    Reply(item, SuccessReply(request.id));
    if (m == QLatin1String("input_set")) {
        const QString text = Text(p, "text");
        const QString hint = Text(p, "hint");
        host_.SetInput(text);
        pageText_ = text;
        if (Flag(p, "focus"))
            host_.FocusInput(false, true, -1);
        if (text.isEmpty()) {
            host_.SetHint(QString());
        } else if (!hint.isEmpty()) {
            host_.SetHint(hint);
        } else if (!pageHint_.isEmpty()) {
            host_.SetHint(QString());
        }
        pageHint_ = text.isEmpty() ? QString() : hint;
    } else if (m == QLatin1String("input_focus")) {
        const int pos = p.contains(QStringLiteral("cursor_pos")) ? p.value(QStringLiteral("cursor_pos")).toInt(-1) : -1;
        host_.FocusInput(Flag(p, "select_all"), Flag(p, "cursor_end"), pos);
    } else if (m == QLatin1String("browser_focus")) {
        page_.FocusPage();
    } else if (m == QLatin1String("browser_dismiss")) {
        page_.Dismiss();
        host_.FocusInput(false, false, -1);
    } else if (m == QLatin1String("dismiss")) {
        host_.AfterCommand();
    } else if (m == QLatin1String("open_url")) {
        host_.OpenExternal(QUrl(Text(p, "url")), Flag(p, "history"));
        if (Flag(p, "dismiss"))
            host_.AfterCommand();
        if (Flag(p, "dismiss_browser"))
            page_.Dismiss();
    } else if (m == QLatin1String("input_run")) {
        const bool dismiss = Flag(p, "dismiss_browser");
        host_.RunInput(Text(p, "text"), Flag(p, "history"));
        if (dismiss)
            page_.Dismiss();
    }
}

} // namespace vantrelo
