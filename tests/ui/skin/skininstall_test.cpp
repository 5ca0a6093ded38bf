// Installing skins: parameters, download names, checked downloads that replace files atomically.
#include "ui/skin/skininstall.h"

#include "support/systemfakes.h"
#include "support/testsupport.h"
#include "ziptestfile.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <optional>

namespace vantrelo {
namespace {

using test::ReadAll;
using test::TFakeFetcher;
using test::TempDir;
using test::WriteAll;

struct NameCase {
    const char* url;
    const char* name;
};

class DownloadNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(DownloadNameTest, IsAPlainFileName) {
    EXPECT_EQ(SkinFileNameFromUrl(QString::fromUtf8(GetParam().url)), QString::fromUtf8(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Cases, DownloadNameTest,
                         ::testing::Values(NameCase{"https://example.org/skins/blue.skn?v=2", "blue.skn"},
                                           NameCase{"http://example.org/a/b%20c.zip#top", "b c.zip"},
                                           NameCase{"https://example.org/a/%2e%2e%2fevil.skn", "_evil.skn"},
                                           NameCase{"https://example.org/..%5C..%5Cx.skn", "_.._x.skn"},
                                           NameCase{"https://example.org/.bashrc", "bashrc"},
                                           NameCase{"https://example.org/", "downloaded skin"},
                                           NameCase{"https://example.org/a;b|c.skn", "a_b_c.skn"}));

TEST(SkinParameter, WebAddressesAndPaths) {
    EXPECT_TRUE(IsSkinWebAddress(QStringLiteral("HTTPS://x/y.skn")));
    EXPECT_TRUE(IsSkinWebAddress(QStringLiteral("www.example.org/y.skn")));
    EXPECT_FALSE(IsSkinWebAddress(QStringLiteral("httpskins.skn")));
    EXPECT_EQ(SkinPathFromParameter(QStringLiteral("blue"), QStringLiteral("/s"), QStringLiteral("/home/u")),
              QStringLiteral("/s/blue.skn"));
    EXPECT_EQ(SkinPathFromParameter(QStringLiteral("p.zip"), QStringLiteral("/s/"), QStringLiteral("/home/u")),
              QStringLiteral("/s/p.zip"));
    EXPECT_EQ(SkinPathFromParameter(QStringLiteral("/opt/x.skn"), QStringLiteral("/s"), QStringLiteral("/home/u")),
              QStringLiteral("/opt/x.skn"));
    EXPECT_EQ(SkinPathFromParameter(QStringLiteral("~/x"), QStringLiteral("/s"), QStringLiteral("/home/u")),
              QStringLiteral("/home/u/x.skn"));
}

class SkinInstallTest : public ::testing::Test {
protected:
    TempDir dir;
    TFakeFetcher fetcher;
    TSkinInstaller installer{dir.File(QStringLiteral("skins")), &fetcher};

    TSkinInstallResult Download(const QString& url) {
        std::optional<TSkinInstallResult> got;
        installer.InstallUrl(url, [&](const TSkinInstallResult& r) { got = r; });
        EXPECT_TRUE(got.has_value());
        return got.value_or(TSkinInstallResult{});
    }
    QString Old() {
        const QString path = dir.File(QStringLiteral("skins/blue.skn"));
        WriteAll(path, "[skinvalues]\r\ntextcolor=#000001\r\n");
        return path;
    }
};

TEST_F(SkinInstallTest, GoodSkinReplacesTheOldFile) {
    const QString old = Old();
    fetcher.answer.ok = true;
    fetcher.answer.body = "[skinvalues]\r\ntextcolor=#FF0000\r\n";
    const TSkinInstallResult r = Download(QStringLiteral("https://example.org/skins/blue.skn?x=1"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.skinPath, old);
    EXPECT_EQ(ReadAll(old), fetcher.answer.body);
    EXPECT_EQ(fetcher.maxBytes, TSkinInstaller::kMaxDownloadBytes);
    EXPECT_EQ(QDir(dir.File(QStringLiteral("skins"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

struct BadDownload {
    const char* label;
    bool ok;
    const char* body;
};

class BadDownloadTest : public SkinInstallTest, public ::testing::WithParamInterface<BadDownload> {};

TEST_P(BadDownloadTest, LeavesTheOldSkinUntouched) {
    const QString old = Old();
    const QByteArray before = ReadAll(old);
    fetcher.answer.ok = GetParam().ok;
    fetcher.answer.body = GetParam().ok ? QByteArray(GetParam().body) : QByteArray();
    fetcher.answer.error = QStringLiteral("HTTP 404");
    const TSkinInstallResult r = Download(QStringLiteral("https://example.org/blue.skn"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(ReadAll(old), before);
    EXPECT_EQ(QDir(dir.File(QStringLiteral("skins"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDownloadTest,
                         ::testing::Values(BadDownload{"error status", false, ""},
                                           BadDownload{"html page", true, "<html><body>Not found</body></html>"},
                                           BadDownload{"bad colour", true, "[skinvalues]\r\ntextcolor=#XYZ\r\n"},
                                           BadDownload{"broken zip", true, "PK\x03\x04garbage"}));

TEST_F(SkinInstallTest, DownloadedPackageIsUnpacked) {
    const QString zip = dir.File(QStringLiteral("p.zip"));
    ASSERT_TRUE(test::WriteZip(zip, {{"green.skn", "[skinvalues]\r\n"}, {"green.png", "x"}}));
    fetcher.answer.ok = true;
    fetcher.answer.body = ReadAll(zip);
    const TSkinInstallResult r = Download(QStringLiteral("www.example.org/get?id=3"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(fetcher.urls, QStringList{QStringLiteral("https://www.example.org/get?id=3")});
    EXPECT_EQ(QFileInfo(r.skinPath).fileName(), QStringLiteral("green.skn"));
    EXPECT_TRUE(QFileInfo::exists(dir.File(QStringLiteral("skins/green.png"))));
    EXPECT_TRUE(QFileInfo::exists(dir.File(QStringLiteral("skins/get.zip"))));
}

TEST_F(SkinInstallTest, LocalFiles) {
    const TSkinInstallResult missing = installer.InstallFile(dir.File(QStringLiteral("none.skn")));
    EXPECT_EQ(missing.error, QStringLiteral("The .skn skin file not found (") + dir.File(QStringLiteral("none.skn")) +
                                 QStringLiteral(")."));
    const QString local = dir.File(QStringLiteral("mine.skn"));
    WriteAll(local, "[skinvalues]\r\n");
    std::optional<TSkinInstallResult> got;
    installer.Install(QStringLiteral("mine"), dir.Path(), QString(), [&](const TSkinInstallResult& r) { got = r; });
    ASSERT_TRUE(got && got->ok);
    EXPECT_EQ(got->skinPath, local);
    EXPECT_TRUE(fetcher.urls.isEmpty());
}

} // namespace
} // namespace vantrelo
