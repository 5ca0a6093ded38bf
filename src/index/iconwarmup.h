// Icon warm-up: a low-priority worker touches the targets of history and keyword rows once.
#pragma once

#include "index/scanroots.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QObject>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

namespace vantrelo {

class TClock;
class THistory;
class TKeywordList;
struct TSettings;

// `nolisticoncache` is off and the list draws icons or titles.
bool WantsIconWarmUp(const TSettings& s);

// What the list will draw icons for: history entries that carry no indexed item, and each
// enabled keyword's icon file, else its command.
QStringList IconWarmUpTargets(const THistory& history, const TKeywordList& keywords);

// The file behind a row's text, as the icon lookup will ask for it: a path ("~" expanded, quotes
// and arguments dropped) or a program found on PATH; empty when the text names no file
// (internal commands, web addresses, plain words).
QString IconTargetFile(const QString& text, const TScanRoots& roots);

// Looks the target up once and forgets the answer, so that the file-system caches are warm when
// the list draws: the file's status, and for a desktop entry its fields. Safe on any thread.
void WarmIconTarget(const QString& text, const TScanRoots& roots);

using TIconWarmer = std::function<void(const QString& text)>;

// The icon worker: runs the warmer over a snapshot of targets, stopping early when cancelled.
class TIconCacherThread final : public QThread {
    Q_OBJECT
public:
    TIconCacherThread(QStringList targets, TIconWarmer warmer, std::shared_ptr<const std::atomic<bool>> cancel);
    int Done() const { return done_.load(); }

protected:
    void run() override;

private:
    QStringList targets_;
    TIconWarmer warmer_;
    std::shared_ptr<const std::atomic<bool>> cancel_;
    std::atomic<int> done_{0};
};

// Starts the warm-up at most once an hour and one at a time; owned by the user-interface thread.
class TIconWarmUp final : public QObject {
    Q_OBJECT
public:
    TIconWarmUp(const TSettings& settings, const TClock& clock, bool safemode, TIconWarmer warmer,
                QObject* parent = nullptr);
    ~TIconWarmUp() override;

    // False when nothing starts: safe mode, stopping, not wanted, one runs, or the last one
    // started less than an hour ago.
    bool StartIconWarmUp(const QStringList& targets);
    bool Running() const { return worker_ != nullptr; }
    // Cancels the worker and waits for it until `deadline`; true when it is gone.
    bool Stop(QDeadlineTimer deadline);

signals:
    // The worker ended; `warmed` targets were looked up.
    void warmUpEnded(int warmed);

private:
    const TSettings& settings_;
    const TClock& clock_;
    bool safemode_;
    TIconWarmer warmer_;
    std::unique_ptr<TIconCacherThread> worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    QDateTime lastStart_;
    bool stopping_ = false;
};

} // namespace vantrelo
