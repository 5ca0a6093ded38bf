// The colouring of the keyword editor's command fields: "$" tokens and command separators.
#pragma once

#include <QString>

#include <vector>

namespace vantrelo {

struct TColourRange {
    int start;
    int length;
    unsigned rgb;
};

inline constexpr unsigned kTokenColour = 0x9400D3;     // dark violet
inline constexpr unsigned kSeparatorColour = 0x32CD32; // lime green

// From the first character: "$" starts a token up to the next "$" inclusive (or to the end);
// an occurrence of `separator` is one range; other characters keep the text colour.
std::vector<TColourRange> SyntaxRanges(const QString& text, const QString& separator);

} // namespace vantrelo
