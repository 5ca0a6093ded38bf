// Suggestion search: candidates are scored, the best 20 kept in a table, then ranked stably.
#include "suggest/suggestions.h"

#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/inputtext.h"
#include "platform/programsearch.h"
#include "suggest/candidates.h"
#include "suggest/filters.h"
#include "suggest/indexmatches.h"
#include "suggest/preparedindex.h"
#include "suggest/shortform.h"
#include "suggest/similarity.h"
#include "suggest/suggestsources.h"
#include "tools/calculator.h"

#include <algorithm>
#include <iterator>
#include <thread>

namespace vantrelo {

bool KeywordSuggestionsOn(const TSettings& s) { return s.autoshort > 0 || s.autofuzz > 0; }
bool IndexSuggestionsOn(const TSettings& s) { return s.autoshort > 1 || s.autofuzz > 1; }

bool IsSuggestible(const TSuggestSources& src, const QString& text, int minlength, bool checkkeyword) {
    const TSettings& s = src.settings;
    if (IsUrl(text) || IsBareWebAddress(text) || IsPath(text) || text.size() < minlength)
        return false;
    if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('"')) ||
        StartsText(QStringLiteral("mailto:"), text) || (!s.calcchar.isEmpty() && text.startsWith(s.calcchar.at(0))))
        return false;
    if (src.showsInfoText)
        return false;
    if (!s.separator.isEmpty() && text.contains(s.separator))
        return false;
    const QString first = FirstWord(text);
    if (src.keywords.KeywordExists(first, false, false) && (checkkeyword || text.contains(QLatin1Char(' '))))
        return false;
    const QString program = TrimText(first);
    if (src.programs && !program.isEmpty() && src.programs->IsProgramOnPath(program))
        return false;
    return !src.tags.IsTag(text);
}

namespace {

// The text an entry of a special list is scored on.
QString OwnText(const TListEntry& e) {
    if (const auto* w = ItemAs<TMyWindowItem>(e.item.get()))
        return w->name;
    if (const auto* c = ItemAs<TMyClipItem>(e.item.get()))
        return c->clipb;
    if (const auto* t = ItemAs<TMySimpleItem>(e.item.get()))
        return t->name;
    if (const auto* sh = ItemAs<TMyShellItem>(e.item.get()))
        return sh->name;
    return e.text;
}

void OfferListContent(const TListContent& content, const QString& text, TCandidateTable& table,
                      std::vector<std::unique_ptr<TItem>>& made) {
    const QString typed = PrepareTyped(text);
    for (const TListEntry& e : content) {
        if (IsGroupHeader(e.text))
            continue;
        const QString own = OwnText(e);
        const int score = std::max(0, ShortFormScorePrepared(typed, PrepareCandidate(own)));
        if (!table.Accepts(score))
            continue;
        const TItem* obj = e.item.get();
        if (!obj) {
            auto simple = std::make_unique<TMySimpleItem>();
            simple->name = e.text;
            obj = simple.get();
            made.push_back(std::move(simple));
        }
        table.Offer(score, obj, own, 0);
    }
}

// Whether a prepared name can score above the table's minimum at all: bit tests first, then a
// subsequence scan, before the full score is computed.
// The masks are folded (FoldMask) and the counts capped: every test here may only let more through.
bool MayScore(const TPreparedIndex& index, const TPreparedName& n, const QString& typed, bool typedHasSpace, std::uint32_t typedMask,
              std::uint32_t firstBit, std::uint32_t lastBit, std::uint32_t endBits, int minimum) {
    if (!typedHasSpace) {
        // The best a subsequence hit can reach: 1000, 30 more when a word starts with the typed
        // text's first character, 30 when one ends with its last, less the word penalty.
        const int best = 1000 + ((n.initials & firstBit) ? 30 : 0) + ((n.finals & lastBit) ? 30 : 0) - n.words / 2;
        if (best <= minimum)
            return false;
    }
    if ((n.mask & typedMask) != typedMask) {
        // No subsequence: only word-start or word-end runs on words as long as the typed text.
        const bool tooShort = n.longest < TPreparedName::kCountCap && n.longest < typed.size();
        if (minimum >= kMaxWordRunScore || tooShort)
            return false;
        return (n.initials & firstBit) || ((n.finals & lastBit) && (n.mask & endBits) == endBits);
    }
    if (minimum < kMaxWordRunScore)
        return true;
    // Word runs stay below every subsequence hit: only a subsequence can still enter.
    return IsSubsequence(typed, index.Candidate(n));
}

// One search's offers of index names, in index order. Entries enter the table as copies kept in
// `made`: the table holds plain pointers.
class TIndexOffers {
public:
    TIndexOffers(const TSuggestSources& src, const QString& text, TSimilarityArithmeticLink* link,
                 TCandidateTable& table, std::vector<std::unique_ptr<TItem>>& made)
        : index_(*src.index), text_(text), typed_(PrepareTyped(text)), link_(link), table_(table), made_(made) {
        const TSettings& s = src.settings;
        typedMask_ = FoldMask(CharMask(typed_));
        firstBit_ = FoldMask(CharMask(typed_.left(1)));
        lastBit_ = FoldMask(CharMask(typed_.right(1)));
        endBits_ = FoldMask(CharMask(typed_.right(2)));
        shortOn_ = s.autoshort > 1;
        typedHasSpace_ = typed_.contains(QLatin1Char(' '));
        fuzzyOn_ = link && s.autofuzz >= 2;
    }
    const QString& Typed() const { return typed_; }
    // Only short forms score: a name scores above a word run only when its mask holds the typed text's.
    bool ShortFormsOnly() const { return shortOn_ && !fuzzyOn_; }
    bool AnyScore() const { return shortOn_ || fuzzyOn_; }

