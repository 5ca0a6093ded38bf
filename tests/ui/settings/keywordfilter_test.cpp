// The keyword editor's filter language over a small keyword list.
#include "core/items.h"
#include "core/keywordlist.h"
#include "ui/settings/keywordfilter.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

struct W {
    const char* keywords;
    const char* command = "";
    const char* comment = "";
    const char* group = "";
    int open = 0;
    int permissionlevel = -1;
    bool disabled = false;
    int key = -1, keymod = -1;
};

TKeywordList Fixture() {
    const W words[] = {
        {"mail", "thunderbird", "", "post"},                                   // 0
        {"mailbox,mb", "xdg-open ~/Mail", "read the mail", "mailing"},         // 1
        {"g", "https://search.example/?q=%s", "web", "web", 2},                 // 2
        {"g,gg", "gedit", "", "", 3, 3},                                        // 3
        {"g", "old", "", "", 0, -1, true},                                     // 4
        {"term", "xterm", "", "", 1, -1, false, 84, 9},                       // 5
        {"maps", "", "travel mail", "", 0, 1},                                 // 6
    };
    TKeywordList list;
    for (const W& w : words) {
        auto r = std::make_unique<TExeWord>();
        r->keywords = w.keywords;
        r->command = w.command;
        r->comment = w.comment;
        r->group = w.group;
        r->open = w.open;
        r->permissionlevel = w.permissionlevel;
        r->disabled = w.disabled;
        r->key = w.key;
        r->keymod = w.keymod;
        list.Add(std::move(r));
    }
    return list;
}

TEST(KeywordFilter, FormsListTheirRecordsInListOrder) {
    const TKeywordList list = Fixture();
    const std::pair<const char*, std::vector<qsizetype>> cases[] = {
        {"", {0, 1, 2, 3, 4, 5, 6}},
        {"  ", {0, 1, 2, 3, 4, 5, 6}},
        // Free text: names, then (more than two characters) fields and tags, then tags and name starts.
        {"mail", {0, 1, 6}},
        {"ma", {0, 1, 6}},
        {"web", {2}},
        {"*box", {1}},
        {"\"MAIL\"", {0}},
        {"\"web\"", {2}},
        {"comment:\"\"", {0, 3, 4, 5}},
        {"comment:", {1, 2, 6}},
        {"command:*term", {5}},
        {"tag:mail", {1}},
        {"tag:\"\"", {3, 4, 5, 6}},
        {"tag:", {0, 1, 2}},
        {"keyword:m", {0, 1, 6}},
        {"keyword:\"mb\"", {1}},
        {"keyword:*b", {1}},
        {"hotkey:", {5}},
        {"hotkey:alt", {5}},
        {"hotkey:ctrl", {}},
        {"perm:3", {3}},
        {"perm:x", {0, 1, 2, 4, 5}},
        {"perm:", {3, 6}},
        {"access:", {3, 6}},
        {"open:max", {2}},
        {"open:Max", {}},
        {"open:", {2, 3, 5}},
        {"disabled:", {4}},
        {"enabled:", {0, 1, 2, 3, 5, 6}},
        {"enabled:g", {2, 3}},
        {"disabled:g", {4}},
        // Two enabled records named g and a disabled third: all three.
        {"duplicates:", {2, 3, 4}},
        {"duplicatesall:", {2, 3, 4}},
        // The restriction holds for the duplicate forms, and their lists are built for it.
        {"enabled:duplicates:", {2, 3}},
        {"disabled:duplicates:", {}},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(FilterKeywords(list, filter), expected) << filter;
}

TEST(KeywordFilter, DisabledDuplicatesCountOnlyWhenAskedFor) {
    TKeywordList list;
    for (bool disabled : {false, true}) {
        auto r = std::make_unique<TExeWord>();
        r->keywords = "g";
        r->disabled = disabled;
        list.Add(std::move(r));
    }
    EXPECT_TRUE(FilterKeywords(list, "duplicates:").empty());
    EXPECT_EQ(FilterKeywords(list, "duplicatesall:"), (std::vector<qsizetype>{0, 1}));
}

} // namespace
} // namespace vantrelo
