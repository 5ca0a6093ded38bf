// A safe reading of printf-style number patterns for calculation results.
#include "tools/calcformat.h"

#include <QString>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace vantrelo {

namespace {

struct TNumberPattern {
    QString before;
    QString after;
    bool left = false;   // "-"
    bool plus = false;   // "+"
    bool space = false;  // " "
    bool zero = false;   // "0"
    int width = 0;
    int precision = -1;  // -1: the conversion's default
    char conversion = 'g';
};

// Reads up to two digits; a third means a size no result needs, so the pattern is refused.
bool ReadSmallNumber(const QString& p, qsizetype& i, int& out) {
    out = 0;
    int digits = 0;
    while (i < p.size() && p.at(i) >= u'0' && p.at(i) <= u'9') {
        if (++digits > 2)
            return false;
        out = out * 10 + (p.at(i).unicode() - u'0');
        ++i;
    }
    return true;
}

bool ReadConversion(const QString& p, qsizetype& i, TNumberPattern& np) {
    for (; i < p.size(); ++i) {
        const char16_t c = p.at(i).unicode();
        if (c == u'-')
            np.left = true;
        else if (c == u'+')
            np.plus = true;
        else if (c == u' ')
            np.space = true;
        else if (c == u'0')
            np.zero = true;
        else
            break;
    }
    if (!ReadSmallNumber(p, i, np.width))
        return false;
    if (i < p.size() && p.at(i) == u'.') {
        ++i;
        if (!ReadSmallNumber(p, i, np.precision))
            return false;
    }
    if (i < p.size() && (p.at(i) == u'l' || p.at(i) == u'L'))
        ++i;
    if (i >= p.size())
        return false;
    const char16_t c = p.at(i).unicode();
    if (!QStringView(u"gGfFeEdi").contains(QChar(c)))
        return false;
    np.conversion = static_cast<char>(c);
    ++i;
    return true;
}

std::optional<TNumberPattern> ParsePattern(const QString& p) {
    TNumberPattern np;
    bool seen = false;
    for (qsizetype i = 0; i < p.size();) {
        const QChar c = p.at(i);
        if (c != u'%' || (i + 1 < p.size() && p.at(i + 1) == u'%')) {
            (seen ? np.after : np.before).append(c);
            i += c == u'%' ? 2 : 1;
            continue;
        }
        if (seen)
            return std::nullopt;
        ++i;
        if (!ReadConversion(p, i, np))
            return std::nullopt;
        seen = true;
    }
    if (!seen)
        return std::nullopt;
    return np;
}

// The digits of |value| as printf in the C locale writes them (never locale-dependent).
QString Digits(const TNumberPattern& np, double magnitude) {
    std::array<char, 512> buf{};
    const char lower = static_cast<char>(np.conversion | 0x20);
    std::to_chars_result r{};
    if (lower == 'f') {
        r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::fixed,
                          np.precision < 0 ? 6 : np.precision);
    } else if (lower == 'e') {
        r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::scientific,
                          np.precision < 0 ? 6 : np.precision);
    } else if (lower == 'g') {
        r = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude, std::chars_format::general,
                          np.precision < 0 ? 6 : std::max(np.precision, 1));
    } else {
        r = std::to_chars(buf.data(), buf.data() + buf.size(), std::trunc(magnitude), std::chars_format::fixed, 0);
    }
    if (r.ec != std::errc())
        return QString();
    QString digits = QString::fromLatin1(buf.data(), r.ptr - buf.data());
    if ((lower == 'd' || lower == 'i') && np.precision > digits.size())
        digits.prepend(QString(np.precision - digits.size(), u'0'));
    if (np.conversion >= 'A' && np.conversion <= 'Z')
        digits = digits.toUpper();
    return digits;
}

QString Apply(const TNumberPattern& np, double value, const QString& decimalPoint) {
    if (value == 0.0)
        value = 0.0;  // no "-0"
    const bool negative = std::signbit(value) && !std::isnan(value);
    QString body;
    if (std::isnan(value))
        body = QStringLiteral("NaN");
    else if (std::isinf(value))
        body = QStringLiteral("Infinity");
    else
        body = Digits(np, std::fabs(value)).replace(u'.', decimalPoint);
    const QString sign = negative ? QStringLiteral("-")
                         : np.plus ? QStringLiteral("+")
                         : np.space ? QStringLiteral(" ")
                                    : QString();
    const qsizetype pad = std::max<qsizetype>(0, np.width - sign.size() - body.size());
    QString number;
    if (np.left)
        number = sign + body + QString(pad, u' ');
    else if (np.zero && std::isfinite(value))
        number = sign + QString(pad, u'0') + body;
    else
        number = QString(pad, u' ') + sign + body;
    return np.before + number + np.after;
}

} // namespace

QString FormatCalcValue(const QString& pattern, double value, const QString& decimalPoint) {
    std::optional<TNumberPattern> np = ParsePattern(pattern);
    if (!np)
        np = ParsePattern(QString::fromLatin1(kDefaultCalcFormat));
    return Apply(*np, value, decimalPoint);
}

} // namespace vantrelo