    void Offer(const TPreparedName& n) {
        int s1 = 0;
        if (shortOn_ && MayScore(index_, n, typed_, typedHasSpace_, typedMask_, firstBit_, lastBit_, endBits_,
                                 table_.Minimum()))
            s1 = ShortFormScorePrepared(typed_, index_.Candidate(n));
        // The name is read in place, and only for fuzzy scores (its record is cold otherwise); only
        // an entry that enters the table is copied.
        int s2 = 0;
        if (fuzzyOn_) {
            const QStringView view = index_.NameView(n);
            s2 = SimilarityPercent(*link_, text_, QString::fromRawData(view.data(), view.size()));
        }
        const int score = std::max(s1, s2);
        if (table_.Accepts(score)) {
            made_.push_back(index_.MakeItem(n));
            const QString& name = static_cast<const TMyShellItem&>(*made_.back()).name;
            table_.Offer(score, made_.back().get(), name, int(name.size()));
        }
    }

private:
    const TPreparedIndex& index_;
    const QString& text_;
    const QString typed_;
    TSimilarityArithmeticLink* link_;
    TCandidateTable& table_;
    std::vector<std::unique_ptr<TItem>>& made_;
    std::uint32_t typedMask_ = 0, firstBit_ = 0, lastBit_ = 0, endBits_ = 0;
    bool shortOn_ = false, typedHasSpace_ = false, fuzzyOn_ = false;
};

// Offers the names at `positions` (every name when null), in index order. With short forms only
// and many names, the second half is scored on a worker into a table of its own, joined before
// its best are offered after the first half's: the table keeps the 20 best by score and then by
// offer order, so it ends as one pass would leave it.
void OfferNames(const TSuggestSources& src, const QString& text, TSimilarityArithmeticLink* link,
                const std::vector<std::uint32_t>* positions, std::size_t splitAt, TCandidateTable& table,
                std::vector<std::unique_ptr<TItem>>& made) {
    const auto names = src.index->Names();
    const std::size_t count = positions ? positions->size() : names.size();
    const auto offerRange = [&](TIndexOffers& offers, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i)
            offers.Offer(names[positions ? (*positions)[i] : i]);
    };
    TIndexOffers offers(src, text, link, table, made);
    if (count < splitAt || !offers.ShortFormsOnly()) {
        offerRange(offers, 0, count);
        return;
    }
    const std::size_t middle = count / 2;
    TCandidateTable later;
    std::vector<std::unique_ptr<TItem>> laterMade;
    std::thread worker([&] {
        TIndexOffers second(src, text, link, later, laterMade);
        offerRange(second, middle, count);
    });
    offerRange(offers, 0, middle);
    worker.join();
    for (const TCandidateSlot* slot : later.InOfferOrder())
        table.Offer(slot->score, slot->obj, slot->text, slot->length);
    std::move(laterMade.begin(), laterMade.end(), std::back_inserter(made));
}

void OfferIndex(const TSuggestSources& src, TSuggestState& state, const QString& text, TSimilarityArithmeticLink* link,
                TCandidateTable& table, std::vector<std::unique_ptr<TItem>>& made) {
    const TIndexOffers offers(src, text, link, table, made);
    if (offers.Typed().isEmpty() || !offers.AnyScore() || src.index->Names().empty())
        return;
    const std::size_t splitAt = state.matches.SplitAt();
    if (offers.ShortFormsOnly()) {
        // First only the names whose mask holds every typed character (narrowed from the last
        // keystroke's). When 20 of them score at least a word run's best, no other name can enter
        // the table and the result is the whole walk's; otherwise the whole index is walked.
        TIndexWalk& walk = state.matches.For(*src.index, offers.Typed());
        OfferNames(src, text, link, &walk.All(TIndexWalk::TKind::Masked), splitAt, table, made);
        if (table.Minimum() >= kMaxWordRunScore)
            return;
        table.Clear();
        made.clear();
    }
    OfferNames(src, text, link, nullptr, splitAt, table, made);
}

