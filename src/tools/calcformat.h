// Formatting a calculation result with the user's printf-style pattern (`calcformat`).
#pragma once

class QString;

namespace vantrelo {

inline constexpr char kDefaultCalcFormat[] = "%.10g";

// Writes `value` through `pattern`, which is interpreted, never handed to printf: literal text
// around one conversion %[flags -+ 0][width][.precision][l]g|G|f|F|e|E|d|i ("%%" is a percent
// sign). Any other pattern falls back to kDefaultCalcFormat. "." in the number becomes
// `decimalPoint`; an infinity is written "Infinity", NaN "NaN".
QString FormatCalcValue(const QString& pattern, double value, const QString& decimalPoint);

} // namespace vantrelo
