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

TEST(AtomicFile, ReportsAFolderThatDoesNotExist) {
    test::TempDir dir;
    const TSaveResult r = SaveFileAtomic(dir.File(QStringLiteral("missing/x.ini")), QByteArray("x"));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}
