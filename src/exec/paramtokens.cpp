// Command-line style splitting of parameters and URL encoding.
#include "exec/paramtokens.h"

#include <QByteArray>

namespace vantrelo {

namespace {

bool IsBlank(QChar c) { return c.unicode() < 33; }

// Skips blanks and empty quote pairs; returns the position of the next word or text.size().
qsizetype SkipToWord(const QString& text, qsizetype i) {
    for (;;) {
        while (i < text.size() && IsBlank(text.at(i)))
            ++i;
        if (i + 1 < text.size() && text.at(i) == u'"' && text.at(i + 1) == u'"')
            i += 2;
        else
            return i;
    }
}

} // namespace

QStringList SplitParameters(const QString& text) {
    QStringList words;
    qsizetype i = SkipToWord(text, 0);
    while (i < text.size()) {
        QString word;
        // A backslash right before a double quote makes it a character of the word: a file
        // name with a quote in it stays that file's name.
        const auto escapedQuote = [&text](qsizetype at) {
            return text.at(at) == u'\\' && at + 1 < text.size() && text.at(at + 1) == u'"';
        };
        while (i < text.size() && !IsBlank(text.at(i))) {
            if (escapedQuote(i)) {
                word += u'"';
                i += 2;
            } else if (text.at(i) == u'"') {
                ++i;
                while (i < text.size() && text.at(i) != u'"') {
                    if (escapedQuote(i))
                        ++i;
                    word += text.at(i++);
                }
                if (i < text.size())
                    ++i;
            } else {
                word += text.at(i++);
            }
        }
        words.append(word);
        i = SkipToWord(text, i);
    }
    return words;
}

QString ParameterAt(const QString& text, int index) {
    const QStringList words = SplitParameters(text);
    return index >= 1 && index <= words.size() ? words.at(index - 1) : QString();
}

QString UrlEncodeParam(const QString& text) {
    static const QByteArray kReserved = QByteArrayLiteral(" !\"#$%&'()*+,/:;<=>?@[\\]^`{|}~");
    static const char kHex[] = "0123456789ABCDEF";
    const QByteArray utf8 = text.toUtf8();
    QString out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 || kReserved.contains(ch)) {
            out += u'%';
            out += QLatin1Char(kHex[b >> 4]);
            out += QLatin1Char(kHex[b & 15]);
        } else {
            out += QLatin1Char(ch);
        }
    }
    return out;
}

} // namespace vantrelo
