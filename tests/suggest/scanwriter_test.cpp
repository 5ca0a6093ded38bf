// The streamed scan: the same cache and snapshot as a scan into a list, and nothing written when cancelled.
#include "index/indexfiles.h"
#include "index/indextree.h"
#include "index/scanner.h"
#include "suggest/indexsnapshot.h"
#include "suggest/scanwriter.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace vantrelo;

namespace {

class ScanWriter : public ::testing::Test {
protected:
    // A file whose name is raw bytes (not necessarily UTF-8); removed at the end, which the
    // temporary folder cannot do for a name that is not UTF-8.
    void RawFile(const QString& folder, const QByteArray& name) {
        QDir().mkpath(folder);
        raw.push_back(QFile::encodeName(folder) + '/' + name);
        const int fd = ::open(raw.back().constData(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ::close(fd);
    }
    void TearDown() override {
        for (const QByteArray& path : raw)
            ::unlink(path.constData());
    }

    void SetUp() override {
        const QString docs = tree.Root("docs");
        for (const char* name : {"Alpha Beta.txt", "  spaced  out   name .txt", "x&y<z>\r.txt", "UPPER.TXT", "café.txt",
                                 "日本語 メモ.md", "sub/Alpha Beta.txt", "a/Tools/Setup.lnk", "b/TOOLS/SETUP.lnk",
                                 "c/Other/Setup.lnk", "empty.desktop", "Ünïcode/plain.txt"})
            tree.File(docs + "/" + QString::fromUtf8(name));
        tree.File(docs + "/" + QString(250, u'n') + ".txt");
        RawFile(docs, "bad\xff\xfename.txt");
        RawFile(docs + "/sub", "Bad\xc3.TXT");
        tree.File(docs + "/named.desktop", test::TIndexTree::Entry("Named App", "named"));
        tree.File(docs + "/greeting.desktop", test::TIndexTree::Entry("Grüße & <Co>", "greet"));
        tree.File(docs + "/broken.desktop", "no entry here\n");
        tree.File(docs + "/big.desktop", test::TIndexTree::Entry("Big", "big") + QString(20000, u'#') + "\n");
        // Menus, places and the desktop come before the configured folders.
        const QString menu = tree.roots.dataDirs.at(0) + "/applications";
        tree.Program("editor"); // a menu entry whose program is not installed is not listed
        tree.File(menu + "/editor.desktop", test::TIndexTree::Entry("Text Editor", "editor", "Categories=Utility;\n"));
        tree.File(menu + "/hidden.desktop", test::TIndexTree::Entry("Hidden", "hidden", "NoDisplay=true\n"));
        tree.File(tree.roots.home + "/Desktop/launch.desktop", test::TIndexTree::Entry("Launcher", "l"));
        input.roots = tree.roots;
        input.roots.userDirs = ReadUserDirs(tree.roots.configHome, tree.roots.home);
        input.dataFolder = tree.Data();
        input.indexuwp = false;
        input.indexextraitems = QStringLiteral("rfDesktop");
        const QString more = tree.Root("more");
        for (const char* name : {"Notes.TXT", "skip.bin", "app.desktop", "Folder/inside.bin", "deep/x/y.txt"})
            tree.File(more + "/" + name);
        input.scandirs = FormatScanFolders({TMyScanItem{docs, "*", {}, "3"}, TMyScanItem{more, "txt;DESKTOP;\\", {}, "1"}});
        QDir().mkpath(tree.Data());
    }
    QString Cache() const { return tree.Data() + "scancache.dat"; }

    test::TIndexTree tree;
    TScanInput input;
    std::vector<QByteArray> raw;
};

TEST_F(ScanWriter, WritesWhatAScanIntoAListWouldSave) {
    const std::atomic<bool> cancel{false};
    const TScanWriteResult written = WriteScannedIndex(input, cancel, Cache());
    ASSERT_EQ(written.state, TScanState::Finished);
    ASSERT_TRUE(written.cache.ok) << written.cache.error.toStdString();
    ASSERT_TRUE(written.snapshot.ok) << written.snapshot.error.toStdString();

    const TScanResult listed = ScanIndex(input, cancel);
    ASSERT_EQ(listed.state, TScanState::Finished);
    EXPECT_EQ(written.lines, std::uint32_t(listed.list.size()));
    EXPECT_EQ(written.items, listed.list.ItemCount());
    const QString fromList = tree.Data() + "fromlist.dat";
    ASSERT_TRUE(SaveIndexCache(fromList, listed.list).ok);
    EXPECT_EQ(test::ReadAll(Cache()), test::ReadAll(fromList));
    const std::optional<TCacheStamp> stamp = CacheStampOf(Cache());
    ASSERT_TRUE(stamp);
    EXPECT_EQ(test::ReadAll(SnapshotFileFor(Cache())), TIndexImage::Build(listed.list, *stamp));
    EXPECT_TRUE(OpenIndexSnapshot(Cache())) << "the snapshot belongs to the cache written with it";

    // What the list holds is what each kind of entry should give.
    QStringList names;
    for (const TIndexEntry& e : listed.list)
        names << e.item->name;
    for (const char* expected : {"Named App", "Grüße & <Co>", "empty.desktop", "broken.desktop", "Big", "Text Editor",
                                 "Launcher", "café.txt", "x&y<z>\r.txt", "  spaced  out   name .txt", "Ünïcode",
                                 "Notes.TXT", "app.desktop", "Folder", "x"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(names.contains("Hidden"));
    EXPECT_FALSE(names.contains("skip.bin"));
    EXPECT_FALSE(names.contains("y.txt")) << "below the folder's depth";
    EXPECT_EQ(names.count("Setup.lnk") + names.count("SETUP.lnk"), 2) << "equal names in equal folders are one entry";
    EXPECT_EQ(names.count("Alpha Beta.txt"), 2) << "a name in two differently named folders is two entries";
    EXPECT_EQ(names.filter(QString(250, u'n')).size(), 1);
    EXPECT_EQ(names.filter(QStringLiteral("bad")).size(), 1);
}

TEST_F(ScanWriter, ACancelledScanLeavesTheCacheAndSnapshotAsTheyWere) {
    test::WriteAll(Cache(), "the old cache");
    test::WriteAll(SnapshotFileFor(Cache()), "the old snapshot");
    const std::atomic<bool> cancel{true};
    const TScanWriteResult r = WriteScannedIndex(input, cancel, Cache());
    EXPECT_EQ(r.state, TScanState::Cancelled);
    EXPECT_EQ(test::ReadAll(Cache()), "the old cache");
    EXPECT_EQ(test::ReadAll(SnapshotFileFor(Cache())), "the old snapshot");
    EXPECT_EQ(QDir(tree.Data()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
}

TEST_F(ScanWriter, ACacheThatCannotBePutInPlaceLeavesNoSnapshotBehind) {
    // A folder in the cache's place: its content is complete (the snapshot is written meanwhile)
    // but the rename over it fails.
    tree.File(Cache() + "/in the way");
    const std::atomic<bool> cancel{false};
    const TScanWriteResult r = WriteScannedIndex(input, cancel, Cache());
    EXPECT_EQ(r.state, TScanState::Finished);
    EXPECT_FALSE(r.cache.ok);
    EXPECT_FALSE(QFile::exists(SnapshotFileFor(Cache())));
}

} // namespace
