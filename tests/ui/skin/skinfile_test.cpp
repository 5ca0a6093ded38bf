// Skin files: colours, loading into settings, layout values, pictures, paths and saving.
#include "ui/skin/skinfile.h"
#include "ui/skin/skinsave.h"

#include "core/inifile.h"
#include "support/testsupport.h"

#include <QDir>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

using test::TempDir;
using test::WriteText;

struct ColourCase {
    const char* text;
    bool ok;
    int value;
};

class SkinColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(SkinColourTest, ReadsRrggbbIntoWindowsOrder) {
    const ColourCase& c = GetParam();
    int v = -1;
    EXPECT_EQ(ParseSkinColour(QString::fromUtf8(c.text), v), c.ok);
    if (c.ok) {
        EXPECT_EQ(v, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinColourTest,
                         ::testing::Values(ColourCase{"#3CBAD9", true, 14268988}, ColourCase{"3CBAD9", true, 0xD9BA3C},
                                           ColourCase{" #ff0000 ", true, 0x0000FF}, ColourCase{"#0000FF", true, 0xFF0000},
                                           ColourCase{"#GG0000", false, 0}, ColourCase{"#", false, 0},
                                           ColourCase{"#1234567", false, 0}, ColourCase{"blue", false, 0}));

TEST(SkinColour, TextRoundTripsInUpperCase) {
    EXPECT_EQ(SkinColourText(14268988), QStringLiteral("#3CBAD9"));
    int v = 0;
    ASSERT_TRUE(ParseSkinColour(SkinColourText(0x0A0B0C), v));
    EXPECT_EQ(v, 0x0A0B0C);
    EXPECT_EQ(ToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(0x3C, 0xBA, 0xD9)), 14268988);
}

TEST(SkinColour, ShiftLightensDarkAndDarkensLight) {
    int dark = 0;
    ParseSkinColour(QStringLiteral("#171B1D"), dark);
    EXPECT_EQ(SkinColourText(ShiftColour(dark, 138)), QStringLiteral("#4D5153"));
    int light = 0;
    ParseSkinColour(QStringLiteral("#C8FFFF"), light); // green above 180: light
    EXPECT_EQ(SkinColourText(ShiftColour(light, 40)), QStringLiteral("#B8EFEF"));
    EXPECT_EQ(SkinColourText(DarkenColour(dark, 138)), QStringLiteral("#000000"));
    EXPECT_EQ(SkinColourText(ShiftColour(0xFFFFFF, 1000)), QStringLiteral("#000000")); // clamped
}

class SkinReadTest : public ::testing::Test {
protected:
    TempDir dir;
    TSettings current;

