// The app shortcut folder kept in step with the exported Flatpak and Snap entries.
#include "index/storeapps.h"

#include "index/indexfiles.h"
#include "index/scanner.h"
#include "indextree.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

using test::TIndexTree;

class StoreAppsTest : public ::testing::Test {
protected:
    StoreAppsTest() {
        exportDir = tree.roots.storeAppDirs.first();
        request.folder = tree.Data() + "Apps/";
        request.exportDirs = tree.roots.storeAppDirs;
        request.pathEnv = tree.roots.pathEnv;
    }
    void Export(const QString& id, const QString& name) {
        // The exporting program is installed, as it is where it exported anything.
        tree.File(exportDir + u'/' + id, TIndexTree::Entry(name, tree.Program("flatpak") + " run " + id));
    }
    QString Shortcut(const QString& name) const { return request.folder + name + ".desktop"; }

    TIndexTree tree;
    QString exportDir;
    TStoreAppsRequest request;
};

TEST_F(StoreAppsTest, ShortcutsFollowTheInstalledApps) {
    Export("org.app.One.desktop", "One");
    Export("org.app.Two.desktop", "Two=Plus");
    TStoreAppsResult r = SyncStoreApps(request);
    EXPECT_TRUE(r.exported);
    EXPECT_EQ(r.count, 2);
    EXPECT_TRUE(QFileInfo::exists(Shortcut("One")));
    EXPECT_TRUE(QFileInfo::exists(Shortcut("TwoPlus"))) << "'=' is dropped from names";
    EXPECT_EQ(ReadAppIndex(request.folder + "index.dat").size(), 2u);

    QFile::remove(exportDir + "/org.app.Two.desktop");
    r = SyncStoreApps(request);
    EXPECT_EQ(r.count, 1);
    EXPECT_FALSE(QFileInfo::exists(Shortcut("TwoPlus")));
    EXPECT_EQ(ReadAppIndex(request.folder + "index.dat"),
              (TAppPairs{{QStringLiteral("One"), QStringLiteral("org.app.One.desktop")}}));
}

TEST_F(StoreAppsTest, FlushRebuildsEveryShortcutAndCountsThem) {
    Export("org.app.One.desktop", "One");
    SyncStoreApps(request);
    request.clearFirst = true;
    const TStoreAppsResult r = SyncStoreApps(request);
    EXPECT_EQ(r.count, 1);
    EXPECT_TRUE(QFileInfo::exists(Shortcut("One"))) << "a flush must not trust the record it just deleted";
}

TEST_F(StoreAppsTest, WithoutExportsTheFolderStaysAsItWas) {
    Export("org.app.One.desktop", "One");
    SyncStoreApps(request);
    request.exportDirs = {tree.Root("no-flatpak")};
    const TStoreAppsResult r = SyncStoreApps(request);
    EXPECT_FALSE(r.exported);
    EXPECT_EQ(r.count, 1);
    EXPECT_TRUE(QFileInfo::exists(Shortcut("One")));
}

TEST_F(StoreAppsTest, RemoveFolderDeletesIt) {
    Export("org.app.One.desktop", "One");
    SyncStoreApps(request);
    request.removeFolder = true;
    EXPECT_EQ(SyncStoreApps(request).count, 0);
    EXPECT_FALSE(QFileInfo::exists(request.folder));
}

TEST_F(StoreAppsTest, HostileNamesStayInsideTheFolder) {
    const struct {
        const char* name;
        const char* file;
    } cases[] = {
        {"../../evil", "-.-evil"}, {"a/b\\c", "a-b-c"}, {"tab\there\x01", "tabhere"}, {"...", "App"},
        {".hidden", "hidden"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SanitiseAppName(QString::fromUtf8(c.name)), QLatin1String(c.file)) << c.name;
    Export("org.evil.App.desktop", "../../evil");
    EXPECT_EQ(SyncStoreApps(request).count, 1);
    EXPECT_TRUE(QFileInfo::exists(Shortcut("-.-evil")));
    EXPECT_FALSE(QFileInfo::exists(tree.Root("evil.desktop")));
}

TEST_F(StoreAppsTest, ScanIndexesAppsUnderTheirOwnTitle) {
    Export("org.app.One.desktop", "One");
    TScanInput in;
    in.roots = tree.roots;
    in.dataFolder = tree.Data();
    in.scanwindowsitems = false;
    const std::atomic<bool> cancel{false};
    const TScanResult r = ScanIndex(in, cancel);
    ASSERT_EQ(r.state, TScanState::Finished);
    EXPECT_EQ(r.storeApps, 1);
    ASSERT_EQ(r.list.size(), 1);
    EXPECT_EQ(r.list.at(0).item->name, QStringLiteral("One"));
    EXPECT_EQ(r.list.at(0).item->title, QStringLiteral("Apps"));
}

} // namespace
} // namespace vantrelo
