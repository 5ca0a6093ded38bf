// Notices of the countdown and the alarm: the input window comes up, a sound plays, the desktop shows the text.
#include "app/noticecontroller.h"

#include "app/appcontext.h"
#include "app/engine.h"
#include "exec/pipeline.h"
#include "platform/linux/notifier_linux.h"
#include "ui/mainform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace vantrelo {

TNoticeController::TNoticeController(TAppContext& ctx, std::unique_ptr<TNotifier> notifier)
    : ctx_(ctx), notifier_(notifier ? std::move(notifier) : std::make_unique<TDBusNotifier>()) {}

TNoticeController::~TNoticeController() = default;

void TNoticeController::Notify(const QString& caption, const QString& text) {
    if (ctx_.closing || !ctx_.form)
        return;
    ctx_.form->ManageShowHide(true, false, TShowLock::Hotkey);
    if (!ctx_.data.settings.alarmsound.isEmpty() && ctx_.engine)
        ctx_.engine->Pipeline().PlayEventSound(kAlarmSound);
    else
        QApplication::beep();
    // The notice never waits inside the watch's tick: the service answers later, or not at all.
    QPointer<QObject> owner = ctx_.owner;
    notifier_->Notify(caption, text, [this, owner, caption, text] {
        if (owner && !ctx_.closing)
            ShowWindow(caption, text);
    });
}

void TNoticeController::ShowWindow(const QString& caption, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, caption, text, QMessageBox::Ok, ctx_.form.get());
    box->setObjectName(QStringLiteral("notice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace vantrelo
