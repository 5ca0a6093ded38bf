// Finds the coloured ranges of a command text in one pass from the left.
#include "ui/settings/syntaxcolour.h"

namespace vantrelo {

std::vector<TColourRange> SyntaxRanges(const QString& text, const QString& separator) {
    std::vector<TColourRange> ranges;
    int i = 0;
    while (i < text.size()) {
        if (text[i] == u'$') {
            const int close = text.indexOf(u'$', i + 1);
            const int end = close < 0 ? int(text.size()) : close + 1;
            ranges.push_back({i, end - i, kTokenColour});
            i = end;
        } else if (!separator.isEmpty() && QStringView(text).mid(i).startsWith(separator)) {
            ranges.push_back({i, int(separator.size()), kSeparatorColour});
            i += int(separator.size());
        } else {
            ++i;
        }
    }
    return ranges;
}

} // namespace vantrelo
