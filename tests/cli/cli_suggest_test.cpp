// vantrelo-cli suggest: the list content for an input from the data folder's keywords, history and index.
#include "cli/cli.h"

#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "support/testsupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

struct SuggestCli {
    test::TempDir data;
    int rc = 0;
    QString out, err;
    int Run(QStringList args) {
        args.prepend(data.Path());
        args.prepend("--data");
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        rc = cli::RunCli(args, o, e);
        o.flush();
        e.flush();
        return rc;
    }
};

TEST(CliSuggest, PrintsGroupsFromKeywordsAndTheCachedIndex) {
    SuggestCli cli;
    ASSERT_EQ(cli.Run({"keywords", "add", "thunderbird", "thunderbird"}), 0) << cli.err.toStdString();
    ASSERT_EQ(cli.Run({"keywords", "add", "thunar", "thunar"}), 0);
    TIndexList index;
    for (const char* name : {"Thunderbird Mail", "Uninstall Thunderbird", "Calculator"}) {
        auto item = std::make_unique<TMyShellItem>();
        const QString path = QStringLiteral("/usr/share/applications/") + QString::fromUtf8(name) + QStringLiteral(".desktop");
        item->name = QString::fromUtf8(name);
        item->path = path;
        index.Append(path, std::move(item));
    }
    ASSERT_TRUE(SaveIndexCache(cli.data.File("scancache.dat"), index).ok);

    ASSERT_EQ(cli.Run({"suggest", "thun"}), 0) << cli.err.toStdString();
    // Suggestions already listed as keywords, and index entries already suggested, appear once.
    EXPECT_EQ(cli.out, QStringLiteral("===== Keywords =====\nthunderbird\nthunar\n"
                                      "===== Suggestions =====\nThunderbird Mail\nUninstall Thunderbird\n"));
    ASSERT_EQ(cli.Run({"suggest", "calc"}), 0);
    EXPECT_EQ(cli.out, QStringLiteral("===== Suggestions =====\nCalculator\n"));
    EXPECT_EQ(cli.Run({"suggest"}), 2);
}

} // namespace
