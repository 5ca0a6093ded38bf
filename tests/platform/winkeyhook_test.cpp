// The Windows-key modes: the state machine over key sequences, the hook's hand-off and the hook control.
#include "platform/hotkeys/winkeyhook.h"
#include "platform/keyboardhook.h"
#include "support/hotkeyfakes.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrelo {
namespace {

constexpr int kLWin = 0x5B, kRWin = 0x5C, kLShift = 0xA0, kRShift = 0xA1, kLCtrl = 0xA2, kEsc = 0x1B;

struct TStroke {
    int vk;
    bool down;
    quint32 t;
};

// A Windows-key tap pressed at `t` and released 50 ms later.
std::vector<TStroke> Tap(quint32 t, int win = kLWin) { return {{win, true, t}, {win, false, t + 50}}; }
std::vector<TStroke> operator+(std::vector<TStroke> a, const std::vector<TStroke>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct TCase {
    std::string name;
    int mode;
    std::vector<TStroke> keys;
    int summons;       // over the whole sequence
    bool lastSuppress; // of the last release of a Windows key
    bool lastSwallow;
    bool injects = false; // anything typed on the way
};

TEST(WinKeyMachine, KeySequencesPerMode) {
    const std::vector<TStroke> shiftWinL = {{kLShift, true, 1000}, {kLWin, true, 1010}, {kLWin, false, 1060},
                                            {kLShift, false, 1070}};
    const std::vector<TStroke> winE = {{kLWin, true, 1000}, {'E', true, 1010}, {'E', false, 1020}, {kLWin, false, 1030}};
    const std::vector<TStroke> winRShift = {{kLWin, true, 1000}, {kRShift, true, 1010}, {kRShift, false, 1020},
                                            {kLWin, false, 1030}};
    const std::vector<TStroke> winLShift = {{kLWin, true, 1000}, {kLShift, true, 1010}, {kLShift, false, 1020},
                                            {kLWin, false, 1030}};
    const std::vector<TStroke> lateShiftTap = {{kLShift, true, 500}, {kLShift, false, 520}};
    const TCase cases[] = {
        {"1: a tap summons, the menu stays shut", 1, Tap(1000), 1, true, true},
        {"1: a second tap within presstwicetime passes on", 1, Tap(1000) + Tap(1200), 1, false, false},
        {"1: two taps far apart summon twice", 1, Tap(1000) + Tap(2000), 2, true, true},
        {"1: a third tap after a double starts over", 1, Tap(1000) + Tap(1200) + Tap(1400), 2, true, true},
        {"1: the right Windows key too", 1, Tap(1000, kRWin), 1, true, true},
        {"1: Win+E is a combination", 1, winE, 0, false, false},
        {"1: left Shift with Win is a combination", 1, winLShift, 0, false, false},
        {"1: right Shift with Win is not", 1, winRShift, 1, true, true},
        {"1: the double tap over the clock's wrap", 1, Tap(0xFFFFFF00u) + Tap(0x10), 1, false, false},
        {"2: a tap passes on", 2, Tap(1000), 0, false, false},
        {"2: a double tap summons", 2, Tap(1000) + Tap(1200), 1, true, true},
        {"2: a slow second tap does not", 2, Tap(1000) + Tap(1500), 0, false, false},
        {"3: every tap summons", 3, Tap(1000) + Tap(1200), 2, true, true},
        {"4: a tap summons", 4, Tap(1000), 1, true, true},
        {"4: Shift+Win opens the menu", 4, shiftWinL, 0, false, true, true},
        {"4: right Shift with Win too", 4, winRShift, 0, false, true, true},
        {"4: a Shift tapped alone earlier is forgotten", 4, lateShiftTap + Tap(1000), 1, true, true},
        {"4: Win+E is a combination", 4, winE, 0, false, false},
        {"5: a tap passes on", 5, Tap(1000), 0, false, false},
        {"5: Shift+Win summons and passes on", 5, shiftWinL, 1, false, false},
        {"6: a tap does nothing", 6, Tap(1000), 0, true, true},
        {"6: a double tap summons", 6, Tap(1000) + Tap(1200), 1, true, true},
        {"7: a tap does nothing", 7, Tap(1000), 0, true, true},
        {"7: a double tap passes on", 7, Tap(1000) + Tap(1200), 0, false, false},
        {"8: taps do nothing", 8, Tap(1000) + Tap(1200), 0, true, true},
        {"8: Win+E still passes on", 8, winE, 0, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TWinKeyMachine m(c.mode, 350);
        int summons = 0;
        bool injects = false;
        THookDecision last;
        for (const TStroke& k : c.keys) {
            THookDecision d = m.Feed(TKeyEvent{k.vk, k.down, k.t});
            summons += d.summon ? 1 : 0;
            injects = injects || !d.inject.empty();
            if (!k.down && (k.vk == kLWin || k.vk == kRWin))
                last = std::move(d);
        }
        EXPECT_EQ(summons, c.summons);
        EXPECT_EQ(last.suppress, c.lastSuppress);
        EXPECT_EQ(last.swallow, c.lastSwallow);
        EXPECT_EQ(injects, c.injects);
        EXPECT_FALSE(m.WinPressed);
    }
}

TEST(WinKeyMachine, ShiftWinInModeFourTypesCtrlEscAfterReleasingShiftAndWin) {
    TWinKeyMachine m(4, 350);
    m.Feed({kRWin, true, 1});
    m.Feed({kLShift, true, 2});
    const THookDecision d = m.Feed({kRWin, false, 3});
    const std::vector<std::pair<int, bool>> expected = {{kLShift, false}, {kRWin, false}, {kLCtrl, true},
                                                        {kEsc, true},     {kLCtrl, false}, {kEsc, false}};
    EXPECT_EQ(d.inject, expected);
    EXPECT_FALSE(d.summon);
}

TEST(HookPlan, HookwinAndGamingmodeChooseTheHooks) {
    const struct {
        int hookwin, gaming, thread, grab;
    } cases[] = {
        {0, 0, 0, 0}, {-1, 0, 0, 0}, {1, 0, 1, 0}, {8, 0, 8, 0}, {9, 0, 0, 9}, {10, 0, 0, 10}, {11, 0, 0, 0},
        {2, 1, 6, 0},  // gaming replaces the Windows-key mode
        {9, 1, 6, 9},  // but not the Win+R grab
        {10, 2, 7, 10}, {0, 3, 8, 0},
    };
    for (const auto& c : cases) {
        const THookPlan p = PlanHooks(c.hookwin, c.gaming);
        EXPECT_EQ(p.threadMode, c.thread) << c.hookwin << "/" << c.gaming;
        EXPECT_EQ(p.grabMode, c.grab) << c.hookwin << "/" << c.gaming;
    }
}

class HookControl : public ::testing::Test {
protected:
    THookOutlet Outlet() {
        THookOutlet o;
        o.post = [this](std::function<void()> f) { posted.push_back(std::move(f)); };
        o.summon = [this](quint64 time) { summoned.push_back(time); };
        o.injector = &keys;
        return o;
    }
    void RunPosted() {
        auto work = std::move(posted);
        posted.clear();
        for (auto& f : work)
            f();
    }

    test::TFakeKeyboardHook hook;
    test::TFakeGlobalHotkeys grabs;
    test::TFakeKeyInjector keys;
    std::vector<std::function<void()>> posted;
    std::vector<quint64> summoned;
};

TEST_F(HookControl, GamingOneWithHookwinNineRunsModeSixAndTheWinRGrab) {
    THookManager m(&hook, &grabs, Outlet());
    EXPECT_TRUE(m.Apply(9, 1, 350).isEmpty());
    EXPECT_EQ(m.ThreadMode(), 6);
    EXPECT_EQ(m.GrabMode(), 9);
    EXPECT_EQ(grabs.grabs.at(THookManager::kWinRHotkeyId), std::make_pair(int('R'), 8));

    // Changed settings: everything stops first, then only what is asked for runs.
    EXPECT_TRUE(m.Apply(2, 1, 350).isEmpty());
    EXPECT_EQ(m.ThreadMode(), 6);
    EXPECT_EQ(m.GrabMode(), 0);
    EXPECT_TRUE(grabs.grabs.empty());

    EXPECT_TRUE(m.Apply(10, 0, 350).isEmpty());
    EXPECT_FALSE(hook.IsRunning());
    EXPECT_EQ(grabs.grabs.at(THookManager::kWinZHotkeyId), std::make_pair(int('Z'), 8));

    m.StopAll();
    EXPECT_TRUE(grabs.grabs.empty());
    EXPECT_FALSE(hook.IsRunning());
}

TEST_F(HookControl, SummonIsHandedToTheUserInterfaceThreadWithTheReleaseTime) {
    THookManager m(&hook, &grabs, Outlet());
    ASSERT_TRUE(m.Apply(1, 0, 350).isEmpty());
    hook.Key(kLWin, true, 4000);
    hook.Key(kLWin, false, 4040);
    EXPECT_TRUE(summoned.empty()); // nothing runs on the hook's thread
    ASSERT_EQ(posted.size(), 1u);
    RunPosted();
    EXPECT_EQ(summoned, std::vector<quint64>{4040});
    EXPECT_TRUE(keys.typed.empty()); // X cannot take the release back: nothing is typed to pretend
}

TEST_F(HookControl, ModeFourTypesTheMenuKeysThroughTheInjector) {
    THookManager m(&hook, &grabs, Outlet());
    ASSERT_TRUE(m.Apply(4, 0, 350).isEmpty());
    hook.Key(kRShift, true, 1);
    hook.Key(kLWin, true, 2);
    hook.Key(kLWin, false, 3);
    RunPosted();
    EXPECT_TRUE(summoned.empty());
    ASSERT_EQ(keys.typed.size(), 6u);
    EXPECT_EQ(keys.typed[2], std::make_pair(kLCtrl, true));
    EXPECT_EQ(keys.typed[3], std::make_pair(kEsc, true));
}

TEST_F(HookControl, EachApplyStartsAFreshStateAndStopsTheOldHook) {
    THookManager m(&hook, &grabs, Outlet());
    ASSERT_TRUE(m.Apply(2, 0, 350).isEmpty());
    hook.Key(kLWin, true, 1000);
    hook.Key(kLWin, false, 1050); // first tap of a double
    ASSERT_TRUE(m.Apply(2, 0, 350).isEmpty());
    EXPECT_EQ(hook.stops, 1);
    hook.Key(kLWin, true, 1100);
    hook.Key(kLWin, false, 1150);
    EXPECT_TRUE(posted.empty()); // the earlier tap does not count any more
}

TEST_F(HookControl, WhatCannotStartIsSaid) {
    hook.canStart = false;
    grabs.taken.insert({'R', 8});
    THookManager m(&hook, &grabs, Outlet());
    const QString error = m.Apply(9, 1, 350);
    EXPECT_TRUE(error.contains("Windows key")) << error.toStdString();
    EXPECT_TRUE(error.contains("Win+R")) << error.toStdString();
    EXPECT_EQ(m.ThreadMode(), 0);
    EXPECT_EQ(m.GrabMode(), 0);

    THookManager none(nullptr, nullptr, Outlet());
    EXPECT_FALSE(none.Apply(1, 0, 350).isEmpty());
    EXPECT_TRUE(none.Apply(0, 0, 350).isEmpty());
}

} // namespace
} // namespace vantrelo
