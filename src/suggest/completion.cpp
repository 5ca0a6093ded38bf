// Inline completion: one run counts candidates source by source and completes the one asked for.
#include "suggest/completion.h"

#include "core/history.h"
#include "core/incognito.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/envexpand.h"
#include "exec/inputline.h"
#include "core/inputtext.h"
#include "index/indexfiles.h"
#include "platform/filesystem.h"
#include "suggest/filters.h"
#include "suggest/indexmatches.h"
#include "suggest/listbuilder.h"
#include "suggest/matching.h"
#include "suggest/preparedindex.h"
#include "suggest/shortform.h"
#include "suggest/suggestions.h"
#include "suggest/suggestsources.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <memory>
#include <optional>

namespace vantrelo {


namespace {

qsizetype FolderPartLength(const QString& path) {
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
}

} // namespace

const QStringList& TFolderCache::For(const QString& typed, bool ignorenetwork, const TSuggestSources& src) {
    // A listing made for a shorter text of the same folder still holds every entry this one can match.
    const bool sameFolder = FolderPartLength(typed) == FolderPartLength(typed_) && StartsText(typed_, typed);
    if (stale_ || !sameFolder) {
        const std::optional<QStringList> found = TypedFolderEntries(typed, ignorenetwork, src);
        entries_ = found.value_or(QStringList());
        typed_ = typed;
        // A folder still being read is asked for again at the next keystroke.
        stale_ = !found;
    }
    return entries_;
}

namespace {

// The candidate a source completes with.
struct TPick {
    QString text;
    std::unique_ptr<TItem> item; // a history entry's or the index's item, bound to the new line
    bool fileSystem = false;
    int position = -1;
};

// The length of `text` once every occurrence of `part` is taken out, left to right.
int RestWithout(QStringView text, QStringView part) {
    qsizetype removed = 0;
    if (!part.isEmpty())
        for (qsizetype at = text.indexOf(part); at >= 0; at = text.indexOf(part, at + part.size()))
            removed += part.size();
    return int(text.size() - removed);
}

// How many different texts `keys` holds that `seen` does not: one table for the run, no copies.
int NewTexts(const std::vector<QStringView>& keys, const QSet<QString>& seen) {
    std::size_t capacity = 16;
    while (capacity < keys.size() * 2)
        capacity <<= 1;
    constexpr std::uint32_t kFree = UINT32_MAX;
    std::vector<std::uint32_t> table(capacity, kFree);
    int count = 0;
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
        const QStringView k = keys[i];
        if (!seen.isEmpty() && seen.contains(QString::fromRawData(k.data(), k.size())))
            continue;
        std::size_t slot = qHash(k) & (capacity - 1);
        while (table[slot] != kFree && keys[table[slot]] != k)
            slot = (slot + 1) & (capacity - 1);
        if (table[slot] == kFree) {
            table[slot] = i;
            ++count;
        }
    }
    return count;
}

class TRun {
public:
    TRun(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders, const TCompletionRequest& rq)
        : src_(src), s_(src.settings), state_(state), folders_(folders), rq_(rq) {}

    TCompletionResult Run();

private:
    bool Hidden(const char* code) const {
        return IncognitoSuppresses(s_.incognito, s_.incognitoconfig, QLatin1String(code));
    }
    // Counts a candidate; true when it is the one to complete. A text already offered is not
    // offered again, so stepping never shows the same line twice.
    bool Offer(const QString& t) { return OfferLower(LowerText(t)); }
    // The same for a text whose lower-cased form is at hand.
    bool OfferLower(const QString& key) {
        const qsizetype before = seen_.size();
        seen_.insert(key);
        if (seen_.size() == before)
            return false;
        ++counter_;
        offered_ = true;
        return !rq_.calccount && counter_ == rq_.cycle;
    }
    bool Passes(const QString& t, TExcludeKind kind = TExcludeKind::Plain) {
        return PassesExcludeList(s_, state_, t, false, kind);
    }

    std::optional<TPick> Tags();
    std::optional<TPick> History();
    std::optional<TPick> Keywords();
    std::optional<TPick> FileSystem();
    std::optional<TPick> Indexed();
    TCompletionResult Complete(TPick pick);
    bool IsFolder(const QString& path) const;

