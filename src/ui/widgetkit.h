// Small helpers the windows share: dpi scaling, skin colours and key strokes of Qt key events.
#pragma once

#include "ui/keymap.h"
#include "ui/windowlogic.h"

#include <QColor>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

namespace vantrelo {

// The 96-dpi pixel sizes scale with the screen's logical dpi.
inline int S(const QWidget* w, int v) { return qRound(v * w->logicalDpiY() / 96.0); }

// A colour as the settings store it (blue, green, red from the high byte down).
inline QColor Bgr(int c) { return QColor(QRgb(BgrToRgb(c))); }

inline QColor Lighten(QColor c, int by) {
    return QColor(std::min(255, c.red() + by), std::min(255, c.green() + by), std::min(255, c.blue() + by));
}

inline TKeyStroke StrokeOf(const QKeyEvent* e) {
    TKeyStroke k;
    k.key = e->key();
    k.shift = e->modifiers() & Qt::ShiftModifier;
    k.ctrl = e->modifiers() & Qt::ControlModifier;
    k.alt = e->modifiers() & Qt::AltModifier;
    k.keypad = e->modifiers() & Qt::KeypadModifier;
    return k;
}

} // namespace vantrelo
