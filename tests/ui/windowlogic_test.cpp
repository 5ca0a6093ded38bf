// Rules of the windows without a display: show debounce, placement, titles, panels and numbers.
#include "ui/windowlogic.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

// One character is ten pixels wide.
int TenEach(const QString& s) { return int(s.size()) * 10; }

TEST(ShowHideGate, ShowsWithinTheLockTimeRunOnce) {
    TShowHideGate g;
    EXPECT_TRUE(g.BeginShow(1000, 230));
    EXPECT_FALSE(g.BeginShow(1100, 230));
    EXPECT_TRUE(g.BeginShow(1400, 230));
    EXPECT_TRUE(g.BeginHide(1450));
    EXPECT_TRUE(g.BeginShow(1500, 230)); // hidden, so a show is allowed at once
    g.SetClosing();
    EXPECT_FALSE(g.BeginShow(5000, 230));
    EXPECT_FALSE(g.BeginHide(5000));
}

TEST(ListPlacement, StaysOnTheInputsMonitorWhereverItStarts) {
    struct TCase {
        QRect input;
        int listHeight;
        QRect monitor;
        QPoint expected;
    };
    const std::vector<TCase> cases = {
        // Primary monitor: below, and above near the bottom.
        {QRect(100, 100, 400, 40), 300, QRect(0, 0, 1920, 1080), QPoint(100, 141)},
        {QRect(100, 900, 400, 40), 300, QRect(0, 0, 1920, 1080), QPoint(100, 599)},
        // A monitor below the primary one: its top is at 1080, not 0.
        {QRect(100, 1100, 400, 40), 300, QRect(0, 1080, 1920, 1080), QPoint(100, 1141)},
        {QRect(100, 2000, 400, 40), 300, QRect(0, 1080, 1920, 1080), QPoint(100, 1699)},
        // A monitor above the primary one (negative y): above only when it fits on that monitor.
        {QRect(100, -1070, 400, 40), 300, QRect(0, -1080, 1920, 1080), QPoint(100, -1029)},
        {QRect(100, -200, 400, 40), 300, QRect(0, -1080, 1920, 1080), QPoint(100, -501)},
        // No room either way: below anyway.
        {QRect(100, 150, 400, 40), 900, QRect(0, 0, 1920, 1000), QPoint(100, 191)},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const TCase& c = cases[i];
        EXPECT_EQ(ListPosition(c.input, c.listHeight, c.input.height() + 1, 0, c.monitor), c.expected);
    }
}

TEST(TitleFitting, ShortensPathsAtTheStartAndOtherTitlesAtTheEnd) {
    EXPECT_EQ(FitTitle("short", false, 100, TenEach), "short");
    const QString path = "/home/bob/documents/report.txt";
    const QString p = FitTitle(path, true, 150, TenEach);
    EXPECT_TRUE(p.startsWith("..."));
    EXPECT_TRUE(path.endsWith(p.mid(3)));
    EXPECT_LE(TenEach(p), 150);
    const QString t = FitTitle("A very long description of a program", false, 150, TenEach);
    EXPECT_TRUE(t.endsWith("..."));
    EXPECT_TRUE(QString("A very long description of a program").startsWith(t.left(t.size() - 3)));
    EXPECT_LE(TenEach(t), 150);
    // Texts shorter than the marker, and widths where nothing fits, never read past the end.
    for (int w : {0, 5, 20, 30, 40})
        for (const QString& s : {QString("ab"), QString("abcd"), QString("/a"), QString("x")}) {
            const QString r = FitTitle(s, s.startsWith('/'), w, TenEach);
            EXPECT_TRUE(r == s || r.endsWith("...") || r.startsWith("...")) << r.toStdString();
        }
}

