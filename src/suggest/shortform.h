// Short-form scoring: how well a typed text works as an abbreviation of a candidate name.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace vantrelo {

// A non-subsequence word score never reaches a subsequence hit (1000 and more).
inline constexpr int kMaxWordRunScore = 999;

// Whether every character of `a` occurs in `b` in order.
bool IsSubsequence(QStringView a, QStringView b);
// 1000..1060 when every character of `a` occurs in `b` in order, else 0. Both lower-cased.
int SubsequenceScore(QStringView a, QStringView b, bool bonus);
// Length of the common start of a and b, at least 1, at most `limit` (see ShortFormScore).
int PrefixRun(QStringView a, QStringView b, int limit = 20);
// The same for both texts read from their ends.
int SuffixRun(QStringView a, QStringView b, int limit = 20);
int WordScore(QStringView a, QStringView word, int r);
int WordBonus(const QString& typed, const QString& candidate);

// Space-separated words of a prepared candidate (empty words count, as in the score).
int WordCount(QStringView candidate);
// Length of the longest of those words.
int LongestWord(QStringView candidate);
// The typed text lower-cased and trimmed.
QString PrepareTyped(const QString& typed);
// The candidate lower-cased, double spaces halved in one pass, trimmed.
QString PrepareCandidate(const QString& candidate);
// Characters present in a lower-cased text, folded into 64 bits (a cheap necessary condition).
std::uint64_t CharMask(QStringView s);

// The score of prepared forms; `typed` must come from PrepareTyped, `candidate` from PrepareCandidate.
int ShortFormScorePrepared(const QString& typed, QStringView candidate);
// The score of raw texts.
int ShortFormScore(const QString& typed, const QString& candidate);

} // namespace vantrelo
