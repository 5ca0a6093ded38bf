// vantrelo-cli calc and similarity: answers on stdout, failures on stderr with exit code 1.
#include "support/clirunner.h"

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
