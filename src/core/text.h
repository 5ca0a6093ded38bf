// Text helpers shared by every module: case-insensitive comparison, trimming, encodings.
#pragma once

#include <QString>
#include <QStringList>

class QByteArray;

namespace vantrelo {

// Lower-cases with the simple one-to-one Unicode mapping (no expansion such as 'ß' -> "SS").
QString LowerText(const QString& s);
QString UpperText(const QString& s);
bool SameText(const QString& a, const QString& b);
int CompareText(const QString& a, const QString& b);
bool ContainsText(const QString& haystack, const QString& needle);
bool StartsText(const QString& prefix, const QString& s);
// Removes characters <= U+0020 from both ends.
QString TrimText(const QString& s);
QString TrimLeftText(const QString& s);
QString TrimRightText(const QString& s);
// `s` without the pair of double quotes around the whole of it, if there is one.
QString Unquoted(const QString& s);
// Replaces every occurrence of `from`, compared without regard to case.
QString ReplaceText(const QString& s, const QString& from, const QString& to);

// Decodes a file's bytes: UTF-8/UTF-16 by BOM, else UTF-8. Bytes that are not UTF-8 are read one by
// one (DecodeUtf8Lenient) and `valid` is cleared: a caller that would write the text back (the
// notes) refuses to, so such a file is never rewritten changed.
QString DecodeFileText(const QByteArray& bytes, bool* valid = nullptr);
// UTF-8 where the bytes are well-formed; each byte of a malformed sequence alone as Windows-1252.
QString DecodeUtf8Lenient(QByteArrayView bytes);
QString DecodeWindows1252(const QByteArray& bytes);
// Splits at CR LF, LF or CR.
QStringList SplitLines(const QString& text);
// Every line break (CR LF, lone CR, lone LF) replaced by `with`.
QString ReplaceLineBreaks(const QString& s, const QString& with);
bool HasLineBreak(const QString& s);

} // namespace vantrelo
