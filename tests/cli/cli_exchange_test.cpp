// vantrelo-cli keywords export/import between two data folders and from a web address; apps list.
#include "support/clirunner.h"
#include "support/qtapp.h"

#include "support/httpfakes.h"

#include <gtest/gtest.h>

#include <QFileInfo>

using namespace vantrelo;

namespace {

using test::TCannedServer;

QByteArray Http(const QByteArray& status, const QByteArray& body, qsizetype announced = -1) {
    return "HTTP/1.1 " + status + "\r\nContent-Length: " + QByteArray::number(announced < 0 ? body.size() : announced) +
           "\r\nConnection: close\r\n\r\n" + body;
}

class CliExchange : public ::testing::Test {
protected:
    void SetUp() override {
        test::CoreApp();
        ASSERT_EQ(from({"keywords", "add", "zg,zgoogle", "https://g/?q=$U$"}).rc, 0);
        ASSERT_EQ(from({"keywords", "add", "zt,zterm", "xterm"}).rc, 0);
        ASSERT_EQ(from({"keywords", "hotkey", "zterm", "ctrl+alt+t"}).rc, 0);
        ASSERT_EQ(into({"keywords", "add", "zgoogle", "old-google"}).rc, 0);
        file = from.data.File("set.exc");
        ASSERT_EQ(from({"keywords", "export", file, "--description", "Team set", "--no-hotkeys", "zgoogle", "zterm"}).rc, 0);
    }
    test::TCliRunner from, into;
    QString file;
};

TEST_F(CliExchange, AConflictIsRefusedUntilAFlagDecidesIt) {
    const QByteArray before = into.File();
    const test::TCliResult refused = into({"keywords", "import", file});
    EXPECT_EQ(refused.rc, 1);
    EXPECT_TRUE(refused.err.contains("zgoogle")) << refused.err.toStdString();
    EXPECT_EQ(into.File(), before);

    const test::TCliResult skipped = into({"keywords", "import", file, "--skip"});
    EXPECT_EQ(skipped.out, "Imported 1 keywords.\n");
    EXPECT_TRUE(into({"keywords", "list"}).out.endsWith("zgoogle\told-google\nzt,zterm\txterm\n"));

    // Counted is what changes: "zgoogle" differs, "zterm" is the same record already.
    const test::TCliResult replaced = into({"keywords", "import", file, "--replace"});
    EXPECT_EQ(replaced.out, "Imported 1 keywords.\n");
    // Replaced in place; "term" came without its hotkey, and the duplicate was not added again.
    EXPECT_TRUE(into({"keywords", "list"}).out.endsWith("zg,zgoogle\thttps://g/?q=$U$\nzt,zterm\txterm\n"))
        << into({"keywords", "list"}).out.toStdString();
    EXPECT_FALSE(QString::fromUtf8(into.File()).contains("keymod=3"));
}

TEST_F(CliExchange, ExportsOnlyTheNamedKeywordsAndRefusesUnknownOnes) {
    const QString one = from.data.File("one.exc");
    EXPECT_EQ(from({"keywords", "export", one, "zterm"}).out, "Exported 1 keywords.\n");
    const QString text = QString::fromUtf8(test::ReadAll(one));
    EXPECT_TRUE(text.contains("keywords=zt,zterm"));
    EXPECT_TRUE(text.contains("keymod=3")) << "hotkeys go unless left out";
    EXPECT_FALSE(text.contains("zgoogle"));
    EXPECT_EQ(from({"keywords", "export", one, "nosuch"}).rc, 1);
    EXPECT_TRUE(text == QString::fromUtf8(test::ReadAll(one))) << "a refused export leaves the file";
    EXPECT_EQ(from({"keywords", "export"}).rc, 2);
    EXPECT_EQ(into({"keywords", "import", from.data.File("missing.exc")}).rc, 1);
}

TEST_F(CliExchange, ImportsFromAWebAddressAndSaysWhyADownloadFailed) {
    const QByteArray body = test::ReadAll(file);
    TCannedServer ok(Http("200 OK", body));
    EXPECT_EQ(into({"keywords", "import", ok.Url("/set.exc"), "--skip"}).out, "Imported 1 keywords.\n");
    EXPECT_TRUE(into({"keywords", "list"}).out.contains("zt,zterm"));

    TCannedServer missing(Http("404 Not Found", "gone"));
    const test::TCliResult r404 = into({"keywords", "import", missing.Url("/set.exc")});
    EXPECT_EQ(r404.rc, 1);
    EXPECT_TRUE(r404.err.startsWith("Could not download " + missing.Url("/set.exc"))) << r404.err.toStdString();
    EXPECT_TRUE(r404.err.contains("404")) << r404.err.toStdString();

    // Without a Content-Length a body cut short looks whole: such an answer is refused.
    TCannedServer unsized("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + body.left(body.size() / 2));
    const QByteArray beforeUnsized = into.File();
    const test::TCliResult rUnsized = into({"keywords", "import", unsized.Url("/set.exc"), "--replace"});
    EXPECT_EQ(rUnsized.rc, 1) << rUnsized.out.toStdString();
    EXPECT_TRUE(rUnsized.err.contains("how long")) << rUnsized.err.toStdString();
    EXPECT_EQ(into.File(), beforeUnsized);

    TCannedServer cut(Http("200 OK", body.left(body.size() / 2), body.size()));
    const QByteArray before = into.File();
    EXPECT_EQ(into({"keywords", "import", cut.Url("/set.exc"), "--replace"}).rc, 1);
    EXPECT_EQ(into.File(), before) << "half a file imports nothing";
}

TEST(CliApps, ListsTheApplicationsAnImportWouldOffer) {
    test::CoreApp();
    test::TempDir share;
    test::WriteText(share.File("applications/editor.desktop"),
                    "[Desktop Entry]\nType=Application\nName=Text Editor\nExec=/bin/sh -c true %F\n");
    // A program that is not installed: neither listed here nor indexed.
    test::WriteText(share.File("applications/ghost.desktop"),
                    "[Desktop Entry]\nType=Application\nName=Ghost\nExec=/nonexistent/ghost %F\n");
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_DIRS", share.Path().toUtf8());
    qputenv("XDG_DATA_HOME", share.File("nothing").toUtf8());
    test::TCliRunner cli;
    const test::TCliResult r = cli({"apps", "list"});
    qputenv("XDG_DATA_DIRS", saved);
    qputenv("XDG_DATA_HOME", savedHome);
    EXPECT_EQ(r.rc, 0);
    EXPECT_TRUE(r.out.contains("texteditor\t/bin/sh -c true $P$")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("ghost")) << r.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(cli.data.File("Apps"))) << "listing writes nothing";
}

} // namespace