    QString Skin(const QString& name, const QString& body) {
        const QString path = dir.File(name);
        WriteText(path, QStringLiteral("[skinvalues]\n") + body);
        return path;
    }
    TSkinReadResult Load(const QString& path, bool fromDialog = false) {
        return ReadSkin(TSkinReadRequest{path, dir.Path(), true, fromDialog}, current);
    }
    void Picture(const QString& name, QColor colour) {
        QImage img(8, 6, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(dir.File(name)));
    }
};

TEST_F(SkinReadTest, LoadingTakesEveryKeyIntoTheSettings) {
    const QString path = Skin(QStringLiteral("full.skn"),
                              QStringLiteral("skintype=Scale\nwindowcolor=#010203\ntextcolor=3CBAD9\ntextbackcolor=#171B1D\n"
                                             "buttonfillcolor=#111111\nbuttonarrowcolor=#222222\nbuttonoutlinecolor=#333333\n"
                                             "titletextcolor=#444444\nshowcombo=1\nfontname=DejaVu Sans\nfontsize=21\n"
                                             "fontbold=1\ntransactive=200\ntransinactive=abc\nlistitems=9\n"
                                             "listfontname=Mono\nlistfontsize=11\nlistrowheight=40\nfailcolor=65280\n"
                                             "message=Made for tests{BR}line two\n"));
    current.listrowmode = 2;
    const TSkinReadResult r = Load(path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const TSettings& s = r.settings;
    EXPECT_EQ(s.windowcolor, 0x030201);
    EXPECT_EQ(s.inputwindowcolor, 0x030201); // absent: the list border colour
    EXPECT_EQ(s.textcolor, 14268988);
    EXPECT_EQ(SkinColourText(s.listtitlecolor), QStringLiteral("#4D5153")); // absent: shifted background
    EXPECT_EQ(s.fillcolor, 0x111111);
    EXPECT_EQ(s.arrowcolor, 0x222222);
    EXPECT_EQ(s.outlinecolor, 0x333333);
    EXPECT_EQ(s.titlecolor, 0x444444);
    EXPECT_TRUE(s.showcombo);
    EXPECT_EQ(s.fontname, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(s.fontsize, 21);
    EXPECT_TRUE(s.fontbold);
    EXPECT_EQ(s.transactive, 200);
    EXPECT_EQ(s.transinactive, 255); // not a number
    EXPECT_EQ(s.maxvisible, 9);
    EXPECT_EQ(s.listfontname, QStringLiteral("Mono"));
    EXPECT_EQ(s.listfontsize, 11);
    EXPECT_EQ(s.listrowheight, 40);
    EXPECT_EQ(s.listrowmode, 0);
    EXPECT_EQ(s.failcolor, 65280);
    EXPECT_EQ(s.skinname, path);
    EXPECT_EQ(s.skintype, 4);
    EXPECT_EQ(r.note, QStringLiteral(" Skin note:\r\n\r\nMade for tests\r\nline two"));
    EXPECT_EQ(r.layout.listtextcolor, 14268988); // the list text follows the input text
}

TEST_F(SkinReadTest, MalformedColourRefusesTheWholeSkin) {
    const QString path = Skin(QStringLiteral("bad.skn"), QStringLiteral("textcolor=#112233\nfontsize=30\n"
                                                                         "listfocusbgcolor=#12345G\n"));
    const TSkinReadResult r = Load(path);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains(QStringLiteral("listfocusbgcolor"))) << r.error.toStdString();
    EXPECT_TRUE(r.error.contains(path));
}

TEST_F(SkinReadTest, ApplyingWithoutLoadingLeavesSettingsAndReadsLayout) {
    const QString path = Skin(QStringLiteral("layout.skn"),
                              QStringLiteral("textcolor=#FFFFFF\nlistfocustextcolor=#010101\nlistfocusbgcolor=#020202\n"
                                             "listfillmode=Gradient\nbordersizewindow=5\nbordersizelist=abc\n"
                                             "bordertweaks=0\nminimumwidth=600\ntitlefontname=Serif\n"));
    current.skinname = QStringLiteral("/elsewhere.skn");
    const TSkinReadResult r = ReadSkin(TSkinReadRequest{path, dir.Path(), false, false}, current);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.settings.textcolor, current.textcolor);
    EXPECT_EQ(r.settings.skinname, current.skinname);
    EXPECT_EQ(r.layout.listfocustextcolor, 0x010101);
    EXPECT_EQ(r.layout.listfocusbgcolor, 0x020202);
    EXPECT_EQ(r.layout.listfillmode, QStringLiteral("gradient"));
    EXPECT_EQ(r.layout.bordersizewindow, 5);
    EXPECT_EQ(r.layout.bordersizelist, 2);
    EXPECT_FALSE(r.layout.bordertweaks);
    EXPECT_EQ(r.layout.minimumwidth, 600);
    EXPECT_EQ(r.layout.titlefontname, QStringLiteral("Serif"));
}

TEST_F(SkinReadTest, OtherDisplayStyleFromTheDialogKeepsOnlyTheColours) {
    const QString path = Skin(QStringLiteral("mini.skn"), QStringLiteral("skintype=mini\ntextcolor=#010203\nshowcombo=1\n"
                                                                          "fontname=Other\n"));
    current.skinname = QStringLiteral("old.skn");
    const TSkinReadResult fromDialog = Load(path, true);
    ASSERT_TRUE(fromDialog.ok);
    EXPECT_EQ(fromDialog.settings.textcolor, 0x030201);
    EXPECT_EQ(fromDialog.settings.fontname, current.fontname);
    EXPECT_FALSE(fromDialog.settings.showcombo);
    EXPECT_EQ(fromDialog.settings.skinname, QStringLiteral("old.skn"));
    EXPECT_FALSE(fromDialog.notice.isEmpty());
    EXPECT_EQ(fromDialog.settings.skintype, 4);

    const TSkinReadResult fromCommandLine = Load(path, false);
    EXPECT_EQ(fromCommandLine.settings.fontname, QStringLiteral("Other"));
    EXPECT_EQ(fromCommandLine.settings.skinname, path);
    EXPECT_TRUE(fromCommandLine.notice.isEmpty());
}

struct PictureCase {
    const char* position;
    bool autodropdown;
    const char* expectPosition;
    bool merged;
};

class SkinPictureTest : public SkinReadTest, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(SkinPictureTest, ListPictureMergesOnlyWhenTheListOpensByItself) {
    const PictureCase& c = GetParam();
    Picture(QStringLiteral("list.png"), Qt::red);
    Picture(QStringLiteral("tile.png"), Qt::blue);
    const QString path = Skin(QStringLiteral("pic.skn"), QStringLiteral("listtilepicture=list.png\nskintilepicture=tile.png\n"
                                                                         "listtilepictureposition=%1\n")
                                                             .arg(QLatin1String(c.position)));
    current.autodropdown = c.autodropdown;
    current.listbehaveslikedropdown = false;
    const TSkinReadResult r = ReadSkin(TSkinReadRequest{path, dir.Path(), false, false}, current);
    ASSERT_TRUE(r.ok);
    EXPECT_FALSE(r.layout.listpicture.isNull());
    EXPECT_EQ(r.layout.listtilepictureposition, QLatin1String(c.expectPosition));
    ASSERT_FALSE(r.layout.skinpicture.isNull());
    EXPECT_EQ(r.layout.skinpicture.pixelColor(0, 0), c.merged ? QColor(Qt::red) : QColor(Qt::blue));
}

INSTANTIATE_TEST_SUITE_P(Cases, SkinPictureTest,
                         ::testing::Values(PictureCase{"CenterMerge", true, "centermerge", true},
                                           PictureCase{"cover", true, "cover", true},
                                           PictureCase{"centermerge", false, "center", false},
                                           PictureCase{"cover", false, "coverlist", false},
                                           PictureCase{"merge", true, "merge", false}));

TEST_F(SkinReadTest, PicturesWithOtherExtensionsOrMissingAreIgnored) {
    Picture(QStringLiteral("tile.png"), Qt::blue);
    QFile::copy(dir.File(QStringLiteral("tile.png")), dir.File(QStringLiteral("tile.gif")));
    const QString gif = Skin(QStringLiteral("gif.skn"), QStringLiteral("skintilepicture=tile.gif\n"));
    const QString missing = Skin(QStringLiteral("missing.skn"), QStringLiteral("skintilepicture=none.png\n"));
    for (const QString& path : {gif, missing}) {
        const TSkinReadResult r = ReadSkin(TSkinReadRequest{path, dir.Path(), true, false}, current);
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(r.layout.skinpicture.isNull());
    }
}

TEST_F(SkinReadTest, MissingSkinGivesTheBuiltInLook) {
    current.skintype = 1;
    const TSkinReadResult r = Load(dir.File(QStringLiteral("nothing.skn")));
    EXPECT_TRUE(r.ok);
    EXPECT_FALSE(r.found);
    EXPECT_EQ(r.settings.skintype, 4);
    EXPECT_EQ(r.layout.bordersizewindow, 2);
}

TEST_F(SkinReadTest, SkinPathResolvesProgramFolderAndFallsBackToShippedSkins) {
    QDir(dir.Path()).mkpath(QStringLiteral("skins"));
    WriteText(dir.File(QStringLiteral("skins/blue.skn")), QStringLiteral("[skinvalues]\n"));
    const QString shipped = dir.File(QStringLiteral("skins/blue.skn"));
    EXPECT_EQ(ResolveSkinPath(QStringLiteral("$h$/skins/blue.skn"), dir.Path()), shipped);
    EXPECT_EQ(ResolveSkinPath(QStringLiteral("$H$/skins/blue.skn"), dir.Path()), shipped);
    EXPECT_EQ(ResolveSkinPath(QStringLiteral("C:\\Program Files\\Old\\skins\\blue.skn"), dir.Path()), shipped);
    EXPECT_EQ(ResolveSkinPath(QStringLiteral("/nowhere/blue.skn"), dir.Path()), shipped);
    EXPECT_EQ(ResolveSkinPath(QStringLiteral("/nowhere/red.skn"), dir.Path()), QString());
    EXPECT_EQ(ResolveSkinPath(QString(), dir.Path()), QString());
}

TEST_F(SkinReadTest, ListTitleCode1234TakesTitleColoursOnEveryApplication) {
    const QString path = Skin(QStringLiteral("t.skn"), QStringLiteral("titletextcolor=#010203\ntextbackcolor=#171B1D\n"));
    current.listtitlecolor = 1234;
    current.textbackcolor = 0x1D1B17;
    const TSkinReadResult r = ReadSkin(TSkinReadRequest{path, dir.Path(), false, false}, current);
    ASSERT_TRUE(r.layout.titlecolor.has_value());
    EXPECT_EQ(*r.layout.titlecolor, 0x030201);
    EXPECT_EQ(SkinColourText(*r.layout.listtitlecolor), QStringLiteral("#4D5153"));
}

TEST(ShippedSkins, EveryShippedSkinLoads) {
    const QDir skins(QStringLiteral(VANTRELO_DATA_DIR "/skins"));
    const QStringList files = skins.entryList({QStringLiteral("*.skn")}, QDir::Files);
    EXPECT_TRUE(files.contains(QStringLiteral("scale_dark.skn")));
    EXPECT_GE(files.size(), 2);
    for (const QString& f : files) {
        const TSkinReadResult r = ReadSkin(TSkinReadRequest{skins.filePath(f), QString(), true, false}, TSettings{});
        EXPECT_TRUE(r.ok && r.found) << f.toStdString() << r.error.toStdString();
    }
}

TEST_F(SkinReadTest, SavedLookLoadsBackWithTheSameValues) {
    TSettings s;
    s.textcolor = 0x123456;
    s.textbackcolor = 0x0A0B0C;
    s.fontname = QStringLiteral("Mono");
    s.fontsize = 19;
    s.transactive = 180;
    TSkinLayout layout = DefaultSkinLayout(s);
    TSkinSaveGroups groups;
    groups.colours = groups.font = groups.transparency = true;
    const QString path = dir.File(QStringLiteral("saved.skn"));
    ASSERT_TRUE(SaveSkin(path, groups, s, layout, QString()).ok);
    const TSkinReadResult r = ReadSkin(TSkinReadRequest{path, dir.Path(), true, false}, TSettings{});
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.settings.textcolor, 0x123456);
    EXPECT_EQ(r.settings.textbackcolor, 0x0A0B0C);
    EXPECT_EQ(r.settings.fontname, QStringLiteral("Mono"));
    EXPECT_EQ(r.settings.fontsize, 19);
    EXPECT_EQ(r.settings.transactive, 180);
    const TMemIniFile ini(path);
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("skinvalues"), QStringLiteral("showcombo")));
}

