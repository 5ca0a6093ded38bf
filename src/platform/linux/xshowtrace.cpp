// How long the input window took to appear after the hotkey, on the X server's clock.
#include "platform/linux/xshowtrace.h"

#include "platform/linux/xconnection.h"

#include <QSocketNotifier>
#include <QString>

#include <xcb/xcb.h>

#include <cstdlib>

namespace vantrelo {

struct TXShowTrace::TImpl {
    std::unique_ptr<x11::TXConnection> x;
    std::unique_ptr<QSocketNotifier> notifier;
    std::function<void(int)> report;
    xcb_window_t watched = XCB_NONE; // the window whose map events this connection receives
    xcb_window_t expected = XCB_NONE;
    xcb_timestamp_t keyTime = 0;
};

TXShowTrace::TXShowTrace(std::unique_ptr<TImpl> d) : d_(std::move(d)) {}

TXShowTrace::~TXShowTrace() = default;

std::unique_ptr<TXShowTrace> TXShowTrace::Open(const QString& display, QString* error) {
    auto d = std::make_unique<TImpl>();
    d->x = x11::TXConnection::Open(display, error);
    if (!d->x)
        return nullptr;
    std::unique_ptr<TXShowTrace> trace(new TXShowTrace(std::move(d)));
    TXShowTrace* self = trace.get();
    self->d_->notifier =
        std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(self->d_->x->Conn()), QSocketNotifier::Read);
    QObject::connect(self->d_->notifier.get(), &QSocketNotifier::activated, [self] { self->ProcessPendingEvents(); });
    return trace;
}

void TXShowTrace::SetReport(std::function<void(int)> report) { d_->report = std::move(report); }

void TXShowTrace::Expect(quint64 window, quint32 keyTime) {
    const auto w = xcb_window_t(window);
    if (w != d_->watched) {
        // Each connection selects its own events on a window: the program's own selection stays.
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(d_->x->Conn(), w, XCB_CW_EVENT_MASK, &mask);
        d_->watched = w;
    }
    d_->expected = w;
    d_->keyTime = keyTime;
    xcb_flush(d_->x->Conn());
}

void TXShowTrace::ProcessPendingEvents() {
    while (xcb_generic_event_t* e = xcb_poll_for_event(d_->x->Conn())) {
        const bool mapped = x11::EventType(e) == XCB_MAP_NOTIFY &&
                            reinterpret_cast<const xcb_map_notify_event_t*>(e)->window == d_->expected;
        std::free(e);
        if (!mapped || d_->expected == XCB_NONE)
            continue;
        d_->expected = XCB_NONE;
        // The map notify carries no time: the server's clock is read right after it.
        const xcb_timestamp_t now = d_->x->ServerTime();
        if (d_->report && now != 0 && d_->keyTime != 0)
            d_->report(int(qint64(now) - qint64(d_->keyTime)));
    }
}

} // namespace vantrelo
