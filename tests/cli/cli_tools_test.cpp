// vantrelo-cli calc, similarity and info: answers on stdout, failures on stderr with exit code 1.
#include "support/clirunner.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace vantrelo;

TEST(CliTools, CalcPrintsTheAnswerOrFails) {
    test::TCliRunner cli;
    const struct {
        QStringList args;
        int rc;
        const char* out;
        const char* err;
    } cases[] = {
        {{"calc", "2*(3+4)"}, 0, "14\n", ""},
        {{"calc", "#h255"}, 0, "FF\n", ""},
        {{"calc", "2", "+", "3"}, 0, "5\n", ""},
        {{"calc", "x=5 1+X"}, 0, "6\n", ""},
        {{"calc", "(2+3"}, 1, "", "Error at position 5\n"},
        {{"calc", "#"}, 1, "", "Error, no input\n"},
        {{"calc", "X+1"}, 1, "", "Error, not a calculation: X+1\n"},
        {{"calc"}, 2, "", nullptr},
    };
    for (const auto& c : cases) {
        const test::TCliResult r = cli(c.args);
        const std::string what = c.args.join(' ').toStdString();
        EXPECT_EQ(r.rc, c.rc) << what;
        EXPECT_EQ(r.out, QString::fromLatin1(c.out)) << what;
        if (c.err) {
            EXPECT_EQ(r.err, QString::fromLatin1(c.err)) << what;
        }
    }
}

TEST(CliTools, CalcUsesTheStoredPattern) {
    test::TCliRunner cli;
    ASSERT_EQ(cli({"settings", "set", "calcformat", "%d items"}).rc, 0);
    EXPECT_EQ(cli({"calc", "7/2"}).out, "3 items\n");
}

TEST(CliTools, SimilarityPrintsThePercentage) {
    test::TCliRunner cli;
    EXPECT_EQ(cli({"similarity", "Note", "note"}).out, "100\n");
    EXPECT_EQ(cli({"similarity", "AAAA", "AAAA"}).out, "133\n");
    EXPECT_EQ(cli({"similarity", "note", "notepad"}).out, "53\n");
    EXPECT_EQ(cli({"similarity", "only-one"}).rc, 2);
}

TEST(CliTools, InfoPrintsTheInformationLineOrItsError) {
    test::TCliRunner cli;
    ASSERT_EQ(cli({"settings", "set", "infocustomtime", "'year' yyyy"}).rc, 0);
    const test::TCliResult r = cli({"info", "[$ct$] $v$ $MPCT$"});
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_TRUE(QRegularExpression("^\\[year \\d{4}\\] \\d+\\.\\d+\\.\\d+\\.\\d+ Build date: \\S+ \\$MPCT\\$\n$")
                    .match(r.out)
                    .hasMatch())
        << r.out.toStdString();
    const test::TCliResult empty = cli({"info", ""});
    EXPECT_EQ(empty.rc, 1);
    EXPECT_EQ(empty.err, "Show info error: Cannot be empty, check Settings > Misc > Show info\n");
    EXPECT_EQ(cli({"info"}).rc, 2);
}
