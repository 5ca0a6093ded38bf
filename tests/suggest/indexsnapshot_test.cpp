// The prepared index image and its snapshot file: round trip, and refusal of damaged, truncated or stale files.
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "suggest/indexsnapshot.h"
#include "suggest/preparedindex.h"
#include "suggest/shortform.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

TIndexList Entries(std::initializer_list<const char*> names) {
    TIndexList list;
    list.Append(QStringLiteral("a line without entry"), nullptr);
    for (const char* n : names) {
        auto item = std::make_unique<TMyShellItem>();
        item->name = QString::fromUtf8(n);
        item->root = QStringLiteral("/home/u/Docs");
        item->path = item->root + u'/' + item->name;
        const QString key = item->name;
        list.Append(key, std::move(item));
    }
    return list;
}

class Snapshot : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString cache = dir.filePath(QStringLiteral("scancache.dat"));
    QString snap = SnapshotFileFor(cache);

    void WriteCache(const TIndexList& list) { ASSERT_TRUE(SaveIndexCache(cache, list).ok); }
    QByteArray SnapBytes() {
        QFile f(snap);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void SetSnapBytes(const QByteArray& bytes) {
        QFile f(snap);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QStringList Names(const std::shared_ptr<const TIndexImage>& image) {
        QStringList out;
        if (image)
            for (const TPreparedName& n : image->Names())
                out << image->Name(n).toString();
        return out;
    }
};

TEST_F(Snapshot, KeepsEveryPreparedFormAndTheEntriesThroughTheFile) {
    TIndexList list = Entries({"Visual Studio Code", "readme.txt", "Ünïcode Setup", "Mail"});
    // An identifier list other than the file's own is kept as it was read.
    auto odd = std::make_unique<TMyShellItem>();
    odd->name = QStringLiteral("App");
    odd->root = QStringLiteral("/usr/share/applications");
    odd->path = QStringLiteral("/usr/share/applications/app.desktop");
    odd->ps = QByteArray("Zq\xff", 3);
    list.Append(QStringLiteral("App"), std::move(odd));
    WriteCache(list);
    ASSERT_TRUE(SaveIndexSnapshot(cache, list).ok);

    const std::shared_ptr<const TIndexImage> image = OpenIndexSnapshot(cache);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->LineCount(), 6u);
    ASSERT_EQ(image->Names().size(), 5u);
    for (const TPreparedName& n : image->Names()) {
        const TIndexEntry& e = list.at(image->Entry(n).entry);
        const std::unique_ptr<TMyShellItem> item = image->MakeItem(n);
        EXPECT_EQ(item->name, e.item->name);
        EXPECT_EQ(item->root, e.item->root);
        EXPECT_EQ(item->path, e.item->path);
        EXPECT_EQ(item->ps, e.item->ps);
        const QString lower = e.item->name.toLower();
        EXPECT_EQ(image->Lower(n), lower);
        EXPECT_EQ(image->Candidate(n), PrepareCandidate(lower));
        EXPECT_EQ(n.mask, FoldMask(CharMask(lower)));
        EXPECT_EQ(n.tier, IndexTier(lower));
    }
    EXPECT_EQ(Names(image), QStringList({"Visual Studio Code", "readme.txt", "Ünïcode Setup", "Mail", "App"}));
}

TEST_F(Snapshot, AnUnsoundFileIsRefusedAndTheCacheServesAndMakesItAgain) {
    const TIndexList list = Entries({"alpha", "beta", "gamma"});
    WriteCache(list);
    ASSERT_TRUE(SaveIndexSnapshot(cache, list).ok);
    const QByteArray good = SnapBytes();
    ASSERT_GT(good.size(), 200);

    struct Case {
        const char* what;
        QByteArray bytes;
    };
    QByteArray body = good, header = good, version = good;
    body[body.size() - 3] = char(body.at(body.size() - 3) ^ 0x20);
    header[20] = char(header.at(20) ^ 0x01);
    version[8] = char(version.at(8) + 1);
    const Case cases[] = {{"a flipped byte in the texts", body},
                          {"a flipped byte in the header", header},
                          {"another version", version},
                          {"truncated", good.left(good.size() - 10)},
                          {"truncated inside the header", good.left(30)},
                          {"longer than it says", good + QByteArray(16, '\0')},
                          {"empty", QByteArray()},
                          {"not an image", QByteArray(400, 'x')}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetSnapBytes(c.bytes);
        QString why;
        EXPECT_FALSE(OpenIndexSnapshot(cache, &why));
        EXPECT_FALSE(why.isEmpty());
        const std::shared_ptr<const TIndexImage> loaded = LoadPreparedIndex(cache);
        EXPECT_EQ(Names(loaded), QStringList({"alpha", "beta", "gamma"}));
        EXPECT_EQ(SnapBytes(), good) << "made again from the cache";
    }
    QFile::remove(snap);
    EXPECT_EQ(Names(LoadPreparedIndex(cache)), QStringList({"alpha", "beta", "gamma"}));
    EXPECT_TRUE(OpenIndexSnapshot(cache));
}

