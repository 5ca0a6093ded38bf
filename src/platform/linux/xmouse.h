// The mouse pointer over X11: the pointer query, XTest motion and buttons, and root-window pixels.
#pragma once

#include "platform/mouse.h"

#include <QString>

#include <memory>

namespace vantrelo {

namespace x11 {
class TXConnection;
}

class TXMouse final : public TMouse {
public:
    // Its own connection to `display` (empty: $DISPLAY); null with `error` when there is no
    // display or it lacks the XTest extension.
    static std::unique_ptr<TXMouse> Open(const QString& display, QString* error);
    ~TXMouse() override;

    QPoint CursorPos() const override;
    bool SetCursorPos(const QPoint& pos) override;
    bool ButtonDown(TMouseButton button) override;
    bool ButtonUp(TMouseButton button) override;
    bool PixelColor(const QPoint& pos, quint32* rgb) const override;

private:
    explicit TXMouse(std::unique_ptr<x11::TXConnection> x);
    bool Button(TMouseButton button, bool down);
    std::unique_ptr<x11::TXConnection> x_;
};

} // namespace vantrelo
