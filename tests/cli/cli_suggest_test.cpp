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

} // namespace
