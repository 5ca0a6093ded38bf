// Saved data stays private, symbolic links are written through, killed saves leave no litter, and
// writers in several processes never lose each other's changes.
#include "core/atomicfile.h"
#include "core/datafolder.h"
#include "core/filelock.h"
#include "core/settingsstore.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace vantrelo;

namespace {

mode_t ModeOf(const QString& path) {
    struct stat st {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0) << path.toStdString();
    return st.st_mode & 07777;
}

void SetMode(const QString& path, mode_t mode) { ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0); }

// Sets the process umask for one test and puts the old one back.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskScope() { ::umask(old_); }

private:
    mode_t old_;
};

bool IsLink(const QString& path) { return QFileInfo(path).isSymLink(); }

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System); }

struct Store {
    test::TempDir data, program;
    TPlaces places{data.Path(), program.Path()};
};

} // namespace

TEST(PrivateFiles, SavesAreOwnerOnlyWhateverTheUmask) {
    struct {
        mode_t umask;
        int existing; // -1: no file yet
        mode_t expected;
    } cases[] = {{022, -1, 0600}, {077, -1, 0600}, {0, -1, 0600}, {022, 0644, 0600},
                 {022, 0666, 0600}, {022, 0400, 0400}, {077, 0600, 0600}};
    for (const auto& c : cases) {
        test::TempDir dir;
        const QString path = dir.File("vantrelo.ini");
        if (c.existing >= 0) {
            test::WriteAll(path, "old");
            SetMode(path, mode_t(c.existing));
        }
        const UmaskScope mask(c.umask);
        ASSERT_TRUE(SaveFileAtomic(path, "new").ok);
        EXPECT_EQ(ModeOf(path), c.expected) << std::oct << c.umask << " " << c.existing;
    }
}

TEST(PrivateFiles, DocumentsTheUserNamesFollowTheUmaskAndKeepTheirMode) {
    test::TempDir dir;
    const UmaskScope mask(027);
    ASSERT_TRUE(SaveFileAtomic(dir.File("new.txt"), "x", {}, TFileAccess::Document).ok);
    EXPECT_EQ(ModeOf(dir.File("new.txt")), mode_t(0640));
    test::WriteAll(dir.File("old.txt"), "old");
    SetMode(dir.File("old.txt"), 0664);
    ASSERT_TRUE(SaveFileAtomic(dir.File("old.txt"), "x", {}, TFileAccess::Document).ok);
    EXPECT_EQ(ModeOf(dir.File("old.txt")), mode_t(0664));
}

TEST(PrivateFiles, SettingsBackupsAndNotesBackupsAreOwnerOnly) {
    Store s;
    const UmaskScope mask(022);
    TSettingsStore store(s.places);
    TUserData user;
    store.ReadSettings(user, nullptr);
    ASSERT_TRUE(store.WriteSettings(user).ok);
    test::WriteAll(s.places.dataFolder + "notes.txt", "a\r\nb\r\nc\r\nd\r\n");
    TBackupRequest request;
    request.force = true;
    request.notesFile = s.places.dataFolder + "notes.txt";
    ASSERT_TRUE(Backup(s.places, request));
    for (const char* name : {"vantrelo.ini", "vantrelo.ini.bak", "notes.txt.bak"})
        EXPECT_EQ(ModeOf(s.places.dataFolder + name), mode_t(0600)) << name;
}

TEST(PrivateFiles, TheDataFolderIsOwnerOnly) {
    test::TempDir home;
    const UmaskScope mask(022);
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.File("config")));
    const QString made = ResolveDataFolder(home.File("exe"));
    EXPECT_EQ(made, home.File("config/Vantrelo/"));
    EXPECT_EQ(ModeOf(made), mode_t(0700));
    // A folder an older version left open is closed; one the user names is left as it is.
    SetMode(made, 0755);
    EXPECT_EQ(ResolveDataFolder(home.File("exe")), made);
    EXPECT_EQ(ModeOf(made), mode_t(0700));
    qputenv("XDG_CONFIG_HOME", old);

    QDir().mkpath(home.File("mine"));
    SetMode(home.File("mine"), 0755);
    EXPECT_TRUE(MakePrivateFolder(home.File("mine"), false));
    EXPECT_EQ(ModeOf(home.File("mine")), mode_t(0755));
    EXPECT_TRUE(MakePrivateFolder(home.File("new/deeper"), false));
    EXPECT_EQ(ModeOf(home.File("new/deeper")), mode_t(0700));
    test::WriteAll(home.File("file"), "x");
    EXPECT_FALSE(MakePrivateFolder(home.File("file"), false));
}

