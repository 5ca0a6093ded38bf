// The mouse on the input window's own surface: moving the window, widening it at its right edge,
// and a double press that dismisses the list's panels.
#include "ui/inputmouse.h"

#include "core/settings.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"

#include <QMouseEvent>
#include <QWindow>

#include <algorithm>

namespace vantrelo {

namespace {

constexpr int kEdgeZone = 10; // pixels at the right edge that widen the window

} // namespace

TInputMouse::TInputMouse(QWidget* window, TCmdForm* list, const TSettings& settings, TMainFormHost& host,
                         const std::function<qint64()>& now)
    : QObject(window), window_(window), list_(list), settings_(settings), host_(host), now_(now) {
    window->installEventFilter(this);
}

bool TInputMouse::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        Press(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseMove:
        Move(static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        resizing_ = false;
        return true;
    default:
        return false;
    }
}

void TInputMouse::Press(const QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    const qint64 now = now_();
    // A second press within 500 ms dismisses the list's custom elements.
    if (now - lastLeftPress_ < 500)
        list_->DismissCustomElements(true, true);
    lastLeftPress_ = now;
    const int x = int(e->position().x());
    if (x >= window_->width() - kEdgeZone) {
        resizing_ = !settings_.lockwindow;
        return;
    }
    if (!settings_.lockwindow && window_->windowHandle())
        window_->windowHandle()->startSystemMove();
}

void TInputMouse::Move(const QMouseEvent* e) {
    const int x = int(e->position().x());
    if (!resizing_) {
        window_->setCursor(x >= window_->width() - kEdgeZone ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    if (x < window_->width() - 30 - kEdgeZone && !(e->buttons() & Qt::LeftButton)) {
        resizing_ = false;
        return;
    }
    host_.InputWidthChanged(std::max(x, 30));
}

} // namespace vantrelo
