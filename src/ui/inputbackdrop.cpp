// What the input window paints under its controls: the border, the inner panel, the skin's picture.
#include "ui/inputbackdrop.h"

#include "ui/skin/skinfile.h"
#include "ui/widgetkit.h"

#include <QPainter>
#include <QPen>

namespace vantrelo {

QRegion BackdropShape(QSize window, const TBackdropLook& look) {
    const int w = window.width();
    const int h = window.height();
    const int c = look.corner;
    QRegion shape(0, c, w, h - 2 * c);
    shape += QRegion(c, 0, w - 2 * c, h);
    if (look.joinList)
        shape -= QRegion(look.border, h - look.border, w - 2 * look.border, look.border);
    return shape;
}

bool TInputBackdrop::SetPlan(const TPictureDraw& plan) {
    if (plan.mode == plan_.mode && plan.origin == plan_.origin && plan.size == plan_.size)
        return false;
    plan_ = plan;
    picture_ = QPixmap();
    return true;
}

void TInputBackdrop::Reset() {
    plan_ = {};
    picture_ = QPixmap();
}

void TInputBackdrop::Paint(QPainter& p, QRect area, const TSkinLayout& layout, const TBackdropLook& look) {
    const int c = look.corner;
    const QColor border = Bgr(look.borderColour);
    // The border colour everywhere but in the corners, which stay see-through.
    p.fillRect(QRect(0, c, area.width(), area.height() - 2 * c), border);
    p.fillRect(QRect(c, 0, area.width() - 2 * c, area.height()), border);
    p.fillRect(look.panel, Bgr(look.backColour));
    p.save();
    p.setClipRect(look.panel);
    const QImage& skin = layout.skinpicture;
    if (!skin.isNull() && plan_.mode != TPictureDraw::None) {
        // The list picture continues behind the input window ("centermerge", "cover").
        if (picture_.isNull())
            picture_ = QPixmap::fromImage(plan_.mode == TPictureDraw::Once && plan_.size != skin.size()
                                              ? skin.scaled(plan_.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                              : skin);
        if (plan_.mode == TPictureDraw::Tile)
            p.drawTiledPixmap(area, picture_, QPoint(-plan_.origin.x(), -plan_.origin.y()));
        else
            p.drawPixmap(plan_.origin, picture_);
    } else if (!skin.isNull()) {
        // Tiled over the panel, from its top left or with one copy in its middle.
        QPoint offset;
        if (layout.skintilepictureposition == QLatin1String("center"))
            offset = QPoint((skin.width() - look.panel.width() % skin.width()) / 2 % skin.width(),
                            (skin.height() - look.panel.height() % skin.height()) / 2 % skin.height());
        p.drawTiledPixmap(look.panel, QPixmap::fromImage(skin), offset);
    }
    p.restore();
    if (look.tweaks) {
        // The inner outline, one pixel inside the border on each axis.
        const int b = look.border;
        const int a = std::max(0, b - c);
        p.setPen(QPen(Bgr(look.tweakColour), 1));
        p.setBrush(Qt::NoBrush);
        const int w = area.width();
        const int h = area.height();
        p.drawRect(QRect(QPoint(a, b), QPoint(w - a - 1, h - b - 1)));
        p.drawRect(QRect(QPoint(b, a), QPoint(w - b - 1, h - a - 1)));
    }
}

} // namespace vantrelo
