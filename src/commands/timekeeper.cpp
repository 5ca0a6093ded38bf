// The countdown timer, the alarm and the stopwatch: their parameters, answers and the one-second watch.
#include "commands/timekeeper.h"

#include "core/text.h"
#include "platform/clock.h"
#include "platform/scheduler.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace vantrelo {

namespace {

constexpr int kTickMs = 1000;
const QString kTimerFormat = QStringLiteral(" Disabled, format: h:m:s or h:m or m");
const QString kAlarmFormat = QStringLiteral(" Disabled, format: h:m");

std::optional<int> Whole(const QString& t) {
    bool ok = false;
    const int n = t.toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// The first word, lower-cased, and the rest as written (at most kMaxNoticeText characters).
std::pair<QString, QString> SplitWord(const QString& p) {
    const QString t = TrimText(p);
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {LowerText(t), QString()};
    return {LowerText(t.left(blank)), TrimText(t.mid(blank + 1)).left(kMaxNoticeText)};
}

} // namespace

QString DurationText(qint64 ms) {
    const qint64 secs = std::max<qint64>(0, ms) / 1000;
    return QStringLiteral("h%1:%2:%3")
        .arg(secs / 3600, 2, 10, QLatin1Char('0'))
        .arg((secs / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(secs % 60, 2, 10, QLatin1Char('0'));
}

std::optional<QTime> ParseTimeOfDay(const QString& text) {
    QString t = LowerText(TrimText(text));
    if (t.isEmpty())
        return std::nullopt;
    if (t.size() < 3 && !t.contains(QLatin1Char('p')) && !t.contains(QLatin1Char('a')))
        t += QStringLiteral(":00");
    QChar sep = t.contains(QLatin1Char(':')) ? QLatin1Char(':') : t.contains(QLatin1Char('.')) ? QLatin1Char('.') : QChar();
    if (sep.isNull()) {
        // "7pm", "11a": the hour alone with its half of the day.
        const qsizetype half = t.indexOf(QRegularExpression(QStringLiteral("[ap]")));
        if (half < 0)
            return std::nullopt;
        t.insert(half, QStringLiteral(":00"));
        sep = QLatin1Char(':');
    }
    const qsizetype at = t.indexOf(sep);
    const std::optional<int> hour = Whole(t.left(at));
    QString rest = t.mid(at + 1);
    const bool pm = rest.contains(QLatin1Char('p'));
    const bool am = !pm && rest.contains(QLatin1Char('a'));
    if (pm || am) {
        const qsizetype half = rest.indexOf(QLatin1Char(pm ? 'p' : 'a'));
        const QString suffix = rest.mid(half);
        if (suffix != QLatin1String(pm ? "p" : "a") && suffix != QLatin1String(pm ? "pm" : "am"))
            return std::nullopt;
        rest = rest.left(half);
    }
    const std::optional<int> minute = Whole(rest);
    if (!hour || !minute)
        return std::nullopt;
    int h = *hour;
    if (pm || am) {
        if (h < 1 || h > 12)
            return std::nullopt;
        h = pm ? (h == 12 ? 12 : h + 12) : (h == 12 ? 0 : h);
    }
    if (h < 0 || h > 23 || *minute < 0 || *minute > 59)
        return std::nullopt;
    return QTime(h, *minute);
}

std::optional<qint64> ParseCountdown(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(':'));
    if (fields.size() > 3)
        return std::nullopt;
    // Minutes; hours and minutes; hours, minutes and seconds.
    static constexpr qint64 kUnits[3][3] = {{60, 0, 0}, {3600, 60, 0}, {3600, 60, 1}};
    qint64 secs = 0;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const std::optional<int> n = Whole(fields.at(i));
        if (!n)
            return std::nullopt;
        secs += *n * kUnits[fields.size() - 1][i];
    }
    return secs * 1000;
}

TTimeKeeper::TTimeKeeper(const TTimeAccess& access, QLocale locale)
    : a_(access), locale_(std::move(locale)), alive_(std::make_shared<bool>(true)) {}

TTimeKeeper::~TTimeKeeper() = default;

TTimeAnswer TTimeKeeper::Timer(const QString& p) {
    const auto [word, message] = SplitWord(p);
    const qint64 now = a_.ticks->Milliseconds();
    if (word == QLatin1String("stop")) {
        if (!timerEnd_)
            return {QStringLiteral(" Timer was already stopped.")};
        const qint64 left = *timerEnd_ - now;
        timerEnd_.reset();
        timerText_.clear();
        return {QStringLiteral(" Timer stopped. Time left ") + DurationText(left)};
    }
    if (word.isEmpty())
        return {timerEnd_ ? QStringLiteral(" Time left : ") + DurationText(*timerEnd_ - now) : kTimerFormat};
    // Read first: a value that cannot be read leaves the running countdown as it was.
    const std::optional<qint64> duration = ParseCountdown(word);
    if (!duration)
        return {kTimerFormat, true};
    timerEnd_ = now + *duration;
    timerText_ = message;
    Watch();
    return {QStringLiteral(" Timer started, Time left ") + DurationText(*duration)};
}

QString TTimeKeeper::AlarmText() const {
    QString text = locale_.toString(*alarmAt_, QStringLiteral("hh:mm, dd-MMM-yy"));
    if (!alarmText_.isEmpty())
        text += QStringLiteral(" (") + alarmText_ + QLatin1Char(')');
    return text;
}

TTimeAnswer TTimeKeeper::Alarm(const QString& p) {
    const auto [word, message] = SplitWord(p);
    if (word == QLatin1String("stop")) {
        if (!alarmAt_)
            return {QStringLiteral(" Alarm was already stopped.")};
        alarmAt_.reset();
        alarmText_.clear();
        return {QStringLiteral(" Alarm stopped.")};
    }
    if (word.isEmpty())
        return {alarmAt_ ? QStringLiteral(" Alarm active: ") + AlarmText() : kAlarmFormat};
    const std::optional<QTime> t = ParseTimeOfDay(word);
    if (!t)
        return {kAlarmFormat, true};
    const QDateTime now = a_.wall->Now();
    QDateTime at(now.date(), *t);
    if (at <= now)
        at = QDateTime(now.date().addDays(1), *t);
    alarmAt_ = at;
    alarmText_ = message;
    Watch();
    return {QStringLiteral(" Alarm set: ") + AlarmText()};
}

TTimeAnswer TTimeKeeper::Stopwatch(const QString& p) {
    const QString word = SplitWord(p).first;
    const qint64 now = a_.ticks->Milliseconds();
    if (word == QLatin1String("stop") && stopwatchStart_) {
        const qint64 elapsed = now - *stopwatchStart_;
        stopwatchStart_.reset();
        return {QLatin1Char(' ') + DurationText(elapsed) + QStringLiteral(" stopwatch stopped")};
    }
    if (word != QLatin1String("start") && stopwatchStart_)
        return {QLatin1Char(' ') + DurationText(now - *stopwatchStart_)};
    stopwatchStart_ = now;
    return {QStringLiteral(" Stopwatch started")};
}

void TTimeKeeper::Watch() {
    if (watching_)
        return;
    watching_ = true;
    std::weak_ptr<bool> alive = alive_;
    a_.scheduler->RunLater(kTickMs, [this, alive] {
        if (alive.lock())
            Tick();
    });
}

void TTimeKeeper::Tick() {
    watching_ = false;
    const bool closing = a_.closing && *a_.closing;
    // Each notice copies its text and clears its state first: a countdown started while the
    // notice shows keeps its own text.
    if (timerEnd_ && a_.ticks->Milliseconds() >= *timerEnd_) {
        const QString text = TrimText(timerText_).isEmpty() ? QStringLiteral("Vantrelo timer!") : timerText_;
        timerEnd_.reset();
        timerText_.clear();
        if (!closing)
            a_.notices->Notify(QStringLiteral("Timer"), text);
    }
    if (alarmAt_ && a_.wall->Now() >= *alarmAt_) {
        const QString text = TrimText(alarmText_).isEmpty() ? QStringLiteral("Vantrelo alarm!") : alarmText_;
        alarmAt_.reset();
        alarmText_.clear();
        if (!closing)
            a_.notices->Notify(QStringLiteral("Alarm"), text);
    }
    if (timerEnd_ || alarmAt_)
        Watch();
}

} // namespace vantrelo
