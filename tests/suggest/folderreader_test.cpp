// Typed folders read off the user-interface thread: the bound, and never a stale folder's entries.
#include "suggest/folderreader.h"
#include "suggest/listbuilder.h"

#include "suggestfixture.h"
#include "support/testsupport.h"
#include "support/timefakes.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

class FolderReaderTest : public test::SuggestFixture {
protected:
    FolderReaderTest() {
        for (const char* f : {"alpha.txt", "beta.txt", "Apple.txt"})
            test::WriteAll(dir.File(QStringLiteral("one/") + f), "x");
        test::WriteAll(dir.File("one/archive/inner.txt"), "x");
        test::WriteAll(dir.File("two/zeta.txt"), "x");
        settings.dropfilesystem = true;
        settings.comboheaders = false;
    }
    TSuggestSources Reading() {
        TSuggestSources s = Sources();
        s.folderReader = &reader;
        return s;
    }
    QStringList Build(const QString& text) {
        BuildListContent(Reading(), state, TSuggestLine::AtEnd(text), false);
        return Texts(state.content);
    }

    test::TempDir dir;
    test::TQueuedTasks tasks;
    TFolderReader reader{tasks};
    int arrivals = 0;
};

TEST_F(FolderReaderTest, ReadingStopsAtTheLimit) {
    for (int i = 0; i < 30; ++i)
        test::WriteAll(dir.File(QStringLiteral("many/f%1").arg(i)), "x");
    const TFolderListing some = ReadFolderListing(dir.File("many"), 10);
    EXPECT_EQ(some.entries.size(), 10u);
    EXPECT_TRUE(some.truncated);
    const TFolderListing all = ReadFolderListing(dir.File("many"), 30);
    EXPECT_EQ(all.entries.size(), 30u);
    EXPECT_FALSE(all.truncated);
    EXPECT_TRUE(ReadFolderListing(dir.File("missing"), 10).entries.empty());
}

TEST_F(FolderReaderTest, TheListShowsTheFolderOnceItsWorkerHasReadIt) {
    reader.SetArrived([this] { ++arrivals; });
    const QString one = dir.File("one/");
    EXPECT_TRUE(Build(one + "a").isEmpty()) << "typing never waits for the folder";
    ASSERT_EQ(tasks.waiting.size(), 1u);
    EXPECT_TRUE(Build(one + "al").isEmpty());
    EXPECT_EQ(tasks.waiting.size(), 1u) << "one read at a time for the same folder";
    ASSERT_TRUE(tasks.RunNext());
    EXPECT_EQ(arrivals, 1);
    EXPECT_EQ(Build(one + "a"), (QStringList{one + "archive", one + "alpha.txt", one + "Apple.txt"}));
    EXPECT_TRUE(tasks.waiting.empty()) << "a folder read once is not read at every keystroke";
}

TEST_F(FolderReaderTest, AFolderTypedMeanwhileReplacesTheOneBeingRead) {
    reader.SetArrived([this] { ++arrivals; });
    const QString one = dir.File("one/");
    const QString two = dir.File("two/");
    Build(one + "a");
    EXPECT_TRUE(Build(two + "z").isEmpty());
    ASSERT_TRUE(tasks.RunNext()); // the first folder's read ends: not shown, the second is read
    EXPECT_EQ(arrivals, 0);
    EXPECT_TRUE(Build(two + "z").isEmpty()) << "never the entries of a folder no longer typed";
    ASSERT_TRUE(tasks.RunNext());
    EXPECT_EQ(arrivals, 1);
    EXPECT_EQ(Build(two + "z"), (QStringList{two + "zeta.txt"}));
    EXPECT_TRUE(Build(one + "a").isEmpty()) << "the first folder is read again, not taken from before";
}

TEST_F(FolderReaderTest, AStaleFolderIsReadAgainWhileItsLastListingStillShows) {
    const QString one = dir.File("one/");
    Build(one);
    tasks.RunNext();
    test::WriteAll(dir.File("one/added.txt"), "x");
    reader.MarkStale();
    EXPECT_EQ(Build(one + "ad"), QStringList()) << "the last listing of the same folder";
    ASSERT_TRUE(tasks.RunNext());
    EXPECT_EQ(Build(one + "ad"), (QStringList{one + "added.txt"}));
}

TEST_F(FolderReaderTest, WithoutAReaderTheFolderIsReadAtOnce) {
    const QString one = dir.File("one/");
    BuildListContent(Sources(), state, TSuggestLine::AtEnd(one + "b"), false);
    EXPECT_EQ(Texts(state.content), (QStringList{one + "beta.txt"}));
    EXPECT_EQ(ListTypedFolder(one + "B", false, nullptr), (QStringList{one + "beta.txt"}));
}

} // namespace
} // namespace vantrelo
