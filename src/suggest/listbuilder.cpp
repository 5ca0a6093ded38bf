// List building: each group appends entries after its filters; headers go in once a group has any.
#include "suggest/listbuilder.h"

#include "core/history.h"
#include "core/incognito.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/envexpand.h"
#include "core/inputtext.h"
#include "index/indexfiles.h"
#include "platform/clock.h"
#include "platform/recentdocuments.h"
#include "platform/windowlist.h"
#include "suggest/filters.h"
#include "suggest/folderreader.h"
#include "suggest/indexmatches.h"
#include "suggest/matching.h"
#include "suggest/preparedindex.h"
#include "suggest/shortform.h"
#include "suggest/suggestions.h"
#include "suggest/suggestsources.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <functional>

namespace vantrelo {

QString GroupHeader(const QString& group) { return QStringLiteral("===== ") + group + QStringLiteral(" ====="); }
bool IsGroupHeader(const QString& text) { return text.startsWith(QLatin1String("===== ")); }

void ReverseWithinGroups(TListContent& content) {
    auto begin = content.begin();
    while (begin != content.end()) {
        if (IsGroupHeader(begin->text) && !begin->item) {
            ++begin;
            continue;
        }
        auto end = std::find_if(begin, content.end(), [](const TListEntry& e) { return !e.item && IsGroupHeader(e.text); });
        std::reverse(begin, end);
        begin = end;
    }
}

const QStringList& CommandLineOptions() {
    static const QStringList kOptions = {
        QStringLiteral("-s"),     QStringLiteral("-k"),     QStringLiteral("-a"),      QStringLiteral("-x"),
        QStringLiteral("-?"),     QStringLiteral("-n"),     QStringLiteral("-i"),      QStringLiteral("-if"),
        QStringLiteral("-is"),    QStringLiteral("-export"), QStringLiteral("-v"),     QStringLiteral("-m"),
        QStringLiteral("-ab"),    QStringLiteral("-edit"),  QStringLiteral("-folder"), QStringLiteral("-exefolder"),
        QStringLiteral("-report"), QStringLiteral("-skin")};
    return kOptions;
}

TSearchSplit SplitSearchText(const QString& text, int caret, const QString& separator, bool cutAtCaret) {
    TSearchSplit r{QString(), text};
    if (!separator.isEmpty() && text.contains(separator) && text.indexOf(separator, caret) < 0) {
        const qsizetype last = text.lastIndexOf(separator);
        r.prefix = text.left(last + separator.size());
        r.search = text.mid(r.prefix.size());
    }
    if (IsPath(ParamText(r.search))) {
        const qsizetype space = r.search.indexOf(QLatin1Char(' '));
        r.prefix += r.search.left(space + 1);
        r.search = r.search.mid(space + 1);
    }
    if (cutAtCaret)
        r.search = r.search.left(std::max<qsizetype>(0, caret - r.prefix.size()));
    return r;
}

QStringList ListTypedFolder(const QString& typed, bool ignorenetwork, const TEnvironment* env) {
    const std::optional<TTypedFolder> t = SplitTypedFolder(typed, ignorenetwork, env);
    return t ? MatchTypedFolder(ReadFolderListing(t->folder, kFolderEntryLimit), *t) : QStringList();
}

std::optional<QStringList> TypedFolderEntries(const QString& typed, bool ignorenetwork, const TSuggestSources& src) {
    const std::optional<TTypedFolder> t = SplitTypedFolder(typed, ignorenetwork, src.env);
    if (!t)
        return QStringList();
    if (!src.folderReader)
        return MatchTypedFolder(ReadFolderListing(t->folder, kFolderEntryLimit), *t);
    // Read on a worker: until it arrives the folder contributes nothing, and typing goes on.
    const TFolderListing* listing = src.folderReader->Listing(t->folder);
    if (!listing)
        return std::nullopt;
    return MatchTypedFolder(*listing, *t);
}

namespace {

// One build: the sources, the state being filled and the search text.
class TBuild {
public:
    TBuild(const TSuggestSources& src, TSuggestState& state) : src_(src), s_(src.settings), st_(state) {}

