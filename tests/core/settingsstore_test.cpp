// The whole settings file: first start, rescue, migration, safe mode, unreadable files, round trips.
#include "core/settingsstore.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

class FakePrompt : public TRescuePrompt {
public:
    explicit FakePrompt(TRescueChoice c) : choice(c) {}
    TRescueChoice AskRescue(const QString& caption, const QString& text) override {
        asked = caption + "|" + text;
        return choice;
    }
    TRescueChoice choice;
    QString asked;
};

struct Store {
    test::TempDir data, program;
    TPlaces places{data.Path(), program.Path()};
    TSettingsStore store{places};
    TUserData user;
};

} // namespace

TEST(SettingsStore, FirstStartTakesDefaultKeywordsAndDefaults) {
    Store s;
    test::WriteText(s.places.programFolder + "default.exc", "[W]\nkeywords=g\ncommand=x\n\n[W]\nkeywords=h\ncommand=y\n");
    const TLoadResult r = s.store.ReadSettings(s.user, nullptr);
    EXPECT_EQ(r.state, TLoadState::FirstStart);
    EXPECT_TRUE(r.NewInstallation());
    ASSERT_EQ(s.user.keywords.size(), 2);
    EXPECT_EQ(s.user.keywords.at(0).keywords, "g");
    EXPECT_EQ(s.user.settings.maxhistory, 100);
}

TEST(SettingsStore, SaveAndLoadRoundTripsByteForByte) {
    Store s;
    s.store.ReadSettings(s.user, nullptr);
    s.user.keywords.Add(MakeNewKeyword("k", "cmd $P$", "p"));
    s.user.history.AddToHistory("k one\r\ntwo", nullptr, false, false);
    s.user.settings.startup = "a,b";
    ASSERT_TRUE(s.store.WriteSettings(s.user).ok);
    const QByteArray first = test::ReadAll(s.places.SettingsFile());

    TSettingsStore again(s.places);
    TUserData loaded;
    EXPECT_EQ(again.ReadSettings(loaded, nullptr).state, TLoadState::Loaded);
    EXPECT_EQ(loaded.history.at(0).text, "k one\r\ntwo");
    EXPECT_EQ(loaded.settings.startup, "a,b");
    ASSERT_TRUE(again.WriteSettings(loaded).ok);
    EXPECT_EQ(test::ReadAll(s.places.SettingsFile()), first);
}

TEST(SettingsStore, UnknownKeysAreDroppedAndHistoryCanBeLeftOut) {
    Store s;
    test::WriteText(s.places.SettingsFile(), "[History]\nH0=x\n\n[Setup]\nversion=20400\nmystery=1\nsavehistory=0\n");
    s.store.ReadSettings(s.user, nullptr);
    ASSERT_TRUE(s.store.WriteSettings(s.user).ok);
    const QByteArray bytes = test::ReadAll(s.places.SettingsFile());
    EXPECT_FALSE(bytes.contains("mystery"));
    EXPECT_FALSE(bytes.contains("[History]"));
}

// A section no part of the program reads (a newer version's, the user's own) survives every save.
TEST(SettingsStore, UnknownSectionsAreKept) {
    Store s;
    test::WriteText(s.places.SettingsFile(),
                    "[Setup]\nversion=20400\n\n[Plugin]\ncolour=blue\npath=/opt/x {BR} y\n\n[History]\nH0=x\n");
    s.store.ReadSettings(s.user, nullptr);
    s.user.keywords.Add(MakeNewKeyword("k", "cmd", QString()));
    ASSERT_TRUE(s.store.WriteSettings(s.user).ok);
    ASSERT_TRUE(s.store.WriteSettings(s.user).ok);
    const QByteArray bytes = test::ReadAll(s.places.SettingsFile());
    EXPECT_TRUE(bytes.contains("[Plugin]")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("colour=blue"));
    EXPECT_TRUE(bytes.contains("path=/opt/x {BR} y"));
    EXPECT_TRUE(bytes.contains("keywords=k"));
    TSettingsStore again(s.places);
    TUserData loaded;
    again.ReadSettings(loaded, nullptr);
    ASSERT_TRUE(again.WriteSettings(loaded).ok);
    EXPECT_EQ(test::ReadAll(s.places.SettingsFile()), bytes);
}

