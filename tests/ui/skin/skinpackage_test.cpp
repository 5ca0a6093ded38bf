// Skin packages: unpacking a good package and refusing names that leave the skins folder.
#include "ui/skin/skinpackage.h"

#include "support/testsupport.h"
#include "ziptestfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

using test::ReadAll;
using test::TempDir;
using test::WriteZip;

const QByteArray kSkin = "[skinvalues]\r\ntextcolor=#112233\r\n";

class SkinPackageTest : public ::testing::Test {
protected:
    TempDir dir;
    QString Skins() const { return dir.File(QStringLiteral("data/skins/")); }
    QString Zip(const std::vector<std::pair<QByteArray, QByteArray>>& entries) {
        const QString path = dir.File(QStringLiteral("package.zip"));
        QFile::remove(path);
        EXPECT_TRUE(WriteZip(path, entries));
        return path;
    }
};

TEST_F(SkinPackageTest, UnpacksEveryEntryAndNamesTheLastSkin) {
    const QString zip = Zip({{"first.skn", kSkin}, {"pics/", ""}, {"pics/bg.png", "png bytes"},
                             {"sub\\second.skn", kSkin + "fontsize=9\r\n"}});
    const TPackageResult r = InstallSkinPackage(zip, Skins());
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.skinPath, QDir::cleanPath(Skins()) + QStringLiteral("/sub/second.skn"));
    EXPECT_EQ(ReadAll(Skins() + QStringLiteral("first.skn")), kSkin);
    EXPECT_EQ(ReadAll(Skins() + QStringLiteral("pics/bg.png")), QByteArray("png bytes"));
    EXPECT_EQ(ReadAll(r.skinPath), kSkin + "fontsize=9\r\n");
    EXPECT_EQ(r.written.size(), 3);
}

class EvilEntryTest : public SkinPackageTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(EvilEntryTest, RefusesThePackageAndWritesNothing) {
    const QByteArray evil = GetParam();
    const QString zip = Zip({{"good.skn", kSkin}, {evil, "owned"}});
    const TPackageResult r = InstallSkinPackage(zip, Skins());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QString::fromUtf8(evil))) << r.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(Skins() + QStringLiteral("good.skn")));
    EXPECT_FALSE(QFileInfo::exists(dir.File(QStringLiteral("data/x"))));
    EXPECT_FALSE(QFileInfo::exists(dir.File(QStringLiteral("x"))));
    EXPECT_TRUE(r.written.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, EvilEntryTest,
                         ::testing::Values("../x", "..\\x", "a/../../x", "/tmp/vantrelo-evil-x", "C:\\x", "a/..",
                                           "ok/\x01name"));

TEST(SkinPackageNames, SafeNamesStayInside) {
    for (const char* ok : {"a.skn", "pics/bg.png", "sub\\x.skn", "./a.skn", "a..b.skn"})
        EXPECT_TRUE(IsSafeEntryName(QString::fromUtf8(ok))) << ok;
    for (const char* bad : {"", "/", "../a", "\\\\server\\x", "d:x"})
        EXPECT_FALSE(IsSafeEntryName(QString::fromUtf8(bad))) << bad;
}

TEST_F(SkinPackageTest, PackageWithoutSkinIsRefusedWithTheMessage) {
    const QString zip = Zip({{"readme.txt", "hello"}});
    const TPackageResult r = InstallSkinPackage(zip, Skins());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("Could not find a \".skn\" skin file inside the zip file (") + zip +
                           QStringLiteral(")."));
    EXPECT_FALSE(QFileInfo::exists(Skins() + QStringLiteral("readme.txt")));
}

TEST_F(SkinPackageTest, LinkedFolderCannotCarryFilesOutside) {
    QDir().mkpath(Skins());
    QDir().mkpath(dir.File(QStringLiteral("outside")));
    ASSERT_TRUE(QFile::link(dir.File(QStringLiteral("outside")), Skins() + QStringLiteral("linked")));
    const QString zip = Zip({{"linked/a.skn", kSkin}});
    const TPackageResult r = InstallSkinPackage(zip, Skins());
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(QFileInfo::exists(dir.File(QStringLiteral("outside/a.skn"))));
}

TEST_F(SkinPackageTest, NotAZipIsRefused) {
    const QString path = dir.File(QStringLiteral("fake.zip"));
    test::WriteAll(path, "<html>404</html>");
    EXPECT_FALSE(InstallSkinPackage(path, Skins()).ok);
    EXPECT_FALSE(LooksLikeZip("<html>"));
    EXPECT_TRUE(LooksLikeZip(ReadAll(Zip({{"a.skn", kSkin}}))));
}

} // namespace
} // namespace vantrelo
