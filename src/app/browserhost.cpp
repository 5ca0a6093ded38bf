// The launcher's side of the embedded browser: its windows, line, keywords and folders.
#include "app/browserhost.h"

#include "app/appcontext.h"
#include "app/engine.h"
#include "app/inputcontroller.h"
#include "app/programcontroller.h"
#include "browser/bridgelogic.h"
#include "browser/browsermodule.h"
#include "browser/permissionprompt.h"
#include "commands/commandcall.h"
#include "commands/dispatcher.h"
#include "core/incognito.h"
#include "core/text.h"
#include "exec/pipeline.h"
#include "platform/startup/dashcommands.h"
#include "ui/cmdform.h"
#include "ui/idleinfo.h"
#include "ui/mainform.h"
#include "ui/wordedit.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QTimer>
#include <QUrl>

namespace vantrelo {

namespace {

// 0x00BBGGRR as "#rrggbb".
QString HexColour(int bgr) {
    return QStringLiteral("#%1%2%3")
        .arg(bgr & 0xff, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 8) & 0xff, 2, 16, QLatin1Char('0'))
        .arg((bgr >> 16) & 0xff, 2, 16, QLatin1Char('0'));
}

TExeWord* KeywordNamed(const TKeywordList& list, const QString& names) {
    if (names.isEmpty())
        return nullptr;
    for (const auto& w : list) {
        if (w->keywords == names)
            return w.get();
    }
    return nullptr;
}

// Gives the start page its chance each time the input window comes up (`startautoshow`).
class TStartPageOnShow final : public QObject {
public:
    TStartPageOnShow(TAppContext& c, TBrowserModule& b) : QObject(c.form.get()), c_(c), b_(b) {
        c.form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        // Once the show has set the line (cleared, kept, selected), never in the middle of it.
        if (e->type() == QEvent::Show && c_.data.settings.startautoshow && !c_.data.settings.startpage.isEmpty())
            QTimer::singleShot(0, this, [this] { Check(); });
        return false;
    }

private:
    void Check() {
        if (!c_.form->isVisible())
            return;
        const TLineState line = c_.form->Line();
        TStartPageCheck check;
        check.autoshow = c_.data.settings.startautoshow;
        check.listCustomShown = c_.form->CmdForm()->isVisible() && c_.form->CmdForm()->CustomElementShowing();
        check.line = line.text;
        check.lineAllSelected = line.AllSelected();
        check.lineIsInfo = c_.form->IdleInfo() && c_.form->IdleInfo()->HoldsInfo(line.text);
        if (StartPageMayShow(check))
            b_.StartPage(false);
    }

    TAppContext& c_;
    TBrowserModule& b_;
};

} // namespace

void BuildBrowser(TAppContext& c) {
    c.browserHost = std::make_unique<TAppBrowserHost>(c);
    c.permission = std::make_unique<TQtPermissionPrompt>(c.form.get());
    c.browser = std::make_unique<TBrowserModule>(c.data.settings, *c.browserHost, *c.permission,
                                                 TBrowserModule::Candidates(QCoreApplication::applicationDirPath()));
}

void WireBrowser(TAppContext& c) {
    TBrowserModule& b = *c.browser;
    QObject::connect(c.form->WordEdit(), &QLineEdit::textChanged, c.form.get(),
                     [&b](const QString& text) { b.UpdateInput(text); });
    TCommandDispatcher& d = c.engine->Dispatcher();
    using B = TCommandBlock;
    d.SetHandler(B::BrowserUrl, [&c, &b](TCommandCall&) { c.program->SetNewWord(b.Location(), true, false); });
    d.SetHandler(B::BrowserExpand, [&c, &b](TCommandCall& call) {
        const QString location = b.Exists() ? b.Location() : QString();
        if (!location.contains(u':')) {
            c.program->SetNewWord(QStringLiteral("No browser session found"), true, false);
            return;
        }
        c.program->OpenWithShell(location);
        call.noafter = false;
    });
    d.SetHandler(B::BrowserWin, [&b](TCommandCall&) { b.MoveToWindow(0, false); });
    d.SetHandler(B::BrowserWinExe, [&b](TCommandCall&) { b.MoveToWindow(1, false); });
    d.SetHandler(B::BrowserWinFull, [&b](TCommandCall&) { b.MoveToWindow(1, true); });
    d.SetHandler(B::BrowserBack, [&b](TCommandCall&) { b.Navigate(0); });
    d.SetHandler(B::BrowserForward, [&b](TCommandCall&) { b.Navigate(1); });
    d.SetHandler(B::BrowserRefresh, [&b](TCommandCall&) { b.Navigate(2); });
    d.SetHandler(B::StartPage, [&c, &b](TCommandCall&) {
        if (c.data.settings.startpage.isEmpty()) {
            c.program->SetNewWord(QStringLiteral("No start page defined (Settings>Browser)"), true, false);
            return;
        }
        if (QApplication::activeWindow() == nullptr)
            c.program->ShowInputWindow();
        b.StartPage(true);
    });
    new TStartPageOnShow(c, b); // a child of the input window
    const TSettings& s = c.data.settings;
    if (s.browserpreload && !s.startautoshow)
        QTimer::singleShot(0, c.form.get(), [&b] { b.Preload(); });
}

