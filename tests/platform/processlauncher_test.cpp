// Real process starts: argument vectors reach the program untouched, failures come back as codes.
#include "platform/linux/processlauncher_linux.h"

#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

// A program that writes its working folder and each argument on a line of `out`.
QString WriteEchoScript(const test::TempDir& dir) {
    const QString path = dir.File("echo-args");
    test::WriteAll(path, "#!/bin/sh\npwd > \"$OUT\"\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$OUT\"; done\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(ProcessLauncher, ArgumentsAreNeverParsedByAShell) {
    test::TempDir dir;
    qputenv("OUT", dir.File("out").toUtf8());
    TLinuxProcessLauncher launcher;
    TSpawnRequest request{WriteEchoScript(dir), {"two words", "$(touch pwned)", "a;b", "\"q\""}, dir.Path()};
    const TSpawnResult r = launcher.Spawn(request);
    ASSERT_EQ(r.code, kLaunchStarted) << r.error.toStdString();
    ASSERT_TRUE(launcher.WaitChild(r.pid, 10000));
    const QString expected = QDir::cleanPath(dir.Path()) + "\ntwo words\n$(touch pwned)\na;b\n\"q\"\n";
    EXPECT_EQ(QString::fromUtf8(test::ReadAll(dir.File("out"))), expected);
    EXPECT_FALSE(QFile::exists(dir.File("pwned")));
    qunsetenv("OUT");
}

TEST(ProcessLauncher, FailuresAreReportedAsShellCodes) {
    test::TempDir dir;
    test::WriteAll(dir.File("plain.txt"), "not a program");
    struct {
        QString program;
        int code;
    } cases[] = {{"true", kLaunchStarted},
                 {"/bin/true", kLaunchStarted},
                 {"no-such-program-anywhere", kLaunchNotFound},
                 {dir.File("missing"), kLaunchNotFound},
                 {dir.File("plain.txt"), kLaunchAccessDenied},
                 {dir.Path(), kLaunchAccessDenied}};
    TLinuxProcessLauncher launcher;
    for (const auto& c : cases) {
        const TSpawnResult r = launcher.Spawn({c.program, {}, {}});
        EXPECT_EQ(r.code, c.code) << c.program.toStdString();
        EXPECT_EQ(r.Ok(), c.code == kLaunchStarted);
        if (!r.Ok()) {
            EXPECT_TRUE(r.error.contains(c.program));
        }
        if (r.pid)
            launcher.WaitChild(r.pid, 10000);
    }
}

TEST(ProcessLauncher, MissingDocumentsFailBeforeAnyHandlerRuns) {
    TLinuxProcessLauncher launcher;
    EXPECT_EQ(launcher.OpenWithDesktop("/no/such/file.pdf").code, kLaunchNotFound);
    EXPECT_EQ(launcher.OpenWithDesktop("file:///no/such/file.pdf").code, kLaunchNotFound);
}

TEST(ProcessLauncher, CaptureIsBoundedInTimeAndSize) {
    TLinuxProcessLauncher launcher;
    const TCaptureResult hello = launcher.Capture({"sh", {"-c", "echo out; echo err >&2"}, {}}, 10000, 1024);
    EXPECT_TRUE(hello.started);
    EXPECT_EQ(hello.output, "out\nerr\n");

    const TCaptureResult big = launcher.Capture({"sh", {"-c", "yes x | head -c 100000"}, {}}, 10000, 1000);
    EXPECT_TRUE(big.truncated);
    EXPECT_EQ(big.output.size(), 1000);

    const TCaptureResult slow = launcher.Capture({"sleep", {"5"}, {}}, 200, 1024);
    EXPECT_TRUE(slow.timedOut);

    EXPECT_FALSE(launcher.Capture({"no-such-program-anywhere", {}, {}}, 1000, 10).started);
}
