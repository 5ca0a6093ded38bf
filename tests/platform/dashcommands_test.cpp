// Dash commands: exact names, what each asks of the program, help lines and the report.
#include "platform/startup/dashcommands.h"
#include "platform/startup/report.h"

#include "core/datafolder.h"
#include "core/inifile.h"
#include "core/settings.h"
#include "support/testsupport.h"
#include "support/timefakes.h"

#include <QDir>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct TRecordingDashHost final : TDashHost {
    QStringList calls;
    void ToggleOneWindow() override { calls << QStringLiteral("onewindow"); }
    void OpenSettings(TSettingsPage page, const QString& skin) override {
        calls << QStringLiteral("settings:%1:%2").arg(int(page)).arg(skin);
    }
    void SelectInput() override { calls << QStringLiteral("select"); }
    void AddNewKeyWord(const QString& n, const QString& c, const QString& p) override {
        calls << QStringLiteral("add:%1|%2|%3").arg(n, c, p);
    }
    void OpenKeywordEditor() override { calls << QStringLiteral("editor"); }
    void CloseProgram(const QString& thenOpen) override { calls << QStringLiteral("close:") + thenOpen; }
    void ImportKeywordsFromFile() override { calls << QStringLiteral("importfile"); }
    void ImportFromStartMenu() override { calls << QStringLiteral("importstart"); }
    void ImportKeywordsFromUrl(const QString& url) override { calls << QStringLiteral("importurl:") + url; }
    void ExportKeywords() override { calls << QStringLiteral("export"); }
    void Answer(const QString& text) override { calls << QStringLiteral("answer:") + text; }
    void OpenPath(const QString& path) override { calls << QStringLiteral("open:") + path; }
    void OpenNotes(const QString& text) override { calls << QStringLiteral("notes:") + text; }
    void OpenWebPage(const QString& url) override { calls << QStringLiteral("web:") + url; }
    void ShowMainMenuSoon() override { calls << QStringLiteral("menu"); }
    void ShowMessage(const QString& caption, const QString& text) override {
        calls << QStringLiteral("message:") + caption;
        lastMessage = text;
    }
    TReportFacts ReportFacts() const override { return facts; }
    TReportFacts facts;
    QString lastMessage;
};

class DashFixture {
protected:
    TPlaces places{QStringLiteral("/data/"), QStringLiteral("/prog/")};
    TSettings settings;
    TProgramInfo info{QStringLiteral("1.2.3.4"), QStringLiteral("2024-01-02"), QStringLiteral("/prog/vantrelo")};
    test::TFakeClock clock{QDateTime(QDate(2024, 3, 5), QTime(14, 7))};
    TRecordingDashHost host;
    bool RunDash(const QString& input) { return RunDashCommand(input, TDashContext{places, settings, info, clock, host}); }
};

struct DashCase {
    const char* input;
    const char* calls; // joined by ";", empty when the input is no dash command
};

class DashCommandTest : public DashFixture, public ::testing::TestWithParam<DashCase> {};

TEST_P(DashCommandTest, FirstWordMustBeAnOptionName) {
    const QString expect = QString::fromUtf8(GetParam().calls);
    EXPECT_EQ(RunDash(QString::fromUtf8(GetParam().input)), !expect.isEmpty());
    EXPECT_EQ(host.calls.join(u';'), expect);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DashCommandTest,
    ::testing::Values(DashCase{"-s", "settings:0:"}, DashCase{"-S", "settings:0:"}, DashCase{"-settings", "settings:0:"},
                      DashCase{"-sqrt16", ""}, DashCase{"-5+3", ""}, DashCase{"-", ""}, DashCase{"s", ""},
                      DashCase{"-sk Blue", "settings:1:Blue;select"}, DashCase{"-skin", "settings:1:;select"},
                      DashCase{"-sk ow", "onewindow;select"}, DashCase{"-sk OW", "onewindow;select"},
                      DashCase{"-ab", "settings:2:"}, DashCase{"-abc", ""},
                      DashCase{"-a notes /home/u/notes.txt p:$P$", "add:notes|/home/u/notes.txt|$P$"},
                      DashCase{"-add Mail Thunderbird", "add:Mail|Thunderbird|"}, DashCase{"-k", "editor"},
                      DashCase{"-edit", "close:/data/vantrelo.ini"}, DashCase{"-if", "importfile"},
                      DashCase{"-is", "importstart"}, DashCase{"-i SM", "importstart"},
                      DashCase{"-i https://x.org/k.exc", "importurl:https://x.org/k.exc"},
                      DashCase{"-export", "export"}, DashCase{"-x", "close:"}, DashCase{"-q", "close:"},
                      DashCase{"-exefolder", "open:/prog/"}, DashCase{"-ef", "open:/prog/"},
                      DashCase{"-folder", "open:/data/"}, DashCase{"-f", "open:/data/"},
                      DashCase{"-v", "answer:1.2.3.4 hdpi Build date: 2024-01-02"},
                      DashCase{"-n remember Milk", "notes:remember Milk"}, DashCase{"-hi", "web:https://vantrelo.org/tips"},
                      DashCase{"-?", "web:https://vantrelo.org/help"}, DashCase{"-h", "web:https://vantrelo.org/help"},
                      DashCase{"-m", "menu"}, DashCase{"  -x  ", "close:"}));

