// Settings switches, gaming modes, incognito, default programs and the input window's position.
#include "commands/builtins.h"
#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "platform/desktopwindows.h"

namespace vantrelo {

namespace {

// The value that stands for a missing part of "$SETPOS$".
constexpr int kNoPosition = -20000;
constexpr int kMaxIncognitoConfig = 50;

QString State(bool on) {
    return on ? QStringLiteral("enabled") : QStringLiteral("disabled");
}

void Answer(TCommandServices& s, const QString& text) {
    s.exec->services.input->SetNewWord(text, true, false);
}

void Write(TCommandServices& s, TCommandCall& c) {
    QString error;
    if (!s.host->WriteSettings(&error))
        c.Fail(error.isEmpty() ? QStringLiteral("The settings could not be saved") : error);
}

// The switch parameter by substitution; false (and the call failed) when it could not be made.
bool SwitchParam(TCommandServices& s, TCommandCall& c, QString& p) {
    QString failure;
    p = SubstitutedParam(c, *s.exec, &failure);
    if (!failure.isEmpty())
        c.Fail(failure);
    return failure.isEmpty();
}

// "on", "off" or an empty parameter (toggle) switch the flag; true when one of them was given.
bool Switch(bool& flag, const QString& p) {
    if (p == QLatin1String("on"))
        flag = true;
    else if (p == QLatin1String("off"))
        flag = false;
    else if (p.isEmpty())
        flag = !flag;
    else
        return false;
    return true;
}

enum class TAfterSwitch { Window, WriteOnly, Toast };

void FlagSwitch(TCommandServices& s, TCommandCall& c, bool TSettings::*field, TAfterSwitch after,
                const QString& label) {
    QString p;
    if (!SwitchParam(s, c, p))
        return;
    bool& flag = s.settings->*field;
    if (Switch(flag, p)) {
        if (after == TAfterSwitch::Window) {
            if (!s.exec->services.windows->ProgramIsActive())
                s.exec->services.input->ShowInputWindow();
            s.host->SetDesign();
        }
        Write(s, c);
    }
    if (after == TAfterSwitch::Toast) {
        s.host->ShowToast(label + State(flag));
        s.host->SetStatePanel();
    } else {
        Answer(s, label + State(flag));
    }
}

void Gaming(TCommandServices& s, TCommandCall& c, int value, const QString& label) {
    QString p;
    if (!SwitchParam(s, c, p))
        return;
    int& mode = s.settings->gamingmode;
    if (p == QLatin1String("on"))
        mode = value;
    else if (p == QLatin1String("off"))
        mode = 0;
    else if (p.isEmpty())
        mode = mode == value ? 0 : value;
    else
        return;
    Write(s, c);
    s.host->ReArmKeyboardHook();
    s.host->ShowToast(label + State(mode == value));
    s.host->SetStatePanel();
}

void Incognito(TCommandServices& s, TCommandCall& c) {
    QString p;
    if (!SwitchParam(s, c, p))
        return;
    TSettings& set = *s.settings;
    bool configChanged = false;
    if (const qsizetype comma = p.indexOf(QLatin1Char(',')); comma >= 0) {
        set.incognitoconfig = p.mid(comma + 1).left(kMaxIncognitoConfig);
        p = TrimText(p.left(comma));
        configChanged = true;
    }
    if (p == QLatin1String("on") || p == QLatin1String("off")) {
        s.host->SetIncognitoMode(p == QLatin1String("on"), false);
    } else if (p == QLatin1String("?")) {
        s.host->ShowToast(QStringLiteral("Incognito mode: ") + State(set.incognito) + QStringLiteral(", config: ") +
                          set.incognitoconfig);
    } else if (!p.isEmpty()) {
        set.incognitoconfig = p.left(kMaxIncognitoConfig);
        configChanged = true;
        s.host->ShowToast(QStringLiteral("Incognito config updated: ") + set.incognitoconfig);
    } else {
        s.host->SetIncognitoMode(false, true);
    }
    if (configChanged)
        Write(s, c);
}

// `keptCenter` is the centring mode of the last switch-off; it lives only in memory.
void AutoCenter(TCommandServices& s, TCommandCall& c, int& keptCenter) {
    QString p;
    if (!SwitchParam(s, c, p))
        return;
    int& center = s.settings->center;
    bool changed = true;
    if (p == QLatin1String("on") || (p.isEmpty() && center == 0)) {
        center = keptCenter;
    } else if (p == QLatin1String("off") || (p.isEmpty() && center != 0)) {
        // Switching off twice must not forget the mode that "on" brings back.
        if (center != 0)
            keptCenter = center;
        center = 0;
    } else {
        changed = false;
    }
    if (changed)
        Write(s, c);
    Answer(s, QStringLiteral("Auto-center is ") + State(center != 0));
}

struct TDefaultSetting {
    QString TSettings::*field;
    QString none;     // answer to "?" when the setting is empty
    QString updated;  // answer after a change
};

// Stores a new value; with "!" in front it is stored silently and the line cleared. True when
// the caller still answers.
bool StoreValue(TCommandServices& s, TCommandCall& c, QString& value, const QString& p) {
    const bool silent = p.startsWith(QLatin1Char('!'));
    value = silent ? p.mid(1) : p;
    Write(s, c);
    if (silent)
        s.host->ResetCurrentSearch();
    return !silent;
}

// "$SETDEFBROWSER$" and "$SETDEFEXPLORER$": the value keeps its case, since paths are case-sensitive.
void SetDefault(TCommandServices& s, TCommandCall& c, const TDefaultSetting& d) {
    const QString p = TrimText(FallbackParam(c, *s.exec, false));
    QString& value = s.settings->*d.field;
    if (p == QLatin1String("?")) {
        Answer(s, value.isEmpty() ? d.none : value);
        return;
    }
    if (StoreValue(s, c, value, p))
        Answer(s, d.updated);
}

void SetOpenTextKeyword(TCommandServices& s, TCommandCall& c) {
    const QString p = TrimText(FallbackParam(c, *s.exec, true));
    QString& value = s.settings->fastsearch;
    if (p.isEmpty() || p == QLatin1String("?")) {
        Answer(s, value.isEmpty() ? QStringLiteral("No keyword defined for open text")
                                  : QStringLiteral("Current keyword: ") + value);
        return;
    }
    if (StoreValue(s, c, value, p))
        Answer(s, QStringLiteral("Open text keyword updated (") + value + QLatin1Char(')'));
}

void SetPos(TCommandServices& s, TCommandCall& c) {
    const QString p = FallbackParam(c, *s.exec, true);
    const qsizetype comma = p.indexOf(QLatin1Char(','));
    const QString xs = comma < 0 ? p : p.left(comma);
    const QString ys = comma < 0 ? QString() : p.mid(comma + 1);
    const int x = ReadWholeNumber(xs).value_or(kNoPosition);
    const int y = ReadWholeNumber(ys).value_or(kNoPosition);
    if (x != kNoPosition && y != kNoPosition)
        s.host->MoveInputWindow(x, y);
}

} // namespace

void RegisterSwitchCommands(TCommandDispatcher& d) {
    TCommandServices& s = d.Services();
    using B = TCommandBlock;
    d.SetHandler(B::SetAutoHide, [&s](TCommandCall& c) {
        FlagSwitch(s, c, &TSettings::hide, TAfterSwitch::Window, QStringLiteral("Auto-hide is "));
    });
    d.SetHandler(B::SetStayOnTop, [&s](TCommandCall& c) {
        FlagSwitch(s, c, &TSettings::stayontop, TAfterSwitch::Window, QStringLiteral("Stay on top is "));
    });
    d.SetHandler(B::SetLockWindow, [&s](TCommandCall& c) {
        FlagSwitch(s, c, &TSettings::lockwindow, TAfterSwitch::WriteOnly, QStringLiteral("Lock window is "));
    });
    d.SetHandler(B::HoldText, [&s](TCommandCall& c) {
        FlagSwitch(s, c, &TSettings::holdtext, TAfterSwitch::Toast, QStringLiteral("Hold text "));
    });
    d.SetHandler(B::GamingTwice, [&s](TCommandCall& c) {
        Gaming(s, c, 1, QStringLiteral("Gaming mode press Win twice: "));
    });
    d.SetHandler(B::GamingTwiceSm, [&s](TCommandCall& c) {
        Gaming(s, c, 2, QStringLiteral("Gaming mode press Win twice Start menu: "));
    });
    d.SetHandler(B::GamingWinOff, [&s](TCommandCall& c) { Gaming(s, c, 3, QStringLiteral("Gaming mode no Win key: ")); });
    d.SetHandler(B::Incognito, [&s](TCommandCall& c) { Incognito(s, c); });
    d.SetHandler(B::SetAutoCenter, [&s, kept = 0](TCommandCall& c) mutable { AutoCenter(s, c, kept); });
    d.SetHandler(B::SetDefBrowser, [&s](TCommandCall& c) {
        SetDefault(s, c, {&TSettings::browser, QStringLiteral("No default browser is defined"),
                          QStringLiteral("Default browser updated.")});
    });
    d.SetHandler(B::SetDefExplorer, [&s](TCommandCall& c) {
        SetDefault(s, c, {&TSettings::explore, QStringLiteral("No default file explorer is defined"),
                          QStringLiteral("Default file explorer updated.")});
    });
    d.SetHandler(B::SetOpenTextKeyword, [&s](TCommandCall& c) { SetOpenTextKeyword(s, c); });
    d.SetHandler(B::SetPos, [&s](TCommandCall& c) { SetPos(s, c); });
}

} // namespace vantrelo
