// What the input window paints under its controls: the skin's picture, the list picture's share, the border.
#pragma once

#include "ui/windowlogic.h"

#include <QPixmap>

class QPainter;

namespace vantrelo {

struct TSkinLayout;

class TInputBackdrop {
public:
    // The part of the list picture that falls on the input window; true when it changed.
    bool SetPlan(const TPictureDraw& plan);
    // A new skin: the drawn picture is made again.
    void Reset();
    void Paint(QPainter& p, QRect area, const TSkinLayout& layout, QColor border, int borderWidth);

private:
    TPictureDraw plan_;
    QPixmap picture_; // the picture as drawn, made on the first paint
};

} // namespace vantrelo
