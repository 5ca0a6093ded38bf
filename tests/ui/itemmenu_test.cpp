// The context-menu rules: item menus, the file menu on indexed items, paths and keyword targets, the fallback.
#include "ui/itemmenu.h"

#include "core/keywordlist.h"

#include <gtest/gtest.h>

#include <set>

namespace vantrelo {
namespace {

TItemMenuProbe Probe() {
    static const std::set<QString> files{"/home/u/doc.txt", "/home/u/music", "/usr/bin/gimp", "/srv/a;b"};
    TItemMenuProbe p;
    p.isPath = [](const QString& t) { return t.startsWith('/') || t.startsWith('~'); };
    p.expand = [](QString t) { return t.replace("~", "/home/u"); };
    p.keywordTarget = [](const QString& w) -> std::optional<QString> {
        if (w == "doc")
            return QString("/home/u/doc.txt");
        if (w == "music")
            return QString("/home/u/music/");
        if (w == "web")
            return QString("https://example.org");
        if (w == "both")
            return QString("/srv/a;b");
        return std::nullopt;
    };
    p.exists = [](const QString& path) { return files.count(path) > 0; };
    p.separator = ";";
    return p;
}

TEST(ItemMenu, TheFirstMatchingRuleDecides) {
    struct TCase {
        TItemMenuKind kind;
        QString indexed;
        QString text;
        bool clipMenu;
        TItemMenu menu;
        QString path;
        bool edit;
        int rule;
    };
    using K = TItemMenuKind;
    using M = TItemMenu;
    const std::vector<TCase> cases = {
        {K::Clip, "", "copied text", true, M::Clip, "", false, 2},
        {K::Clip, "", "copied text", false, M::Fallback, "", false, 2},   // no clipboard menu yet
        {K::Window, "", "Editor - notes", false, M::Fallback, "", false, 3},
        {K::Indexed, "/usr/bin/gimp", "gimp", false, M::File, "/usr/bin/gimp", false, 4},
        {K::Indexed, "/usr/bin/gone", "gone", false, M::Fallback, "", false, 4},
        {K::None, "", "~/doc.txt", false, M::File, "/home/u/doc.txt", false, 5},
        {K::None, "", "/home/u/music/", false, M::File, "/home/u/music", false, 5},
        {K::None, "", "/home/u/missing", false, M::Fallback, "", false, 7},
        {K::None, "", "doc", false, M::File, "/home/u/doc.txt", false, 6},
        {K::None, "", "music more words", false, M::File, "/home/u/music", false, 6},
        {K::None, "", "web", false, M::Fallback, "", true, 6},             // not a file: "Edit keyword"
        {K::None, "", "both", false, M::Fallback, "", true, 6},            // holds the separator
        {K::None, "", "anything else", false, M::Fallback, "", false, 7},
        {K::None, "", "", false, M::Fallback, "", false, 7},
    };
    for (const TCase& c : cases) {
        TItemMenuFacts f;
        f.kind = c.kind;
        f.indexedPath = c.indexed;
        f.text = c.text;
        f.clipMenu = c.clipMenu;
        const TItemMenuChoice got = DecideItemMenu(f, Probe());
        EXPECT_EQ(got.menu, c.menu) << c.text.toStdString();
        EXPECT_EQ(got.path, c.path) << c.text.toStdString();
        EXPECT_EQ(got.editKeyword, c.edit) << c.text.toStdString();
        EXPECT_EQ(got.rule, c.rule) << c.text.toStdString();
    }
    EXPECT_EQ(WithoutTrailingDelimiter("/"), "/");
    EXPECT_EQ(WithoutTrailingDelimiter("/a//"), "/a");
}

TEST(ItemMenu, RegexEntriesComeFromEnabledRulesKeywordsInListOrder) {
    TKeywordList list;
    auto add = [&list](const char* name, const char* command, const char* params, const char* comment, bool off) {
        auto w = MakeNewKeyword(QString::fromUtf8(name), QString::fromUtf8(command), QString::fromUtf8(params));
        w->comment = QString::fromUtf8(comment);
        w->disabled = off;
        list.Add(std::move(w));
    };
    add("trim", "$TEXTREGEX$", "s/\\s+$//", "trailing blanks", false);
    add("off", "$TEXTREGEX$", "x", "", true);
    add("other", "firefox", "", "", false);
    add("hash,h", "$textregexpaste$", "^#.*", "", false);
    const std::vector<TRegexMenuEntry> entries = RegexMenuEntries(list);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].caption, "RegEx: trim -> s/\\s+$// (trailing blanks)");
    EXPECT_EQ(entries[0].rules, "s/\\s+$//");
    EXPECT_EQ(entries[1].caption, "RegEx: hash -> ^#.*");
}

} // namespace
} // namespace vantrelo
