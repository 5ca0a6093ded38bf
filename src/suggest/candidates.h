// The 20-slot table that keeps the best-scored suggestion candidates of one search.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace vantrelo {

class TItem;

struct TCandidateSlot {
    int score = 0;              // 0: empty
    const TItem* obj = nullptr; // not owned
    QString text;               // the display text
    int length = 0;             // the length that ranks shorter texts first (0 for other objects)
    std::int64_t order = -1;    // offer sequence: equal scores keep it
    std::int64_t FinalScore() const { return std::int64_t(score) * 1000 - length + 500; }
};

class TCandidateTable {
public:
    static constexpr int kSlots = 20;

    void Clear();
    // Whether a candidate with this score would enter; an equal score never displaces an earlier one.
    bool Accepts(int score) const { return score > minimum_; }
    int Minimum() const { return minimum_; }
    // Puts the candidate in place of the weakest slot when it scores higher.
    void Offer(int score, const TItem* obj, const QString& text, int length);
    // Occupied slots, best final score first; equal final scores in the order they were offered.
    std::vector<const TCandidateSlot*> Ranked() const;
    // Occupied slots in the order they were offered (to offer them on to another table).
    std::vector<const TCandidateSlot*> InOfferOrder() const;

private:
    void FindWeakest();

    std::array<TCandidateSlot, kSlots> slots_{};
    int minimum_ = 0;
    int weakest_ = 0;
    std::int64_t offered_ = 0;
};

} // namespace vantrelo
