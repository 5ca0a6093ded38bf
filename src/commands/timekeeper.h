// The countdown timer, the alarm and the stopwatch: their parameters, answers and the one-second watch.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include <memory>
#include <optional>

namespace vantrelo {

class TClock;
class TMonotonicClock;
class TScheduler;

// Tells the user that a countdown or an alarm went off.
class TNoticeHost {
public:
    virtual ~TNoticeHost() = default;
    virtual void Notify(const QString& caption, const QString& text) = 0;
};

// The services of the time helpers; all must be set.
struct TTimeAccess {
    const TClock* wall = nullptr;              // the alarm's time of day
    const TMonotonicClock* ticks = nullptr;    // countdown and stopwatch
    TScheduler* scheduler = nullptr;           // the one-second watch
    TNoticeHost* notices = nullptr;
    bool* closing = nullptr;                   // optional: no notice while the program closes
};

// What a command answers: the text for the input line, or a failure.
struct TTimeAnswer {
    QString text;
    bool failed = false;
};

inline constexpr int kMaxNoticeText = 1000;

// "h" and hours:minutes:seconds; hours do not wrap at 24, a negative duration shows as zero.
QString DurationText(qint64 ms);
// A time of day as "7", "7.30", "7:30pm", "12am", "11p:00"...; nothing when it cannot be read or
// lies outside 00:00..23:59.
std::optional<QTime> ParseTimeOfDay(const QString& text);
// Minutes, h:m or h:m:s as milliseconds; nothing when a field is not a whole number or there are
// three or more colons.
std::optional<qint64> ParseCountdown(const QString& text);

class TTimeKeeper {
public:
    TTimeKeeper(const TTimeAccess& access, QLocale locale);
    ~TTimeKeeper();
    TTimeKeeper(const TTimeKeeper&) = delete;
    TTimeKeeper& operator=(const TTimeKeeper&) = delete;

    // `p` is the parameter as written: the first word is the duration, time or keyword (compared
    // without case), the rest the message, kept as written.
    TTimeAnswer Timer(const QString& p);
    TTimeAnswer Alarm(const QString& p);
    TTimeAnswer Stopwatch(const QString& p);

    bool Watching() const { return watching_; }

private:
    void Watch();
    void Tick();
    QString AlarmText() const;

    TTimeAccess a_;
    QLocale locale_;
    std::optional<qint64> timerEnd_;
    QString timerText_;
    std::optional<QDateTime> alarmAt_;
    QString alarmText_;
    std::optional<qint64> stopwatchStart_;
    bool watching_ = false;
    std::shared_ptr<bool> alive_;
};

} // namespace vantrelo
