// Data folder choice, the backup age rule, untrusted files, and incognito decisions and cleanup.
#include "core/autostart.h"
#include "core/datafolder.h"
#include "core/incognito.h"

#include "support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <atomic>

using namespace vantrelo;

namespace {

void SetAge(const QString& path, int days) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
}

} // namespace

TEST(DataFolder, PortableWhenSettingsSitBesideTheProgram) {
    test::TempDir exe, config;
    qputenv("XDG_CONFIG_HOME", config.Path().toUtf8());
    EXPECT_EQ(ResolveDataFolder(exe.Path()), config.Path() + "Vantrelo/");
    EXPECT_TRUE(QFileInfo(config.Path() + "Vantrelo").isDir());
    test::WriteText(exe.File("vantrelo.ini"), "[Setup]\n");
    EXPECT_EQ(ResolveDataFolder(exe.Path()), exe.Path());
    qunsetenv("XDG_CONFIG_HOME");
}

// Shipped files come from beside the executable, else from the prefix the executable is installed in.
TEST(DataFolder, ProgramFolderBesideTheExecutableOrInItsPrefix) {
    const struct {
        const char* shipped; // where default.exc lies, below the temporary root; "" for nowhere
        const char* expected;
    } cases[] = {
        {"usr/bin/", "usr/bin/"},
        {"usr/share/vantrelo/", "usr/share/vantrelo/"},
        {"", "usr/share/vantrelo/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shipped);
        test::TempDir root;
        ASSERT_TRUE(QDir().mkpath(root.File("usr/bin")));
        if (*c.shipped) {
            ASSERT_TRUE(QDir().mkpath(root.File(c.shipped)));
            test::WriteText(root.File(QString::fromLatin1(c.shipped) + "default.exc"), "[W]\n");
        }
        const QString found = ResolveProgramFolder(root.File("usr/bin"));
        // Nothing in the prefix: the folder the program was built for, if it is installed there.
        if (!*c.shipped && found != root.File(c.expected))
            EXPECT_TRUE(QFileInfo::exists(found + "default.exc")) << found.toStdString();
        else
            EXPECT_EQ(found, root.File(c.expected));
    }
}

TEST(DataFolder, BackupFollowsTheAgeRule) {
    struct {
        int backupAgeDays;
        bool refreshed;
    } cases[] = {{1, false}, {3, true}};
    for (const auto& c : cases) {
        test::TempDir data;
        TPlaces places{data.Path(), data.Path()};
        test::WriteAll(places.SettingsFile(), "new");
        test::WriteAll(places.BackupFile(), "old");
        SetAge(places.BackupFile(), c.backupAgeDays);
        EXPECT_TRUE(Backup(places, {}));
        EXPECT_EQ(test::ReadAll(places.BackupFile()), c.refreshed ? "new" : "old") << c.backupAgeDays;
    }
}

TEST(DataFolder, UntrustedSettingsNeverReplaceTheBackup) {
    test::TempDir data;
    TPlaces places{data.Path(), data.Path()};
    test::WriteAll(places.SettingsFile(), "defaults");
    test::WriteAll(places.BackupFile(), "the only good copy");
    SetAge(places.BackupFile(), 30);
    TBackupRequest request;
    request.settingsTrusted = false;
    EXPECT_TRUE(Backup(places, request));
    request.force = true;
    EXPECT_TRUE(Backup(places, request));
    EXPECT_EQ(test::ReadAll(places.BackupFile()), "the only good copy");
}

TEST(DataFolder, NotesBackupWantsMoreThanThreeLinesInTheWindow) {
    test::TempDir data;
    TPlaces places{data.Path(), data.Path()};
    test::WriteAll(data.File("notes.txt"), "a");
    TBackupRequest request;
    request.notesFile = data.File("notes.txt");
    request.notesWindowLines = 2;
    Backup(places, request);
    EXPECT_FALSE(QFileInfo::exists(data.File("notes.txt.bak")));
    request.notesWindowLines = 4;
    Backup(places, request);
    EXPECT_TRUE(QFileInfo::exists(data.File("notes.txt.bak")));
}

TEST(Incognito, CodesAndAll) {
    EXPECT_TRUE(IncognitoSuppresses(true, "1", "1"));
    EXPECT_FALSE(IncognitoSuppresses(false, "1", "1"));
    EXPECT_TRUE(IncognitoSuppresses(false, "1b", "B", true));
    EXPECT_FALSE(IncognitoSuppresses(true, "1", "2"));
    for (const char* code : {"1", "2", "3", "4", "5", "6", "b", "c", "i"})
        EXPECT_TRUE(IncognitoSuppresses(true, "ALL", code)) << code;
}

TEST(Incognito, CleanerRemovesTheFolderWithoutRealWaiting) {
    test::TempDir data;
    const QString folder = data.File("incognito");
    test::WriteAll(folder + "/Cache/x", "x");
    int slept = 0;
    TIncognitoCleaner cleaner(folder, [&](int ms) { slept += ms; });
    EXPECT_FALSE(cleaner.ClearIncognitoFolder(true, true)); // never while incognito is on
    EXPECT_FALSE(cleaner.ClearIncognitoFolder(false, false)); // nothing pending
    cleaner.SetPending(true);
    EXPECT_TRUE(cleaner.ClearIncognitoFolder(false, false));
    cleaner.Wait();
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_FALSE(cleaner.Pending());
    EXPECT_FALSE(cleaner.Running());
    EXPECT_EQ(slept, 500);
}

// Switching the mode: what becomes pending, when the folder goes, and the toast.
TEST(Incognito, SwitchingMarksAndRemovesTheBrowserFolder) {
    struct Case {
        const char* name;
        bool from, to;
        const char* config;
        bool folder;          // the folder exists before the switch
        bool pendingAfter;    // before the worker ran
        bool removed;
        const char* toast;
    };
    const Case cases[] = {
        {"on, browser data hidden", false, true, "b", false, true, false, "Incognito mode: enabled"},
        {"on, browser data kept", false, true, "1", false, false, false, "Incognito mode: enabled"},
        {"off with a folder left", true, false, "b", true, true, true, "Incognito mode: disabled"},
        {"off with a folder, other config", true, false, "1", true, true, true, "Incognito mode: disabled"},
        {"off without a folder", true, false, "all", false, false, false, "Incognito mode: disabled"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir data;
        const QString folder = data.File("incognito");
        if (c.folder)
            test::WriteAll(folder + "/Cache/x", "x");
        std::atomic<int> waits{0};
        TIncognitoCleaner cleaner(folder, [&](int) { ++waits; });
        bool incognito = c.from;
        EXPECT_EQ(SwitchIncognitoMode(incognito, c.config, c.to, cleaner), QString(c.toast));
        EXPECT_EQ(incognito, c.to);
        if (!c.removed) {
            EXPECT_EQ(cleaner.Pending(), c.pendingAfter);
        }
        cleaner.Wait();
        EXPECT_EQ(QFileInfo::exists(folder), c.folder && !c.removed);
        if (c.removed) {
            EXPECT_FALSE(cleaner.Pending());
            EXPECT_EQ(waits.load(), 1) << "a switch-off waits before its first attempt";
        }
    }
}

TEST(Incognito, StartRemovesAnEarlierRunsFolderOnlyWhileTheModeIsOff) {
    test::TempDir data;
    const QString folder = data.File("incognito");
    test::WriteAll(folder + "/Cache/x", "x");
    int waits = 0;
    TIncognitoCleaner cleaner(folder, [&](int) { ++waits; });
    EXPECT_FALSE(StartIncognitoCleanup(true, "b", cleaner));
    EXPECT_TRUE(cleaner.Pending()) << "kept for the switch-off";
    EXPECT_TRUE(QFileInfo::exists(folder));
    EXPECT_TRUE(StartIncognitoCleanup(false, "b", cleaner));
    cleaner.Wait();
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(waits, 0) << "at start the first attempt does not wait";
}

TEST(DesktopEntries, AutostartAndOpenWithComeAndGo) {
    test::TempDir config, share;
    qputenv("XDG_CONFIG_HOME", config.Path().toUtf8());
    qputenv("XDG_DATA_HOME", share.Path().toUtf8());
    ASSERT_TRUE(RegStartUp(true, "/opt/my apps/vantrelo"));
    const QByteArray entry = test::ReadAll(config.File("autostart/vantrelo.desktop"));
    EXPECT_TRUE(entry.contains("Exec=\"/opt/my apps/vantrelo\" -s\n"));
    ASSERT_TRUE(SetOpenWithEntry(true, "/opt/$x/vantrelo"));
    EXPECT_TRUE(test::ReadAll(share.File("applications/vantrelo-open.desktop")).contains("Exec=\"/opt/\\\\$x/vantrelo\" %F"));
    EXPECT_TRUE(RegStartUp(false, {}));
    EXPECT_TRUE(RegStartUp(false, {})); // already gone: still fine
    EXPECT_FALSE(QFileInfo::exists(config.File("autostart/vantrelo.desktop")));
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}
