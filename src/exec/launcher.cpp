// Preparing commands for the shell and the launcher's special commands.
#include "exec/launcher.h"

#include "core/items.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/inputtext.h"
#include "exec/paramtokens.h"
#include "exec/pipelinehost.h"
#include "exec/pipelinemarks.h"
#include "platform/scheduler.h"
#include "exec/substitution.h"
#include "index/desktopentry.h"
#include "index/indexlookup.h"
#include "platform/environment.h"
#include "platform/filesystem.h"
#include "platform/runninginstances.h"
#include "platform/urlfetcher.h"

#include <QStringDecoder>

namespace vantrelo {

namespace {

bool TakeExact(QString& text, const QString& mark) {
    if (!text.contains(mark))
        return false;
    text.remove(mark);
    return true;
}

// Removes the span from `mark` through its next occurrence (only the mark when there is no second).
QString TakeSpan(QString& text, const QString& mark, Qt::CaseSensitivity cs) {
    const qsizetype p = text.indexOf(mark, 0, cs);
    if (p < 0)
        return {};
    const qsizetype q = text.indexOf(mark, p + mark.size(), cs);
    const qsizetype len = q < 0 ? mark.size() : q + mark.size() - p;
    const QString span = text.mid(p, len);
    text.remove(p, len);
    return span;
}

TOutputTarget TakeOutputMarks(QString& c, const QString& list, const QString& input, const QString& nofocus) {
    const bool l = TakeExact(c, list);
    const bool i = TakeExact(c, input);
    const bool n = TakeExact(c, nofocus);
    if (i)
        return TOutputTarget::Input;
    if (l)
        return TOutputTarget::List;
    return n ? TOutputTarget::ListNoFocus : TOutputTarget::None;
}

QString FolderOf(const QString& path) {
    const QString p = Unquoted(TrimText(path));
    const qsizetype cut = std::max(p.lastIndexOf(u'/'), p.lastIndexOf(u'\\'));
    return cut <= 0 ? (cut == 0 ? QStringLiteral("/") : QString()) : p.left(cut);
}

QString Joined(const QString& a, const QString& b) {
    if (a.isEmpty())
        return b;
    return b.isEmpty() ? a : a + u' ' + b;
}

// Text decoded by its byte-order mark, else in the system's 8-bit code page.
QString DecodeFetched(const QByteArray& bytes) {
    if (auto enc = QStringConverter::encodingForData(bytes)) {
        QStringDecoder dec(*enc);
        QString s = dec.decode(bytes);
        if (!s.isEmpty() && s.front() == QChar(0xFEFF))
            s.remove(0, 1);
        return s;
    }
    return QString::fromLocal8Bit(bytes);
}

constexpr char kError[] = "Error";

} // namespace

TLaunchMarks TakeLaunchMarks(QString& c) {
    TLaunchMarks m;
    m.taken = true;
    for (const char* w : {"$WFINDACTIVE$", "$WFINDCLOSE$"})
        TakeSpan(c, QLatin1String(w), Qt::CaseSensitive);
    m.grab = TakeOutputMarks(c, QStringLiteral("$GRABTOLIST$"), QStringLiteral("$GRABTOINPUT$"),
                             QStringLiteral("$GRABTOLISTNOFOCUS$"));
    m.urlto = TakeOutputMarks(c, QStringLiteral("$URLTOLIST$"), QStringLiteral("$URLTOINPUT$"),
                              QStringLiteral("$URLTOLISTNOFOCUS$"));
    for (const char* b : {"$BROWSERFLUSHALL$", "$BROWSERFLUSHCURRENT$", "$BROWSEREND$", "$BROWSERCLEAR$",
                          "$BROWSERTOGGLE$"}) {
        if (TakeExact(c, QLatin1String(b)))
            m.browserCommands << QLatin1String(b);
    }
    const bool focusing = c.contains(QLatin1String("$BROWSER$")) || c.contains(QLatin1String("$B$"));
    const bool nofocus = c.contains(QLatin1String("$BROWSERNOFOCUS$")) || c.contains(QLatin1String("$BN$"));
    // A chain's own markers never reach a program.
    TakeMark(c, QStringLiteral("$NOHIDE$"));
    TakeMark(c, QStringLiteral("$ASYNC$"));
    if (focusing || nofocus) {
        m.browserOpen = true;
        const TPasteMarks typing = ParsePasteMarks(c);
        m.browserTypeWait = typing.afterwait;
        m.browserTypeKind = typing.aftertype;
        m.browserFocus = focusing || ContainsText(c, QStringLiteral("$BSETFOCUS$"));
        for (const char* b : {"$BROWSER$", "$BROWSERNOFOCUS$", "$B$", "$BN$"})
            TakeExact(c, QLatin1String(b));
        for (const char* b : {"$BCONNECT$", "$BSETFOCUS$", "$BNORELOAD$"}) {
            if (TakeMark(c, QLatin1String(b)))
                m.browserOptions << QLatin1String(b);
        }
        if (const QString span = TakeSpan(c, QStringLiteral("$BCLICK$"), Qt::CaseSensitive); !span.isEmpty())
            m.browserOptions << span;
        return m;
    }
    m.newWindow = TakeExact(c, QStringLiteral("$BNEWWIN$"));
    m.newFull = TakeExact(c, QStringLiteral("$BNEWFULL$"));
    if (m.newWindow || m.newFull)
        return m;
    if (const QString span = TakeSpan(c, QStringLiteral("$BCLICK$"), Qt::CaseSensitive); !span.isEmpty())
        m.browserActions << span;
    if (TakeMark(c, QStringLiteral("$BSETFOCUS$")))
        m.browserActions << QStringLiteral("$BSETFOCUS$");
    return m;
}

QString enrichLazyUrl(const QString& url) {
    const QString t = TrimText(url);
    if (!t.contains(QLatin1String(":/")) && !IsPath(t))
        return QString::fromUtf16(kWebPrefix) + t;
    return t;
}

TLauncher::TLauncher(TExecContext& ctx, const TLauncherServices& services)
    : ctx_(ctx), svc_(services), alive_(std::make_shared<bool>(true)) {}

TLauncher::~TLauncher() = default;

QString TLauncher::DefaultBrowser() const {
    const QString b = ctx_.settings.browser;
    return TrimText(b).isEmpty() ? QString() : TrimText(ctx_.expandCommand(b, true));
}

bool TLauncher::IndexRetryAllowed() const {
    const QString r = TrimText(ctx_.settings.resolveindexed);
    return !SameText(r, QStringLiteral("off")) && r != QLatin1String("0");
}

const TMyShellItem* TLauncher::FindIndexedByName(const QString& text) const {
    const QString t = LowerText(TrimText(text));
    if (t.isEmpty() || !svc_.index)
        return nullptr;
    // The index hands out passing copies: the one chosen is kept for the caller.
    found_.reset();
    svc_.index->ForEachNamed(t, [this](const TMyShellItem& item) {
        found_ = std::make_unique<TMyShellItem>(item);
        return !IsShortcut(item.path); // a shortcut wins
    });
    if (found_ && SameText(TrimText(ctx_.settings.resolveindexed), QStringLiteral("shortcut")) &&
        !IsShortcut(found_->path))
        return nullptr;
    return found_.get();
}

int TLauncher::LaunchIndexedItem(const TMyShellItem& item, bool elevated) {
    const TFileSystem& files = *ctx_.services.files;
    QString target = item.path;
    if (!files.FileExists(target) && !files.FolderExists(target)) {
        // The entry may have moved inside its folder: look for its name there.
        const QString candidate = (item.root.endsWith(u'/') ? item.root : item.root + u'/') + item.name;
        if (item.root.isEmpty() || !(files.FileExists(candidate) || files.FolderExists(candidate)))
            return 0;
        target = candidate;
    }
    TShellRequest r;
    r.verb = elevated ? QStringLiteral("runas") : QString();
    r.file = target;
    const QString folder = FolderOf(target);
    if (!IsShortcut(target) && files.FolderExists(folder))
        r.folder = folder;
    return svc_.shell->ShellExecute(r) > kLaunchFailed ? kLaunchDone : 0;
}

void TLauncher::Deliver(const QString& text, TOutputTarget target) {
    if (!svc_.view)
        return;
    if (target == TOutputTarget::Input)
        svc_.view->SetNewWord(text, true, false);
    else
        svc_.view->ShowOutput(text, target == TOutputTarget::List);
}

int TLauncher::Capture(const QString& command, const QString& params, const QString& folder, TOutputTarget target) {
    const QString program = Unquoted(TrimText(command));
    const QString path = ctx_.services.environment->Variable(QStringLiteral("PATH")).value_or(QString());
    if (FindProgram(program, path).isEmpty()) {
        Deliver(QLatin1String(kError), target);
        return kLaunchFailed;
    }
    TSpawnRequest request;
    request.program = program;
    request.args = SplitParameters(params);
    request.folder = folder;
    request.show = kShowHidden;
    auto result = std::make_shared<TCaptureResult>();
    TShellExecute* shell = svc_.shell;
    std::weak_ptr<bool> alive = alive_;
    svc_.tasks->Run([shell, request, result] { *result = shell->Capture(request, kCaptureTimeoutMs, kCaptureMaxBytes); },
                    [this, alive, result, target] {
                        if (alive.expired())
                            return;
                        Deliver(result->started ? QString::fromLocal8Bit(result->output) : QLatin1String(kError),
                                target);
                    });
    return kLaunchDone;
}

int TLauncher::FetchUrl(const QString& url, TOutputTarget target) {
    if (!svc_.fetcher) {
        Deliver(QLatin1String(kError), target);
        return kLaunchFailed;
    }
    std::weak_ptr<bool> alive = alive_;
    svc_.fetcher->Fetch(TrimText(url), kFetchTimeoutMs, kFetchMaxBytes, [this, alive, target](const TFetchResult& r) {
        if (!alive.expired())
            Deliver(r.ok ? DecodeFetched(r.body) : QLatin1String(kError), target);
    });
    return kLaunchDone;
}

int TLauncher::RunBrowser(TLaunchRequest& r, bool& done) {
    TLaunchMarks& m = r.marks;
    done = false;
    const bool anything = !m.browserCommands.isEmpty() || m.browserOpen || r.forcebrowser || m.newWindow ||
                          m.newFull || !m.browserActions.isEmpty();
    if (!anything)
        return 0;
    TEmbeddedBrowser* b = svc_.browser;
    if (!b) {
        // Without the embedded browser a page still opens in the desktop's browser; its own
        // commands cannot be carried out.
        if (!m.browserCommands.isEmpty() || !m.browserActions.isEmpty()) {
            if (TrimText(r.command).isEmpty()) {
                done = true;
                return kLaunchFailed;
            }
        }
        return 0;
    }
    for (const QString& c : m.browserCommands)
        b->RunCommand(c);
    if (!m.browserCommands.isEmpty() && TrimText(r.command).isEmpty()) {
        done = true;
        return kLaunchDone;
    }
    if (m.browserOpen || r.forcebrowser) {
        TBrowserOpen o;
        o.target = TrimText(r.command);
        o.options = m.browserOptions;
        o.params = r.params;
        o.line = svc_.view ? svc_.view->LineText() : QString();
        const TExeWord* kw = r.keyword ? r.keyword : r.parent;
        o.keyword = kw ? kw->keywords : QString();
        o.focus = m.browserFocus || (r.forcebrowser && ctx_.settings.altenter > 0);
        o.typeWait = m.browserTypeWait;
        o.typeKind = m.browserTypeKind;
        b->Open(o);
        done = true;
        return r.forcebrowser ? kLaunchInBrowser : kLaunchDone;
    }
    if (m.newWindow || m.newFull) {
        b->OpenWindow(TrimText(r.command), m.newFull);
        done = true;
        return kLaunchDone;
    }
    const TExeWord* running = r.keyword ? r.keyword : r.parent;
    for (const QString& a : m.browserActions) {
        if (a.startsWith(QLatin1String("$BCLICK$")))
            b->Click(a.mid(8, a.size() - 16), running ? running->keywords : QString());
        else
            b->RunCommand(a);
    }
    done = TrimText(r.command).isEmpty();
    return kLaunchDone;
}

int TLauncher::Start(const TShellRequest& request, bool fallback) {
    const TSettings& s = ctx_.settings;
    const QString browser = DefaultBrowser();
    // What the shell has to say about the run (a desktop entry's missing terminal or folder).
    QString notice;
    const auto viaBrowser = [&](TShellRequest r) {
        if (IsUrl(r.file) && !s.simplebrowser && !browser.isEmpty()) {
            r.params = r.file;
            r.file = browser;
            r.folder = FolderOf(browser);
        }
        r.notice = &notice;
        return r;
    };
    int code = svc_.shell->ShellExecute(viaBrowser(request));
    if (fallback && code <= kLaunchFailed && IsBareWebAddress(TrimText(request.file))) {
        TShellRequest web = request;
        web.file = QString::fromUtf16(kWebPrefix) + TrimText(request.file);
        web.params.clear();
        if (s.urlmaxed)
            web.show = kShowMaximized;
        code = svc_.shell->ShellExecute(viaBrowser(web));
    }
    if (code <= kLaunchFailed && IndexRetryAllowed()) {
        if (const TMyShellItem* item = FindIndexedByName(request.file))
            code = LaunchIndexedItem(*item, request.Elevated());
    }
    if (!notice.isEmpty() && svc_.view)
        svc_.view->ShowToast(notice);
    return code;
}

int TLauncher::LaunchCommand(TLaunchRequest r) {
    const TSettings& s = ctx_.settings;
    if (!r.marks.taken)
        r.marks = TakeLaunchMarks(r.command);
    QString verb = r.elevated ? QStringLiteral("runas") : QStringLiteral("open");
    if (IsPath(r.command) && r.command.startsWith(u'\\') && !r.command.startsWith(QLatin1String("\\\\"))) {
        if (auto drive = ctx_.services.environment->Variable(QStringLiteral("HOMEDRIVE")))
            r.command.prepend(*drive);
    }
    if (IsPath(r.command) && IsShortcut(r.command))
        verb.clear(); // a shortcut opens with its own default verb
    const QString bare = Unquoted(TrimText(r.command));
    if (LowerText(bare).endsWith(QLatin1String(".cpl")) && !StartsText(QStringLiteral("control"), bare)) {
        r.params = r.command;
        r.command = QStringLiteral("control.exe");
    }
    if (!TrimText(s.explore).isEmpty() && ctx_.services.files->FolderExists(bare)) {
        QString program = TrimText(ctx_.expandCommand(s.explore, true));
        if (!program.startsWith(u'"'))
            program = u'"' + program + u'"';
        r.command = program + QStringLiteral(" \"") + bare + u'"';
    }
    // A quoted program followed by its own arguments; the given parameters follow them.
    if (r.command.startsWith(u'"')) {
        const qsizetype close = r.command.indexOf(u'"', 1);
        if (close > 0) {
            r.params = Joined(TrimText(r.command.mid(close + 1)), r.params);
            r.command = TrimText(r.command.mid(1, close - 1));
        }
    }
    if (r.folder.isEmpty() && IsPath(r.command) && !s.dontsetdefaultdir && !IsShortcut(r.command))
        r.folder = FolderOf(r.command);
    if (!r.params.isEmpty() && StartsText(QStringLiteral("shell:"), r.command)) {
        r.command = u'"' + r.command + u' ' + r.params + u'"';
        r.params.clear();
    }
    if (r.onlyone && IsPath(r.command) && svc_.instances) {
        const QString program = Unquoted(TrimText(r.command));
        const bool full = program.contains(u'/') || program.contains(u'\\');
        if (svc_.instances->ActivateRunning(program, full))
            return kLaunchDone;
    }
    if (r.marks.grab != TOutputTarget::None)
        return Capture(r.command, r.params, r.folder, r.marks.grab);
    if (r.marks.urlto != TOutputTarget::None)
        return FetchUrl(r.command, r.marks.urlto);
    bool done = false;
    const int browserCode = RunBrowser(r, done);
    if (done)
        return browserCode;

    TShellRequest request;
    request.verb = verb;
    request.file = r.command;
    request.params = r.params;
    request.folder = r.folder;
    request.show = r.show;
    if (r.async) {
        // Started a moment later from the event loop; as with any background start, its result
        // is not reported.
        std::weak_ptr<bool> alive = alive_;
        const bool fallback = r.fallback;
        svc_.scheduler->RunLater(ClampWait(5 + qint64(std::max<qint32>(r.asyncpause, 0))),
                                 [this, alive, request, fallback] {
                                     if (!alive.expired())
                                         Start(request, fallback);
                                 });
        return kLaunchAsync;
    }
    return Start(request, r.fallback);
}

} // namespace vantrelo
