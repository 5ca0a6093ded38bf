// The Windows-key modes: the key-event state machine, the hook that feeds it, and the hook control.
#include "platform/hotkeys/winkeyhook.h"
#include "platform/vkeys.h"

#include "platform/globalhotkeys.h"
#include "platform/keyboardhook.h"
#include "platform/keyinjector.h"
#include "platform/keysender.h"

namespace vantrelo {

namespace {


bool IsWinKey(int vk) { return vk == kVkLeftWin || vk == kVkRightWin; }

} // namespace

bool TWinKeyMachine::IsShiftKey(int vk) const {
    return vk == kVkRightShift || (vk == kVkLeftShift && (mode_ == 4 || mode_ == 5));
}

bool TWinKeyMachine::WithinThreshold(quint32 now) const {
    // Unsigned difference: the server's millisecond clock wraps.
    return LastWinRelease != 0 && quint32(now - LastWinRelease) < Threshold;
}

THookDecision TWinKeyMachine::Feed(const TKeyEvent& e) {
    const quint32 now = quint32(e.timeMs);
    if (e.down) {
        KeyDown(e.vk);
        return {};
    }
    if (IsWinKey(e.vk) && WinPressed)
        return WinUp(now);
    // A Shift tapped on its own earlier must not turn a later lone Windows key into Shift+Win.
    if (IsShiftKey(e.vk) && !WinPressed)
        ShiftPressed = false;
    return {};
}

void TWinKeyMachine::KeyDown(int vk) {
    const bool shift = IsShiftKey(vk);
    if (shift) {
        ShiftPressed = true;
        ShiftKey = quint32(vk);
    }
    if (IsWinKey(vk)) {
        WinKey = quint32(vk);
        WinPressed = true;
        ComboDetected = false;
    } else if (WinPressed && !shift) {
        ComboDetected = true;
    }
}

THookDecision TWinKeyMachine::WinUp(quint32 now) {
    THookDecision d;
    if (ComboDetected) {
        WinPressed = false;
        ComboDetected = false;
        ShiftPressed = false;
        return d;
    }
    ActByMode(now, d);
    WinPressed = false;
    WinKey = 0;
    ShiftKey = 0;
    ComboDetected = false;
    ShiftPressed = false;
    return d;
}

void TWinKeyMachine::ActByMode(quint32 now, THookDecision& d) {
    const bool within = WithinThreshold(now);
    switch (mode_) {
    case 1: // Win opens the window, twice the menu
        if (within) {
            LastWinRelease = 0;
        } else {
            d.suppress = d.summon = d.swallow = true;
            LastWinRelease = now;
        }
        break;
    case 2: // Win the menu, twice the window
        if (within) {
            d.suppress = d.summon = d.swallow = true;
            LastWinRelease = 0;
        } else {
            LastWinRelease = now;
        }
        break;
    case 3:
        d.suppress = d.summon = d.swallow = true;
        LastWinRelease = 0;
        break;
    case 4: // Shift+Win: the menu through Ctrl+Esc
        if (ShiftPressed) {
            WinPressed = false;
            d.inject = {{int(ShiftKey), false}, {int(WinKey), false}, {kVkLeftControl, true},
                        {kVkEscape, true},      {kVkLeftControl, false}, {kVkEscape, false}};
        } else {
            d.suppress = d.summon = true;
        }
        d.swallow = true;
        LastWinRelease = 0;
        break;
    case 5:
        d.summon = ShiftPressed;
        LastWinRelease = 0;
        break;
    case 6: // gaming: twice the window
        d.suppress = d.swallow = true;
        d.summon = within;
        LastWinRelease = within ? 0 : now;
        break;
    case 7: // gaming: twice the menu
        if (within) {
            LastWinRelease = 0;
        } else {
            d.suppress = d.swallow = true;
            LastWinRelease = now;
        }
        break;
    case 8:
        d.suppress = d.swallow = true;
        LastWinRelease = 0;
        break;
    default:
        break;
    }
}

TKeyboardHookThread::TKeyboardHookThread(TKeyboardHook& hook, int mode, quint32 threshold, THookOutlet outlet)
    : hook_(hook), mode_(mode), threshold_(threshold), outlet_(std::move(outlet)) {}

TKeyboardHookThread::~TKeyboardHookThread() { hook_.Stop(); }

bool TKeyboardHookThread::Start() {
    // The machine lives in the callback and is touched only on the hook's thread; what it decides
    // goes to the user-interface thread as a copy, so nothing here is shared.
    auto machine = std::make_shared<TWinKeyMachine>(mode_, threshold_);
    return hook_.Start([machine, outlet = outlet_](const TKeyEvent& e) {
        THookDecision d = machine->Feed(e);
        if (!d.summon && d.inject.empty())
            return;
        outlet.post([outlet, d = std::move(d), time = e.timeMs] {
            if (outlet.injector)
                for (const auto& [vk, down] : d.inject)
                    down ? outlet.injector->KeyDown(vk) : outlet.injector->KeyUp(vk);
            if (d.summon && outlet.summon)
                outlet.summon(time);
        });
    });
}

THookPlan PlanHooks(int hookwin, int gamingmode) {
    THookPlan plan;
    if (hookwin <= 0 && gamingmode <= 0)
        return plan;
    if (gamingmode > 0) {
        if (gamingmode <= 3)
            plan.threadMode = gamingmode + 5;
        if (hookwin < 9)
            return plan;
    }
    if (hookwin >= 1 && hookwin <= 8)
        plan.threadMode = hookwin;
    else if (hookwin == 9 || hookwin == 10)
        plan.grabMode = hookwin;
    return plan;
}

THookManager::THookManager(TKeyboardHook* hook, TGlobalHotkeys* hotkeys, THookOutlet outlet)
    : hook_(hook), hotkeys_(hotkeys), outlet_(std::move(outlet)) {}

THookManager::~THookManager() { StopAll(); }

void THookManager::StopAll() {
    FThread.reset();
    if (grabMode_ != 0 && hotkeys_)
        hotkeys_->Unregister(grabMode_ == 9 ? kWinRHotkeyId : kWinZHotkeyId);
    grabMode_ = 0;
}

QString THookManager::Apply(int hookwin, int gamingmode, int presstwicetime) {
    StopAll();
    const THookPlan plan = PlanHooks(hookwin, gamingmode);
    QString error;
    if (plan.threadMode != 0)
        error = StartThread(plan.threadMode, presstwicetime);
    if (plan.grabMode != 0) {
        const QString grab = StartGrab(plan.grabMode);
        error = error.isEmpty() ? grab : error + u'\n' + grab;
    }
    return error.trimmed();
}

QString THookManager::StartThread(int mode, int presstwicetime) {
    if (!hook_)
        return QStringLiteral("The Windows key cannot be watched on this desktop, so its mode is off.");
    auto thread = std::make_unique<TKeyboardHookThread>(*hook_, mode, quint32(qMax(0, presstwicetime)), outlet_);
    if (!thread->Start())
        return QStringLiteral("The Windows key cannot be watched on this desktop, so its mode is off.");
    FThread = std::move(thread);
    return {};
}

QString THookManager::StartGrab(int mode) {
    const bool winR = mode == 9;
    const QString name = winR ? QStringLiteral("Win+R") : QStringLiteral("Win+Z");
    if (!hotkeys_ || !hotkeys_->Register(winR ? kWinRHotkeyId : kWinZHotkeyId, winR ? kVkR : kVkZ, kModWin))
        return QStringLiteral("Unable to assign ") + name + QStringLiteral(": another program holds it.");
    grabMode_ = mode;
    return {};
}

} // namespace vantrelo
