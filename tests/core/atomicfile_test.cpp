// Atomic saving: a save that fails at any step leaves the old file byte for byte and no litter.
#include "core/atomicfile.h"

#include "support/testsupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace vantrelo;

TEST(AtomicFile, FailureAtEveryStepKeepsTheOldFile) {
    test::TempDir dir;
    const QString path = dir.File(QStringLiteral("vantrelo.ini"));
    const QByteArray old("old contents");
    const QByteArray fresh(200 * 1024, 'x'); // several write chunks

    struct Case {
        TSaveStep step;
        int chunk;
    } cases[] = {{TSaveStep::Create, 0}, {TSaveStep::Write, 0}, {TSaveStep::Write, 2},
                 {TSaveStep::Flush, 0},  {TSaveStep::Rename, 0}};
    for (const Case& c : cases) {
        test::WriteAll(path, old);
        const TSaveResult r = SaveFileAtomic(path, fresh, [&](TSaveStep s, int chunk) {
            return s == c.step && chunk == c.chunk;
        });
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.error.contains(path));
        EXPECT_EQ(test::ReadAll(path), old);
        EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("vantrelo.ini")});
    }
    ASSERT_TRUE(SaveFileAtomic(path, fresh).ok);
    EXPECT_EQ(test::ReadAll(path), fresh);
}

TEST(AtomicFile, StreamedContentIsJoinedOrTheOldFileStays) {
    test::TempDir dir;
    const QString path = dir.File(QStringLiteral("scancache.dat"));
    test::WriteAll(path, "old");
    const auto pieces = [](bool giveUp) {
        return [giveUp](const TSaveWrite& write) {
            return write("first ") && write(QByteArray(100 * 1024, 'y')) && write("last") && !giveUp;
        };
    };
    // Given up after writing, or a write that fails: nothing of it shows.
    const TSaveResult abandoned = SaveFileAtomicStream(path, pieces(true));
    EXPECT_FALSE(abandoned.ok);
    EXPECT_TRUE(abandoned.error.contains(path));
    EXPECT_EQ(test::ReadAll(path), "old");
    EXPECT_FALSE(SaveFileAtomicStream(path, pieces(false), [](TSaveStep s, int chunk) {
                     return s == TSaveStep::Write && chunk == 2;
                 }).ok);
    EXPECT_EQ(test::ReadAll(path), "old");
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("scancache.dat")});

    ASSERT_TRUE(SaveFileAtomicStream(path, pieces(false)).ok);
    EXPECT_EQ(test::ReadAll(path), "first " + QByteArray(100 * 1024, 'y') + "last");
}

TEST(AtomicFile, AnUnflushedSaveReplacesTheFileAndNamesItsCompleteContentFirst) {
    test::TempDir dir;
    const QString path = dir.File(QStringLiteral("scancache.idx"));
    test::WriteAll(path, "old");
    TSaveOptions options;
    options.flush = false;
    QByteArray seen;
    options.written = [&](const QString& temp) {
        seen = test::ReadAll(temp);
        EXPECT_EQ(test::ReadAll(path), "old") << "the old file is there until the new one is complete";
    };
    ASSERT_TRUE(SaveFileAtomicStream(path, [](const TSaveWrite& write) { return write("new ") && write("content"); },
                                     options).ok);
    EXPECT_EQ(seen, "new content");
    EXPECT_EQ(test::ReadAll(path), "new content");
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("scancache.idx")});
}

TEST(AtomicFile, ReportsAFolderThatDoesNotExist) {
    test::TempDir dir;
    const TSaveResult r = SaveFileAtomic(dir.File(QStringLiteral("missing/x.ini")), QByteArray("x"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}
