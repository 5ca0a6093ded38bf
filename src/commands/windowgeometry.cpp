// The window commands' arithmetic: reading arrangements, docking, adjustments and mouse points, and planning frames.
#include "commands/windowgeometry.h"

#include "core/text.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace vantrelo {

namespace {

QString WithoutBlanks(QString t) {
    t.remove(QLatin1Char(' '));
    t.remove(QLatin1Char('\t'));
    return t;
}

std::optional<int> Whole(const QString& t) {
    bool ok = false;
    const int n = t.toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// A size or position value: "50%" is a percentage, a value holding "n" counts as `nValue`.
std::optional<std::optional<TLength>> ReadLength(const QString& t, std::optional<TLength> nValue) {
    if (t.contains(QLatin1Char('n')))
        return nValue;
    const bool percent = t.endsWith(QLatin1Char('%'));
    const std::optional<int> n = Whole(percent ? t.chopped(1) : t);
    if (!n)
        return std::nullopt;
    return std::optional<TLength>(TLength{*n, percent});
}

int ClampSize(int v) { return std::clamp(v, kMinWindowSize, kMaxWindowSize); }

int Percent(int pct, int of) { return std::min(of, int(std::lround(double(pct) * of / 100.0))); }

QRect Sized(const QRect& r, int w, int h) { return QRect(r.topLeft(), QSize(ClampSize(w), ClampSize(h))); }

} // namespace

std::optional<TArrangement> ParseArrangement(const QString& text) {
    QString t = LowerText(WithoutBlanks(text));
    t.remove(QStringLiteral("px"));
    t.replace(QLatin1Char('x'), QLatin1Char(','));
    t.replace(QStringLiteral("pct"), QStringLiteral("%"));
    const QStringList v = t.split(QLatin1Char(','));
    TArrangement a;
    const auto width = ReadLength(v.value(0), TLength{});
    if (t.isEmpty() || !width)
        return std::nullopt;
    a.width = **width;
    if (v.size() < 2)
        return a;
    const auto height = ReadLength(v.at(1), TLength{});
    if (!height)
        return a;
    a.height = *height;
    if (v.size() < 3)
        return a;
    if (v.at(2).contains(QStringLiteral("center"))) {
        a.center = true;
        if (v.size() > 3)
            a.monitor = Whole(v.at(3));
        return a;
    }
    const auto x = ReadLength(v.at(2), std::nullopt);
    if (!x)
        return a;
    a.x = *x;
    if (v.size() < 4)
        return a;
    const auto y = ReadLength(v.at(3), std::nullopt);
    if (!y)
        return a;
    a.y = *y;
    if (v.size() > 4)
        a.monitor = Whole(v.at(4));
    return a;
}

TDocking ParseDocking(const QString& text) {
    QString t = LowerText(WithoutBlanks(text));
    t.remove(QStringLiteral("pct"));
    t.remove(QLatin1Char('%'));
    TDocking d;
    d.pixels = t.contains(QStringLiteral("px"));
    t.remove(QStringLiteral("px"));
    const QStringList v = t.split(QLatin1Char(','));
    const QString size = v.value(0);
    const int n = size.contains(QLatin1Char('n')) ? 0 : Whole(size).value_or(0);
    d.size = d.pixels ? std::clamp(n, 0, 10000) : std::clamp(n, 0, 100);
    if (v.size() > 1)
        d.monitor = Whole(v.at(1));
    return d;
}

std::optional<TAdjustment> ParseAdjustment(const QString& text) {
    QString t = LowerText(WithoutBlanks(text));
    t.remove(QStringLiteral("px"));
    const QStringList v = t.split(QLatin1Char(','));
    const std::optional<int> dw = Whole(v.value(0));
    const std::optional<int> dh = Whole(v.value(1));
    if (!dw || !dh)
        return std::nullopt;
    TAdjustment a{*dw, *dh, Whole(v.value(2)).value_or(0), Whole(v.value(3)).value_or(0), std::nullopt};
    if (v.size() > 4)
        a.monitor = Whole(v.at(4));
    return a;
}

std::optional<QPoint> ParsePoint(const QString& text) {
    const QStringList v = WithoutBlanks(text).split(QLatin1Char(','));
    if (v.size() < 2)
        return std::nullopt;
    const std::optional<int> x = Whole(v.at(0));
    const std::optional<int> y = Whole(v.at(1));
    if (!x || !y)
        return std::nullopt;
    return QPoint(*x, *y);
}

int NearestMonitor(const std::vector<TMonitor>& monitors, const QRect& frame) {
    int best = 0;
    qint64 bestArea = -1;
    qint64 bestDistance = -1;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const QRect shared = monitors[i].bounds.intersected(frame);
        const qint64 area = shared.isEmpty() ? 0 : qint64(shared.width()) * shared.height();
        const QPoint d = monitors[i].bounds.center() - frame.center();
        const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
        if (area > bestArea || (area == bestArea && area == 0 && distance < bestDistance)) {
            best = int(i);
            bestArea = area;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<int> MonitorIndex(const std::vector<TMonitor>& monitors, int number, int nearest) {
    if (number == -1)
        return nearest;
    if (number < 0 || number > int(monitors.size()) || monitors.empty())
        return std::nullopt;
    return std::max(0, number - 1);
}

QString NoSuchMonitor(int number) { return QStringLiteral("No such monitor: %1").arg(number); }

QString GeometryText(const std::vector<TMonitor>& monitors, const QRect& frame) {
    const int m = NearestMonitor(monitors, frame);
    const QRect work = monitors.empty() ? QRect() : monitors[size_t(m)].workArea;
    return QStringLiteral("%1,%2,%3,%4,%5")
        .arg(frame.width())
        .arg(frame.height())
        .arg(frame.x() - work.x())
        .arg(frame.y() - work.y())
        .arg(m + 1);
}

TFramePlan PlanCenter(const QRect& frame, const std::vector<TMonitor>& monitors, int monitor) {
    const std::optional<int> m = MonitorIndex(monitors, monitor, NearestMonitor(monitors, frame));
    if (!m)
        return {std::nullopt, NoSuchMonitor(monitor)};
    const QRect work = monitors[size_t(*m)].workArea;
    const QPoint at(work.left() + (work.width() - frame.width()) / 2, work.top() + (work.height() - frame.height()) / 2);
    return {QRect(at, frame.size()), {}};
}

TFramePlan PlanArrangement(const TArrangement& a, const TWindowShape& w, const std::vector<TMonitor>& monitors) {
    if (monitors.empty())
        return {};
    const int nearest = NearestMonitor(monitors, w.frame);
    const QRect near = monitors[size_t(nearest)].bounds;
    std::optional<int> target = nearest;
    if (a.monitor) {
        target = MonitorIndex(monitors, *a.monitor, nearest);
        if (!target)
            return {std::nullopt, NoSuchMonitor(*a.monitor)};
    }
    // Client sizes gain the current frame; percentages are outer sizes of the nearest monitor.
    const auto outer = [](const std::optional<TLength>& l, int current, int frameExtra, int monitorSize) {
        if (!l || l->value < 1)
            return current;
        return l->percent ? Percent(l->value, monitorSize) : l->value + frameExtra;
    };
    const int width = outer(a.width, w.frame.width(), w.frame.width() - w.client.width(), near.width());
    const int height = outer(a.height, w.frame.height(), w.frame.height() - w.client.height(), near.height());
    const QRect sized = Sized(w.frame, width, height);
    if (a.center)
        return PlanCenter(sized, monitors, a.monitor ? *a.monitor : -1);
    if (!a.x && !a.y && !a.monitor)
        return {sized, {}};
    const QRect nearWork = monitors[size_t(nearest)].workArea;
    const TMonitor& m = monitors[size_t(*target)];
    const auto place = [](const std::optional<TLength>& l, int keep, int monitorSize) {
        if (!l)
            return keep;
        return l->percent ? Percent(l->value, monitorSize) : l->value;
    };
    const int x = place(a.x, w.frame.x() - nearWork.x(), m.bounds.width());
    const int y = place(a.y, w.frame.y() - nearWork.y(), m.bounds.height());
    return {QRect(QPoint(m.workArea.x() + x, m.workArea.y() + y), sized.size()), {}};
}

TFramePlan PlanDocking(TDockSide side, const TDocking& d, const QRect& frame, const std::vector<TMonitor>& monitors) {
    if (monitors.empty())
        return {};
    const int nearest = NearestMonitor(monitors, frame);
    std::optional<int> target = nearest;
    if (d.monitor) {
        target = MonitorIndex(monitors, *d.monitor, nearest);
        if (!target)
            return {std::nullopt, NoSuchMonitor(*d.monitor)};
    }
    const QRect nearWork = monitors[size_t(nearest)].workArea;
    const TMonitor& m = monitors[size_t(*target)];
    const QRect work = m.workArea;
    const bool horizontal = side == TDockSide::Left || side == TDockSide::Right;
    const int current = horizontal ? frame.width() : frame.height();
    const int monitorSize = horizontal ? m.bounds.width() : m.bounds.height();
    const int size = ClampSize(d.size == 0 ? current : d.pixels ? d.size : Percent(d.size, monitorSize));
    QRect r;
    if (horizontal) {
        const int y = work.y() + frame.y() - nearWork.y();
        const int x = side == TDockSide::Left ? work.x() : work.x() + work.width() - size;
        r = QRect(x, y, size, frame.height());
    } else {
        const int x = work.x() + frame.x() - nearWork.x();
        const int y = side == TDockSide::Top ? work.y() : work.y() + work.height() - size;
        r = QRect(x, y, frame.width(), size);
    }
    return {r, {}};
}

TFramePlan PlanAdjustment(const TAdjustment& a, const QRect& frame, const std::vector<TMonitor>& monitors) {
    const QSize size(ClampSize(frame.width() + a.dw), ClampSize(frame.height() + a.dh));
    if (a.monitor) {
        const int nearest = NearestMonitor(monitors, frame);
        const std::optional<int> target = MonitorIndex(monitors, *a.monitor, nearest);
        if (!target)
            return {std::nullopt, NoSuchMonitor(*a.monitor)};
        const QPoint offset = frame.topLeft() - monitors[size_t(nearest)].workArea.topLeft();
        return {QRect(monitors[size_t(*target)].workArea.topLeft() + offset, size), {}};
    }
    return {QRect(frame.topLeft() + QPoint(a.dx, a.dy), size), {}};
}

QRect PlanFullSpan(bool width, const QRect& frame, const std::vector<TMonitor>& monitors) {
    if (monitors.empty())
        return frame;
    const QRect work = monitors[size_t(NearestMonitor(monitors, frame))].workArea;
    if (width)
        return QRect(work.x(), frame.y(), work.width(), frame.height());
    return QRect(frame.x(), work.y(), frame.width(), work.height());
}

} // namespace vantrelo