TEST_F(SkinReadTest, SavingPictureGroupCopiesOtherStyleKeysFromTheCurrentSkin) {
    const QString old = Skin(QStringLiteral("old.skn"), QStringLiteral("skinpicture=bg.bmp\nuselist=7\neditleft=12\n"
                                                                        "listtilepicture=x.png\n"));
    TSkinSaveGroups groups;
    groups.picture = true;
    const QString path = dir.File(QStringLiteral("new.skn"));
    ASSERT_TRUE(SaveSkin(path, groups, TSettings{}, TSkinLayout{}, old).ok);
    const TMemIniFile ini(path);
    const QString sec = QStringLiteral("skinvalues");
    EXPECT_EQ(ini.ReadString(sec, QStringLiteral("skinpicture"), QString()), QStringLiteral("bg.bmp"));
    EXPECT_EQ(ini.ReadString(sec, QStringLiteral("uselist"), QString()), QStringLiteral("1"));
    EXPECT_EQ(ini.ReadString(sec, QStringLiteral("editleft"), QString()), QStringLiteral("12"));
    EXPECT_EQ(ini.ReadString(sec, QStringLiteral("skintype"), QString()), QStringLiteral("scale"));
    EXPECT_FALSE(ini.ValueExists(sec, QStringLiteral("listtilepicture")));
}