TEST(SettingsStore, RescueChoices) {
    struct {
        TRescueChoice choice;
        TLoadState state;
        bool settingsCreated;
    } cases[] = {{TRescueChoice::Restore, TLoadState::Restored, true},
                 {TRescueChoice::Ignore, TLoadState::Ignored, false},
                 {TRescueChoice::OpenFolder, TLoadState::Quit, false}};
    for (const auto& c : cases) {
        Store s;
        test::WriteText(s.places.BackupFile(), "[W]\nkeywords=saved\ncommand=x\n\n[Setup]\nhotkey=65\n");
        FakePrompt prompt(c.choice);
        const TLoadResult r = s.store.ReadSettings(s.user, &prompt);
        EXPECT_EQ(r.state, c.state);
        EXPECT_TRUE(prompt.asked.startsWith("Vantrelo settings file problem|Now this is a bit odd.."));
        EXPECT_TRUE(prompt.asked.contains(s.places.BackupFile()));
        EXPECT_EQ(QFileInfo::exists(s.places.SettingsFile()), c.settingsCreated);
        if (c.state == TLoadState::Restored) {
            EXPECT_EQ(s.user.settings.hotkey, 65);
            EXPECT_EQ(s.user.keywords.at(0).keywords, "saved");
            EXPECT_TRUE(s.store.Trusted());
        }
        if (c.state == TLoadState::Quit) {
            EXPECT_FALSE(s.store.WriteSettings(s.user).ok);
        }
        if (c.state == TLoadState::Ignored) {
            EXPECT_FALSE(s.store.Trusted());
        }
    }
}

TEST(SettingsStore, OldVersionLeavesAMigrationCopy) {
    Store s;
    test::WriteText(s.places.SettingsFile(), "[Setup]\nversion=19999\n");
    const TLoadResult r = s.store.ReadSettings(s.user, nullptr);
    EXPECT_TRUE(r.migrated);
    EXPECT_TRUE(QFileInfo::exists(s.places.SettingsFile() + ".migrate.backup.20400"));

    Store fresh;
    fresh.store.ReadSettings(fresh.user, nullptr);
    EXPECT_FALSE(QFileInfo::exists(fresh.places.SettingsFile() + ".migrate.backup.20400"));
}

TEST(SettingsStore, SafeModeOverridesAreNeverWritten) {
    Store s;
    test::WriteText(s.places.SettingsFile(), "[Setup]\nversion=20400\nignorenetwork=0\nskinname=/my.skn\n");
    s.store.ReadSettings(s.user, nullptr);
    s.store.ApplySafeMode(s.user.settings);
    EXPECT_TRUE(s.user.settings.ignorenetwork);
    EXPECT_TRUE(s.user.settings.skinname.isEmpty());
    s.user.settings.hotkey = 70;
    ASSERT_TRUE(s.store.WriteSettings(s.user).ok);
    TUserData back;
    TSettingsStore(s.places).ReadSettings(back, nullptr);
    EXPECT_FALSE(back.settings.ignorenetwork);
    EXPECT_EQ(back.settings.skinname, "/my.skn");
    EXPECT_EQ(back.settings.hotkey, 70);
}

TEST(SettingsStore, AnUnreadableFileIsNeverOverwritten) {
    Store s;
    // A folder in the file's place exists but cannot be read as a file (permissions do not stop root).
    ASSERT_TRUE(QDir().mkpath(s.places.SettingsFile()));
    const TLoadResult r = s.store.ReadSettings(s.user, nullptr);
    EXPECT_EQ(r.state, TLoadState::ReadFailed);
    const TSaveResult w = s.store.WriteSettings(s.user);
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.error.contains("could not be read"));
    EXPECT_TRUE(QFileInfo(s.places.SettingsFile()).isDir());
}
