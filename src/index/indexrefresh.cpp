// The index refresher: triggers, the one-at-a-time scan worker and the adoption of its result.
#include "index/indexrefresh.h"

#include "core/settings.h"
#include "index/indexfiles.h"
#include "platform/clock.h"

namespace vantrelo {

int EffectiveAutoIndex(const TSettings& s) {
    if (s.autoindex == -1)
        return s.noindexrefresh ? 1 : 3;
    return s.autoindex >= 0 && s.autoindex <= 5 ? s.autoindex : 0;
}

bool RefreshesOnStart(const TSettings& s) {
    const int m = EffectiveAutoIndex(s);
    return m == 1 || m == 3 || m == 5;
}

bool RefreshesOnFocus(const TSettings& s) {
    const int m = EffectiveAutoIndex(s);
    return m == 2 || m == 3;
}

bool RefreshesWhenIdle(const TSettings& s) {
    const int m = EffectiveAutoIndex(s);
    return m == 4 || m == 5;
}

bool HasIndexSources(const TSettings& s) {
    return s.scanwindowsitems || !ParseScanFolders(s.scandirs).empty();
}

int RefreshIntervalMinutes(const TSettings& s) {
    return s.indexrefresh < 1 ? 1 : s.indexrefresh;
}

TIndexCacherThread::TIndexCacherThread(std::shared_ptr<TScanJob> job, TScanFunction scan, TFlushFunction flush)
    : job_(std::move(job)), scan_(std::move(scan)), flush_(std::move(flush)) {}

void TIndexCacherThread::run() {
    TScanJob& job = *job_;
    if (job.flushApps) {
        TStoreAppsRequest req;
        req.folder = job.input.dataFolder + QLatin1String("Apps/");
        req.clearFirst = true;
        req.exportDirs = job.input.roots.storeAppDirs;
        req.desktops = job.input.roots.desktops;
        req.pathEnv = job.input.roots.pathEnv;
        req.locale = job.input.roots.locale;
        job.flush = flush_(req, &job.cancel);
        emit appsFlushed();
    }
    if (!job.scan || job.cancel.load())
        return;
    job.result = scan_(job.input, job.cancel);
    // A scan that ended early is never written over the cache of a complete one.
    if (job.result.state == TScanState::Finished && job.cancel.load())
        job.result = TScanResult{};
    // The worker still owns the list here, so it writes the cache without copying it.
    if (job.result.state == TScanState::Finished && job.saveCache) {
        job.save = SaveIndexCache(job.cacheFile, job.result.list);
        if (job.save->ok)
            job.saved = CacheStampOf(job.cacheFile);
    }
}

TIndexRefresher::TIndexRefresher(TSetup setup, QObject* parent)
    : QObject(parent), setup_(std::move(setup)), scan_(&ScanIndex), flush_(&SyncStoreApps) {
    if (!setup_.dataFolder.isEmpty() && !setup_.dataFolder.endsWith(u'/'))
        setup_.dataFolder += u'/';
}

TIndexRefresher::~TIndexRefresher() {
    if (!Stop(QDeadlineTimer(60000)) && worker_) {
        // A worker stuck beyond the limit cannot be destroyed while it runs; it is left to the
        // process's end (its signals die with this object's connections).
        (void)worker_.release();
    }
}

QString TIndexRefresher::CacheFile() const {
    return setup_.dataFolder + QLatin1String("scancache.dat");
}

QString TIndexRefresher::CountText() const {
    return hasIndex_ ? QStringLiteral("Indexed items: %1").arg(lines_) : QStringLiteral("Indexed items: None");
}

bool TIndexRefresher::CacheWanted() const {
    // Nothing to index means nothing to offer from an earlier run either; safe mode reads nothing.
    return setup_.settings->cacheindex && !setup_.safemode && !setup_.dataFolder.isEmpty() &&
           HasIndexSources(*setup_.settings);
}

bool TIndexRefresher::LoadCache() {
    if (!CacheWanted())
        return false;
    // Stamped before reading: a cache replaced meanwhile must not pass for this list.
    const std::optional<TCacheStamp> stamp = CacheStampOf(CacheFile());
    auto list = std::make_unique<TIndexList>();
    if (!LoadIndexCache(CacheFile(), *list))
        return false;
    SetIndex(std::move(list), stamp);
    emit indexReplaced();
    return true;
}

void TIndexRefresher::LoadCacheAsync() {
    if (!CacheWanted() || loader_)
        return;
    const QString file = CacheFile();
    loader_.reset(QThread::create([this, file] {
        const std::optional<TCacheStamp> stamp = CacheStampOf(file);
        auto list = std::make_shared<TIndexList>();
        if (!LoadIndexCache(file, *list))
            return;
        QMetaObject::invokeMethod(
            this,
            [this, list, stamp] {
                if (hasIndex_ || stopping_)
                    return; // a finished scan is newer than the cache
                SetIndex(std::make_shared<TIndexList>(std::move(*list)), stamp);
                emit indexReplaced();
            },
            Qt::QueuedConnection);
    }));
    loader_->start(QThread::LowPriority);
}

void TIndexRefresher::SetIndex(std::shared_ptr<TIndexList> list, std::optional<TCacheStamp> stamp) {
    lines_ = list->size();
    index_ = std::move(list);
    cacheStamp_ = stamp;
    hasIndex_ = true;
}

void TIndexRefresher::ReleaseList() {
    if (cacheStamp_)
        index_.reset();
}

bool TIndexRefresher::AdoptCacheSnapshot(qsizetype lines, const TCacheStamp& stamp) {
    if (hasIndex_ || stopping_ || !CacheWanted())
        return false;
    index_.reset();
    lines_ = lines;
    cacheStamp_ = stamp;
    hasIndex_ = true;
    return true;
}

bool TIndexRefresher::StartIndexRefresh(bool force) {
    if (setup_.safemode || stopping_)
        return false;
    const QDateTime now = setup_.clock->Now();
    if (!force && lastStart_.isValid() &&
        lastStart_.secsTo(now) < qint64(RefreshIntervalMinutes(*setup_.settings)) * 60)
        return false;
    if (worker_) {
        // The running scan may already have passed what changed: one more runs after it.
        if (!pending_)
            pending_ = TRequest{};
        return true;
    }
    Launch(TRequest{});
    return true;
}

bool TIndexRefresher::FlushStoreApps() {
    if (stopping_)
        return false;
    if (worker_) {
        pending_ = TRequest{true};
        return true;
    }
    Launch(TRequest{true});
    return true;
}

void TIndexRefresher::OnStart() {
    if (RefreshesOnStart(*setup_.settings) && HasIndexSources(*setup_.settings))
        StartIndexRefresh(false);
}

void TIndexRefresher::OnActivate() {
    if (RefreshesOnFocus(*setup_.settings) && HasIndexSources(*setup_.settings))
        StartIndexRefresh(false);
}

void TIndexRefresher::OnSettingsApplied() {
    if (!hasIndex_ && setup_.settings->scanwindowsitems)
        StartIndexRefresh(false);
}

bool TIndexRefresher::OnIdleTick(qint64 idleMs) {
    if (!RefreshesWhenIdle(*setup_.settings))
        return false;
    if (stopping_)
        return true;
    const qint64 limit = qint64(setup_.settings->indexidle) * 60000;
    const QDateTime now = setup_.clock->Now();
    // The 30-second window makes one request per idle period, as the threshold is crossed.
    const bool dueAgain = !lastIdleStart_.isValid() || lastIdleStart_.msecsTo(now) > limit;
    if (idleMs > limit && idleMs < limit + 30000 && dueAgain) {
        StartIndexRefresh(false);
        lastIdleStart_ = now;
    }
    return true;
}

void TIndexRefresher::Launch(TRequest request) {
    auto job = std::make_shared<TScanJob>();
    job->input = TScanInput::From(*setup_.settings, setup_.roots, setup_.dataFolder);
    job->scan = !setup_.safemode;
    job->flushApps = request.flushApps;
    job->saveCache = setup_.settings->cacheindex && !setup_.dataFolder.isEmpty();
    job->cacheFile = CacheFile();
    if (job->scan)
        lastStart_ = setup_.clock->Now();
    job_ = job;
    worker_ = std::make_unique<TIndexCacherThread>(job, scan_, flush_);
    // Both signals come from the worker and are queued to this object's thread; they die with
    // this object, so a late worker never calls into a destroyed refresher.
    connect(worker_.get(), &TIndexCacherThread::appsFlushed, this, [this, job] {
        if (job == job_ && !stopping_)
            emit storeAppsFlushed(job->flush.count, job->flush.error);
    }, Qt::QueuedConnection);
    connect(worker_.get(), &QThread::finished, this, [this, job] { WorkerEnded(job); }, Qt::QueuedConnection);
    worker_->start(QThread::LowPriority);
}

void TIndexRefresher::WorkerEnded(const std::shared_ptr<TScanJob>& job) {
    if (job != job_)
        return; // a late notice of a worker that Stop already collected
    worker_->wait();
    worker_.reset();
    job_.reset();
    if (stopping_)
        return;
    if (job->result.state == TScanState::Finished && !job->cancel.load()) {
        // The old list and its items are freed here, on the thread that reads them.
        SetIndex(std::make_shared<TIndexList>(std::move(job->result.list)), job->saved);
        emit indexReplaced();
    }
    if (job->save && !job->save->ok)
        emit cacheSaveFailed(job->save->error);
    if (pending_) {
        const TRequest next = *pending_;
        pending_.reset();
        Launch(next);
        return;
    }
    emit refreshIdle();
}

bool TIndexRefresher::Stop(QDeadlineTimer deadline) {
    stopping_ = true;
    pending_.reset();
    if (loader_ && !loader_->wait(deadline))
        return false;
    if (!worker_)
        return true;
    job_->cancel.store(true);
    if (!worker_->wait(deadline))
        return false;
    worker_.reset();
    job_.reset();
    return true;
}

} // namespace vantrelo
