// Notices of the countdown and the alarm: the input window comes up, a sound plays, the desktop shows the text.
#pragma once

#include "commands/timekeeper.h"
#include "platform/notifier.h"

#include <memory>

namespace vantrelo {

struct TAppContext;

class TNoticeController final : public TNoticeHost {
public:
    // `notifier` null: the desktop's notification service.
    explicit TNoticeController(TAppContext& ctx, std::unique_ptr<TNotifier> notifier = nullptr);
    ~TNoticeController() override;

    void Notify(const QString& caption, const QString& text) override;

private:
    // Where no notification service answers: a window of the program's own that does not block.
    void ShowWindow(const QString& caption, const QString& text);

    TAppContext& ctx_;
    std::unique_ptr<TNotifier> notifier_;
};

} // namespace vantrelo
