// The window and mouse commands: acting on the previous window, finding windows, describing them, the pointer.
#include "commands/builtins.h"
#include "commands/dispatcher.h"
#include "commands/enclosed.h"
#include "commands/windowgeometry.h"
#include "commands/windowhost.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "platform/monitors.h"
#include "platform/mouse.h"
#include "platform/processlist.h"
#include "platform/waiter.h"
#include "platform/windowcontrol.h"

namespace vantrelo {

TTargetWindow CaptureTarget(const TWindowControl& windows, quint64 window) {
    TWindowFacts f;
    if (window == 0 || !windows.Describe(window, &f))
        return {};
    return {window, f.pid, f.className};
}

TTargetState CheckTarget(const TWindowControl& windows, const TTargetWindow& target) {
    if (target.id == 0)
        return TTargetState::None;
    TWindowFacts f;
    if (!windows.Describe(target.id, &f) || f.pid != target.pid || f.className != target.className)
        return TTargetState::Gone;
    return TTargetState::Present;
}

namespace {

const QString kNoDesktop = QStringLiteral("There is no desktop to act on");
const QString kExpectedPoint = QStringLiteral("Expected x,y");
// A click holds the button this long, so programs that poll see it.
constexpr int kClickHoldMs = 20;

using B = TCommandBlock;

struct TWindowCommands {
    TCommandServices& s;
    TDesktopAccess& d() { return s.desktop; }

    bool HasDesktop(TCommandCall& c) {
        if (d().windows && d().monitors && d().host)
            return true;
        c.Fail(kNoDesktop);
        return false;
    }

    void Answer(const QString& text) { s.exec->services.input->SetNewWord(text, true, false); }

    // The previous window when it still is the window that was captured.
    std::optional<quint64> Target(TCommandCall& c) {
        if (!HasDesktop(c))
            return std::nullopt;
        const TTargetWindow t = d().host->LastActive();
        switch (CheckTarget(*d().windows, t)) {
        case TTargetState::None:
            c.Fail(QString::fromLatin1(kNoPreviousWindow));
            return std::nullopt;
        case TTargetState::Gone:
            c.Fail(QString::fromLatin1(kPreviousWindowGone));
            return std::nullopt;
        case TTargetState::Present:
            break;
        }
        if (t.pid == d().ownPid) {
            c.Fail(QString::fromLatin1(kNoPreviousWindow));
            return std::nullopt;
        }
        return t.id;
    }

    std::vector<TMonitor> Monitors() { return d().monitors->Monitors(); }

    void Apply(TCommandCall& c, quint64 w, const TFramePlan& plan) {
        if (!plan.error.isEmpty()) {
            c.Fail(plan.error);
            return;
        }
        if (!plan.frame)
            return;
        d().windows->ShowNormal(w);
        d().windows->SetFrameRect(w, *plan.frame);
    }

    void State(TCommandCall& c, bool (TWindowControl::*change)(quint64)) {
        if (const auto w = Target(c))
            (d().windows->*change)(*w);
    }

    void Arrange(TCommandCall& c) {
        const std::optional<TArrangement> a = ParseArrangement(FallbackParam(c, *s.exec, true));
        const auto w = Target(c);
        if (!w)
            return;
        const QRect frame = d().windows->FrameRect(*w);
        if (!a) {
            c.noafter = true;
            Answer(GeometryText(Monitors(), frame));
            return;
        }
        Apply(c, *w, PlanArrangement(*a, {frame, d().windows->ClientRect(*w)}, Monitors()));
    }