TEST_F(Snapshot, ASnapshotOfAnotherCacheIsStale) {
    const TIndexList before = Entries({"alpha", "betas"});
    WriteCache(before);
    ASSERT_TRUE(SaveIndexSnapshot(cache, before).ok);
    // Same size, another content: the stamp's hash of the file's edges tells them apart.
    WriteCache(Entries({"gamma", "delta"}));
    QString why;
    EXPECT_FALSE(OpenIndexSnapshot(cache, &why));
    EXPECT_EQ(why, QStringLiteral("stale"));
    EXPECT_EQ(Names(LoadPreparedIndex(cache)), QStringList({"gamma", "delta"}));
    EXPECT_TRUE(OpenIndexSnapshot(cache));

    QFile::remove(cache);
    EXPECT_FALSE(OpenIndexSnapshot(cache));
    EXPECT_FALSE(LoadPreparedIndex(cache));
    EXPECT_FALSE(SaveIndexSnapshot(cache, before).ok);
}

TEST_F(Snapshot, AListIsPreparedFromTheSnapshotOnlyWhenTheCacheHeldIt) {
    const TIndexList cached = Entries({"alpha"});
    WriteCache(cached);
    ASSERT_TRUE(SaveIndexSnapshot(cache, cached).ok);
    const std::optional<TCacheStamp> stamp = CacheStampOf(cache);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(Names(PrepareIndex(cached, cache, stamp)), QStringList({"alpha"}));

    // A scan whose cache was not written, or a list read from a cache that has been replaced since:
    // prepared in memory, and the snapshot of the cache on disk is left as it is.
    const TIndexList live = Entries({"beta"});
    EXPECT_EQ(Names(PrepareIndex(live, cache, std::nullopt)), QStringList({"beta"}));
    TCacheStamp older = *stamp;
    older.modified -= 1000;
    EXPECT_EQ(Names(PrepareIndex(live, cache, older)), QStringList({"beta"}));
    EXPECT_EQ(Names(OpenIndexSnapshot(cache)), QStringList({"alpha"}));

    // A missing snapshot of the cache that holds the list is made again.
    QFile::remove(snap);
    EXPECT_EQ(Names(PrepareIndex(cached, cache, stamp)), QStringList({"alpha"}));
    EXPECT_EQ(Names(OpenIndexSnapshot(cache)), QStringList({"alpha"}));
}

TEST_F(Snapshot, NamesAreFoundForTheLauncherIgnoringCase) {
    TIndexList list = Entries({"Writer", "Calc", "writer"});
    TPreparedIndex index(list);
    QStringList paths;
    index.ForEachNamed(QStringLiteral("writer"), [&](const TMyShellItem& item) {
        paths << item.path;
        return true;
    });
    EXPECT_EQ(paths, QStringList({"/home/u/Docs/Writer", "/home/u/Docs/writer"}));
    int visits = 0;
    index.ForEachNamed(QStringLiteral("writer"), [&](const TMyShellItem&) { return ++visits < 1; });
    EXPECT_EQ(visits, 1) << "a visit that answers false ends the walk";
}

TEST(IndexImage, AnEmptyIndexIsASoundImage) {
    const std::shared_ptr<const TIndexImage> image = TIndexImage::FromBytes(TIndexImage::Build(TIndexList()));
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->Names().empty());
    TPreparedIndex index;
    EXPECT_TRUE(index.empty());
    index.Adopt(image);
    EXPECT_TRUE(index.empty());
    EXPECT_EQ(index.ItemCount(), 0);
}

} // namespace
