// Trigram similarity and the arithmetic link over a collection of algorithms.
#include "suggest/similarity.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace vantrelo {

namespace {

// The padded string's L + 2 trigrams, each packed into one integer (three UTF-16 units), sorted.
std::vector<std::uint64_t> SortedTrigrams(const QString& s) {
    const QString p = QStringLiteral("  ") + s + QStringLiteral("  ");
    std::vector<std::uint64_t> keys;
    keys.reserve(static_cast<size_t>(s.size()) + 2);
    for (qsizetype i = 0; i + 2 < p.size(); ++i) {
        keys.push_back((std::uint64_t(p.at(i).unicode()) << 32) | (std::uint64_t(p.at(i + 1).unicode()) << 16) |
                       std::uint64_t(p.at(i + 2).unicode()));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Equal pairs over both lists: the same count as comparing every entry with every entry,
// found by merging runs of equal keys (a run of m against a run of n gives m x n pairs).
std::uint64_t CountEqualPairs(const std::vector<std::uint64_t>& a, const std::vector<std::uint64_t>& b) {
    std::uint64_t count = 0;
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i] < b[j]) {
            ++i;
        } else if (b[j] < a[i]) {
            ++j;
        } else {
            const std::uint64_t key = a[i];
            std::uint64_t m = 0;
            std::uint64_t n = 0;
            for (; i < a.size() && a[i] == key; ++i)
                ++m;
            for (; j < b.size() && b[j] == key; ++j)
                ++n;
            count += m * n;
        }
    }
    return count;
}

} // namespace

QString TSimilarityAlgorithm::NormalizeCase(const QString& s) const {
    QString out = s;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(u - (u'a' - u'A'));
        else if (u == u'\u00E4')
            c = QChar(u'\u00C4');
        else if (u == u'\u00FC')
            c = QChar(u'\u00DC');
        else if (u == u'\u00F6')
            c = QChar(u'\u00D6');
    }
    return out;
}

QString TSimilarityAlgorithm::RemoveChars(const QString& s, const QString& sub) const {
    // An empty `sub` "occurs" everywhere; deleting for it would never end.
    if (sub.isEmpty())
        return s;
    QString out = s;
    if (sub.size() == 1)
        return out.remove(sub.at(0));
    for (qsizetype at = out.indexOf(sub); at >= 0; at = out.indexOf(sub))
        out.remove(at, 1);
    return out;
}

QString TSimilarityAlgorithm::Prepare(const QString& s) const {
    QString out = s;
    if (FPrepareOptions & kPrepareCase)
        out = NormalizeCase(out);
    if (FPrepareOptions & kPrepareSpace)
        out = RemoveChars(out, QStringLiteral(" "));
    if (FPrepareOptions & kPrepareDash)
        out = RemoveChars(out, QStringLiteral("-"));
    if (FPrepareOptions & kPrepareDot)
        out = RemoveChars(out, QStringLiteral("."));
    return out;
}

double TSimilarityAlgorithm::GetSimilarity() {
    if (FPrepareStrings) {
        FString1 = Prepare(FString1);
        FString2 = Prepare(FString2);
    }
    return CalcSimilarity(FString1, FString2);
}

double TTrigramm::CalcSimilarity(const QString& string1, const QString& string2) const {
    if (string1.isEmpty() || string2.isEmpty())
        return 0.0;
    const std::uint64_t count = CountEqualPairs(SortedTrigrams(string1), SortedTrigrams(string2));
    const double total = double(string1.size()) + double(string2.size()) + 4.0;
    return 2.0 * double(count) / total;
}

TSimilarityItem& TSimilarityCollection::Add() {
    items_.push_back(std::make_unique<TSimilarityItem>());
    return *items_.back();
}

double TSimilarityArithmeticLink::GetTotalResult() {
    TSimilarityCollection& items = SimilarityAlgorithms();
    const int n = items.Count();
    if (n <= 0)
        return 0.0;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        TSimilarityAlgorithm* algorithm = items.GetItem(i).SimilarityAlgorithm();
        // An item without an algorithm still counts in the mean, adding nothing.
        if (!algorithm)
            continue;
        algorithm->SetString1(String1());
        algorithm->SetString2(String2());
        sum += algorithm->GetSimilarity();
    }
    return sum / n;
}

std::unique_ptr<TSimilarityArithmeticLink> InitSimilarity() {
    auto link = std::make_unique<TSimilarityArithmeticLink>();
    link->SimilarityAlgorithms().Add().SetSimilarityAlgorithm(std::make_unique<TTrigramm>());
    return link;
}

void FreeSimilarity(std::unique_ptr<TSimilarityArithmeticLink>& link) {
    link.reset();
}

int SimilarityPercent(TSimilarityAbstract& link, const QString& a, const QString& b) {
    link.SetString1(a);
    link.SetString2(b);
    // nearbyint in the default rounding mode sends halves to the even neighbour.
    const double percent = std::nearbyint(link.TotalResult() * 100.0);
    if (!(percent < double(INT_MAX)))
        return std::isnan(percent) ? 0 : INT_MAX;
    return static_cast<int>(percent);
}

} // namespace vantrelo
