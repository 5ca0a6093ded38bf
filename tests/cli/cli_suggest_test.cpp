// vantrelo-cli suggest: the list content for an input from the data folder's keywords, history and index.
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "support/clirunner.h"

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

TEST(CliSuggest, PrintsGroupsFromKeywordsAndTheCachedIndex) {
    test::TCliRunner cli;
    const test::TCliResult added = cli({"keywords", "add", "thunderbird", "thunderbird"});
    ASSERT_EQ(added.rc, 0) << added.err.toStdString();
    ASSERT_EQ(cli({"keywords", "add", "thunar", "thunar"}).rc, 0);
    TIndexList index;
    for (const char* name : {"Thunderbird Mail", "Uninstall Thunderbird", "Calculator"}) {
        auto item = std::make_unique<TMyShellItem>();
        const QString path = QStringLiteral("/usr/share/applications/") + QString::fromUtf8(name) + QStringLiteral(".desktop");
        item->name = QString::fromUtf8(name);
        item->path = path;
        index.Append(path, std::move(item));
    }
    ASSERT_TRUE(SaveIndexCache(cli.data.File("scancache.dat"), index).ok);

    const test::TCliResult thun = cli({"suggest", "thun"});
    ASSERT_EQ(thun.rc, 0) << thun.err.toStdString();
    // Suggestions already listed as keywords, and index entries already suggested, appear once.
    EXPECT_EQ(thun.out, QStringLiteral("===== Keywords =====\nthunderbird\nthunar\n"
                                       "===== Suggestions =====\nThunderbird Mail\nUninstall Thunderbird\n"));
    const test::TCliResult calc = cli({"suggest", "calc"});
    ASSERT_EQ(calc.rc, 0);
    EXPECT_EQ(calc.out, QStringLiteral("===== Suggestions =====\nCalculator\n"));
    EXPECT_EQ(cli({"suggest"}).rc, 2);
}

TEST(CliSuggest, TheIndexComesFromItsSnapshotAndAnUnsoundOneIsMadeAgain) {
    test::TCliRunner cli;
    const QString docs = cli.data.File("docs");
    for (const char* name : {"zebra notes.txt", "zebu.txt"})
        test::WriteAll(docs + "/" + name, "x");
    ASSERT_EQ(cli({"settings", "set", "scandirs", "\"" + docs + "\",\"txt\",\"0\"|"}).rc, 0);
    ASSERT_EQ(cli({"settings", "set", "scanwindowsitems", "0"}).rc, 0);
    const test::TCliResult scanned = cli({"index", "scan"});
    ASSERT_EQ(scanned.rc, 0) << scanned.err.toStdString();
    const QString snapshot = cli.data.File("scancache.idx");
    const QByteArray written = test::ReadAll(snapshot);
    ASSERT_FALSE(written.isEmpty()) << "the scan writes the snapshot beside the cache";

    const QString expected = cli({"suggest", "zeb"}).out;
    EXPECT_TRUE(expected.contains("\nzebra notes.txt\n") && expected.contains("\nzebu.txt\n")) << expected.toStdString();
    // Damaged or cut short: the cache answers, and the snapshot is whole again afterwards.
    QByteArray damaged = written;
    damaged[damaged.size() / 2] = char(damaged.at(damaged.size() / 2) ^ 0x40);
    for (const QByteArray& bad : {damaged, written.left(written.size() / 2)}) {
        test::WriteAll(snapshot, bad);
        EXPECT_EQ(cli({"suggest", "zeb"}).out, expected);
        EXPECT_EQ(test::ReadAll(snapshot), written);
    }
    // A rescan that finds another file makes the old snapshot stale.
    test::WriteAll(docs + "/zebrafish.txt", "x");
    ASSERT_EQ(cli({"index", "scan"}).rc, 0);
    EXPECT_TRUE(cli({"suggest", "zeb"}).out.contains("zebrafish.txt"));
}

} // namespace
