// The embedded web view in the list window: opening, showing, ending, commands and windows.
#include "browser/browsercontroller.h"

#include "browser/bridgehandler.h"
#include "browser/bridgelogic.h"
#include "browser/browserform.h"
#include "browser/browserhost.h"
#include "browser/pagescript.h"
#include "core/settings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QNetworkCookie>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineCookieStore>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <utility>

namespace vantrelo {

namespace {

constexpr char kBlank[] = "about:blank";

QUrl Completed(const QString& target) {
    const QString t = target.trimmed();
    if (QFileInfo(t).isAbsolute() && QFileInfo::exists(t))
        return QUrl::fromLocalFile(t);
    if (!t.contains(QLatin1String(":/")) && !t.startsWith(QLatin1String("about:")) &&
        !t.startsWith(QLatin1String("data:")))
        return QUrl(QStringLiteral("http://") + t);
    return QUrl(t);
}

} // namespace

TBrowserController::TBrowserController(const TSettings& settings, TBrowserHost& host, TPermissionPrompt& prompt,
                                       QObject* parent)
    : QObject(parent), settings_(settings), host_(host), prompt_(prompt) {
    bridge_ = std::make_unique<TBridgeHandler>(settings_, *this, host_, prompt_);
    endpoint_ = std::make_unique<TBridgeEndpoint>();
    connect(endpoint_.get(), &TBridgeEndpoint::Posted, this, [this](const QString& m) { bridge_->Receive(m); });
}

TBrowserController::~TBrowserController() {
    // The pages go before their profile.
    for (const QPointer<TBrowserForm>& f : forms_)
        delete f.data();
    for (const QPointer<QWebEngineView>& v : ending_)
        delete v.data();
    delete view_.data();
}

bool TBrowserController::Exists() const { return view_ != nullptr; }
bool TBrowserController::HasPage() const { return view_ && !state_.opened.isEmpty(); }
QWebEngineView* TBrowserController::WebView() const { return view_; }
QWidget* TBrowserController::View() const { return view_; }

bool TBrowserController::Visible() const { return view_ && view_->isVisible(); }

void TBrowserController::CreateView() {
    if (view_)
        return;
    const QString folder = host_.ProfileFolder();
    if (!profile_ || profileFolder_ != folder) {
        delete profile_;
        profileFolder_ = folder;
        QDir().mkpath(folder);
        profile_ = new QWebEngineProfile(QStringLiteral("Default"), this);
        profile_->setPersistentStoragePath(folder);
        profile_->setCachePath(folder + QStringLiteral("/Cache"));
        engineUa_ = profile_->httpUserAgent();
        connect(profile_->cookieStore(), &QWebEngineCookieStore::cookieAdded, this,
                [this](const QNetworkCookie& c) { cookies_.append(c); });
        connect(profile_->cookieStore(), &QWebEngineCookieStore::cookieRemoved, this,
                [this](const QNetworkCookie& c) { cookies_.removeAll(c); });
        appliedUa_.clear();
    }
    ApplyUserAgent();
    QWidget* panel = host_.Panel();
    if (!panel->layout()) {
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    view_ = new QWebEngineView(panel);
    auto* page = new QWebEnginePage(profile_, view_);
    view_->setPage(page);
    panel->layout()->addWidget(view_);
    channel_ = new QWebChannel(page);
    channel_->registerObject(QStringLiteral("vantrelo_bridge"), endpoint_.get());
    // The engine starts with this page; the first real address is then never the one it drops.
    page->setUrl(QUrl(QLatin1String(kBlank)));
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        ++state_.navigation;
        loading_ = true;
    });
    connect(page, &QWebEnginePage::urlChanged, this, [this] { ++state_.navigation; });
    connect(page, &QWebEnginePage::loadFinished, this, &TBrowserController::Loaded);
    connect(page, &QWebEnginePage::newWindowRequested, this, &TBrowserController::NewWindowRequested);
    const auto key = [this](QKeySequence seq, std::function<void()> f) {
        auto* s = new QShortcut(seq, view_);
        s->setContext(Qt::WidgetWithChildrenShortcut);
        connect(s, &QShortcut::activated, this, std::move(f));
    };
    key(QKeySequence(Qt::Key_F1), [this] {
        if (settings_.startf1)
            host_.RunInput(QStringLiteral("$STARTPAGE$"), false);
        else
            host_.OpenHelp();
    });
    key(QKeySequence(Qt::Key_F2), [this] { Toggle(true, false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F2), [this] {
        QTimer::singleShot(300, this, [this] {
            host_.FocusInput(false, false, -1);
            End();
        });
    });
    key(QKeySequence(Qt::Key_F8), [this] { host_.SetInput(Location()); host_.FocusInput(false, true, -1); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F8), [this] {
        if (view_)
            host_.OpenExternal(view_->url(), false);
    });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F9), [this] { QTimer::singleShot(300, this, [this] { MoveToWindow(0, false); }); });
    key(QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_F10), [this] { MoveToWindow(1, false); });
    key(QKeySequence(Qt::SHIFT | Qt::Key_F11), [this] { QTimer::singleShot(300, this, [this] { MoveToWindow(1, true); }); });
}

