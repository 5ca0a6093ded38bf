// vantrelo-cli over a data folder: settings, keywords, history, and refusals that change nothing.
#include "cli/cli.h"

#include "support/testsupport.h"

#include <QFileInfo>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

struct CliRun {
    int rc;
    QString out, err;
};

struct Cli {
    test::TempDir data;
    CliRun operator()(QStringList args) {
        args.prepend(data.Path());
        args.prepend("--data");
        CliRun r;
        QTextStream out(&r.out), err(&r.err);
        r.rc = cli::RunCli(args, out, err);
        out.flush();
        err.flush();
        return r;
    }
    QByteArray File() { return test::ReadAll(data.File("vantrelo.ini")); }
};

} // namespace

TEST(CliStore, SettingsGetSetList) {
    Cli cli;
    EXPECT_EQ(cli({"settings", "get", "hide"}).out, "1\n");
    EXPECT_EQ(cli({"settings", "set", "hide", "0"}).rc, 0);
    EXPECT_EQ(cli({"settings", "get", "HIDE"}).out, "0\n");
    const CliRun list = cli({"settings", "list"});
    EXPECT_TRUE(list.out.contains("\nhotkey=90\n"));
    EXPECT_TRUE(list.out.contains("\nhide=0\n"));
}

TEST(CliStore, BadInputChangesNothing) {
    Cli cli;
    ASSERT_EQ(cli({"settings", "set", "hide", "0"}).rc, 0);
    ASSERT_EQ(cli({"keywords", "add", "g", "web"}).rc, 0);
    const QByteArray before = cli.File();
    struct {
        QStringList args;
        int rc;
    } cases[] = {{{"settings", "get", "nope"}, 1},       {{"settings", "set", "nope", "1"}, 1},
                 {{"settings", "set", "maxvisible", "x"}, 1}, {{"frobnicate"}, 2},
                 {{"settings", "set", "hide"}, 2},          {{"keywords", "remove", "missing"}, 1},
                 {{"keywords", "add", "g", "dup"}, 1}};
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.rc, c.rc) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(cli.File(), before);
    }
}

TEST(CliStore, KeywordsAddListRemove) {
    Cli cli;
    test::WriteText(cli.data.File("vantrelo.ini"), "[W]\nkeywords=g,google\ncommand=web $U$\n\n[Setup]\nversion=20400\n");
    EXPECT_EQ(cli({"keywords", "add", "t,term", "xterm", "-e $P$"}).rc, 0);
    EXPECT_EQ(cli({"keywords", "list"}).out, "g,google\tweb $U$\nt,term\txterm\n");
    const auto set = cli({"keywords", "hotkey", "term", "ctrl+alt+t"});
    EXPECT_EQ(set.rc, 0);
    EXPECT_EQ(set.out, "t,term\tALT+CTRL+T\n");
    const QString ini = QString::fromUtf8(test::ReadAll(cli.data.File("vantrelo.ini")));
    EXPECT_TRUE(ini.contains("key=84")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("keymod=3")) << ini.toStdString();
    EXPECT_EQ(cli({"keywords", "hotkey", "term", "ctrl+banana"}).rc, 1);
    EXPECT_EQ(cli({"keywords", "remove", "TERM"}).rc, 0);
    EXPECT_EQ(cli({"keywords", "list"}).out, "g,google\tweb $U$\n");
}

TEST(CliStore, HistoryListsNewestFirst) {
    Cli cli;
    test::WriteText(cli.data.File("vantrelo.ini"), "[History]\nH0=newest\nH1=older\n\n[Setup]\nversion=20400\n");
    EXPECT_EQ(cli({"history", "list"}).out, "newest\nolder\n");
}

TEST(CliStore, AMissingFileWithABackupIsNotReplacedByDefaults) {
    Cli cli;
    test::WriteText(cli.data.File("vantrelo.ini.bak"), "[Setup]\nhotkey=65\n");
    const CliRun r = cli({"settings", "set", "hide", "0"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_TRUE(r.err.contains("backup"));
    EXPECT_FALSE(QFileInfo::exists(cli.data.File("vantrelo.ini")));
}
