// Rules of showing, placing and titling the windows, kept apart from the widgets for tests.
#include "ui/windowlogic.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vantrelo {

bool TShowHideGate::BeginShow(qint64 nowMs, int locktim) {
    if (closing_)
        return false;
    if (nowMs - last_ > locktim)
        state_ = -1;
    if (state_ == 0)
        return false;
    last_ = nowMs;
    state_ = 0;
    return true;
}

bool TShowHideGate::BeginHide(qint64 nowMs) {
    if (closing_)
        return false;
    last_ = nowMs;
    state_ = 1;
    return true;
}

int MonitorAt(const std::vector<TMonitor>& monitors, QPoint p) {
    for (size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].bounds.contains(p))
            return int(i);
    return -1;
}

int MonitorNearest(const std::vector<TMonitor>& monitors, const QRect& r) {
    int best = -1;
    qint64 bestArea = 0;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const QRect x = monitors[i].bounds.intersected(r);
        const qint64 area = x.isEmpty() ? 0 : qint64(x.width()) * x.height();
        if (area > bestArea) {
            bestArea = area;
            best = int(i);
        }
    }
    if (best >= 0 || monitors.empty())
        return monitors.empty() ? -1 : best;
    const QPoint c = r.center();
    qint64 bestDist = std::numeric_limits<qint64>::max();
    for (size_t i = 0; i < monitors.size(); ++i) {
        const QRect& b = monitors[i].bounds;
        const qint64 dx = c.x() < b.left() ? b.left() - c.x() : (c.x() > b.right() ? c.x() - b.right() : 0);
        const qint64 dy = c.y() < b.top() ? b.top() - c.y() : (c.y() > b.bottom() ? c.y() - b.bottom() : 0);
        if (dx * dx + dy * dy < bestDist) {
            bestDist = dx * dx + dy * dy;
            best = int(i);
        }
    }
    return best;
}

QPoint PopUpPosition(QPoint pointer, QSize window, const std::vector<TMonitor>& monitors) {
    QPoint p = pointer + QPoint(8, 8);
    int m = MonitorAt(monitors, pointer);
    if (m < 0)
        m = MonitorNearest(monitors, QRect(pointer, QSize(1, 1)));
    if (m < 0)
        return p;
    const QRect wa = monitors[size_t(m)].workArea;
    if (p.x() + window.width() > wa.x() + wa.width())
        p.setX(wa.x() + wa.width() - window.width());
    if (p.y() + window.height() > wa.y() + wa.height())
        p.setY(wa.y() + wa.height() - window.height());
    if (p.x() < wa.x())
        p.setX(wa.x());
    if (p.y() < wa.y())
        p.setY(wa.y());
    return p;
}

TCenterTarget GetCenterMonitor(const TCenterInput& in, const std::vector<TMonitor>& monitors) {
    TCenterTarget t;
    const int nearest = MonitorNearest(monitors, in.window);
    switch (in.center) {
    case 0:
    case 1:
        t.primaryScreen = true;
        return t;
    case 2:
        t.monitor = nearest;
        return t;
    case 3: {
        const int at = in.pointer ? MonitorAt(monitors, *in.pointer) : -1;
        t.monitor = at >= 0 ? at : nearest;
        return t;
    }
    case 4:
        t.monitor = in.lastActive ? MonitorNearest(monitors, *in.lastActive) : nearest;
        if (t.monitor < 0)
            t.monitor = nearest;
        return t;
    default:
        break;
    }
    if (in.center < 0) {
        const int n = -in.center;
        t.monitor = n <= int(monitors.size()) ? n - 1 : nearest;
        return t;
    }
    // A monitor number beyond those present leaves the window where it is.
    return t;
}

std::optional<QPoint> CenterOnMonitor(const TCenterTarget& t, QSize window, int height,
                                      const std::vector<TMonitor>& monitors) {
    if (monitors.empty())
        return std::nullopt;
    if (t.primaryScreen) {
        const QRect b = monitors.front().bounds;
        return QPoint(b.x() + (b.width() - window.width()) / 2, b.y() + (b.height() - height) / 2);
    }
    if (t.monitor < 0 || t.monitor >= int(monitors.size()))
        return std::nullopt;
    const TMonitor& m = monitors[size_t(t.monitor)];
    return QPoint((m.bounds.width() - window.width()) / 2 + m.workArea.x(),
                  (m.bounds.height() - height) / 2 + m.workArea.y());
}