void TBrowserController::ApplyUserAgent() {
    if (!profile_)
        return;
    const QString ua = UserAgent();
    if (ua == appliedUa_)
        return;
    appliedUa_ = ua;
    profile_->setHttpUserAgent(ua);
}

QString TBrowserController::UserAgent() const {
    return UserAgentFor(settings_.browserua, settings_.browserid, engineUa_);
}

void TBrowserController::Preload() {
    CreateView();
    state_ = TBrowserState{QUrl(QLatin1String(kBlank)), false, {}, {}, {}, false, {}, false, state_.navigation};
    view_->page()->setWebChannel(nullptr, QWebEngineScript::ApplicationWorld);
    view_->hide();
    view_->setUrl(QUrl(QLatin1String(kBlank)));
}

void TBrowserController::Display() {
    host_.ShowPanel();
    if (view_)
        view_->show();
}

void TBrowserController::Open(const TBrowserOpen& request) {
    bool connect = false;
    bool noReload = false;
    QString click;
    for (const QString& o : request.options) {
        if (o == QLatin1String("$BCONNECT$"))
            connect = true;
        else if (o == QLatin1String("$BNORELOAD$"))
            noReload = true;
        else if (o.startsWith(QLatin1String("$BCLICK$")))
            click = o.mid(8, o.size() - 16);
    }
    const bool sameKeyword = view_ && !request.keyword.isEmpty() && request.keyword == state_.keyword;
    CreateView();
    Display();
    state_.opened = Completed(request.target);
    state_.focusOnOpen = request.focus;
    state_.params = request.params;
    state_.pendingClick = click;
    state_.startShown = false;
    if (noReload && sameKeyword) {
        AfterLoad();
        return;
    }
    state_.connected = connect;
    // The transport lives in a script world of the launcher's own, where no script of a page or of
    // its frames can reach it, and only while a connected page is open at all.
    view_->page()->setWebChannel(connect ? channel_ : nullptr, QWebEngineScript::ApplicationWorld);
    state_.keyword = request.keyword;
    state_.input = request.line;
    ++opening_;
    typing_ = {};
    const QString typed = ParametersOf(request.line);
    const bool typing = request.typeWait > 0 && !typed.isEmpty();
    if (typing)
        state_.focusOnOpen = true;
    if (state_.focusOnOpen)
        FocusPage();
    ApplyUserAgent();
    view_->setUrl(state_.opened);
    if (typing) {
        typing_ = {opening_, typed, request.typeKind, false};
        const quint64 opening = opening_;
        QTimer::singleShot(request.typeWait, this, [this, opening] { TypingDue(opening); });
    }
}

void TBrowserController::TypingDue(quint64 opening) {
    if (opening != typing_.opening || typing_.text.isEmpty())
        return;
    typing_.due = true;
    // A page still loading gets the text when it has loaded.
    if (!loading_)
        TypeIntoPage();
}

void TBrowserController::TypeIntoPage() {
    const TTyping t = std::exchange(typing_, {});
    QWidget* focus = QApplication::focusWidget();
    const bool focused = view_ && focus && (focus == view_ || view_->isAncestorOf(focus));
    // Only into the page it was meant for, and only while that page has the keyboard: never into
    // whatever window took the focus meanwhile.
    if (t.opening != opening_ || !focused || !SameOrigin(state_.opened, view_->url())) {
        host_.Toast(QStringLiteral("Parameters not typed: the page no longer has the keyboard"));
        return;
    }
    QPointer<QWidget> target(focus);
    const bool enter = t.kind == 1 || t.kind == 3;
    // Typed and pasted both insert the text as typing would, without the user's clipboard.
    view_->page()->runJavaScript(InsertTextScript(t.text), [target, enter](const QVariant&) {
        if (!target || !enter)
            return;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
    });
}

