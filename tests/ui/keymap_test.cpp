// The input line's and the list's key maps, decided without a window.
#include "core/settings.h"
#include "ui/keymap.h"

#include <gtest/gtest.h>

#include <QtCore/qnamespace.h>

#include <vector>

namespace vantrelo {
namespace {

TKeyStroke Key(int key, bool shift = false, bool ctrl = false, bool alt = false, bool keypad = false) {
    return TKeyStroke{key, shift, ctrl, alt, keypad};
}

TLineState Line(const QString& text, bool selected = false) {
    TLineState l;
    l.text = text;
    l.caret = int(text.size());
    l.selStart = selected ? 0 : l.caret;
    l.selLength = selected ? int(text.size()) : 0;
    return l;
}

struct TKeyCase {
    TKeyStroke key;
    QString text;
    bool selected;
    TKeyAction action;
};

TEST(InputKeyMap, DecidesTheDocumentedActions) {
    const TSettings s;
    const std::vector<TKeyCase> cases = {
        {Key(Qt::Key_Return), "g cats", false, TKeyAction::Execute},
        {Key(Qt::Key_Enter), "g cats", false, TKeyAction::Execute},
        {Key(Qt::Key_Return), "", false, TKeyAction::Consume},
        {Key(Qt::Key_Return), "->x", false, TKeyAction::SelectWholeLine},
        {Key(Qt::Key_Return, false, true), "abc", false, TKeyAction::ExpandEditor},
        {Key(Qt::Key_R, false, true), "abc", false, TKeyAction::ToggleReverse},
        {Key(Qt::Key_E, false, true), "abc", false, TKeyAction::ExpandFolder},
        {Key(Qt::Key_A, false, true), "abc", false, TKeyAction::SelectWholeLine},
        {Key(Qt::Key_Down), "abc", false, TKeyAction::ShowList}, // autodropdown is on by default
        {Key(Qt::Key_Up), "abc", false, TKeyAction::PreviousCompletion},
        {Key(Qt::Key_Down, true), "abc", false, TKeyAction::ShowAll},
        {Key(Qt::Key_F5), "abc", false, TKeyAction::ShowAll},
        {Key(Qt::Key_Down, false, false, true), "abc", false, TKeyAction::ShowList},
        {Key(Qt::Key_F10), "abc", false, TKeyAction::ExpandEditor},
        {Key(Qt::Key_F4), "abc", false, TKeyAction::ExpandEditor}, // expandf4 is on by default
        {Key(Qt::Key_F4, false, false, true), "abc", false, TKeyAction::CloseWindow},
        {Key(Qt::Key_F3), "abc", false, TKeyAction::FocusInput},
        {Key(Qt::Key_F2, true), "abc", false, TKeyAction::EndBrowser},
        {Key(Qt::Key_F2), "abc", false, TKeyAction::ToggleBrowser},
        {Key(Qt::Key_F8, true), "abc", false, TKeyAction::CopyFullPath},
        {Key(Qt::Key_F11, true), "abc", false, TKeyAction::CenterScreen},
        {Key(Qt::Key_F11, true, true), "abc", false, TKeyAction::FitAndCenter},
        {Key(Qt::Key_Escape, true), "abc", false, TKeyAction::Hide},
        {Key(Qt::Key_Space, false, true), "abc", false, TKeyAction::InputAssist},
        {Key(Qt::Key_Tab), "abc", false, TKeyAction::TabAccept},
        {Key(Qt::Key_Backtab, true), "abc", false, TKeyAction::TabBack},
        {Key(Qt::Key_Tab, false, true), "abc", false, TKeyAction::NextCompletion},
        {Key(Qt::Key_Backtab, true, true), "abc", false, TKeyAction::PreviousCompletion},
        {Key(Qt::Key_X), "abc", false, TKeyAction::None},
        {Key(Qt::Key_Left), "abc", false, TKeyAction::None},
        {Key(Qt::Key_1, false, false, true), "abc", false, TKeyAction::None}, // launchusingalt is off
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const TKeyCase& c = cases[i];
        EXPECT_EQ(DecideInputKey(c.key, Line(c.text, c.selected), s, {}).action, c.action);
    }
}

TEST(InputKeyMap, WithoutTheDropDownDownStepsTheCompletionAndTabStepsWithoutSwitchtab) {
    TSettings s;
    s.autodropdown = false;
    s.switchtab = false;
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Down), Line("abc", false), s, {}).action, TKeyAction::NextCompletion);
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Tab), Line("abc", false), s, {}).action, TKeyAction::NextCompletion);
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Backtab, true), Line("abc", false), s, {}).action,
              TKeyAction::PreviousCompletion);
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Tab, false, true), Line("abc", false), s, {}).action, TKeyAction::TabAccept);
}

