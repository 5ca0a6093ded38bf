// The application import: candidates, marks, order, keyword names and app shortcut copies.
#include "index/appimport.h"

#include "core/keywordlist.h"
#include "index/storeapps.h"
#include "indextree.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

using test::TIndexTree;

TEST(KeywordNameTest, NamesFromFiles) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"My Tool", "mytool"}, {"Notepad", "notepad"}, {"a:b", "new..."}, {"x/y", "new..."},
        {"A,B", "ab"},         {"  ", "new..."},       {"ÄRGER", "ärger"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeywordNameFromFile(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(StartMenuOrderTest, GroupsBeforeTopLevelEachAlphabetical) {
    const QStringList menus{QStringLiteral("/m/applications")};
    QStringList files{"/m/applications/zeta.desktop", "/m/applications/Games/Arcade/b.desktop",
                      "/m/applications/alpha.desktop", "/m/applications/Games/Arcade/a.desktop",
                      "/d/Apps/One.desktop"};
    SortStartMenuFiles(files, menus);
    EXPECT_EQ(files, (QStringList{"/d/Apps/One.desktop", "/m/applications/Games/Arcade/a.desktop",
                                  "/m/applications/Games/Arcade/b.desktop", "/m/applications/alpha.desktop",
                                  "/m/applications/zeta.desktop"}));
    EXPECT_EQ(StartMenuGroup("/m/applications/Games/Arcade/a.desktop", menus), QStringLiteral("Games/Arcade"));
    EXPECT_EQ(StartMenuGroup("/m/applications/alpha.desktop", menus), QString());
}

class AppImportTest : public ::testing::Test {
protected:
    AppImportTest() {
        user = tree.roots.UserApplications();
        sys = tree.roots.dataDirs.first() + "/applications";
        tool = tree.Program("tool");
        ctx.menuFolders = tree.roots.ApplicationFolders();
        ctx.dataFolder = tree.Data();
        ctx.appsFolder = tree.Data() + "Apps/";
        ctx.keywords = &words;
        ctx.pathEnv = tree.roots.pathEnv;
    }
    const TImportCandidate* Row(const std::vector<TImportCandidate>& rows, const QString& text) {
        for (const auto& r : rows)
            if (r.row == text)
                return &r;
        return nullptr;
    }

    TIndexTree tree;
    QString user, sys, tool;
    TKeywordList words;
    TImportContext ctx;
};

TEST_F(AppImportTest, MenuEntriesBecomeCandidates) {
    tree.File(user + "/tool.desktop", TIndexTree::Entry("My Tool", "tool --x \"two words\" %U", "Path=/work\n"));
    tree.File(sys + "/tool.desktop", TIndexTree::Entry("Shadowed", "tool"));
    tree.File(sys + "/Accessories/Other/copy.desktop", TIndexTree::Entry("Tool Copy", "tool --x \"two words\""));
    tree.File(sys + "/uninst.desktop", TIndexTree::Entry("Uninstall Tool", "tool --remove"));
    tree.File(sys + "/web.desktop", "[Desktop Entry]\nType=Link\nName=Web\nURL=https://example.org\n");
    tree.File(sys + "/ghost.desktop", TIndexTree::Entry("Ghost", "no-such-program"));
    tree.File(sys + "/nodisp.desktop", TIndexTree::Entry("Hidden Tool", "tool -h", "NoDisplay=true\n"));
    const QString prog = tree.Program("sysprog");
    QFile::copy(prog, sys + "/runme");
    words.Add(MakeNewKeyword(QStringLiteral("t"), tool, QString()));

    const auto rows = CollectImportCandidates(ctx, nullptr);
    QStringList texts;
    for (const auto& r : rows)
        texts << r.row;
    EXPECT_EQ(texts, (QStringList{"* Tool Copy", "runme"})) << "the group entry first; same target once";
    const TImportCandidate* copy = Row(rows, "* Tool Copy");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->description, QStringLiteral("Accessories/Other"));
    EXPECT_EQ(copy->word->keywords, sys + "/Accessories/Other/copy.desktop");
    EXPECT_EQ(copy->word->command, tool);
    EXPECT_EQ(copy->word->parameters, QStringLiteral("--x \"two words\" $P$"));
    EXPECT_EQ(copy->word->comment, QStringLiteral("Tool Copy"));
}

TEST_F(AppImportTest, FirstOfTwoTargetsWinsAndProgramsGetTheirMark) {
    tree.File(user + "/a.desktop", TIndexTree::Entry("My Tool", "tool"));
    const QString prog = tree.Program("helper");
    QFile::copy(prog, user + "/helper");
    words.Add(MakeNewKeyword(QStringLiteral("h"), user + "/helper", QString()));
    const auto rows = CollectImportCandidates(ctx, nullptr);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row, QStringLiteral("My Tool")) << "ordered by file: a.desktop before helper";
    EXPECT_EQ(rows[1].row, QStringLiteral("*helper"));

    TExeWord w = *rows[0].word;
    ConvertStartMenuRow(w, ctx);
    EXPECT_EQ(w.keywords, QStringLiteral("mytool"));
    EXPECT_EQ(w.comment, QStringLiteral("My Tool"));
    EXPECT_EQ(w.command, tool);
    TExeWord p = *rows[1].word;
    ConvertStartMenuRow(p, ctx);
    EXPECT_EQ(p.keywords, QStringLiteral("helper"));
    EXPECT_EQ(p.command, user + "/helper");
}

