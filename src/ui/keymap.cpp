// Key maps of the input line and the list: one decision per key press, in the documented order.
#include "ui/keymap.h"

#include "core/settings.h"
#include "core/text.h"

#include <QtCore/qnamespace.h>

namespace vantrelo {

namespace {

bool IsDigitKey(int key) { return key >= Qt::Key_0 && key <= Qt::Key_9; }

TKeyDecision Take(TKeyAction a) {
    TKeyDecision d;
    d.action = a;
    d.consume = true;
    return d;
}

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

const QString& WordBounds() {
    static const QString b = QStringLiteral(" :/\\&-.|+=?_@#;");
    return b;
}

bool IsHeader(const QString& t) { return t.startsWith(QLatin1String("===")); }
bool IsSkippedHeader(const QString& t) { return t.startsWith(QLatin1String("====")); }

} // namespace

TKeyDecision DecideInputKey(const TKeyStroke& k, const TLineState& line, const TSettings& s, const TKeyContext& c) {
    const int key = k.key;
    // 1. Alt+1 ... Alt+9 pick a numbered row.
    if (s.launchusingalt && k.alt && !k.ctrl && !k.keypad && key >= Qt::Key_1 && key <= Qt::Key_9) {
        TKeyDecision d = Take(TKeyAction::PickNumber);
        d.number = key - Qt::Key_0;
        return d;
    }
    // 2. The numeric pad picks a row unless a calculation is being typed.
    if (s.launchfromkeypad && k.keypad && IsDigitKey(key) && !line.text.startsWith(s.calcchar) &&
        (!s.numlockallow || !line.text.contains(u' ') || line.AllSelected())) {
        TKeyDecision d = Take(TKeyAction::PickNumber);
        d.number = key == Qt::Key_0 ? 1 : key - Qt::Key_0;
        return d;
    }
    if (k.ctrl && !k.alt && key == Qt::Key_E)
        return Take(TKeyAction::ExpandFolder);
    if (k.ctrl && !k.alt && key == Qt::Key_R)
        return Take(TKeyAction::ToggleReverse);
    if (k.ctrl && IsEnter(key))
        return Take(TKeyAction::ExpandEditor);
    if (IsEnter(key)) {
        if (line.text.isEmpty())
            return Take(TKeyAction::Consume);
        if (c.infoTextShown)
            return Take(TKeyAction::ClearInfoText);
        if (line.text.startsWith(QLatin1String("->")))
            return Take(TKeyAction::SelectWholeLine);
        TKeyDecision d = Take(TKeyAction::Execute);
        d.forcerunas = k.shift;
        d.forcebrowser = k.alt;
        return d;
    }
    if (key == Qt::Key_F1 && s.startf1 && k.NoModifiers())
        return Take(TKeyAction::StartPage);
    if (key == Qt::Key_F2 && k.shift && !k.ctrl && !k.alt)
        return Take(TKeyAction::EndBrowser);
    if (key == Qt::Key_F2 && k.NoModifiers())
        return Take(TKeyAction::ToggleBrowser);
    if (key == Qt::Key_F3)
        return Take(TKeyAction::FocusInput);
    if (key == Qt::Key_F4 && k.alt)
        return Take(TKeyAction::CloseWindow);
    if (key == Qt::Key_F8 && k.shift)
        return Take(TKeyAction::CopyFullPath);
    if (key == Qt::Key_F11 && k.shift)
        return Take(k.ctrl ? TKeyAction::FitAndCenter : TKeyAction::CenterScreen);
    if (k.ctrl && !k.alt && !k.shift && key == Qt::Key_A)
        return Take(TKeyAction::SelectWholeLine);
    // Down opens the list when it drops down by itself, else it steps the completion as Up does.
    if (key == Qt::Key_Down && k.NoModifiers())
        return Take(s.autodropdown ? TKeyAction::ShowList : TKeyAction::NextCompletion);
    if (key == Qt::Key_Up && k.NoModifiers())
        return Take(TKeyAction::PreviousCompletion);
    if ((key == Qt::Key_Down && k.shift && !k.alt && !k.ctrl) || (key == Qt::Key_F5 && k.NoModifiers()))
        return Take(TKeyAction::ShowAll);
    if ((key == Qt::Key_F10 || (key == Qt::Key_F4 && s.expandf4)) && k.NoModifiers())
        return Take(TKeyAction::ExpandEditor);
    if (((key == Qt::Key_Down || key == Qt::Key_Up) && k.alt) || key == Qt::Key_F4)
        return Take(TKeyAction::ShowList);
    if (key == Qt::Key_Escape && k.NoModifiers()) {
        TKeyDecision d;
        d.dismissPanels = true;
        d.consume = true;
        if (!line.text.isEmpty() && line.AllSelected() && !s.fastesc)
            d.action = TKeyAction::ClearLine;
        else if (!s.stayontop || s.hide)
            d.action = TKeyAction::ClearAndHide;
        else
            d.action = TKeyAction::SwitchToLastActive;
        return d;
    }
    if (key == Qt::Key_Escape && k.shift)
        return Take(TKeyAction::Hide);
    if (key == Qt::Key_Menu && k.alt) {
        TKeyDecision d;
        d.action = TKeyAction::ContextMenu;
        return d; // not consumed
    }
    if (key == Qt::Key_Space && k.ctrl)
        return Take(TKeyAction::InputAssist);
    if (key == Qt::Key_Backspace && k.ctrl) {
        TKeyDecision d = Take(TKeyAction::SetLine);
        d.text = DeleteWordBack(line.text);
        d.caret = int(d.text.size());
        return d;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && k.ctrl && !k.alt) {
        TKeyDecision d = Take(TKeyAction::MoveCaret);
        d.caret = key == Qt::Key_Left ? WordLeft(line.text, line.caret) : WordRight(line.text, line.caret);
        d.extend = k.shift;
        return d;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        const bool back = key == Qt::Key_Backtab || k.shift;
        // Ctrl swaps the pairing of accept/back and completion stepping.
        const bool accept = s.switchtab != k.ctrl;
        if (accept)
            return Take(back ? TKeyAction::TabBack : TKeyAction::TabAccept);
        return Take(back ? TKeyAction::PreviousCompletion : TKeyAction::NextCompletion);
    }
    return {};
}

TListKeyDecision DecideListKey(const TKeyStroke& k, const TRowTexts& rows, int selected, const TSettings& s) {
    TListKeyDecision d;
    const int key = k.key;
    if (s.launchusingalt && k.alt && !k.keypad && key >= Qt::Key_1 && key <= Qt::Key_9) {
        d.action = TListKeyAction::PickNumber;
        d.number = key - Qt::Key_0;
    } else if (s.launchfromkeypad && k.keypad && IsDigitKey(key)) {
        d.action = TListKeyAction::PickNumber;
        d.number = key == Qt::Key_0 ? 1 : key - Qt::Key_0;
    } else if (IsEnter(key) && k.ctrl) {
        d.action = TListKeyAction::TakeExpand;
    } else if (IsEnter(key) || key == Qt::Key_F5) {
        d.action = TListKeyAction::Take;
        d.launch = s.itemquicklaunch;
        d.forcerunas = k.shift;
        d.forcebrowser = k.alt;
    } else if ((key == Qt::Key_F10 || (key == Qt::Key_F4 && s.expandf4)) && !k.alt) {
        d.action = TListKeyAction::TakeExpand;
    } else if ((key == Qt::Key_Down || key == Qt::Key_Up) && !k.alt && !k.ctrl) {
        const int next = NextListRow(rows, selected, key == Qt::Key_Down ? 1 : -1);
        if (next < 0) {
            d.action = TListKeyAction::BackToInput;
        } else {
            d.action = TListKeyAction::Move;
            d.row = next;
        }
    } else if ((key == Qt::Key_Left || key == Qt::Key_Right) && !s.simplearrownav && k.NoModifiers()) {
        d.action = TListKeyAction::Take;
    } else if (key == Qt::Key_Backspace || key == Qt::Key_Escape || (key == Qt::Key_F4 && k.alt)) {
        d.action = TListKeyAction::BackToInput;
    } else if (key == Qt::Key_Delete) {
        d.action = k.shift ? TListKeyAction::KillProcess : TListKeyAction::RemoveRow;
    } else if (key == Qt::Key_F8) {
        d.action = TListKeyAction::CopyFullPath;
        d.reset = k.shift;
    } else if (key == Qt::Key_F9 || key == Qt::Key_Menu) {
        d.action = TListKeyAction::ContextMenu;
    } else if (key == Qt::Key_F11) {
        d.action = k.ctrl ? TListKeyAction::FitAndCenter : TListKeyAction::CenterScreen;
        d.wholeScreen = k.shift && !k.ctrl;
        d.forceFit = k.shift && k.ctrl;
    } else if (key == Qt::Key_F1) {
        d.action = s.startf1 ? TListKeyAction::StartPage : TListKeyAction::Help;
    } else if (key == Qt::Key_F2) {
        d.action = k.shift ? TListKeyAction::EndBrowser : TListKeyAction::ToggleBrowser;
    } else if (key == Qt::Key_F3) {
        d.action = TListKeyAction::FocusInput;
    } else if (k.ctrl && k.alt && key == Qt::Key_K) {
        d.action = TListKeyAction::AddKeyword;
    } else if (k.ctrl && !k.alt && key == Qt::Key_E) {
        d.action = TListKeyAction::ExpandFolder;
    } else if (k.ctrl && !k.alt && (key == Qt::Key_K || key == Qt::Key_O)) {
        d.action = TListKeyAction::KeywordEditor;
    } else if (k.ctrl && !k.alt && key == Qt::Key_S) {
        d.action = TListKeyAction::Settings;
    }
    return d;
}

TEditorKeyDecision DecideEditorKey(const TKeyStroke& k, bool empty, const TSettings& s) {
    TEditorKeyDecision d;
    const int key = k.key;
    const int mods = int(k.shift) + int(k.ctrl) + int(k.alt);
    if (IsEnter(key) && mods == 1) {
        // Only one of Ctrl, Shift and Alt: Shift runs elevated, Alt in the browser.
        d.action = empty ? TEditorKeyAction::Consume : TEditorKeyAction::Execute;
        d.runas = k.shift;
        d.browser = k.alt;
    } else if ((key == Qt::Key_Escape && k.NoModifiers()) ||
               ((key == Qt::Key_F10 || (key == Qt::Key_F4 && s.expandf4)) && k.NoModifiers()) ||
               (key == Qt::Key_Backspace && empty)) {
        d.action = TEditorKeyAction::Close;
    } else if (key == Qt::Key_F11) {
        d.action = k.ctrl ? TEditorKeyAction::FitAndCenter : TEditorKeyAction::CenterScreen;
        d.wholeScreen = k.shift && !k.ctrl;
        d.forceFit = k.shift && k.ctrl;
    } else if (key == Qt::Key_F2) {
        d.action = k.shift ? TEditorKeyAction::EndBrowser : TEditorKeyAction::ToggleBrowser;
    } else if (key == Qt::Key_F3) {
        d.action = TEditorKeyAction::FocusInput;
    } else if (k.ctrl && !k.alt && (key == Qt::Key_K || key == Qt::Key_O)) {
        d.action = TEditorKeyAction::KeywordEditor;
    } else if (k.ctrl && !k.alt && key == Qt::Key_S) {
        d.action = TEditorKeyAction::Settings;
    } else if (k.ctrl && key == Qt::Key_Space) {
        d.action = TEditorKeyAction::InputAssist;
    } else if (key == Qt::Key_Menu) {
        d.action = TEditorKeyAction::Menu;
    }
    return d;
}

int NextListRow(const TRowTexts& rows, int row, int delta) {
    const int n = rows.Count();
    int next = row + delta;
    // A neighbouring "====" header is stepped over; a header at the very top ends the walk upwards.
    while (next >= 0 && next < n && IsSkippedHeader(rows.Text(next)))
        next += delta;
    if (next < 0)
        return -1;
    if (next >= n)
        return row; // stays on the last row
    return next;
}

int FirstListRow(const TRowTexts& rows, bool comboheaders) {
    if (rows.Count() <= 0)
        return -1;
    if (comboheaders && rows.Count() > 1 && IsHeader(rows.Text(0)))
        return 1;
    return 0;
}

QString DeleteWordBack(const QString& text) {
    if (text.size() < 2)
        return {};
    for (qsizetype i = text.size() - 2; i >= 0; --i) {
        const QChar ch = text.at(i);
        if (ch == u' ' || ch == u'/' || ch == u'\\' || ch == u'&')
            return text.left(i + 1);
    }
    return {};
}

int WordLeft(const QString& text, int caret) {
    int i = qBound(0, caret, int(text.size()));
    while (i > 0 && WordBounds().contains(text.at(i - 1)))
        --i;
    while (i > 0 && !WordBounds().contains(text.at(i - 1)))
        --i;
    return i;
}

int WordRight(const QString& text, int caret) {
    const int n = int(text.size());
    int i = qBound(0, caret, n);
    while (i < n && !WordBounds().contains(text.at(i)))
        ++i;
    while (i < n && WordBounds().contains(text.at(i)))
        ++i;
    return i;
}

namespace {
bool TabBound(const QString& text, QChar ch) {
    if (ch == u'\\' || ch == u'/')
        return true;
    return ch == u' ' && !text.contains(u'\\') && !text.contains(u'/');
}
} // namespace

int TabAcceptStart(const QString& text, int caret) {
    const int n = int(text.size());
    for (int i = qBound(0, caret, n); i < n; ++i)
        if (TabBound(text, text.at(i)))
            return i + 1 < n ? i + 1 : n;
    return n;
}

int TabBackStart(const QString& text, int caret) {
    // The bound just before the caret belongs to the part already accepted.
    for (int i = qBound(0, caret, int(text.size())) - 2; i >= 0; --i)
        if (TabBound(text, text.at(i)))
            return i + 1;
    return 0;
}

} // namespace vantrelo
