// The index scan over a private XDG tree: filters, depth, keys, menus, places, cancellation.
#include "index/scanner.h"

#include "core/settings.h"
#include "index/indexfiles.h"
#include "indextree.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

using test::TIndexTree;

QStringList Names(const TIndexList& list) {
    QStringList out;
    for (const TIndexEntry& e : list)
        if (e.item)
            out << e.item->name;
    out.sort();
    return out;
}

const TMyShellItem* Find(const TIndexList& list, const QString& name) {
    for (const TIndexEntry& e : list)
        if (e.item && e.item->name == name)
            return e.item.get();
    return nullptr;
}

TEST(ScanFilterTest, ExtensionFilters) {
    EXPECT_EQ(ExtensionFilter(QStringLiteral("lnk;\\;exe")), QStringLiteral(".lnk.\\.exe"));
    EXPECT_EQ(ExtensionFilter(QStringLiteral("lnk;EXE")), QStringLiteral(".lnk.exe"));
    EXPECT_TRUE(ExtensionFilter(QStringLiteral("*")).isEmpty());
    EXPECT_TRUE(ExtensionFilter(QString()).isEmpty());
    const struct {
        const char* name;
        bool link;
        const char* filter;
        bool passes;
    } cases[] = {
        {"Tool.EXE", false, ".lnk.exe", true}, {"notes.txt", false, ".lnk.exe", false},
        {"README", false, ".lnk.exe", false},  {"app.desktop", false, ".lnk", true},
        {"target", true, ".lnk", true},        {"target", true, ".txt", false},
        {"x.ln", false, ".lnk", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PassesFilter(QLatin1String(c.name), c.link, QLatin1String(c.filter)), c.passes) << c.name;
}

class ScanTest : public ::testing::Test {
protected:
    TScanInput Input() const {
        TScanInput in;
        in.roots = tree.roots;
        in.dataFolder = tree.Data();
        in.scanwindowsitems = false;
        in.indexuwp = false;
        return in;
    }
    TScanResult Run(const TScanInput& in) {
        const std::atomic<bool> cancel{false};
        return ScanIndex(in, cancel);
    }
    QString Folder(const QString& path, const QString& ext, const QString& level) {
        return FormatScanFolders({TMyScanItem{path, ext, {}, level}});
    }
    TIndexTree tree;
};

TEST_F(ScanTest, ConfiguredFolderHonoursDepthAndExtensions) {
    const QString top = tree.Root("docs");
    tree.File(top + "/a.txt");
    tree.File(top + "/skip.bin");
    tree.File(top + "/l1/b.txt");
    tree.File(top + "/l1/l2/c.txt");
    tree.File(top + "/l1/l2/l3/d.txt");
    TScanInput in = Input();
    in.scandirs = Folder(top, "txt", "2");
    TScanResult r = Run(in);
    ASSERT_EQ(r.state, TScanState::Finished);
    EXPECT_EQ(Names(r.list), (QStringList{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(Find(r.list, "c.txt")->title, QStringLiteral("l1/l2"));
    EXPECT_EQ(Find(r.list, "a.txt")->title, QStringLiteral("docs"));
    EXPECT_EQ(Find(r.list, "a.txt")->path, top + "/a.txt");

    in.scandirs = Folder(top, "txt;\\", "0");
    EXPECT_EQ(Names(Run(in).list), (QStringList{"a.txt", "l1"}));
    in.scandirs = Folder(top, "", "0");
    EXPECT_EQ(Names(Run(in).list), (QStringList{"a.txt", "l1", "skip.bin"}));
}

TEST_F(ScanTest, SameFileInSameNamedFoldersGivesOneEntry) {
    const QString top = tree.Root("menu");
    tree.File(top + "/A/Tools/Setup.lnk");
    tree.File(top + "/B/TOOLS/SETUP.lnk"); // keys compare ignoring case
    tree.File(top + "/C/Other/Setup.lnk");
    TScanInput in = Input();
    in.scandirs = Folder(top, "lnk", "3");
    EXPECT_EQ(Run(in).list.size(), 2);
}

TEST_F(ScanTest, MissingOrExcludedFoldersContributeNothing) {
    const QString secret = tree.Root("secret");
    tree.File(secret + "/x.txt");
    TScanInput in = Input();
    in.scandirs = Folder(QString(), "", "5") + Folder(tree.Root("gone"), "", "5") + Folder(secret, "", "0");
    in.excludelist = QStringLiteral("nothing;SECRET");
    in.excludetype = 1;
    const TScanResult r = Run(in);
    EXPECT_EQ(r.state, TScanState::Finished);
    EXPECT_EQ(r.visited, 0) << "an empty path must never become the root folder";
    EXPECT_TRUE(r.list.empty());
    in.excludetype = 0;
    EXPECT_EQ(Names(Run(in).list), QStringList{"x.txt"});
}

TEST_F(ScanTest, VariablesAndHomeExpandInConfiguredPaths) {
    tree.File(tree.roots.home + "/Notes/n.md");
    tree.roots.env.insert(QStringLiteral("NOTES"), tree.roots.home + "/Notes");
    TScanInput in = Input();
    in.roots = tree.roots;
    in.scandirs = Folder("%NOTES%", "md", "0") + Folder("~/Notes", "md", "0");
    EXPECT_EQ(Names(Run(in).list), QStringList{"n.md"});
}

TEST_F(ScanTest, ApplicationMenusShadowByDesktopFileId) {
    const QString user = tree.roots.UserApplications();
    const QString sys1 = tree.roots.dataDirs.at(0) + "/applications";
    const QString sys2 = tree.roots.dataDirs.at(1) + "/applications";
    for (const char* program : {"foo", "gone", "quiet", "bar"})
        tree.Program(QString::fromLatin1(program));
    tree.File(user + "/foo.desktop", TIndexTree::Entry("User Foo", "foo", "Categories=Development;\n"));
    tree.File(sys1 + "/foo.desktop", TIndexTree::Entry("System Foo", "foo"));
    tree.File(user + "/gone.desktop", TIndexTree::Entry("Gone", "gone", "Hidden=true\n"));
    tree.File(sys2 + "/gone.desktop", TIndexTree::Entry("Gone System", "gone"));
    tree.File(sys2 + "/quiet.desktop", TIndexTree::Entry("Quiet", "quiet", "NoDisplay=true\n"));
    tree.File(sys2 + "/kde4/bar.desktop", TIndexTree::Entry("Bar", "bar", "Name[de]=Balken\n"));
    tree.File(sys2 + "/readme.txt", "x");
    TScanInput in = Input();
    in.scanwindowsitems = true;
    in.indexextraitems.clear();
    in.includehidden = false;
    in.roots.locale = QStringLiteral("de_DE.UTF-8");
    const TScanResult r = Run(in);
    EXPECT_EQ(Names(r.list), (QStringList{"Balken", "Computer", "User Foo"}));
    const TMyShellItem* foo = Find(r.list, "User Foo");
    ASSERT_TRUE(foo);
    EXPECT_EQ(foo->root, QStringLiteral("rfStartMenu"));
    EXPECT_EQ(foo->title, QStringLiteral("Development"));
    EXPECT_EQ(Find(r.list, "Balken")->root, QStringLiteral("rfCommonStartMenu"));
    EXPECT_EQ(Find(r.list, "Balken")->title, QStringLiteral("kde4"));
}

TEST_F(ScanTest, PlacesProfileAndDesktop) {
    const QString home = tree.roots.home;
    tree.File(home + "/Documents/Taxes/t.pdf");
    tree.File(home + "/Desktop/editor.desktop", TIndexTree::Entry("Editor", "ed"));
    tree.File(home + "/Desktop/photo.jpg");
    tree.File(home + "/.cache/x");
    QDir().mkpath(home + "/Music");
    tree.roots.userDirs = ReadUserDirs(tree.roots.configHome, home);
    TScanInput in = Input();
    in.roots = tree.roots;
    in.scanwindowsitems = true;
    in.includehidden = false;
    in.indexextraitems = QStringLiteral("rfControlPanel,rfPersonal,rfCommonAdminTools,rfDesktop");
    const TScanResult r = Run(in);
    const TMyShellItem* docs = nullptr;
    for (const TIndexEntry& e : r.list)
        if (e.item && e.item->root == QLatin1String("rfPersonal") && e.item->title == QLatin1String("Places"))
            docs = e.item.get();
    ASSERT_TRUE(docs);
    EXPECT_EQ(docs->path, home + "/Documents");
    EXPECT_TRUE(docs->ps.startsWith('A'));
    EXPECT_TRUE(Find(r.list, "Computer"));
    EXPECT_TRUE(Find(r.list, "Music")) << "profile folders";
    EXPECT_TRUE(Find(r.list, "Taxes")) << "folders of Documents";
    EXPECT_TRUE(Find(r.list, "Editor")) << "desktop launchers by their Name";
    EXPECT_FALSE(Find(r.list, "photo.jpg")) << "the desktop gives shortcuts only";
    EXPECT_FALSE(Find(r.list, ".cache"));
    in.includehidden = true;
    EXPECT_TRUE(Find(Run(in).list, ".cache"));
}

TEST_F(ScanTest, CancelledScanHandsBackNothing) {
    tree.File(tree.Root("docs") + "/a.txt");
    TScanInput in = Input();
    in.scandirs = Folder(tree.Root("docs"), "", "0");
    const std::atomic<bool> cancel{true};
    const TScanResult r = ScanIndex(in, cancel);
    EXPECT_EQ(r.state, TScanState::Cancelled);
    EXPECT_TRUE(r.list.empty());
}

TEST_F(ScanTest, UserDirsFileIsRead) {
    tree.File(tree.roots.configHome + "/user-dirs.dirs",
              "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\nXDG_MUSIC_DIR=\"$HOME/\"\n"
              "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
    const auto dirs = ReadUserDirs(tree.roots.configHome, tree.roots.home);
    EXPECT_EQ(dirs.value("DESKTOP"), tree.roots.home + "/Schreibtisch");
    EXPECT_EQ(dirs.value("DOCUMENTS"), QStringLiteral("/srv/docs"));
    EXPECT_FALSE(dirs.contains("MUSIC")) << "a folder equal to home is unset";
    EXPECT_EQ(dirs.value("VIDEOS"), tree.roots.home + "/Videos");
}

TEST_F(ScanTest, CachedItemGetsDescriptionOnFirstDraw) {
    const QString file = tree.File(tree.Root("docs/sub/a.txt"));
    TMyShellItem item;
    item.root = tree.Root("docs/");
    item.path = file;
    item.ps = "R1";
    ResolveItemIcon(item, false, tree.roots);
    EXPECT_EQ(item.siconid, 0);
    EXPECT_EQ(item.liconid, -2);
    EXPECT_EQ(item.title, QStringLiteral("sub"));
    TMyShellItem gone;
    gone.path = tree.Root("missing");
    ResolveItemIcon(gone, true, tree.roots);
    EXPECT_EQ(gone.liconid, -1);
}

TEST_F(ScanTest, SettingsSnapshotCarriesScanKeys) {
    TSettings s;
    s.scandirs = Folder("/x", "lnk", "1");
    s.indexuwp = false;
    s.excludetype = 1;
    const TScanInput in = TScanInput::From(s, tree.roots, QStringLiteral("/data"));
    EXPECT_EQ(in.dataFolder, QStringLiteral("/data/"));
    EXPECT_EQ(in.scandirs, s.scandirs);
    EXPECT_FALSE(in.indexuwp);
    EXPECT_EQ(in.excludetype, 1);
}

} // namespace
} // namespace vantrelo