QPoint ListPosition(const QRect& input, int listHeight, int topOffset, int leftOffset, const QRect& monitor) {
    const int left = input.x() + leftOffset;
    const int below = input.y() + topOffset;
    // The monitor's own bottom edge, not its height: monitors need not start at y = 0.
    const int monitorBottom = monitor.y() + monitor.height();
    if (below + listHeight <= monitorBottom)
        return QPoint(left, below);
    const int above = input.y() - listHeight - 1;
    if (above >= monitor.y())
        return QPoint(left, above);
    return QPoint(left, below);
}

QPoint RescueOffScreen(QPoint pos, QSize window, const std::vector<TMonitor>& monitors) {
    if (monitors.empty())
        return pos;
    // Visible enough when a corner strip of the window lies on a monitor that is still there.
    const QRect grip(pos, QSize(std::min(window.width(), 40), std::min(window.height(), 20)));
    for (const TMonitor& m : monitors) {
        const QRect x = m.bounds.intersected(grip);
        if (!x.isEmpty() && x.width() >= grip.width() / 2 && x.height() >= grip.height() / 2)
            return pos;
    }
    const QRect wa = monitors.front().workArea.isValid() ? monitors.front().workArea : monitors.front().bounds;
    QPoint p(wa.x() + 300, wa.y() + 300);
    if (p.x() + window.width() > wa.x() + wa.width())
        p.setX(std::max(wa.x(), wa.x() + wa.width() - window.width()));
    if (p.y() + window.height() > wa.y() + wa.height())
        p.setY(std::max(wa.y(), wa.y() + wa.height() - window.height()));
    return p;
}

QString FitTitle(const QString& title, bool isPath, int maxWidth, const std::function<int(const QString&)>& width) {
    if (width(title) <= maxWidth)
        return title;
    const QString dots = QStringLiteral("...");
    QString t = title;
    // Characters go until the text with its marker fits; the marker replaces three characters
    // that exist (a short text is replaced as far as it goes, never read past its end).
    while (!t.isEmpty()) {
        if (isPath)
            t.remove(0, 1);
        else
            t.chop(1);
        const QString candidate = isPath ? dots + t.mid(std::min<qsizetype>(3, t.size()))
                                         : t.left(std::max<qsizetype>(0, t.size() - 3)) + dots;
        if (width(candidate) <= maxWidth)
            return candidate;
    }
    return dots;
}

QString StatePanelText(bool holdtext, bool incognito, int gamingmode) {
    QString s;
    if (holdtext)
        s += u'H';
    if (incognito)
        s += u'I';
    if (gamingmode == 1 || gamingmode == 2)
        s += u'g';
    else if (gamingmode == 3)
        s += u'G';
    return s;
}

std::vector<QString> RowNumbers(const std::vector<QString>& rows) {
    std::vector<QString> n;
    n.reserve(rows.size());
    int next = 1;
    for (const QString& r : rows) {
        if (!r.startsWith(QLatin1String("===")) && next <= 9)
            n.push_back(QString::number(next++));
        else
            n.push_back(QString());
    }
    return n;
}

unsigned int BgrToRgb(int colour) {
    const unsigned int c = unsigned(colour);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int BlendColour(int from, int toward, int amount) {
    const double t = std::clamp(amount / 100.0, 0.0, 1.0);
    int out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = (from >> shift) & 0xFF;
        const int b = (toward >> shift) & 0xFF;
        out |= int(std::lround(a + t * (b - a))) << shift;
    }
    return out;
}

} // namespace vantrelo