TEST(OffScreenRescue, ComesBackFromRemovedMonitorsOnly) {
    const std::vector<TMonitor> one = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1050)}};
    const std::vector<TMonitor> two = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1050)},
                                       {QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1024)}};
    const QSize w(400, 60);
    EXPECT_EQ(RescueOffScreen(QPoint(2500, 300), w, two), QPoint(2500, 300));
    EXPECT_EQ(RescueOffScreen(QPoint(2500, 300), w, one), QPoint(300, 300));
    // Inside the old desktop's width but in a gap no monitor covers any more.
    const std::vector<TMonitor> stacked = {{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080)},
                                           {QRect(0, 1080, 800, 600), QRect(0, 1080, 800, 600)}};
    EXPECT_EQ(RescueOffScreen(QPoint(1200, 1300), w, stacked), QPoint(300, 300));
    EXPECT_EQ(RescueOffScreen(QPoint(200, 200), w, one), QPoint(200, 200));
    EXPECT_EQ(RescueOffScreen(QPoint(-5000, -5000), w, one), QPoint(300, 300));
}

TEST(Placement, PopUpAndCentring) {
    const std::vector<TMonitor> two = {{QRect(0, 0, 1920, 1080), QRect(0, 30, 1920, 1050)},
                                       {QRect(1920, 0, 1280, 1024), QRect(1920, 0, 1280, 1000)}};
    // Four pixels from the right edge: the window ends at the work area's edge.
    EXPECT_EQ(PopUpPosition(QPoint(1916, 500), QSize(400, 60), two), QPoint(1520, 508));
    EXPECT_EQ(PopUpPosition(QPoint(3000, 990), QSize(400, 60), two), QPoint(2800, 940));
    EXPECT_EQ(PopUpPosition(QPoint(100, 0), QSize(400, 60), two), QPoint(108, 30));

    TCenterInput in;
    in.window = QRect(2000, 100, 400, 60);
    in.center = -3; // a third monitor does not exist: the nearest one
    EXPECT_EQ(GetCenterMonitor(in, two).monitor, 1);
    in.center = -1;
    EXPECT_EQ(GetCenterMonitor(in, two).monitor, 0);
    in.center = 1;
    EXPECT_TRUE(GetCenterMonitor(in, two).primaryScreen);
    in.center = 3;
    in.pointer = QPoint(10, 10);
    EXPECT_EQ(GetCenterMonitor(in, two).monitor, 0);
    in.center = 4;
    in.lastActive = QRect(2500, 500, 100, 100);
    EXPECT_EQ(GetCenterMonitor(in, two).monitor, 1);
    in.center = 9;
    EXPECT_FALSE(CenterOnMonitor(GetCenterMonitor(in, two), QSize(400, 60), 60, two).has_value());

    TCenterTarget second;
    second.monitor = 1;
    EXPECT_EQ(CenterOnMonitor(second, QSize(400, 60), 460, two), QPoint(1920 + 440, 282));
    TCenterTarget primary;
    primary.primaryScreen = true;
    EXPECT_EQ(CenterOnMonitor(primary, QSize(400, 60), 60, two), QPoint(760, 510));
}

TEST(Panels, StateLettersNumbersAndDimming) {
    EXPECT_EQ(StatePanelText(false, false, 0), "");
    EXPECT_EQ(StatePanelText(true, true, 2), "HIg");
    EXPECT_EQ(StatePanelText(false, false, 3), "G");

    std::vector<QString> rows = {"===== Keywords ====="};
    for (int i = 0; i < 10; ++i)
        rows.push_back(QString::number(i));
    const std::vector<QString> n = RowNumbers(rows);
    EXPECT_EQ(n[0], "");
    EXPECT_EQ(n[1], "1");
    EXPECT_EQ(n[9], "9");
    EXPECT_EQ(n[10], "");

    EXPECT_EQ(BgrToRgb(0x0000FF), 0xFF0000u);
    EXPECT_EQ(BlendColour(0x000000, 0xFFFFFF, 50), 0x808080);
    EXPECT_EQ(BlendColour(0x102030, 0xFFFFFF, 0), 0x102030);
    EXPECT_EQ(BlendColour(0x102030, 0xFFFFFF, 250), 0xFFFFFF);
}

} // namespace
} // namespace vantrelo
