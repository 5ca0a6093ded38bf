// A keyword's hotkey: which commands wait for the keys' release, put results into the line, and the run.
#include "core/items.h"
#include "core/settings.h"
#include "platform/hotkeys/hotkeymanager.h"
#include "platform/hotkeys/keywordhotkey.h"
#include "support/hotkeyfakes.h"
#include "support/timefakes.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(KeywordHotkeyPlan, WhichCommandsWaitShowInTheLineOrStaySilent) {
    const struct {
        const char* command;
        const char* parameters;
        bool wait, intoLine, list, silent;
    } cases[] = {
        {"/usr/bin/xterm", "", false, false, false, false},
        {"$paste1$", "", true, false, false, false},            // without regard to case
        {"$PASTE1$", "", true, false, false, false},
        {"firefox", "$c$", true, false, false, false},           // the clipboard in the parameters
        {"$cliptext$", "", true, false, false, false},
        {"$SENDTEXT$hello", "", true, false, false, false},
        {"$VOLUMEUP$", "", true, false, false, false},
        {"$PS$", "", true, false, false, false},
        {"$TIME$", "", true, true, false, false},                 // a result in the line waits too
        {"$BROWSERURL$", "", true, true, false, false},
        {"$RECENT$", "", false, true, true, false},               // a list shows at once
        {"$KWHISTORY$", "", false, true, true, false},
        {"$CLIPBOARD$", "", true, true, true, false},             // "$c" is any clipboard token
        {"$HOLDTEXT$/usr/bin/xterm", "", false, false, false, true},
        {"$TIMER$5", "", false, false, false, false},
    };
    TSettings s;
    for (const auto& c : cases) {
        TExeWord w;
        w.command = QString::fromLatin1(c.command);
        w.parameters = QString::fromLatin1(c.parameters);
        const TKeywordHotkeyPlan p = PlanKeywordHotkey(w, s);
        SCOPED_TRACE(c.command);
        EXPECT_EQ(p.waitForRelease, c.wait);
        EXPECT_EQ(p.intoLine, c.intoLine);
        EXPECT_EQ(p.ignoreNextKeyRelease, c.intoLine);
        EXPECT_EQ(p.dismissPanels, c.list);
        EXPECT_EQ(p.silent, c.silent);
        EXPECT_FALSE(p.putTextAgain);
    }
}

TEST(KeywordHotkeyPlan, TheTextGoesInAgainAfterShowingOnlyWhenShowingMayReplaceIt) {
    TExeWord time;
    time.command = QStringLiteral("$TIME$");
    TExeWord program;
    program.command = QStringLiteral("xterm");
    for (bool TSettings::*flag : {&TSettings::infoonfocus, &TSettings::infoenabled, &TSettings::clearlast}) {
        TSettings s;
        s.*flag = true;
        EXPECT_TRUE(PlanKeywordHotkey(time, s).putTextAgain);
        EXPECT_FALSE(PlanKeywordHotkey(program, s).putTextAgain);
    }
}

TEST(KeywordHotkeyKeys, EachModifierCountsWithEitherOfItsKeys) {
    test::TFakeKeyInjector keys;
    EXPECT_FALSE(HotkeyKeysDown(keys, 'V', 6));
    keys.down = {0x5C}; // right Windows key
    EXPECT_TRUE(HotkeyKeysDown(keys, 'V', 8));
    EXPECT_FALSE(HotkeyKeysDown(keys, 'V', 6)); // not one of this hotkey's modifiers
    keys.down = {0x12};
    EXPECT_TRUE(HotkeyKeysDown(keys, 'V', 1));
    keys.down = {'V'};
    EXPECT_TRUE(HotkeyKeysDown(keys, 'V', 0));
}

// Records what the run asked of the window and the pipeline, in order.
struct TRecordingHost final : TKeywordHotkeyHost {
    std::vector<QString> calls;
    QString executed;
    void CaptureLastActiveWindow() override { calls.push_back("capture"); }
    void IgnoreNextKeyRelease() override { calls.push_back("ignore"); }
    void PutDefaultText(const QString& t) override { calls.push_back("text " + t); }
    void DismissListPanels() override { calls.push_back("dismiss"); }
    void ShowInputWindow(quint64 time) override { calls.push_back("show " + QString::number(time)); }
    void ExecuteForced(const TExeWord& w, bool silent) override {
        executed = w.command;
        calls.push_back(QString(silent ? "silent " : "run ") + w.keywords);
    }
};

class KeywordHotkeyRun : public ::testing::Test {
protected:
    TExeWord& Keyword(const QString& name, const QString& command, int key, int keymod) {
        auto w = std::make_unique<TExeWord>();
        w->keywords = name;
        w->command = command;
        w->key = key;
        w->keymod = keymod;
        words.push_back(std::move(w));
        manager.AddExeword(words.back().get());
        return *words.back();
    }

    test::TFakeGlobalHotkeys grabs;
    TmyHotKeyManager manager{grabs};
    TSettings settings;
    test::TFakeKeyInjector keys;
    test::TFakeScheduler timers;
    TRecordingHost host;
    std::vector<std::unique_ptr<TExeWord>> words;
};

