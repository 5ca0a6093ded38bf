// The launcher's side of the window and mouse commands: the previous window, the input window, the text panel.
#pragma once

#include "commands/windowhost.h"
#include "platform/monitors.h"

namespace vantrelo {

struct TAppContext;

// Monitors come from Qt, which reads every RandR output and its share of the work area.
class TDesktopController final : public TWindowCommandHost, public TMonitors {
public:
    explicit TDesktopController(TAppContext& ctx);

    // What the commands reach on this desktop; all null without one (offscreen).
    TDesktopAccess Access();
    // Remembers `window` with its process and class (nothing for the program's own windows).
    void Capture(quint64 window);
    // The previous window when it is still the window that was captured; 0 otherwise.
    quint64 CheckedLastActive() const;

    // A window row's menu: centre on its monitor, full width or height, an arrangement typed by
    // the user ("Resize window"), ending its process.
    void CenterWindow(quint64 window);
    void SpanWindow(quint64 window, bool width);
    void AskAndArrange(quint64 window);
    void EndProcessOf(quint64 window);

    TTargetWindow LastActive() const override;
    quint64 InputWindowId() const override;
    int InputClientWidth() const override;
    int ListClientHeight() const override;
    QRect InputFrame() const override;
    void ArrangeInputWindow(int width, int listHeight, std::optional<QPoint> topLeft) override;
    void ShowInfoText(const QString& text) override;
    std::vector<TMonitor> Monitors() const override;

private:
    void Place(quint64 window, const std::optional<QRect>& frame);

    TAppContext& ctx_;
};

} // namespace vantrelo
