// vantrelo-cli over a data folder: settings, keywords, history, and refusals that change nothing.
#include "support/clirunner.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace vantrelo;

TEST(CliStore, SettingsGetSetList) {
    test::TCliRunner cli;
    EXPECT_EQ(cli({"settings", "get", "hide"}).out, "1\n");
    EXPECT_EQ(cli({"settings", "set", "hide", "0"}).rc, 0);
    EXPECT_EQ(cli({"settings", "get", "HIDE"}).out, "0\n");
    const test::TCliResult list = cli({"settings", "list"});
    EXPECT_TRUE(list.out.contains("\nhotkey=90\n"));
    EXPECT_TRUE(list.out.contains("\nhide=0\n"));
}

TEST(CliStore, BadInputChangesNothing) {
    test::TCliRunner cli;
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
        const test::TCliResult r = cli(c.args);
        EXPECT_EQ(r.rc, c.rc) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_EQ(cli.File(), before);
    }
}

TEST(CliStore, KeywordsAddListRemove) {
    test::TCliRunner cli;
    test::WriteText(cli.data.File("vantrelo.ini"), "[W]\nkeywords=g,google\ncommand=web $U$\n\n[Setup]\nversion=20400\n");
    EXPECT_EQ(cli({"keywords", "add", "t,term", "xterm", "-e $P$"}).rc, 0);
    EXPECT_EQ(cli({"keywords", "list"}).out, "g,google\tweb $U$\nt,term\txterm\n");
    // The editor's filter: a name start, a field test, a form that lists nothing.
    EXPECT_EQ(cli({"keywords", "list", "--filter", "goo"}).out, "g,google\tweb $U$\n");
    EXPECT_EQ(cli({"keywords", "list", "--filter", "command:*term"}).out, "t,term\txterm\n");
    EXPECT_EQ(cli({"keywords", "list", "--filter", "disabled:"}).out, "");
    EXPECT_EQ(cli({"keywords", "list", "--filter"}).rc, 2);
    // The scan names a keyword whose program is missing and still answers 0.
    ASSERT_EQ(cli({"keywords", "add", "zdead", "/opt/missing/app"}).rc, 0);
    ASSERT_EQ(cli({"keywords", "add", "zsh", "\"/bin/sh\" -c true"}).rc, 0);
    const test::TCliResult check = cli({"keywords", "check"});
    EXPECT_EQ(check.rc, 0);
    EXPECT_EQ(check.out, "zdead\tnot found: /opt/missing/app\n");
    ASSERT_EQ(cli({"keywords", "remove", "zdead"}).rc, 0);
    ASSERT_EQ(cli({"keywords", "remove", "zsh"}).rc, 0);
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
    test::TCliRunner cli;
    test::WriteText(cli.data.File("vantrelo.ini"), "[History]\nH0=newest\nH1=older\n\n[Setup]\nversion=20400\n");
    EXPECT_EQ(cli({"history", "list"}).out, "newest\nolder\n");
}

