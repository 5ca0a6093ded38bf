// Start-up and closing: the order of steps, safe mode, silent start and the start-up actions.
#include "platform/startup/startup.h"

#include "core/settings.h"
#include "support/testsupport.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct TRecordingStartupHost final : TStartupHost {
    QStringList calls;
    TSettings settings;
    TSettingsOutcome outcome = TSettingsOutcome::Loaded;
    bool hotkeyOk = true;
    TSettingsOutcome ReadSettings() override {
        calls << QStringLiteral("read");
        return outcome;
    }
    const TSettings& Settings() const override { return settings; }
    void ApplySafeMode() override { calls << QStringLiteral("safemode"); }
    void ImportKeywordsNow() override { calls << QStringLiteral("importnow"); }
    void CaptureLastActiveWindow() override { calls << QStringLiteral("lastactive"); }
    void ShowSafeModeNotice(const QString& t) override { calls << QStringLiteral("notice:") + t; }
    void OpenAppWizard() override { calls << QStringLiteral("wizard"); }
    void ApplyPriority(int p) override { calls << QStringLiteral("priority:%1").arg(p); }
    void PlaceWindow(bool centre) override { calls << QStringLiteral("place:%1").arg(centre); }
    void AddTrayIcon() override { calls << QStringLiteral("tray"); }
    void ApplySkin() override { calls << QStringLiteral("skin"); }
    bool RegisterGlobalHotkey() override {
        calls << QStringLiteral("hotkey");
        return hotkeyOk;
    }
    void RegisterKeywordHotkeys() override { calls << QStringLiteral("keywordhotkeys"); }
    void ShowWarning(const QString& c, const QString& t) override { calls << c + u':' + t; }
    void ArmKeyboardHook() override { calls << QStringLiteral("hook"); }
    void StartIndex() override { calls << QStringLiteral("index"); }
    void StartKeywordImport() override { calls << QStringLiteral("import"); }
    void WatchClipboard() override { calls << QStringLiteral("clipwatch"); }
    void ReadClipboardHistory() override { calls << QStringLiteral("cliphistory"); }
    void ShowInputWindow(bool v) override { calls << QStringLiteral("show:%1").arg(v); }
    void ExecuteInput(const QString& t) override { calls << QStringLiteral("exec:") + t; }
    void PutInput(const QString& t, bool sel) override { calls << QStringLiteral("put:%1:").arg(sel) + t; }
    void HandleFile(const QString& p) override { calls << QStringLiteral("file:") + p; }
};

TStartup Start(TRecordingStartupHost& host, QStringList args) {
    return TStartup(ParseCommandLine(args), host);
}

TEST(Startup, NormalStartInOrder) {
    TRecordingStartupHost host;
    host.settings.startup = QStringLiteral("g news, ,calc");
    TStartup s = Start(host, {QStringLiteral("-r"), QStringLiteral("g cats")});
    ASSERT_TRUE(s.CreateInputWindow());
    s.RunStartupActions();
    EXPECT_EQ(host.calls.join(u';'),
              QStringLiteral("read;lastactive;skin;hotkey;keywordhotkeys;hook;place:0;index;clipwatch;cliphistory;"
                             "show:1;exec:g cats;exec:g news;exec:calc"));
}

TEST(Startup, SafeModeLeavesOutHookIndexClipboardAndActions) {
    TRecordingStartupHost host;
    host.settings.startup = QStringLiteral("g news");
    host.settings.importurl = QStringLiteral("https://x.org/k.exc");
    host.settings.importurlfast = true;
    TStartup s = Start(host, {QStringLiteral("-SAFEMODE")});
    ASSERT_TRUE(s.CreateInputWindow());
    s.RunStartupActions();
    EXPECT_EQ(host.calls.join(u';'), QStringLiteral("read;safemode;notice: Started in safemode;skin;hotkey;keywordhotkeys;"
                                                    "place:1;clipwatch;show:1"));
}

TEST(Startup, FirstRunWizardPriorityTrayImportAndHotkeyWarning) {
    TRecordingStartupHost host;
    host.outcome = TSettingsOutcome::NewInstallation;
    host.hotkeyOk = false;
    host.settings.priority = 1;
    host.settings.alwaystrayicon = true;
    host.settings.importurl = QStringLiteral("https://x.org/k.exc");
    host.settings.clipboardsniffer = false;
    TStartup s = Start(host, {});
    ASSERT_TRUE(s.CreateInputWindow());
    EXPECT_EQ(host.calls.join(u';'), QStringLiteral("read;lastactive;wizard;priority:1;tray;skin;hotkey;"
                                                    "Warning:Unable to assign hotkey.;keywordhotkeys;hook;place:1;"
                                                    "index;import;cliphistory;show:1"));
}

