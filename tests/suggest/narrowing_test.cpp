// Keystrokes narrowed from the previous keystroke's matches give what a walk over the whole index gives.
#include "core/items.h"
#include "suggest/completion.h"
#include "suggest/indexmatches.h"
#include "suggest/keystroke.h"
#include "suggestfixture.h"

#include <random>

namespace vantrelo::test {
namespace {

// A seeded mix like a real index, with the awkward ones added: a header, later tiers, the same
// name twice, double spaces, upper case, a name that is all digits.
std::vector<QString> IndexNames(int count, unsigned seed) {
    std::mt19937 rng(seed);
    const QStringList a = {"Visual", "Video", "Virtual", "Media", "Meeting notes", "Image", "Music", "Game", "Office", "Text"};
    const QStringList b = {"Studio", "Editor", "Viewer", "Manager", "Setup", "Uninstall", "Center", "Tools", "Writer", "Monitor"};
    const QStringList ext = {".odt", ".pdf", ".txt", ".cpp", ""};
    std::vector<QString> names = {QStringLiteral("== Visual =="), QStringLiteral("Visual  Studio"), QStringLiteral("VISUAL STUDIO"),
                                  QStringLiteral("Visual Studio"), QStringLiteral("Visual Studio"), QStringLiteral("2024"),
                                  QStringLiteral("visualizer install"), QStringLiteral("qwz tool"), QStringLiteral("x-ray viewer")};
    for (int i = 0; i < count; ++i) {
        QString n = a[int(rng() % a.size())] + QLatin1Char(' ') + b[int(rng() % b.size())];
        if (rng() % 3 == 0)
            n += QLatin1Char(' ') + QString::number(rng() % 40) + ext[int(rng() % ext.size())];
        names.push_back(rng() % 7 == 0 ? n.toLower() : n);
    }
    return names;
}

// One keystroke's visible outcome: the line as completion left it, the list rows with the files
// behind them, the suggestions and the bound item.
QString Outcome(const TSuggestState& st, const TCompletionResult* r) {
    QStringList out;
    if (r)
        out << QStringLiteral("line %1 [%2+%3] %4 at %5").arg(r->text).arg(r->selStart).arg(r->selLength).arg(r->completed).arg(r->position);
    for (const TListEntry& e : st.content) {
        const auto* shell = ItemAs<TMyShellItem>(e.item.get());
        out << e.text + (shell ? QStringLiteral(" @") + shell->path : QString());
    }
    out << QStringLiteral("--");
    for (const TListEntry& e : st.suggestions)
        out << e.text;
    const auto* shell = ItemAs<TMyShellItem>(Unwrapped(st.current.Item()));
    out << QStringLiteral("bound to ") + st.current.BoundText() + (shell ? QStringLiteral(" @") + shell->path : QString());
    return out.join(QLatin1Char('\n'));
}

struct TSettingsCase {
    const char* name;
    void (*apply)(TSettings&);
};

class Narrowing : public SuggestFixture {
protected:
    void Adopt(const std::vector<QString>& names) {
        TIndexList list;
        for (size_t i = 0; i < names.size(); ++i) {
            auto item = std::make_unique<TMyShellItem>();
            item->name = names[i];
            const QString path = QStringLiteral("/d/") + QString::number(i);
            item->path = path;
            list.Append(path, std::move(item));
        }
        index.Adopt(list);
    }