TEST_F(KeywordHotkeyRun, PasteWaitsUntilCtrlShiftAndVAreAllReleased) {
    Keyword("p", "$PASTE1$", 'V', 6);
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    keys.down = {0x11, 0x10, 'V'};
    handler.HotkeyPressed(2, 77);
    EXPECT_EQ(host.calls, std::vector<QString>{"capture"});
    timers.Step();
    keys.down = {0x11, 0x10}; // V up, the modifiers still held
    timers.Step();
    keys.down = {0x10};
    timers.Step();
    EXPECT_TRUE(host.executed.isEmpty());
    keys.down.clear();
    timers.Step();
    EXPECT_EQ(host.calls, (std::vector<QString>{"capture", "run p"}));
    EXPECT_EQ(timers.now, 40); // four checks, 10 ms apart, and no sleep
    EXPECT_TRUE(timers.tasks.empty());
}

TEST_F(KeywordHotkeyRun, RepeatsOfAHeldHotkeyRunTheKeywordOnce) {
    Keyword("p", "$PASTE$", 'V', 2);
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    keys.down = {0x11, 'V'};
    handler.HotkeyPressed(2, 1);
    timers.Step();
    handler.HotkeyPressed(2, 2); // the held key repeats
    timers.Step();
    handler.HotkeyPressed(2, 3);
    keys.down.clear();
    while (timers.Step()) {
    }
    EXPECT_EQ(host.calls, (std::vector<QString>{"capture", "run p"}));
    handler.HotkeyPressed(2, 4); // pressed again after the release: a new run
    EXPECT_EQ(host.calls.back(), "run p");
    EXPECT_EQ(host.calls.size(), 4u);
}

TEST_F(KeywordHotkeyRun, AProgramRunsAtOnceWithoutLookingAtTheKeys) {
    Keyword("t", "/usr/bin/xterm", 'T', 3);
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    keys.down = {'T', 0x11, 0x12};
    handler.HotkeyPressed(2, 5);
    EXPECT_EQ(host.calls, (std::vector<QString>{"capture", "run t"}));
    EXPECT_EQ(keys.checks, 0);
    EXPECT_TRUE(timers.tasks.empty());
}

TEST_F(KeywordHotkeyRun, KeysStillHeldAfter200ChecksDoNotBlockTheRun) {
    Keyword("p", "$PASTE$", 'V', 2);
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    keys.down = {'V'};
    handler.HotkeyPressed(2, 0);
    int rounds = 0;
    while (timers.Step())
        ++rounds;
    EXPECT_EQ(rounds, 200);
    EXPECT_EQ(host.executed, "$PASTE$");
}

TEST_F(KeywordHotkeyRun, AResultCommandFillsAndShowsTheLineOnceTheKeysAreUpThenRuns) {
    Keyword("now,clock", "$TIME$", 'N', 8);
    settings.clearlast = true;
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    handler.HotkeyPressed(2, 123);
    EXPECT_EQ(host.calls, (std::vector<QString>{"capture", "ignore", "text now", "show 123", "text now",
                                                "run now,clock"}));
}

TEST_F(KeywordHotkeyRun, ASpecialListDismissesThePanelsAndHoldTextRunsSilently) {
    Keyword("r", "$RECENT$", 'R', 8);
    Keyword("h", "$HOLDTEXT$xterm", 'H', 8);
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    handler.HotkeyPressed(2, 9);
    EXPECT_EQ(host.calls, (std::vector<QString>{"capture", "ignore", "text r", "dismiss", "show 9", "run r"}));
    host.calls.clear();
    handler.HotkeyPressed(3, 9);
    EXPECT_EQ(host.calls, (std::vector<QString>{"capture", "silent h"}));
}

TEST_F(KeywordHotkeyRun, AnUnknownIdOnlyCapturesTheWindow) {
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    handler.HotkeyPressed(42, 0);
    EXPECT_EQ(host.calls, std::vector<QString>{"capture"});
}

TEST_F(KeywordHotkeyRun, AKeywordDeletedDuringTheWaitStillRunsAsItWasPressed) {
    TExeWord& w = Keyword("p", "$PASTE$", 'V', 2);
    TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
    keys.down = {'V'};
    handler.HotkeyPressed(2, 0);
    manager.Remove(&w);
    words.clear();
    keys.down.clear();
    timers.Step();
    EXPECT_EQ(host.executed, "$PASTE$");
}

TEST_F(KeywordHotkeyRun, AWaitThatOutlivesTheHandlerDoesNothing) {
    Keyword("p", "$PASTE$", 'V', 2);
    {
        TKeywordHotkeyHandler handler(manager, settings, &keys, timers, host);
        keys.down = {'V'};
        handler.HotkeyPressed(2, 0);
    }
    keys.down.clear();
    timers.Step();
    EXPECT_TRUE(host.executed.isEmpty());
}

TEST_F(KeywordHotkeyRun, WithoutAKeyStateNothingWaits) {
    Keyword("p", "$PASTE$", 'V', 2);
    TKeywordHotkeyHandler handler(manager, settings, nullptr, timers, host);
    handler.HotkeyPressed(2, 0);
    EXPECT_EQ(host.executed, "$PASTE$");
}

} // namespace
} // namespace vantrelo