void TBrowserController::Loaded(bool ok) {
    loading_ = false;
    if (!ok || !view_) {
        typing_ = {};
        return;
    }
    const quint64 navigation = state_.navigation;
    if (Connected(navigation)) {
        // The relay first: the page's requests wait for it.
        view_->page()->runJavaScript(RelayScript(), QWebEngineScript::ApplicationWorld);
        RunScript(PageScript() + u'\n' + StartScript({state_.input, host_.LineColor(), host_.LineBackground()}),
                  navigation);
    }
    AfterLoad();
    if (typing_.due)
        TypeIntoPage();
}

void TBrowserController::AfterLoad() {
    if (state_.focusOnOpen) {
        state_.focusOnOpen = false;
        FocusPage();
    }
    if (!state_.pendingClick.isEmpty()) {
        const QString click = state_.pendingClick;
        state_.pendingClick.clear();
        // Asked later from the queue, never inside the load's callback, for the keyword that opened the page.
        bridge_->Click(click, state_.keyword);
    }
}

void TBrowserController::Click(const QString& clicks, const QString& keyword) {
    if (view_)
        bridge_->Click(clicks, keyword);
}

QUrl TBrowserController::Current() const { return view_ ? view_->url() : QUrl(); }

void TBrowserController::NewWindowRequested(QWebEngineNewWindowRequest& request) {
    // Left unanswered, the request opens nothing. A script alone never opens a window, an unconnected
    // or foreign page never does, and a page gets one window at a time.
    if (!request.isUserInitiated() || !Connected(state_.navigation) || popup_)
        return;
    auto* form = new TBrowserForm(profile_, {}, true);
    forms_.append(form);
    popup_ = form;
    request.openIn(form->Page());
    form->show();
}

bool TBrowserController::Connected(quint64 navigation) const {
    return view_ && state_.connected && view_->isVisible() && navigation == state_.navigation &&
           SameOrigin(state_.opened, view_->url());
}

void TBrowserController::RunScript(const QString& script, quint64 navigation) {
    if (view_ && navigation == state_.navigation)
        view_->page()->runJavaScript(script);
}

void TBrowserController::UpdateInput(const QString& input) {
    if (Connected(state_.navigation))
        RunScript(InputScript(input), state_.navigation);
    if (settings_.fastbrowserhide && input.isEmpty() && Visible() && !state_.startShown)
        Dismiss();
}

void TBrowserController::FocusPage() {
    if (!view_)
        return;
    Display();
    // Keys go to the active window: the list window becomes it, and the page takes them there.
    view_->window()->raise();
    view_->window()->activateWindow();
    view_->setFocus(Qt::OtherFocusReason);
}

void TBrowserController::Dismiss() {
    if (!view_)
        return;
    view_->hide();
    host_.HidePanel();
    if (settings_.browserautoend)
        End();
}

void TBrowserController::End() {
    if (!view_)
        return;
    QWebEngineView* v = view_;
    view_ = nullptr;
    channel_ = nullptr; // a child of the page, going with it
    v->hide();
    host_.HidePanel();
    // Never inside the view's own handlers.
    ending_.removeAll(nullptr);
    ending_.append(v);
    v->deleteLater();
    state_ = TBrowserState{{}, false, {}, {}, {}, false, {}, false, state_.navigation + 1};
    ++opening_;
    typing_ = {};
    loading_ = false;
}

void TBrowserController::Clear() {
    state_.opened.clear();
    Preload();
}

void TBrowserController::Toggle(bool fromKeyboard, bool setFocus) {
    if (fromKeyboard && !HasPage()) {
        host_.Toast(NoPageToast(settings_.browserautoend));
        return;
    }
    if (!view_)
        return;
    if (host_.AppActive() && Visible()) {
        Dismiss();
        host_.FocusInput(false, false, -1);
        return;
    }
    Display();
    if (setFocus)
        FocusPage();
    if (!host_.AppActive())
        host_.ShowInputWindow();
}

void TBrowserController::StartPage(bool forced) {
    const QString page = settings_.startpage.trimmed();
    if (page.isEmpty() || (!forced && !settings_.startautoshow))
        return;
    if (state_.startShown && HasPage()) {
        if (forced && Visible()) {
            Dismiss();
            return;
        }
        if (!settings_.startreload) {
            Display();
            host_.FocusInput(false, false, -1);
            return;
        }
    }
    const QUrl url = Completed(page);
    const bool address = page.contains(QLatin1String("://")) || QFileInfo(page).isAbsolute();
    if (address) {
        if (HasPage() && state_.opened == url && !settings_.startreload) {
            Display();
        } else {
            TBrowserOpen o;
            o.target = page;
            o.line = host_.InputText();
            Open(o);
        }
    } else {
        // A keyword whose command opens the page.
        const std::optional<QString> command = host_.KeywordCommand(page);
        if (!command || !StartPageKeywordOpensAPage(*command, settings_.separator)) {
            host_.Toast(QStringLiteral("Start page keyword is not URL related"));
            return;
        }
        host_.RunInput(page, false);
    }
    state_.startShown = HasPage();
}

