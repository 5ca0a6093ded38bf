// Keyword lookup by exact name, tags, and item copies.
#include "core/keywordlist.h"

#include <gtest/gtest.h>

using namespace vantrelo;

namespace {

TExeWord& Add(TKeywordList& list, const QString& names, const QString& command = {}, bool disabled = false) {
    auto w = MakeNewKeyword(names, command, {});
    w->disabled = disabled;
    return list.Add(std::move(w));
}

} // namespace

TEST(KeywordList, NamesMatchExactlyWithoutRegardToCase) {
    TKeywordList list;
    TExeWord& mail = Add(list, "Mail,m");
    Add(list, "a, b");
    Add(list, "a,,b");
    for (const char* hit : {"mail", "MAIL", "m"})
        EXPECT_EQ(list.FindKeyword(hit, true), &mail) << hit;
    EXPECT_EQ(list.FindKeyword("ma", true), nullptr);
    EXPECT_EQ(list.FindKeyword("b", true), &list.at(2)); // ' b' is not 'b'; 'a,,b' has it
    EXPECT_EQ(list.FindKeyword("", true), nullptr);      // an empty piece never matches
    EXPECT_EQ(mail.DefaultKeyword(), "mail");
    EXPECT_EQ(NameAt("a,,b", 2), "b");
}

TEST(KeywordList, EarlierRecordsWinAndDisabledOnesAreSkippedWhenAsked) {
    TKeywordList list;
    TExeWord& off = Add(list, "x", "first", true);
    TExeWord& on = Add(list, "x", "second");
    Add(list, "x", "third");
    EXPECT_EQ(list.FindKeyword("x", true), &on);
    EXPECT_EQ(list.KeywordExistsEx("x", false, false), &off);
}

TEST(KeywordList, FullMatchAndMultiNameChecks) {
    TKeywordList list;
    TExeWord& ab = Add(list, "a,b");
    TExeWord& news = Add(list, "new");
    EXPECT_EQ(list.KeywordExistsEx("a,b", true, false), &ab);
    EXPECT_EQ(list.FindKeyword("a,b", true), nullptr);
    EXPECT_EQ(list.MultiKeywordeExistCheck("zz, new"), &news);
    EXPECT_EQ(list.MultiKeywordeExistCheck("zz,yy"), nullptr);
}

TEST(KeywordList, NewKeywordPlaceholderAndParameterUse) {
    auto w = MakeNewKeyword({}, "cmd", {});
    EXPECT_EQ(w->keywords, "new...");
    EXPECT_TRUE(w->IsDefault());
    struct {
        const char* command;
        const char* params;
        bool uses;
    } cases[] = {{"x $P$", "", true}, {"$ps", "", true},  {"a", "$u1$", true},
                 {"a", "", false},    {"$pq", "", false}, {"a", "$P1$", true}};
    for (const auto& c : cases) {
        TExeWord k;
        k.command = c.command;
        k.parameters = c.params;
        EXPECT_EQ(k.UsesParameters(), c.uses) << c.command << " " << c.params;
    }
}

TEST(KeywordList, TagsComeFromEnabledKeywordsSortedAndDistinct) {
    TKeywordList list;
    Add(list, "a").group = "web Tools";
    Add(list, "b").group = "\"two words\"  tools";
    Add(list, "c", {}, true).group = "hidden";
    TTagList tags;
    tags.Build(list);
    EXPECT_EQ(tags.Tags(), (QStringList{"Tools", "two words", "web"}));
    EXPECT_TRUE(tags.IsTag(" WEB "));
    EXPECT_FALSE(tags.IsTag("hidden"));
}

TEST(Items, FuzzyItemsOwnIndependentCopies) {
    TMyFuzzyItem first;
    auto word = std::make_unique<TExeWord>();
    word->keywords = "x";
    first.obj = std::move(word);
    auto copy = CloneItem(&first);
    ASSERT_NE(copy, nullptr);
    auto* fuzzy = dynamic_cast<TMyFuzzyItem*>(copy.get());
    ASSERT_NE(fuzzy, nullptr);
    ASSERT_NE(fuzzy->obj.get(), first.obj.get());
    copy.reset();
    EXPECT_EQ(static_cast<TExeWord*>(first.obj.get())->keywords, "x");

    TExeWord k;
    TMySimpleItem simple;
    EXPECT_NE(CloneItem(&k), nullptr);
    EXPECT_EQ(CloneListItem(&k), nullptr);
    EXPECT_EQ(CloneItem(&simple), nullptr);
    EXPECT_EQ(CloneItem(nullptr), nullptr);
}
