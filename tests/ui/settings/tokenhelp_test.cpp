// The keyword fields' token menu: which word the caret completes, what it offers, and the choice.
#include "core/items.h"
#include "core/keywordlist.h"
#include "ui/settings/tokenhelp.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

QStringList Tokens(const QStringList& items) {
    QStringList out;
    for (const QString& i : items)
        out << i.section(u' ', 0, 0);
    return out;
}

class TokenHelp : public ::testing::Test {
protected:
    TokenHelp() {
        Add("notes", "$NOTES$", "My notes");
        Add("notepad", "gedit", "Text editor");
        Add("term", "xterm", "A terminal for notebooks");
        Add("nothing", "true", QString()).disabled = true;
    }
    TExeWord& Add(const char* name, const char* command, const QString& comment) {
        auto w = MakeNewKeyword(name, command, QString());
        w->comment = comment;
        return words.Add(std::move(w));
    }
    TKeywordList words;
};

TEST_F(TokenHelp, TheHelpListStartsWithTheSeparatorAndHoldsEveryTokenOnce) {
    const QStringList lines = TokenHelpList("||");
    EXPECT_EQ(lines.front(), "|| - Command separator");
    EXPECT_EQ(TokenHelpList(";;").front(), ";; - Command separator");
    EXPECT_EQ(Tokens(lines).removeDuplicates(), 0);
    for (const char* t : {"$P$", "$CLIPBOARDTONOTES$", "$WVANTRELO$", "$GAMINGWINOFF$", "%HOME%", "{BR}"})
        EXPECT_TRUE(Tokens(lines).contains(QLatin1String(t))) << t;
}

TEST_F(TokenHelp, TheWordBeforeTheCaretAndWhatItOffers) {
    const TTokenHelp help(words, "||");
    const struct {
        const char* text;
        TTokenField field;
        const char* word;
        QStringList tokens; // empty: check only the word
    } cases[] = {
        {"$PA", TTokenField::Command, "$PA", {"$PASTE2$", "$PASTEx$", "$PASTE$", "$PAUSE$", "$PASSWORD$"}},
        {"$PA", TTokenField::Parameters, "$PA", {"$PASTE$"}},
        {"xterm $PA", TTokenField::Parameters, "$PA", {"$PASTE$"}},
        {"@no", TTokenField::Command, "@no", {"notes", "notepad"}},
        // Keywords by name, comment ("notebooks") or tag, then the help lines holding the word.
        {"|note", TTokenField::Command, "|note",
         {"notes", "notepad", "term", "$CLIPBOARDTONOTES$", "$ALLCLIPBOARDTONOTES$", "$COPYTONOTES$", "$NOTES$"}},
        {"@no", TTokenField::Parameters, "@no", {}},
        {"%HO", TTokenField::StartIn, "%HO", {"%HOME%", "%HOSTNAME%"}},
        // Nothing to offer, or too long: no word, the whole list.
        {"gedit", TTokenField::Command, "", {}},
        {"$ABCDEFGHIJK", TTokenField::Command, "", {}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const TTokenWord w = help.WordBeforeCaret(text, int(text.size()), c.field);
        EXPECT_EQ(w.word, QString::fromUtf8(c.word)) << c.text;
        if (!c.tokens.isEmpty() || w.word.startsWith(u'@')) {
            EXPECT_EQ(Tokens(help.Items(w.word, c.field)), c.tokens) << c.text;
        }
    }
    // No word: the command field offers every line, the others only what they accept.
    EXPECT_EQ(help.Items(QString(), TTokenField::Command).size(), TokenHelpList("||").size());
    const QStringList params = Tokens(help.Items(QString(), TTokenField::Parameters));
    EXPECT_TRUE(params.contains("$P$") && params.contains("$PSE$") && params.contains("%TEMP%"));
    EXPECT_FALSE(params.contains("$NOTES$") || params.contains("||"));
}

TEST_F(TokenHelp, ChoosingReplacesTheWordWithItsDelimiterAndKeepsALeadingSeparator) {
    const TTokenHelp help(words, "||");
    const struct {
        const char* text;
        int caret;
        const char* item;
        const char* after;
        int newCaret;
    } cases[] = {
        {"xterm $PA tail", 9, "$PASTE$ - Press the paste keys", "xterm $PASTE$ tail", 13},
        {"run @no", 7, "notes - My notes", "run notes", 9},
        {"a|no", 4, "notepad - Text editor", "a|notepad", 9},
        {"gedit", 5, "$P$ - Parameters", "gedit$P$", 8},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        const TTokenWord w = help.WordBeforeCaret(text, c.caret, TTokenField::Command);
        int caret = -1;
        EXPECT_EQ(help.Choose(text, w, c.caret, QString::fromUtf8(c.item), &caret), QString::fromUtf8(c.after))
            << c.text;
        EXPECT_EQ(caret, c.newCaret) << c.text;
    }
}

} // namespace
} // namespace vantrelo
