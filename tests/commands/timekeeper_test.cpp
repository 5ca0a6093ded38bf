// Countdown, alarm, stopwatch and reminder through the dispatcher, on a manual clock that never waits.
#include "commandfakes.h"
#include "commands/timekeeper.h"

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

namespace {

QString Q(const char* s) { return QString::fromUtf8(s); }

constexpr qint64 kMinute = 60 * 1000;

class TimeCommands : public testing::Test, public TCommandFixture {
protected:
    QString Say(const char* command, const char* para) {
        last = Dispatch(Q(command), Q(para));
        return Answer();
    }
    TInternalOutcome last;
};

} // namespace

TEST(TimeParsing, TimesOfDay) {
    const std::pair<const char*, const char*> good[] = {
        {"7", "07:00"},     {"7.30", "07:30"}, {"7:30pm", "19:30"}, {"12am", "00:00"}, {"12pm", "12:00"},
        {"11p", "23:00"},   {"7p", "19:00"},   {"07:05", "07:05"},  {"23:59", "23:59"}, {"9:15AM", "09:15"},
    };
    for (const auto& [text, time] : good) {
        const std::optional<QTime> t = ParseTimeOfDay(Q(text));
        ASSERT_TRUE(t) << text;
        EXPECT_EQ(t->toString(QStringLiteral("hh:mm")), Q(time)) << text;
    }
    for (const char* bad : {"730", "25:00", "24:00", "7:60", "13pm", "0am", "7:30x", "ab", ":30", "7:"})
        EXPECT_FALSE(ParseTimeOfDay(Q(bad))) << bad;
}

TEST(TimeParsing, CountdownsAndDurations) {
    const std::pair<const char*, qint64> good[] = {
        {"5", 5 * kMinute}, {"1:30", 90 * kMinute}, {"0:0:10", 10000}, {"-2", -2 * kMinute}, {"0", 0}};
    for (const auto& [text, ms] : good)
        EXPECT_EQ(ParseCountdown(Q(text)), std::optional<qint64>(ms)) << text;
    for (const char* bad : {"1:2:3:4", "tea", "1:", "", "1.5"})
        EXPECT_FALSE(ParseCountdown(Q(bad))) << bad;
    EXPECT_EQ(DurationText(0), Q("h00:00:00"));
    EXPECT_EQ(DurationText(299999), Q("h00:04:59"));
    EXPECT_EQ(DurationText(25 * 60 * kMinute), Q("h25:00:00"));
    EXPECT_EQ(DurationText(-5000), Q("h00:00:00"));
}

TEST_F(TimeCommands, ACountdownNotifiesWithItsMessageAsWritten) {
    EXPECT_EQ(Say("$TIMER$", "1:30 Tea Time"), Q(" Timer started, Time left h01:30:00"));
    EXPECT_TRUE(last.handled && last.noaftercommand);
    scheduler.Advance(30 * kMinute);
    EXPECT_EQ(Say("$TIMER$", ""), Q(" Time left : h01:00:00"));
    scheduler.Advance(60 * kMinute);
    EXPECT_EQ(notices.shown, QStringList{Q("Timer|Tea Time")});
    EXPECT_TRUE(scheduler.tasks.empty()) << "the watch stops when nothing is pending";
    EXPECT_EQ(Say("$TIMER$", ""), Q(" Disabled, format: h:m:s or h:m or m"));
}

TEST_F(TimeCommands, StopAndUnreadableDurationsLeaveTheCountdownAlone) {
    Say("$TIMER$", "10 tea");
    scheduler.Advance(kMinute);
    EXPECT_EQ(Say("$TIMER$", "1:2:3:4"), Q(" Disabled, format: h:m:s or h:m or m"));
    EXPECT_TRUE(last.failed);
    EXPECT_EQ(Say("$TIMER$", "Tea Time"), Q(" Disabled, format: h:m:s or h:m or m"));
    EXPECT_EQ(Say("$TIMER$", ""), Q(" Time left : h00:09:00"));
    EXPECT_EQ(Say("$TIMER$", "STOP"), Q(" Timer stopped. Time left h00:09:00"));
    EXPECT_EQ(Say("$TIMER$", "stop"), Q(" Timer was already stopped."));
    scheduler.RunAll();
    EXPECT_TRUE(notices.shown.isEmpty());
}

TEST_F(TimeCommands, ANewDurationAlwaysSetsItsOwnMessage) {
    Say("$TIMER$", "5 tea");
    Say("$TIMER$", "0");
    scheduler.Advance(1000);
    EXPECT_EQ(notices.shown, QStringList{Q("Timer|Vantrelo timer!")});
}

