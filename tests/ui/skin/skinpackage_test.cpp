// Skin packages: unpacking a good package and refusing names that leave the skins folder.
#include "ui/skin/skinpackage.h"

#include "support/testsupport.h"
#include "ziptestfile.h"

#include <QDir>
#include <QDirIterator>
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

QStringList Tree(const QString& root) {
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next().mid(root.size());
    out.sort();
    return out;
}

TEST_F(SkinPackageTest, ARefusedPackageLeavesTheSkinsFolderAsItWas) {
    // The fuzzer's package (entries "a" then "a/b.skn"), byte for byte.
    const QByteArray found = QByteArray::fromHex(
        "504b03041400000008000000210010369f8c060000000400000001000000614bcbcc490500504b030414000000080000"
        "0021008316dc8c030000000100000007000000612f622e736b6eab0000504b010214031400000008000000210010369f"
        "8c060000000400000001000000000000000000000080010000000061504b01021403140000000800000021008316dc8c"
        "0300000001000000070000000000000000000000800125000000612f622e736b6e504b05060000000002000200640000"
        "004d0000000000");
    const std::vector<std::vector<std::pair<QByteArray, QByteArray>>> packages = {
        {{"./a/./b.skn", kSkin}, {"a/b.skn/", ""}},
        {{"a/", ""}, {"a", "file over a folder"}, {"c.skn", kSkin}},
        {{"c.skn", kSkin}, {"d.skn", kSkin}, {"d.skn/e.png", "x"}},
    };
    QDir().mkpath(Skins());
    test::WriteAll(Skins() + QStringLiteral("mine.skn"), kSkin);
    const QStringList before = Tree(dir.Path());

    test::WriteAll(dir.File(QStringLiteral("found.zip")), found);
    TPackageResult r = InstallSkinPackage(dir.File(QStringLiteral("found.zip")), Skins());
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.endsWith(QStringLiteral("Nothing was installed."))) << r.error.toStdString();
    QFile::remove(dir.File(QStringLiteral("found.zip")));
    EXPECT_EQ(Tree(dir.Path()), before);
    for (const auto& entries : packages) {
        const QString zip = Zip(entries);
        const QStringList withZip = Tree(dir.Path());
        r = InstallSkinPackage(zip, Skins());
        EXPECT_FALSE(r.ok) << entries.front().first.toStdString();
        EXPECT_TRUE(r.written.isEmpty());
        EXPECT_EQ(Tree(dir.Path()), withZip) << entries.front().first.toStdString();
    }
}

TEST_F(SkinPackageTest, NothingInTheWayMayBeALinkOrOfAnotherKind) {
    QDir().mkpath(Skins() + QStringLiteral("folder"));
    QDir().mkpath(dir.File(QStringLiteral("outside")));
    test::WriteAll(Skins() + QStringLiteral("file"), "mine");
    test::WriteAll(dir.File(QStringLiteral("outside/target")), "outside");
    ASSERT_TRUE(QFile::link(dir.File(QStringLiteral("outside")), Skins() + QStringLiteral("linkdir")));
    ASSERT_TRUE(QFile::link(dir.File(QStringLiteral("outside/target")), Skins() + QStringLiteral("linkfile")));
    const QStringList before = Tree(dir.Path());
    for (const char* name : {"linkdir", "linkfile", "folder", "file/x.png", "linkdir/x.png"}) {
        const QString zip = Zip({{"ok.skn", kSkin}, {name, "package"}});
        const QStringList withZip = Tree(dir.Path());
        const TPackageResult r = InstallSkinPackage(zip, Skins());
        EXPECT_FALSE(r.ok) << name;
        EXPECT_EQ(Tree(dir.Path()), withZip) << name;
    }
    EXPECT_TRUE(QFileInfo(Skins() + QStringLiteral("linkdir")).isSymLink());
    EXPECT_EQ(ReadAll(dir.File(QStringLiteral("outside/target"))), QByteArray("outside"));
}

TEST_F(SkinPackageTest, AnAcceptedPackageJoinsTheSkinsAlreadyThere) {
    QDir().mkpath(Skins() + QStringLiteral("pics"));
    test::WriteAll(Skins() + QStringLiteral("mine.skn"), "mine");
    test::WriteAll(Skins() + QStringLiteral("pics/mine.png"), "mine");
    test::WriteAll(Skins() + QStringLiteral("new.skn"), "older copy");
    const QString zip = Zip({{"new.skn", kSkin}, {"pics/new.png", "png"}, {"fresh/deep/x.png", "x"}});
    const TPackageResult r = InstallSkinPackage(zip, Skins());
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(Tree(Skins()), (QStringList{"fresh", "fresh/deep", "fresh/deep/x.png", "mine.skn", "new.skn", "pics",
                                          "pics/mine.png", "pics/new.png"}));
    EXPECT_EQ(ReadAll(Skins() + QStringLiteral("new.skn")), kSkin);
    EXPECT_EQ(r.written.size(), 3);
    // No staging folder is left beside the skins folder.
    EXPECT_EQ(QDir(dir.File(QStringLiteral("data"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("skins")});
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
