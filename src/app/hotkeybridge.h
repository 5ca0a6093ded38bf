// The program's side of the keyword hotkeys and the Windows-key modes: registry, run and hooks.
#pragma once

#include "platform/hotkeys/keywordhotkey.h"

#include <QObject>

#include <functional>
#include <memory>

namespace vantrelo {

class TGlobalHotkeys;
class THookManager;
class TKeyInjector;
class TKeywordList;
class TMainForm;
class TScheduler;
class TXKeyboardHook;
class TmyHotKeyManager;
struct TSettings;

class THotkeyBridge final : public QObject, public TKeywordHotkeyHost {
    Q_OBJECT
public:
    struct TSetup {
        TSettings* settings = nullptr;
        TKeywordList* keywords = nullptr;
        TGlobalHotkeys* hotkeys = nullptr; // null without an X display: no hotkey works then
        TKeyInjector* keys = nullptr;
        TScheduler* scheduler = nullptr;
        TMainForm* form = nullptr;
        std::function<void(const TExeWord& word, bool silent)> runForced; // the keyword as if typed
        bool watchKeys = false;                       // an X display whose keys the hook may watch
        std::function<void()> captureForeground;      // LastActiveWindow
        std::function<void(const QString&)> warn;     // a plain message to the user
    };
    explicit THotkeyBridge(TSetup setup);
    ~THotkeyBridge() override;

    // Every keyword's hotkey, in list order; the ones that cannot be had are named in one warning.
    void RegisterKeywordHotkeys();
    // Stops the Windows-key hooks and starts what `hookwin` and `gamingmode` ask for.
    void ArmKeyboardHook();
    // A hotkey other than the program's own: a keyword's, or the Win+R / Win+Z grab.
    void HotkeyPressed(int id, quint64 userTime);
    // At closing: first the hooks stop, later the keyword hotkeys are released.
    void StopHooks();
    void UnregisterKeywordHotkeys();
    TmyHotKeyManager* Manager() const { return manager_.get(); }

    // TKeywordHotkeyHost
    void CaptureLastActiveWindow() override;
    void IgnoreNextKeyRelease() override;
    void PutDefaultText(const QString& text) override;
    void DismissListPanels() override;
    void ShowInputWindow(quint64 userTime) override;
    void ExecuteForced(const TExeWord& word, bool silent) override;

private:
    void Summon(quint64 userTime);

    TSetup s_;
    std::unique_ptr<TGlobalHotkeys> noHotkeys_;
    std::unique_ptr<TmyHotKeyManager> manager_;
    std::unique_ptr<TKeywordHotkeyHandler> handler_;
    std::unique_ptr<TXKeyboardHook> xhook_;
    std::unique_ptr<THookManager> hooks_;
    QString lastHookWarning_;
};

} // namespace vantrelo
