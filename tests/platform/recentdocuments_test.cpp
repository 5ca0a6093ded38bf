// Recent documents from a recently-used.xbel in a temporary data folder.
#include "platform/linux/recentdocuments_linux.h"
#include "support/testsupport.h"

#include <QUrl>
#include <gtest/gtest.h>

namespace vantrelo::test {
namespace {

QByteArray Bookmark(const QString& href, const char* modified) {
    return QStringLiteral("  <bookmark href=\"%1\" added=\"2024-01-01T10:00:00Z\" modified=\"%2\" "
                          "visited=\"2024-01-01T10:00:00Z\">\n    <info><metadata owner=\"http://freedesktop.org\">"
                          "<mime:mime-type type=\"text/plain\"/></metadata></info>\n  </bookmark>\n")
        .arg(href, QString::fromUtf8(modified))
        .toUtf8();
}

TEST(RecentDocuments, ExistingLocalFilesNewestFirst) {
    TempDir dir;
    WriteAll(dir.File("old.txt"), "a");
    WriteAll(dir.File("new report.pdf"), "b");
    WriteAll(dir.File("middle.odt"), "c");
    auto url = [&](const char* name) { return QUrl::fromLocalFile(dir.File(QString::fromUtf8(name))).toString(QUrl::FullyEncoded); };
    QByteArray xbel = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xbel version=\"1.0\" "
                      "xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\" "
                      "xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
    xbel += Bookmark(url("old.txt"), "2024-03-01T08:00:00.123456Z");
    xbel += Bookmark(url("new report.pdf"), "2024-05-02T09:30:00Z");
    xbel += Bookmark(url("gone.txt"), "2024-06-01T09:30:00Z");       // deleted since
    xbel += Bookmark("https://example.com/page", "2024-06-02T09:30:00Z"); // not a local file
    xbel += Bookmark(url("middle.odt"), "2024-04-01T12:00:00Z");
    xbel += "</xbel>\n";
    WriteAll(dir.File("recently-used.xbel"), xbel);

    const std::vector<TMyShellItem> docs = TXbelRecentDocuments(dir.Path()).RecentDocuments();
    ASSERT_EQ(docs.size(), 3u);
    EXPECT_EQ(docs[0].name, QStringLiteral("new report.pdf"));
    EXPECT_EQ(docs[0].path, dir.File("new report.pdf"));
    EXPECT_EQ(docs[1].name, QStringLiteral("middle.odt"));
    EXPECT_EQ(docs[2].name, QStringLiteral("old.txt"));
}

TEST(RecentDocuments, MissingOrBrokenStoreGivesNothing) {
    TempDir dir;
    EXPECT_TRUE(TXbelRecentDocuments(dir.Path()).RecentDocuments().empty());
    WriteAll(dir.File("a.txt"), "a");
    WriteAll(dir.File("recently-used.xbel"),
             "<xbel version=\"1.0\">" + Bookmark(QUrl::fromLocalFile(dir.File("a.txt")).toString(), "2024-01-01T00:00:00Z") +
                 "<bookmark href=\"");
    EXPECT_TRUE(TXbelRecentDocuments(dir.Path()).RecentDocuments().empty());
}

} // namespace
} // namespace vantrelo::test
