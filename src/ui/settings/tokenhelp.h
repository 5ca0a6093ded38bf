// The token menu of the keyword fields: the help list, the word before the caret and its items.
#pragma once

#include <QString>
#include <QStringList>

namespace vantrelo {

class TKeywordList;

enum class TTokenField { Command = 0, Parameters = 1, StartIn = 2 };

// The help lines, token + " - " + what it does, in the menu's order; the first names `separator`.
QStringList TokenHelpList(const QString& separator);

// The word the menu completes: where it starts in the text and the word itself (trimmed).
struct TTokenWord {
    int start = 0;
    QString word;
};

class TTokenHelp {
public:
    TTokenHelp(const TKeywordList& words, const QString& separator);

    // The word before `caret` in its line, from the nearest delimiter ("$", "%", the separator's
    // first character or "@", included); empty when too long or when it would offer nothing.
    TTokenWord WordBeforeCaret(const QString& text, int caret, TTokenField field) const;
    // The menu's items for a word: keywords (after "@" or the separator, command field only),
    // then the help lines the field accepts.
    QStringList Items(const QString& word, TTokenField field) const;
    // Whether the word would give at least one item (an empty word always does).
    bool Offers(const QString& word, TTokenField field) const;
    // The text after choosing `item` for `word`: its first word replaces the word, a leading
    // separator character kept. `caret` receives the position after the inserted text.
    QString Choose(const QString& text, const TTokenWord& word, int caret, const QString& item, int* newCaret) const;

    QChar SepChar() const { return sep_; }

private:
    void AddItems(const QString& word, TTokenField field, QStringList* out, bool* any) const;

    const TKeywordList& words_;
    QChar sep_;
    QStringList help_;
};

} // namespace vantrelo