QWidget* TAppBrowserHost::Panel() { return ctx_.form->CmdForm()->BrowserPanel(); }
// The badge of a page in the background follows the panel.
void TAppBrowserHost::ShowPanel() {
    ctx_.form->ShowBrowserPanel();
    ctx_.program->SetStatePanel();
}

void TAppBrowserHost::HidePanel() {
    ctx_.form->HideBrowserPanel();
    ctx_.program->SetStatePanel();
}
bool TAppBrowserHost::AppActive() const { return QApplication::activeWindow() != nullptr; }
void TAppBrowserHost::ShowInputWindow() { ctx_.program->ShowInputWindow(); }
QString TAppBrowserHost::InputText() const { return ctx_.form->Line().text; }

void TAppBrowserHost::SetInput(const QString& text) {
    // Cursor at the end, the list left as it is.
    ctx_.form->SetLineText(text, false);
    ctx_.form->SetCaret(int(text.size()), int(text.size()));
}

void TAppBrowserHost::FocusInput(bool selectAll, bool cursorEnd, int pos) {
    ctx_.form->FocusLine();
    const int size = int(ctx_.form->Line().text.size());
    if (selectAll)
        ctx_.form->SetLineSelection(0, size);
    if (cursorEnd)
        ctx_.form->SetCaret(size, size);
    if (pos >= 0)
        ctx_.form->SetCaret(qMin(pos, size), qMin(pos, size));
}

void TAppBrowserHost::SetHint(const QString& hint) { ctx_.form->WordEdit()->setPlaceholderText(hint); }

void TAppBrowserHost::RunInput(const QString& text, bool history) {
    TExecRequest r = TExecRequest::Typed(text);
    r.forcenosound = true;
    r.forcenohist = !history;
    ctx_.program->Run(r);
}

void TAppBrowserHost::OpenExternal(const QUrl& url, bool history) {
    // Straight to the desktop's handler of web and mail addresses: no command names, no programs.
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https") && scheme != QLatin1String("mailto"))
        return;
    QDesktopServices::openUrl(url);
    if (history)
        ctx_.data.history.AddToHistory(url.toString(), nullptr, false, false);
}

void TAppBrowserHost::AfterCommand() { ctx_.engine->Pipeline().Aftercommand(true); }
void TAppBrowserHost::Toast(const QString& text) { ctx_.program->ShowToast(text); }
void TAppBrowserHost::OpenHelp() { ctx_.program->OpenWithShell(HelpPageUrl()); }
QString TAppBrowserHost::LineColor() const { return HexColour(ctx_.data.settings.textcolor); }
QString TAppBrowserHost::LineBackground() const { return HexColour(ctx_.data.settings.textbackcolor); }

std::optional<int> TAppBrowserHost::KeywordLevel(const QString& names, const QString& origin) const {
    if (const TExeWord* w = KeywordNamed(ctx_.data.keywords, names))
        return GrantedLevel(w->permissionlevel, w->permissionorigin, w->command, origin);
    return std::nullopt;
}

void TAppBrowserHost::GrantKeywordLevel(const QString& names, int level, const QString& origin) {
    if (TExeWord* w = KeywordNamed(ctx_.data.keywords, names)) {
        w->permissionlevel = level;
        w->permissionorigin = origin;
        ctx_.program->WriteSettings();
    }
}

QString TAppBrowserHost::KeywordTitle(const QString& names) const {
    if (const TExeWord* w = KeywordNamed(ctx_.data.keywords, names))
        return w->DefaultKeyword();
    return names;
}

std::optional<QString> TAppBrowserHost::KeywordCommand(const QString& name) const {
    if (const TExeWord* w = ctx_.data.keywords.FindKeyword(LowerText(name.trimmed()), true))
        return w->command;
    return std::nullopt;
}

QString TAppBrowserHost::ProfileFolder() const {
    const TSettings& s = ctx_.data.settings;
    if (IncognitoSuppresses(s.incognito, s.incognitoconfig, QStringLiteral("b")))
        return ctx_.store.Places().IncognitoFolder();
    return BrowserFolder();
}

QString TAppBrowserHost::BrowserFolder() const { return ctx_.store.Places().dataFolder + QStringLiteral("EBWebView"); }

} // namespace vantrelo
