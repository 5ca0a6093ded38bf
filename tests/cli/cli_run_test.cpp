// vantrelo-cli run: dry runs as JSON lines, real launches of a recording program and of desktop entries.
#include "support/clirunner.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <thread>

using namespace vantrelo;

namespace {

using RunResult = test::TCliResult;

struct RunCli : test::TCliRunner {
    test::TempDir work;
    // A program that writes its arguments, one a line, to `log`.
    QString Recorder(const QString& log) {
        const QString script = work.File("rec.sh");
        test::WriteAll(script, QStringLiteral("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.tmp'\n"
                                              "pwd >> '%1.tmp'\nmv '%1.tmp' '%1'\n")
                                   .arg(log)
                                   .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    static QStringList WaitForLines(const QString& file) {
        for (int i = 0; i < 500 && !QFileInfo::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return QString::fromUtf8(test::ReadAll(file)).split(u'\n', Qt::SkipEmptyParts);
    }
};

TEST(CliRun, DryRunPrintsTheLaunchAndTheResult) {
    RunCli cli;
    ASSERT_EQ(cli({"keywords", "add", "ed", "/usr/bin/editor $P$", "--new"}).rc, 0);
    const RunResult r = cli({"run", "--dry-run", "ed notes.txt"});
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "{\"action\":\"launch\",\"elevated\":false,\"file\":\"/usr/bin/editor notes.txt\","
                     "\"folder\":\"/usr/bin\",\"parameters\":\"--new\",\"show\":0}\n"
                     "{\"history\":\"ed notes.txt\",\"result\":true}\n");
    // Nothing was written: the history is still empty.
    EXPECT_EQ(cli({"history", "list"}).out, "");
}

TEST(CliRun, DryRunOfChainsCalculationsAndInternalCommands) {
    RunCli cli;
    ASSERT_EQ(cli({"keywords", "add", "off", "$SHUTDOWN$"}).rc, 0);
    const struct {
        const char* input;
        int rc;
        const char* out;
    } cases[] = {
        {"/bin/a $W1$ || /bin/b x",
         0,
         "{\"action\":\"launch\",\"elevated\":false,\"file\":\"/bin/a\",\"folder\":\"/bin\",\"parameters\":\"\",\"show\":0}\n"
         "{\"action\":\"launch\",\"elevated\":false,\"file\":\"/bin/b x\",\"folder\":\"/bin\",\"parameters\":\"\",\"show\":0}\n"
         "{\"history\":\"/bin/a $W1$ || /bin/b x\",\"result\":true}\n"},
        {"#2*3", 0, "6\n{\"history\":null,\"result\":true}\n"},
        {"off", 0, "{\"action\":\"internal\",\"command\":\"$SHUTDOWN$\"}\n{\"history\":null,\"result\":true}\n"},
        {"->x", 1, "{\"history\":null,\"result\":false}\n"},
    };
    for (const auto& c : cases) {
        const RunResult r = cli({"run", "--dry-run", c.input});
        EXPECT_EQ(r.rc, c.rc) << c.input;
        EXPECT_EQ(r.out, QString::fromUtf8(c.out)) << c.input;
    }
    EXPECT_EQ(cli({"run"}).rc, 2);
    EXPECT_EQ(cli({"run", "--dry-run"}).rc, 2);
}

TEST(CliRun, InternalCommandsRunOrSayTheyCannot) {
    RunCli cli;
    ASSERT_EQ(cli({"keywords", "add", "pw", "$PASSWORD$"}).rc, 0);
    ASSERT_EQ(cli({"keywords", "add", "wc", "$WCLOSE$"}).rc, 0);
    const RunResult password = cli({"run", "pw 12 no"});
    ASSERT_EQ(password.rc, 0) << password.err.toStdString();
    const QString answer = password.out.trimmed();
    EXPECT_EQ(answer.size(), 12);
    EXPECT_TRUE(std::all_of(answer.begin(), answer.end(), [](QChar c) { return c.isLetterOrNumber(); }));

    const RunResult window = cli({"run", "wc"});
    EXPECT_EQ(window.rc, 1);
    EXPECT_TRUE(window.err.contains("There is no desktop to act on")) << window.err.toStdString();
}

TEST(CliRun, LaunchesAProgramWithItsArgumentVectorAndRecordsTheHistory) {
    RunCli cli;
    const QString log = cli.work.File("argv.txt");
    const QString script = cli.Recorder(log);
    ASSERT_EQ(cli({"keywords", "add", "rec", script, "first $P$"}).rc, 0);
    const RunResult r = cli({"run", "rec \"two words\" ;rm -rf x"});
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    const QString folder = QFileInfo(script).absolutePath();
    EXPECT_EQ(RunCli::WaitForLines(log), (QStringList{"first", "two words", ";rm", "-rf", "x", folder}));
    EXPECT_EQ(cli({"history", "list"}).out, "rec \"two words\" ;rm -rf x\n");
}

TEST(CliRun, LaunchesADesktopEntryWithItsFieldCodesAndFolder) {
    RunCli cli;
    const QString log = cli.work.File("argv.txt");
    const QString script = cli.Recorder(log);
    const QString entry = cli.work.File("rec.desktop");
    test::WriteAll(entry, QStringLiteral("[Desktop Entry]\nType=Application\nName=Recorder\nExec=%1 --open %F\nPath=/tmp\n")
                              .arg(script)
                              .toUtf8());
    ASSERT_EQ(cli({"keywords", "add", "app", entry, "$P$"}).rc, 0);
    const RunResult r = cli({"run", "app a.txt b.txt"});
    ASSERT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(RunCli::WaitForLines(log), (QStringList{"--open", "a.txt", "b.txt", "/tmp"}));
}

TEST(CliRun, AProgramThatDoesNotExistFails) {
    RunCli cli;
    const RunResult r = cli({"run", "/no/such/program --flag"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(cli({"history", "list"}).out, "");
}

} // namespace
