// A keyword's own hotkey pressed: what its command needs, the wait for the keys' release, the run.
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <set>

namespace vantrelo {

class TExeWord;
class TKeyInjector;
class TScheduler;
class TmyHotKeyManager;
struct TSettings;

// The command shows one of the special lists ($RECENT$, $CLIPBOARD$...).
bool ShowsSpecialList(const QString& command);
// The command answers into the input line ($TIME$, $SHOWIP$, $PASSWORD$, $BROWSERURL$).
bool PutsResultIntoLine(const QString& command);
// The command acts on the keyboard, the clipboard or the window behind ours, so the hotkey's
// own keys must be up first (they would mix with sent keys or reach the wrong window).
bool WaitsForKeyRelease(const QString& command, const QString& parameters);

// The steps a keyword hotkey takes, decided from the keyword and the settings alone.
struct TKeywordHotkeyPlan {
    bool ignoreNextKeyRelease = false; // the hotkey's release would reach the shown line
    bool waitForRelease = false;
    bool intoLine = false;        // the default text goes into the line and the window shows
    bool dismissPanels = false;   // a special list: the list's own panels go first
    bool putTextAgain = false;    // showing may clear or cover the line: put the text once more
    bool silent = false;          // $HOLDTEXT$: the line is left alone
};
TKeywordHotkeyPlan PlanKeywordHotkey(const TExeWord& word, const TSettings& settings);

// True while the hotkey's key or one of its modifiers (either Windows key for Win) is down.
bool HotkeyKeysDown(const TKeyInjector& keys, int key, int keymod);

// What the run of a keyword hotkey asks of the input window and the pipeline.
class TKeywordHotkeyHost {
public:
    virtual ~TKeywordHotkeyHost() = default;
    // The foreground window becomes the target of window, paste and typing commands.
    virtual void CaptureLastActiveWindow() = 0;
    virtual void IgnoreNextKeyRelease() = 0;
    // Into the input line, selected, without refreshing the list.
    virtual void PutDefaultText(const QString& text) = 0;
    virtual void DismissListPanels() = 0;
    virtual void ShowInputWindow(quint64 userTime) = 0;
    // Runs `word` as a forced keyword with no typed input, with history and sound.
    virtual void ExecuteForced(const TExeWord& word, bool silent) = 0;
};

class TKeywordHotkeyHandler {
public:
    // Key checks every 10 ms, at most 200 of them (about 2 s).
    static constexpr int kReleaseCheckMs = 10;
    static constexpr int kReleaseChecks = 200;

    // `keys` may be null (no desktop to ask): then nothing waits.
    TKeywordHotkeyHandler(const TmyHotKeyManager& manager, const TSettings& settings, const TKeyInjector* keys,
                          TScheduler& scheduler, TKeywordHotkeyHost& host);
    ~TKeywordHotkeyHandler();
    TKeywordHotkeyHandler(const TKeywordHotkeyHandler&) = delete;
    TKeywordHotkeyHandler& operator=(const TKeywordHotkeyHandler&) = delete;

    // A hotkey with an id other than the program's own; an id that no keyword holds does nothing.
    // While a keyword waits for its keys' release, its hotkey's repeats (the keys are still held)
    // are not new presses.
    void HotkeyPressed(int id, quint64 userTime);

private:
    struct TPending;
    void WaitThenRun(std::shared_ptr<TPending> p);
    void Run(const TPending& p);

    const TmyHotKeyManager& manager_;
    const TSettings& settings_;
    const TKeyInjector* keys_;
    TScheduler& scheduler_;
    TKeywordHotkeyHost& host_;
    // Timers that fire after the handler is gone find this expired and do nothing.
    std::shared_ptr<int> alive_;
    std::set<int> waiting_; // ids whose keys are awaited
};

} // namespace vantrelo
