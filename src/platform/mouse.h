// The mouse pointer: where it is, moving it, clicking, and the colour of a screen pixel.
#pragma once

#include <QPoint>
#include <QtGlobal>

namespace vantrelo {

enum class TMouseButton { Left, Right };

class TMouse {
public:
    virtual ~TMouse() = default;
    virtual QPoint CursorPos() const = 0;
    virtual bool SetCursorPos(const QPoint& pos) = 0;
    virtual bool ButtonDown(TMouseButton button) = 0;
    virtual bool ButtonUp(TMouseButton button) = 0;
    // The pixel's colour as 0xRRGGBB; false when the point is off the screen.
    virtual bool PixelColor(const QPoint& pos, quint32* rgb) const = 0;
};

} // namespace vantrelo