    void Run(const TSuggestLine& line, bool matchall);

private:
    bool Hidden(const char* code) const {
        return IncognitoSuppresses(s_.incognito, s_.incognitoconfig, QLatin1String(code));
    }
    bool Full() const { return qsizetype(st_.content.size()) > s_.maxdropdown; }
    void Add(const QString& text, std::unique_ptr<TItem> item = {}) {
        st_.content.push_back(TListEntry{text, std::move(item)});
    }
    bool Duplicate(const QString& text, const TItem* obj) const {
        return IsDuplicateEntry(s_, st_.content, text, obj);
    }
    bool Excluded(const QString& text, TExcludeKind kind = TExcludeKind::Plain) {
        return !PassesExcludeList(s_, st_, text, true, kind);
    }
    // Runs one group and puts its header in front of it when it added anything.
    template <class F>
    void Group(const QString& name, F&& fill) {
        const size_t begin = st_.content.size();
        fill();
        if (s_.comboheaders && st_.content.size() > begin)
            st_.content.insert(st_.content.begin() + qsizetype(begin), TListEntry{GroupHeader(name), nullptr});
    }

    bool SpecialList(const TSuggestLine& line);
    void RankSpecial(const QString& param, bool keepObjects, const std::function<bool(const TItem*)>& kind);
    void RecentDocs(const QString& param);
    void Tags(const QString& param);
    void Applications(const QString& param);
    void Clipboard(const QString& param);
    void KeywordHistory(const QString& param);
    void FullHistory(const QString& param);

    void Commands();
    void NormalGroups();
    void History();
    void Keywords();
    void FileSystem();
    void Suggestions();
    void Indexed();

