// The desktop's windows and monitors over X11: EWMH and ICCCM requests on an xcb connection.
#pragma once

#include "platform/desktopwindows.h"
#include "platform/linux/procfs.h"
#include "platform/monitors.h"
#include "platform/windowcontrol.h"
#include "platform/windowlist.h"

#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

namespace x11 {
class TXConnection;
}

class TXDesktop final : public TDesktopWindows, public TWindowControl, public TWindowList, public TMonitors {
public:
    // Its own connection to `display` (empty: $DISPLAY); null with `error` when there is none.
    static std::unique_ptr<TXDesktop> Open(const QString& display, QString* error);
    // Works on an xcb connection that stays its owner's (Qt's), given as xcb_connection_t*.
    static std::unique_ptr<TXDesktop> OnConnection(void* xcbConnection, int screen);
    ~TXDesktop() override;

    // TDesktopWindows
    quint64 ForegroundWindow() const override;
    bool IsOwnWindow(quint64 window) const override;
    bool ProgramIsActive() const override;
    void MinimizeAll() override;
    void UndoMinimizeAll() override;

    // TWindowControl
    std::vector<quint64> ClientWindows() const override;
    std::vector<quint64> WindowsOfProcess(qint64 pid) const override;
    bool Describe(quint64 window, TWindowFacts* facts) const override;
    bool IsWindow(quint64 window) const override;
    quint64 ActiveWindow() const override;
    bool Activate(quint64 window, quint64 userTime) override;
    bool Close(quint64 window) override;
    bool Minimize(quint64 window) override;
    bool Maximize(quint64 window) override;
    bool Restore(quint64 window) override;
    bool ShowNormal(quint64 window) override;
    bool ToggleMaximized(quint64 window) override;
    bool SetStayOnTop(quint64 window, bool onTop) override;
    // No entry in the task bar, the pager or the window switcher (`noalttab`).
    void SkipTaskbarAndPager(quint64 window);
    QRect FrameRect(quint64 window) const override;
    QRect ClientRect(quint64 window) const override;
    bool SetFrameRect(quint64 window, const QRect& frame) override;

    // TWindowList: every switchable window, minimised or not, with its process description.
    std::vector<TTopWindow> TopLevelWindows() const override;

    // TMonitors
    std::vector<TMonitor> Monitors() const override;

private:
    explicit TXDesktop(std::unique_ptr<x11::TXConnection> x);
    bool Supports(const char* atomName) const;
    bool Deiconify(quint64 window);
    bool ChangeMaximized(quint64 window, int action);
    quint32 Time(quint64 userTime) const;

    std::unique_ptr<x11::TXConnection> x_;
    std::vector<quint64> minimizedByUs_; // bottom first, for UndoMinimizeAll
    TProcFsProcessList processes_;
};

} // namespace vantrelo