    // Types `lines` (text, caret at the end unless a '|' marks it) twice over the same sources:
    // once as the launcher does, keeping what each keystroke matched, and once walking the whole
    // index each time, with every name scored; both must show the same at every step.
    void Compare(const char* label, const std::vector<const char*>& lines, bool complete,
                 const std::vector<QString>* switchTo = nullptr) {
        TSuggestState kept, fresh;
        kept.matches.SetSplitAt(64); // long walks and searches shared with a worker, as at a million names
        fresh.matches.SetNarrowing(false);
        TFolderCache keptFolders, freshFolders;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (switchTo && i == lines.size() / 2)
                Adopt(*switchTo); // a rescan between two keystrokes
            QString text = QString::fromUtf8(lines[i]);
            const qsizetype bar = text.indexOf(QLatin1Char('|'));
            text.remove(QLatin1Char('|'));
            TSuggestLine line = TSuggestLine::AtEnd(text);
            line.caret = line.selStart = int(bar < 0 ? text.size() : bar);
            const TSuggestSources src = Sources();
            QString a, b;
            if (complete) {
                const TCompletionResult ra = RefreshForKeystroke(src, kept, keptFolders, line);
                const TCompletionResult rb = RefreshForKeystroke(src, fresh, freshFolders, line);
                a = Outcome(kept, &ra);
                b = Outcome(fresh, &rb);
            } else {
                RefreshForKeystroke(src, kept, line);
                RefreshForKeystroke(src, fresh, line);
                a = Outcome(kept, nullptr);
                b = Outcome(fresh, nullptr);
            }
            ASSERT_EQ(a, b) << label << ", keystroke " << i << ": " << lines[i];
        }
    }
};

TEST_F(Narrowing, TypedSequencesShowWhatTheWholeWalkShows) {
    const std::vector<std::vector<const char*>> sequences = {
        {"v", "vi", "vis", "visu", "visua", "visual", "visual ", "visual s", "visual st"}, // letter by letter
        {"vis", "vi", "v", "vid", "vide", "vid", "vi", "vir"},                               // backspace and on
        {"sual", "isual", "visual", "visual|x", "visual"},                                  // in front, caret inside
        {"vsual", "visual", "viual", "visual"},                                             // an edit in the middle
        {"m", "meeting notes 1", "meeting notes 12", "meeting notes 1", "meeting"},         // pasted, then typed
        {"V", "VI", "VIS", "VisU", "visu"},                                                 // upper case
        {"q", "qw", "qwz", "qwzx", "qwz", "wz"},                                            // rare: word runs count
        {"2", "20", "202", "2024"},                                                         // digits
        {"==", "== v", "== vis"},                                                           // a header's text
        {"in", "ins", "inst", "install", "x-", "x-r", "-ray", "ray"},                       // later tiers, signs
        {"tool", "tools", "tool", "to", "t"},
    };
    const TSettingsCase settingsCases[] = {
        {"defaults", [](TSettings&) {}},
        {"word starts, short list", [](TSettings& s) { s.searchtype = 0; s.maxdropdown = 4; }},
        {"exclusions", [](TSettings& s) { s.excludelist = QStringLiteral("setup;Editor"); s.excludetype = 1; }},
        {"no short forms, fuzzy", [](TSettings& s) { s.autoshort = 1; s.autofuzz = 2; }},
        {"no headers, no duplicates check", [](TSettings& s) { s.comboheaders = false; s.noduplicates = false; }},
    };
    Adopt(IndexNames(1500, 7));
    AddKeyword(QStringLiteral("vim"));
    AddKeyword(QStringLiteral("meld"));
    for (const TSettingsCase& c : settingsCases) {
        settings = TSettings{};
        c.apply(settings);
        for (const bool complete : {false, true}) {
            settings.autoprograms = complete;
            for (const auto& seq : sequences)
                Compare(c.name, seq, complete);
        }
    }
}

TEST_F(Narrowing, ANewIndexBetweenKeystrokesIsWalkedAfresh) {
    Adopt(IndexNames(400, 1));
    const std::vector<QString> other = IndexNames(600, 2);
    settings.autoprograms = true;
    Compare("rescan", {"v", "vi", "vis", "visu", "visua", "visual"}, true, &other);
    EXPECT_EQ(index.ItemCount(), qsizetype(other.size()));
}

TEST_F(Narrowing, WalksGoOnlyAsFarAsAsked) {
    Adopt(IndexNames(1000, 3));
    TIndexMatches matches;
    TIndexWalk& v = matches.For(index, QStringLiteral("v"));
    constexpr auto kHits = TIndexWalk::TKind::Hits;
    ASSERT_TRUE(v.Reach(kHits, 5));
    const std::uint32_t decided = v.Decided(kHits);
    EXPECT_LT(decided, std::uint32_t(index.ItemCount())); // the list stopped early: so did the walk
    // The longer text reads the shorter one's hits, then walks on from where it stopped.
    TIndexWalk& vi = matches.For(index, QStringLiteral("vi"));
    const std::vector<std::uint32_t> narrowed = vi.All(kHits);
    TIndexMatches none;
    EXPECT_EQ(narrowed, none.For(index, QStringLiteral("vi")).All(kHits));
    EXPECT_EQ(&matches.For(index, QStringLiteral("v")), &v); // kept, not walked again
    for (const std::uint32_t at : narrowed)
        EXPECT_TRUE(index.Lower(index.Names()[at]).contains(QStringLiteral("vi")));
}

} // namespace
} // namespace vantrelo::test
