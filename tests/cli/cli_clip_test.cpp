// vantrelo-cli's clipboard verbs over a stored history.
#include "core/filelock.h"
#include "core/settingsstore.h"
#include "core/storechange.h"
#include "support/clirunner.h"
#include "tools/cliphistory.h"

#include <QDateTime>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct CliClipboard : ::testing::Test {
    test::TCliRunner cli;
    QDateTime now = QDateTime::currentDateTime();

    void SetUp() override {
        ASSERT_EQ(cli({"settings", "set", "clipboardhours", "3"}).rc, 0);
        std::vector<TMyClipItem> entries;
        for (const auto& [text, ago] : std::vector<std::pair<QString, int>>{
                 {"expired", 4 * 3600}, {"older\r\nlines", 120}, {"{BR} stays", 60}}) {
            TMyClipItem c;
            c.clipb = text;
            c.ts = now.addSecs(-ago);
            entries.push_back(c);
        }
        test::WriteText(cli.data.File("c.dat"), EncodeClipFile(entries, now.addSecs(-5 * 3600), 24));
    }
    QString Time(int ago) const {
        const QDateTime t = now.addSecs(-ago);
        return QDateTime(t.date(), QTime(t.time().hour(), t.time().minute(), t.time().second())).toString(Qt::ISODate);
    }
};

TEST_F(CliClipboard, ListsTheKeptEntriesNewestFirst) {
    const test::TCliResult r = cli({"clipboard", "list"});
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, Time(60) + "\t{BR} stays\n" + Time(120) + "\tolder\\nlines\n");
}

TEST_F(CliClipboard, ClearDeletesTheFileUnlessTheLauncherRuns) {
    {
        TFileLock launcher(LauncherLockFile(TPlaces{cli.data.Path(), cli.data.Path()}));
        ASSERT_TRUE(launcher.TryLock());
        const test::TCliResult refused = cli({"clipboard", "clear"});
        EXPECT_EQ(refused.rc, 1);
        EXPECT_TRUE(refused.err.contains("The launcher is running")) << refused.err.toStdString();
        EXPECT_TRUE(QFileInfo::exists(cli.data.File("c.dat")));
    }
    const test::TCliResult r = cli({"clipboard", "clear"});
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Vantrelo's clipboard history cleared from memory and disk (2 items).\n");
    EXPECT_FALSE(QFileInfo::exists(cli.data.File("c.dat")));
    EXPECT_EQ(cli({"clipboard", "list"}).out, "");
    EXPECT_EQ(cli({"clipboard", "drop"}).rc, 2);
}

} // namespace
} // namespace vantrelo
