// Processes found in /proc by program path or name, described and ended.
#include "platform/linux/procfs.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <algorithm>
#include <unistd.h>

using namespace vantrelo;

namespace {

bool Holds(const std::vector<qint64>& pids, qint64 pid) { return std::find(pids.begin(), pids.end(), pid) != pids.end(); }

class ProcFs : public ::testing::Test {
protected:
    void SetUp() override {
        sleepPath_ = QFileInfo(QStandardPaths::findExecutable(QStringLiteral("sleep"))).canonicalFilePath();
        ASSERT_FALSE(sleepPath_.isEmpty());
        child_.start(sleepPath_, {QStringLiteral("30")});
        ASSERT_TRUE(child_.waitForStarted(5000));
    }
    void TearDown() override {
        child_.kill();
        child_.waitForFinished(5000);
    }
    QString sleepPath_;
    QProcess child_;
    TProcFsProcessList procs_;
};

TEST_F(ProcFs, FindsAProgramByNameOrPath) {
    const vantrelo::test::TempDir tmp;
    const QString link = tmp.File(QStringLiteral("my-sleeper"));
    ASSERT_TRUE(QFile::link(sleepPath_, link));
    struct Case {
        QString program;
        bool found;
    };
    const Case cases[] = {
        {QStringLiteral("sleep"), true},
        {QStringLiteral("SLEEP"), true},      // without regard to case
        {QStringLiteral("  sleep "), true},   // blanks around do not count
        {sleepPath_, true},
        {sleepPath_.toUpper(), true},
        {link, true},                          // a link leads to the program it names
        {QStringLiteral("/nowhere/sleep"), false},
        {QStringLiteral("slee"), false},
        {QStringLiteral("vantrelo-no-such-program"), false},
        {QString(), false},
    };
    const qint64 pid = child_.processId();
    for (const Case& c : cases)
        EXPECT_EQ(Holds(procs_.FindProgram(c.program), pid), c.found) << c.program.toStdString();
}

TEST_F(ProcFs, DescribesAndEndsAProcess) {
    const qint64 pid = child_.processId();
    TProcessFacts f;
    ASSERT_TRUE(procs_.Describe(pid, &f));
    EXPECT_EQ(f.pid, pid);
    EXPECT_EQ(f.path, sleepPath_);
    EXPECT_EQ(f.baseName, QFileInfo(sleepPath_).fileName());

    EXPECT_FALSE(procs_.Terminate(0));
    EXPECT_FALSE(procs_.Terminate(1));
    EXPECT_FALSE(procs_.Terminate(qint64(::getpid()))) << "the program never ends itself";
    EXPECT_FALSE(procs_.Kill(qint64(::getpid())));
    ASSERT_TRUE(procs_.Terminate(pid));
    ASSERT_TRUE(child_.waitForFinished(5000));
    EXPECT_EQ(child_.exitStatus(), QProcess::CrashExit);
    EXPECT_FALSE(Holds(procs_.FindProgram(QStringLiteral("sleep")), pid));
    EXPECT_FALSE(procs_.Describe(pid, &f));
    EXPECT_FALSE(procs_.Describe(-5, &f));
}

TEST_F(ProcFs, FindsAScriptByThePathItWasStartedWith) {
    const vantrelo::test::TempDir tmp;
    const QString script = tmp.File(QStringLiteral("my-waiter.sh"));
    vantrelo::test::WriteAll(script, "#!/bin/sh\nsleep 30\n");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess waiter;
    waiter.start(script, {});
    ASSERT_TRUE(waiter.waitForStarted(5000));
    const qint64 pid = waiter.processId();
    EXPECT_TRUE(Holds(procs_.FindProgram(QStringLiteral("my-waiter.sh")), pid));
    EXPECT_TRUE(Holds(procs_.FindProgram(script), pid));
    EXPECT_FALSE(Holds(procs_.FindProgram(QStringLiteral("my-waiter")), pid));
    ASSERT_TRUE(procs_.Kill(pid));
    EXPECT_TRUE(waiter.waitForFinished(5000));
}

} // namespace
