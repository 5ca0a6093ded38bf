// The suggestion search, the current-item binding and what Enter does with unknown input.
#include "platform/programsearch.h"
#include "suggest/suggestions.h"
#include "suggestfixture.h"

namespace vantrelo::test {
namespace {

class FakePrograms final : public TProgramSearch {
public:
    bool IsProgramOnPath(const QString& name) const override { return name == QStringLiteral("gimp"); }
};

class SuggestSearch : public SuggestFixture {
protected:
    QStringList Suggest(const QString& text) {
        FindSuggestions(Sources(), state, text, false, TSuggestSource::KeywordsAndIndex);
        return Texts(state.suggestions);
    }
};

TEST_F(SuggestSearch, RanksByScoreThenShorterNameThenSourceOrder) {
    AddKeyword(QStringLiteral("fontbox"));
    AddKeyword(QStringLiteral("folder"));   // no 'x': no suggestion
    AddKeyword(QStringLiteral("fo2x"));
    AddKeyword(QStringLiteral("foxit"));
    AddKeyword(QStringLiteral("fo1x"));
    AddKeyword(QStringLiteral("Firefox,ff"));
    EXPECT_EQ(Suggest(QStringLiteral("fox")),
              (QStringList{"firefox", "fo2x", "fo1x", "foxit", "fontbox"}));
}

TEST_F(SuggestSearch, TheLastSlotKeepsTheEarlierOfEqualCandidates) {
    for (char c = 'a'; c <= 'u'; ++c)
        AddKeyword(QStringLiteral("fox") + QLatin1Char(c));
    const QStringList got = Suggest(QStringLiteral("fox"));
    ASSERT_EQ(got.size(), 20);
    EXPECT_EQ(got.front(), QStringLiteral("foxa"));
    EXPECT_EQ(got.back(), QStringLiteral("foxt"));
}

TEST_F(SuggestSearch, IndexIsOfferedBeforeKeywordsAndDisabledKeywordsAreSkipped) {
    AddKeyword(QStringLiteral("gedit"));
    AddKeyword(QStringLiteral("gxdxt")).disabled = true;
    SetIndex({QStringLiteral("gedit"), QStringLiteral("Uninstall")});
    FindSuggestions(Sources(), state, QStringLiteral("gdt"), false, TSuggestSource::KeywordsAndIndex);
    ASSERT_EQ(state.suggestions.size(), 2u);
    EXPECT_NE(dynamic_cast<const TMyShellItem*>(state.suggestions[0].item.get()), nullptr);
    EXPECT_NE(dynamic_cast<const TExeWord*>(state.suggestions[1].item.get()), nullptr);

    settings.autoshort = 1; // keywords only
    FindSuggestions(Sources(), state, QStringLiteral("gdt"), false, TSuggestSource::KeywordsAndIndex);
    ASSERT_EQ(state.suggestions.size(), 1u);
    EXPECT_NE(dynamic_cast<const TExeWord*>(state.suggestions[0].item.get()), nullptr);
}

TEST_F(SuggestSearch, FuzzyScoresFindMisspellings) {
    AddKeyword(QStringLiteral("thunderbird"));
    EXPECT_TRUE(Suggest(QStringLiteral("thnuderbird")).isEmpty()); // not a subsequence
    settings.autofuzz = 1;
    EXPECT_EQ(Suggest(QStringLiteral("thnuderbird")), QStringList{QStringLiteral("thunderbird")});
}

TEST_F(SuggestSearch, CompletionBindsTheBestSuggestionToItsText) {
    AddKeyword(QStringLiteral("firefox"));
    AddKeyword(QStringLiteral("foxit"));
    const QString line = QStringLiteral("frfx");
    ASSERT_TRUE(FindSuggestions(Sources(), state, line, true, TSuggestSource::KeywordsAndIndex));
    const auto* fuzzy = dynamic_cast<const TMyFuzzyItem*>(state.current.ItemFor(line));
    ASSERT_NE(fuzzy, nullptr);
    EXPECT_EQ(fuzzy->name, QStringLiteral("firefox"));
    EXPECT_NE(dynamic_cast<const TExeWord*>(fuzzy->obj.get()), nullptr);

    // The user types on; the new text finds nothing, so the search leaves the binding alone...
    EXPECT_FALSE(FindSuggestions(Sources(), state, QStringLiteral("frfxqq"), true, TSuggestSource::KeywordsAndIndex));
    // ...but Enter on the new text never gets the item made for the old one.
    EXPECT_EQ(state.current.ItemFor(QStringLiteral("frfxqq")), nullptr);
    EXPECT_NE(state.current.ItemFor(line + QLatin1Char(' ')), nullptr); // trailing blanks do not matter
}

TEST_F(SuggestSearch, ExcludeListAndListOnlySettingsShapeTheCompletion) {
    AddKeyword(QStringLiteral("firefox"));
    AddKeyword(QStringLiteral("frfxtool"));
    settings.excludelist = QStringLiteral("zzz;firefox");
    settings.excludetype = 1; // list and completion
    ASSERT_TRUE(FindSuggestions(Sources(), state, QStringLiteral("frfx"), true, TSuggestSource::KeywordsAndIndex));
    EXPECT_EQ(dynamic_cast<const TMyFuzzyItem*>(state.current.Item())->name, QStringLiteral("frfxtool"));

    state.current.Clear();
    settings.excludelist.clear();
    settings.autoshortlistonly = true;
    EXPECT_TRUE(FindSuggestions(Sources(), state, QStringLiteral("frfx"), true, TSuggestSource::KeywordsAndIndex));
    EXPECT_EQ(state.suggestions.size(), 2u);
    EXPECT_TRUE(state.current.Empty());
}

TEST_F(SuggestSearch, IsSuggestibleRejectsWhatIsSomethingElse) {
    AddKeyword(QStringLiteral("firefox"), QStringLiteral("cmd"), QStringLiteral("web"));
    FakePrograms programs;
    TSuggestSources src = Sources();
    src.programs = &programs;
    struct Case {
        const char* text;
        int minlength;
        bool check;
        bool expected;
    } const cases[] = {
        {"abcd", 3, false, true},     {"ab", 3, false, false},        {"ab", 0, false, true},
        {"https://x.org", 0, false, false}, {"example.com", 0, false, false}, {"/usr/bin", 0, false, false},
        {"-s", 0, false, false},      {"#1+2", 0, false, false},      {"\"quoted", 0, false, false},
        {"mailto:me", 0, false, false}, {"a||b", 0, false, false},    {"firefox x", 0, false, false},
        {"firefox", 0, true, false},  {"firefox", 0, false, true},    {"gimp x", 0, false, false},
        {"web", 0, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSuggestible(src, QString::fromUtf8(c.text), c.minlength, c.check), c.expected) << c.text;
    src.showsInfoText = true;
    EXPECT_FALSE(IsSuggestible(src, QStringLiteral("abcd"), 0, false));
}

TEST_F(SuggestSearch, ShortInputNeverSuggestsWhileTyping) {
    AddKeyword(QStringLiteral("firefox"));
    EXPECT_TRUE(Suggest(QStringLiteral("ff")).isEmpty());
}

TEST_F(SuggestSearch, LaunchFirstListEntryTakesTheFirstRealEntry) {
    state.content.push_back(TListEntry{GroupHeader(QStringLiteral("Indexed items")), nullptr});
    auto item = std::make_unique<TMyShellItem>();
    item->name = QStringLiteral("Firefox");
    item->path = QStringLiteral("/usr/share/applications/firefox.desktop");
    state.content.push_back(TListEntry{QStringLiteral("Firefox"), std::move(item)});

    TSuggestLine line = TSuggestLine::AtEnd(QStringLiteral("firef"));
    settings.autodropdown = false;
    EXPECT_FALSE(LaunchFirstListEntry(Sources(), state, line, false, false));
    settings.autodropdown = true;
    ASSERT_TRUE(LaunchFirstListEntry(Sources(), state, line, false, false));
    EXPECT_EQ(line.text, QStringLiteral("Firefox"));
    EXPECT_EQ(state.lastCompleted, QStringLiteral("Firefox"));
    const auto* bound = dynamic_cast<const TMyShellItem*>(state.current.ItemFor(line.text));
    ASSERT_NE(bound, nullptr);
    EXPECT_EQ(bound->path, QStringLiteral("/usr/share/applications/firefox.desktop"));

    // A calculation or a bound item is not unknown input; force overrides.
    TSuggestLine calc = TSuggestLine::AtEnd(QStringLiteral("2+3"));
    EXPECT_FALSE(LaunchFirstListEntry(Sources(), state, calc, false, true));
    EXPECT_TRUE(LaunchFirstListEntry(Sources(), state, calc, true, true));
    EXPECT_FALSE(LaunchFirstListEntry(Sources(), state, line, false, true));
}

TEST_F(SuggestSearch, FastSearchFallbackHandsUnknownInputToTheKeyword) {
    TSuggestLine line = TSuggestLine::AtEnd(QStringLiteral("cheap flights"));
    EXPECT_FALSE(FastSearchFallback(Sources(), state, line)); // no such keyword yet
    TExeWord& g = AddKeyword(QStringLiteral("Google,g"), QStringLiteral("https://www.google.com/search?q=$p$"));
    ASSERT_TRUE(FastSearchFallback(Sources(), state, line));
    EXPECT_EQ(line.text, QStringLiteral("google cheap flights"));
    EXPECT_EQ(state.lastCompleted, line.text);

    TSuggestLine ignored = TSuggestLine::AtEnd(QStringLiteral("?what"));
    EXPECT_FALSE(FastSearchFallback(Sources(), state, ignored));
    g.command = QStringLiteral("$CE$ something");
    TSuggestLine other = TSuggestLine::AtEnd(QStringLiteral("cheap flights"));
    EXPECT_FALSE(FastSearchFallback(Sources(), state, other));
}

} // namespace
} // namespace vantrelo::test
