// The index's texts and files: id encoding, scandirs, scancache.dat and the app list files.
#include "index/cachestamp.h"
#include "index/indexfiles.h"
#include "index/indexlist.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrelo {
namespace {

TEST(IdListTest, EncodesSixBitsPerCharacterAndDecodesBack) {
    EXPECT_EQ(EncodeIdList(QByteArray("\x04\x00", 2)), QStringLiteral("100"));
    EXPECT_EQ(EncodeIdList(QByteArray("\xff", 1)), QStringLiteral("/m"));
    for (int n = 0; n < 40; ++n) {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes += char((i * 97 + n * 31) & 0xFF);
        EXPECT_EQ(DecodeIdList(EncodeIdList(bytes)), bytes) << n;
    }
    EXPECT_EQ(DecodeIdList(QStringLiteral("100!zz")), QByteArray("\x04\x00", 2)) << "stops at a foreign character";
}

TEST(ScanFoldersTest, OldValuesReadWithCaseKept) {
    const auto items =
        ParseScanFolders(QStringLiteral("\"C:\\Tools\",\"lnk;EXE\",\"2\"|\"/home/Me/Music\",\"\",\"0\"|\"dangling\""));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].path, QStringLiteral("C:\\Tools"));
    EXPECT_EQ(items[0].extensions, QStringLiteral("lnk;EXE"));
    EXPECT_EQ(items[0].level, QStringLiteral("2"));
    EXPECT_EQ(items[1].path, QStringLiteral("/home/Me/Music"));
    EXPECT_TRUE(items[1].extensions.isEmpty());
}

TEST(ScanFoldersTest, ExactPathsRoundTrip) {
    std::vector<TMyScanItem> items(4);
    items[0] = {QStringLiteral("/home/U/My, Files"), QStringLiteral("lnk;\\;exe"), {}, QStringLiteral("1")};
    items[1] = {QStringLiteral("/data/a|b"), QStringLiteral("txt"), {}, QStringLiteral("0")};
    items[2] = {QStringLiteral("/data/q\"uote\""), QString(), {}, QStringLiteral("3")};
    items[3] = {QStringLiteral("%HOME%/Ünïcode"), QStringLiteral("*"), {}, QStringLiteral("0")};
    const auto back = ParseScanFolders(FormatScanFolders(items));
    ASSERT_EQ(back.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(back[i].path, items[i].path);
        EXPECT_EQ(back[i].extensions, items[i].extensions);
        EXPECT_EQ(back[i].level, items[i].level);
    }
}

std::unique_ptr<TMyShellItem> Item(const QString& name, const QString& path) {
    auto it = std::make_unique<TMyShellItem>();
    it->name = name;
    it->root = QStringLiteral("rfStartMenu");
    it->path = path;
    it->ps = "R0A1";
    return it;
}

TEST(IndexCacheTest, EveryNameRoundTrips) {
    const QString awkward[] = {
        QStringLiteral("Plain"),          QStringLiteral("<exe3>x</exe3>"), QStringLiteral("a > b < c"),
        QStringLiteral("Tom &amp; Jerry"), QStringLiteral("line\r\nbreak"),  QStringLiteral("lone\nlf\rcr"),
        QStringLiteral("Ünïcödé 日本"),
    };
    TIndexList list;
    for (const QString& n : awkward)
        list.Append(n + QStringLiteral("key"), Item(n, QStringLiteral("/p/") + n));
    list.Append(QStringLiteral("nothing"), nullptr);
    test::TempDir dir;
    const QString file = dir.File(QStringLiteral("scancache.dat"));
    ASSERT_TRUE(SaveIndexCache(file, list).ok);
    const QByteArray bytes = test::ReadAll(file);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // The file's own form: entities in the values, UTF-8 text, one CRLF line per entry.
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<exet>esc</exet>\r\n<exet>1</exet><exe1>Plain</exe1>"));
    EXPECT_TRUE(bytes.contains("<exet>1</exet><exe1>Tom &amp;amp; Jerry</exe1><exe2>rfStartMenu</exe2>"
                               "<exe3>/p/Tom &amp;amp; Jerry</exe3><exe4>R0A1</exe4>\r\n"));
    EXPECT_TRUE(bytes.contains("<exe1>line&#13;&#10;break</exe1>"));
    EXPECT_TRUE(bytes.contains(QStringLiteral("<exe1>Ünïcödé 日本</exe1>").toUtf8()));

    TIndexList back;
    ASSERT_TRUE(LoadIndexCache(file, back));
    ASSERT_EQ(back.size(), list.size());
    for (qsizetype i = 0; i + 1 < list.size(); ++i) {
        ASSERT_TRUE(back.at(i).item);
        EXPECT_EQ(back.at(i).item->name, list.at(i).item->name);
        EXPECT_EQ(back.at(i).item->path, list.at(i).item->path);
        EXPECT_EQ(back.at(i).item->root, QStringLiteral("rfStartMenu"));
        EXPECT_EQ(back.at(i).item->ps, QByteArray("R0A1"));
        EXPECT_EQ(back.at(i).key, list.at(i).item->name) << "the key of a cached entry is its name";
        EXPECT_EQ(back.at(i).item->liconid, -2);
        EXPECT_TRUE(back.at(i).item->title.isEmpty());
    }
    EXPECT_FALSE(back.at(back.size() - 1).item);
}