TEST_F(AppImportTest, TypedParametersAreArgumentsOfTheirOwnAndATerminalProgramKeepsItsTerminal) {
    const struct {
        const char* exec;
        const char* extra;
        const char* parameters; // empty: the entry itself is the command
    } cases[] = {
        {"tool -b %U", "", "-b $P$"},
        {"tool --existing", "", "--existing $P$"},
        {"tool --player -- %U --after", "", "--player -- $P$ --after"},
        {"tool --file=%f", "", "--file=$P$"},
        {"tool %F", "", ""},
        {"tool", "Terminal=true\n", ""},
    };
    int n = 0;
    for (const auto& c : cases) {
        const QString file = user + QStringLiteral("/case%1.desktop").arg(n++);
        tree.File(file, TIndexTree::Entry(QStringLiteral("Case %1").arg(n), QLatin1String(c.exec), QLatin1String(c.extra)));
        TExeWord w;
        w.keywords = file;
        ConvertStartMenuRow(w, ctx);
        const bool terminal = QByteArray(c.extra).contains("Terminal");
        EXPECT_EQ(w.command, terminal ? file : tool) << c.exec;
        EXPECT_EQ(w.parameters, QLatin1String(c.parameters)) << c.exec;
    }
}

TEST_F(AppImportTest, AppsAreOfferedAndKeepTheirOwnCopy) {
    const QString exportDir = tree.roots.storeAppDirs.first();
    tree.File(exportDir + "/org.app.One.desktop", TIndexTree::Entry("One", "tool run org.app.One"));
    TStoreAppsRequest apps;
    apps.folder = ctx.appsFolder;
    apps.exportDirs = tree.roots.storeAppDirs;
    apps.pathEnv = tree.roots.pathEnv;
    const auto rows = CollectImportCandidates(ctx, &apps);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].row, QStringLiteral("One"));
    EXPECT_EQ(rows[0].description, kAppDescription);

    TExeWord w = *rows[0].word;
    ConvertStartMenuRow(w, ctx);
    EXPECT_EQ(w.keywords, QStringLiteral("one"));
    EXPECT_EQ(w.command, ctx.appsFolder + "One.desktop");
    KeepAppShortcut(w, ctx.dataFolder);
    EXPECT_EQ(w.command, ctx.dataFolder + "UWPImports/One.desktop");
    apps.removeFolder = true;
    SyncStoreApps(apps);
    EXPECT_TRUE(QFileInfo::exists(w.command)) << "the copy outlives the app folder";

    words.Add(MakeNewKeyword(QStringLiteral("one"), w.command, QString()));
    apps.removeFolder = false;
    const auto again = CollectImportCandidates(ctx, &apps);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].row, QStringLiteral("* One"));
}