TEST(InputKeyMap, EnterCarriesShiftAndAltAndNeverRunsTheInformationText) {
    const TSettings s;
    const TKeyDecision plain = DecideInputKey(Key(Qt::Key_Return), Line("x"), s, {});
    EXPECT_FALSE(plain.forcerunas);
    EXPECT_FALSE(plain.forcebrowser);
    EXPECT_TRUE(plain.consume);
    const TKeyDecision shift = DecideInputKey(Key(Qt::Key_Return, true), Line("x"), s, {});
    EXPECT_EQ(shift.action, TKeyAction::Execute);
    EXPECT_TRUE(shift.forcerunas);
    const TKeyDecision alt = DecideInputKey(Key(Qt::Key_Return, false, false, true), Line("x"), s, {});
    EXPECT_EQ(alt.action, TKeyAction::Execute);
    EXPECT_TRUE(alt.forcebrowser);
    TKeyContext info;
    info.infoTextShown = true;
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Return), Line("12:00"), s, info).action, TKeyAction::ClearInfoText);
}

TEST(InputKeyMap, EscapeClearsASelectedLineFirstThenHides) {
    TSettings s;
    TKeyDecision first = DecideInputKey(Key(Qt::Key_Escape), Line("notes", true), s, {});
    EXPECT_EQ(first.action, TKeyAction::ClearLine);
    EXPECT_TRUE(first.dismissPanels);
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Escape), Line("", false), s, {}).action, TKeyAction::ClearAndHide);
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Escape), Line("notes", false), s, {}).action, TKeyAction::ClearAndHide);
    s.fastesc = true;
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Escape), Line("notes", true), s, {}).action, TKeyAction::ClearAndHide);
    // Staying on top without auto-hide: Esc goes back to the window that was active before.
    s.stayontop = true;
    s.hide = false;
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_Escape), Line(""), s, {}).action, TKeyAction::SwitchToLastActive);
}

TEST(InputKeyMap, NumberKeysPickRowsOnlyWhenSwitchedOn) {
    TSettings s;
    s.launchusingalt = true;
    s.launchfromkeypad = true;
    const TKeyDecision alt = DecideInputKey(Key(Qt::Key_3, false, false, true), Line("a"), s, {});
    EXPECT_EQ(alt.action, TKeyAction::PickNumber);
    EXPECT_EQ(alt.number, 3);
    const TKeyDecision pad0 = DecideInputKey(Key(Qt::Key_0, false, false, false, true), Line("a"), s, {});
    EXPECT_EQ(pad0.action, TKeyAction::PickNumber);
    EXPECT_EQ(pad0.number, 1);
    // A calculation keeps its keypad digits.
    EXPECT_EQ(DecideInputKey(Key(Qt::Key_5, false, false, false, true), Line("#1+"), s, {}).action,
              TKeyAction::None);
}

TEST(InputKeyMap, CtrlBackspaceDeletesBackToTheLastBound) {
    struct TCase {
        QString in, out;
    };
    const std::vector<TCase> cases = {
        {"c:\\users\\bob", "c:\\users\\"},
        {"c:\\users\\", "c:\\"},
        {"/usr/share/apps", "/usr/share/"},
        {"g cats and dogs", "g cats and "},
        {"a&b", "a&"},
        {"word", ""},
        {"", ""},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(DeleteWordBack(cases[i].in), cases[i].out);
    }
    const TKeyDecision d = DecideInputKey(Key(Qt::Key_Backspace, false, true), Line("c:\\users\\bob"), TSettings{}, {});
    EXPECT_EQ(d.action, TKeyAction::SetLine);
    EXPECT_EQ(d.text, "c:\\users\\");
    EXPECT_EQ(d.caret, 9);
}

