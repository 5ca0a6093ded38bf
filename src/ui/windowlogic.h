// Display-free rules of the input and list windows: show debounce, placement, title and panels.
#pragma once

#include "platform/monitors.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace vantrelo {

// The show state of the input window with its debounce (ManageShowHide).
class TShowHideGate {
public:
    // True when a show may run now (and records it); `nowMs` is a monotonic clock.
    bool BeginShow(qint64 nowMs, int locktim);
    // A hide is never refused; false only while closing.
    bool BeginHide(qint64 nowMs);
    // The hotkey's own debounce: at least `ms` since the last show or hide.
    bool QuietFor(qint64 nowMs, int ms) const { return nowMs - last_ >= ms; }
    void SetClosing() { closing_ = true; }
    bool Closing() const { return closing_; }
    int State() const { return state_; }

private:
    int state_ = -1; // 0 shown, 1 hidden, -1 free
    qint64 last_ = -1'000'000;
    bool closing_ = false;
};

// Index of the monitor that contains `p`, -1 when none does.
int MonitorAt(const std::vector<TMonitor>& monitors, QPoint p);
// Index of the monitor with the largest overlap with `r`, else the one nearest to its centre.
int MonitorNearest(const std::vector<TMonitor>& monitors, const QRect& r);

// SetPopUpPosition: (x + 8, y + 8), kept inside the pointer monitor's work area.
QPoint PopUpPosition(QPoint pointer, QSize window, const std::vector<TMonitor>& monitors);

// What GetCenterMonitor chose: the whole primary screen, a monitor index, or nothing to do.
struct TCenterTarget {
    bool primaryScreen = false;
    int monitor = -1; // index into the monitor list
};

struct TCenterInput {
    int center = 0;
    QRect window;
    std::optional<QPoint> pointer;
    std::optional<QRect> lastActive; // the LastActiveWindow's frame when it still exists
};

TCenterTarget GetCenterMonitor(const TCenterInput& in, const std::vector<TMonitor>& monitors);

// CenterOnMonitor: the window's new top-left; `height` counts the list when it will show.
std::optional<QPoint> CenterOnMonitor(const TCenterTarget& t, QSize window, int height,
                                      const std::vector<TMonitor>& monitors);

// SetListPos: the list window's top-left against the input window; below it unless it would
// leave the input's monitor at the bottom, then above when that fits on the monitor.
QPoint ListPosition(const QRect& input, int listHeight, int topOffset, int leftOffset, const QRect& monitor);

// A stored position that no present monitor shows any more goes back onto the primary monitor.
QPoint RescueOffScreen(QPoint pos, QSize window, const std::vector<TMonitor>& monitors);

// displayTitle: a title that does not fit loses its start (paths) or its end, marked with "...".
// `width` measures a text in pixels; the result never measures more than `maxWidth` unless even
// "..." does not fit.
QString FitTitle(const QString& title, bool isPath, int maxWidth, const std::function<int(const QString&)>& width);

// SetStatePanel: "H" (hold text), "I" (incognito), "g" (gaming 1 or 2) or "G" (gaming 3).
QString StatePanelText(bool holdtext, bool incognito, int gamingmode);

// The quick numbers of the rows: "1" to "9" for rows that are not "===" headers, else empty.
std::vector<QString> RowNumbers(const std::vector<QString>& rows);

// 0x00BBGGRR as 0xRRGGBB.
unsigned int BgrToRgb(int colour);
// A colour blended toward another by `amount` percent (ApplyDimming).
int BlendColour(int from, int toward, int amount);

} // namespace vantrelo