TEST_F(AppImportTest, ImportingAllAddsOnlyWhatIsNotAKeywordYet) {
    tree.File(user + "/tool.desktop", TIndexTree::Entry("My Tool", "tool --x"));
    tree.File(user + "/other.desktop", TIndexTree::Entry("Other", "tool --other"));
    tree.File(user + "/taken.desktop", TIndexTree::Entry("Taken Name", "tool --taken"));
    tree.File(user + "/slash.desktop", TIndexTree::Entry("a/b", "tool --slash"));
    const QString exportDir = tree.roots.storeAppDirs.first();
    tree.File(exportDir + "/org.app.One.desktop", TIndexTree::Entry("One", "tool run org.app.One"));
    TStoreAppsRequest apps;
    apps.folder = ctx.appsFolder;
    apps.exportDirs = tree.roots.storeAppDirs;
    apps.pathEnv = tree.roots.pathEnv;
    words.Add(MakeNewKeyword(QStringLiteral("mine"), tool, QStringLiteral("--other"))); // same command
    words.Add(MakeNewKeyword(QStringLiteral("takenname"), QStringLiteral("/bin/true"), QString()));

    auto found = ImportableApplications(ctx, &apps);
    EXPECT_EQ(AddNewApplications(found, words, ctx.dataFolder), 2);
    const TExeWord* mytool = words.FindKeyword("mytool", false);
    ASSERT_TRUE(mytool);
    EXPECT_EQ(mytool->command, tool);
    EXPECT_EQ(mytool->parameters, QStringLiteral("--x $P$"));
    EXPECT_EQ(mytool->comment, QStringLiteral("My Tool"));
    const TExeWord* one = words.FindKeyword("one", false);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->command, ctx.dataFolder + "UWPImports/One.desktop") << "an app keeps its own copy";
    EXPECT_FALSE(words.FindKeyword("other", false)) << "its command already is a keyword's";
    EXPECT_EQ(words.FindKeyword("takenname", false)->command, "/bin/true") << "a keyword is never replaced";
    EXPECT_FALSE(words.FindKeyword("new...", false));

    // A second import finds everything in place.
    auto again = ImportableApplications(ctx, &apps);
    EXPECT_EQ(AddNewApplications(again, words, ctx.dataFolder), 0);
}

TEST_F(AppImportTest, AFileGivenToTheProgramProposesItsKeyword) {
    const QString entry = tree.Root("Desktop") + "/editor.desktop";
    tree.File(entry, TIndexTree::Entry("Text Editor", "tool --new-window %F") + "Path=/srv/work\n");
    const QString link = tree.Root("Desktop") + "/site.desktop";
    tree.File(link, "[Desktop Entry]\nType=Link\nName=Our Site\nURL=https://example.org\n");
    const QString doc = tree.Root("docs") + "/Quarterly Report.txt";
    tree.File(doc, "numbers");
    const QString colon = tree.Root("docs") + "/a:b.txt"; // legal here, but no keyword name
    tree.File(colon, "x");
    const struct {
        QString path;
        const char* name;
        QString command, parameters, folder;
        const char* comment;
    } cases[] = {
        {entry, "texteditor", tool, "--new-window $P$", "/srv/work", "Text Editor"},
        {link, "oursite", link, "", "", "Our Site"},
        {doc, "quarterlyreport", doc, "", "", "Quarterly Report"},
        {tree.Root("docs"), "docs", tree.Root("docs"), "", "", "docs"},
        {colon, "new...", colon, "", "", "a:b"},
    };
    for (const auto& c : cases) {
        const TExeWord w = ProposedKeyword(c.path, ctx);
        EXPECT_EQ(w.keywords, QString(c.name)) << c.path.toStdString();
        EXPECT_EQ(w.command, c.command);
        EXPECT_EQ(w.parameters, c.parameters);
        EXPECT_EQ(w.path, c.folder);
        EXPECT_EQ(w.comment, QString(c.comment));
    }
}

TEST_F(AppImportTest, MissingMenuFolderAddsNothing) {
    QStringList list;
    CollectStartMenuFiles(QString(), true, list);
    CollectStartMenuFiles(tree.Root("none"), true, list);
    EXPECT_TRUE(list.isEmpty());
    ctx.menuFolders = {QString(), tree.Root("none")};
    EXPECT_TRUE(CollectImportCandidates(ctx, nullptr).empty());
}

} // namespace
} // namespace vantrelo
