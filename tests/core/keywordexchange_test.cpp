// Export files: what they hold, exact round trips, the import rows' marks and the conflict answers.
#include "core/keywordexchange.h"
#include "core/items.h"
#include "core/text.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QFile>

namespace vantrelo {
namespace {

std::unique_ptr<TExeWord> Word(const QString& names, const QString& command) {
    auto w = MakeNewKeyword(names, command, QString());
    w->comment = names + QStringLiteral(" comment");
    return w;
}

std::vector<const TExeWord*> Pointers(const TKeywordList& list) {
    std::vector<const TExeWord*> out;
    for (const auto& w : list)
        out.push_back(w.get());
    return out;
}

TEST(KeywordExchange, FieldsComeBackAsVantreloIniKeepsThem) {
    // A line break is "{BR}" in the files and in memory; nothing else changes on the way.
    const struct {
        QString value, back;
    } cases[] = {{QStringLiteral("line one\nline two\r\nthree"), QStringLiteral("line one{BR}line two{BR}three")},
                 {QStringLiteral("literal {BR} stays"), QStringLiteral("literal {BR} stays")},
                 {QStringLiteral("key=value\n[W]\nkeywords=evil"), QStringLiteral("key=value{BR}[W]{BR}keywords=evil")},
                 {QStringLiteral("\u00fcnic\u00f6de \U0001F600"), QStringLiteral("\u00fcnic\u00f6de \U0001F600")},
                 {QString(), QString()}};
    for (const auto& c : cases) {
        TKeywordList list;
        TExeWord& w = list.Add(Word(QStringLiteral("k"), c.value));
        w.parameters = c.value;
        w.comment = c.value;
        const TImportFile back = ParseExportFile(FormatExportFile(Pointers(list), {c.value, false, false, false}));
        ASSERT_EQ(back.words.size(), 1) << "a value never makes a second keyword: " << c.value.toStdString();
        EXPECT_EQ(back.words.at(0).command, c.back);
        EXPECT_EQ(back.words.at(0).parameters, c.back);
        EXPECT_EQ(back.words.at(0).comment, c.back);
        EXPECT_EQ(back.description, c.back);
    }
}

TEST(KeywordExchange, TheDontExportChoicesLeaveTheirKeysOutAndPermissionsNeverTravel) {
    TKeywordList list;
    TExeWord& a = list.Add(Word(QStringLiteral("a"), QStringLiteral("cmd-a")));
    a.key = 84;
    a.keymod = 3;
    a.group = QStringLiteral("tools");
    a.iconpath = QStringLiteral("/icons/a.png");
    a.permissionlevel = 4;
    list.Add(Word(QStringLiteral("b"), QStringLiteral("cmd-b")));
    const QString all = DecodeFileText(FormatExportFile(Pointers(list), {QStringLiteral("My set"), false, false, false}));
    EXPECT_TRUE(all.startsWith(QStringLiteral("[main]\r\ndescription=My set\r\n"))) << all.toStdString();
    EXPECT_EQ(all.count(QStringLiteral("[W]")), 2);
    EXPECT_TRUE(all.contains(QStringLiteral("keymod=3")));
    EXPECT_FALSE(all.contains(QStringLiteral("plevel")));
    const QString bare = DecodeFileText(FormatExportFile(Pointers(list), {QString(), true, true, true}));
    for (const char* key : {"\nkey=", "keymod=", "tools", "iconpath"})
        EXPECT_FALSE(bare.contains(QLatin1String(key))) << key;
    const TImportFile back = ParseExportFile(FormatExportFile(Pointers(list), {}));
    EXPECT_EQ(back.words.at(0).keywords, QStringLiteral("a"));
    EXPECT_EQ(back.words.at(0).key, 84);
    EXPECT_EQ(back.words.at(0).permissionlevel, -1);
    EXPECT_EQ(back.words.at(1).keywords, QStringLiteral("b"));
}

TEST(KeywordExchange, AFailedWriteLeavesTheOldFile) {
    test::TempDir dir;
    const QString file = dir.File("set.exc");
    test::WriteAll(file, "old");
    TKeywordList list;
    list.Add(Word(QStringLiteral("a"), QStringLiteral("x")));
    EXPECT_FALSE(WriteExportFile(dir.File("missing/set.exc"), Pointers(list), {}));
    ASSERT_TRUE(WriteExportFile(file, Pointers(list), {}));
    EXPECT_EQ(ReadExportFile(file).words.size(), 1);
    EXPECT_FALSE(ReadExportFile(dir.File("nope.exc")).error.isEmpty());
}

TEST(KeywordExchange, RowsMarkExistingNamesAndPagesThatTalkToTheProgram) {
    TKeywordList current;
    current.Add(Word(QStringLiteral("g,google"), QStringLiteral("web")));
    TKeywordList candidates;
    candidates.Add(Word(QStringLiteral("wiki"), QStringLiteral("$B$ $BCONNECT$ http://w")));
    candidates.Add(Word(QStringLiteral("google"), QStringLiteral("$b$ $bclick$ x")));
    candidates.Add(Word(QStringLiteral("new"), QStringLiteral("plain")));
    const std::vector<TImportRow> rows = ImportRows(candidates, current);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, QStringLiteral("@ wiki"));
    EXPECT_TRUE(rows[0].checked);
    EXPECT_EQ(rows[1].text, QStringLiteral("* @ google"));
    EXPECT_FALSE(rows[1].checked);
    EXPECT_EQ(rows[2].text, QStringLiteral("new"));
    EXPECT_EQ(rows[2].comment, QStringLiteral("new comment"));
}

TEST(KeywordExchange, ConflictAnswersDecideKeywordByKeyword) {
    struct Case {
        std::vector<TConflictAnswer> answers; // in the order asked
        int asked;
        QStringList names; // the list afterwards
        QString aCommand;  // the first keyword's command afterwards
    };
    const Case cases[] = {
        {{TConflictAnswer::NoToAll}, 1, {"a", "b", "c"}, "old-a"},
        {{TConflictAnswer::Ignore, TConflictAnswer::No}, 2, {"a", "b", "a", "c"}, "old-a"},
        {{TConflictAnswer::Yes, TConflictAnswer::No}, 2, {"a", "b", "c"}, "new-a"},
        {{TConflictAnswer::YesToAll}, 1, {"a", "b", "c"}, "new-a"},
    };
    for (const Case& c : cases) {
        TKeywordList list;
        list.Add(Word(QStringLiteral("a"), QStringLiteral("old-a")));
        list.Add(Word(QStringLiteral("b"), QStringLiteral("old-b")));
        std::vector<std::unique_ptr<TExeWord>> chosen;
        chosen.push_back(Word(QStringLiteral("A"), QStringLiteral("new-a")));
        chosen.push_back(Word(QStringLiteral("b"), QStringLiteral("new-b")));
        chosen.push_back(Word(QStringLiteral("c"), QStringLiteral("new-c")));
        int asked = 0;
        MergeKeywords(list, std::move(chosen), [&](const TExeWord&, const TExeWord&) {
            return c.answers.at(size_t(asked++));
        });
        EXPECT_EQ(asked, c.asked);
        QStringList names;
        for (const auto& w : list)
            names << w->keywords.toLower();
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(list.at(0).command, c.aCommand) << "a replaced keyword keeps its place";
    }
}

TEST(KeywordExchange, TheQuestionNamesBothKeywords) {
    const auto imported = Word(QStringLiteral("g"), QString());
    const auto existing = Word(QStringLiteral("g,google"), QString());
    EXPECT_TRUE(ConflictQuestion(*imported, *existing)
                    .startsWith(QStringLiteral("The keyword \"g\" that you're importing already exists as \"g,google\". "
                                               "Replace it?\n\n\"Yes\" Will replace")));
    EXPECT_TRUE(ConflictQuestion(*existing, *existing)
                    .startsWith(QStringLiteral("A keyword named \"g,google\" already exists. Replace it?")));
}

} // namespace
} // namespace vantrelo