void OfferKeywords(const TSuggestSources& src, const QString& text, TSimilarityArithmeticLink* link,
                   TCandidateTable& table) {
    const TSettings& s = src.settings;
    const QString typed = PrepareTyped(text);
    for (const auto& w : src.keywords) {
        if (w->disabled)
            continue;
        const QString d = w->DefaultKeyword();
        const int s1 = s.autoshort > 0 ? ShortFormScorePrepared(typed, PrepareCandidate(d)) : 0;
        const int s2 = (link && s.autofuzz >= 1) ? SimilarityPercent(*link, d, text) : 0;
        const int score = std::max(s1, s2);
        if (table.Accepts(score))
            table.Offer(score, w.get(), d, int(d.size()));
    }
}

void FillSuggestionList(const TCandidateTable& table, TSuggestionList& out) {
    for (const TCandidateSlot* slot : table.Ranked())
        out.push_back(TListEntry{slot->text, CloneItem(slot->obj)});
}

void BindBestSuggestion(const TSuggestSources& src, TSuggestState& state, const QString& bindText) {
    const TListEntry* best = nullptr;
    for (const TListEntry& e : state.suggestions)
        if (PassesExcludeList(src.settings, state, e.text, false)) {
            best = &e;
            break;
        }
    if (!best || src.settings.autoshortlistonly)
        return;
    auto fuzzy = std::make_unique<TMyFuzzyItem>();
    fuzzy->name = best->text;
    fuzzy->obj = CloneItem(best->item.get());
    state.current.Bind(std::move(fuzzy), bindText);
}

} // namespace

bool FindSuggestions(const TSuggestSources& src, TSuggestState& state, const QString& text, bool complete,
                     TSuggestSource source, const QString& inputLine) {
    const TSettings& s = src.settings;
    state.suggestions.clear();
    const bool typing = source == TSuggestSource::KeywordsAndIndex;
    if (typing && !IsSuggestible(src, text, 3, false))
        return false;
    std::unique_ptr<TSimilarityArithmeticLink> link;
    if (s.autofuzz > 0)
        link = InitSimilarity();
    TCandidateTable table;
    std::vector<std::unique_ptr<TItem>> made; // plain-text objects of special-list entries
    if (!typing) {
        OfferListContent(state.content, text, table, made);
    } else {
        if (IndexSuggestionsOn(s) && src.index)
            OfferIndex(src, state, text, link.get(), table, made);
        if (KeywordSuggestionsOn(s))
            OfferKeywords(src, text, link.get(), table);
    }
    FillSuggestionList(table, state.suggestions);
    if (!complete || !typing)
        return false;
    if (state.suggestions.empty())
        return false;
    BindBestSuggestion(src, state, inputLine.isEmpty() ? text : inputLine);
    return true;
}

void ClearSuggestions(TSuggestState& state, bool list) {
    state.current.Clear();
    if (list)
        state.suggestions.clear();
}

namespace {

bool UnknownInput(const TSuggestSources& src, const TSuggestState& state, const QString& text) {
    return !state.current.ItemFor(text) && IsSuggestible(src, text, 0, true) && !IsCalculation(src.settings, text);
}

} // namespace

bool LaunchFirstListEntry(const TSuggestSources& src, TSuggestState& state, TSuggestLine& line, bool force,
                          bool listVisible) {
    if (!listVisible && !src.settings.autodropdown)
        return false;
    if (!force && !UnknownInput(src, state, line.text))
        return false;
    const auto first = std::find_if(state.content.begin(), state.content.end(),
                                    [](const TListEntry& e) { return !e.text.startsWith(QLatin1String("===")); });
    if (first == state.content.end())
        return false;
    line = TSuggestLine::AtEnd(first->text);
    state.current.Bind(CloneItem(first->item.get()), line.text);
    state.lastCompleted = line.text;
    return true;
}

bool FastSearchFallback(const TSuggestSources& src, TSuggestState& state, TSuggestLine& line) {
    const TSettings& s = src.settings;
    const QStringList ignore = s.launchignorelist.split(QLatin1Char(','));
    for (const QString& piece : ignore) {
        const QString p = TrimText(piece);
        if (!p.isEmpty() && StartsText(p, line.text))
            return false;
    }
    if (!UnknownInput(src, state, line.text))
        return false;
    const TExeWord* w = src.keywords.KeywordExistsEx(s.fastsearch, false, true);
    if (!w || ContainsText(w->command, QStringLiteral("$ce$")))
        return false;
    line = TSuggestLine::AtEnd(w->DefaultKeyword() + QLatin1Char(' ') + line.text);
    state.current.Clear();
    state.lastCompleted = line.text;
    return true;
}

} // namespace vantrelo
