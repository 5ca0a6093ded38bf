// The running launcher's clipboard history.
#include "app/clipcontroller.h"

#include "app/appcontext.h"
#include "app/clipsave.h"
#include "app/desktopservices.h"
#include "app/engine.h"
#include "app/programcontroller.h"
#include "commands/dispatcher.h"
#include "core/settings.h"
#include "platform/keysender.h"
#include "platform/waiter.h"
#include "tools/clipkeeper.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vantrelo {

TClipController::TClipController(TAppContext& ctx) : ctx_(ctx), uiThread_(std::make_unique<QObject>()) {
    TClipKeeper::TSetup setup;
    // A failed save of c.dat is said: the entries would otherwise be gone after the next start.
    setup.saveFailed = [this, receiver = uiThread_.get()](const QString& error) {
        QMetaObject::invokeMethod(
            receiver,
            [this, error] {
                if (!ctx_.closing && ctx_.program)
                    ctx_.program->ShowFailure(QStringLiteral("The clipboard history was not saved: ") + error);
            },
            Qt::QueuedConnection);
    };
    setup.settings = &ctx.data.settings;
    setup.clipboard = &ctx.desk->clipboard;
    setup.clock = &ctx.sys->clock;
    setup.file = ctx.store.Places().dataFolder + QLatin1String(kClipFileName);
    setup.safeMode = ctx.safeMode;
    keeper_ = std::make_unique<TClipKeeper>(std::move(setup));
    ctx.engine->Dispatcher().SetHandler(TCommandBlock::ClearClipboard, [this](TCommandCall&) { Clear(); });
    ctx.engine->Dispatcher().SetHandler(TCommandBlock::SaveClipboard,
                                        [this](TCommandCall&) { SaveClipboardToFiles(ctx_); });
}

TClipController::~TClipController() = default;

int TClipController::Count() const { return keeper_->History().Count(); }
QString TClipController::Entry(int n) const { return keeper_->History().Entry(n); }
const std::vector<TMyClipItem>& TClipController::Entries() const { return keeper_->History().Entries(); }

void TClipController::Watch() {
    if (watching_)
        return;
    watching_ = true;
    // Only the clipboard proper: a mouse selection is not a copy.
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::changed, ctx_.owner, [this](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !ctx_.closing)
            keeper_->OnClipboardChanged();
    });
}

void TClipController::Read() { keeper_->Read(); }
bool TClipController::WriteNow(QString* error) { return keeper_->WriteNow(error); }

void TClipController::Clear() {
    const TClipKeeper::TCleared r = keeper_->Clear();
    if (!r.deleted) {
        ctx_.program->Message(QStringLiteral("Vantrelo"),
                              QStringLiteral("The clipboard history was cleared from memory (%1 items), but %2 "
                                             "could not be deleted.")
                                  .arg(r.count)
                                  .arg(QLatin1String(kClipFileName)),
                              true);
        return;
    }
    ctx_.program->Message(QStringLiteral("Vantrelo"), ClipClearedMessage(r.count), false);
}

bool TClipController::Remove(const TMyClipItem& item) { return keeper_->Remove(item); }

void TClipController::Choose(const TMyClipItem& item) {
    keeper_->Choose(item);
    ctx_.desk->clipboard.SetText(item.clipb);
}

void TClipController::PasteToLastActive(const QString& text) {
    TClipboard& clipboard = ctx_.desk->clipboard;
    clipboard.SetText(text);
    if (!ctx_.program->ActivateLastActive())
        return;
    if (ctx_.desk->waiter.WaitUntil([&] { return clipboard.HasText() && clipboard.Text() == text; }, 10, 50))
        ctx_.desk->Keys().SendChord(0x56, kModCtrl); // Ctrl+V
}

} // namespace vantrelo
