// String similarity for fuzzy suggestions: the trigram measure and the link that averages algorithms.
#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace vantrelo {

// Preparation steps run before each comparison, in this order.
enum TPrepareOption : int {
    kPrepareCase = 1,   // fold case with NormalizeCase
    kPrepareSpace = 2,  // drop " "
    kPrepareDash = 4,   // drop "-"
    kPrepareDot = 8,    // drop "."
};

class TSimilarityAlgorithm {
public:
    TSimilarityAlgorithm() = default;
    virtual ~TSimilarityAlgorithm() = default;
    TSimilarityAlgorithm(const TSimilarityAlgorithm&) = delete;
    TSimilarityAlgorithm& operator=(const TSimilarityAlgorithm&) = delete;

    int PrepareOptions() const { return FPrepareOptions; }
    void SetPrepareOptions(int options) { FPrepareOptions = options; }
    bool PrepareStrings() const { return FPrepareStrings; }
    void SetPrepareStrings(bool on) { FPrepareStrings = on; }
    const QString& String1() const { return FString1; }
    void SetString1(const QString& s) { FString1 = s; }
    const QString& String2() const { return FString2; }
    void SetString2(const QString& s) { FString2 = s; }

    // Prepares the stored strings in place (when PrepareStrings is on), then compares them.
    double GetSimilarity();
    double Similarity() { return GetSimilarity(); }

    // Upper-cases a-z and the umlauts ä, ü, ö only; every other character keeps its case.
    virtual QString NormalizeCase(const QString& s) const;
    // While `sub` occurs in `s`, deletes the one character where it first occurs.
    virtual QString RemoveChars(const QString& s, const QString& sub) const;
    virtual double CalcSimilarity(const QString& string1, const QString& string2) const = 0;

private:
    QString Prepare(const QString& s) const;

    int FPrepareOptions = kPrepareCase | kPrepareSpace | kPrepareDash | kPrepareDot;
    QString FString1;
    QString FString2;
    bool FPrepareStrings = true;
};

// Trigram similarity: 2 x (equal trigram pairs) / (total trigrams of both strings).
class TTrigramm : public TSimilarityAlgorithm {
public:
    double CalcSimilarity(const QString& string1, const QString& string2) const override;
};

// One algorithm with its weight; the item owns the algorithm.
class TSimilarityItem {
public:
    TSimilarityAlgorithm* SimilarityAlgorithm() const { return FSimilarityAlgorithm.get(); }
    void SetSimilarityAlgorithm(std::unique_ptr<TSimilarityAlgorithm> algorithm) {
        FSimilarityAlgorithm = std::move(algorithm);
    }
    double Weight() const { return FWeight; }
    void SetWeight(double weight) { FWeight = weight; }

private:
    std::unique_ptr<TSimilarityAlgorithm> FSimilarityAlgorithm;
    double FWeight = 1.0;
};

class TSimilarityCollection {
public:
    // The returned item stays valid until the collection is cleared or destroyed.
    TSimilarityItem& Add();
    int Count() const { return static_cast<int>(items_.size()); }
    TSimilarityItem& GetItem(int index) { return *items_.at(static_cast<size_t>(index)); }
    TSimilarityItem& Items(int index) { return GetItem(index); }
    // Takes over the algorithm and the weight of `value`.
    void SetItem(int index, TSimilarityItem&& value) { GetItem(index) = std::move(value); }
    void Clear() { items_.clear(); }

private:
    std::vector<std::unique_ptr<TSimilarityItem>> items_;
};

class TSimilarityAbstract {
public:
    TSimilarityAbstract() = default;
    virtual ~TSimilarityAbstract() = default;
    TSimilarityAbstract(const TSimilarityAbstract&) = delete;
    TSimilarityAbstract& operator=(const TSimilarityAbstract&) = delete;

    const QString& String1() const { return FString1; }
    void SetString1(const QString& s) { FString1 = s; }
    const QString& String2() const { return FString2; }
    void SetString2(const QString& s) { FString2 = s; }
    TSimilarityCollection& SimilarityAlgorithms() { return FSimilarityAlgorithms; }
    double TotalResult() { return GetTotalResult(); }

protected:
    virtual double GetTotalResult() = 0;

private:
    TSimilarityCollection FSimilarityAlgorithms;
    QString FString1;
    QString FString2;
};

// The plain mean of every algorithm's result; the weights are not used.
class TSimilarityArithmeticLink : public TSimilarityAbstract {
protected:
    double GetTotalResult() override;
};

// The link the suggestion search uses: one trigram algorithm. Freeing the link frees it all.
std::unique_ptr<TSimilarityArithmeticLink> InitSimilarity();
void FreeSimilarity(std::unique_ptr<TSimilarityArithmeticLink>& link);
// The link's result for a and b as a whole percentage, halves rounded to even.
int SimilarityPercent(TSimilarityAbstract& link, const QString& a, const QString& b);

} // namespace vantrelo
