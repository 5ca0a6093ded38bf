// The clipboard history: the hex and time stamp encodings, c.dat round trips and bounds, the
// in-memory list, and the keeper's capture, saver, clearing and safe mode.
#include "core/atomicfile.h"
#include "core/settings.h"
#include "support/systemfakes.h"
#include "support/testsupport.h"
#include "support/timefakes.h"
#include "tools/cliphistory.h"
#include "tools/clipkeeper.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <mutex>

namespace vantrelo {
namespace {

using test::TempDir;

const QDateTime kNow(QDate(2026, 3, 9), QTime(14, 5, 9));

TMyClipItem Clip(const QString& text, const QDateTime& ts) {
    TMyClipItem c;
    c.clipb = text;
    c.ts = ts;
    return c;
}

TEST(ClipHex, EncodesUtf16LowByteFirstAndRejectsBrokenInput) {
    struct TCase {
        QString text;
        QString hex;
    } cases[] = {
        {"A", "4100"},
        {"Hi", "48006900"},
        {"{BR}", "7B00420052007D00"},
        {QString::fromUtf8("é€"), "E900AC20"},
        {QString::fromUtf8("😀"), "3DD800DE"},
        {"", ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ClipHex(c.text), c.hex) << c.text.toStdString();
        EXPECT_EQ(ClipUnhex(c.hex), c.text) << c.hex.toStdString();
    }
    EXPECT_EQ(ClipUnhex("e900").value(), QString::fromUtf8("é")); // lower-case digits are read too
    for (const char* bad : {"410", "41G0", "41 0", "-100"})
        EXPECT_FALSE(ClipUnhex(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(ClipTime, WritesDateAndTimeOrTheDateAloneAtMidnight) {
    EXPECT_EQ(ClipTimeText(kNow), "2026-03-09 14:05:09");
    EXPECT_EQ(ClipTimeText(QDateTime(QDate(2026, 3, 9), QTime(0, 0))), "2026-03-09");
    EXPECT_EQ(ParseClipTime("2026-03-09 14:05:09"), kNow);
    EXPECT_EQ(ParseClipTime("2026-03-09"), QDateTime(QDate(2026, 3, 9), QTime(0, 0)));
    for (const char* bad : {"", "0", "2026-13-01 10:00:00", "yesterday", "2026-03-09 25:00:00"})
        EXPECT_FALSE(ParseClipTime(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(ClipFile, WritesTheDocumentedLayout) {
    const QString file = EncodeClipFile({Clip("Hi", kNow)}, kNow, 1);
    EXPECT_EQ(file, "[C0]\r\ntxt=48006900\r\ntime=" + ClipHex("2026-03-09 14:05:09") + "\r\n\r\n");
}

TEST(ClipFile, RoundTripsEveryTextExactlyAndTheFileByteForByte) {
    const QStringList texts = {
        "plain", "a\r\nb\r\nc", "literal {BR} stays", "{\\BR} and {\\\\BR}", "tab\there", QString::fromUtf8("😀 ünï"),
        "[C0]\r\ntxt=0", "  spaces  ",
    };
    std::vector<TMyClipItem> entries;
    for (int i = 0; i < texts.size(); ++i)
        entries.push_back(Clip(texts[i], kNow.addSecs(-60 * (texts.size() - i))));
    const QString file = EncodeClipFile(entries, kNow, 1);
    const std::vector<TMyClipItem> back = DecodeClipFile(file, kNow, 1);
    ASSERT_EQ(back.size(), entries.size());
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].clipb, entries[i].clipb);
        EXPECT_EQ(back[i].ts, entries[i].ts);
    }
    EXPECT_EQ(EncodeClipFile(back, kNow, 1), file);
}

TEST(ClipFile, LineBreaksOfAnyKindAreStoredAsOneBreak) {
    // The file keeps breaks as breaks; they come back as CR LF.
    const QString file = EncodeClipFile({Clip("a\r\nb\nc\rd", kNow)}, kNow, 1);
    EXPECT_TRUE(file.contains(ClipHex("a{BR}b{BR}c{BR}d")));
    EXPECT_EQ(DecodeClipFile(file, kNow, 1).at(0).clipb, "a\r\nb\r\nc\r\nd");
}

TEST(ClipFile, DropsExpiredEntriesOnWriteAndOnRead) {
    const std::vector<TMyClipItem> entries = {Clip("old", kNow.addSecs(-3 * 3600)), Clip("new", kNow.addSecs(-3600))};
    const std::vector<TMyClipItem> kept = DecodeClipFile(EncodeClipFile(entries, kNow, 2), kNow, 2);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].clipb, "new");
    // Written with a long window, read later with a short one.
    EXPECT_EQ(DecodeClipFile(EncodeClipFile(entries, kNow, 5), kNow, 2).size(), 1u);
}

TEST(ClipFile, ABadEntrySkipsOnlyItself) {
    const QString ok = ClipHex("2026-03-09 14:00:00");
    const QString file = "[C0]\r\ntxt=" + ClipHex("first") + "\r\ntime=" + ok + "\r\n" +      //
                         "[C1]\r\ntxt=" + ClipHex("bad time") + "\r\ntime=" + ClipHex("soon") + "\r\n" + //
                         "[C2]\r\ntxt=41\r\ntime=" + ok + "\r\n" +                                       //
                         "[C3]\r\ntxt=" + ClipHex("no time") + "\r\n" +                                  //
                         "[C4]\r\ntxt=" + ClipHex("last") + "\r\ntime=" + ok + "\r\n" +                  //
                         "[C6]\r\ntxt=" + ClipHex("after a gap") + "\r\ntime=" + ok + "\r\n";
    const std::vector<TMyClipItem> back = DecodeClipFile(file, kNow, 1);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].clipb, "first");
    EXPECT_EQ(back[1].clipb, "last");
}

TEST(ClipFile, KeepsTheNewestEntriesWithinTheBounds) {
    const QString huge(kMaxClipEntryChars + 1, u'x');
    const QString big(kMaxClipEntryChars, u'y');
    std::vector<TMyClipItem> entries = {Clip("oldest", kNow), Clip(huge, kNow)};
    const int fit = int(kMaxClipFileChars / kMaxClipEntryChars);
    for (int i = 0; i < fit; ++i)
        entries.push_back(Clip(big, kNow));
    entries.push_back(Clip("newest", kNow));
    const std::vector<TMyClipItem> back = DecodeClipFile(EncodeClipFile(entries, kNow, 1), kNow, 1);
    // The entry over the limit and what no longer fits the whole budget are left out.
    ASSERT_EQ(back.size(), size_t(fit));
    EXPECT_EQ(back.back().clipb, "newest");
    for (const TMyClipItem& c : back)
        EXPECT_NE(c.clipb, huge);
    EXPECT_NE(back.front().clipb, "oldest");
}

TEST(ClipHistory, AddsRepeatsOnlyWhenNotTheNewestAndRemovesExactlyTheChosenEntry) {
    TClipHistory h;
    for (const char* t : {"A", "A", "B", "A", "a"})
        h.Add(QString::fromLatin1(t), kNow);
    EXPECT_EQ(h.Count(), 4);
    EXPECT_EQ(h.Entry(1), "a");
    EXPECT_EQ(h.Entry(4), "A");
    EXPECT_EQ(h.Entry(5), QString());
    // Removing "A" takes the exact text, never the "a" that only matches ignoring case.
    EXPECT_TRUE(h.Remove("A", QDateTime()));
    EXPECT_EQ(h.Entry(1), "a");
    EXPECT_EQ(h.Entry(2), "B");
    EXPECT_FALSE(h.Remove("missing", QDateTime()));
    h.MoveToNewest("B", kNow.addSecs(5));
    EXPECT_EQ(h.Entry(1), "B");
    EXPECT_EQ(h.Count(), 3);
    EXPECT_EQ(h.Clear(), 3);
    EXPECT_EQ(h.Count(), 0);
}

struct KeeperTest : ::testing::Test {
    TempDir dir;
    TSettings settings;
    test::TFakeClipboard clipboard;
    test::TFakeClock clock{kNow};

