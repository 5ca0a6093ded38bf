// The table of internal commands: names, the order in which they are tested, test kinds and flags.
#pragma once

#include <QString>

#include <span>
#include <vector>

namespace vantrelo {

// One block of the dispatcher; several names can share a block ("$GRABTOLIST$", "$GRABTOINPUT$"...).
enum class TCommandBlock {
    EmptyRecycleBin, Search, ShowIp, Password, SaveClipboard, Time, Pin, BrowserUrl, BrowserExpand,
    BrowserWin, BrowserWinExe, BrowserWinFull, StartPage, FlipCoin, Random, Roll, Notes, Reminder,
    ClipboardToNotes, AllClipboardToNotes, CopyToNotes, ClearClipboard, Edit, GrabTo, UrlTo, Browser,
    BrowserNewWindow, BrowserToggle, BrowserFlushAll, BrowserFlushCurrent, BrowserEnd, BrowserClear,
    BrowserSetFocus, BrowserClick, BrowserForward, BrowserBack, BrowserRefresh, ScreenSaver, Deferred,
    Lock, TextClean, TextCleanPaste, TextCleanPaste2, TextRegex, TextRegexPaste2, TextRegexPaste,
    Paste1, Paste2, Paste3, Paste4, RefreshIndex, FlushUwp, Backup, VolumeDown, VolumeUp, Volume,
    Pause, Mute, Next, Prev, Play, Stop, Media,
    WClose, WMaximize, WMinimize, WRestore, WOpen, WArrange, WInfo, WHandle, WVantrelo, WAdjust,
    WMaxHeight, WMaxWidth, WLeft, WRight, WTop, WBottom, WCenter, WFindActive, WFindClose,
    Eject, GetMousePos, GetMousePosColor, SetMousePos, MouseLeftClick, MouseClick, MouseRightClick,
    SetPos, SetDefBrowser, SetDefExplorer, SetOpenTextKeyword, SetAutoHide, SetStayOnTop,
    SetLockWindow, HoldText, GamingTwice, GamingTwiceSm, GamingWinOff, Incognito, SetAutoCenter,
    MinimizeAll, UndoMinimizeAll, GrabWindow, Sound, Stopwatch, Timer, Alarm, SendText, SendText2,
    SendText3, Keys, DataFolder, Exit,
    Count
};

enum class TCommandTest {
    Contains,   // the name anywhere outside enclosed arguments
    Exactly,    // the whole command text is the name
    AtStart,    // the command text begins with the name
    Alone,      // the trimmed command text is the name
    OpenName,   // contains, the name written without its closing "$"
    Enclosing,  // contains, and nothing but the enclosed span and blanks is left around it
};

struct TCommandRow {
    const char16_t* name;
    TCommandBlock block;
    TCommandTest test;
    bool handled;        // H: the block completes the execution; P: left to the launcher
    bool noafter;        // NA: skip the after-command step
    bool nohistory;      // NH: the execution is not added to the history
    bool windowGroup;    // tested only when the text contains "$W"
};

// Every command name in the order of the tests.
std::span<const TCommandRow> CommandTable();

struct TRecognised {
    const TCommandRow* row; // the first row of the block that matched
};

// The blocks that `mycmdline` asks for, each once, in table order. `forcebrowser` adds the
// browser block.
std::vector<TRecognised> RecogniseCommands(const QString& mycmdline, bool forcebrowser);
// Whether `upper` (already masked) passes the row's test.
bool RowMatches(const TCommandRow& row, const QString& upper, const QString& masked);

} // namespace vantrelo
