// The file index in the running program: its refresher, the hand-over of a new index, the idle rescans.
#pragma once

#include <QStringList>
#include <QtGlobal>

#include <memory>

class QTimer;

namespace vantrelo {

struct TAppContext;
class TIdleTime;
class TIndexRefresher;
class TIconWarmUp;

class TIndexController {
public:
    // Builds the refresher and registers the index commands; nothing is read before Start.
    explicit TIndexController(TAppContext& ctx);
    ~TIndexController();

    // The cache read on a worker, the refresh that `autoindex` asks for, the idle timer.
    void Start();
    // The program came to the front: a rescan when `autoindex` says so.
    void Activated();
    // Settings that concern the index were changed: a first index when one is wanted, and the
    // icon warm-up.
    void SettingsApplied();
    // Starts the icon warm-up when the settings want it and none ran within the hour.
    bool StartIconWarmUp();
    const TIconWarmUp& IconWarmUp() const { return *warmUp_; }
    void StopTimer();
    // Stops the worker by `timeoutMs`; false when it did not stop.
    bool Stop(int timeoutMs);
    // The cache again, when a write after a scan had failed.
    void SaveCacheIfDirty();
    qsizetype Size() const;
    // A scan or a cache read is under way.
    bool Busy() const;
    // Every entry's path, in index order.
    QStringList Paths() const;

private:
    void Adopt();
    void LoadCache();
    void StartIdleTimer();

    TAppContext& ctx_;
    std::unique_ptr<TIndexRefresher> refresher_;
    std::unique_ptr<TIconWarmUp> warmUp_;
    std::unique_ptr<TIdleTime> idle_;
    QTimer* idleTimer_ = nullptr;
    bool cacheDirty_ = false;
    quint64 generation_ = 0; // the index whose prepared names the suggestions wait for
};

} // namespace vantrelo
