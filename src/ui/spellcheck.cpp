// Hunspell behind the spell-checker seam, and the highlighter that underlines unknown words.
#include "ui/spellcheck.h"

#include "ui/windowlogic.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

namespace vantrelo {

namespace {

// Dictionaries name their character set as "ISO8859-1"; Qt knows it as "ISO-8859-1".
QByteArray EncodingName(const std::string& name) {
    QByteArray n = QByteArray::fromStdString(name).trimmed().toUpper();
    if (n.startsWith("ISO8859"))
        n.insert(3, '-');
    return n.isEmpty() ? QByteArrayLiteral("UTF-8") : n;
}

class THunspellChecker final : public TSpellChecker {
public:
    THunspellChecker(const QString& aff, const QString& dic)
        : speller_(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData()),
          encoder_(EncodingName(speller_.get_dict_encoding()).constData()) {}

    bool Correct(const QString& word) const override {
        // A word the dictionary's character set cannot hold is not the dictionary's to judge.
        QStringEncoder encoder(encoder_.isValid() ? encoder_.name() : "UTF-8");
        const QByteArray bytes = encoder.encode(word);
        if (encoder.hasError())
            return true;
        return speller_.spell(std::string(bytes.constData(), size_t(bytes.size())));
    }

private:
    mutable Hunspell speller_;
    QStringEncoder encoder_;
};

QString DictionaryFolder() { return QStringLiteral("/usr/share/hunspell"); }

} // namespace

std::unique_ptr<TSpellChecker> MakeHunspellChecker(const QString& language) {
    const QDir folder(DictionaryFolder());
    QStringList names{language, language.section(u'_', 0, 0), QStringLiteral("en_US")};
    const QStringList installed = folder.entryList({QStringLiteral("*.dic")}, QDir::Files, QDir::Name);
    for (const QString& d : installed)
        names.push_back(QFileInfo(d).completeBaseName());
    for (const QString& name : names) {
        if (name.isEmpty())
            continue;
        const QString dic = folder.filePath(name + QStringLiteral(".dic"));
        const QString aff = folder.filePath(name + QStringLiteral(".aff"));
        if (QFileInfo::exists(dic) && QFileInfo::exists(aff))
            return std::make_unique<THunspellChecker>(aff, dic);
    }
    return nullptr;
}

TSpellHighlighter::TSpellHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void TSpellHighlighter::SetChecker(const TSpellChecker* checker) {
    if (checker == checker_)
        return;
    checker_ = checker;
    rehighlight();
}

void TSpellHighlighter::highlightBlock(const QString& text) {
    if (!checker_)
        return;
    QTextCharFormat wrong;
    wrong.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    wrong.setUnderlineColor(Qt::red);
    for (const TWordSpan& w : SpellWords(text))
        if (!checker_->Correct(text.mid(w.start, w.length)))
            setFormat(w.start, w.length, wrong);
}

} // namespace vantrelo