TEST_F(SkinReadTest, ASecondSignBehindABlankNeverReadsAsANumber) {
    // The fuzzer's download: under UBSan it negated the smallest 64-bit value.
    const QByteArray download("[skinvalues]\r\nfontsize=- -9223372036854775808\r\n");
    EXPECT_TRUE(LooksLikeSkin(download));
    // Each reads as a value that is no number: the same as "junk", never as 5.
    const int notANumber = Load(Skin(QStringLiteral("junk.skn"), QStringLiteral("fontsize=junk\n"))).settings.fontsize;
    ASSERT_NE(notANumber, 5);
    for (const char* value : {"- -9223372036854775808", "- -5", "--5"}) {
        const QString path = Skin(QStringLiteral("sign.skn"), QStringLiteral("fontsize=%1\n").arg(QLatin1String(value)));
        const TSkinReadResult r = Load(path);
        ASSERT_TRUE(r.ok) << value;
        EXPECT_EQ(r.settings.fontsize, notANumber) << value;
    }
}

TEST(SkinPictures, StayInsideTheSkinsFolderOrTheProgramsForShippedSkins) {
    TempDir root;
    const QString program = root.File(QStringLiteral("program/"));
    const QString user = root.File(QStringLiteral("user/skins/"));
    QDir().mkpath(program + QStringLiteral("skins/pics"));
    QDir().mkpath(user + QStringLiteral("pics"));
    QDir().mkpath(root.File(QStringLiteral("private")));
    auto picture = [](const QString& path) {
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::green);
        ASSERT_TRUE(img.save(path));
    };
    picture(root.File(QStringLiteral("private/secret.png")));
    picture(program + QStringLiteral("logo.png"));
    picture(user + QStringLiteral("pics/own.png"));
    picture(program + QStringLiteral("skins/pics/own.png"));
    ASSERT_TRUE(QFile::link(root.File(QStringLiteral("private/secret.png")), user + QStringLiteral("pics/link.png")));
    const QString secret = root.File(QStringLiteral("private/secret.png"));
    struct {
        QString skinFolder;
        QString picture;
        bool taken;
    } cases[] = {
        {user, QStringLiteral("pics/own.png"), true},
        {user, user + QStringLiteral("pics/own.png"), true},
        {user, secret, false},
        {user, QStringLiteral("../../private/secret.png"), false},
        {user, QStringLiteral("pics/link.png"), false},
        {user, QStringLiteral("pics/../../../program/logo.png"), false},
        {user, program + QStringLiteral("logo.png"), false},
        {program + QStringLiteral("skins/"), QStringLiteral("pics/own.png"), true},
        {program + QStringLiteral("skins/"), QStringLiteral("../logo.png"), true},
        {program + QStringLiteral("skins/"), secret, false},
    };
    for (const auto& c : cases) {
        WriteText(c.skinFolder + QStringLiteral("s.skn"), QStringLiteral("[skinvalues]\nskintilepicture=%1\n").arg(c.picture));
        const TSkinReadResult r = ReadSkin(TSkinReadRequest{c.skinFolder + QStringLiteral("s.skn"), program, false, false}, TSettings{});
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(!r.layout.skinpicture.isNull(), c.taken) << c.picture.toStdString();
    }
}

TEST(SkinPictures, AnOversizedPictureIsRefusedFromItsHeader) {
    TempDir dir;
    // A PNG header that declares 100000 x 100000 pixels with no image data behind it: the header
    // alone refuses it.
    QImage small(1, 1, QImage::Format_RGB32);
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(dir.File(QStringLiteral("huge.png"))));
    QByteArray png = test::ReadAll(dir.File(QStringLiteral("huge.png")));
    const char side[4] = {0, 1, char(0x86), char(0xA0)}; // 100000, big-endian
    png.replace(16, 4, side, 4);
    png.replace(20, 4, side, 4);
    test::WriteAll(dir.File(QStringLiteral("huge.png")), png);
    WriteText(dir.File(QStringLiteral("s.skn")), QStringLiteral("[skinvalues]\nskintilepicture=huge.png\n"));
    const TSkinReadResult r = ReadSkin(TSkinReadRequest{dir.File(QStringLiteral("s.skn")), dir.Path(), false, false}, TSettings{});
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.layout.skinpicture.isNull());
}

} // namespace
} // namespace vantrelo
