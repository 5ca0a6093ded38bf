// An in-memory desktop: windows with frames, monitors, the pointer and processes, recording what was asked of them.
#pragma once

#include "commands/windowhost.h"
#include "platform/monitors.h"
#include "platform/mouse.h"
#include "platform/processlist.h"
#include "platform/windowcontrol.h"
#include "platform/windowlist.h"

#include <QStringList>

#include <map>
#include <optional>

namespace vantrelo::test {

struct TFakeWindow {
    TWindowFacts facts;
    QRect frame;
    QMargins border{4, 24, 4, 4}; // the frame around the client area
    bool closed = false;
};

// Windows live in `windows` (enumeration order = ascending id); each call lands in `calls`.
struct TFakeDesktop final : TWindowControl, TWindowList, TMonitors, TMouse, TProcessList {
    std::map<quint64, TFakeWindow> windows;
    std::vector<TMonitor> monitors{{QRect(0, 0, 1920, 1080), QRect(0, 30, 1920, 1050)}};
    std::map<qint64, TProcessFacts> processes;
    quint64 active = 0;
    QPoint cursor;
    std::map<std::pair<int, int>, quint32> pixels;
    mutable QStringList calls;

    TFakeWindow& Add(quint64 id, qint64 pid, const QString& title, const QString& cls, const QRect& frame) {
        TFakeWindow& w = windows[id];
        w.facts.id = id;
        w.facts.pid = pid;
        w.facts.title = title;
        w.facts.className = cls;
        w.frame = frame;
        return w;
    }
    const TFakeWindow* Find(quint64 id) const {
        const auto it = windows.find(id);
        return it == windows.end() || it->second.closed ? nullptr : &it->second;
    }
    bool Log(const QString& what, quint64 w) {
        calls << QStringLiteral("%1:%2").arg(what).arg(w);
        return Find(w) != nullptr;
    }

    // TWindowControl
    std::vector<quint64> ClientWindows() const override {
        std::vector<quint64> out;
        for (const auto& [id, w] : windows)
            if (!w.closed)
                out.push_back(id);
        return out;
    }
    std::vector<quint64> WindowsOfProcess(qint64 pid) const override {
        std::vector<quint64> out;
        for (quint64 id : ClientWindows())
            if (windows.at(id).facts.pid == pid)
                out.push_back(id);
        return out;
    }
    bool Describe(quint64 window, TWindowFacts* facts) const override {
        const TFakeWindow* w = Find(window);
        if (w)
            *facts = w->facts;
        return w != nullptr;
    }
    bool IsWindow(quint64 window) const override { return Find(window) != nullptr; }
    quint64 ActiveWindow() const override { return active; }
    bool Activate(quint64 window, quint64) override {
        if (Log(QStringLiteral("activate"), window))
            active = window;
        return IsWindow(window);
    }
    bool Close(quint64 window) override {
        if (!Log(QStringLiteral("close"), window))
            return false;
        windows[window].closed = true;
        return true;
    }
    bool Minimize(quint64 window) override { return Log(QStringLiteral("minimize"), window); }
    bool Maximize(quint64 window) override { return Log(QStringLiteral("maximize"), window); }
    bool Restore(quint64 window) override { return Log(QStringLiteral("restore"), window); }
    bool ShowNormal(quint64 window) override { return Log(QStringLiteral("normal"), window); }
    bool ToggleMaximized(quint64 window) override { return Log(QStringLiteral("togglemax"), window); }
    bool SetStayOnTop(quint64 window, bool) override { return Log(QStringLiteral("ontop"), window); }
    QRect FrameRect(quint64 window) const override {
        const TFakeWindow* w = Find(window);
        return w ? w->frame : QRect();
    }
    QRect ClientRect(quint64 window) const override {
        const TFakeWindow* w = Find(window);
        return w ? w->frame.marginsRemoved(w->border) : QRect();
    }
    bool SetFrameRect(quint64 window, const QRect& frame) override {
        const QRect r = frame;
        calls << QStringLiteral("frame:%1:%2,%3,%4,%5").arg(window).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        if (!Find(window))
            return false;
        windows[window].frame = frame;
        return true;
    }

    // TWindowList
    std::vector<TTopWindow> TopLevelWindows() const override {
        std::vector<TTopWindow> out;
        for (quint64 id : ClientWindows())
            out.push_back({id, windows.at(id).facts.title, QStringLiteral("Process id: %1").arg(windows.at(id).facts.pid)});
        return out;
    }

    // TMonitors
    std::vector<TMonitor> Monitors() const override { return monitors; }

    // TMouse
    QPoint CursorPos() const override { return cursor; }
    bool SetCursorPos(const QPoint& pos) override {
        cursor = pos;
        calls << QStringLiteral("cursor:%1,%2").arg(pos.x()).arg(pos.y());
        return true;
    }
    bool ButtonDown(TMouseButton b) override {
        calls << QStringLiteral("down:%1").arg(b == TMouseButton::Left ? "left" : "right");
        return true;
    }
    bool ButtonUp(TMouseButton b) override {
        calls << QStringLiteral("up:%1").arg(b == TMouseButton::Left ? "left" : "right");
        return true;
    }
    bool PixelColor(const QPoint& pos, quint32* rgb) const override {
        const auto it = pixels.find({pos.x(), pos.y()});
        if (it == pixels.end())
            return false;
        *rgb = it->second;
        return true;
    }

    // TProcessList
    std::vector<qint64> FindProgram(const QString& program) const override {
        std::vector<qint64> out;
        for (const auto& [pid, p] : processes)
            if (p.path.compare(program, Qt::CaseInsensitive) == 0 || p.baseName.compare(program, Qt::CaseInsensitive) == 0)
                out.push_back(pid);
        return out;
    }
    bool Describe(qint64 pid, TProcessFacts* facts) const override {
        const auto it = processes.find(pid);
        if (it == processes.end())
            return false;
        *facts = it->second;
        return true;
    }
    bool Terminate(qint64 pid) override {
        calls << QStringLiteral("terminate:%1").arg(pid);
        return processes.erase(pid) > 0;
    }
    bool Kill(qint64 pid) override {
        calls << QStringLiteral("kill:%1").arg(pid);
        return processes.erase(pid) > 0;
    }
};

// The launcher's side of the window commands: a fixed input window and a recorded text panel.
struct TFakeWindowHost final : TWindowCommandHost {
    TTargetWindow lastActive;
    quint64 inputId = 1;
    QRect inputFrame{100, 100, 600, 60};
    int clientWidth = 590;
    int listHeight = 200;
    QStringList infoTexts;
    QStringList arranged;
    TTargetWindow LastActive() const override { return lastActive; }
    quint64 InputWindowId() const override { return inputId; }
    int InputClientWidth() const override { return clientWidth; }
    int ListClientHeight() const override { return listHeight; }
    QRect InputFrame() const override { return inputFrame; }
    void ArrangeInputWindow(int width, int list, std::optional<QPoint> at) override {
        arranged << QStringLiteral("%1,%2,%3").arg(width).arg(list).arg(
            at ? QStringLiteral("%1:%2").arg(at->x()).arg(at->y()) : QStringLiteral("-"));
    }
    void ShowInfoText(const QString& text) override { infoTexts << text; }
};

} // namespace vantrelo::test
