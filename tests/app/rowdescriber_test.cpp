// Row descriptions: each kind of entry, the full-path settings and the suggestion prefix.
#include "app/rowdescriber.h"

#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

class RowDescriber : public ::testing::Test {
protected:
    RowDescriber() {
        auto notes = MakeNewKeyword("notes", "/usr/bin/notes", QString());
        notes->comment = "Write things down";
        notes->group = "office";
        keywords.Add(std::move(notes));
        keywords.Add(MakeNewKeyword("bare", "/usr/bin/bare-tool", QString()));
        tags.Build(keywords);
        probe.typeName = [](const QString& path) {
            if (path.startsWith("/usr/bin/"))
                return QString("Program");
            return path.endsWith(".txt") ? QString("Plain text document") : QString("Folder");
        };
        probe.programPath = [](const QString& name) { return name == "gimp" ? QString("/usr/bin/gimp") : QString(); };
    }
    QString Of(const QString& text, const TItem* item = nullptr, TDescribeFor where = TDescribeFor::List) {
        return TRowDescriber(settings, keywords, tags, probe).Describe(text, item, where);
    }
    TSettings settings;
    TKeywordList keywords;
    TTagList tags;
    TRowDescribeProbe probe;
};

TEST_F(RowDescriber, TextsWithoutAnItemAreToldByWhatTheyAre) {
    const struct {
        const char* text;
        const char* description;
    } cases[] = {
        {"notes", "Write things down"},        // a keyword: its comment
        {"notes tomorrow", "Write things down"}, // with a parameter
        {"bare", ""},                          // a keyword without a comment shows none, never its command
        {"office", "Tag"},
        {"#2*21", "Calculator result: 42"},
        {"-k", "Open keyword editor"},         // a dash command's help line
        {"-nosuchoption", ""},
        {"https://example.org/a", "Web address"},
        {"www.example.org", "Web address"},
        {"example.org", "Web address"},
        {"mailto:ann@example.org", "Email"},
        {"ms-settings:display", "System settings"},
        {"\\\\server\\share", "Network path"},
        {"/home/ann/todo.txt", "Plain text document"},
        {"~/Music", "Folder"},
        {"gimp picture.png", "Program"},       // a program on the search path: its file's type
        {"just words", ""},
        {"===== History =====", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Of(c.text), c.description) << c.text;
}

TEST_F(RowDescriber, ItemsAreToldByTheirKind) {
    TMyWindowItem window;
    window.name = "Inbox - Mail";
    window.moreinfo = "Process id: 42";
    EXPECT_EQ(Of("Inbox - Mail", &window), "Application");

    TMyClipItem clip;
    clip.clipb = "copied";
    clip.ts = QDateTime(QDate(2026, 3, 4), QTime(13, 5, 9));
    EXPECT_EQ(Of("copied", &clip), "13:05:09 - 2026-03-04");

    TExeWord word;
    word.keywords = "mail";
    word.command = "thunderbird";
    word.comment = "Read mail";
    EXPECT_EQ(Of("anything", &word), "Read mail");
}

TEST_F(RowDescriber, IndexedItemsShowTitleOrFullPathAsTheSettingsSayPerWindow) {
    TMyShellItem shell;
    shell.name = "Report";
    shell.path = "/home/ann/report.pdf";
    shell.title = "Quarterly numbers";
    const struct {
        bool list, main;
        const char* inList;
        const char* inInput;
    } cases[] = {
        {false, false, "Quarterly numbers", "Quarterly numbers"},
        {true, false, "/home/ann/report.pdf", "Quarterly numbers"},
        {false, true, "Quarterly numbers", "/home/ann/report.pdf"},
    };
    for (const auto& c : cases) {
        settings.fullpathlist = c.list;
        settings.fullpathmain = c.main;
        EXPECT_EQ(Of("Report", &shell, TDescribeFor::List), c.inList);
        EXPECT_EQ(Of("Report", &shell, TDescribeFor::Input), c.inInput);
    }
    shell.title.clear();
    settings.fullpathlist = false;
    EXPECT_EQ(Of("Report", &shell), "/home/ann/report.pdf");
}

TEST_F(RowDescriber, ASuggestionNamesTheSuggestedEntryFirst) {
    TMyFuzzyItem fuzzy;
    fuzzy.name = "Report";
    auto shell = std::make_unique<TMyShellItem>();
    shell->path = "/home/ann/report.pdf";
    shell->title = "Quarterly numbers";
    fuzzy.obj = std::move(shell);
    EXPECT_EQ(Of("rep", &fuzzy), "[Report] - Quarterly numbers");

    auto word = std::make_unique<TExeWord>();
    word->keywords = "notes";
    word->comment = "Write things down";
    fuzzy.name = "notes";
    fuzzy.obj = std::move(word);
    EXPECT_EQ(Of("nts", &fuzzy), "[notes] - Write things down");
}

} // namespace
} // namespace vantrelo
