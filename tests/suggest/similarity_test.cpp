// Trigram scores, preparation steps, the averaging link and percentage rounding.
#include "suggest/similarity.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct TScoreCase {
    const char16_t* a;
    const char16_t* b;
    double score;
    int percent;
};

const TScoreCase kScores[] = {
    {u"Note", u"note", 1.0, 100},
    {u"ab", u"ab", 1.0, 100},
    {u"ab", u"cd", 0.0, 0},
    {u"a-b", u"A B", 1.0, 100},            // both prepare to "AB"
    {u"AAAA", u"AAAA", 16.0 / 12.0, 133},  // a repeated trigram counts pairwise
    {u"", u"", 0.0, 0},
    {u"", u"note", 0.0, 0},
    {u"- .", u"- .", 0.0, 0},              // empty after preparation
    {u"\u00e9", u"\u00c9", 0.0, 0},        // é and É stay different
    {u"\u00f6", u"\u00d6", 1.0, 100},      // ö folds to Ö
    {u"\u00e4\u00fc", u"\u00c4\u00dc", 1.0, 100},
    {u"note", u"notepad", 8.0 / 15.0, 53},
    {u"ABCDEF", u"AXYZWV", 0.125, 12},     // 12.5: the half goes to the even 12
    {u"ABCDEF", u"ABCXYZ", 0.375, 38},     // 37.5: the half goes to the even 38
    {u"fire fox", u"Firefox", 1.0, 100},
    {u"AAAAAAAAAAAAAAA", u"AAAAAAAAAAAAAAA", 2.0 * 173 / 34, 1018},  // long runs pass 1000
};

class TrigramScores : public ::testing::TestWithParam<TScoreCase> {};

TEST_P(TrigramScores, ScoreAndPercentAreSymmetric) {
    const TScoreCase& c = GetParam();
    const QString a = QString::fromUtf16(c.a);
    const QString b = QString::fromUtf16(c.b);
    for (const auto& [first, second] : {std::pair{a, b}, std::pair{b, a}}) {
        TTrigramm t;
        t.SetString1(first);
        t.SetString2(second);
        EXPECT_DOUBLE_EQ(t.Similarity(), c.score) << first.toStdString() << " / " << second.toStdString();
        auto link = InitSimilarity();
        EXPECT_EQ(SimilarityPercent(*link, first, second), c.percent);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, TrigramScores, ::testing::ValuesIn(kScores));

TEST(Trigramm, UnpreparedComparisonIsCaseSensitive) {
    TTrigramm t;
    t.SetPrepareStrings(false);
    t.SetString1(QStringLiteral("Note"));
    t.SetString2(QStringLiteral("note"));
    // Only "ote", "te " and "e  " agree: 2 x 3 / 12.
    EXPECT_DOUBLE_EQ(t.Similarity(), 6.0 / 12.0);
    EXPECT_EQ(t.String1(), QStringLiteral("Note"));
}

TEST(Trigramm, PreparationRewritesTheStoredStringsByOption) {
    TTrigramm t;
    EXPECT_EQ(t.PrepareOptions(), 15);
    t.SetPrepareOptions(kPrepareCase | kPrepareDot);
    t.SetString1(QStringLiteral("a-b. c"));
    t.SetString2(QStringLiteral("x"));
    t.Similarity();
    EXPECT_EQ(t.String1(), QStringLiteral("A-B C"));
    EXPECT_EQ(t.String2(), QStringLiteral("X"));
}

TEST(Trigramm, NormalizeCaseFoldsOnlyAsciiAndThreeUmlauts) {
    TTrigramm t;
    EXPECT_EQ(t.NormalizeCase(QString::fromUtf16(u"az\u00e4\u00f6\u00fc\u00e9\u00df\u00c4")),
              QString::fromUtf16(u"AZ\u00c4\u00d6\u00dc\u00e9\u00df\u00c4"));
}

TEST(Trigramm, RemoveCharsDeletesOneCharacterPerOccurrence) {
    TTrigramm t;
    EXPECT_EQ(t.RemoveChars(QStringLiteral("a-b-c"), QStringLiteral("-")), QStringLiteral("abc"));
    // Each round deletes the first character of the match: "abab" -> "bab" -> "bb".
    EXPECT_EQ(t.RemoveChars(QStringLiteral("abab"), QStringLiteral("ab")), QStringLiteral("bb"));
    EXPECT_EQ(t.RemoveChars(QStringLiteral("abc"), QString()), QStringLiteral("abc"));
}

// Reports a fixed value, so that the link's averaging can be checked on its own.
class TFixedAlgorithm : public TSimilarityAlgorithm {
public:
    explicit TFixedAlgorithm(double value) : value_(value) {}
    double CalcSimilarity(const QString&, const QString&) const override { return value_; }

private:
    double value_;
};

TEST(SimilarityLink, AveragesItsAlgorithmsIgnoringWeights) {
    TSimilarityArithmeticLink link;
    EXPECT_EQ(link.TotalResult(), 0.0);
    link.SimilarityAlgorithms().Add().SetSimilarityAlgorithm(std::make_unique<TFixedAlgorithm>(0.2));
    TSimilarityItem& second = link.SimilarityAlgorithms().Add();
    second.SetSimilarityAlgorithm(std::make_unique<TFixedAlgorithm>(0.6));
    second.SetWeight(10.0);
    EXPECT_DOUBLE_EQ(link.TotalResult(), 0.4);
    EXPECT_EQ(link.SimilarityAlgorithms().Items(0).Weight(), 1.0);
}

TEST(SimilarityLink, PercentRoundsHalvesToEven) {
    const struct {
        double value;
        int percent;
    } cases[] = {{0.005, 0}, {0.015, 2}, {0.025, 2}, {0.125, 12}, {0.374, 37}, {0.376, 38}};
    for (const auto& c : cases) {
        TSimilarityArithmeticLink link;
        link.SimilarityAlgorithms().Add().SetSimilarityAlgorithm(std::make_unique<TFixedAlgorithm>(c.value));
        EXPECT_EQ(SimilarityPercent(link, QStringLiteral("a"), QStringLiteral("b")), c.percent) << c.value;
    }
}

TEST(SimilarityLink, PassesItsStringsToEveryAlgorithm) {
    auto link = InitSimilarity();
    SimilarityPercent(*link, QStringLiteral("Fire-fox"), QStringLiteral("x"));
    EXPECT_EQ(link->String1(), QStringLiteral("Fire-fox"));
    EXPECT_EQ(link->SimilarityAlgorithms().Items(0).SimilarityAlgorithm()->String1(), QStringLiteral("FIREFOX"));
    FreeSimilarity(link);
    EXPECT_EQ(link, nullptr);
}

} // namespace
} // namespace vantrelo
