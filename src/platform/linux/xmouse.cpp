// The mouse pointer over X11: the pointer query, XTest motion and buttons, and root-window pixels.
#include "platform/linux/xmouse.h"

#include "platform/linux/xconnection.h"

#include <xcb/xtest.h>

#include <cstdlib>

namespace vantrelo {

namespace {
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
} // namespace

TXMouse::TXMouse(std::unique_ptr<x11::TXConnection> x) : x_(std::move(x)) {}
TXMouse::~TXMouse() = default;

std::unique_ptr<TXMouse> TXMouse::Open(const QString& display, QString* error) {
    std::unique_ptr<x11::TXConnection> x =
        x11::TXConnection::OpenWith(display, &xcb_test_id, "XTest", "the mouse cannot be moved", error);
    if (!x)
        return nullptr;
    return std::unique_ptr<TXMouse>(new TXMouse(std::move(x)));
}

QPoint TXMouse::CursorPos() const {
    xcb_connection_t* c = x_->Conn();
    const std::unique_ptr<xcb_query_pointer_reply_t, FreeDeleter> r(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, x_->Root()), nullptr));
    return r ? QPoint(r->root_x, r->root_y) : QPoint();
}

bool TXMouse::SetCursorPos(const QPoint& pos) {
    // Motion through XTest, like a real mouse: programs see it as the user's own movement.
    xcb_test_fake_input(x_->Conn(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, x_->Root(), int16_t(pos.x()),
                        int16_t(pos.y()), 0);
    x_->Sync();
    return true;
}

bool TXMouse::Button(TMouseButton button, bool down) {
    const uint8_t number = button == TMouseButton::Left ? 1 : 3;
    xcb_test_fake_input(x_->Conn(), down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, number, XCB_CURRENT_TIME, XCB_NONE,
                        0, 0, 0);
    x_->Sync();
    return true;
}

bool TXMouse::ButtonDown(TMouseButton button) { return Button(button, true); }
bool TXMouse::ButtonUp(TMouseButton button) { return Button(button, false); }

bool TXMouse::PixelColor(const QPoint& pos, quint32* rgb) const {
    const xcb_screen_t* s = x_->Screen();
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= s->width_in_pixels || pos.y() >= s->height_in_pixels)
        return false;
    xcb_connection_t* c = x_->Conn();
    const std::unique_ptr<xcb_get_image_reply_t, FreeDeleter> r(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, x_->Root(), int16_t(pos.x()), int16_t(pos.y()), 1, 1, ~0u),
        nullptr));
    if (!r || xcb_get_image_data_length(r.get()) < 3)
        return false;
    // 24- and 32-bit true-colour screens store one pixel as blue, green, red (and padding).
    const uint8_t* p = xcb_get_image_data(r.get());
    *rgb = (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0]);
    return true;
}

} // namespace vantrelo
