// The input window's open-list button: a framed triangle over the skin picture or a fill colour.
#include "ui/arrowbutton.h"

#include "ui/skin/skinlayout.h"
#include "ui/widgetkit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace vantrelo {

TArrowButton::TArrowButton(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ArrowImage"));
    setCursor(Qt::PointingHandCursor);
}

void TArrowButton::SetLook(int fill, int outline, int arrow, QImage background) {
    fill_ = fill;
    outline_ = outline;
    arrow_ = arrow;
    background_ = std::move(background);
    update();
}

void TArrowButton::SetUp(bool up) {
    if (up_ == up)
        return;
    up_ = up;
    update();
}

void TArrowButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    const int h = height();
    if (!background_.isNull())
        p.drawImage(rect(), background_);
    else
        p.fillRect(rect(), Bgr(fill_));
    p.setPen(Bgr(outline_));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    const auto t = ArrowTriangle(w, h, up_);
    p.setBrush(Bgr(outline_));
    p.setPen(Bgr(arrow_));
    p.drawPolygon(QPolygon({t[0], t[1], t[2]}));
}

void TArrowButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        emit clicked();
}

} // namespace vantrelo
