// vantrelo-cli windows on a real X server: the open windows as the list shows them, one TAB-separated line each.
#include "../platform/xtestclient.h"
#include "support/clirunner.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace vantrelo::test;

TEST(CliWindows, PrintsIdProcessClassAndTitleOfEveryListedWindow) {
    TTestClient probe({QStringLiteral("Listed\tprobe"), false, "probe", "CliProbe", 4242});
    TTestClient own({QStringLiteral("Own window"), false, "own", "OwnProbe", qint64(::getpid())});
    TCliRunner cli;
    const QString line = QStringLiteral("%1\t4242\tCliProbe\tListed probe").arg(probe.Id());
    TCliResult r;
    EXPECT_TRUE(PollUntil([&] {
        r = cli({QStringLiteral("windows")});
        return r.out.split(u'\n').contains(line);
    })) << r.out.toStdString() << r.err.toStdString();
    EXPECT_EQ(r.rc, 0);
    EXPECT_FALSE(r.out.contains(QStringLiteral("OwnProbe")));
}

TEST(CliWindows, WithoutADisplayItSaysSo) {
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    TCliRunner cli;
    const TCliResult r = cli({QStringLiteral("windows")});
    qputenv("DISPLAY", display);
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, QStringLiteral("No X display: DISPLAY is not set\n"));
    EXPECT_EQ(cli({QStringLiteral("windows"), QStringLiteral("extra")}).rc, 2);
}
