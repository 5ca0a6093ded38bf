// Reading arrangements, docking, adjustments and points, and the frames planned from them.
#include "commands/windowgeometry.h"

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

// Monitor 1 with a 30-pixel panel on top; monitor 2 to its right without one.
const std::vector<TMonitor> kMonitors{{QRect(0, 0, 1920, 1080), QRect(0, 30, 1920, 1050)},
                                      {QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1024)}};
// Outer 408x328 at 100,130; the client area is 400x300 (4-pixel sides, 24-pixel title).
const TWindowShape kWindow{QRect(100, 130, 408, 328), QRect(104, 154, 400, 300)};

QString Str(const TFramePlan& p) {
    if (!p.error.isEmpty())
        return p.error;
    if (!p.frame)
        return QStringLiteral("none");
    return QStringLiteral("%1,%2 %3x%4").arg(p.frame->x()).arg(p.frame->y()).arg(p.frame->width()).arg(p.frame->height());
}

} // namespace

TEST(WindowGeometry, ArrangementsPlanTheirFrames) {
    struct Case {
        const char* text;
        const char* frame;
    };
    const Case cases[] = {
        {"800x600", "100,130 808x628"},                 // client size, position kept
        {"800px,600px", "100,130 808x628"},             // "px" goes before "x" becomes ","
        {"50%,100%", "100,130 960x1080"},               // outer size from the monitor
        {"50pct,100pct", "100,130 960x1080"},
        {"0,500", "100,130 408x528"},                   // a width below 1 keeps the width
        {"1000,700,center,2", "2056,148 1008x728"},     // centred on monitor 2's work area
        {"400,300,center", "756,391 408x328"},          // centred on the nearest one
        {"800,600,10,20", "10,50 808x628"},             // inside the work area
        {"800,600,10,20,2", "1930,20 808x628"},
        {"800,600,n,20", "100,50 808x628"},             // x not given keeps its offset
        {"800,600,50%,0", "960,30 808x628"},
        {"800,600,10,20,3", "No such monitor: 3"},
        {"1000,700,center,7", "No such monitor: 7"},
        {"800,abc,10,20", "100,130 808x328"},           // reading stops at the first bad value
        {"99999,99999", "100,130 32767x32767"},         // what X accepts
    };
    for (const Case& c : cases) {
        const std::optional<TArrangement> a = ParseArrangement(QString::fromUtf8(c.text));
        ASSERT_TRUE(a) << c.text;
        EXPECT_EQ(Str(PlanArrangement(*a, kWindow, kMonitors)), QString::fromUtf8(c.frame)) << c.text;
    }
    for (const char* nothing : {"", "abc", " , "})
        EXPECT_FALSE(ParseArrangement(QString::fromUtf8(nothing))) << nothing;
}

TEST(WindowGeometry, CentringUsesTheWorkAreaAndRefusesUnknownMonitors) {
    const QRect frame(100, 130, 400, 300);
    EXPECT_EQ(Str(PlanCenter(frame, kMonitors, -1)), QStringLiteral("760,405 400x300"));
    EXPECT_EQ(Str(PlanCenter(frame, kMonitors, 0)), QStringLiteral("760,405 400x300"));
    EXPECT_EQ(Str(PlanCenter(frame, kMonitors, 2)), QStringLiteral("2360,362 400x300"));
    EXPECT_EQ(Str(PlanCenter(frame, kMonitors, 3)), QStringLiteral("No such monitor: 3"));
    EXPECT_EQ(Str(PlanCenter(frame, kMonitors, -2)), QStringLiteral("No such monitor: -2"));
}

TEST(WindowGeometry, DockingPlansEachSide) {
    struct Case {
        TDockSide side;
        const char* text;
        const char* frame;
    };
    const Case cases[] = {
        {TDockSide::Left, "50", "0,130 960x328"},
        {TDockSide::Right, "50%", "960,130 960x328"},
        {TDockSide::Top, "", "100,30 408x328"},            // size 0 keeps the height
        {TDockSide::Bottom, "50", "100,540 408x540"},
        {TDockSide::Left, "600px,2", "1920,100 600x328"},  // the offset re-based on monitor 2
        {TDockSide::Right, "250", "0,130 1920x328"},       // a percentage is at most 100
        {TDockSide::Left, "50,9", "No such monitor: 9"},
    };
    for (const Case& c : cases) {
        const TDocking d = ParseDocking(QString::fromUtf8(c.text));
        EXPECT_EQ(Str(PlanDocking(c.side, d, kWindow.frame, kMonitors)), QString::fromUtf8(c.frame)) << c.text;
    }
}

TEST(WindowGeometry, AdjustmentsAndFullSpans) {
    struct Case {
        const char* text;
        const char* frame;
    };
    const Case cases[] = {
        {"10,20", "100,130 418x348"},
        {"0px,0px,5,-5", "105,125 408x328"},
        {"0,0,0,0,2", "2020,100 408x328"},               // same offset in monitor 2's work area
        {"-100000,0", "100,130 1x328"},                  // never below one pixel
        {"0,0,0,0,4", "No such monitor: 4"},
    };
    for (const Case& c : cases) {
        const std::optional<TAdjustment> a = ParseAdjustment(QString::fromUtf8(c.text));
        ASSERT_TRUE(a) << c.text;
        EXPECT_EQ(Str(PlanAdjustment(*a, kWindow.frame, kMonitors)), QString::fromUtf8(c.frame)) << c.text;
    }
    EXPECT_FALSE(ParseAdjustment(QStringLiteral("10")));
    EXPECT_EQ(PlanFullSpan(true, kWindow.frame, kMonitors), QRect(0, 130, 1920, 328));
    EXPECT_EQ(PlanFullSpan(false, kWindow.frame, kMonitors), QRect(100, 30, 408, 1050));
}

TEST(WindowGeometry, PointsAndGeometryText) {
    EXPECT_EQ(ParsePoint(QStringLiteral("10,20")), QPoint(10, 20));
    EXPECT_EQ(ParsePoint(QStringLiteral(" 10 , -20 ,99")), QPoint(10, -20));
    for (const char* bad : {"", "5", "a,1", "1,b", "1.5,2"})
        EXPECT_FALSE(ParsePoint(QString::fromUtf8(bad))) << bad;
    EXPECT_EQ(GeometryText(kMonitors, kWindow.frame), QStringLiteral("408,328,100,100,1"));
    EXPECT_EQ(GeometryText(kMonitors, QRect(2000, 50, 300, 200)), QStringLiteral("300,200,80,50,2"));
}
