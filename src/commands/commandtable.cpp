// The fixed order of the command tests and the recognition over a command text.
#include "commands/commandtable.h"

#include "commands/enclosed.h"
#include "core/text.h"

#include <array>

namespace vantrelo {

namespace {

using B = TCommandBlock;
using K = TCommandTest;
constexpr bool H = true;
constexpr bool P = false;

// name, block, test, handled, noafter, nohistory, window group
constexpr std::array kRows{
    TCommandRow{u"$EMPTYRECYCLEBIN$", B::EmptyRecycleBin, K::Contains, H, false, false, false},
    TCommandRow{u"$SEARCH$", B::Search, K::Contains, H, false, false, false},
    TCommandRow{u"$SHOWIP$", B::ShowIp, K::Contains, H, true, false, false},
    TCommandRow{u"$PASSWORD$", B::Password, K::Contains, H, true, false, false},
    TCommandRow{u"$SAVECLIPBOARD$", B::SaveClipboard, K::Contains, H, false, false, false},
    TCommandRow{u"$TIME$", B::Time, K::Contains, H, true, false, false},
    TCommandRow{u"$PIN$", B::Pin, K::Contains, H, true, false, false},
    TCommandRow{u"$BROWSERURL$", B::BrowserUrl, K::Contains, H, true, false, false},
    TCommandRow{u"$BROWSEREXPAND$", B::BrowserExpand, K::Contains, H, true, false, false},
    TCommandRow{u"$BROWSERWIN$", B::BrowserWin, K::Contains, H, true, false, false},
    TCommandRow{u"$BROWSERWINEXE$", B::BrowserWinExe, K::Contains, H, true, false, false},
    TCommandRow{u"$BROWSERWINFULL$", B::BrowserWinFull, K::Contains, H, true, false, false},
    TCommandRow{u"$STARTPAGE$", B::StartPage, K::Contains, H, true, false, false},
    TCommandRow{u"$FLIPCOIN$", B::FlipCoin, K::Contains, H, true, false, false},
    TCommandRow{u"$RANDOM$", B::Random, K::Contains, H, true, false, false},
    TCommandRow{u"$ROLL$", B::Roll, K::Contains, H, true, false, false},
    TCommandRow{u"$NOTES$", B::Notes, K::Contains, H, true, false, false},
    TCommandRow{u"$REMINDER$", B::Reminder, K::Contains, H, true, false, false},
    TCommandRow{u"$CLIPBOARDTONOTES$", B::ClipboardToNotes, K::Contains, H, true, false, false},
    TCommandRow{u"$ALLCLIPBOARDTONOTES$", B::AllClipboardToNotes, K::Contains, H, true, false, false},
    TCommandRow{u"$COPYTONOTES$", B::CopyToNotes, K::Contains, H, true, false, false},
    TCommandRow{u"$CLEARCLIPBOARD$", B::ClearClipboard, K::Contains, H, true, false, false},
    TCommandRow{u"$EDIT$", B::Edit, K::Contains, H, true, false, false},
    TCommandRow{u"$GRABTOLIST$", B::GrabTo, K::Contains, P, true, false, false},
    TCommandRow{u"$GRABTOINPUT$", B::GrabTo, K::Contains, P, true, false, false},
    TCommandRow{u"$GRABTOLISTNOFOCUS$", B::GrabTo, K::Contains, P, true, false, false},
    TCommandRow{u"$URLTOLIST$", B::UrlTo, K::Contains, P, true, false, false},
    TCommandRow{u"$URLTOINPUT$", B::UrlTo, K::Contains, P, true, false, false},
    TCommandRow{u"$URLTOLISTNOFOCUS$", B::UrlTo, K::Contains, P, true, false, false},
    TCommandRow{u"$BROWSER$", B::Browser, K::Contains, P, true, false, false},
    TCommandRow{u"$BROWSERNOFOCUS$", B::Browser, K::Contains, P, true, false, false},
    TCommandRow{u"$B$", B::Browser, K::Contains, P, true, false, false},
    TCommandRow{u"$BN$", B::Browser, K::Contains, P, true, false, false},
    TCommandRow{u"$BNEWWIN$", B::BrowserNewWindow, K::Contains, P, true, false, false},
    TCommandRow{u"$BNEWFULL$", B::BrowserNewWindow, K::Contains, P, true, false, false},
    TCommandRow{u"$BROWSERTOGGLE$", B::BrowserToggle, K::AtStart, P, true, true, false},
    TCommandRow{u"$BROWSERFLUSHALL$", B::BrowserFlushAll, K::Alone, P, true, true, false},
    TCommandRow{u"$BROWSERFLUSHCURRENT$", B::BrowserFlushCurrent, K::Alone, P, true, true, false},
    TCommandRow{u"$BROWSEREND$", B::BrowserEnd, K::Alone, P, true, true, false},
    TCommandRow{u"$BROWSERCLEAR$", B::BrowserClear, K::Alone, P, true, true, false},
    TCommandRow{u"$BSETFOCUS$", B::BrowserSetFocus, K::Alone, P, true, true, false},
    TCommandRow{u"$BCLICK$", B::BrowserClick, K::Enclosing, P, true, true, false},
    TCommandRow{u"$BROWSERFORWARD$", B::BrowserForward, K::Contains, H, true, true, false},
    TCommandRow{u"$BROWSERBACK$", B::BrowserBack, K::Contains, H, true, true, false},
    TCommandRow{u"$BROWSERREFRESH$", B::BrowserRefresh, K::Contains, H, true, true, false},
    TCommandRow{u"$SCREENSAVER$", B::ScreenSaver, K::Contains, H, false, false, false},
    TCommandRow{u"$MONITOR$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$QUIT$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$SHUTDOWN$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$RESTART$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$STANDBY$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$HIBERNATE$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$LOGOFF$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$SIGNOUT$", B::Deferred, K::Contains, H, false, false, false},
    TCommandRow{u"$LOCK$", B::Lock, K::Contains, H, false, false, false},
    TCommandRow{u"$TEXTCLEAN$", B::TextClean, K::Contains, H, false, false, false},
    TCommandRow{u"$TEXTCLEANPASTE$", B::TextCleanPaste, K::Contains, H, false, false, false},
    TCommandRow{u"$TEXTCLEANPASTE2$", B::TextCleanPaste2, K::Contains, H, false, false, false},
    TCommandRow{u"$TEXTREGEX$", B::TextRegex, K::Contains, H, false, false, false},
    TCommandRow{u"$TEXTREGEXPASTE2$", B::TextRegexPaste2, K::Contains, H, false, false, false},
    TCommandRow{u"$TEXTREGEXPASTE$", B::TextRegexPaste, K::Contains, H, false, false, false},
    TCommandRow{u"$PASTE1$", B::Paste1, K::Contains, H, false, false, false},
    TCommandRow{u"$PASTE2$", B::Paste2, K::Contains, H, false, false, false},
    TCommandRow{u"$PASTE3$", B::Paste3, K::Contains, H, false, false, false},
    TCommandRow{u"$PASTE4$", B::Paste4, K::Contains, H, false, false, false},
    TCommandRow{u"$REFRESHINDEX$", B::RefreshIndex, K::Contains, H, true, false, false},
    TCommandRow{u"$FLUSHUWP$", B::FlushUwp, K::Contains, H, true, false, false},
    TCommandRow{u"$BACKUP$", B::Backup, K::Contains, H, true, false, false},
    TCommandRow{u"$VOLUMEDOWN$", B::VolumeDown, K::Contains, H, true, false, false},
    TCommandRow{u"$VOLUMEUP$", B::VolumeUp, K::Contains, H, true, false, false},
    TCommandRow{u"$VOLUME$", B::Volume, K::Contains, H, true, false, false},
    TCommandRow{u"$PAUSE$", B::Pause, K::Contains, H, true, false, false},
    TCommandRow{u"$MUTE$", B::Mute, K::Contains, H, true, false, false},
    TCommandRow{u"$NEXT$", B::Next, K::Contains, H, true, false, false},
    TCommandRow{u"$PREV$", B::Prev, K::Contains, H, true, false, false},
    TCommandRow{u"$PLAY$", B::Play, K::Contains, H, false, false, false},
    TCommandRow{u"$STOP$", B::Stop, K::Contains, H, false, false, false},
    TCommandRow{u"$MEDIA$", B::Media, K::Contains, H, true, false, false},
    TCommandRow{u"$WCLOSE$", B::WClose, K::Contains, H, false, false, true},
    TCommandRow{u"$WMAXIMIZE$", B::WMaximize, K::Contains, H, false, false, true},
    TCommandRow{u"$WMINIMIZE$", B::WMinimize, K::Contains, H, false, false, true},
    TCommandRow{u"$WRESTORE$", B::WRestore, K::Contains, H, false, false, true},
    TCommandRow{u"$WOPEN$", B::WOpen, K::Contains, H, false, false, true},
    TCommandRow{u"$WARRANGE$", B::WArrange, K::Contains, H, false, false, true},
    TCommandRow{u"$WRESIZE$", B::WArrange, K::Contains, H, false, false, true},
    TCommandRow{u"$WINFO$", B::WInfo, K::Contains, H, false, false, true},
    TCommandRow{u"$WHANDLE$", B::WHandle, K::Contains, H, false, false, true},
    TCommandRow{u"$WVANTRELO$", B::WVantrelo, K::Contains, H, false, false, true},
    TCommandRow{u"$WADJUST$", B::WAdjust, K::Contains, H, false, false, true},
    TCommandRow{u"$WMAXHEIGHT$", B::WMaxHeight, K::Contains, H, false, false, true},
    TCommandRow{u"$WMAXWIDTH$", B::WMaxWidth, K::Contains, H, false, false, true},
    TCommandRow{u"$WLEFT$", B::WLeft, K::Contains, H, false, false, true},
    TCommandRow{u"$WRIGHT$", B::WRight, K::Contains, H, false, false, true},
    TCommandRow{u"$WTOP$", B::WTop, K::Contains, H, false, false, true},
    TCommandRow{u"$WBOTTOM$", B::WBottom, K::Contains, H, false, false, true},
    TCommandRow{u"$WCENTER$", B::WCenter, K::Contains, H, false, false, true},
    TCommandRow{u"$WFINDACTIVE$", B::WFindActive, K::Contains, H, false, false, true},
    TCommandRow{u"$WFINDCLOSE$", B::WFindClose, K::Contains, H, false, false, true},
    TCommandRow{u"$EJECT$", B::Eject, K::Contains, H, false, false, false},
    TCommandRow{u"$GETMOUSEPOS", B::GetMousePos, K::OpenName, H, false, false, false},
    TCommandRow{u"$GETMOUSEPOSCOLOR", B::GetMousePosColor, K::OpenName, H, false, false, false},
    TCommandRow{u"$SETMOUSEPOS", B::SetMousePos, K::OpenName, H, false, false, false},
    TCommandRow{u"$MOUSELEFTCLICK", B::MouseLeftClick, K::OpenName, H, false, false, false},
    TCommandRow{u"$MOUSECLICK", B::MouseClick, K::OpenName, H, false, false, false},
    TCommandRow{u"$MOUSERIGHTCLICK", B::MouseRightClick, K::OpenName, H, false, false, false},
    TCommandRow{u"$SETPOS$", B::SetPos, K::Contains, H, true, false, false},
    TCommandRow{u"$SETDEFBROWSER$", B::SetDefBrowser, K::Contains, H, true, false, false},
    TCommandRow{u"$SETDEFEXPLORER$", B::SetDefExplorer, K::Contains, H, true, false, false},
    TCommandRow{u"$SETOPENTEXTKEYWORD$", B::SetOpenTextKeyword, K::Contains, H, true, false, false},
    TCommandRow{u"$SETAUTOHIDE$", B::SetAutoHide, K::Contains, H, true, false, false},
    TCommandRow{u"$SETSTAYONTOP$", B::SetStayOnTop, K::Contains, H, true, false, false},
    TCommandRow{u"$SETLOCKWINDOW$", B::SetLockWindow, K::Contains, H, true, false, false},
    TCommandRow{u"$HOLDTEXT$", B::HoldText, K::Contains, H, true, false, false},
    TCommandRow{u"$GAMINGTWICE$", B::GamingTwice, K::Contains, H, true, false, false},
    TCommandRow{u"$GAMINGTWICESM$", B::GamingTwiceSm, K::Contains, H, true, false, false},
    TCommandRow{u"$GAMINGWINOFF$", B::GamingWinOff, K::Contains, H, true, false, false},
    TCommandRow{u"$INCOGNITO$", B::Incognito, K::Contains, H, true, false, false},
    TCommandRow{u"$SETAUTOCENTER$", B::SetAutoCenter, K::Contains, H, true, false, false},
    TCommandRow{u"$M$", B::MinimizeAll, K::Exactly, H, false, false, false},
    TCommandRow{u"$R$", B::UndoMinimizeAll, K::Exactly, H, false, false, false},
    TCommandRow{u"$GW$", B::GrabWindow, K::Exactly, H, false, false, false},
    TCommandRow{u"$SOUND$", B::Sound, K::Enclosing, H, true, false, false},
    TCommandRow{u"$STOPWATCH$", B::Stopwatch, K::Contains, H, true, false, false},
    TCommandRow{u"$TIMER$", B::Timer, K::Contains, H, true, false, false},
    TCommandRow{u"$ALARM$", B::Alarm, K::Contains, H, true, false, false},
    TCommandRow{u"$SENDTEXT$", B::SendText, K::Contains, H, false, false, false},
    TCommandRow{u"$SENDTEXT2$", B::SendText2, K::Contains, H, false, false, false},
    TCommandRow{u"$SENDTEXT3$", B::SendText3, K::Contains, H, false, false, false},
    TCommandRow{u"$KEYS$", B::Keys, K::Contains, H, false, false, false},
    TCommandRow{u"$DATAFOLDER$", B::DataFolder, K::Contains, H, false, false, false},
    TCommandRow{u"$EXIT$", B::Exit, K::Contains, H, true, true, false},
};
static_assert(kRows.size() == 131, "every internal command name has one row");

} // namespace

std::span<const TCommandRow> CommandTable() {
    return kRows;
}

bool RowMatches(const TCommandRow& row, const QString& upper, const QString& masked) {
    const QString name = QString::fromUtf16(row.name);
    switch (row.test) {
    case TCommandTest::Exactly:
        return upper == name;
    case TCommandTest::AtStart:
        return upper.startsWith(name);
    case TCommandTest::Alone:
        return TrimText(upper) == name;
    case TCommandTest::Enclosing:
        return masked.contains(name) && TrimText(StripEnclosed(name, upper)).isEmpty();
    case TCommandTest::Contains:
    case TCommandTest::OpenName:
        return masked.contains(name);
    }
    return false;
}

std::vector<TRecognised> RecogniseCommands(const QString& mycmdline, bool forcebrowser) {
    const QString upper = UpperText(mycmdline);
    const QString masked = MaskEnclosedArguments(upper);
    const bool windowGroup = masked.contains(QLatin1String("$W"));
    std::vector<TRecognised> found;
    for (const TCommandRow& row : kRows) {
        if (!found.empty() && found.back().row->block == row.block)
            continue;
        if (row.windowGroup && !windowGroup)
            continue;
        const bool forced = forcebrowser && row.block == TCommandBlock::Browser;
        if (forced || RowMatches(row, upper, masked))
            found.push_back({&row});
    }
    return found;
}

} // namespace vantrelo
