// Short-form scoring over lower-cased texts without allocations in the hot path.
#include "suggest/shortform.h"

#include "core/text.h"

#include <algorithm>

namespace vantrelo {

bool IsSubsequence(QStringView a, QStringView b) {
    if (b.size() < a.size())
        return false;
    const QChar* p = b.data();
    const QChar* const end = p + b.size();
    for (QChar c : a) {
        while (p != end && *p != c)
            ++p;
        if (p == end)
            return false;
        ++p;
    }
    return true;
}

int SubsequenceScore(QStringView a, QStringView b, bool bonus) {
    if (a.isEmpty() || !IsSubsequence(a, b))
        return 0;
    int base = 100;
    if (bonus) {
        if (a.front() == b.front())
            base += 2;
        if (a.back() == b.back())
            base += 1;
        if (b.startsWith(a))
            base += 1;
        if (b.endsWith(a))
            base += 2;
    }
    return base * 10;
}

int PrefixRun(QStringView a, QStringView b, int limit) {
    int i = 1;
    while (!(i >= a.size() || i >= b.size() || a[i - 1] != b[i - 1] || i == limit))
        ++i;
    return i;
}

int SuffixRun(QStringView a, QStringView b, int limit) {
    const qsizetype na = a.size();
    const qsizetype nb = b.size();
    int i = 1;
    while (!(i >= na || i >= nb || a[na - i] != b[nb - i] || i == limit))
        ++i;
    return i;
}

int WordScore(QStringView a, QStringView word, int r) {
    if (a.isEmpty() || word.size() < a.size())
        return r;
    if (const int e = SubsequenceScore(a, word, true); e != 0)
        return e;
    // Word-start and word-end runs add up over the words, but never to a subsequence hit's score.
    if (a.front() == word.front())
        return std::min(kMaxWordRunScore, r + 10 * PrefixRun(a, word));
    if (word.endsWith(a.right(2)))
        return std::min(kMaxWordRunScore, r + 10 * SuffixRun(a, word));
    return r;
}

int WordBonus(const QString& typed, const QString& candidate) {
    const QStringList words = typed.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return 0;
    QString rest = candidate;
    int bonus = 0;
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        const qsizetype at = rest.indexOf(words[i]);
        if (at >= 0) {
            bonus += 3;
            rest.remove(at, words[i].size());
        }
    }
    if (rest.contains(words.last()))
        bonus += 3;
    return bonus;
}

int WordCount(QStringView candidate) {
    return candidate.isEmpty() ? 0 : int(candidate.count(QLatin1Char(' '))) + 1;
}

int LongestWord(QStringView candidate) {
    int best = 0;
    int run = 0;
    for (QChar c : candidate) {
        run = c == QLatin1Char(' ') ? 0 : run + 1;
        best = std::max(best, run);
    }
    return best;
}

QString PrepareTyped(const QString& typed) { return TrimText(LowerText(typed)); }

QString PrepareCandidate(const QString& candidate) {
    QString c = LowerText(candidate);
    c.replace(QLatin1String("  "), QLatin1String(" "));
    return TrimText(c);
}

std::uint64_t CharMask(QStringView s) {
    // Letters and digits get a bit each, so common names do not pass for each other.
    std::uint64_t m = 0;
    for (QChar ch : s) {
        const char16_t c = ch.unicode();
        unsigned bit;
        if (c >= u'a' && c <= u'z')
            bit = unsigned(c - u'a');
        else if (c >= u'0' && c <= u'9')
            bit = 26u + unsigned(c - u'0');
        else
            bit = 36u + unsigned(c % 28u);
        m |= std::uint64_t(1) << bit;
    }
    return m;
}

int ShortFormScorePrepared(const QString& typed, QStringView candidate) {
    if (typed.isEmpty() || candidate.isEmpty())
        return 0;
    if (!candidate.contains(QLatin1Char(' ')))
        return SubsequenceScore(typed, candidate, true);
    int r = 0;
    int n = 0;
    qsizetype start = 0;
    while (start <= candidate.size()) {
        qsizetype end = candidate.indexOf(QLatin1Char(' '), start);
        if (end < 0)
            end = candidate.size();
        r = WordScore(typed, candidate.mid(start, end - start), r);
        ++n;
        start = end + 1;
    }
    int s = SubsequenceScore(typed, candidate, false);
    if (s > 50 && typed.contains(QLatin1Char(' ')))
        s += WordBonus(typed, candidate.toString());
    return std::max(r, s) - n / 2;
}

int ShortFormScore(const QString& typed, const QString& candidate) {
    return ShortFormScorePrepared(PrepareTyped(typed), PrepareCandidate(candidate));
}

} // namespace vantrelo