    KeeperTest() { settings.clipboardhours = 2; }
    TClipKeeper::TSetup Setup(bool safeMode = false) {
        TClipKeeper::TSetup s;
        s.settings = &settings;
        s.clipboard = &clipboard;
        s.clock = &clock;
        s.file = dir.File("c.dat");
        s.safeMode = safeMode;
        return s;
    }
    void Copy(TClipKeeper& k, const QString& text) {
        clipboard.Put(text);
        k.OnClipboardChanged();
        clock.Advance(1);
    }
    std::vector<TMyClipItem> OnDisk() {
        QString text;
        if (!QFile::exists(dir.File("c.dat")))
            return {};
        EXPECT_TRUE(ReadTextFile(dir.File("c.dat"), text));
        return DecodeClipFile(text, clock.Now(), settings.clipboardhours);
    }
};

TEST_F(KeeperTest, RecordsCopiesUnlessOffOrIncognitoAndSavesThemBetweenRuns) {
    {
        TClipKeeper k(Setup());
        k.Read();
        Copy(k, "one");
        Copy(k, "one");
        Copy(k, "a{BR}b\n");
        settings.incognito = true;
        settings.incognitoconfig = "c";
        Copy(k, "secret");
        settings.incognito = false;
        settings.clipboardsniffer = false;
        Copy(k, "unwatched");
        settings.clipboardsniffer = true;
        clipboard.hasText = false;
        k.OnClipboardChanged(); // an image: nothing to record
        EXPECT_EQ(k.History().Count(), 2);
        EXPECT_EQ(k.History().Entry(1), "a{BR}b\n");
        k.WriteNow();
    }
    TClipKeeper again(Setup());
    again.Read();
    ASSERT_EQ(again.History().Count(), 2);
    EXPECT_EQ(again.History().Entry(2), "one");
    EXPECT_EQ(again.History().Entry(1), "a{BR}b\r\n");
}

TEST_F(KeeperTest, TheSaverWritesInTheBackgroundAndAClearIsNeverUndone) {
    TClipKeeper k(Setup());
    k.Read();
    Copy(k, "first");
    k.JoinSaver();
    EXPECT_EQ(OnDisk().size(), 1u);
    Copy(k, "second");
    const TClipKeeper::TCleared r = k.Clear(); // joins the saver started by "second" first
    EXPECT_EQ(r.count, 2);
    EXPECT_TRUE(r.deleted);
    EXPECT_FALSE(QFile::exists(dir.File("c.dat")));
    // A write with a version from before the clear is dropped.
    TClipFileStore store(dir.File("c.dat"));
    EXPECT_TRUE(store.Delete(5));
    EXPECT_FALSE(store.Write(EncodeClipFile({Clip("stale", kNow)}, kNow, 2), 4));
    EXPECT_FALSE(QFile::exists(dir.File("c.dat")));
    EXPECT_TRUE(store.Write(EncodeClipFile({Clip("fresh", kNow)}, kNow, 2), 6));
    EXPECT_TRUE(QFile::exists(dir.File("c.dat")));
}

TEST_F(KeeperTest, AFailedDeleteIsReported) {
    TClipKeeper k(Setup());
    k.Read();
    Copy(k, "x");
    k.JoinSaver();
    QFile::remove(dir.File("c.dat"));
    ASSERT_TRUE(QDir().mkdir(dir.File("c.dat/")));
    test::WriteAll(dir.File("c.dat/inside"), "x"); // a non-empty folder in the file's place
    EXPECT_FALSE(k.Clear().deleted);
}

// A save that fails (here a folder stands where c.dat goes) is said, by the saver and by the exit
// write, never dropped in silence.
TEST_F(KeeperTest, AFailedSaveIsSaid) {
    std::mutex m;
    QStringList said;
    TClipKeeper::TSetup setup = Setup();
    setup.saveFailed = [&](const QString& error) {
        const std::lock_guard lock(m);
        said << error;
    };
    TClipKeeper k(setup);
    k.Read();
    ASSERT_TRUE(QDir().mkdir(dir.File("c.dat/")));
    test::WriteAll(dir.File("c.dat/inside"), "x");
    Copy(k, "lost?");
    k.JoinSaver();
    {
        const std::lock_guard lock(m);
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0].contains("c.dat")) << said[0].toStdString();
    }
    QString error;
    EXPECT_FALSE(k.WriteNow(&error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(KeeperTest, NothingIsReadOrWrittenWithoutHoursOrInSafeMode) {
    test::WriteText(dir.File("c.dat"), EncodeClipFile({Clip("kept", kNow)}, kNow, 2));
    const QByteArray before = test::ReadAll(dir.File("c.dat"));
    {
        TClipKeeper safe(Setup(true));
        safe.Read();
        Copy(safe, "typed in safe mode");
        safe.WriteNow();
        EXPECT_EQ(safe.History().Count(), 1);
    }
    settings.clipboardhours = 0;
    {
        TClipKeeper none(Setup());
        none.Read();
        EXPECT_EQ(none.History().Count(), 0);
        Copy(none, "memory only");
        none.WriteNow();
        EXPECT_EQ(none.History().Entry(1), "memory only");
    }
    EXPECT_EQ(test::ReadAll(dir.File("c.dat")), before);
}

TEST_F(KeeperTest, ChoosingMovesTheExactEntryAndRemovingLeavesOthersAlone) {
    TClipKeeper k(Setup());
    Copy(k, "Mail");
    Copy(k, "mail");
    Copy(k, "other");
    k.Choose(Clip("Mail", kNow));
    EXPECT_EQ(k.History().Entry(1), "Mail");
    EXPECT_EQ(k.History().Entry(2), "other");
    EXPECT_EQ(k.History().Entry(3), "mail");
    // The clipboard's change after the choice does not add the text again.
    Copy(k, "Mail");
    EXPECT_EQ(k.History().Count(), 3);
    EXPECT_TRUE(k.Remove(Clip("mail", QDateTime())));
    EXPECT_EQ(k.History().Count(), 2);
    EXPECT_EQ(k.History().Entry(1), "Mail");
}

} // namespace
} // namespace vantrelo
