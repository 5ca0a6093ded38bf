// Prefixes, answer texts, display styles and detection of calculations.
#include "tools/calculator.h"

#include "core/settings.h"
#include "core/text.h"
#include "tools/calcformat.h"
#include "tools/microcalc.h"

#include <cmath>
#include <cstdint>

namespace vantrelo {

namespace {

TCalcAnswer Failure(const QString& text) {
    return {text, false};
}

TCalcAnswer ErrorAt(int position) {
    return Failure(QLatin1String(kCalcErrorAt) + QString::number(position));
}

bool TakePrefix(QString& text, char16_t lower) {
    if (text.isEmpty() || text.at(0).toLower() != QChar(lower))
        return false;
    text.remove(0, 1);
    return true;
}

// "x=N rest": N (from the third character up to the first space) becomes X and the text
// keeps only "rest". False when there is no space or N is no number.
bool TakeVariable(QString& text, double& x) {
    const qsizetype space = text.indexOf(u' ');
    if (space < 2)
        return false;
    QString number = text.mid(2, space - 2);
    number.replace(u',', u'.');
    double value = 0.0;
    if (!ReadCalcNumber(number, value))
        return false;
    x = value;
    text.remove(0, space + 1);
    return true;
}

// Halves go to the even neighbour; values too large to carry four decimals stay as they are.
double RoundFourDecimals(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 1.0e11)
        return v;
    return std::nearbyint(v * 10000.0) / 10000.0;
}

constexpr double kTwo63 = 9223372036854775808.0;
constexpr double kTwo32 = 4294967296.0;
constexpr double kTwo31 = 2147483648.0;

// Negative values are written as their two's complement, as a programmer's calculator does.
TCalcAnswer Hexadecimal(double v) {
    const double t = std::trunc(v);
    if (!(t >= -kTwo63 && t < kTwo63))
        return Failure(QLatin1String(kCalcOutOfRange));
    const auto bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(t));
    return {QString::number(bits, 16).toUpper(), true};
}

TCalcAnswer Binary(double v) {
    const double t = std::trunc(v);
    if (!(t >= -kTwo31 && t < kTwo32))
        return Failure(QLatin1String(kCalcOutOfRange));
    const auto bits = static_cast<std::uint32_t>(static_cast<std::int64_t>(t));
    return {QString::number(bits, 2), true};
}

} // namespace

TCalcAnswer CalcText(const TSettings& s, const QString& expression, double x, const QString& decimalPoint) {
    bool success = true;
    QString text = TrimText(expression);
    const bool round = TakePrefix(text, u'c');
    const bool hex = TakePrefix(text, u'h');
    const bool bin = TakePrefix(text, u'b');
    if (!text.isEmpty() && text.at(0).toLower() == u'x' && !TakeVariable(text, x)) {
        // "X+1" is an expression, not a variable prefix: it is evaluated with X = 0 but does
        // not count as a calculation.
        x = 0.0;
        success = false;
    }
    if (text.isEmpty())
        return Failure(QLatin1String(kCalcNoInput));

    const TCalcResult r = Calculate(text, x);
    if (r.errorPos == kCalcEmpty)
        return Failure(QLatin1String(kCalcNoInput));
    if (r.errorPos == kCalcUnbalanced)
        return ErrorAt(UnbalancedPosition(text));
    if (r.errorPos > 0)
        return ErrorAt(r.errorPos);

    const double value = round ? RoundFourDecimals(r.value) : r.value;
    TCalcAnswer answer;
    if (hex)
        answer = Hexadecimal(value);
    else if (bin)
        answer = Binary(value);
    else
        answer.text = FormatCalcValue(s.calcformat, value, decimalPoint);
    answer.success = answer.success && success;
    return answer;
}

bool StartsWithCalcChar(const TSettings& s, const QString& input) {
    return !s.calcchar.isEmpty() && input.startsWith(s.calcchar.at(0));
}

bool IsCalculation(const TSettings& s, const QString& text) {
    if (!s.autocalc || TrimText(text).isEmpty())
        return false;
    bool digit = false;
    for (QChar c : text)
        digit = digit || (c >= u'0' && c <= u'9');
    return digit && CalcText(s, text, 2.0).success;
}

TCalcExecution ExecuteCalculation(const TSettings& s, const QString& input, const QString& decimalPoint) {
    const bool prefixed = StartsWithCalcChar(s, input);
    TCalcExecution e;
    e.answer = CalcText(s, prefixed ? input.mid(1) : input, 0.0, decimalPoint);
    const QString calcChar = s.calcchar.left(1);
    switch (s.calcdisplaystyle) {
    case 1:
        e.style = TCalcDisplayStyle::Prefixed;
        e.lineText = calcChar + e.answer.text;
        break;
    case 2:
        e.style = TCalcDisplayStyle::Appended;
        e.lineText = input + QStringLiteral(" = ") + e.answer.text;
        break;
    default:
        e.style = TCalcDisplayStyle::PopUp;
        e.lineText = input;
        break;
    }
    if (e.answer.success && s.addcalculationtohistory)
        e.historyEntry = prefixed ? input : calcChar + input;
    return e;
}

QString CalcTitle(const TSettings& s, const QString& input, const QString& decimalPoint) {
    if (StartsWithCalcChar(s, input))
        return CalcText(s, input.mid(1), 2.0, decimalPoint).text;
    if (IsCalculation(s, input))
        return CalcText(s, input, 2.0, decimalPoint).text;
    return QString();
}

QString CalcSubtitle(const TSettings& s, const QString& entry, const QString& decimalPoint) {
    if (!StartsWithCalcChar(s, entry))
        return QString();
    return QLatin1String(kCalcSubtitlePrefix) + CalcText(s, entry.mid(1), 2.0, decimalPoint).text;
}

} // namespace vantrelo
