// Short-form scores, plain match tests and the candidate table.
#include "core/items.h"
#include "suggest/candidates.h"
#include "suggest/matching.h"
#include "suggest/shortform.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct ScoreCase {
    const char* typed;
    const char* candidate;
    int score;
};

TEST(ShortFormScore, ScoresAbbreviationsAsSpecifiedTable) {
    const ScoreCase cases[] = {
        {"ff", "firefox", 1020},             // subsequence, first letters equal
        {"fx", "firefox", 1030},             // also the last letters
        {"xf", "firefox", 0},                // order matters
        {"fire", "firefox", 1030},           // prefix
        {"fox", "firefox", 1050},            // suffix
        {"firefox", "firefox", 1060},        // everything
        {"FF", "  FireFox ", 1020},          // case and outer spaces do not count
        {"vs code", "visual studio code", 1002}, // whole-candidate subsequence + word bonus - 3 div 2
        {"vix", "visual studio", 29},        // word-start run of 3 on 'visual', minus 2 div 2
        {"dio", "visual studio", 1029},      // subsequence inside a word replaces the run
        {"abc", "ab", 0},                    // candidate shorter than the typed text
        {"", "firefox", 0},
        {"ff", "", 0},
    };
    for (const ScoreCase& c : cases)
        EXPECT_EQ(ShortFormScore(QString::fromUtf8(c.typed), QString::fromUtf8(c.candidate)), c.score)
            << c.typed << " / " << c.candidate;
}

TEST(ShortFormScore, WordRunsNeverReachASubsequenceHit) {
    // Sixty words that each start like the typed text would add up to 1200 without a bound.
    QString many;
    for (int i = 0; i < 60; ++i)
        many += QStringLiteral("vxy ");
    const int runs = ShortFormScore(QStringLiteral("vab"), many);
    EXPECT_GT(runs, 0);
    EXPECT_LT(runs, ShortFormScore(QStringLiteral("vab"), QStringLiteral("vab tool")));
}

TEST(ShortFormScore, HelpersFollowTheirDefinitions) {
    EXPECT_EQ(PrefixRun(u"firefox", u"fire"), 4);
    EXPECT_EQ(PrefixRun(u"fir", u"fox"), 2);
    EXPECT_EQ(PrefixRun(QString(30, u'a'), QString(30, u'a')), 20);
    EXPECT_EQ(WordBonus(QStringLiteral("vs code"), QStringLiteral("visual studio code")), 3);
    EXPECT_EQ(WordBonus(QStringLiteral("code code"), QStringLiteral("code x")), 3); // one occurrence used once
}

TEST(PlainMatch, HistoryIndexedAndKeywordTests) {
    EXPECT_TRUE(MatchHistoryText(QString(), QStringLiteral("anything"), false));
    EXPECT_FALSE(MatchHistoryText(QString(), QStringLiteral("===== History ====="), true));
    EXPECT_TRUE(MatchHistoryText(QStringLiteral("FOX"), QStringLiteral("firefox"), true));
    EXPECT_FALSE(MatchHistoryText(QStringLiteral("fox"), QStringLiteral("firefox"), false));
    EXPECT_TRUE(MatchIndexedName(QStringLiteral("stu"), QStringLiteral("Visual Studio"), false)); // word start
    EXPECT_FALSE(MatchIndexedName(QStringLiteral("tud"), QStringLiteral("Visual Studio"), false));
    EXPECT_TRUE(MatchIndexedName(QStringLiteral("tud"), QStringLiteral("Visual Studio"), true));

    TExeWord w;
    w.keywords = QStringLiteral("Firefox,FX,web");
    EXPECT_EQ(MatchKeyword(w, QStringLiteral("fx"), false), QStringLiteral("fx"));
    EXPECT_EQ(MatchKeyword(w, QStringLiteral("eb"), true), QStringLiteral("web"));
    EXPECT_EQ(MatchKeyword(w, QStringLiteral("eb"), false), QString());
}

TEST(CandidateTable, KeepsTheBest20AndEarlierOfEqualScores) {
    TCandidateTable t;
    for (int i = 0; i < 21; ++i)
        t.Offer(1030, nullptr, QStringLiteral("k%1").arg(i, 2, 10, QLatin1Char('0')), 3);
    auto ranked = t.Ranked();
    ASSERT_EQ(ranked.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ranked[size_t(i)]->text, QStringLiteral("k%1").arg(i, 2, 10, QLatin1Char('0')));

    t.Offer(1031, nullptr, QStringLiteral("better"), 6);
    ranked = t.Ranked();
    EXPECT_EQ(ranked.front()->text, QStringLiteral("better"));
    EXPECT_EQ(ranked.back()->text, QStringLiteral("k18")); // the newest of the equals went
}

TEST(CandidateTable, HighScoresNeitherBreakTheTableNorOverflow) {
    TCandidateTable t;
    for (int i = 0; i < 25; ++i)
        t.Offer(3'000'000 + i, nullptr, QString::number(i), 1);
    const auto ranked = t.Ranked();
    ASSERT_EQ(ranked.size(), 20u);
    EXPECT_EQ(ranked.front()->score, 3'000'024);
    EXPECT_EQ(ranked.back()->score, 3'000'005);
    EXPECT_GT(ranked.front()->FinalScore(), ranked.back()->FinalScore());
}

TEST(CandidateTable, ShorterTextRanksFirstAmongEqualScores) {
    TCandidateTable t;
    t.Offer(1030, nullptr, QStringLiteral("fontbox"), 7);
    t.Offer(1030, nullptr, QStringLiteral("foxit"), 5);
    t.Offer(1050, nullptr, QStringLiteral("firefox"), 7);
    const auto r = t.Ranked();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0]->text, QStringLiteral("firefox"));
    EXPECT_EQ(r[1]->text, QStringLiteral("foxit"));
    EXPECT_EQ(r[2]->text, QStringLiteral("fontbox"));
}

} // namespace
} // namespace vantrelo