    const TSuggestSources& src_;
    const TSettings& s_;
    TSuggestState& state_;
    TFolderCache& folders_;
    const TCompletionRequest& rq_;
    QString prefix_;
    QString typed_;
    QString tail_;
    int counter_ = -1;
    bool offered_ = false;
    QSet<QString> seen_;
};

TCompletionResult TRun::Run() {
    TCompletionResult r;
    const QString& line = rq_.word;
    const int caret = std::clamp(rq_.wordstart, 0, int(line.size()));
    const int selEnd = std::clamp(caret + std::max(0, rq_.selLength), caret, int(line.size()));
    if (line.startsWith(QLatin1String("->")))
        return r;
    // The word is what lies before the caret; what follows a replaced selection stays as typed.
    const QString head = line.left(caret);
    tail_ = line.mid(selEnd);
    const TSearchSplit split = SplitSearchText(head, caret, s_.separator, true);
    prefix_ = split.prefix;
    typed_ = split.search;
    r.searched = typed_;
    if (typed_.isEmpty() && rq_.typ == TCompletionKind::Typing)
        return r;

    std::optional<TPick> pick = Tags();
    const QStringList order = SplitQuoted(s_.autoorder, QLatin1Char(','));
    for (qsizetype i = 0; !pick && i < order.size(); ++i) {
        const QString name = TrimText(order[i]);
        if (SameText(name, QStringLiteral("Keywords")))
            pick = Keywords();
        else if (SameText(name, QStringLiteral("History")))
            pick = History();
        else if (SameText(name, QStringLiteral("File system")))
            pick = FileSystem();
        else if (SameText(name, QStringLiteral("Indexed items")))
            pick = Indexed();
    }
    if (rq_.calccount) {
        r.total = counter_;
        r.offered = offered_;
        return r;
    }
    if (!pick) {
        r.offered = offered_;
        return r;
    }
    TCompletionResult done = Complete(std::move(*pick));
    done.offered = true;
    done.searched = typed_;
    return done;
}

std::optional<TPick> TRun::Tags() {
    if (Hidden("6"))
        return std::nullopt;
    for (const QString& tag : src_.tags.Tags())
        if (StartsText(typed_, tag) && Offer(tag))
            return TPick{tag, nullptr, false, counter_};
    return std::nullopt;
}

std::optional<TPick> TRun::History() {
    if (!s_.autohistory || Hidden("2"))
        return std::nullopt;
    for (const THistoryEntry& e : src_.history) {
        if (!MatchHistoryText(typed_, e.text, false) || !Passes(e.text))
            continue;
        if (Offer(e.text))
            return TPick{e.text, e.item ? e.item->CloneItem() : nullptr, false, counter_};
    }
    return std::nullopt;
}

std::optional<TPick> TRun::Keywords() {
    if (!s_.autowords)
        return std::nullopt;
    for (const auto& w : src_.keywords) {
        if (w->disabled)
            continue;
        const QString name = MatchKeyword(*w, typed_, false);
        if (!name.isEmpty() && Offer(name))
            return TPick{name, nullptr, false, counter_};
    }
    return std::nullopt;
}

std::optional<TPick> TRun::FileSystem() {
    if (!s_.autofilesystem || !IsPath(typed_))
        return std::nullopt;
    for (const QString& entry : folders_.For(typed_, s_.ignorenetwork, src_)) {
        if (!StartsText(typed_, entry) || !Passes(entry, TExcludeKind::FileSystem))
            continue;
        if (Offer(entry))
            return TPick{entry, nullptr, true, counter_};
    }
    return std::nullopt;
}

std::optional<TPick> TRun::Indexed() {
    const TPreparedIndex* index = src_.index;
    if (!s_.autoprograms || !index || index->empty() || typed_.isEmpty())
        return std::nullopt;
    const QString lower = LowerText(typed_);
    // The names starting with the typed text, narrowed from the last keystroke's walk.
    const auto names = index->Names();
    TIndexWalk& walk = state_.matches.For(*index, lower);
    constexpr auto kPrefixed = TIndexWalk::TKind::Prefixed;
    // The display name is read (in place) only when the exclude list can drop it.
    const bool excludes = ExcludeListApplies(s_, false, TExcludeKind::Plain);
    const auto passes = [&](const TPreparedName& n) {
        if (!excludes)
            return true;
        const QStringView view = index->NameView(n);
        return Passes(QString::fromRawData(view.data(), view.size()));
    };
    const auto key = [&](const TPreparedName& n) {
        const QStringView nameLower = index->Lower(n);
        return QString::fromRawData(nameLower.data(), nameLower.size());
    };
    if (rq_.typ != TCompletionKind::Typing || rq_.calccount) {
        // Stepping and counting: every new text is a candidate in turn; only the chosen one is copied.
        for (std::size_t i = 0; walk.Reach(kPrefixed, i + 1); ++i) {
            const TPreparedName& n = names[walk.Found(kPrefixed)[i]];
            if (passes(n) && OfferLower(key(n))) {
                std::unique_ptr<TMyShellItem> item = index->MakeItem(n);
                QString text = item->name;
                return TPick{std::move(text), std::move(item), false, counter_};
            }
        }
        return std::nullopt;
    }
    // While typing the closest name wins: the least left over once the typed text is taken out.
    const std::vector<std::uint32_t>& found = walk.All(kPrefixed);
    std::vector<QStringView> keys; // the candidates up to the winner, for its place
    std::size_t winner = 0;
    std::uint32_t winnerAt = 0;
    int winnerRest = 0;
    for (const std::uint32_t at : found) {
        const TPreparedName& n = names[at];
        if (!passes(n))
            continue;
        const QStringView nameLower = index->Lower(n);
        const int rest = RestWithout(nameLower, lower);
        if (keys.empty() || rest < winnerRest) {
            winner = keys.size();
            winnerAt = at;
            winnerRest = rest;
        }
        keys.push_back(nameLower);
    }
    if (keys.empty())
        return std::nullopt;
    // Its place counts each text once, and none that an earlier source offered.
    keys.resize(winner + 1);
    const int position = counter_ + NewTexts(keys, seen_);
    std::unique_ptr<TMyShellItem> item = index->MakeItem(names[winnerAt]);
    QString name = item->name;
    return TPick{std::move(name), std::move(item), false, position};
}

bool TRun::IsFolder(const QString& path) const {
    QString p = path;
    if (src_.env)
        p = ExpandUserPath(p, *src_.env);
    if (src_.files)
        return src_.files->FolderExists(p);
    return QFileInfo(p).isDir();
}

TCompletionResult TRun::Complete(TPick pick) {
    TCompletionResult r;
    QString t = pick.text;
    const bool path = IsPath(t);
    if (path && !t.endsWith(QLatin1Char('/')) && !t.endsWith(QLatin1Char('\\')) &&
        !(IsUncPath(t) && s_.ignorenetwork) && IsFolder(t)) {
        // A folder gets the separator the typed path uses, so the next level can be typed at once.
        const bool backslash = t.contains(QLatin1Char('\\')) && !t.contains(QLatin1Char('/'));
        t += backslash ? QLatin1Char('\\') : QLatin1Char('/');
    }
    // The parameter space only goes in when nothing of the user's follows.
    const QString extra = (path || !tail_.isEmpty()) ? QString() : GetExtraExt(t, s_, src_.keywords);
    const QString completed = prefix_ + t + extra;
    r.text = completed + tail_;
    int start;
    if (pick.fileSystem && rq_.typ == TCompletionKind::Stepping)
        start = int(prefix_.size() + FolderPartLength(pick.text));
    else if (rq_.typ == TCompletionKind::Stepping)
        start = int(prefix_.size() + typed_.size());
    else
        start = int(prefix_.size()) + std::max(int(typed_.size()), 1);
    start = std::min(start, int(completed.size()));
    r.selStart = start;
    r.selLength = int(completed.size()) - start;
    r.completed = true;
    r.position = pick.position;
    if (pick.item) {
        // The binding carries the line it was made for: an edit of the line drops it.
        ClearSuggestions(state_, true);
        state_.current.Bind(std::move(pick.item), r.text);
        r.isshell = true;
    }
    return r;
}

} // namespace

TCompletionResult SetAutoCompletion(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders,
                                    const TCompletionRequest& request) {
    return TRun(src, state, folders, request).Run();
}

TCompletionResult StepCompletion(const TSuggestSources& src, TSuggestState& state, TFolderCache& folders,
                                 const QString& text, int caret, int selLength, bool forward, int& cycle) {
    ClearSuggestions(state, true);
    TCompletionRequest rq;
    rq.typ = TCompletionKind::Stepping;
    rq.word = text;
    rq.wordstart = caret;
    rq.selLength = selLength;
    if (forward) {
        rq.cycle = ++cycle;
        TCompletionResult r = SetAutoCompletion(src, state, folders, rq);
        if (r.completed)
            return r;
        rq.cycle = cycle = 0;
        return SetAutoCompletion(src, state, folders, rq);
    }
    if (cycle == 0) {
        rq.calccount = true;
        cycle = std::max(0, SetAutoCompletion(src, state, folders, rq).total);
        rq.calccount = false;
    } else {
        --cycle;
    }
    rq.cycle = cycle;
    return SetAutoCompletion(src, state, folders, rq);
}

} // namespace vantrelo