TEST(Startup, SilentStartStaysHiddenOnlyWithAutoHide) {
    for (bool hide : {true, false}) {
        TRecordingStartupHost host;
        host.settings.hide = hide;
        TStartup s = Start(host, {QStringLiteral("-s")});
        ASSERT_TRUE(s.CreateInputWindow());
        EXPECT_EQ(host.calls.last(), hide ? QStringLiteral("show:0") : QStringLiteral("show:1"));
    }
}

TEST(Startup, QuitFromTheRescueEndsTheStart) {
    TRecordingStartupHost host;
    host.outcome = TSettingsOutcome::Quit;
    TStartup s = Start(host, {});
    EXPECT_FALSE(s.CreateInputWindow());
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("read")});
}

TEST(Startup, InputOptionsAndFileAtFirstPaint) {
    TRecordingStartupHost selHost;
    Start(selHost, {QStringLiteral("-I"), QStringLiteral("hello")}).RunStartupActions();
    EXPECT_EQ(selHost.calls, QStringList{QStringLiteral("put:1:hello")});

    test::TempDir dir;
    TRecordingStartupHost fileHost;
    TStartup file = Start(fileHost, {dir.Path()});
    ASSERT_TRUE(file.CreateInputWindow());
    fileHost.calls.clear();
    file.FirstPaint();
    file.FirstPaint(); // handed over once
    EXPECT_EQ(fileHost.calls, QStringList{QStringLiteral("file:") + QFileInfo(dir.Path()).absoluteFilePath()});

    TRecordingStartupHost missingHost;
    TStartup missing = Start(missingHost, {dir.File(QStringLiteral("nothing.txt"))});
    ASSERT_TRUE(missing.CreateInputWindow());
    missingHost.calls.clear();
    missing.FirstPaint();
    EXPECT_TRUE(missingHost.calls.isEmpty());
}

struct TRecordingShutdownHost final : TShutdownHost {
    QStringList calls;
    TSettings settings;
    bool dialog = false;
    bool SettingsDialogOpen() const override { return dialog; }
    void StopTimers() override { calls << QStringLiteral("timers"); }
    void StopKeyboardHook() override { calls << QStringLiteral("hook"); }
    bool WaitForWorkers(int ms) override {
        calls << QStringLiteral("workers:%1").arg(ms);
        return true;
    }
    void CloseListWindow() override { calls << QStringLiteral("list"); }
    TSettings& Settings() override { return settings; }
    void WriteSettings() override { calls << QStringLiteral("write:%1").arg(settings.shutdowns); }
    void Backup() override { calls << QStringLiteral("backup"); }
    void SaveNotes() override { calls << QStringLiteral("notes"); }
    void SaveClipboardHistory() override { calls << QStringLiteral("clips"); }
    void SaveIndexCache() override { calls << QStringLiteral("cache"); }
    void UnregisterHotkeys() override { calls << QStringLiteral("hotkeys"); }
    void RemoveTrayIcon() override { calls << QStringLiteral("tray"); }
    void OpenPath(const QString& p) override { calls << QStringLiteral("open:") + p; }
};

TEST(Shutdown, ClosesInOrderOnceAndOpensTheFileLast) {
    TRecordingShutdownHost host;
    host.settings.shutdowns = 4;
    TShutdown stop(false);
    stop.OpenAfterClose(QStringLiteral("/data/vantrelo.ini"));
    ASSERT_TRUE(stop.Close(host));
    EXPECT_FALSE(stop.Close(host));
    EXPECT_TRUE(stop.Closing());
    EXPECT_EQ(host.calls.join(u';'), QStringLiteral("timers;hook;workers:60000;list;notes;write:5;backup;clips;cache;hotkeys;"
                                                    "tray;open:/data/vantrelo.ini"));
}

TEST(Shutdown, RefusedWhileTheSettingsDialogIsOpenAndNoCacheInSafeMode) {
    TRecordingShutdownHost host;
    host.dialog = true;
    TShutdown stop(true);
    EXPECT_FALSE(stop.Close(host));
    EXPECT_FALSE(stop.Closing());
    host.dialog = false;
    ASSERT_TRUE(stop.Close(host));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("cache")));
}

} // namespace
} // namespace vantrelo
