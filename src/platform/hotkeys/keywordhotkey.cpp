// A keyword's own hotkey pressed: what its command needs, the wait for the keys' release, the run.
#include "platform/hotkeys/keywordhotkey.h"
#include "platform/vkeys.h"

#include "core/items.h"
#include "core/settings.h"
#include "core/text.h"
#include "platform/scheduler.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/keyinjector.h"
#include "platform/keysender.h"

#include <initializer_list>

namespace vantrelo {

namespace {

bool ContainsAny(const QString& text, std::initializer_list<const char*> tokens) {
    for (const char* t : tokens)
        if (ContainsText(text, QLatin1String(t)))
            return true;
    return false;
}


} // namespace

bool ShowsSpecialList(const QString& command) {
    return ContainsAny(command, {"$RECENT$", "$GROUPS$", "$TAGS$", "$CLIPBOARD$", "$APPS$", "$HISTORY$", "$KWHISTORY$"});
}

bool PutsResultIntoLine(const QString& command) {
    return ContainsAny(command, {"$TIME$", "$SHOWIP$", "$PASSWORD$", "$BROWSERURL$"});
}

bool WaitsForKeyRelease(const QString& command, const QString& parameters) {
    if (PutsResultIntoLine(command))
        return true;
    for (const QString* s : {&command, &parameters})
        if (ContainsAny(*s, {"$c", "$KEYS$", "$VOLUMEDOWN$", "$VOLUMEUP$", "$MUTE$", "$PAUSE$", "$NEXT$", "$PREV$",
                             "$PLAY$", "$STOP$", "$MEDIA$", "$SEARCH$", "$TEXTCLEANPASTE", "$SENDTEXT", "$PASTE",
                             "$CUT$", "$COPY$", "$TEXTREGEXPASTE", "$PS", "$PP"}))
            return true;
    return false;
}

TKeywordHotkeyPlan PlanKeywordHotkey(const TExeWord& word, const TSettings& settings) {
    TKeywordHotkeyPlan p;
    const bool list = ShowsSpecialList(word.command);
    const bool result = PutsResultIntoLine(word.command);
    p.ignoreNextKeyRelease = list || result;
    p.waitForRelease = WaitsForKeyRelease(word.command, word.parameters);
    p.intoLine = list || result;
    p.dismissPanels = list;
    p.putTextAgain = p.intoLine && (settings.infoonfocus || settings.infoenabled || settings.clearlast);
    p.silent = ContainsText(word.command, QStringLiteral("$HOLDTEXT$"));
    return p;
}

bool HotkeyKeysDown(const TKeyInjector& keys, int key, int keymod) {
    const int mods = keymod < 0 ? 0 : keymod;
    if (key != -1 && keys.IsKeyDown(key))
        return true;
    if ((mods & kModWin) && (keys.IsKeyDown(kVkLeftWin) || keys.IsKeyDown(kVkRightWin)))
        return true;
    if ((mods & kModAlt) && keys.IsKeyDown(kVkAlt))
        return true;
    if ((mods & kModCtrl) && keys.IsKeyDown(kVkControl))
        return true;
    return (mods & kModShift) && keys.IsKeyDown(kVkShift);
}

// A copy of the keyword: it may be edited or deleted while the keys are still held.
struct TKeywordHotkeyHandler::TPending {
    int id = 0;
    TExeWord word;
    TKeywordHotkeyPlan plan;
    quint64 userTime = 0;
    int checks = 0;
};

TKeywordHotkeyHandler::TKeywordHotkeyHandler(const TmyHotKeyManager& manager, const TSettings& settings,
                                             const TKeyInjector* keys, TScheduler& scheduler,
                                             TKeywordHotkeyHost& host)
    : manager_(manager), settings_(settings), keys_(keys), scheduler_(scheduler), host_(host),
      alive_(std::make_shared<int>(0)) {}

TKeywordHotkeyHandler::~TKeywordHotkeyHandler() = default;

void TKeywordHotkeyHandler::HotkeyPressed(int id, quint64 userTime) {
    if (waiting_.count(id))
        return;
    host_.CaptureLastActiveWindow();
    const TExeWord* word = manager_.FindKeyByAtom(id);
    if (!word)
        return;
    auto p = std::make_shared<TPending>();
    p->id = id;
    p->word = *word;
    p->plan = PlanKeywordHotkey(*word, settings_);
    p->userTime = userTime;
    if (p->plan.ignoreNextKeyRelease)
        host_.IgnoreNextKeyRelease();
    if (p->plan.waitForRelease && keys_) {
        waiting_.insert(id);
        WaitThenRun(std::move(p));
    } else {
        Run(*p);
    }
}

// The event loop keeps running between the checks: a timer, never a sleep.
void TKeywordHotkeyHandler::WaitThenRun(std::shared_ptr<TPending> p) {
    if (p->checks >= kReleaseChecks || !HotkeyKeysDown(*keys_, p->word.key, p->word.keymod)) {
        waiting_.erase(p->id);
        Run(*p);
        return;
    }
    ++p->checks;
    std::weak_ptr<int> alive = alive_;
    scheduler_.RunLater(kReleaseCheckMs, [this, alive, p] {
        if (!alive.expired())
            WaitThenRun(p);
    });
}

void TKeywordHotkeyHandler::Run(const TPending& p) {
    if (p.plan.intoLine) {
        const QString text = p.word.DefaultKeyword();
        host_.PutDefaultText(text);
        if (p.plan.dismissPanels)
            host_.DismissListPanels();
        host_.ShowInputWindow(p.userTime);
        if (p.plan.putTextAgain)
            host_.PutDefaultText(text);
    }
    host_.ExecuteForced(p.word, p.plan.silent);
}

} // namespace vantrelo
