// vantrelo-cli's notes verbs: lines added to the file, or handed to a running launcher.
#include "core/filelock.h"
#include "core/storechange.h"
#include "platform/instancechannel.h"
#include "support/clirunner.h"

#include <QFile>
#include <QTextStream>

#include <unistd.h>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

// Stands in for the instance socket and keeps what was sent.
struct TRecordingChannel final : TInstanceChannel {
    std::vector<TInstanceMessage> sent;
    TInstanceRole Claim(TInstanceMessageSink*, QString*) override { return TInstanceRole::Second; }
    bool Send(const std::vector<TInstanceMessage>& messages, QString*) override {
        sent.insert(sent.end(), messages.begin(), messages.end());
        return true;
    }
    bool Ask(const TInstanceMessage& message, int, QString* answer, QString*) override {
        sent.push_back(message);
        *answer = EncodeChangeAnswer({TChangeOutcome::Done, {}});
        return true;
    }
};

TEST(CliNotes, AddedLinesGoOnTopOfTheFileAndShowPrintsThem) {
    test::TCliRunner cli;
    EXPECT_EQ(cli({"notes", "show"}).out, "");
    EXPECT_EQ(cli({"notes", "add", "buy", "milk"}).out, "Notes updated\n");
    EXPECT_EQ(cli({"notes", "add", "call Anna"}).rc, 0);
    EXPECT_EQ(cli.File("notes.txt"), QByteArray("\xEF\xBB\xBF" "call Anna\r\nbuy milk"));
    EXPECT_EQ(cli({"notes", "show"}).out, "call Anna\nbuy milk\n");
    ASSERT_EQ(cli({"settings", "set", "notesaddbottom", "1"}).rc, 0);
    cli({"notes", "add", "last"});
    EXPECT_EQ(cli({"notes", "show"}).out, "call Anna\nbuy milk\nlast\n");
    EXPECT_EQ(cli({"notes", "add"}).rc, 2);
}

TEST(CliNotes, AChosenLocationIsExpandedAsTheLauncherExpandsIt) {
    test::TCliRunner cli;
    qputenv("VANTRELO_NOTES_TEST", cli.data.Path().toUtf8());
    ASSERT_EQ(cli({"settings", "set", "noteslocation", "%VANTRELO_NOTES_TEST%/elsewhere.txt"}).rc, 0);
    EXPECT_EQ(cli({"notes", "add", "here"}).rc, 0);
    qunsetenv("VANTRELO_NOTES_TEST");
    EXPECT_EQ(cli.File("elsewhere.txt"), QByteArray("\xEF\xBB\xBF" "here"));
}

TEST(CliNotes, ARunningLauncherGetsTheLineToAddItself) {
    test::TCliRunner cli;
    TFileLock launcher(LauncherLockFile(TPlaces{cli.data.Path(), cli.data.Path()}));
    ASSERT_TRUE(launcher.TryLock());
    TRecordingChannel channel;
    QString out, err;
    QTextStream o(&out), e(&err);
    EXPECT_EQ(cli::RunCli({"--data", cli.data.Path(), "notes", "add", "from a script"}, o, e, &channel), 0);
    ASSERT_EQ(channel.sent.size(), 1u);
    EXPECT_EQ(channel.sent[0].kind, TInstanceMessageKind::StoreChange);
    TStoreChange change;
    ASSERT_TRUE(DecodeStoreChange(channel.sent[0].text, change));
    EXPECT_EQ(change.kind, TStoreChange::TKind::AddNote);
    EXPECT_EQ(change.args, QStringList{"from a script"});
    EXPECT_EQ(change.dataFolder, RealDataFolder(cli.data.Path()));
    EXPECT_TRUE(cli.File("notes.txt").isEmpty()) << "the launcher owns the file while it runs";
}

// Another tool's probe of the launcher lock is no launcher: the line is written here.
TEST(CliNotes, AProbeOfTheLauncherLockIsNotTakenForARunningLauncher) {
    test::TCliRunner cli;
    TFileLock probe(LauncherLockFile(TPlaces{cli.data.Path(), cli.data.Path()}));
    ASSERT_TRUE(probe.TryLock(true));
    EXPECT_FALSE(LauncherRuns(TPlaces{cli.data.Path(), cli.data.Path()}));
    TRecordingChannel channel;
    QString out, err;
    QTextStream o(&out), e(&err);
    EXPECT_EQ(cli::RunCli({"--data", cli.data.Path(), "notes", "add", "probed"}, o, e, &channel), 0) << err.toStdString();
    EXPECT_TRUE(channel.sent.empty());
    EXPECT_EQ(cli.File("notes.txt"), QByteArray("\xEF\xBB\xBF" "probed"));
}

// A read-only data folder has no launcher: the line is refused there for what it is, and nothing
// is handed to a launcher of another folder.
TEST(CliNotes, AReadOnlyFolderIsNotTakenForARunningLauncher) {
    test::TCliRunner cli;
    ASSERT_EQ(cli({"notes", "add", "first"}).rc, 0);
    QFile::remove(cli.data.Path() + "vantrelo.run.lock");
    QFile::setPermissions(cli.data.Path(), QFile::ReadOwner | QFile::ExeOwner);
    TRecordingChannel channel;
    QString out, err;
    QTextStream o(&out), e(&err);
    const int rc = cli::RunCli({"--data", cli.data.Path(), "notes", "add", "second"}, o, e, &channel);
    QFile::setPermissions(cli.data.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(channel.sent.empty()) << "handed to a launcher that does not run on this folder";
    EXPECT_FALSE(out.contains("handed")) << out.toStdString();
    if (::geteuid() != 0) // root writes into read-only folders
        EXPECT_NE(rc, 0);
}

// Notes saved by an editor without a BOM, with one byte that is not UTF-8 (or a binary file): the
// tool never rewrites them, so nothing is garbled and nothing grows.
TEST(CliNotes, ANotesFileThatIsNotUtf8IsNeverRewritten) {
    test::TCliRunner cli;
    const QByteArray mixed("caf\xC3\xA9 \xFF list\n");
    test::WriteAll(cli.data.Path() + "notes.txt", mixed);
    EXPECT_NE(cli({"notes", "add", "more"}).rc, 0);
    EXPECT_EQ(cli.File("notes.txt"), mixed);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) & 0xFF));
    test::WriteAll(cli.data.Path() + "notes.txt", binary);
    EXPECT_NE(cli({"notes", "add", "more"}).rc, 0);
    EXPECT_EQ(cli.File("notes.txt"), binary);
}

} // namespace
} // namespace vantrelo