// A value out of a setting's range is refused with the range and changes nothing; lowering the
// history's limit says what it drops.
TEST(CliStore, OutOfRangeValuesAreRefusedAndLoweringTheHistoryLimitIsSaid) {
    test::TCliRunner cli;
    test::WriteText(cli.data.File("vantrelo.ini"), "[History]\nH0=newest\nH1=older\nH2=oldest\n\n[Setup]\nversion=20400\n");
    ASSERT_EQ(cli({"settings", "set", "hide", "0"}).rc, 0);
    const QByteArray before = cli.File();
    const test::TCliResult r = cli({"settings", "set", "maxhistory", "-5"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_TRUE(r.err.contains("0 to 100000")) << r.err.toStdString();
    EXPECT_EQ(cli.File(), before);
    EXPECT_EQ(cli({"history", "list"}).out, "newest\nolder\noldest\n");
    EXPECT_EQ(cli({"settings", "set", "transactive", "256"}).rc, 1);

    const test::TCliResult lowered = cli({"settings", "set", "maxhistory", "1"});
    EXPECT_EQ(lowered.rc, 0);
    EXPECT_TRUE(lowered.out.contains("the oldest 2 are dropped")) << lowered.out.toStdString();
    EXPECT_EQ(cli({"history", "list"}).out, "newest\n");
}

// Under the usual umask the notes and exported keywords stay private like the rest of the data
// folder, and a data folder open to others is used with a warning.
TEST(CliStore, NotesAndExportsArePrivateAndAnOpenDataFolderIsSaid) {
    const mode_t old = ::umask(022);
    test::TCliRunner cli;
    ASSERT_EQ(cli({"notes", "add", "secret"}).rc, 0);
    ASSERT_EQ(cli({"keywords", "add", "k", "cmd"}).rc, 0);
    ASSERT_EQ(cli({"keywords", "export", cli.data.File("set.exc")}).rc, 0);
    for (const char* name : {"notes.txt", "set.exc", "vantrelo.ini"}) {
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(cli.data.File(name)).constData(), &st), 0) << name;
        EXPECT_EQ(st.st_mode & 077, 0u) << name;
    }
    EXPECT_FALSE(cli({"settings", "get", "hide"}).err.contains("open to other users"));
    QFile::setPermissions(cli.data.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                                               QFile::ExeOther);
    const test::TCliResult open = cli({"settings", "get", "hide"});
    EXPECT_EQ(open.rc, 0);
    EXPECT_TRUE(open.err.contains("open to other users")) << open.err.toStdString();
    ::umask(old);
}

TEST(CliStore, AMissingFileWithABackupIsNotReplacedByDefaults) {
    test::TCliRunner cli;
    test::WriteText(cli.data.File("vantrelo.ini.bak"), "[Setup]\nhotkey=65\n");
    const test::TCliResult r = cli({"settings", "set", "hide", "0"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_TRUE(r.err.contains("backup"));
    EXPECT_FALSE(QFileInfo::exists(cli.data.File("vantrelo.ini")));
}

// desktop-file-validate passes the entry without an error or a warning.
static void ExpectValidDesktopEntry(const QString& path) {
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(validator.isEmpty()) << "desktop-file-validate is missing (scripts/install-deps.sh installs it)";
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(validator, {path});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString said = QString::fromUtf8(p.readAll());
    EXPECT_EQ(p.exitCode(), 0) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("error:")) || said.contains(QStringLiteral("warning:"))) << said.toStdString();
}

// The two desktop entries follow their settings, as the settings dialog's boxes would.
TEST(CliStore, AutostartAndOpenWithEntriesComeAndGoWithTheirSettings) {
    test::TempDir config, share;
    qputenv("XDG_CONFIG_HOME", config.Path().toUtf8());
    qputenv("XDG_DATA_HOME", share.Path().toUtf8());
    test::TCliRunner cli;
    const struct {
        const char* verb;
        QString entry;
        const char* key;
    } cases[] = {
        {"autostart", config.File("autostart/vantrelo.desktop"), "autostart"},
        {"openwith", share.File("applications/vantrelo-open.desktop"), "sendtomenu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.verb);
        EXPECT_EQ(cli({c.verb, "on"}).rc, 0);
        EXPECT_TRUE(test::ReadAll(c.entry).contains("Exec=")) << "entry made";
        ExpectValidDesktopEntry(c.entry);
        EXPECT_EQ(cli({"settings", "get", c.key}).out.trimmed(), "1");
        EXPECT_EQ(cli({c.verb, "off"}).rc, 0);
        EXPECT_FALSE(QFileInfo::exists(c.entry));
        EXPECT_EQ(cli({"settings", "get", c.key}).out.trimmed(), "0");
        EXPECT_EQ(cli({c.verb, "maybe"}).rc, 2);
    }
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
}