TEST(InputKeyMap, WordJumpsStopAtBounds) {
    struct TCase {
        QString text;
        int caret, left, right;
    };
    const std::vector<TCase> cases = {
        {"open my.file now", 16, 13, 16},
        {"open my.file now", 13, 8, 16},
        {"open my.file now", 8, 5, 13},
        {"open my.file now", 0, 0, 5},
        {"a--b", 4, 3, 4},
        {"a--b", 1, 0, 3},
        {"", 0, 0, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(WordLeft(cases[i].text, cases[i].caret), cases[i].left);
        EXPECT_EQ(WordRight(cases[i].text, cases[i].caret), cases[i].right);
    }
    const TKeyDecision d = DecideInputKey(Key(Qt::Key_Left, true, true), Line("open my.file"), TSettings{}, {});
    EXPECT_EQ(d.action, TKeyAction::MoveCaret);
    EXPECT_EQ(d.caret, 8);
    EXPECT_TRUE(d.extend);
}

TEST(InputKeyMap, TabSelectsTheNextPartOfAPath) {
    EXPECT_EQ(TabAcceptStart("/usr/share/apps", 0), 1);
    EXPECT_EQ(TabAcceptStart("/usr/share/apps", 2), 5);
    EXPECT_EQ(TabAcceptStart("/usr/share/apps", 12), 15);
    EXPECT_EQ(TabAcceptStart("g cats dogs", 0), 2); // spaces count only in a line without slashes
    EXPECT_EQ(TabAcceptStart("g /x y", 3), 6);
    EXPECT_EQ(TabBackStart("/usr/share/apps", 15), 11);
    EXPECT_EQ(TabBackStart("/usr/share/apps", 11), 5);
    EXPECT_EQ(TabBackStart("word", 4), 0);
}

class TRows final : public TRowTexts {
public:
    explicit TRows(std::vector<QString> r) : r_(std::move(r)) {}
    int Count() const override { return int(r_.size()); }
    QString Text(int row) const override { return r_.at(size_t(row)); }

private:
    std::vector<QString> r_;
};

TEST(ListKeyMap, ArrowsStepOverHeadersAndLeaveAtTheTop) {
    const TRows rows({"===== Keywords =====", "a", "b", "===== History =====", "c"});
    EXPECT_EQ(NextListRow(rows, 2, 1), 4);
    EXPECT_EQ(NextListRow(rows, 4, -1), 2);
    EXPECT_EQ(NextListRow(rows, 1, -1), -1);
    EXPECT_EQ(NextListRow(rows, 4, 1), 4);
    EXPECT_EQ(FirstListRow(rows, true), 1);
    EXPECT_EQ(FirstListRow(rows, false), 0);
    EXPECT_EQ(FirstListRow(TRows({"===== Keywords ====="}), true), 0);

    const TSettings s;
    const TListKeyDecision down = DecideListKey(Key(Qt::Key_Down), rows, 2, s);
    EXPECT_EQ(down.action, TListKeyAction::Move);
    EXPECT_EQ(down.row, 4);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Up), rows, 1, s).action, TListKeyAction::BackToInput);
}

