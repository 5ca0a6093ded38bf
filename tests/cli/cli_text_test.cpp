// vantrelo-cli's text verbs: rules over standard input and the keys typing would send.
#include "support/clirunner.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(CliText, RegexRewritesStandardInputOrSaysWhyNot) {
    const QString cli = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2) +
                        QStringLiteral("/vantrelo-cli");
    ASSERT_TRUE(QFileInfo(cli).isExecutable()) << cli.toStdString();
    struct TCase {
        const char* rules;
        const char* input;
        int rc;
        const char* out;
        const char* err;
    } cases[] = {
        {"s/\\s+$//||^#.*", "a  \r\n# note\r\nb", 0, "a\r\n\r\nb", ""},
        {"", "as it is\n", 0, "as it is\n", ""},
        {"s/(/x/", "text", 1, "", "Invalid rule: (\n"},
    };
    for (const TCase& c : cases) {
        QProcess p;
        p.start(cli, {"text", "regex", QString::fromUtf8(c.rules)});
        ASSERT_TRUE(p.waitForStarted());
        p.write(c.input);
        p.closeWriteChannel();
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), c.rc) << c.rules;
        EXPECT_EQ(p.readAllStandardOutput(), QByteArray(c.out)) << c.rules;
        EXPECT_EQ(p.readAllStandardError(), QByteArray(c.err)) << c.rules;
    }
}

TEST(CliText, KeysListsWhatTypingWouldSend) {
    test::TCliRunner cli;
    const test::TCliResult r = cli({"text", "keys", "a{ENTER}{TIME 50}{PAUSE 100}\n"});
    EXPECT_EQ(r.rc, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "char a\nkey ENTER\ndelay 50\npause 100\nkey ENTER\n");
    EXPECT_EQ(cli({"text", "type", "x"}).rc, 2);
}

} // namespace
} // namespace vantrelo
