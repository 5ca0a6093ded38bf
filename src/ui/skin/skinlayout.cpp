// Scale layout arithmetic, kept apart from the widgets so the sizes are testable.
#include "ui/skin/skinlayout.h"

#include "core/settings.h"
#include "ui/skin/skinfile.h"

#include <algorithm>
#include <cstdlib>

namespace vantrelo {

int ScaleDpi(int px96, int dpi) {
    // Multiply then divide with the half added, rounding halves away from zero.
    const long long p = static_cast<long long>(px96) * dpi;
    const long long q = p >= 0 ? (p + 48) / 96 : -((-p + 48) / 96);
    return int(q);
}

void ForceScaleStyle(TSettings& settings) {
    settings.skintype = 4;
    settings.autoshowhint = true;
    settings.showwordicon = true;
}

int ScaleInputFontSize(int fontsize) { return std::max(fontsize, 15); }

TScaleInput ScaleInputFor(const TSettings& settings, const TSkinLayout& layout, int dpi, int inputTextHeight) {
    TScaleInput in;
    in.dpi = dpi;
    in.bordersizewindow = layout.bordersizewindow;
    in.minimumwidth = layout.minimumwidth;
    in.customwidth = settings.customwidth;
    in.inputTextHeight = inputTextHeight;
    in.showcombo = settings.showcombo;
    return in;
}

TScaleLayout ComputeScaleLayout(const TScaleInput& in) {
    auto S = [&](int x) { return ScaleDpi(x, in.dpi); };
    TScaleLayout l;
    const int b = S(in.bordersizewindow);
    const int m = std::max(in.minimumwidth > 0 ? in.minimumwidth : 477, 250);
    int w = S(m) + 2 * b;
    if (in.customwidth > w)
        w = in.customwidth;
    const int h = S(62) + 2 * b;
    l.client = QSize(w, h);
    l.border = b;
    l.width = w - S(60);
    l.panel = QRect(b, b, w - 2 * b, h - 2 * b);
    l.icon = QRect(S(10), S(14), S(32), S(32));

    const int editHeight = std::max(in.inputTextHeight + 2, 13);
    int arrowWidth = S(11);
    if (arrowWidth % 2 == 0)
        ++arrowWidth;
    if (in.showcombo)
        l.arrow = QRect(l.panel.width() - arrowWidth - 5, S(13), arrowWidth, editHeight + 4);
    const int editWidth = in.showcombo ? l.width - arrowWidth : l.width;
    l.edit = QRect(S(49), l.panel.height() / 2 - editHeight / 2 - S(3), editWidth, editHeight);
    l.title = QRect(S(50), S(43), l.width, std::max(l.panel.height() - S(43), 1));
    l.listWidth = w;
    l.listLeft = 0;
    l.listTop = S(2) + h;
    l.listIconPadLeft = S(6);
    l.listIconPadRight = S(11);
    return l;
}

std::array<QPoint, 3> ArrowTriangle(int w, int h, bool up) {
    const int a = (w - 7) / 2;
    if (up)
        return {QPoint(3, h - 4), QPoint(w - 4, h - 4), QPoint(a + 3, h - a - 4)};
    return {QPoint(3, 3), QPoint(w - 4, 3), QPoint(a + 3, a + 3)};
}

std::optional<int> BlendAlpha(const TSettings& settings, bool active) {
    const int v = active ? settings.transactive : settings.transinactive;
    if (v >= 255)
        return std::nullopt;
    return std::max(v, 0);
}

int InputBorderColour(const TSettings& settings) {
    return settings.onewindow ? settings.windowcolor : settings.inputwindowcolor;
}

} // namespace vantrelo
