// Control commands ("$M$", "$R$", "$GW$", "$SOUND$", "$EXIT$"), the start page, and the blocks
// whose work the launcher does.
#include "commands/builtins.h"
#include "commands/dispatcher.h"
#include "commands/enclosed.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "platform/desktopwindows.h"
#include "platform/filesystem.h"
#include "platform/soundplayer.h"

namespace vantrelo {

namespace {

void GrabWindow(TCommandServices& s) {
    TDesktopWindows& windows = *s.exec->services.windows;
    const quint64 w = windows.ForegroundWindow();
    if (w != 0 && !windows.IsOwnWindow(w))
        s.exec->services.input->SetLastActiveWindow(w);
}

void Sound(TCommandServices& s, TCommandCall& c) {
    const QString file = TrimText(EnclosedText(QStringLiteral("$SOUND$"), c.text));
    if (file.isEmpty() || !s.exec->services.files->FileExists(file)) {
        c.Fail(QStringLiteral("Sound file not found: ") + file);
        return;
    }
    s.exec->services.sound->Play(file);
}

void StartPage(TCommandServices& s, TCommandCall& c) {
    if (s.settings->startpage.isEmpty()) {
        s.exec->services.input->SetNewWord(QStringLiteral("No start page defined (Settings>Browser)"), true, false);
        return;
    }
    // Opening the page is the embedded browser's work, which plugs in its own handler.
    c.noafter = false;
    c.Fail(QString::fromLatin1(kNotAvailable));
}

} // namespace

void RegisterControlCommands(TCommandDispatcher& d) {
    TCommandServices& s = d.Services();
    using B = TCommandBlock;
    d.SetHandler(B::MinimizeAll, [&s](TCommandCall&) { s.exec->services.windows->MinimizeAll(); });
    d.SetHandler(B::UndoMinimizeAll, [&s](TCommandCall&) { s.exec->services.windows->UndoMinimizeAll(); });
    d.SetHandler(B::GrabWindow, [&s](TCommandCall&) { GrabWindow(s); });
    d.SetHandler(B::Sound, [&s](TCommandCall& c) { Sound(s, c); });
    d.SetHandler(B::StartPage, [&s](TCommandCall& c) { StartPage(s, c); });
    // Its flags are all it does: the input stays and is not added to the history.
    d.SetHandler(B::Exit, [](TCommandCall&) {});
    // Left to the launcher: the row's flags (handled false, and the skips) are the whole work here.
    for (B block : {B::GrabTo, B::UrlTo, B::Browser, B::BrowserNewWindow, B::BrowserToggle, B::BrowserFlushAll,
                    B::BrowserFlushCurrent, B::BrowserEnd, B::BrowserClear, B::BrowserSetFocus, B::BrowserClick})
        d.SetHandler(block, [](TCommandCall&) {});
}

} // namespace vantrelo
