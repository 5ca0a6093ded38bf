// Building the drop-down list: search text, groups, limits, duplicates, exclusions, special lists.
#include "core/items.h"
#include "platform/windowlist.h"
#include "suggest/filters.h"
#include "suggest/listbuilder.h"
#include "suggest/preparedindex.h"
#include "suggest/suggestions.h"
#include "suggestfixture.h"
#include "support/testsupport.h"

#include <QDir>

namespace vantrelo::test {
namespace {

class FakeWindows final : public TWindowList {
public:
    std::vector<TTopWindow> windows;
    mutable int calls = 0;
    std::vector<TTopWindow> TopLevelWindows() const override {
        ++calls;
        return windows;
    }
};

class ListBuild : public SuggestFixture {
protected:
    QStringList Build(const QString& text, int caret = -1, bool matchall = false) {
        TSuggestLine line{text, caret < 0 ? int(text.size()) : caret, 0, 0};
        BuildListContent(src, state, line, matchall);
        return Texts(state.content);
    }
    void SetUp() override { src.index = &index; }
    TSuggestSources src{settings, keywords, history, tags};
};

TEST_F(ListBuild, SearchTextFollowsSeparatorPathAndCaret) {
    struct Case {
        const char* text;
        int caret;
        const char* prefix;
        const char* search;
    } const cases[] = {
        {"note||cal", 9, "note||", "cal"},
        {"a||b||cal", 9, "a||b||", "cal"},
        {"note||cal", 2, "", "no"},          // a separator after the caret: the whole line
        {"open /tmp/wi", 12, "open ", "/tmp/wi"},
        {"firefox", 4, "", "fire"},
        {"open plain", 10, "", "open plain"}, // a parameter that is no path stays in the search
    };
    for (const Case& c : cases) {
        const TSearchSplit s = SplitSearchText(QString::fromUtf8(c.text), c.caret, QStringLiteral("||"), true);
        EXPECT_EQ(s.prefix, QString::fromUtf8(c.prefix)) << c.text;
        EXPECT_EQ(s.search, QString::fromUtf8(c.search)) << c.text;
    }
}

TEST_F(ListBuild, GroupsFollowComboOrderWithHeaders) {
    SetHistory({QStringLiteral("calendar week"), QStringLiteral("notes")});
    AddKeyword(QStringLiteral("calc"));
    AddKeyword(QStringLiteral("Calendar,cal"));
    EXPECT_EQ(Build(QStringLiteral("note||cal")),
              (QStringList{"===== History =====", "calendar week", "===== Keywords =====", "calc", "calendar"}));
    EXPECT_EQ(state.listPrefix, QStringLiteral("note||"));

    settings.comboorder = QStringLiteral("Keywords,History");
    settings.comboheaders = false;
    EXPECT_EQ(Build(QStringLiteral("cal")), (QStringList{"calc", "calendar", "calendar week"}));
    settings.comboorder = QStringLiteral("Keywords");
    EXPECT_EQ(Build(QStringLiteral("cal")), (QStringList{"calc", "calendar"}));
}

TEST_F(ListBuild, CaretInsideTheWordSearchesTheTextBeforeIt) {
    AddKeyword(QStringLiteral("firewall"));
    AddKeyword(QStringLiteral("firefox"));
    AddKeyword(QStringLiteral("fox"));
    settings.comboheaders = false;
    EXPECT_EQ(Build(QStringLiteral("firefox"), 4), (QStringList{"firewall", "firefox"}));
}

TEST_F(ListBuild, PrefixAndSubstringSearch) {
    AddKeyword(QStringLiteral("firefox"));
    AddKeyword(QStringLiteral("foxit"));
    settings.comboheaders = false;
    EXPECT_EQ(Build(QStringLiteral("fox")), (QStringList{"firefox", "foxit"}));
    settings.searchtype = 0;
    EXPECT_EQ(Build(QStringLiteral("fox")), (QStringList{"foxit"}));
}

TEST_F(ListBuild, TheLimitIsCheckedBeforeEachEntry) {
    SetHistory({"a1", "a2", "a3", "a4", "a5"});
    settings.maxdropdown = 2;
    EXPECT_EQ(Build(QStringLiteral("a")), (QStringList{"===== History =====", "a1", "a2", "a3"}));
    settings.comboheaders = false;
    EXPECT_EQ(Build(QStringLiteral("a")), (QStringList{"a1", "a2", "a3"}));
}

TEST_F(ListBuild, DuplicatesByTextOrByPath) {
    auto shell = [](const QString& path) {
        auto s = std::make_unique<TMyShellItem>();
        s->path = path;
        return s;
    };
    TListContent content;
    content.push_back(TListEntry{QStringLiteral("report"), shell(QStringLiteral("/a/report.odt"))});
    content.push_back(TListEntry{QStringLiteral("Notes"), nullptr});
    EXPECT_FALSE(IsDuplicateEntry(settings, content, QStringLiteral("Report"), shell(QStringLiteral("/b/report.odt")).get()));
    EXPECT_TRUE(IsDuplicateEntry(settings, content, QStringLiteral("Report"), shell(QStringLiteral("/a/report.odt")).get()));
    EXPECT_FALSE(IsDuplicateEntry(settings, content, QStringLiteral("report"), nullptr)); // text vs item
    EXPECT_TRUE(IsDuplicateEntry(settings, content, QStringLiteral("notes"), nullptr));
    settings.noduplicates = false;
    EXPECT_FALSE(IsDuplicateEntry(settings, content, QStringLiteral("notes"), nullptr));

    // In a build: a keyword equal to a history text is listed once.
    settings.noduplicates = true;
    settings.comboheaders = false;
    SetHistory({QStringLiteral("Notes")});
    AddKeyword(QStringLiteral("notes"));
    EXPECT_EQ(Build(QStringLiteral("not")), (QStringList{"Notes"}));
}

TEST_F(ListBuild, ExcludeListDependsOnTypeAndKind) {
    SetHistory({QStringLiteral("secret plan"), QStringLiteral("plan b")});
    settings.comboheaders = false;
    struct Case {
        const char* list;
        int type;
        QStringList expected;
    } const cases[] = {
        {"", 0, {"secret plan", "plan b"}},
        {"SECRET", 0, {"plan b"}},
        {"zz;secret;", 1, {"plan b"}},
        {"secret", 2, {"secret plan", "plan b"}}, // completion only
    };
    for (const Case& c : cases) {
        settings.excludelist = QString::fromUtf8(c.list);
        settings.excludetype = c.type;
        EXPECT_EQ(Build(QStringLiteral("plan")), c.expected) << c.list << " " << c.type;
    }
}

TEST_F(ListBuild, IndexTiersPutHelpAndInstallersLast) {
    SetIndex({QStringLiteral("Uninstall Foo"), QStringLiteral("Foo Help"), QStringLiteral("Foo"),
              QStringLiteral("Barfoo")});
    settings.comboheaders = false;
    EXPECT_EQ(Build(QStringLiteral("foo")), (QStringList{"Foo", "Barfoo", "Foo Help", "Uninstall Foo"}));
    settings.searchtype = 0; // word starts only
    EXPECT_EQ(Build(QStringLiteral("foo")), (QStringList{"Foo", "Foo Help", "Uninstall Foo"}));
    EXPECT_EQ(Build(QString(), -1, true), QStringList{}); // the index never lists everything
}

TEST(IndexTier, WordsAnywhereInTheNameWithInstallersBeatingEverything) {
    const struct {
        const char* name;
        int tier;
    } cases[] = {{"foo", 0},           {"", 0},          {"web browser", 0}, {"my web", 1},
                 {"readme", 1},        {"read", 0},      {"foo setup", 1},   {"uninstall foo", 2},
                 {"manual installer", 2}, {"help inst", 2}, {"documentation", 1}, {"documents", 0},
                 {"safe mode", 1},     {"safemode", 0},  {"\u00e9dition help", 1}, {"helpx", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(IndexTier(QString::fromUtf8(c.name)), c.tier) << c.name;
}

TEST_F(ListBuild, IndexedItemsRespectTheLimitInEveryTier) {
    TIndexList list;
    for (int i = 0; i < 50; ++i) {
        auto item = std::make_unique<TMyShellItem>();
        const QString name = (i % 2 ? QStringLiteral("Vim setup ") : QStringLiteral("Vim ")) + QString::number(i);
        item->name = name;
        item->path = QStringLiteral("/p/") + QString::number(i);
        list.Append(name, std::move(item));
    }
    index.Adopt(std::move(list));
    settings.maxdropdown = 10;
    EXPECT_EQ(Build(QStringLiteral("vim")).size(), 12); // header + 11: the limit lets one more in
}

TEST_F(ListBuild, SuggestionsStandBeforeIndexedItems) {
    AddKeyword(QStringLiteral("thunderbird"));
    SetIndex({QStringLiteral("Thunderbird Mail")});
    FindSuggestions(src, state, QStringLiteral("tbird"), false, TSuggestSource::KeywordsAndIndex);
    ASSERT_FALSE(state.suggestions.empty());
    EXPECT_EQ(Build(QStringLiteral("tbird")),
              (QStringList{"===== Suggestions =====", "thunderbird", "Thunderbird Mail"}));
    EXPECT_EQ(state.content[1].item, nullptr);           // keyword suggestions carry none
    EXPECT_NE(dynamic_cast<const TMyShellItem*>(state.content[2].item.get()), nullptr);
}

TEST_F(ListBuild, CommandLineOptionsForADash) {
    const QStringList got = Build(QStringLiteral("-"));
    ASSERT_EQ(got.size(), 19);
    EXPECT_EQ(got.front(), QStringLiteral("===== Commands ====="));
    EXPECT_EQ(got.mid(1), CommandLineOptions());
}

TEST_F(ListBuild, FileSystemListsFoldersFirstEachSorted) {
    TempDir tmp;
    QDir(tmp.Path()).mkpath(QStringLiteral("wind"));
    QDir(tmp.Path()).mkpath(QStringLiteral("Wide"));
    WriteAll(tmp.File(QStringLiteral("wiki.txt")), "x");
    WriteAll(tmp.File(QStringLiteral("Wa.txt")), "x");
    const QString p = tmp.Path();
    EXPECT_EQ(Build(QStringLiteral("open ") + p + QStringLiteral("wi")),
              (QStringList{"===== File system =====", p + "Wide", p + "wind", p + "wiki.txt"}));
    EXPECT_EQ(state.listPrefix, QStringLiteral("open "));

    settings.excludelist = QStringLiteral("wiki");
    EXPECT_EQ(Build(p + QStringLiteral("wi")).size(), 4); // file-system entries are excluded only on request
    settings.excludefilesystem = true;
    EXPECT_EQ(Build(p + QStringLiteral("wi")).size(), 3);
    EXPECT_TRUE(Build(p + QStringLiteral("missing/x")).isEmpty());
}

TEST_F(ListBuild, IncognitoHidesItsSources) {
    SetHistory({QStringLiteral("secret")});
    AddKeyword(QStringLiteral("search"));
    settings.incognito = true;
    settings.incognitoconfig = QStringLiteral("2");
    EXPECT_EQ(Build(QStringLiteral("se")), (QStringList{"===== Keywords =====", "search"}));
    settings.incognitoconfig = QStringLiteral("4");
    EXPECT_TRUE(Build(QStringLiteral("se")).isEmpty());
    settings.incognitoconfig = QStringLiteral("3");
    EXPECT_TRUE(Build(QString(), -1, true).isEmpty());
    EXPECT_EQ(Build(QStringLiteral("se")).size(), 4);
}

TEST_F(ListBuild, ClipboardSpecialListNewestFirstAndRankedWithAParameter) {
    AddKeyword(QStringLiteral("clip"), QStringLiteral("$CLIPBOARD$"));
    std::vector<TMyClipItem> clips;
    for (const char* t : {"oldest text", "middle note", "newest text"}) {
        TMyClipItem c;
        c.clipb = QString::fromUtf8(t);
        clips.push_back(c);
    }
    src.clips = &clips;
    EXPECT_EQ(Build(QStringLiteral("clip")),
              (QStringList{"===== Clipboard =====", "newest text", "middle note", "oldest text"}));
    // 'oldest text' holds no 'n': it drops out; the word-final 't' ranks 'newest' above 'note'.
    EXPECT_EQ(Build(QStringLiteral("clip nt")), (QStringList{"===== Clipboard =====", "newest text", "middle note"}));
    EXPECT_NE(dynamic_cast<const TMyClipItem*>(state.content[1].item.get()), nullptr);
}

TEST_F(ListBuild, ApplicationsListOpenWindowsAloneOrBeforeNormalGroups) {
    AddKeyword(QStringLiteral("win"), QStringLiteral("$APPS$"));
    AddKeyword(QStringLiteral("winamp"));
    FakeWindows windows;
    windows.windows = {{11, QStringLiteral("Terminal"), QStringLiteral("Process id: 5")},
                       {12, QString(), QString()},
                       {13, QStringLiteral("Mail - Inbox"), QString()}};
    src.windows = &windows;
    EXPECT_EQ(Build(QStringLiteral("win")), (QStringList{"===== Applications =====", "Terminal", "Mail - Inbox"}));
    const auto* w = dynamic_cast<const TMyWindowItem*>(state.content[1].item.get());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->hand, 11u);
    EXPECT_EQ(w->moreinfo, QStringLiteral("Process id: 5"));

    EXPECT_EQ(Build(QStringLiteral("win mbx")), (QStringList{"===== Applications =====", "Mail - Inbox"}));
    settings.specialsolo = false;
    EXPECT_EQ(Build(QStringLiteral("win")), (QStringList{"===== Applications =====", "Terminal", "Mail - Inbox",
                                                         "===== Keywords =====", "win", "winamp"}));
}

TEST_F(ListBuild, HistorySpecialListsAndTags) {
    AddKeyword(QStringLiteral("h"), QStringLiteral("$HISTORY$"));
    AddKeyword(QStringLiteral("kh"), QStringLiteral("$KWHISTORY$"));
    AddKeyword(QStringLiteral("t"), QStringLiteral("$TAGS$"));
    AddKeyword(QStringLiteral("g"), QStringLiteral("web"), QStringLiteral("search web"));
    SetHistory({QStringLiteral("g cats"), QStringLiteral("notes.txt"), QStringLiteral("g dogs")});
    EXPECT_EQ(Build(QStringLiteral("h")), (QStringList{"===== History =====", "g cats", "notes.txt", "g dogs"}));
    EXPECT_EQ(Build(QStringLiteral("kh")), (QStringList{"===== History =====", "g cats", "g dogs"}));
    EXPECT_EQ(Build(QStringLiteral("kh dgs")), (QStringList{"===== History =====", "g dogs"}));
    EXPECT_EQ(Build(QStringLiteral("t")), (QStringList{"===== Tags =====", "search", "web"}));
    // A tag typed as the whole line lists the keywords that carry it.
    EXPECT_EQ(Build(QStringLiteral("web")), (QStringList{"===== Keywords =====", "g"}));
}

} // namespace
} // namespace vantrelo::test