    const TSuggestSources& src_;
    const TSettings& s_;
    TSuggestState& st_;
    QString search_;
    bool contains_ = false;
};

void TBuild::Run(const TSuggestLine& line, bool matchall) {
    st_.content.clear();
    st_.listPrefix.clear();
    const TSearchSplit split = SplitSearchText(line.text, line.caret, s_.separator, !matchall);
    st_.listPrefix = split.prefix;
    search_ = matchall ? QString() : split.search;
    if (search_.isEmpty() && Hidden("3"))
        return;
    if (src_.tags.IsTag(line.text))
        search_ = TrimText(line.text);
    if (SpecialList(line) && s_.specialsolo)
        return;
    contains_ = s_.searchtype == 1;
    const bool commands = search_.startsWith(QLatin1Char('-'));
    if (commands && !s_.commandslast)
        Commands();
    NormalGroups();
    if (commands && s_.commandslast)
        Commands();
}

void TBuild::Commands() {
    Group(QStringLiteral("Commands"), [&] {
        for (const QString& o : CommandLineOptions())
            Add(o);
    });
}

// --- special lists ---

bool TBuild::SpecialList(const TSuggestLine& line) {
    const TExeWord* w = src_.keywords.FindKeyword(TrimText(FirstWord(line.text)), true);
    if (!w || !(line.caret >= 3 || line.caret == line.text.size() || line.AllSelected()))
        return false;
    const QString param = TrimText(ParamText(line.text));
    const QString& c = w->command;
    auto has = [&](const char* token) { return ContainsText(c, QLatin1String(token)); };
    if (has("$RECENT$"))
        RecentDocs(param);
    else if (has("$TAGS$") || has("$GROUPS$"))
        Tags(param);
    else if (has("$APPS$"))
        Applications(param);
    else if (has("$CLIPBOARD$"))
        Clipboard(param);
    else if (has("$KWHISTORY$"))
        KeywordHistory(param);
    else if (has("$HISTORY$"))
        FullHistory(param);
    else
        return false;
    return true;
}

// Replaces the entries just collected by their ranking against the typed parameter.
void TBuild::RankSpecial(const QString& param, bool keepObjects, const std::function<bool(const TItem*)>& kind) {
    if (param.isEmpty())
        return;
    FindSuggestions(src_, st_, param, false, TSuggestSource::ListContent);
    st_.content.clear();
    for (TListEntry& e : st_.suggestions) {
        std::unique_ptr<TItem> item;
        if (keepObjects && e.item && kind(e.item.get()))
            item = std::move(e.item);
        Add(e.text, std::move(item));
    }
    st_.suggestions.clear();
}

template <class T>
bool IsKind(const TItem* item) {
    return ItemAs<T>(item) != nullptr;
}

void TBuild::RecentDocs(const QString& param) {
    Group(QStringLiteral("Recent docs"), [&] {
        if (src_.recent) {
            const QDateTime now = src_.clock ? src_.clock->Now() : QDateTime();
            const bool fresh = now.isValid() && st_.recentReadAt.isValid() && st_.recentReadAt <= now &&
                               st_.recentReadAt.msecsTo(now) < 90000;
            if (!fresh) {
                st_.recentDocs = src_.recent->RecentDocuments();
                st_.recentReadAt = now;
            }
        }
        for (const TMyShellItem& doc : st_.recentDocs)
            if (!Duplicate(doc.name, &doc) && !Excluded(doc.name))
                Add(doc.name, doc.CloneItem());
        RankSpecial(param, true, IsKind<TMyShellItem>);
    });
}

void TBuild::Tags(const QString& param) {
    Group(QStringLiteral("Tags"), [&] {
        if (Hidden("6"))
            return;
        for (const QString& t : src_.tags.Tags()) {
            if (Full())
                break;
            Add(t);
        }
        RankSpecial(param, false, IsKind<TMySimpleItem>);
    });
}

void TBuild::Applications(const QString& param) {
    Group(QStringLiteral("Applications"), [&] {
        if (!src_.windows)
            return;
        for (const TTopWindow& w : src_.windows->TopLevelWindows()) {
            if (Full())
                break;
            if (w.title.isEmpty())
                continue;
            auto item = std::make_unique<TMyWindowItem>();
            item->hand = w.id;
            item->name = w.title;
            item->moreinfo = w.extra;
            Add(w.title, std::move(item));
        }
        RankSpecial(param, true, IsKind<TMyWindowItem>);
    });
}

void TBuild::Clipboard(const QString& param) {
    Group(QStringLiteral("Clipboard"), [&] {
        if (!src_.clips)
            return;
        for (auto it = src_.clips->rbegin(); it != src_.clips->rend(); ++it)
            Add(ReplaceLineBreaks(it->clipb, QStringLiteral("{BR}")), it->CloneItem());
        RankSpecial(param, true, IsKind<TMyClipItem>);
    });
}

void TBuild::KeywordHistory(const QString& param) {
    Group(QStringLiteral("History"), [&] {
        if (!s_.drophistory)
            return;
        for (const THistoryEntry& e : src_.history)
            if (src_.keywords.KeywordExists(FirstWord(e.text), true, false) && !Duplicate(e.text, nullptr))
                Add(e.text);
        RankSpecial(param, false, IsKind<TMySimpleItem>);
    });
}

void TBuild::FullHistory(const QString& param) {
    Group(QStringLiteral("History"), [&] {
        if (!s_.drophistory || Hidden("2") || Hidden("4"))
            return;
        for (const THistoryEntry& e : src_.history) {
            if (param.isEmpty() && Full())
                break;
            if (!Duplicate(e.text, e.item.get()) && !Excluded(e.text))
                Add(e.text, e.item ? e.item->CloneItem() : nullptr);
        }
        RankSpecial(param, true, IsKind<TMyShellItem>);
    });
}

// --- normal groups ---

void TBuild::NormalGroups() {
    const QStringList order = SplitQuoted(s_.comboorder, QLatin1Char(','));
    for (qsizetype i = 0; i < std::min<qsizetype>(order.size(), 4); ++i) {
        const QString g = TrimText(order[i]);
        if (SameText(g, QStringLiteral("History")))
            History();
        else if (SameText(g, QStringLiteral("Keywords")))
            Keywords();
        else if (SameText(g, QStringLiteral("File system")))
            FileSystem();
        else if (SameText(g, QStringLiteral("Indexed items"))) {
            Suggestions();
            Indexed();
        }
    }
}

void TBuild::History() {
    if (!s_.drophistory || Hidden("2") || Hidden("4"))
        return;
    Group(QStringLiteral("History"), [&] {
        for (const THistoryEntry& e : src_.history) {
            if (Full())
                break;
            if (MatchHistoryText(search_, e.text, contains_) && !Duplicate(e.text, e.item.get()) && !Excluded(e.text))
                Add(e.text, e.item ? e.item->CloneItem() : nullptr);
        }
    });
}

void TBuild::Keywords() {
    if (!s_.dropwords || Hidden("4"))
        return;
    Group(QStringLiteral("Keywords"), [&] {
        for (const auto& w : src_.keywords) {
            if (Full())
                break;
            if (w->disabled)
                continue;
            QString t = MatchKeyword(*w, search_, contains_);
            if (t.isEmpty())
                t = MatchKeywordTag(*w, search_, src_.tags);
            if (!t.isEmpty() && !Duplicate(t, nullptr))
                Add(t);
        }
    });
}

void TBuild::FileSystem() {
    if (!s_.dropfilesystem || Hidden("5") || !IsPath(search_))
        return;
    Group(QStringLiteral("File system"), [&] {
        for (const QString& f : TypedFolderEntries(search_, s_.ignorenetwork, src_).value_or(QStringList()))
            if (!Excluded(f, TExcludeKind::FileSystem))
                Add(f);
    });
}

void TBuild::Suggestions() {
    if (!KeywordSuggestionsOn(s_) || st_.suggestions.empty() || Hidden("4"))
        return;
    Group(QStringLiteral("Suggestions"), [&] {
        for (const TListEntry& e : st_.suggestions) {
            if (Full())
                break;
            std::unique_ptr<TItem> item = CloneListItem(e.item.get());
            if (!Duplicate(e.text, item.get()) && !Excluded(e.text))
                Add(e.text, std::move(item));
        }
    });
}

void TBuild::Indexed() {
    const TPreparedIndex* index = src_.index;
    const bool scanFolders = !ParseScanFolders(s_.scandirs).empty();
    if (!(s_.dropprograms || scanFolders) || !index || index->empty() || search_.isEmpty() || Hidden("4"))
        return;
    if (scanFolders && IndexSuggestionsOn(s_) && s_.autoshortalways)
        return;
    Group(QStringLiteral("Indexed items"), [&] {
        const QString typed = LowerText(search_);
        const QString wordStart = QLatin1Char(' ') + typed;
        const auto names = index->Names();
        // The names containing the text, found only as far as the list fills (narrowed from the
        // previous keystroke's when the text grew); the rules without `contains` are stricter.
        TIndexWalk& walk = st_.matches.For(*index, typed);
        constexpr auto kHits = TIndexWalk::TKind::Hits;
        std::vector<std::uint32_t> later[2];
        auto add = [&](const TPreparedName& n) {
            std::unique_ptr<TMyShellItem> item = index->MakeItem(n);
            const QString name = item->name;
            if (!Duplicate(name, item.get()) && !Excluded(name))
                Add(name, std::move(item));
        };
        for (std::size_t i = 0; walk.Reach(kHits, i + 1); ++i) {
            const std::uint32_t at = walk.Found(kHits)[i];
            const TPreparedName& n = names[at];
            if (!contains_) {
                const QStringView lower = index->Lower(n);
                if (!lower.startsWith(typed) && !lower.contains(wordStart))
                    continue;
            }
            if (n.tier > 0) {
                later[n.tier - 1].push_back(at);
                continue;
            }
            // Once the list is full nothing more is added, later tiers included.
            if (Full())
                return;
            add(n);
        }
        for (const auto& tier : later)
            for (const std::uint32_t at : tier) {
                if (Full())
                    return;
                add(names[at]);
            }
    });
}

} // namespace

void BuildListContent(const TSuggestSources& src, TSuggestState& state, const TSuggestLine& line, bool matchall) {
    TBuild(src, state).Run(line, matchall);
}

} // namespace vantrelo
