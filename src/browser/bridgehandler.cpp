// Requests from a connected page: checked, queued, permitted and answered.
#include "browser/bridgehandler.h"

#include "browser/browsercontroller.h"
#include "browser/browserhost.h"
#include "core/settings.h"

#include <QPointer>
#include <QTimer>
#include <QWebEngineView>

namespace vantrelo {

namespace {

bool Flag(const QJsonObject& o, const char* name) { return o.value(QLatin1String(name)).toBool(); }
QString Text(const QJsonObject& o, const char* name) { return o.value(QLatin1String(name)).toString(); }

} // namespace

TBridgeHandler::TBridgeHandler(const TSettings& settings, TBrowserController& browser, TBrowserHost& host,
                               TPermissionPrompt& prompt)
    : settings_(settings), browser_(browser), host_(host), prompt_(prompt) {}

void TBridgeHandler::Receive(const QString& message) {
    const quint64 navigation = browser_.State().navigation;
    if (!browser_.Connected(navigation))
        return;
    const std::optional<TBridgeRequest> request = ParseRequest(message);
    if (!request)
        return;
    // Never inside the engine's own callback: the request may end the view that carries it.
    QPointer<TBridgeHandler> self(this);
    QTimer::singleShot(0, this, [self, r = *request, navigation] {
        if (self)
            self->Process(r, navigation);
    });
}

void TBridgeHandler::Reply(const TBridgeRequest&, quint64 navigation, const QString& script) {
    browser_.RunScript(script, navigation);
}

void TBridgeHandler::Process(const TBridgeRequest& request, quint64 navigation) {
    if (!browser_.Connected(navigation))
        return;
    const int level = MethodLevel(request.method);
    if (level == 0) {
        Reply(request, navigation, ErrorReply(request.id, QStringLiteral("-32601"), QLatin1String(kNoMethod)));
        return;
    }
    QString details;
    if (request.method == QLatin1String("open_url"))
        details = QStringLiteral("The URL that will be opened:\r\n\"") + PromptDetail(Text(request.params, "url")) +
                  u'"';
    else if (request.method == QLatin1String("input_run"))
        details = QStringLiteral("The input command that will be run:\r\n\"") +
                  PromptDetail(Text(request.params, "text")) + u'"';
    if (!Permit(level, details) || !browser_.Connected(navigation)) {
        Reply(request, navigation, ErrorReply(request.id, QStringLiteral("403"), QLatin1String(kForbidden)));
        return;
    }
    Run(request, navigation);
}

bool TBridgeHandler::Permit(int level, const QString& details) {
    const TBrowserState& st = browser_.State();
    const std::optional<int> granted = host_.KeywordLevel(st.keyword);
    const TPermit permit = DecidePermission(settings_.permissionlevel, granted, level);
    if (permit == TPermit::Allow)
        return true;
    const QString key = OriginOf(browser_.WebView() ? browser_.WebView()->url() : QUrl()) + u' ' + QString::number(level);
    // One prompt at a time; a refused level stays refused for this page until the program ends.
    if (prompting_ || denied_.contains(key))
        return false;
    const bool known = permit == TPermit::Ask;
    const QString title = known ? host_.KeywordTitle(st.keyword) : QString();
    prompting_ = true;
    const int answer = prompt_.Ask(PermissionQuestion(title, level, details), known);
    prompting_ = false;
    if (answer == 0) {
        denied_.insert(key);
        return false;
    }
    // The keyword may have gone while the dialog was open: then nothing is stored.
    if (answer == 2 && known && host_.KeywordLevel(st.keyword))
        host_.GrantKeywordLevel(st.keyword, level);
    return true;
}

void TBridgeHandler::Run(const TBridgeRequest& request, quint64 navigation) {
    const QJsonObject& p = request.params;
    const QString& m = request.method;
    if (m == QLatin1String("open_url") && !ExternalUrlAllowed(QUrl(Text(p, "url")))) {
        Reply(request, navigation, ErrorReply(request.id, QStringLiteral("-32602"), QStringLiteral("Invalid params")));
        return;
    }
    // Answer first: the action may end the page.
    Reply(request, navigation, SuccessReply(request.id));
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
        browser_.FocusPage();
    } else if (m == QLatin1String("browser_dismiss")) {
        browser_.Dismiss();
        host_.FocusInput(false, false, -1);
    } else if (m == QLatin1String("dismiss")) {
        host_.AfterCommand();
    } else if (m == QLatin1String("open_url")) {
        host_.OpenExternal(QUrl(Text(p, "url")), Flag(p, "history"));
        if (Flag(p, "dismiss"))
            host_.AfterCommand();
        if (Flag(p, "dismiss_browser"))
            browser_.Dismiss();
    } else if (m == QLatin1String("input_run")) {
        const bool dismiss = Flag(p, "dismiss_browser");
        host_.RunInput(Text(p, "text"), Flag(p, "history"));
        if (dismiss)
            browser_.Dismiss();
    }
}

} // namespace vantrelo
