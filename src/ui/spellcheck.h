// Spell checking of the multi-line editor: the checker seam and the underlining of unknown words.
#pragma once

#include <QSyntaxHighlighter>

#include <memory>

namespace vantrelo {

class TSpellChecker {
public:
    virtual ~TSpellChecker() = default;
    virtual bool Correct(const QString& word) const = 0;
};

// A hunspell dictionary from /usr/share/hunspell (the user's language first, then en_US, then any
// installed one); null when none is installed.
std::unique_ptr<TSpellChecker> MakeHunspellChecker(const QString& language);

// Underlines the words the checker does not know; nothing while it has no checker.
class TSpellHighlighter final : public QSyntaxHighlighter {
public:
    explicit TSpellHighlighter(QTextDocument* document);
    void SetChecker(const TSpellChecker* checker);

protected:
    void highlightBlock(const QString& text) override;

private:
    const TSpellChecker* checker_ = nullptr;
};

} // namespace vantrelo
