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

} // namespace
} // namespace vantrelo
