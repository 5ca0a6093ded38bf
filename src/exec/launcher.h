// The launcher: prepares a command for the shell, captures output, fetches URL text, opens the
// embedded browser, single instances, web-address and indexed-name retries.
#pragma once

#include "exec/execcontext.h"
#include "exec/shellexecute.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace vantrelo {

class TExeWord;
class TMyShellItem;
class TIndexLookup;
class TPipelineView;
class TScheduler;
class TTaskRunner;
class TUrlFetcher;
class TRunningInstances;
class TEmbeddedBrowser;

// Result codes besides the shell's.
inline constexpr int kLaunchAsync = 35;
inline constexpr int kLaunchInBrowser = 5000;

// Output capture is bounded: a program that runs on or floods is cut off.
inline constexpr int kCaptureTimeoutMs = 30000;
inline constexpr qsizetype kCaptureMaxBytes = 4 * 1024 * 1024;
inline constexpr int kFetchTimeoutMs = 30000;
inline constexpr qsizetype kFetchMaxBytes = 8 * 1024 * 1024;

// Where captured or fetched text goes.
enum class TOutputTarget { None, Input, List, ListNoFocus };

// The launcher's own marks, taken out of a command text. The pipeline takes them from a keyword's
// template before substituting, so typed or pasted text can never add one.
struct TLaunchMarks {
    bool taken = false;
    TOutputTarget grab = TOutputTarget::None;
    TOutputTarget urlto = TOutputTarget::None;
    QStringList browserCommands; // flush, end, clear and toggle commands, in the order they run
    bool browserOpen = false;
    bool browserFocus = false;
    QStringList browserOptions;
    qint32 browserTypeWait = 0; // the page gets the parameters typed or pasted ("$PS", "$PP")
    qint32 browserTypeKind = 0;
    bool newWindow = false;
    bool newFull = false;
    QStringList browserActions;  // "$BCLICK$" spans and "$BSETFOCUS$" without an open
};

TLaunchMarks TakeLaunchMarks(QString& command);

struct TLaunchRequest {
    QString command;
    QString params;
    QString folder;
    int show = kShowNormal;
    bool async = false;
    bool fallback = false; // retry a bare web address as a URL
    bool elevated = false;
    bool onlyone = false;
    const TExeWord* keyword = nullptr;
    bool forcebrowser = false;
    qint32 asyncpause = 0;
    const TExeWord* parent = nullptr;
    TLaunchMarks marks; // when `marks.taken`, the command holds none any more
};

// The services the launcher reaches; the optional ones may be null.
struct TLauncherServices {
    TShellExecute* shell = nullptr;
    TPipelineView* view = nullptr;
    TScheduler* scheduler = nullptr;
    TTaskRunner* tasks = nullptr;
    TUrlFetcher* fetcher = nullptr;         // optional: "$URLTO...$" fails without it
    TRunningInstances* instances = nullptr; // optional: single instance is not checked without it
    TEmbeddedBrowser* browser = nullptr;    // optional: browser commands fail, pages open outside
    const TIndexLookup* index = nullptr;    // optional
};

class TLauncher {
public:
    TLauncher(TExecContext& ctx, const TLauncherServices& services);
    ~TLauncher();
    TLauncher(const TLauncher&) = delete;
    TLauncher& operator=(const TLauncher&) = delete;

    void SetIndex(const TIndexLookup* index) { svc_.index = index; }

    int LaunchCommand(TLaunchRequest request);
    // 33 when the item was started, 0 otherwise.
    int LaunchIndexedItem(const TMyShellItem& item, bool elevated);
    // The indexed entry of that name (a shortcut first); valid until the next lookup.
    const TMyShellItem* FindIndexedByName(const QString& text) const;
    // The `browser` setting, expanded; empty means the desktop's default handler.
    QString DefaultBrowser() const;

private:
    int Capture(const QString& command, const QString& params, const QString& folder, TOutputTarget target);
    int FetchUrl(const QString& url, TOutputTarget target);
    int RunBrowser(TLaunchRequest& r, bool& done);
    int Start(const TShellRequest& request, bool fallback);
    void Deliver(const QString& text, TOutputTarget target);
    bool IndexRetryAllowed() const;

    TExecContext& ctx_;
    TLauncherServices svc_;
    std::shared_ptr<bool> alive_;
    mutable std::unique_ptr<TMyShellItem> found_; // the last FindIndexedByName answer
};

// The trimmed address with the web prefix added when it has no scheme and is not a path.
QString enrichLazyUrl(const QString& url);

} // namespace vantrelo
