// Text helpers: simple case mapping, trimming and the decoding of files of unknown encoding.
#include "core/text.h"

#include <QByteArray>
#include <QStringDecoder>

namespace vantrelo {

namespace {

template <typename Map> QString MapCase(const QString& s, Map map) {
    QString out = s;
    const int n = out.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = out.at(i);
        if (c.isHighSurrogate() && i + 1 < n && out.at(i + 1).isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(c, out.at(i + 1));
            const char32_t m = map(cp);
            if (m != cp && QChar::requiresSurrogates(m)) {
                out[i] = QChar(QChar::highSurrogate(m));
                out[i + 1] = QChar(QChar::lowSurrogate(m));
            }
            ++i;
            continue;
        }
        const char32_t m = map(char32_t(c.unicode()));
        if (!QChar::requiresSurrogates(m))
            out[i] = QChar(char16_t(m));
    }
    return out;
}

bool IsBlank(QChar c) { return c.unicode() <= 0x20; }

} // namespace

QString LowerText(const QString& s) {
    return MapCase(s, [](char32_t c) { return QChar::toLower(c); });
}

QString UpperText(const QString& s) {
    return MapCase(s, [](char32_t c) { return QChar::toUpper(c); });
}

bool SameText(const QString& a, const QString& b) {
    return a.size() == b.size() && QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

int CompareText(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive); }

bool ContainsText(const QString& haystack, const QString& needle) {
    return haystack.contains(needle, Qt::CaseInsensitive);
}

bool StartsText(const QString& prefix, const QString& s) { return s.startsWith(prefix, Qt::CaseInsensitive); }

QString TrimText(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s.at(b)))
        ++b;
    while (e > b && IsBlank(s.at(e - 1)))
        --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

QString Unquoted(const QString& s) {
    if (s.size() >= 2 && s.startsWith(u'"') && s.endsWith(u'"'))
        return s.mid(1, s.size() - 2);
    return s;
}

QString TrimLeftText(const QString& s) {
    qsizetype b = 0;
    while (b < s.size() && IsBlank(s.at(b)))
        ++b;
    return b == 0 ? s : s.mid(b);
}

QString TrimRightText(const QString& s) {
    qsizetype e = s.size();
    while (e > 0 && IsBlank(s.at(e - 1)))
        --e;
    return e == s.size() ? s : s.left(e);
}

QString ReplaceText(const QString& s, const QString& from, const QString& to) {
    QString out = s;
    return out.replace(from, to, Qt::CaseInsensitive);
}

QString DecodeWindows1252(const QByteArray& bytes) {
    // 0x80..0x9F differ from Latin-1; undefined positions map to themselves as C1 controls.
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString out;
    out.resize(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

QString DecodeFileText(const QByteArray& bytes, bool* valid) {
    if (valid)
        *valid = true;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(QByteArrayView(bytes.constData() + 3, bytes.size() - 3));
        if (!utf8.hasError())
            return text;
        if (valid)
            *valid = false;
        return DecodeUtf8Lenient(QByteArrayView(bytes.constData() + 3, bytes.size() - 3));
    }
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder dec(QStringDecoder::Utf16LE);
        return dec.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder dec(QStringDecoder::Utf16BE);
        return dec.decode(bytes.mid(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    if (valid)
        *valid = false;
    return DecodeUtf8Lenient(QByteArrayView(bytes));
}

QString DecodeUtf8Lenient(QByteArrayView bytes) {
    // Every well-formed sequence as UTF-8; each byte of a malformed one alone, as Windows-1252
    // reads it (a stray Latin-1 letter stays that letter). Never the whole text in another code page.
    QString out;
    out.reserve(bytes.size());
    const qsizetype n = bytes.size();
    const char* data = bytes.data();
    const auto at = [data](qsizetype i) { return static_cast<unsigned char>(data[i]); };
    const auto cont = [&](qsizetype i) { return i < n && (at(i) & 0xC0) == 0x80; };
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = at(i);
        char32_t cp = 0;
        int len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
            cp = char32_t(b & 0x1F) << 6 | (at(i + 1) & 0x3F);
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
            cp = char32_t(b & 0x0F) << 12 | char32_t(at(i + 1) & 0x3F) << 6 | (at(i + 2) & 0x3F);
            len = (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) ? 0 : 3;
        } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            cp = char32_t(b & 0x07) << 18 | char32_t(at(i + 1) & 0x3F) << 12 | char32_t(at(i + 2) & 0x3F) << 6 |
                 (at(i + 3) & 0x3F);
            len = (cp < 0x10000 || cp > 0x10FFFF) ? 0 : 4;
        }
        if (len == 0) {
            out += DecodeWindows1252(QByteArray(1, char(b)));
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += QChar(QChar::highSurrogate(cp));
            out += QChar(QChar::lowSurrogate(cp));
        } else {
            out += QChar(char16_t(cp));
        }
        i += len;
    }
    return out;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString ReplaceLineBreaks(const QString& s, const QString& with) {
    if (!HasLineBreak(s))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'\r' || c == u'\n') {
            out += with;
            if (c == u'\r' && i + 1 < s.size() && s.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool HasLineBreak(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

} // namespace vantrelo