TEST(IndexCacheTest, AFilesOwnIdListIsWrittenButNotKept) {
    // Scanned files keep `ps` empty; the file still holds their identifier list, and only a
    // list that is not the file's own comes back into memory.
    TIndexList list;
    auto own = Item(QStringLiteral("Report"), QStringLiteral("/docs/Report 1.txt"));
    own->ps.clear();
    list.Append(QStringLiteral("own"), std::move(own));
    list.Append(QStringLiteral("foreign"), Item(QStringLiteral("Other"), QStringLiteral("/docs/Other.txt")));
    const QString text = FormatIndexCache(list);
    const QByteArray expected = "R" + EncodeIdList(QByteArray("Report 1.txt") + QByteArray(2, '\0')).toLatin1();
    EXPECT_EQ(FileIdList(QStringLiteral("/docs/Report 1.txt")), expected);
    EXPECT_TRUE(text.contains(QStringLiteral("<exe4>") + QString::fromLatin1(expected) + QStringLiteral("</exe4>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<exe4>R0A1</exe4>")));
    // A name beyond ASCII takes the same identifier list as FileIdList gives it.
    TIndexList wide;
    auto umlaut = Item(QStringLiteral("Ünï"), QStringLiteral("/docs/Ünï 2.txt"));
    umlaut->ps.clear();
    wide.Append(QStringLiteral("wide"), std::move(umlaut));
    EXPECT_TRUE(FormatIndexCache(wide).contains(
        QStringLiteral("<exe4>") + QString::fromLatin1(FileIdList(QStringLiteral("/docs/Ünï 2.txt"))) + QStringLiteral("</exe4>")));

    TIndexList back;
    ParseIndexCache(text, back);
    ASSERT_EQ(back.size(), 2);
    EXPECT_TRUE(back.at(0).item->ps.isEmpty());
    EXPECT_EQ(ItemIdList(*back.at(0).item), expected);
    EXPECT_EQ(back.at(1).item->ps, QByteArray("R0A1"));
    EXPECT_EQ(ItemIdList(*back.at(1).item), QByteArray("R0A1"));
}

TEST(IndexCacheTest, OlderFilesReadAsRawValues) {
    TIndexList list;
    list.Append(QStringLiteral("stale"), nullptr);
    ParseIndexCache(QStringLiteral(
                        "<exet>1</exet><exe1>Notepad</exe1><exe2>rfStartMenu</exe2><exe3>C:\\Menu\\Notepad.lnk</exe3>"
                        "<exe4>R0A1</exe4>\r\n"
                        "<exet>1</exet><exe1>Tom &amp; Jerry</exe1><exe2>r</exe2><exe3>/m/Tom &amp; Jerry</exe3>\r\n"
                        "<exet>0</exet><exe1>Other</exe1>\r\n"),
                    list);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.at(0).item->path, QStringLiteral("C:\\Menu\\Notepad.lnk"));
    EXPECT_EQ(list.at(0).item->ps, QByteArray("R0A1"));
    EXPECT_EQ(list.at(1).item->name, QStringLiteral("Tom &amp; Jerry")) << "no entity decoding in old files";
    EXPECT_TRUE(list.at(1).item->ps.isEmpty());
    EXPECT_FALSE(list.at(2).item);
    EXPECT_EQ(list.at(2).key, QStringLiteral("Other"));
}

