// A recording fake of the window's side of the commands, and a dispatcher wired to it and the system fakes.
#pragma once

#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "support/desktopfakes.h"
#include "support/execfakes.h"

#include <QStringList>

namespace vantrelo::test {

struct TFakeCommandHost final : TCommandHost {
    TCallLog& log;
    bool writeOk = true;
    TBackupRequest backup;
    explicit TFakeCommandHost(TCallLog& l) : log(l) {}
    void ShowToast(const QString& t) override { log.Add(QStringLiteral("toast:") + t); }
    void ShowFailure(const QString& m) override { log.Add(QStringLiteral("failure:") + m); }
    void SetStatePanel() override { log.Add(QStringLiteral("statepanel")); }
    void SetDesign() override { log.Add(QStringLiteral("design")); }
    void ResetCurrentSearch() override { log.Add(QStringLiteral("reset")); }
    void MoveInputWindow(int x, int y) override { log.Add(QStringLiteral("move:%1,%2").arg(x).arg(y)); }
    void HideListWindow() override { log.Add(QStringLiteral("hidelist")); }
    void CloseMainWindow() override { log.Add(QStringLiteral("close")); }
    void ReArmKeyboardHook() override { log.Add(QStringLiteral("hook")); }
    void SetIncognitoMode(bool on, bool toggle) override {
        log.Add(QStringLiteral("incognito:%1,%2").arg(int(on)).arg(int(toggle)));
    }
    bool WriteSettings(QString* error) override {
        log.Add(QStringLiteral("write"));
        if (!writeOk && error)
            *error = QStringLiteral("vantrelo.ini could not be saved");
        return writeOk;
    }
    TBackupRequest BackupRequest() const override { return backup; }
    bool ActivateLastActive() override {
        log.Add(QStringLiteral("lastactive"));
        return hasLastActive;
    }
    bool hasLastActive = true; // false: summoned while no window was active
};

// Every notice of a countdown or an alarm, as "caption|text".
struct TFakeNotices final : TNoticeHost {
    QStringList shown;
    std::function<void()> onNotify;
    void Notify(const QString& caption, const QString& text) override {
        shown << caption + u'|' + text;
        if (onNotify)
            onNotify();
    }
};

// A dispatcher over fakes; `Dispatch` runs a keyword's command as the pipeline would.
struct TCommandFixture {
    TExecFakes fx;
    TCallLog log;
    TFakeCommandHost host{log};
    TFakeSystem system{log};
    TFakeLauncher launcher{log};
    TFakeDesktop desktop;
    TFakeWindowHost windowHost;
    TFakeScheduler scheduler;
    TFakeNotices notices;
    bool closing = false;
    TCommandDispatcher dispatcher{MakeServices()};

    TCommandServices MakeServices() {
        TCommandServices s;
        s.settings = &fx.settings;
        s.exec = &fx.ctx;
        s.host = &host;
        s.launcher = &launcher;
        s.power = &system;
        s.session = &system;
        s.trash = &system;
        s.volume = &system;
        s.disc = &system;
        s.desktop = {&desktop, &desktop, &desktop, &desktop, &windowHost, 999};
        s.time = {&fx.clock, &scheduler, &scheduler, &notices, &closing};
        s.places.dataFolder = QStringLiteral("/home/ann/.config/Vantrelo/");
        s.places.programFolder = QStringLiteral("/opt/vantrelo/");
        s.exeFolder = QStringLiteral("/opt/vantrelo/bin/");
        s.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        return s;
    }
    TInternalOutcome Dispatch(const QString& command, const QString& para = QString(), const TExeWord* exw = nullptr,
                         bool forcebrowser = false) {
        return dispatcher.CheckDoInternalCMD(command, para, false, exw, forcebrowser);
    }
    TInternalOutcome RunKeyword(const QString& command, const QString& parameters, const QString& para) {
        TExeWord w;
        w.keywords = QStringLiteral("k");
        w.command = command;
        w.parameters = parameters;
        return Dispatch(command, para, &w);
    }
    // The last text answered into the input line.
    QString Answer() const { return fx.input.newWords.empty() ? QString() : fx.input.newWords.back().text; }
};

} // namespace vantrelo::test