    void ArrangeSelf(TCommandCall& c) {
        c.noafter = true;
        if (!HasDesktop(c))
            return;
        TWindowCommandHost& h = *d().host;
        const std::vector<TMonitor> monitors = Monitors();
        const QRect frame = h.InputFrame();
        const std::optional<TArrangement> a = ParseArrangement(FallbackParam(c, *s.exec, true));
        if (!a) {
            const QString geometry = GeometryText(monitors, frame);
            const QStringList parts = geometry.split(QLatin1Char(','));
            Answer(QStringLiteral("%1,%2,%3,%4,%5")
                       .arg(h.InputClientWidth())
                       .arg(h.ListClientHeight())
                       .arg(frame.x())
                       .arg(frame.y())
                       .arg(parts.value(4)));
            return;
        }
        if (monitors.empty())
            return;
        const QRect near = monitors[size_t(NearestMonitor(monitors, frame))].bounds;
        const auto size = [](const TLength& l, int current, int of) {
            if (l.value < 1)
                return current;
            return l.percent ? std::min(of, int(double(l.value) * of / 100.0 + 0.5)) : l.value;
        };
        const int width = std::max(250, size(a->width, h.InputClientWidth(), near.width()));
        const int list = size(a->height.value_or(TLength{}), h.ListClientHeight(), near.height());
        std::optional<QPoint> at;
        if (a->center || a->x || a->y || a->monitor) {
            TArrangement place = *a;
            place.width = {};
            place.height = TLength{};
            const QRect resized(frame.topLeft(), QSize(width + frame.width() - h.InputClientWidth(), frame.height()));
            const TFramePlan plan = PlanArrangement(place, {resized, resized}, monitors);
            if (!plan.error.isEmpty()) {
                c.Fail(plan.error);
                return;
            }
            if (plan.frame)
                at = plan.frame->topLeft();
        }
        h.ArrangeInputWindow(width, list, at);
    }

    void Adjust(TCommandCall& c) {
        const std::optional<TAdjustment> a = ParseAdjustment(FallbackParam(c, *s.exec, true));
        const auto w = Target(c);
        if (!w || !a)
            return;
        Apply(c, *w, PlanAdjustment(*a, d().windows->FrameRect(*w), Monitors()));
    }

    void FullSpan(TCommandCall& c, bool width) {
        if (const auto w = Target(c))
            Apply(c, *w, {PlanFullSpan(width, d().windows->FrameRect(*w), Monitors()), {}});
    }

    void Dock(TCommandCall& c, TDockSide side) {
        const TDocking dock = ParseDocking(FallbackParam(c, *s.exec, true));
        if (const auto w = Target(c))
            Apply(c, *w, PlanDocking(side, dock, d().windows->FrameRect(*w), Monitors()));
    }

    void Center(TCommandCall& c) {
        QString failure;
        const QString p = SubstitutedParam(c, *s.exec, &failure);
        if (!failure.isEmpty()) {
            c.Fail(failure);
            return;
        }
        int monitor = -1;
        if (!p.isEmpty()) {
            const std::optional<int> n = ReadWholeNumber(p);
            if (!n) {
                c.handled = false;
                c.Fail(NotAnIntegerMessage(p));
                return;
            }
            monitor = *n;
        }
        if (const auto w = Target(c))
            Apply(c, *w, PlanCenter(d().windows->FrameRect(*w), Monitors(), monitor));
    }

    QString Describe(quint64 w) {
        TWindowControl& windows = *d().windows;
        TWindowFacts f;
        if (!windows.Describe(w, &f))
            return QStringLiteral("No such window (WindowHandle: %1).").arg(w);
        QStringList lines{QStringLiteral("WindowHandle: %1").arg(w),
                          QStringLiteral("WindowTitle: ") + f.title.left(256),
                          QStringLiteral("WindowClass: ") + f.className,
                          QStringLiteral("WindowInfo(width,height,x,y,screen-num): ") +
                              GeometryText(Monitors(), windows.FrameRect(w))};
        TProcessFacts p;
        if (f.pid > 0 && d().processes && d().processes->Describe(f.pid, &p)) {
            lines << QStringLiteral("ProcessID: %1").arg(f.pid);
            if (!p.baseName.isEmpty())
                lines << QStringLiteral("BaseName: ") + p.baseName;
            lines << (p.path.isEmpty() ? QStringLiteral("ProcessID: %1").arg(f.pid) : QStringLiteral("FileName: ") + p.path);
            lines << QString() << QStringLiteral("All windows of process:");
            for (quint64 other : windows.WindowsOfProcess(f.pid)) {
                TWindowFacts o;
                if (windows.Describe(other, &o) && !o.className.isEmpty())
                    lines << QStringLiteral("HANDLE: %1 - TITLE: %2 CLASS: %3").arg(other).arg(o.title, o.className);
            }
        }
        return lines.join(QLatin1Char('\n'));
    }

