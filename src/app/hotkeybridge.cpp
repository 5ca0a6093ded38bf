// The program's side of the keyword hotkeys and the Windows-key modes: registry, run and hooks.
#include "app/hotkeybridge.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "platform/globalhotkeys.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/hotkeys/hotkeytext.h"
#include "platform/hotkeys/winkeyhook.h"
#include "platform/linux/xkeyboardhook.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"

namespace vantrelo {

namespace {

// With no X display (offscreen) nothing registers: the manager still keeps the ids.
struct TNoGlobalHotkeys final : TGlobalHotkeys {
    bool Register(int, int, int) override { return false; }
    void Unregister(int) override {}
    void UnregisterAll() override {}
    void SetHandler(THandler) override {}
};

} // namespace

THotkeyBridge::THotkeyBridge(TSetup setup) : s_(std::move(setup)) {
    if (!s_.hotkeys)
        noHotkeys_ = std::make_unique<TNoGlobalHotkeys>();
    manager_ = std::make_unique<TmyHotKeyManager>(s_.hotkeys ? *s_.hotkeys : *noHotkeys_);
    handler_ = std::make_unique<TKeywordHotkeyHandler>(*manager_, *s_.settings, s_.keys, *s_.scheduler, *this);
}

THotkeyBridge::~THotkeyBridge() {
    StopHooks();
    UnregisterKeywordHotkeys();
}

void THotkeyBridge::RegisterKeywordHotkeys() {
    if (!s_.hotkeys)
        return;
    const std::vector<const TExeWord*> failed = manager_->RegisterAllHotkeys(*s_.keywords);
    if (failed.empty())
        return;
    QStringList lines;
    for (const TExeWord* w : failed)
        lines << QStringLiteral("Unable to assign hotkey ") + HotkeyText(w->key, w->keymod) +
                     QStringLiteral(" to the keyword \"") + w->keywords + QStringLiteral("\".");
    if (s_.warn)
        s_.warn(lines.join(u'\n'));
}

void THotkeyBridge::ArmKeyboardHook() {
    const TSettings& st = *s_.settings;
    const THookPlan plan = PlanHooks(st.hookwin, st.gamingmode);
    // The X Record connection is opened only once a mode needs it.
    if (plan.threadMode != 0 && !xhook_ && s_.watchKeys) {
        QString error;
        xhook_ = TXKeyboardHook::Open(QString(), &error);
        hooks_.reset(); // built again below with the hook
    }
    if (!hooks_) {
        THookOutlet outlet;
        // Called on the hook's thread: the work waits in this object's queue for the UI thread.
        outlet.post = [this](std::function<void()> work) {
            QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
        };
        outlet.summon = [this](quint64 userTime) { Summon(userTime); };
        outlet.injector = s_.keys;
        hooks_ = std::make_unique<THookManager>(xhook_.get(), s_.hotkeys, std::move(outlet));
    }
    const QString error = hooks_->Apply(st.hookwin, st.gamingmode, st.presstwicetime);
    // Said once per cause, not at every gaming command.
    if (!error.isEmpty() && error != lastHookWarning_ && s_.warn)
        s_.warn(error);
    lastHookWarning_ = error;
}

void THotkeyBridge::HotkeyPressed(int id, quint64 userTime) {
    if (THookManager::IsGrabId(id)) {
        if (hooks_ && hooks_->GrabMode() != 0)
            Summon(userTime);
        return;
    }
    handler_->HotkeyPressed(id, userTime);
}

void THotkeyBridge::StopHooks() {
    hooks_.reset();
    xhook_.reset();
}

void THotkeyBridge::UnregisterKeywordHotkeys() { manager_->CleanUp(); }

void THotkeyBridge::Summon(quint64 userTime) {
    if (s_.form)
        s_.form->HotkeyPressed(userTime, TShowLock::Summon);
}

void THotkeyBridge::CaptureLastActiveWindow() {
    if (s_.captureForeground)
        s_.captureForeground();
}

void THotkeyBridge::IgnoreNextKeyRelease() { s_.form->WordEdit()->ignoreNextKeyRelease = true; }
void THotkeyBridge::PutDefaultText(const QString& text) { s_.form->SetLineText(text, true); }
void THotkeyBridge::DismissListPanels() { s_.form->CmdForm()->DismissCustomElements(true, false); }
void THotkeyBridge::ShowInputWindow(quint64 userTime) { s_.form->ManageShowHide(true, false, TShowLock::Hotkey, userTime); }

void THotkeyBridge::ExecuteForced(const TExeWord& word, bool silent) {
    if (s_.runForced)
        s_.runForced(word, silent);
}

} // namespace vantrelo
