// Recording fakes of the window and the system services, and a dispatcher wired to them.
#pragma once

#include "../exec/execfakes.h"
#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "platform/discdrive.h"
#include "platform/power.h"
#include "platform/processlauncher.h"
#include "platform/sessioncontrol.h"
#include "platform/trash.h"
#include "platform/volumecontrol.h"

#include <QStringList>

namespace vantrelo::test {

// Every call of the window and the system, in order, as one readable log.
struct TCallLog {
    QStringList calls;
    void Add(const QString& c) { calls << c; }
};

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
};

// Power, session, trash, volume and drive in one recorder; `refuse` makes every request fail.
struct TFakeSystem final : TPowerControl, TSessionControl, TTrash, TVolumeControl, TDiscDrive {
    TCallLog& log;
    bool refuse = false;
    std::optional<double> level = 0.5;
    explicit TFakeSystem(TCallLog& l) : log(l) {}
    TSystemResult Do(const QString& what) {
        log.Add(what);
        return refuse ? TSystemResult::Failed(QStringLiteral("refused: ") + what) : TSystemResult::Done();
    }
    TSystemResult LogOff() override { return Do(QStringLiteral("logoff")); }
    TSystemResult Suspend() override { return Do(QStringLiteral("suspend")); }
    TSystemResult Hibernate() override { return Do(QStringLiteral("hibernate")); }
    TSystemResult Reboot() override { return Do(QStringLiteral("reboot")); }
    TSystemResult PowerOff() override { return Do(QStringLiteral("poweroff")); }
    TSystemResult LockSession() override { return Do(QStringLiteral("lock")); }
    TSystemResult StartScreenSaver() override { return Do(QStringLiteral("screensaver")); }
    TSystemResult MonitorOff() override { return Do(QStringLiteral("monitoroff")); }
    TSystemResult EmptyTrash() override { return Do(QStringLiteral("emptytrash")); }
    TSystemResult MoveToTrash(const QString& path) override { return Do(QStringLiteral("trash:") + path); }
    std::optional<double> Level() override { return level; }
    TSystemResult SetLevel(double l) override {
        if (!refuse)
            level = l;
        return Do(QStringLiteral("volume:%1").arg(qRound(l * 100)));
    }
    TSystemResult ToggleMute() override { return Do(QStringLiteral("mute")); }
    TSystemResult Eject(const QString& device, bool close) override {
        return Do(QStringLiteral("eject:%1,%2").arg(device).arg(int(close)));
    }
};

struct TFakeLauncher final : TProcessLauncher {
    TCallLog& log;
    int code = kLaunchStarted;
    explicit TFakeLauncher(TCallLog& l) : log(l) {}
    TSpawnResult Spawn(const TSpawnRequest& r) override {
        log.Add(QStringLiteral("spawn:") + r.program + QLatin1Char(' ') + r.args.join(QLatin1Char(' ')));
        return {code, 1, QString()};
    }
    TSpawnResult OpenWithDesktop(const QString& target) override {
        log.Add(QStringLiteral("open:") + target);
        return {code, 1, code > kLaunchFailed ? QString() : QStringLiteral("cannot open")};
    }
    TCaptureResult Capture(const TSpawnRequest&, int, qsizetype) override { return {}; }
};

// A dispatcher over fakes; `Dispatch` runs a keyword's command as the pipeline would.
struct TCommandFixture {
    TExecFakes fx;
    TCallLog log;
    TFakeCommandHost host{log};
    TFakeSystem system{log};
    TFakeLauncher launcher{log};
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