    void Info(TCommandCall& c) {
        c.noafter = true;
        if (!HasDesktop(c))
            return;
        const QString p = TrimText(FallbackParam(c, *s.exec, true));
        quint64 w = 0;
        if (p == QLatin1String("self")) {
            w = d().host->InputWindowId();
        } else if (!p.isEmpty()) {
            bool ok = false;
            w = p.toULongLong(&ok, 10);
            if (!ok) {
                c.Fail(NotAnIntegerMessage(p));
                return;
            }
        } else {
            const TTargetWindow t = d().host->LastActive();
            const TTargetState state = CheckTarget(*d().windows, t);
            if (state != TTargetState::Present) {
                d().host->ShowInfoText(QString::fromLatin1(state == TTargetState::None ? kNoPreviousWindow
                                                                                       : kPreviousWindowGone));
                return;
            }
            w = t.id;
        }
        d().host->ShowInfoText(Describe(w));
    }

    void Handle(TCommandCall& c) {
        c.noafter = true;
        if (!HasDesktop(c))
            return;
        const QString p = TrimText(FallbackParam(c, *s.exec, true));
        bool ok = false;
        const quint64 w = p.toULongLong(&ok, 10);
        TWindowFacts f;
        if (!ok || !d().windows->Describe(w, &f)) {
            c.Fail(QStringLiteral("No such window (WindowHandle: %1).").arg(p));
            return;
        }
        d().windows->Activate(w, 0);
    }

    // "class,", "file,", "sub,", "all," in this order, then the text searched for as written.
    void Find(TCommandCall& c, bool close) {
        if (!HasDesktop(c))
            return;
        const QString name = QString::fromUtf16(c.row.name);
        QString search = EnclosedText(name, c.text);
        const auto option = [&search](const char* o) {
            const QString opt = QString::fromLatin1(o);
            if (!StartsText(opt, search))
                return false;
            search = search.mid(opt.size());
            return true;
        };
        const bool byClass = option("class,");
        const bool byFile = option("file,");
        const bool sub = option("sub,");
        const bool all = option("all,");
        if (search.isEmpty()) {
            c.Fail(QStringLiteral("No window text to search for"));
            return;
        }
        const auto matches = [&](const QString& value) {
            return !value.isEmpty() && (sub ? ContainsText(value, search) : StartsText(search, value));
        };
        bool found = false;
        TWindowControl& windows = *d().windows;
        for (quint64 w : windows.ClientWindows()) {
            TWindowFacts f;
            // Many X programs publish no process id (xmessage, Tk): title and class still match them.
            if (!windows.Describe(w, &f) || (f.pid > 0 && f.pid == d().ownPid))
                continue;
            bool hit = false;
            if (byClass) {
                hit = matches(f.className) || matches(f.instanceName);
            } else if (byFile) {
                TProcessFacts p;
                hit = f.pid > 0 && d().processes && d().processes->Describe(f.pid, &p) && matches(p.path);
            } else {
                hit = matches(f.title);
            }
            if (!hit)
                continue;
            found = true;
            if (close)
                windows.Close(w);
            else
                windows.Activate(w, 0);
            if (!all)
                break;
        }
        if (found)
            return;
        // A keyword that also names a program starts it when no window was found.
        c.handled = TrimText(StripEnclosed(name, c.upper)).isEmpty();
        if (*c.handled)
            c.Fail(QStringLiteral("No window found: ") + search);
    }

    // Mouse commands

    bool HasMouse(TCommandCall& c) {
        if (d().mouse)
            return true;
        c.Fail(kNoDesktop);
        return false;
    }

    void MousePos(TCommandCall& c) {
        // "$GETMOUSEPOSCOLOR" holds this command's name; it is not this command.
        if (c.upper.count(QStringLiteral("$GETMOUSEPOS")) == c.upper.count(QStringLiteral("$GETMOUSEPOSCOLOR")))
            return;
        c.noafter = true;
        if (!HasMouse(c))
            return;
        const QPoint p = d().mouse->CursorPos();
        Answer(QStringLiteral("%1,%2").arg(p.x()).arg(p.y()));
    }

    void PixelColor(TCommandCall& c) {
        c.noafter = true;
        if (!HasMouse(c))
            return;
        const QString p = TrimText(FallbackParam(c, *s.exec, true));
        QPoint at = d().mouse->CursorPos();
        if (!p.isEmpty()) {
            const std::optional<QPoint> read = ParsePoint(p);
            if (!read) {
                c.Abandon(kExpectedPoint);
                return;
            }
            at = *read;
        }
        quint32 rgb = 0;
        if (!d().mouse->PixelColor(at, &rgb)) {
            c.Fail(QStringLiteral("No screen pixel at %1,%2").arg(at.x()).arg(at.y()));
            return;
        }
        Answer(QStringLiteral("R=%1 G=%2 B=%3").arg((rgb >> 16) & 0xff).arg((rgb >> 8) & 0xff).arg(rgb & 0xff));
    }