TEST(ListKeyMap, KeysOfTheList) {
    const TRows rows({"a", "b"});
    TSettings s;
    const TListKeyDecision enter = DecideListKey(Key(Qt::Key_Return, true), rows, 0, s);
    EXPECT_EQ(enter.action, TListKeyAction::Take);
    EXPECT_TRUE(enter.launch); // itemquicklaunch
    EXPECT_TRUE(enter.forcerunas);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Return, false, true), rows, 0, s).action, TListKeyAction::TakeExpand);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Right), rows, 0, s).action, TListKeyAction::Take);
    EXPECT_FALSE(DecideListKey(Key(Qt::Key_Right), rows, 0, s).launch);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Escape), rows, 0, s).action, TListKeyAction::BackToInput);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Backspace), rows, 0, s).action, TListKeyAction::BackToInput);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Delete), rows, 0, s).action, TListKeyAction::RemoveRow);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_F9), rows, 0, s).action, TListKeyAction::ContextMenu);
    EXPECT_EQ(DecideListKey(Key(Qt::Key_X), rows, 0, s).action, TListKeyAction::None);
    s.simplearrownav = true;
    EXPECT_EQ(DecideListKey(Key(Qt::Key_Right), rows, 0, s).action, TListKeyAction::None);
    s.launchfromkeypad = true;
    const TListKeyDecision pad = DecideListKey(Key(Qt::Key_0, false, false, false, true), rows, 0, s);
    EXPECT_EQ(pad.action, TListKeyAction::PickNumber);
    EXPECT_EQ(pad.number, 1);
}

TEST(ListKeyMap, TheRestOfTheListKeys) {
    const TRows rows({"a", "b"});
    TSettings s;
    s.expandf4 = false;
    s.startf1 = false;
    struct TCase {
        TKeyStroke key;
        TListKeyAction expected;
    };
    for (const TCase& c : std::vector<TCase>{
             {Key(Qt::Key_Delete, true), TListKeyAction::KillProcess},
             {Key(Qt::Key_F8), TListKeyAction::CopyFullPath},
             {Key(Qt::Key_F8, true), TListKeyAction::CopyFullPath},
             {Key(Qt::Key_F11), TListKeyAction::CenterScreen},
             {Key(Qt::Key_F11, true), TListKeyAction::CenterScreen},
             {Key(Qt::Key_F11, false, true), TListKeyAction::FitAndCenter},
             {Key(Qt::Key_F11, true, true), TListKeyAction::FitAndCenter},
             {Key(Qt::Key_F1), TListKeyAction::Help},
             {Key(Qt::Key_F2), TListKeyAction::ToggleBrowser},
             {Key(Qt::Key_F2, true), TListKeyAction::EndBrowser},
             {Key(Qt::Key_F3), TListKeyAction::FocusInput},
             {Key(Qt::Key_Menu), TListKeyAction::ContextMenu},
             {Key(Qt::Key_E, false, true), TListKeyAction::ExpandFolder},
             {Key(Qt::Key_K, false, true), TListKeyAction::KeywordEditor},
             {Key(Qt::Key_O, false, true), TListKeyAction::KeywordEditor},
             {Key(Qt::Key_K, false, true, true), TListKeyAction::AddKeyword},
             {Key(Qt::Key_S, false, true), TListKeyAction::Settings},
             {Key(Qt::Key_F4, false, false, true), TListKeyAction::BackToInput},
             {Key(Qt::Key_F10), TListKeyAction::TakeExpand},
             {Key(Qt::Key_F5), TListKeyAction::Take}}) {
        EXPECT_EQ(DecideListKey(c.key, rows, 0, s).action, c.expected) << c.key.key;
    }
    EXPECT_FALSE(DecideListKey(Key(Qt::Key_F8), rows, 0, s).reset);
    EXPECT_TRUE(DecideListKey(Key(Qt::Key_F8, true), rows, 0, s).reset);
    EXPECT_TRUE(DecideListKey(Key(Qt::Key_F11, true), rows, 0, s).wholeScreen);
    EXPECT_FALSE(DecideListKey(Key(Qt::Key_F11, false, true), rows, 0, s).forceFit);
    EXPECT_TRUE(DecideListKey(Key(Qt::Key_F11, true, true), rows, 0, s).forceFit);
    s.startf1 = true;
    EXPECT_EQ(DecideListKey(Key(Qt::Key_F1), rows, 0, s).action, TListKeyAction::StartPage);
    s.expandf4 = true;
    EXPECT_EQ(DecideListKey(Key(Qt::Key_F4), rows, 0, s).action, TListKeyAction::TakeExpand);
}

} // namespace
} // namespace vantrelo
