// The window commands' arithmetic: reading arrangements, docking, adjustments and mouse points, and planning frames.
#pragma once

#include "platform/monitors.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace vantrelo {

// X refuses sizes outside this range (a zero size is a protocol error).
inline constexpr int kMinWindowSize = 1;
inline constexpr int kMaxWindowSize = 32767;

struct TLength {
    int value = 0;
    bool percent = false;
};

// "800x600", "50%,100%", "1000,700,center,2", "800,600,10,20,1".
struct TArrangement {
    TLength width;
    std::optional<TLength> height;
    std::optional<TLength> x, y;
    bool center = false;
    std::optional<int> monitor; // as written: 0 and 1 are the first monitor
};

// "50", "600px,2": the size of the docked side and an optional monitor.
struct TDocking {
    int size = 0;   // 0: keep the current size
    bool pixels = false;
    std::optional<int> monitor;
};

// "10,-20", "0,0,5,5", "0,0,0,0,2".
struct TAdjustment {
    int dw = 0, dh = 0, dx = 0, dy = 0;
    std::optional<int> monitor;
};

enum class TDockSide { Left, Right, Top, Bottom };

// Where a window is: its outer rectangle and its client area, both in screen pixels.
struct TWindowShape {
    QRect frame;
    QRect client;
};

// A planned change: the new outer rectangle, or why nothing happens.
struct TFramePlan {
    std::optional<QRect> frame;
    QString error; // set when the parameter names something that does not exist
};

// Nothing when no width can be read.
std::optional<TArrangement> ParseArrangement(const QString& text);
TDocking ParseDocking(const QString& text);
// Nothing unless both dw and dh can be read.
std::optional<TAdjustment> ParseAdjustment(const QString& text);
// "x,y" (a third value is ignored); nothing when either is not a whole number.
std::optional<QPoint> ParsePoint(const QString& text);

// The index of the monitor that shares most of `frame`, else the one whose centre is nearest.
int NearestMonitor(const std::vector<TMonitor>& monitors, const QRect& frame);
// The index of monitor `number` (0 and 1: the first, -1: `nearest`); nothing when there is none.
std::optional<int> MonitorIndex(const std::vector<TMonitor>& monitors, int number, int nearest);
QString NoSuchMonitor(int number);

// "width,height,x,y,monitor": the outer size, the position inside the nearest work area, 1-based.
QString GeometryText(const std::vector<TMonitor>& monitors, const QRect& frame);

TFramePlan PlanArrangement(const TArrangement& a, const TWindowShape& w, const std::vector<TMonitor>& monitors);
// `monitor` as for MonitorIndex (-1: the nearest).
TFramePlan PlanCenter(const QRect& frame, const std::vector<TMonitor>& monitors, int monitor);
TFramePlan PlanDocking(TDockSide side, const TDocking& d, const QRect& frame, const std::vector<TMonitor>& monitors);
TFramePlan PlanAdjustment(const TAdjustment& a, const QRect& frame, const std::vector<TMonitor>& monitors);
// Full width (`width`) or full height of the nearest work area.
QRect PlanFullSpan(bool width, const QRect& frame, const std::vector<TMonitor>& monitors);

} // namespace vantrelo
