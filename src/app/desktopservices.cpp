// The launcher's desktop side: X11 windows, keys and hotkeys, the Qt clipboard, timers and workers.
#include "app/desktopservices.h"

#include "app/engine.h"
#include "core/incognito.h"
#include "exec/injector.h"
#include "platform/linux/runninginstances_linux.h"
#include "platform/linux/xdesktop.h"
#include "platform/linux/xshowtrace.h"
#include "platform/linux/xhotkeys.h"
#include "platform/linux/xkeyboard.h"
#include "platform/linux/xmouse.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

namespace vantrelo {

QString TFileResolver::ShortcutTarget(const QString& path) const {
    const QFileInfo fi(path);
    return fi.isSymLink() ? fi.symLinkTarget() : QString();
}

TDesktopServices::TDesktopServices(QObject* owner, const QString& incognitoFolder)
    : noWindows_(std::make_unique<TNoDesktopWindows>()), noKeys_(std::make_unique<TNoKeys>()) {
    QString error;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        desktop = TXDesktop::Open(QString(), &error);
        keyboard = TXKeyboard::Open(QString(), &error);
        mouse = TXMouse::Open(QString(), &error);
        hotkeys = TXGlobalHotkeys::Open(QString(), &error);
        // The time from the hotkey to the window on screen, for measuring; off unless asked for.
        if (qEnvironmentVariableIsSet("VANTRELO_SHOW_LATENCY") && (showTrace = TXShowTrace::Open(QString(), &error)))
            showTrace->SetReport([](int ms) { std::fprintf(stderr, "Vantrelo: shown %d ms after the hotkey\n", ms); });
    }
    TInjectTools tools;
    tools.injector = keyboard.get();
    tools.keys = &Keys();
    tools.waiter = &waiter;
    tools.clipboard = &clipboard;
    tools.focused = [this] { return desktop ? desktop->ActiveWindow() : 0; };
    injector = std::make_unique<TInjector>(std::move(tools));
    textSender = std::make_unique<TKeyTextSender>(*injector);
    scheduler = std::make_unique<TQtScheduler>(owner);
    tasks = std::make_unique<TQtTaskRunner>(owner);
    incognito = std::make_unique<TIncognitoCleaner>(incognitoFolder);
    if (desktop)
        instances = std::make_unique<TLinuxRunningInstances>(processList, *desktop);
}

TDesktopServices::~TDesktopServices() = default;

TDesktopWindows& TDesktopServices::Windows() {
    return desktop ? static_cast<TDesktopWindows&>(*desktop) : *noWindows_;
}

TKeySender& TDesktopServices::Keys() { return keyboard ? static_cast<TKeySender&>(*keyboard) : *noKeys_; }

} // namespace vantrelo