    std::optional<QPoint> Point(TCommandCall& c) {
        if (!HasMouse(c))
            return std::nullopt;
        const std::optional<QPoint> p = ParsePoint(FallbackParam(c, *s.exec, true));
        if (!p)
            c.Fail(kExpectedPoint);
        return p;
    }

    void MoveTo(TCommandCall& c) {
        if (const auto p = Point(c))
            d().mouse->SetCursorPos(*p);
    }

    void Click(TCommandCall& c, TMouseButton button) {
        const auto p = Point(c);
        if (!p)
            return;
        TMouse& m = *d().mouse;
        m.SetCursorPos(*p);
        m.ButtonDown(button);
        s.exec->services.waiter->WaitUntil([] { return false; }, kClickHoldMs, 1);
        m.ButtonUp(button);
    }
};

} // namespace

void RegisterWindowCommands(TCommandDispatcher& disp) {
    auto w = std::make_shared<TWindowCommands>(TWindowCommands{disp.Services()});
    const auto on = [&disp, w](B block, auto fn) { disp.SetHandler(block, [w, fn](TCommandCall& c) { fn(*w, c); }); };
    on(B::WClose, [](TWindowCommands& x, TCommandCall& c) { x.State(c, &TWindowControl::Close); });
    on(B::WMaximize, [](TWindowCommands& x, TCommandCall& c) { x.State(c, &TWindowControl::Maximize); });
    on(B::WMinimize, [](TWindowCommands& x, TCommandCall& c) { x.State(c, &TWindowControl::Minimize); });
    on(B::WRestore, [](TWindowCommands& x, TCommandCall& c) { x.State(c, &TWindowControl::Restore); });
    on(B::WOpen, [](TWindowCommands& x, TCommandCall& c) { x.State(c, &TWindowControl::ShowNormal); });
    on(B::WArrange, [](TWindowCommands& x, TCommandCall& c) { x.Arrange(c); });
    on(B::WVantrelo, [](TWindowCommands& x, TCommandCall& c) { x.ArrangeSelf(c); });
    on(B::WAdjust, [](TWindowCommands& x, TCommandCall& c) { x.Adjust(c); });
    on(B::WMaxWidth, [](TWindowCommands& x, TCommandCall& c) { x.FullSpan(c, true); });
    on(B::WMaxHeight, [](TWindowCommands& x, TCommandCall& c) { x.FullSpan(c, false); });
    on(B::WLeft, [](TWindowCommands& x, TCommandCall& c) { x.Dock(c, TDockSide::Left); });
    on(B::WRight, [](TWindowCommands& x, TCommandCall& c) { x.Dock(c, TDockSide::Right); });
    on(B::WTop, [](TWindowCommands& x, TCommandCall& c) { x.Dock(c, TDockSide::Top); });
    on(B::WBottom, [](TWindowCommands& x, TCommandCall& c) { x.Dock(c, TDockSide::Bottom); });
    on(B::WCenter, [](TWindowCommands& x, TCommandCall& c) { x.Center(c); });
    on(B::WInfo, [](TWindowCommands& x, TCommandCall& c) { x.Info(c); });
    on(B::WHandle, [](TWindowCommands& x, TCommandCall& c) { x.Handle(c); });
    on(B::WFindActive, [](TWindowCommands& x, TCommandCall& c) { x.Find(c, false); });
    on(B::WFindClose, [](TWindowCommands& x, TCommandCall& c) { x.Find(c, true); });
    on(B::GetMousePos, [](TWindowCommands& x, TCommandCall& c) { x.MousePos(c); });
    on(B::GetMousePosColor, [](TWindowCommands& x, TCommandCall& c) { x.PixelColor(c); });
    on(B::SetMousePos, [](TWindowCommands& x, TCommandCall& c) { x.MoveTo(c); });
    on(B::MouseLeftClick, [](TWindowCommands& x, TCommandCall& c) { x.Click(c, TMouseButton::Left); });
    on(B::MouseClick, [](TWindowCommands& x, TCommandCall& c) { x.Click(c, TMouseButton::Left); });
    on(B::MouseRightClick, [](TWindowCommands& x, TCommandCall& c) { x.Click(c, TMouseButton::Right); });
}

} // namespace vantrelo