TEST(IndexCacheTest, IdentifierListsKeepTheirEntitiesThroughSaves) {
    // The fuzzer's find: "a&amp;b" read back as "a&amp;b" and grew on every save.
    const QString found = QString::fromLatin1(
        "<exet>esc</exet>\r\n<exet>1</exet><exe1>n</exe1><exe2>r</exe2><exe3>p</exe3><exe4>a&amp;b</exe4>\r\n");
    TIndexList list;
    ParseIndexCache(found, list);
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.at(0).item->ps, QByteArray("a&b"));

    const QByteArray ids[] = {QByteArray("a&b<c>d"), QByteArray("&amp;&lt;"), QByteArray("r\r\nn"),
                              QByteArray("\xE9\xFF"), QByteArray("R0A1")};
    for (const QByteArray& ps : ids) {
        TIndexList one;
        auto item = Item(QStringLiteral("n"), QStringLiteral("/p"));
        item->ps = ps;
        one.Append(QStringLiteral("n"), std::move(item));
        QString text = FormatIndexCache(one);
        for (int save = 0; save < 3; ++save) {
            TIndexList back;
            ParseIndexCache(text, back);
            ASSERT_EQ(back.size(), 1);
            EXPECT_EQ(back.at(0).item->ps, ps) << save;
            text = FormatIndexCache(back);
        }
    }
}

TEST(IndexCacheTest, MissingFileLeavesListAlone) {
    test::TempDir dir;
    TIndexList list;
    list.Append(QStringLiteral("k"), Item(QStringLiteral("n"), QStringLiteral("/p")));
    EXPECT_FALSE(LoadIndexCache(dir.File(QStringLiteral("none.dat")), list));
    EXPECT_EQ(list.size(), 1);
}

TEST(IndexListTest, KeysAreUniqueIgnoringCase) {
    TIndexList list;
    EXPECT_TRUE(list.AddUnique(QStringLiteral("Setup.desktopTools"), nullptr));
    EXPECT_FALSE(list.AddUnique(QStringLiteral("setup.desktoptools"), nullptr));
    list.Append(QStringLiteral("Loaded"), nullptr);
    EXPECT_TRUE(list.ContainsKey(QStringLiteral("LOADED")));
    EXPECT_EQ(list.size(), 2);
    // A finished list gives its key set back; a later lookup builds it again.
    EXPECT_TRUE(list.ClaimLowerKey(QStringLiteral("ünïcode.txtdocs")));
    list.AppendClaimed(QStringLiteral("Ünïcode.txtDocs"), nullptr);
    list.Squeeze();
    EXPECT_FALSE(list.AddUnique(QStringLiteral("SETUP.desktopTools"), nullptr));
    EXPECT_FALSE(list.ClaimLowerKey(QStringLiteral("ünïcode.txtdocs")));
    EXPECT_TRUE(list.AddUnique(QStringLiteral("other"), nullptr));
    EXPECT_EQ(list.size(), 4);
}

TEST(AppFilesTest, IndexAndExportRoundTrip) {
    test::TempDir dir;
    const TAppPairs apps{{QStringLiteral("Firefox"), QStringLiteral("org.mozilla.firefox.desktop")},
                         {QStringLiteral("Semi; \"colon\""), QStringLiteral("a.b.desktop")}};
    ASSERT_TRUE(SaveAppIndex(dir.File(QStringLiteral("index.dat")), {apps[0]}).ok);
    EXPECT_EQ(ReadAppIndex(dir.File(QStringLiteral("index.dat"))), TAppPairs{apps[0]});
    ASSERT_TRUE(SaveAppExport(dir.File(QStringLiteral("uwp.csv")), apps).ok);
    const auto rows = ReadAppExport(dir.File(QStringLiteral("uwp.csv")));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (QStringList{"Name", "AppID"}));
    EXPECT_EQ(rows[2], (QStringList{apps[1].first, apps[1].second}));
}

// Snapshots written by an earlier run carry these hashes: the values must never drift, and a hash
// fed in pieces must equal the hash of the whole, wherever the pieces split.
TEST(ContentHashTest, ValuesAreStableAndPiecesHashAsTheWhole) {
    std::string s;
    for (int i = 0; i < 1000; ++i)
        s += char('a' + i % 26) + std::to_string(i);
    EXPECT_EQ(ContentHash(s.data(), s.size()), 0x1388e28c73ebedf1ull);
    EXPECT_EQ(ContentHash(s.data(), 31, 7), 0xe6880e21f58fe836ull);
    EXPECT_EQ(ContentHash(s.data(), 100, 1), 0x18fbc3d5c44efda1ull);
    for (const std::size_t first : {std::size_t(0), std::size_t(1), std::size_t(31), std::size_t(32), std::size_t(33), std::size_t(1000)})
        for (const std::size_t second : {std::size_t(5), std::size_t(64), std::size_t(97)}) {
            TContentHasher h(3);
            h.Add(s.data(), first);
            h.Add(s.data() + first, second);
            h.Add(s.data() + first + second, s.size() - first - second);
            EXPECT_EQ(h.Finish(), ContentHash(s.data(), s.size(), 3)) << first << "+" << second;
        }
}

} // namespace
} // namespace vantrelo
