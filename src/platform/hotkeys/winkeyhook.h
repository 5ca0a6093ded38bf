// The Windows-key modes: the key-event state machine, the hook that feeds it, and the hook control.
#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace vantrelo {

class TGlobalHotkeys;
class TKeyInjector;
class TKeyboardHook;
struct TKeyEvent;

// What one key event asks for. Only "summon" and "inject" are ever carried out on X: the hook
// sees a key after the desktop has it, so "suppress" and "swallow" cannot hold anything back.
struct THookDecision {
    bool summon = false;
    bool suppress = false; // would keep the desktop's menu from opening on this release
    bool swallow = false;  // would keep the release from reaching other programs
    std::vector<std::pair<int, bool>> inject; // (virtual key, down) to type, in order
};

// The Windows-key state of one mode (1 to 8), fed with every key press and release.
class TWinKeyMachine {
public:
    TWinKeyMachine(int mode, quint32 threshold) : Threshold(threshold), mode_(mode) {}
    THookDecision Feed(const TKeyEvent& e);
    int Mode() const { return mode_; }

    bool WinPressed = false;
    quint32 WinKey = 0;
    quint32 ShiftKey = 0;
    bool ComboDetected = false;
    bool ShiftPressed = false;
    quint32 LastWinRelease = 0; // time of the last counted release; 0 none
    quint32 Threshold = 350;    // presstwicetime

private:
    bool IsShiftKey(int vk) const;
    bool WithinThreshold(quint32 now) const;
    void KeyDown(int vk);
    THookDecision WinUp(quint32 now);
    void ActByMode(quint32 now, THookDecision& d);
    int mode_;
};

// Where the hook's decisions are carried out: on the user-interface thread, never on the hook's.
struct THookOutlet {
    // Queues work for the user-interface thread (the hook thread must not wait for it).
    std::function<void(std::function<void()>)> post;
    // Shows the input window; `userTime` is the key release's time stamp.
    std::function<void(quint64 userTime)> summon;
    TKeyInjector* injector = nullptr; // may be null: nothing is typed
};

// The hook in one mode: a TWinKeyMachine fed from TKeyboardHook's thread.
class TKeyboardHookThread {
public:
    TKeyboardHookThread(TKeyboardHook& hook, int mode, quint32 threshold, THookOutlet outlet);
    ~TKeyboardHookThread(); // stops the hook: no event is handled after it
    TKeyboardHookThread(const TKeyboardHookThread&) = delete;
    TKeyboardHookThread& operator=(const TKeyboardHookThread&) = delete;

    bool Start();
    int FHookMode() const { return mode_; }

private:
    TKeyboardHook& hook_;
    int mode_;
    quint32 threshold_;
    THookOutlet outlet_;
};

// Which hooks `hookwin` and `gamingmode` ask for.
struct THookPlan {
    int threadMode = 0; // 1 to 8, 0 none
    int grabMode = 0;   // 9 (Win+R) or 10 (Win+Z), 0 none
};
THookPlan PlanHooks(int hookwin, int gamingmode);

class THookManager {
public:
    // Ids of the Win+R and Win+Z grabs: beyond the keyword ids (2 to 500).
    static constexpr int kWinRHotkeyId = 501;
    static constexpr int kWinZHotkeyId = 502;

    // Either may be null (no desktop); then the modes that need it stay off.
    THookManager(TKeyboardHook* hook, TGlobalHotkeys* hotkeys, THookOutlet outlet);
    ~THookManager();
    THookManager(const THookManager&) = delete;
    THookManager& operator=(const THookManager&) = delete;

    // Stops every hook and starts what the settings ask for. Empty when all started; else why not.
    QString Apply(int hookwin, int gamingmode, int presstwicetime);
    void StopAll();
    static bool IsGrabId(int id) { return id == kWinRHotkeyId || id == kWinZHotkeyId; }
    int ThreadMode() const { return FThread ? FThread->FHookMode() : 0; }
    int GrabMode() const { return grabMode_; }

private:
    QString StartThread(int mode, int presstwicetime);
    QString StartGrab(int mode);

    TKeyboardHook* hook_;
    TGlobalHotkeys* hotkeys_;
    THookOutlet outlet_;
    std::unique_ptr<TKeyboardHookThread> FThread;
    int grabMode_ = 0;
};

} // namespace vantrelo
