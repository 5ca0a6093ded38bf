// Text helpers: case mapping without expansion, trimming, decoding of files without a BOM.
#include "core/text.h"

#include <QByteArray>
#include <gtest/gtest.h>

using namespace vantrelo;

TEST(Text, CaseMappingIsOneToOne) {
    EXPECT_EQ(LowerText(QStringLiteral("ÄBC")), QStringLiteral("äbc"));
    EXPECT_EQ(UpperText(QStringLiteral("straße")), QStringLiteral("STRAßE")); // no "SS" expansion
    EXPECT_TRUE(SameText(QStringLiteral("Ärger"), QStringLiteral("äRGER")));
    EXPECT_FALSE(SameText(QStringLiteral("a"), QStringLiteral("ab")));
}

TEST(Text, TrimRemovesControlCharactersAndSpaces) {
    EXPECT_EQ(TrimText(QStringLiteral("\t  a b \r\n")), QStringLiteral("a b"));
    EXPECT_EQ(TrimText(QStringLiteral("   ")), QString());
}

TEST(Text, UnquotedTakesOnlyOnePairAroundTheWhole) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"\"/usr/bin/my tool\"", "/usr/bin/my tool"},
        {"\"\"a\"\"", "\"a\""},           // one pair only
        {"\"a\" \"b\"", "a\" \"b"},      // the first and the last character, as they stand
        {"\"", "\""},                  // a lone quote is no pair
        {"\"\"", ""},
        {" \"a\"", " \"a\""},          // blanks are the caller's to trim
        {"a\"b\"", "a\"b\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Unquoted(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(Text, DecodesByBomThenUtf8ThenWindows1252) {
    EXPECT_EQ(DecodeFileText(QByteArray("\xEF\xBB\xBF\xC3\xA4")), QStringLiteral("ä"));
    EXPECT_EQ(DecodeFileText(QByteArray("\xFF\xFE\xE4\x00", 4)), QStringLiteral("ä"));
    EXPECT_EQ(DecodeFileText(QByteArray("\xC3\xA4")), QStringLiteral("ä"));
    EXPECT_EQ(DecodeFileText(QByteArray("caf\xE9 \x80")), QStringLiteral("café €"));
}

TEST(Text, SplitsEveryKindOfLineBreak) {
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\nc\rd")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(ReplaceLineBreaks(QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("|")), QStringLiteral("a|b|c|d"));
}
