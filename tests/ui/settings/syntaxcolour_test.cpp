// The colouring of the keyword editor's command fields.
#include "ui/settings/syntaxcolour.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vantrelo {
namespace {

TEST(SyntaxColour, TokensAndSeparatorsFromTheLeft) {
    using R = std::vector<std::tuple<int, int, unsigned>>;
    const std::pair<const char*, R> cases[] = {
        {"xterm -e top", {}},
        {"$clipboard$", {{0, 11, kTokenColour}}},
        {"a $U$ b||c", {{2, 3, kTokenColour}, {7, 2, kSeparatorColour}}},
        {"$open||x", {{0, 8, kTokenColour}}}, // an open token runs to the end, separator and all
        {"a||||b", {{1, 2, kSeparatorColour}, {3, 2, kSeparatorColour}}},
        {"$$", {{0, 2, kTokenColour}}},
    };
    for (const auto& [text, expected] : cases) {
        R got;
        for (const TColourRange& r : SyntaxRanges(text, "||"))
            got.emplace_back(r.start, r.length, r.rgb);
        EXPECT_EQ(got, expected) << text;
    }
}

} // namespace
} // namespace vantrelo
