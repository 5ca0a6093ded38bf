// Plain match tests of the list sources: prefix, substring and word-start tests, keyword names, tags.
#pragma once

#include <QString>

namespace vantrelo {

class TExeWord;
class TTagList;

// History texts: headers never match; an empty typed text matches all.
bool MatchHistoryText(const QString& typed, const QString& text, bool contains);
// Indexed names: without `contains`, a match at the start of the text or of any word.
bool MatchIndexedName(const QString& typed, const QString& text, bool contains);
// The first of the keyword's names that matches, lower-cased; empty when none does.
QString MatchKeyword(const TExeWord& word, const QString& typed, bool contains);
// The keyword's default name when one of its tags equals the typed text; empty otherwise.
QString MatchKeywordTag(const TExeWord& word, const QString& typed, const TTagList& tags);

} // namespace vantrelo
