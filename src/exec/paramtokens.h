// The parameter tokenizer (command-line style words with double-quote grouping) and URL encoding.
#pragma once

#include <QString>
#include <QStringList>

namespace vantrelo {

// Splits typed parameters like a command line: characters below 33 separate words, double quotes
// group characters (blanks included) and are dropped, \" is a double quote inside a word, and an
// empty "" between words is skipped.
// The launcher builds argument vectors with it; the numbered tokens "$p1$"... read it.
QStringList SplitParameters(const QString& text);
// Word `index` (1-based) of SplitParameters; empty when there are fewer words.
QString ParameterAt(const QString& text, int index);

// UTF-8 percent-encoding for query values: letters, digits, "-", ".", "_" and control characters
// stay, everything else printable or non-ASCII becomes "%XX" (a space is "%20", never "+").
QString UrlEncodeParam(const QString& text);

} // namespace vantrelo