TEST_F(TimeCommands, ACountdownStartedWhileANoticeShowsKeepsItsText) {
    notices.onNotify = [this] {
        if (notices.shown.size() == 1)
            Say("$TIMER$", "1 next one");
    };
    Say("$TIMER$", "-3 first");
    scheduler.Advance(1000);
    scheduler.Advance(kMinute);
    EXPECT_EQ(notices.shown, (QStringList{Q("Timer|first"), Q("Timer|next one")}));
}

TEST_F(TimeCommands, AlarmsFireOnceAtTheirTimeOfDay) {
    // The wall clock stands at 14:07:09 on 5 March 2024.
    EXPECT_EQ(Say("$ALARM$", "7:30pm Call Ann"), Q(" Alarm set: 19:30, 05-Mar-24 (Call Ann)"));
    EXPECT_EQ(Say("$ALARM$", "730"), Q(" Disabled, format: h:m"));
    EXPECT_TRUE(last.failed);
    EXPECT_EQ(Say("$ALARM$", "25:00"), Q(" Disabled, format: h:m"));
    EXPECT_EQ(Say("$ALARM$", ""), Q(" Alarm active: 19:30, 05-Mar-24 (Call Ann)"));
    fx.clock.now = QDateTime(QDate(2024, 3, 5), QTime(19, 30));
    scheduler.Advance(1000);
    EXPECT_EQ(notices.shown, QStringList{Q("Alarm|Call Ann")});
    EXPECT_EQ(Say("$ALARM$", "stop"), Q(" Alarm was already stopped."));
    fx.clock.now = QDateTime(QDate(2024, 3, 5), QTime(20, 0));
    EXPECT_EQ(Say("$ALARM$", "7:30pm"), Q(" Alarm set: 19:30, 06-Mar-24")) << "a time already past is tomorrow's";
    EXPECT_EQ(Say("$ALARM$", "stop"), Q(" Alarm stopped."));
}

TEST_F(TimeCommands, ACountdownAndAnAlarmDueTogetherNotifyInOrder) {
    Say("$ALARM$", "14:08 alarm");
    Say("$TIMER$", "0:0:50 timer");
    scheduler.Advance(49000);
    EXPECT_TRUE(notices.shown.isEmpty());
    fx.clock.now = QDateTime(QDate(2024, 3, 5), QTime(14, 8));
    scheduler.Advance(1000);
    EXPECT_EQ(notices.shown, (QStringList{Q("Timer|timer"), Q("Alarm|alarm")}));
}

TEST_F(TimeCommands, NothingIsShownWhileTheProgramCloses) {
    Say("$TIMER$", "0 quiet");
    closing = true;
    scheduler.RunAll();
    EXPECT_TRUE(notices.shown.isEmpty());
}

TEST_F(TimeCommands, TheStopwatchStartsShowsAndStops) {
    EXPECT_EQ(Say("$STOPWATCH$", "stop"), Q(" Stopwatch started"));
    scheduler.Advance(65000);
    EXPECT_EQ(Say("$STOPWATCH$", ""), Q(" h00:01:05"));
    EXPECT_EQ(Say("$STOPWATCH$", "Stop"), Q(" h00:01:05 stopwatch stopped"));
    EXPECT_EQ(Say("$STOPWATCH$", "anything"), Q(" Stopwatch started"));
    scheduler.Advance(1000);
    EXPECT_EQ(Say("$STOPWATCH$", "start"), Q(" Stopwatch started"));
    EXPECT_EQ(Say("$STOPWATCH$", ""), Q(" h00:00:00"));
}

TEST_F(TimeCommands, TheReminderKeepsItsCaseAndIsSaved) {
    EXPECT_EQ(Say("$REMINDER$", ""), Q("Reminder: There is no reminder"));
    EXPECT_EQ(Say("$REMINDER$", "Off the hook"), Q("Reminder(set): Off the hook"));
    EXPECT_EQ(fx.settings.reminder, Q("Off the hook"));
    EXPECT_EQ(Say("$REMINDER$", ""), Q("Reminder: Off the hook"));
    EXPECT_EQ(Say("$REMINDER$", "OFF"), Q("Reminder(cleared): Off the hook"));
    EXPECT_TRUE(fx.settings.reminder.isEmpty());
    EXPECT_EQ(log.calls.count(Q("write")), 2);
    EXPECT_EQ(log.calls.count(Q("statepanel")), 4);
}
