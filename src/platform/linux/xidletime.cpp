// The desktop's idle time: the screensaver extension's query on the root window, on a connection of our own.
#include "platform/linux/xidletime.h"

#include "platform/linux/xconnection.h"

#include <xcb/screensaver.h>

#include <cstdlib>

namespace vantrelo {

TXIdleTime::TXIdleTime(std::unique_ptr<x11::TXConnection> x) : x_(std::move(x)) {}
TXIdleTime::~TXIdleTime() = default;

std::unique_ptr<TXIdleTime> TXIdleTime::Open(const QString& display, QString* error) {
    std::unique_ptr<x11::TXConnection> x =
        x11::TXConnection::OpenWith(display, &xcb_screensaver_id, "screensaver", "idle time is unknown", error);
    if (!x)
        return nullptr;
    return std::unique_ptr<TXIdleTime>(new TXIdleTime(std::move(x)));
}

std::optional<qint64> TXIdleTime::IdleMilliseconds() {
    xcb_connection_t* c = x_->Conn();
    if (xcb_connection_has_error(c))
        return std::nullopt;
    xcb_screensaver_query_info_reply_t* r =
        xcb_screensaver_query_info_reply(c, xcb_screensaver_query_info(c, x_->Root()), nullptr);
    if (!r)
        return std::nullopt;
    const qint64 idle = r->ms_since_user_input;
    std::free(r);
    return idle;
}

} // namespace vantrelo
