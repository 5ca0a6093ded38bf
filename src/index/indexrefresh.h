// Keeping the live index fresh: when rescans run, the scan worker and the hand-over of its result.
#pragma once

#include "core/atomicfile.h"
#include "index/cachestamp.h"
#include "index/indexlist.h"
#include "index/scanner.h"
#include "index/storeapps.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace vantrelo {

class TClock;
struct TSettings;

// `autoindex` as it decides: -1 (not yet read) follows `noindexrefresh`; unknown values mean never.
int EffectiveAutoIndex(const TSettings& s);
bool RefreshesOnStart(const TSettings& s);   // autoindex 1, 3, 5
bool RefreshesOnFocus(const TSettings& s);   // autoindex 2, 3
bool RefreshesWhenIdle(const TSettings& s);  // autoindex 4, 5: the idle timer runs
// Windows items or at least one configured scan folder: there is something to index.
bool HasIndexSources(const TSettings& s);
// Minutes between two rescans that were not forced: `indexrefresh`, at least 1.
int RefreshIntervalMinutes(const TSettings& s);

// One rescan, as the worker sees it: a private snapshot in, a private result out.
struct TScanJob {
    TScanInput input;
    bool scan = true;
    bool flushApps = false;        // rebuild the app folder from scratch first
    bool saveCache = false;
    QString cacheFile;
    std::atomic<bool> cancel{false};
    // Filled by the worker; read on the user-interface thread only after it has ended.
    TScanResult result;
    TStoreAppsResult flush;
    std::optional<TSaveResult> save;
    std::optional<TCacheStamp> saved; // the cache file as the save left it
};

using TScanFunction = std::function<TScanResult(const TScanInput&, const std::atomic<bool>&)>;
using TFlushFunction = std::function<TStoreAppsResult(const TStoreAppsRequest&, const std::atomic<bool>*)>;

// The index worker: runs one job at lower priority and ends; it never touches the live index.
class TIndexCacherThread final : public QThread {
    Q_OBJECT
public:
    TIndexCacherThread(std::shared_ptr<TScanJob> job, TScanFunction scan, TFlushFunction flush);

signals:
    // The app folder was rebuilt; the job's `flush` holds the outcome. Emitted on the worker.
    void appsFlushed();

protected:
    void run() override;

private:
    std::shared_ptr<TScanJob> job_;
    TScanFunction scan_;
    TFlushFunction flush_;
};

// Owns the live index on the user-interface thread and decides when it is rescanned. A worker
// scans a snapshot into a private list; the finished list replaces the live one here, on this
// object's thread, so readers never see a half-replaced index. A cancelled scan is thrown away.
class TIndexRefresher final : public QObject {
    Q_OBJECT
public:
    struct TSetup {
        const TSettings* settings = nullptr;  // read at every decision; outlives the refresher
        const TClock* clock = nullptr;
        TScanRoots roots;
        QString dataFolder;                   // scancache.dat and "Apps" live here
        bool safemode = false;                // "-safemode": no rescan ever starts
    };

    explicit TIndexRefresher(TSetup setup, QObject* parent = nullptr);
    ~TIndexRefresher() override;

    // Tests replace the scan and the app-folder rebuild (defaults: ScanIndex, SyncStoreApps).
    void SetScanFunction(TScanFunction scan) { scan_ = std::move(scan); }
    void SetFlushFunction(TFlushFunction flush) { flush_ = std::move(flush); }

    // The live index as a list; null before a cache was loaded or a scan finished, and once its
    // readers keep it in another form (ReleaseList, AdoptCacheSnapshot).
    const TIndexList* Index() const { return index_.get(); }
    // There is a live index, as a list or held by its readers.
    bool HasIndex() const { return hasIndex_; }
    // The live index for readers that keep it while it is current (never changed in place).
    std::shared_ptr<const TIndexList> SharedIndex() const { return index_; }
    // The cache file as it was when it held the live index (read from it, or written after its
    // scan); nothing when the cache does not hold it.
    const std::optional<TCacheStamp>& CacheStamp() const { return cacheStamp_; }
    // The readers hold the live index, which the cache file holds too: the list is let go (its
    // count stays). Nothing happens when the list is the only copy (its cache write failed).
    void ReleaseList();
    // The live index was read from the cache's prepared snapshot instead of the cache: there is an
    // index of `lines` cache lines and no list. False when a finished scan came first or stopping.
    bool AdoptCacheSnapshot(qsizetype lines, const TCacheStamp& stamp);
    // "Indexed items: N", or "Indexed items: None" before there is an index.
    QString CountText() const;
    // Reads scancache.dat into the live index (when `cacheindex` is on); false when none was read.
    bool LoadCache();
    // The cache is read at all: `cacheindex` on, not safe mode, something to index.
    bool CacheWanted() const;
    // Reads the cache on a worker and adopts it on this thread, unless a finished scan came first;
    // the window does not wait for a large cache.
    void LoadCacheAsync();
    QString CacheFile() const;

    // Starts a rescan. Unless forced, nothing happens when the last one started less than
    // `indexrefresh` minutes ago. A request while a rescan runs is remembered and runs after it.
    // False when nothing will run (safe mode, stopping, too soon).
    bool StartIndexRefresh(bool force);
    // Rebuilds the app folder from scratch, then forces a rescan; false when stopping.
    bool FlushStoreApps();

    // Triggers. The window decides which activations count (not the notes or browser window).
    void OnStart();             // after the cache was loaded
    void OnActivate();
    void OnSettingsApplied();
    // The idle timer's tick with the milliseconds since the user's last input; false: the timer
    // is not needed in this mode and can stop.
    bool OnIdleTick(qint64 idleMs);

    // A worker runs or a request waits for one.
    bool Busy() const { return worker_ != nullptr || pending_.has_value(); }

    // Tells workers to stop and waits for them until `deadline`; true when none is left running.
    // Afterwards nothing starts again and late results are dropped.
    bool Stop(QDeadlineTimer deadline);

signals:
    // The live index was replaced by a finished scan.
    void indexReplaced();
    // The app folder was rebuilt (count and error as SyncStoreApps gave them).
    void storeAppsFlushed(int count, const QString& error);
    // scancache.dat could not be written; `error` names the file in plain words.
    void cacheSaveFailed(const QString& error);
    // No worker runs and none waits any more: the requested refreshes are over.
    void refreshIdle();

private:
    struct TRequest {
        bool flushApps = false;
    };
    void SetIndex(std::shared_ptr<TIndexList> list, std::optional<TCacheStamp> stamp);
    void Launch(TRequest request);
    void WorkerEnded(const std::shared_ptr<TScanJob>& job);

    TSetup setup_;
    TScanFunction scan_;
    TFlushFunction flush_;
    std::shared_ptr<TIndexList> index_;
    std::optional<TCacheStamp> cacheStamp_;
    bool hasIndex_ = false;
    qsizetype lines_ = 0;       // of the live index
    std::unique_ptr<TIndexCacherThread> worker_;
    std::shared_ptr<TScanJob> job_;
    std::optional<TRequest> pending_;
    QDateTime lastStart_;        // of the last rescan
    QDateTime lastIdleStart_;    // of the last idle-triggered request
    bool stopping_ = false;
    std::unique_ptr<QThread> loader_;
};

} // namespace vantrelo
