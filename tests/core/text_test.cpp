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

// One byte that is not UTF-8 changes only itself: every well-formed character keeps its meaning.
TEST(Text, OneInvalidByteGarblesNothingElse) {
    bool valid = true;
    EXPECT_EQ(DecodeFileText(QByteArray("caf\xC3\xA9 \xFF na\xC3\xAFve \xF0\x9F\x98\x80"), &valid),
              QStringLiteral("café ÿ naïve ") + QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(valid);
    EXPECT_EQ(DecodeFileText(QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9 \xC3"), &valid), QStringLiteral("café Ã"));
    EXPECT_FALSE(valid);
    // Overlong forms and surrogates are malformed, byte by byte.
    EXPECT_EQ(DecodeFileText(QByteArray("\xC0\xAF\xED\xA0\x80")), QStringLiteral("À¯í\u00A0€"));
    EXPECT_EQ(DecodeFileText(QByteArray("caf\xC3\xA9"), &valid), QStringLiteral("café"));
    EXPECT_TRUE(valid);
}

TEST(Text, SplitsEveryKindOfLineBreak) {
    EXPECT_EQ(SplitLines(QStringLiteral("a\r\nb\nc\rd")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}));
    EXPECT_EQ(ReplaceLineBreaks(QStringLiteral("a\r\nb\nc\rd"), QStringLiteral("|")), QStringLiteral("a|b|c|d"));
}
