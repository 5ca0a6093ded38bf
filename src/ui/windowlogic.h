// Display-free rules of the input and list windows: show debounce, placement, title and panels.
#pragma once

#include "platform/monitors.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
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

// --- The list window ---

// The first layout raises `listrowheight` (96-dpi pixels) when the list text does not fit a row:
// small and one-line rows need the text height + S(2) (at least 17, or 33 for large rows),
// two-line rows that line plus the 8-point title line (or less S(1) without titles). Returns the
// value unchanged when it fits; heights are in screen pixels at `dpi`.
int FittedRowHeight(int listrowheight, bool singleLine, bool titles, int textHeight, int titleHeight, int dpi);

// The multi-line editor's bar label: the long form when the list window is wider than `wideFrom`
// (S(440)); the toggle key is F4 with `expandf4`, else F10.
QString EditorLabelText(int listWidth, int wideFrom, bool expandf4);
// The editor's font size: `expandfontsize` when set, else the larger of the list size and the
// mean of the input and list sizes; never below 1.
int EditorFontSize(int expandfontsize, int listfontsize, int fontsize);

// The editor's zoom in percent: steps of 10, kept within 10..500.
enum class TZoomStep { In, Out, Reset };
int ZoomPercent(int current, TZoomStep step);
// Ctrl+wheel: `angleDelta` in eighths of a degree; one notch (120) is one step, a partial turn none.
int ZoomPercentForWheel(int current, int angleDelta);

// ApplyDimming: the colours (0x00BBGGRR) the input takes while the editor is open.
struct TDimmedColours {
    std::optional<int> text;  // the line's text colour, when it is dimmed
    std::optional<int> title; // the title colour, when it is dimmed
};
TDimmedColours DimmedColours(bool dimonexpand, bool diminput, int dimamount, int textcolor, int titlecolor,
                             int textbackcolor);

// Mouse resizing of the list window: the 10-pixel zones along the right and bottom edges.
enum class TListEdge { None, Right, Bottom, Corner };
TListEdge ListEdgeAt(QPoint p, QSize window, int zone = 10);
// The right edge dragged to `x`: the new `width`/`customwidth`.
int ListWidthForDrag(int x);
// After the bottom edge was dragged: the rows that fit the client height, rounded, at least 1.
int MaxVisibleForHeight(int clientHeight, int border, int rowHeight);

// The pin panel in the lower right corner of the list area (`list` in the window's coordinates).
QRect PinPanelRect(const QRect& list, QSize picture);
// A row's number and text make room for the pin when the row's centre lies beside the pin.
bool RowBesidePin(bool pinVisible, bool righttextnoalign, int rowCentreY, int listHeight, int pinHeight);

// The scroll marks of a list without scroll bars: triangles in the control's coordinates.
struct TScrollMarks {
    std::optional<std::array<QPoint, 3>> up;
    std::optional<std::array<QPoint, 3>> down;
};
TScrollMarks ScrollMarks(QSize control, int rightPadding, int topPadding, int bottomPadding, bool moreAbove,
                         bool moreBelow);
// The top row after a wheel turn: `lines` rows per notch, never above the first row or past the
// last full page.
int WheelTopRow(int top, int angleDelta, int lines, int count, int visible);

// How a list picture is drawn into one window's area.
struct TPictureDraw {
    enum Mode { None, Tile, Once, Stretch } mode = None;
    QPoint origin; // where one copy's top-left lies, in the area's coordinates
    QSize size;    // the drawn size of one copy
};
struct TListPictureInput {
    QString position;       // "center", "centermerge", "merge", "cover", "coverlist"
    QString fillmode;       // "stretch" stretches over the list
    QSize picture;
    QRect input;            // the input window, in a coordinate system shared with `list`
    QRect list;             // the list area (the row control)
    int mergeShift = 0;     // "merge": how far the picture moves up (input height + borders + S(2))
};
struct TListPicturePlan {
    TPictureDraw list;      // in the list area's coordinates
    TPictureDraw input;     // in the input window's coordinates; None unless the picture is shared
};
TListPicturePlan PlanListPicture(const TListPictureInput& in);
// The words a spell checker sees in a line: letters with inner apostrophes or hyphens; words
// holding digits, and web or mail addresses, are left out.
struct TWordSpan {
    int start = 0;
    int length = 0;
    bool operator==(const TWordSpan&) const = default;
};
std::vector<TWordSpan> SpellWords(const QString& line);
// The toast of "Auto Spell Checking".
QString SpellToastText(bool on, bool dictionary);

// A selection over a picture is blended with `listselectopacity` (clamped) unless it is solid.
int SelectionAlpha(bool picture, int listselectopacity);

} // namespace vantrelo
