// Other programs' top-level windows: what they are, and how to show, place, activate and close them.
#pragma once

#include <QRect>
#include <QString>
#include <QtGlobal>

#include <vector>

namespace vantrelo {

// One top-level window as the window commands and the list of open windows see it.
struct TWindowFacts {
    quint64 id = 0;
    QString title;
    QString className;    // the class part of the window's class hint
    QString instanceName; // the instance (resource name) part
    qint64 pid = 0;       // 0 when the window does not say
    bool minimized = false;
    bool maximized = false; // both directions
    bool stayOnTop = false;
    bool owned = false;       // a transient of another window (a dialog of it)
    bool toolWindow = false;  // a utility, tool bar, menu, dock or desktop window, or kept off the taskbar
};

class TWindowControl {
public:
    virtual ~TWindowControl() = default;
    // The managed top-level windows, topmost first when the desktop tells the stacking order.
    virtual std::vector<quint64> ClientWindows() const = 0;
    // The managed windows whose process is `pid`, in the order of ClientWindows().
    virtual std::vector<quint64> WindowsOfProcess(qint64 pid) const = 0;
    // False when the window no longer exists.
    virtual bool Describe(quint64 window, TWindowFacts* facts) const = 0;
    virtual bool IsWindow(quint64 window) const = 0;
    // The window the desktop shows as active; 0 when none.
    virtual quint64 ActiveWindow() const = 0;

    // Brings the window to the front with the keyboard focus, restoring it first when minimised.
    // `userTime` is the time stamp of the user's action that asked for it (0: now).
    virtual bool Activate(quint64 window, quint64 userTime) = 0;
    // Asks the window to close, as its own close button would.
    virtual bool Close(quint64 window) = 0;
    virtual bool Minimize(quint64 window) = 0;
    virtual bool Maximize(quint64 window) = 0;
    // Minimised: shown again in its former state; else maximised: back to its normal size.
    virtual bool Restore(quint64 window) = 0;
    // Neither minimised nor maximised.
    virtual bool ShowNormal(quint64 window) = 0;
    virtual bool ToggleMaximized(quint64 window) = 0;
    virtual bool SetStayOnTop(quint64 window, bool onTop) = 0;

    // The outer rectangle, frame included, in screen pixels; empty when the window is gone.
    virtual QRect FrameRect(quint64 window) const = 0;
    // The client area in screen pixels.
    virtual QRect ClientRect(quint64 window) const = 0;
    // Moves and sizes the window so that its outer rectangle, frame included, becomes `frame`.
    virtual bool SetFrameRect(quint64 window, const QRect& frame) = 0;
};

} // namespace vantrelo
