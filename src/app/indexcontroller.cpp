// The file index in the running program: its refresher, the hand-over of a new index, the idle rescans.
#include "app/indexcontroller.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/programcontroller.h"
#include "app/suggestbridge.h"
#include "app/windowcontroller.h"
#include "commands/dispatcher.h"
#include "core/items.h"
#include "index/indexlookup.h"
#include "commands/indexcommands.h"
#include "index/iconwarmup.h"
#include "index/indexfiles.h"
#include "index/indexrefresh.h"
#include "index/scanroots.h"
#include "platform/linux/xidletime.h"
#include "suggest/indexsnapshot.h"
#include "ui/mainform.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QTextStream>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vantrelo {

TIndexController::TIndexController(TAppContext& ctx) : ctx_(ctx) {
    TIndexRefresher::TSetup setup;
    setup.settings = &ctx.data.settings;
    setup.clock = &ctx.sys->clock;
    setup.roots = TScanRoots::FromEnvironment();
    setup.dataFolder = ctx.store.Places().dataFolder;
    setup.safemode = ctx.safeMode;
    const TScanRoots roots = setup.roots;
    refresher_ = std::make_unique<TIndexRefresher>(setup);
    warmUp_ = std::make_unique<TIconWarmUp>(ctx.data.settings, ctx.sys->clock, ctx.safeMode,
                                            [roots](const QString& text) { WarmIconTarget(text, roots); });
    // A finished rescan replaces the live index on this thread; the suggestions share it.
    QObject::connect(refresher_.get(), &TIndexRefresher::indexReplaced, ctx.owner, [this] { Adopt(); });
    QObject::connect(refresher_.get(), &TIndexRefresher::cacheSaveFailed, ctx.owner, [this](const QString& error) {
        cacheDirty_ = true;
        ctx_.program->ShowToast(error);
    });
    TCommandDispatcher& dispatcher = ctx.engine->Dispatcher();
    RegisterIndexCommands(dispatcher, *refresher_, [this] { return ctx_.form->Line().text; });
    dispatcher.SetHandler(TCommandBlock::Pin, [this](TCommandCall& c) { ctx_.window->RunPin(c.para); });
    dispatcher.SetHandler(TCommandBlock::Edit, [this](TCommandCall& c) { ctx_.window->RunEdit(c.para); });
}

TIndexController::~TIndexController() = default;

void TIndexController::Adopt() {
    if (ctx_.closing || !refresher_->Index())
        return;
    cacheDirty_ = false;
    // The index is in place: the rows' icons are the next thing the list will need.
    StartIconWarmUp();
    // The suggestions switch over once a worker has prepared the names (tens of milliseconds for
    // a large index, which typing must not wait for); an index that arrives meanwhile makes this
    // one's names stale.
    // An index that the cache file holds comes from the snapshot beside it, which the worker maps
    // (or prepares and writes again when it is missing, stale or damaged).
    std::shared_ptr<const TIndexList> live = refresher_->SharedIndex();
    const QString cacheFile = refresher_->CacheFile();
    const std::optional<TCacheStamp> stamp = refresher_->CacheStamp();
    auto image = std::make_shared<std::shared_ptr<const TIndexImage>>();
    const quint64 generation = ++generation_;
    ctx_.desk->tasks->Run([live, cacheFile, stamp, image] { *image = PrepareIndex(*live, cacheFile, stamp); },
                          [this, image, generation] {
                              if (ctx_.closing || generation != generation_)
                                  return;
                              ctx_.suggest->AdoptIndexImage(std::move(*image));
                              // The image serves every reader now; the cache holds the list.
                              refresher_->ReleaseList();
#ifdef __GLIBC__
                              // The reading buffers and the replaced index are free now; give
                              // their pages back instead of keeping them in the arenas.
                              ::malloc_trim(0);
#endif
                          });
}

void TIndexController::Start() {
    LoadCache();
    refresher_->OnStart();
    StartIconWarmUp();
    StartIdleTimer();
}

void TIndexController::LoadCache() {
    if (!refresher_->CacheWanted())
        return;
    // A worker maps the cache's prepared snapshot; only when it is missing or unsound is the cache
    // itself read (it then arrives through indexReplaced and the snapshot is made again). The
    // window never waits for either.
    const QString cacheFile = refresher_->CacheFile();
    auto image = std::make_shared<std::shared_ptr<const TIndexImage>>();
    ctx_.desk->tasks->Run([cacheFile, image] { *image = OpenIndexSnapshot(cacheFile); },
                          [this, image] {
                              if (ctx_.closing)
                                  return;
                              if (!*image) {
                                  refresher_->LoadCacheAsync();
                                  return;
                              }
                              if (refresher_->AdoptCacheSnapshot((*image)->LineCount(), (*image)->Stamp()))
                                  ctx_.suggest->AdoptIndexImage(std::move(*image));
                          });
}

void TIndexController::Activated() { refresher_->OnActivate(); }

void TIndexController::SettingsApplied() {
    refresher_->OnSettingsApplied();
    StartIconWarmUp();
}

bool TIndexController::StartIconWarmUp() {
    if (ctx_.closing || !WantsIconWarmUp(ctx_.data.settings))
        return false;
    // A snapshot: the worker never reads the live lists.
    return warmUp_->StartIconWarmUp(IconWarmUpTargets(ctx_.data.history, ctx_.data.keywords));
}

void TIndexController::StartIdleTimer() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // The timer keeps running and asks the desktop only in an idle mode, so a later autoindex
    // change needs no re-arming; a desktop without idle time is asked again later.
    idleTimer_ = new QTimer(ctx_.owner);
    idleTimer_->setInterval(10000);
    QObject::connect(idleTimer_, &QTimer::timeout, ctx_.owner, [this] {
        if (ctx_.closing || !RefreshesWhenIdle(ctx_.data.settings))
            return;
        if (!idle_) {
            QString error;
            idle_ = TXIdleTime::Open(QString(), &error);
            if (!idle_)
                return;
        }
        if (const std::optional<qint64> ms = idle_->IdleMilliseconds())
            refresher_->OnIdleTick(*ms);
        else
            idle_.reset(); // the connection broke: open it again next time
    });
    idleTimer_->start();
}

void TIndexController::StopTimer() {
    if (idleTimer_)
        idleTimer_->stop();
}

bool TIndexController::Stop(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    const bool icons = warmUp_->Stop(deadline);
    if (refresher_->Stop(deadline) && icons)
        return true;
    QTextStream(stderr) << "The index or icon worker did not stop in time.\n";
    return false;
}

void TIndexController::SaveCacheIfDirty() {
    // The refresher writes the cache after every scan; only a failed write is made up here.
    if (!cacheDirty_ || !refresher_->Index())
        return;
    const TSaveResult c =
        SaveIndexCache(ctx_.store.Places().dataFolder + QStringLiteral("scancache.dat"), *refresher_->Index());
    if (!c)
        QTextStream(stderr) << c.error << "\n";
}

qsizetype TIndexController::Size() const { return ctx_.suggest->IndexSize(); }

bool TIndexController::Busy() const { return refresher_->Busy(); }

QStringList TIndexController::Paths() const {
    QStringList paths;
    ctx_.suggest->IndexLookup().ForEachEntry([&paths](const TMyShellItem& item) {
        paths << item.path;
        return true;
    });
    return paths;
}

} // namespace vantrelo
