// Both programs started as a user starts them: what they answer on their own, without a display.
#include "support/testsupport.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct EntryCase {
    const char* program;
    QStringList args;
    const char* display; // $DISPLAY, or nullptr for none
    int rc;
    const char* out; // a part of stdout, or "" for none at all
    const char* err; // a part of stderr, or "" for none at all
};

class EntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryTest, AnswersBeforeAnyDisplayIsOpened) {
    const EntryCase& c = GetParam();
    test::TempDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (c.display)
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(c.display));
    env.insert(QStringLiteral("HOME"), home.Path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.File(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.Path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QString::fromUtf8(c.program), c.args);
    ASSERT_TRUE(p.waitForFinished(60000)) << c.program;
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    SCOPED_TRACE(c.args.join(u' ').toStdString() + "\nstdout: " + out.toStdString() + "\nstderr: " + err.toStdString());
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), c.rc);
    if (*c.out)
        EXPECT_TRUE(out.contains(QString::fromUtf8(c.out)));
    else
        EXPECT_TRUE(out.isEmpty());
    if (*c.err)
        EXPECT_TRUE(err.contains(QString::fromUtf8(c.err)));
    else
        EXPECT_TRUE(err.isEmpty());
}

constexpr const char* kApp = VANTRELO_APP;
constexpr const char* kCli = VANTRELO_CLI;

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryTest,
    ::testing::Values(
        EntryCase{kApp, {"--help"}, nullptr, 0, "  --toggle      show or hide the input window", ""},
        EntryCase{kApp, {"--help"}, nullptr, 0, "  -x, -q, -quit ", ""},
        EntryCase{kApp, {"--version"}, nullptr, 0, "vantrelo " VANTRELO_VERSION ".0 hdpi Build date: ", ""},
        EntryCase{kApp, {}, nullptr, 1, "", "vantrelo: no X display (DISPLAY is not set); under Wayland "},
        EntryCase{kApp, {"--toggle"}, nullptr, 1, "", "no X display"},
        // A display number no X server listens on (the abstract and file sockets both missing).
        EntryCase{kApp, {}, ":64999", 1, "", "vantrelo: cannot open the X display :64999 (DISPLAY=:64999)"},
        EntryCase{kApp, {"--help"}, ":64999", 0, "Usage: vantrelo", ""},
        EntryCase{kApp, {"--frobnicate"}, nullptr, 2, "", "unknown option --frobnicate\nTry 'vantrelo --help'."},
        EntryCase{kCli, {"--help"}, nullptr, 0, "  settings get KEY | settings set KEY VALUE | settings list\n"
                                       "      read or change a setting of vantrelo.ini\n"
                                       "      e.g. vantrelo-cli settings set hide 0\n", ""},
        EntryCase{kCli, {"--version"}, nullptr, 0, "vantrelo-cli " VANTRELO_VERSION, ""},
        EntryCase{kCli, {"frobnicate"}, nullptr, 2, "", "unknown verb: frobnicate\nTry 'vantrelo-cli --help'."},
        EntryCase{kCli, {}, nullptr, 2, "", "Try 'vantrelo-cli --help'."},
        EntryCase{kCli, {"--data"}, nullptr, 2, "", "--data needs a folder"},
        EntryCase{kCli, {"settings", "frob"}, nullptr, 2, "", "usage: vantrelo-cli [--data DIR] settings get KEY"}));

} // namespace
} // namespace vantrelo
