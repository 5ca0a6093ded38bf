// The Linux trash, sound server, eject and network implementations, against temporary folders and a
// recording launcher (no sound, power or drive is touched).
#include "platform/linux/systemcontrol_linux.h"
#include "support/systemfakes.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QNetworkInterface>

#include <gtest/gtest.h>

using namespace vantrelo;
using namespace vantrelo::test;

TEST(FreedesktopTrash, EmptiesFilesAndInfoWithoutFollowingLinks) {
    TempDir dir;
    const QString trash = dir.File(QStringLiteral("Trash"));
    const QString keep = dir.File(QStringLiteral("keep.txt"));
    WriteAll(keep, "mine");
    QDir().mkpath(trash + QStringLiteral("/files/folder/sub"));
    QDir().mkpath(trash + QStringLiteral("/info"));
    WriteAll(trash + QStringLiteral("/files/folder/sub/a.txt"), "a");
    WriteAll(trash + QStringLiteral("/files/.hidden"), "h");
    WriteAll(trash + QStringLiteral("/info/folder.trashinfo"), "[Trash Info]");
    WriteAll(trash + QStringLiteral("/directorysizes"), "1 2 folder");
    ASSERT_TRUE(QFile::link(dir.Path(), trash + QStringLiteral("/files/link")));

    TFreedesktopTrash t({trash, dir.File(QStringLiteral("missing"))});
    EXPECT_TRUE(t.EmptyTrash().ok);
    EXPECT_TRUE(QDir(trash + QStringLiteral("/files")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_TRUE(QDir(trash + QStringLiteral("/info")).isEmpty());
    EXPECT_FALSE(QFile::exists(trash + QStringLiteral("/directorysizes")));
    EXPECT_EQ(ReadAll(keep), QByteArray("mine"));
}

TEST(FreedesktopTrash, MovesAnEntryWithItsInfoAndNeverOverwritesOne) {
    TempDir dir;
    const QString trash = dir.File(QStringLiteral("Trash"));
    const QString file = dir.File(QStringLiteral("my notes.txt"));
    WriteAll(file, "one");
    TFreedesktopTrash t({trash});
    ASSERT_TRUE(t.MoveToTrash(file).ok);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(ReadAll(trash + QStringLiteral("/files/my notes.txt")), QByteArray("one"));
    const QByteArray info = ReadAll(trash + QStringLiteral("/info/my notes.txt.trashinfo"));
    EXPECT_TRUE(info.startsWith("[Trash Info]\nPath="));
    EXPECT_TRUE(info.contains("my%20notes.txt\nDeletionDate=")) << info.constData();

    // A second file of the same name gets a name of its own; the first stays.
    WriteAll(file, "two");
    ASSERT_TRUE(t.MoveToTrash(file).ok);
    EXPECT_EQ(ReadAll(trash + QStringLiteral("/files/my notes.txt")), QByteArray("one"));
    EXPECT_EQ(ReadAll(trash + QStringLiteral("/files/my notes.txt.2")), QByteArray("two"));
    EXPECT_TRUE(QFile::exists(trash + QStringLiteral("/info/my notes.txt.2.trashinfo")));

    // A folder goes whole.
    QDir().mkpath(dir.File(QStringLiteral("folder/sub")));
    ASSERT_TRUE(t.MoveToTrash(dir.File(QStringLiteral("folder/"))).ok);
    EXPECT_TRUE(QFileInfo(trash + QStringLiteral("/files/folder/sub")).isDir());

    const TSystemResult missing = t.MoveToTrash(dir.File(QStringLiteral("nothing")));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.message.isEmpty());
}

TEST(FreedesktopTrash, TheHomeTrashComesFirst) {
    const QStringList folders = TFreedesktopTrash::UserTrashFolders();
    ASSERT_FALSE(folders.isEmpty());
    EXPECT_TRUE(folders.front().endsWith(QStringLiteral("/Trash")));
}

TEST(SoundServerVolume, ReadsPactlAndFallsBackToWpctl) {
    EXPECT_NEAR(*ParsePactlVolume(QStringLiteral("Volume: front-left: 42598 /  65% / -11.23 dB,   front-right: 42598 /  "
                                                 "65% / -11.23 dB\n")),
                0.65, 1e-9);
    EXPECT_NEAR(*ParseWpctlVolume(QStringLiteral("Volume: 0.40 [MUTED]\n")), 0.40, 1e-9);
    EXPECT_FALSE(ParsePactlVolume(QStringLiteral("Connection failure: Connection refused")).has_value());

    TFakeLauncher launcher;
    launcher.answers[QStringLiteral("wpctl")] = {true, "Volume: 0.25\n"};
    TSoundServerVolume volume(launcher);
    EXPECT_NEAR(volume.Level().value_or(-1), 0.25, 1e-9);
    launcher.answers[QStringLiteral("wpctl")] = {true, ""};
    EXPECT_TRUE(volume.SetLevel(0.5).ok);
    EXPECT_EQ(launcher.calls.back(), QStringLiteral("wpctl set-volume @DEFAULT_AUDIO_SINK@ 0.50"));

    launcher.answers[QStringLiteral("pactl")] = {true, "Connection failure: Connection refused\n"};
    const TSystemResult r = volume.ToggleMute();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, QStringLiteral("Connection failure: Connection refused"));
    EXPECT_EQ(launcher.calls.back(), QStringLiteral("pactl set-sink-mute @DEFAULT_SINK@ toggle"));

    TFakeLauncher none;
    TSoundServerVolume silent(none);
    EXPECT_FALSE(silent.Level().has_value());
    EXPECT_FALSE(silent.ToggleMute().ok);
}

TEST(EjectDrive, ArgumentsForTheDefaultANameOrAPath) {
    EXPECT_EQ(EjectArguments(QString(), false), QStringList());
    EXPECT_EQ(EjectArguments(QStringLiteral("d"), true), QStringList{QStringLiteral("-t")});
    EXPECT_EQ(EjectArguments(QStringLiteral("sr0"), false), QStringList{QStringLiteral("/dev/sr0")});
    EXPECT_EQ(EjectArguments(QStringLiteral("/dev/cdrom"), true), (QStringList{QStringLiteral("-t"), QStringLiteral("/dev/cdrom")}));
    TFakeLauncher launcher;
    TEjectDrive(launcher).Eject(QStringLiteral("sr1"), false);
    EXPECT_EQ(launcher.calls, QStringList{QStringLiteral("eject /dev/sr1")});
}

TEST(LinuxNetworkInfo, ListsNoLoopbackAddress) {
    // What the machine has: the IPv4 addresses of the interfaces that are up, loopback apart.
    QStringList others, loopback;
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning))
            continue;
        for (const QNetworkAddressEntry& e : nic.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                (flags.testFlag(QNetworkInterface::IsLoopBack) ? loopback : others) << e.ip().toString();
    }
    const QStringList ips = TLinuxNetworkInfo().LocalIPv4Addresses();
    for (const QString& ip : ips) {
        EXPECT_FALSE(ip.startsWith(QStringLiteral("127."))) << ip.toStdString();
        EXPECT_FALSE(loopback.contains(ip)) << ip.toStdString();
        EXPECT_EQ(ip.count(QLatin1Char('.')), 3);
    }
    if (others.isEmpty())
        GTEST_SKIP() << "no interface besides loopback is up with an IPv4 address";
    EXPECT_FALSE(ips.isEmpty());
    for (const QString& ip : others)
        EXPECT_TRUE(ips.contains(ip)) << ip.toStdString();
}