namespace vantrelo {

int FittedRowHeight(int listrowheight, bool singleLine, bool titles, int textHeight, int titleHeight, int dpi) {
    const auto scaled = [dpi](int px96) { return int(std::lround(px96 * dpi / 96.0)); };
    const auto back = [dpi](int px) { return dpi > 0 ? int(std::lround(px * 96.0 / dpi)) : px; };
    const bool large = listrowheight > 32;
    const int item = scaled(listrowheight);
    if (!large || singleLine) {
        const int need = textHeight + scaled(2);
        return item < need ? std::max(back(need), large ? 33 : 17) : listrowheight;
    }
    const int need = textHeight + scaled(2) + (titles ? titleHeight : -scaled(1));
    return item < need ? back(need) : listrowheight;
}

QString EditorLabelText(int listWidth, int wideFrom, bool expandf4) {
    if (listWidth <= wideFrom)
        return QStringLiteral("Edit text");
    return QStringLiteral("Edit text - Ctrl+Enter = Execute, Esc = Close, ") +
           (expandf4 ? QStringLiteral("F4") : QStringLiteral("F10")) + QStringLiteral(" = Toggle");
}

int EditorFontSize(int expandfontsize, int listfontsize, int fontsize) {
    const int size = expandfontsize != 0 ? expandfontsize : std::max(listfontsize, (fontsize + listfontsize) / 2);
    return std::max(1, size);
}

int ZoomPercent(int current, TZoomStep step) {
    switch (step) {
    case TZoomStep::In:
        return std::clamp(current + 10, 10, 500);
    case TZoomStep::Out:
        return std::clamp(current - 10, 10, 500);
    case TZoomStep::Reset:
        break;
    }
    return 100;
}

int ZoomPercentForWheel(int current, int angleDelta) {
    const int notches = angleDelta / 120;
    // A stored value outside the range comes back into it at the first step.
    int z = std::clamp(current, 10, 500);
    for (int i = 0; i < std::abs(notches); ++i)
        z = ZoomPercent(z, notches > 0 ? TZoomStep::In : TZoomStep::Out);
    return z;
}

TDimmedColours DimmedColours(bool dimonexpand, bool diminput, int dimamount, int textcolor, int titlecolor,
                             int textbackcolor) {
    TDimmedColours c;
    if (dimonexpand || diminput)
        c.text = BlendColour(textcolor, textbackcolor, dimamount);
    if (diminput)
        c.title = BlendColour(titlecolor, textbackcolor, dimamount);
    return c;
}

TListEdge ListEdgeAt(QPoint p, QSize window, int zone) {
    const bool right = p.x() >= window.width() - zone && p.x() < window.width() + zone;
    const bool bottom = p.y() >= window.height() - zone && p.y() < window.height() + zone;
    if (right && bottom)
        return TListEdge::Corner;
    if (right && p.y() >= 0)
        return TListEdge::Right;
    if (bottom && p.x() >= 0)
        return TListEdge::Bottom;
    return TListEdge::None;
}

int ListWidthForDrag(int x) { return std::max(x, 30); }

int MaxVisibleForHeight(int clientHeight, int border, int rowHeight) {
    if (rowHeight <= 0)
        return 1;
    const double rows = double(clientHeight - 2 * border) / rowHeight;
    // A list dragged shut still keeps one row, so it can be found and dragged open again.
    return std::max(1, int(std::lround(rows)));
}

QRect PinPanelRect(const QRect& list, QSize picture) {
    return QRect(list.x() + list.width() - picture.width(), list.y() + list.height() - picture.height(),
                 picture.width(), picture.height());
}

bool RowBesidePin(bool pinVisible, bool righttextnoalign, int rowCentreY, int listHeight, int pinHeight) {
    return pinVisible && !righttextnoalign && rowCentreY > listHeight - pinHeight;
}

TScrollMarks ScrollMarks(QSize control, int rightPadding, int topPadding, int bottomPadding, bool moreAbove,
                         bool moreBelow) {
    int b = rightPadding * 3 / 11;
    if (b < 4 || b % 2 != 0)
        b -= 1;
    b = std::max(0, b - 2);
    const int x = control.width() - rightPadding;
    TScrollMarks m;
    if (moreAbove) {
        const int t = topPadding;
        m.up = std::array<QPoint, 3>{QPoint(x, t), QPoint(x + 2 * b + 6, t), QPoint(x + b + 3, t - b - 3)};
    }
    if (moreBelow) {
        const int u = control.height() - bottomPadding;
        m.down = std::array<QPoint, 3>{QPoint(x, u), QPoint(x + 2 * b + 6, u), QPoint(x + b + 3, u + b + 3)};
    }
    return m;
}

int WheelTopRow(int top, int angleDelta, int lines, int count, int visible) {
    const int step = std::max(1, lines);
    const int moved = top - (angleDelta / 120) * step;
    const int maxTop = std::max(0, count - std::max(1, visible));
    return std::clamp(moved, 0, maxTop);
}

namespace {

// Tiled so that one copy is centred in `area`; the start moves back by whole copies until it
// is not right of or below the area's corner.
QPoint CentredTileOrigin(QSize area, QSize picture) {
    int x = (area.width() - picture.width()) / 2;
    int y = (area.height() - picture.height()) / 2;
    if (picture.width() > 0)
        while (x > 0)
            x -= picture.width();
    if (picture.height() > 0)
        while (y > 0)
            y -= picture.height();
    return QPoint(x, y);
}

// Scaled by the larger ratio so the picture covers `area`, centred over it.
TPictureDraw Cover(const QRect& area, QSize picture) {
    const double sx = double(area.width()) / picture.width();
    const double sy = double(area.height()) / picture.height();
    const double scale = std::max(sx, sy);
    // A hair below the next pixel is that pixel: ratios like 3.96 are not exact in binary.
    const QSize size(int(std::ceil(picture.width() * scale - 1e-6)), int(std::ceil(picture.height() * scale - 1e-6)));
    TPictureDraw d;
    d.mode = TPictureDraw::Once;
    d.size = size;
    d.origin = QPoint(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    return d;
}

TPictureDraw MovedInto(TPictureDraw d, const QRect& area) {
    d.origin -= area.topLeft();
    return d;
}

// A tiling keeps its phase in whichever window draws it: the origin moves back into the area.
TPictureDraw TileFrom(QPoint origin, QSize picture) {
    TPictureDraw d;
    d.mode = TPictureDraw::Tile;
    d.size = picture;
    int x = origin.x() % picture.width();
    int y = origin.y() % picture.height();
    if (x > 0)
        x -= picture.width();
    if (y > 0)
        y -= picture.height();
    d.origin = QPoint(x, y);
    return d;
}

} // namespace

TListPicturePlan PlanListPicture(const TListPictureInput& in) {
    TListPicturePlan plan;
    if (in.picture.isEmpty() || in.list.isEmpty())
        return plan;
    if (in.fillmode == QLatin1String("stretch")) {
        plan.list.mode = TPictureDraw::Stretch;
        plan.list.size = in.list.size();
        return plan;
    }
    const QRect both = in.input.united(in.list);
    if (in.position == QLatin1String("center")) {
        plan.list.mode = TPictureDraw::Tile;
        plan.list.size = in.picture;
        plan.list.origin = CentredTileOrigin(in.list.size(), in.picture);
    } else if (in.position == QLatin1String("centermerge")) {
        const QPoint origin = both.topLeft() + CentredTileOrigin(both.size(), in.picture);
        plan.list = TileFrom(origin - in.list.topLeft(), in.picture);
        plan.input = TileFrom(origin - in.input.topLeft(), in.picture);
    } else if (in.position == QLatin1String("merge")) {
        plan.list.mode = TPictureDraw::Once;
        plan.list.size = in.picture;
        plan.list.origin = QPoint(0, -in.mergeShift);
    } else if (in.position == QLatin1String("cover")) {
        const TPictureDraw d = Cover(both, in.picture);
        plan.list = MovedInto(d, in.list);
        plan.input = MovedInto(d, in.input);
    } else if (in.position == QLatin1String("coverlist")) {
        plan.list = MovedInto(Cover(in.list, in.picture), in.list);
    }
    return plan;
}

int SelectionAlpha(bool picture, int listselectopacity) {
    if (picture && listselectopacity >= 0 && listselectopacity <= 254)
        return listselectopacity;
    return 255;
}

} // namespace vantrelo

namespace vantrelo {

std::vector<TWordSpan> SpellWords(const QString& line) {
    std::vector<TWordSpan> words;
    const int n = int(line.size());
    int i = 0;
    while (i < n) {
        // A token runs to the next blank; addresses and words with digits are not words.
        while (i < n && line.at(i).isSpace())
            ++i;
        const int tokenStart = i;
        while (i < n && !line.at(i).isSpace())
            ++i;
        const QStringView token = QStringView(line).mid(tokenStart, i - tokenStart);
        if (token.contains(QLatin1String("://")) || token.contains(u'@') || token.startsWith(QLatin1String("www.")))
            continue;
        int j = 0;
        while (j < token.size()) {
            while (j < token.size() && !token.at(j).isLetterOrNumber())
                ++j;
            const int start = j;
            bool digit = false;
            while (j < token.size()) {
                const QChar c = token.at(j);
                const bool inner = (c == u'\'' || c == u'\u2019' || c == u'-') && j + 1 < token.size() &&
                                   token.at(j + 1).isLetter() && j > start;
                if (!c.isLetterOrNumber() && !inner && !c.isMark())
                    break;
                digit = digit || c.isDigit();
                ++j;
            }
            if (j > start && !digit)
                words.push_back(TWordSpan{tokenStart + start, j - start});
        }
    }
    return words;
}

QString SpellToastText(bool on, bool dictionary) {
    if (!on)
        return QStringLiteral("Spell checking turned off");
    if (!dictionary)
        return QStringLiteral("Spell checking turned on (no dictionary is installed)");
    return QStringLiteral("Spell checking turned on");
}

} // namespace vantrelo