QString TBrowserController::Location() const {
    if (!view_)
        return QStringLiteral("No browser session found");
    return view_->url().toString();
}

void TBrowserController::Navigate(int how) {
    if (!view_)
        return;
    Display();
    if (how == 0)
        view_->back();
    else if (how == 1)
        view_->forward();
    else
        view_->reload();
}

void TBrowserController::OpenWindow(const QString& target, bool full) {
    CreateView(); // the profile the windows share
    TBrowserForm::TActions actions;
    actions.toPanel = [this](const QUrl& u) {
        TBrowserOpen o;
        o.target = u.toString();
        o.line = u.toString();
        Open(o);
        host_.SetInput(u.toString());
        host_.ShowInputWindow();
    };
    actions.toInput = [this](const QUrl& u) {
        host_.SetInput(u.toString());
        host_.ShowInputWindow();
    };
    actions.toExternal = [this](const QUrl& u) { host_.OpenExternal(u, false); };
    auto* form = new TBrowserForm(profile_, std::move(actions), true);
    forms_.append(form);
    form->View()->setUrl(Completed(target));
    if (full)
        form->SetFull(true);
    else
        form->show();
    form->View()->setFocus();
}

void TBrowserController::MoveToWindow(int mode, bool full) {
    if (!view_ || view_->url().isEmpty() || view_->url() == QUrl(QLatin1String(kBlank)))
        return;
    const QString location = view_->url().toString();
    // Both kinds become a window of this program: it keeps the pages' profile and keys.
    Q_UNUSED(mode);
    OpenWindow(location, full);
    End();
}

QString TBrowserController::FlushAll() {
    End();
    // The profile holds its files while any page of it lives: the windows close and it goes too.
    for (const QPointer<TBrowserForm>& f : forms_) {
        if (f)
            delete f.data();
    }
    forms_.clear();
    for (const QPointer<QWebEngineView>& v : ending_)
        delete v.data();
    ending_.clear();
    cookies_.clear();
    delete profile_;
    profile_ = nullptr;
    profileFolder_.clear();
    return RemoveBrowserFolder(host_.BrowserFolder());
}

void TBrowserController::FlushCurrent(const QString& origin) {
    if (!profile_ || !view_)
        return;
    const QUrl where = origin.isEmpty() ? view_->url() : QUrl(origin);
    const QString host = where.host();
    if (OriginOf(where).isEmpty()) {
        Clear();
        return;
    }
    // The origin's cookies through the store, its storage from inside a page of that origin.
    QWebEngineCookieStore* store = profile_->cookieStore();
    for (qsizetype i = cookies_.size() - 1; i >= 0; --i) {
        QString domain = cookies_[i].domain();
        if (domain.startsWith(u'.'))
            domain.remove(0, 1);
        if (host == domain || host.endsWith(u'.' + domain)) {
            store->deleteCookie(cookies_[i]);
            cookies_.removeAt(i);
        }
    }
    const bool samePage = OriginOf(view_->url()) == OriginOf(where);
    if (!samePage) {
        Clear();
        return;
    }
    const QString script = QStringLiteral(
        "try{localStorage.clear();sessionStorage.clear();}catch(e){}"
        "try{if(window.caches)caches.keys().then(k=>k.forEach(n=>caches.delete(n)));}catch(e){}"
        "try{if(indexedDB.databases)indexedDB.databases().then(d=>d.forEach(x=>indexedDB.deleteDatabase(x.name)));}"
        "catch(e){}");
    QPointer<TBrowserController> self(this);
    view_->page()->runJavaScript(script, [self](const QVariant&) {
        if (self)
            QTimer::singleShot(0, self, [self] { self->Clear(); });
    });
}

void TBrowserController::RunCommand(const QString& command) {
    if (command == QLatin1String("$BROWSERFLUSHALL$"))
        host_.Toast(FlushAll());
    else if (command == QLatin1String("$BROWSERFLUSHCURRENT$"))
        FlushCurrent(QString());
    else if (command == QLatin1String("$BROWSEREND$"))
        End();
    else if (command == QLatin1String("$BROWSERCLEAR$"))
        Clear();
    else if (command == QLatin1String("$BROWSERTOGGLE$"))
        Toggle(false, false);
    else if (command == QLatin1String("$BSETFOCUS$"))
        FocusPage();
}

} // namespace vantrelo
