// Settings: defaults, dependent defaults, migrations of older files, clamps, and the write-read cycle.
#include "core/settings.h"

#include "core/inifile.h"

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

TSettings Read(const QString& setupLines) {
    TMemIniFile ini;
    ini.SetStrings(("[Setup]\n" + setupLines).split(u'\n'));
    TSettings s;
    TSetupReadInfo info{"/opt/v/", 0};
    ReadSetup(ini, s, info);
    return s;
}

} // namespace

TEST(Settings, MissingSectionGivesEveryDefault) {
    const TSettings s = Read("");
    EXPECT_EQ(s.hotkey, 90);
    EXPECT_EQ(s.hotkeyadd, 12);
    EXPECT_EQ(s.separator, "||");
    EXPECT_EQ(s.comboorder, "History,Keywords,\"File system\",\"Indexed items\"");
    EXPECT_EQ(s.skinname, "/opt/v/skins/scale_dark.skn");
    EXPECT_EQ(s.unknownlaunchtype, 1);
    EXPECT_EQ(s.autoindex, 3);
    EXPECT_EQ(s.calcformat, "%.10g");
    EXPECT_TRUE(s.expandf4);
    TMemIniFile out;
    WriteSetup(out, s);
    EXPECT_EQ(out.ReadString("Setup", "version", ""), "20400");
    EXPECT_EQ(out.ReadString("Setup", "uselist", ""), "1");
    for (const TSettingDef& d : SettingsTable())
        EXPECT_TRUE(out.ValueExists("Setup", d.key)) << d.key;
}

TEST(Settings, DependentDefaultsFollowTheKeysTheyDependOn) {
    const TSettings s = Read("windowcolor=123\ndropprograms=0\nautodropdown=0\nskintype=1");
    EXPECT_EQ(s.inputwindowcolor, 123);
    EXPECT_EQ(s.infobgcolor, 123);
    EXPECT_FALSE(s.scanwindowsitems);
    EXPECT_FALSE(s.expandf4);
    EXPECT_TRUE(Read("autodropdown=0\nskintype=3").expandf4);
}

TEST(Settings, OlderFilesAreMigrated) {
    struct {
        const char* lines;
        bool (*check)(const TSettings&);
    } cases[] = {
        {"center=0\nautocenter=1", [](const TSettings& s) { return s.center == 1; }},
        {"hookwinr=1\nhookwinz=1", [](const TSettings& s) { return s.hookwin == 10; }},
        {"hookwinr=1", [](const TSettings& s) { return s.hookwin == 9; }},
        {"defaultenter=0", [](const TSettings& s) { return s.unknownlaunchtype == 0; }},
        {"unknownlaunchtype=2\ndefaultenter=0", [](const TSettings& s) { return s.unknownlaunchtype == 2; }},
        {"width=20\nskintype=0", [](const TSettings& s) { return s.width == 30; }},
        {"width=100\nskintype=2", [](const TSettings& s) { return s.width == 130; }},
        {"comboorder=History,Keywords",
         [](const TSettings& s) { return s.comboorder == "History,Keywords,\"Indexed items\""; }},
        {"autoorder=Programs,History",
         [](const TSettings& s) { return s.autoorder == "\"Indexed items\",History"; }},
        {"noindexrefresh=1", [](const TSettings& s) { return s.autoindex == 1; }},
        {"textcolor=0xFF0000", [](const TSettings& s) { return s.textcolor == 0xFF0000; }},
        {"textcolor=$FF0000", [](const TSettings& s) { return s.textcolor == 0xFF0000; }},
        {"textcolor=blue", [](const TSettings& s) { return s.textcolor == 14268988; }},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(c.check(Read(c.lines))) << c.lines;
}

TEST(Settings, SizesThatDivideAreClampedOnReading) {
    const TSettings s = Read("listrowheight=0\nmaxvisible=-3\nfontsize=0\ndimamount=500\nassistfontsize=99");
    EXPECT_GT(s.listrowheight, 0);
    EXPECT_GT(s.maxvisible, 0);
    EXPECT_GT(s.fontsize, 0);
    EXPECT_EQ(s.dimamount, 100);
    EXPECT_EQ(s.assistfontsize, 30);
}

TEST(Settings, TextValuesAreSetStrictly) {
    TSettings s;
    QString error;
    EXPECT_TRUE(SetSettingText(s, *FindSetting("HIDE"), "0", &error));
    EXPECT_FALSE(s.hide);
    EXPECT_TRUE(SetSettingText(s, *FindSetting("maxvisible"), "0x10", &error));
    EXPECT_EQ(s.maxvisible, 16);
    EXPECT_FALSE(SetSettingText(s, *FindSetting("maxvisible"), "lots", &error));
    EXPECT_TRUE(error.contains("maxvisible"));
    EXPECT_EQ(s.maxvisible, 16);
    EXPECT_EQ(FindSetting("autocenter"), nullptr); // read only: never written
}
