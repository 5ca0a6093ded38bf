// The keyboard hook over the X Record extension: every key event, read on a thread of its own.
#include "platform/linux/xkeyboardhook.h"

#include "platform/linux/vkeymap.h"
#include "platform/linux/xconnection.h"
#include "platform/linux/xkeytable.h"

#include <xcb/record.h>

#include <cstdlib>
#include <cstring>
#include <future>
#include <thread>

namespace vantrelo {

struct TXKeyboardHook::TImpl {
    QString display;
    std::unique_ptr<x11::TXConnection> control;
    xcb_connection_t* data = nullptr; // the recorded stream blocks its connection: a second one
    xcb_record_context_t context = 0;
    std::thread thread;

    // Runs on the hook thread: reads recorded key events until the context is disabled.
    // `started` is set once the server records, so no key typed after Start() is missed.
    static void Run(xcb_connection_t* data, xcb_record_context_t context, x11::TXKeyTable table, TCallback callback,
                    std::promise<bool> started) {
        const xcb_record_enable_context_cookie_t cookie = xcb_record_enable_context(data, context);
        xcb_flush(data);
        bool announced = false;
        for (;;) {
            xcb_record_enable_context_reply_t* r = xcb_record_enable_context_reply(data, cookie, nullptr);
            if (!r) {
                if (!announced)
                    started.set_value(false);
                return; // the connection broke
            }
            const uint8_t category = r->category;
            if (!announced) {
                announced = true;
                started.set_value(true);
            }
            if (category == 0 /* from the server */) {
                const uint8_t* bytes = xcb_record_enable_context_data(r);
                const int length = xcb_record_enable_context_data_length(r);
                // Device events come as whole 32-byte events, one after another.
                for (int off = 0; off + int(sizeof(xcb_key_press_event_t)) <= length; off += 32) {
                    xcb_key_press_event_t ev;
                    std::memcpy(&ev, bytes + off, sizeof ev);
                    const int type = ev.response_type & 0x7f;
                    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
                        continue;
                    TKeyEvent k;
                    k.vk = x11::VkForKeysym(table.KeysymAt(ev.detail, 0));
                    k.down = type == XCB_KEY_PRESS;
                    k.timeMs = ev.time;
                    callback(k);
                }
            }
            std::free(r);
            if (category == 5 /* end of data */)
                return;
        }
    }
};

TXKeyboardHook::TXKeyboardHook(std::unique_ptr<TImpl> d) : d_(std::move(d)) {}

std::unique_ptr<TXKeyboardHook> TXKeyboardHook::Open(const QString& display, QString* error) {
    auto d = std::make_unique<TImpl>();
    d->display = display;
    d->control = x11::TXConnection::OpenWith(display, &xcb_record_id, "Record", "keys cannot be watched", error);
    if (!d->control)
        return nullptr;
    return std::unique_ptr<TXKeyboardHook>(new TXKeyboardHook(std::move(d)));
}

TXKeyboardHook::~TXKeyboardHook() { Stop(); }

bool TXKeyboardHook::Start(TCallback callback) {
    Stop();
    if (!callback)
        return false;
    xcb_connection_t* c = d_->control->Conn();
    const QByteArray name = d_->display.toLocal8Bit();
    xcb_connection_t* data = xcb_connect(d_->display.isEmpty() ? nullptr : name.constData(), nullptr);
    if (!data || xcb_connection_has_error(data)) {
        if (data)
            xcb_disconnect(data);
        return false;
    }
    const xcb_record_context_t context = xcb_generate_id(c);
    xcb_record_range_t range{};
    range.device_events.first = XCB_KEY_PRESS;
    range.device_events.last = XCB_KEY_RELEASE;
    const xcb_record_client_spec_t clients = XCB_RECORD_CS_ALL_CLIENTS;
    if (xcb_generic_error_t* err =
            xcb_request_check(c, xcb_record_create_context_checked(c, context, 0, 1, 1, &clients, &range))) {
        std::free(err);
        xcb_disconnect(data);
        return false;
    }
    x11::TXKeyTable table;
    table.Load(c);
    d_->data = data;
    d_->context = context;
    std::promise<bool> started;
    std::future<bool> running = started.get_future();
    d_->thread = std::thread(&TImpl::Run, data, context, std::move(table), std::move(callback), std::move(started));
    // The first reply (start of data) comes at once; a broken connection ends the thread.
    if (!running.get()) {
        Stop();
        return false;
    }
    return true;
}

void TXKeyboardHook::Stop() {
    if (!d_->thread.joinable())
        return;
    xcb_connection_t* c = d_->control->Conn();
    // Disabling ends the recorded stream with its last reply, which lets the thread finish.
    xcb_record_disable_context(c, d_->context);
    d_->control->Sync();
    d_->thread.join();
    xcb_record_free_context(c, d_->context);
    xcb_flush(c);
    xcb_disconnect(d_->data);
    d_->data = nullptr;
    d_->context = 0;
}

bool TXKeyboardHook::IsRunning() const { return d_->thread.joinable(); }

} // namespace vantrelo