namespace vantrelo {

namespace {

// An export file of `n` keywords "imp<i>,alias<i>" in flattened sections, as the export writes it.
QByteArray ManyKeywords(int n) {
    std::vector<std::unique_ptr<TExeWord>> owned;
    std::vector<const TExeWord*> words;
    for (int i = 0; i < n; ++i) {
        owned.push_back(MakeNewKeyword(QStringLiteral("imp%1,alias%1").arg(i), QStringLiteral("cmd %1").arg(i), QString()));
        words.push_back(owned.back().get());
    }
    return FormatExportFile(words, TExportOptions{});
}

} // namespace

// A large import is whole: 15,000 keywords (650 KB) read, listed against 7,500 of which half are
// theirs, and merged. The pairwise duplicate check this replaced took minutes here; its time is
// measured by bench/core/import_bench.cpp.
TEST(KeywordExchange, FifteenThousandKeywordsImportWhole) {
    constexpr int kCount = 15000;
    const QByteArray bytes = ManyKeywords(kCount);
    TKeywordList current;
    for (int i = 0; i < kCount; i += 2)
        current.Add(MakeNewKeyword(QStringLiteral("IMP%1").arg(i), QStringLiteral("old"), QString()));
    TImportFile file = ParseExportFile(bytes);
    ASSERT_EQ(file.words.size(), kCount);
    EXPECT_EQ(file.words.at(0).keywords, "imp0,alias0");
    EXPECT_EQ(file.words.at(kCount - 1).keywords, QStringLiteral("imp%1,alias%1").arg(kCount - 1));
    const std::vector<TImportRow> rows = ImportRows(file.words, current);
    ASSERT_EQ(rows.size(), size_t(kCount));
    EXPECT_TRUE(rows[0].existing);
    EXPECT_FALSE(rows[1].existing);
    const TMergeResult r = MergeKeywords(current, file.words.TakeAll(),
                                         [](const TExeWord&, const TExeWord&) { return TConflictAnswer::YesToAll; });
    EXPECT_EQ(r.replaced, kCount / 2);
    EXPECT_EQ(r.added, kCount / 2);
    EXPECT_EQ(current.size(), kCount);
}

// The name index answers exactly as the list's own check, also after additions and renames.
TEST(KeywordExchange, TheNameIndexAnswersAsTheListDoes) {
    TKeywordList list;
    list.Add(MakeNewKeyword("a,b", "1", QString()));
    list.Add(MakeNewKeyword("B", "2", QString()));
    list.Add(MakeNewKeyword("c, d", "3", QString()));
    list.Add(MakeNewKeyword("x,", "4", QString()));
    list.at(1).disabled = true;
    TKeywordNameIndex index(list);
    const TKeywordNameSet set(list);
    const QStringList probes = {"a", "b", "B", "zz,b", "d", " d", "c", "C,a", "", "x", "q,", "Ä", "a b"};
    for (const QString& p : probes) {
        EXPECT_EQ(index.Find(p), list.MultiKeywordeExistCheck(p)) << p.toStdString();
        EXPECT_EQ(set.Contains(p), list.MultiKeywordeExistCheck(p) != nullptr) << p.toStdString();
    }
    TExeWord& added = list.Add(MakeNewKeyword("Ä,e", "5", QString()));
    index.Added(&added);
    const QString old = list.at(0).keywords;
    list.at(0).keywords = "f";
    index.Renamed(&list.at(0), old);
    for (const QString& p : probes + QStringList{"e", "f", "ä"})
        EXPECT_EQ(index.Find(p), list.MultiKeywordeExistCheck(p)) << p.toStdString();
}

} // namespace vantrelo
