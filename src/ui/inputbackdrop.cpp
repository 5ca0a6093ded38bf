// What the input window paints under its controls: the skin's picture, the list picture's share, the border.
#include "ui/inputbackdrop.h"

#include "ui/skin/skinfile.h"

#include <QPainter>
#include <QPen>

namespace vantrelo {

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

void TInputBackdrop::Paint(QPainter& p, QRect area, const TSkinLayout& layout, QColor border, int borderWidth) {
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
        if (layout.skintilepictureposition == QLatin1String("center"))
            p.drawTiledPixmap(area, QPixmap::fromImage(skin));
        else
            p.drawImage(area, skin);
    }
    QPen pen(border);
    pen.setWidth(borderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(area.adjusted(borderWidth / 2, borderWidth / 2, -(borderWidth + 1) / 2, -(borderWidth + 1) / 2));
}

} // namespace vantrelo
