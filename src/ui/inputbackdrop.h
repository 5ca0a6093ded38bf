// What the input window paints under its controls: the border, the inner panel, the skin's picture.
#pragma once

#include "ui/windowlogic.h"

#include <QPixmap>
#include <QRegion>

class QPainter;

namespace vantrelo {

struct TSkinLayout;

// The painted frame of the Scale layout, in the window's pixels.
struct TBackdropLook {
    QRect panel;              // the inner area inside the border
    int corner = 1;           // the unpainted (transparent) corners' size
    int border = 2;           // the border's width
    int borderColour = 0;     // 0x00BBGGRR
    int backColour = 0;       // the panel's background
    bool tweaks = false;      // the inner outline in `tweakColour`
    int tweakColour = 0;
    bool joinList = false;    // one window: the bottom border gives way to the list below
};

// The part of the window that is drawn: everything but the corners (and the bottom border strip
// when the list joins it), so the desktop shows through there.
QRegion BackdropShape(QSize window, const TBackdropLook& look);

class TInputBackdrop {
public:
    // The part of the list picture that falls on the input window; true when it changed.
    bool SetPlan(const TPictureDraw& plan);
    // A new skin: the drawn picture is made again.
    void Reset();
    void Paint(QPainter& p, QRect area, const TSkinLayout& layout, const TBackdropLook& look);

private:
    TPictureDraw plan_;
    QPixmap picture_; // the picture as drawn, made on the first paint
};

} // namespace vantrelo