TEST(SymlinkedFiles, ASaveReplacesTheTargetAndKeepsTheLink) {
    struct {
        const char* link;   // where the link points, relative or absolute ("@" is the folder)
        const char* target; // the file that must receive the save
    } cases[] = {{"real/vantrelo.ini", "real/vantrelo.ini"},
                 {"@real/vantrelo.ini", "real/vantrelo.ini"},
                 {"hop", "real/vantrelo.ini"}, // a chain: vantrelo.ini -> hop -> real/vantrelo.ini
                 {"real/missing.ini", "real/missing.ini"}};
    for (const auto& c : cases) {
        test::TempDir dir;
        QDir().mkpath(dir.File("real"));
        test::WriteAll(dir.File("real/vantrelo.ini"), "old");
        SetMode(dir.File("real/vantrelo.ini"), 0600);
        QString link = QLatin1String(c.link);
        if (link.startsWith(u'@'))
            link = dir.File(link.mid(1));
        if (link == QLatin1String("hop")) {
            ASSERT_TRUE(QFile::link("real/vantrelo.ini", dir.File("hop")));
        }
        ASSERT_EQ(::symlink(QFile::encodeName(link).constData(), QFile::encodeName(dir.File("vantrelo.ini")).constData()), 0);

        EXPECT_EQ(SaveTarget(dir.File("vantrelo.ini")), dir.File(c.target)) << c.link;
        ASSERT_TRUE(SaveFileAtomic(dir.File("vantrelo.ini"), "new").ok) << c.link;
        EXPECT_TRUE(IsLink(dir.File("vantrelo.ini"))) << c.link;
        EXPECT_EQ(test::ReadAll(dir.File(c.target)), QByteArray("new")) << c.link;
        EXPECT_EQ(test::ReadAll(dir.File("vantrelo.ini")), QByteArray("new")) << c.link;
        EXPECT_TRUE(FilesIn(dir.File("real")).filter(".tmp").isEmpty()) << c.link;
    }
}

TEST(StaleSaveFiles, OnlyOurOwnUnlockedTemporaryFilesGo) {
    test::TempDir dir;
    const QStringList stale{"vantrelo.ini.a1B2c3.tmp", "scancache.dat.ZZZZZZ.tmp", ".hidden.ini.000000.tmp"};
    const QStringList kept{"notes.tmp", "vantrelo.ini.a1B2c.tmp", "vantrelo.ini.a1-2c3.tmp", ".abcdef.tmp",
                           "vantrelo.ini", "busy.ini.QWERTY.tmp", "linked.ini.LLLLLL.tmp"};
    for (const QString& name : stale + kept)
        if (name != QLatin1String("linked.ini.LLLLLL.tmp"))
            test::WriteAll(dir.File(name), "x");
    ASSERT_TRUE(QFile::link(dir.File("vantrelo.ini"), dir.File("linked.ini.LLLLLL.tmp")));
    // A save in progress in another process holds a lock on its temporary file.
    const int busy = ::open(QFile::encodeName(dir.File("busy.ini.QWERTY.tmp")).constData(), O_RDONLY);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);

    EXPECT_EQ(RemoveStaleSaveFiles(dir.Path()), int(stale.size()));
    QStringList expected = kept;
    expected.sort();
    QStringList left = FilesIn(dir.Path());
    left.sort();
    EXPECT_EQ(left, expected);
    ::close(busy);
    EXPECT_EQ(RemoveStaleSaveFiles(dir.Path()), 1);
}

TEST(StaleSaveFiles, StartingTheStoreSweepsTheDataFolder) {
    Store s;
    test::WriteAll(s.places.SettingsFile(), "[Setup]\r\nhide=0\r\n");
    test::WriteAll(s.places.dataFolder + "vantrelo.ini.Xy12Zw.tmp", QByteArray(85 * 1024, 'k'));
    TSettingsStore store(s.places);
    TUserData user;
    store.ReadSettings(user, nullptr);
    EXPECT_FALSE(user.settings.hide);
    EXPECT_TRUE(FilesIn(s.places.dataFolder).filter(".tmp").isEmpty());
}

TEST(StaleSaveFiles, ASaveNeverLosesItsTemporaryFileToTheSweep) {
    test::TempDir dir;
    std::atomic<bool> stop{false};
    std::thread sweeper([&] {
        while (!stop)
            RemoveStaleSaveFiles(dir.Path());
    });
    int failures = 0;
    for (int i = 0; i < 100; ++i)
        failures += SaveFileAtomic(dir.File("vantrelo.ini"), QByteArray::number(i)).ok ? 0 : 1;
    stop = true;
    sweeper.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(test::ReadAll(dir.File("vantrelo.ini")), QByteArray("99"));
}

TEST(Writers, ParallelReadModifyWriteKeepsEveryChange) {
    Store s;
    constexpr int kWriters = 20;
    std::vector<std::thread> writers;
    for (int i = 0; i < kWriters; ++i)
        writers.emplace_back([&s, i] {
            TSettingsStore store(s.places);
            const TSettingsStore::THold hold = store.Hold();
            TUserData user;
            store.ReadSettings(user, nullptr);
            user.keywords.Add(MakeNewKeyword(QStringLiteral("kw%1").arg(i), QStringLiteral("cmd"), QString()));
            ASSERT_TRUE(store.WriteSettings(user).ok);
        });
    for (std::thread& t : writers)
        t.join();
    TSettingsStore store(s.places);
    TUserData user;
    store.ReadSettings(user, nullptr);
    for (int i = 0; i < kWriters; ++i)
        EXPECT_NE(user.keywords.FindKeyword(QStringLiteral("kw%1").arg(i), false), nullptr) << i;
}

TEST(Writers, TheLockExcludesOtherHoldersUntilReleased) {
    test::TempDir dir;
    TFileLock a(dir.File("x.lock")), b(dir.File("x.lock"));
    ASSERT_TRUE(a.Lock());
    EXPECT_FALSE(b.TryLock());
    EXPECT_FALSE(b.TryLock(true));
    a.Unlock();
    EXPECT_TRUE(b.TryLock(true));
    EXPECT_TRUE(a.TryLock(true)); // shared holders coexist
    EXPECT_EQ(ModeOf(dir.File("x.lock")), mode_t(0600));
    TFileLock nowhere(dir.File("missing/x.lock"));
    QString error;
    EXPECT_FALSE(nowhere.Lock(&error));
    EXPECT_TRUE(error.contains("missing/x.lock"));
}
