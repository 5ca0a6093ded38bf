// Candidate table: the weakest slot is the lowest score, and among equals the latest offered.
#include "suggest/candidates.h"

#include <algorithm>

namespace vantrelo {

void TCandidateTable::Clear() {
    slots_.fill(TCandidateSlot{});
    minimum_ = 0;
    weakest_ = 0;
    offered_ = 0;
}

void TCandidateTable::Offer(int score, const TItem* obj, const QString& text, int length) {
    const std::int64_t order = offered_++;
    if (!Accepts(score))
        return;
    slots_[size_t(weakest_)] = TCandidateSlot{score, obj, text, length, order};
    FindWeakest();
}

void TCandidateTable::FindWeakest() {
    // Empty slots fill first; then the lowest score, and among equal scores the newest goes first,
    // so that an earlier candidate is never pushed out by a later one of the same score.
    int best = 0;
    for (int i = 1; i < kSlots; ++i) {
        const TCandidateSlot& s = slots_[size_t(i)];
        const TCandidateSlot& w = slots_[size_t(best)];
        if (w.score == 0)
            break;
        if (s.score < w.score || (s.score == w.score && s.order > w.order))
            best = i;
    }
    weakest_ = best;
    minimum_ = slots_[size_t(best)].score;
}

std::vector<const TCandidateSlot*> TCandidateTable::Ranked() const {
    std::vector<const TCandidateSlot*> out;
    for (const TCandidateSlot& s : slots_)
        if (s.score > 0)
            out.push_back(&s);
    std::sort(out.begin(), out.end(), [](const TCandidateSlot* a, const TCandidateSlot* b) {
        if (a->FinalScore() != b->FinalScore())
            return a->FinalScore() > b->FinalScore();
        return a->order < b->order;
    });
    return out;
}

std::vector<const TCandidateSlot*> TCandidateTable::InOfferOrder() const {
    std::vector<const TCandidateSlot*> out;
    for (const TCandidateSlot& s : slots_)
        if (s.score > 0)
            out.push_back(&s);
    std::sort(out.begin(), out.end(), [](const TCandidateSlot* a, const TCandidateSlot* b) { return a->order < b->order; });
    return out;
}

} // namespace vantrelo