TEST(DashHelp, HelpLinesByOptionName) {
    EXPECT_EQ(DashHelpLine(QStringLiteral("-s")), QStringLiteral("Open settings"));
    EXPECT_EQ(DashHelpLine(QStringLiteral("-SKI something")), QStringLiteral("Open skin settings"));
    EXPECT_EQ(DashHelpLine(QStringLiteral("-ef")), QStringLiteral("Open Vantrelos program folder. Alt: -exefolder"));
    EXPECT_EQ(DashHelpLine(QStringLiteral("-?")), QStringLiteral("Show help"));
    EXPECT_FALSE(DashHelpLine(QStringLiteral("-hi")).has_value()); // keeps the caller's description
    EXPECT_FALSE(DashHelpLine(QStringLiteral("-sqrt16")).has_value());
    EXPECT_FALSE(DashHelpLine(QStringLiteral("-")).has_value());
}

class DashFolderTest : public DashFixture, public ::testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(DashFolderTest, SkinFolderIsTheCurrentSkinsOrTheShippedOne) {
    settings.skinname = QStringLiteral("/home/u/skins/blue.skn");
    RunDash(QStringLiteral("-sk of"));
    settings.skinname.clear();
    places.programFolder = dir.Path();
    RunDash(QStringLiteral("-sk of")); // no "skins" beside the program: nothing opens
    QDir(dir.Path()).mkpath(QStringLiteral("skins"));
    RunDash(QStringLiteral("-sk of"));
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("open:/home/u/skins/"), QStringLiteral("select"),
                                       QStringLiteral("select"), QStringLiteral("open:") + dir.Path() + "skins/",
                                       QStringLiteral("select")}));
}

TEST_F(DashFolderTest, ReportHoldsProgramSystemAndSettingsButNoKeywords) {
    places.dataFolder = dir.Path();
    host.facts.programSize = 12345;
    host.facts.indexedCount = 77;
    host.facts.keywordCount = 3;
    host.facts.architecture = ArchitectureText(QStringLiteral("x86_64"));
    host.facts.colourDepth = 24;
    settings.fontname = QStringLiteral("Mono");
    ASSERT_TRUE(RunDash(QStringLiteral("-report")));
    const QString path = dir.File(QStringLiteral("vantrelo-report.txt"));
    const TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Report"), QStringLiteral("Generated"), {}), QStringLiteral("05-Mar-2024 14:07"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Vantrelo"), QStringLiteral("Size"), {}), QStringLiteral("12345bytes"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Vantrelo"), QStringLiteral("Version"), {}), VersionText(info));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("Vantrelo"), QStringLiteral("IndexedCount"), 0), 77);
    EXPECT_EQ(ini.ReadString(QStringLiteral("System"), QStringLiteral("Architecture"), {}), QStringLiteral("x64 (64-bit)"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("System"), QStringLiteral("ColorSchema"), {}), QStringLiteral("24bit"));
    EXPECT_EQ(ini.ReadString(QStringLiteral("Setup"), QStringLiteral("fontname"), {}), QStringLiteral("Mono"));
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("History")));
    EXPECT_EQ(host.calls, (QStringList{QStringLiteral("message:Report generated"), QStringLiteral("open:") + dir.Path()}));
    EXPECT_TRUE(host.lastMessage.startsWith(QStringLiteral("Report location: ") + path));

    host.facts.indexedCount.reset();
    RunDash(QStringLiteral("-report"));
    EXPECT_FALSE(TMemIniFile(path).ValueExists(QStringLiteral("Vantrelo"), QStringLiteral("IndexedCount")));
}

TEST(DashAdd, KeywordCommandAndParameters) {
    const TNewKeyword k = ParseAddKeyword(QStringLiteral("notes C:\\notes.txt p:$P$"));
    EXPECT_EQ(k.name, QStringLiteral("notes"));
    EXPECT_EQ(k.command, QStringLiteral("C:\\notes.txt"));
    EXPECT_EQ(k.parameters, QStringLiteral("$P$"));
    const TNewKeyword bare = ParseAddKeyword(QStringLiteral("Web  https://x.org/a b"));
    EXPECT_EQ(bare.command, QStringLiteral("https://x.org/a b"));
    EXPECT_TRUE(bare.parameters.isEmpty());
}

TEST(DashVersion, BuiltInfoHasFourNumbers) {
    const TProgramInfo info = BuiltProgramInfo(QStringLiteral("/x"));
    EXPECT_EQ(info.version.split(u'.').size(), 4);
    EXPECT_FALSE(info.buildDate.isEmpty());
}

} // namespace
} // namespace vantrelo
