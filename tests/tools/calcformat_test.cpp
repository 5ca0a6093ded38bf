// The result pattern: the safe printf subset, fallbacks, special values and the decimal point.
#include "tools/calcformat.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantrelo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TFormatCase {
    const char* pattern;
    double value;
    const char* expected;
};

const TFormatCase kFormats[] = {
    {"%.10g", 14, "14"},
    {"%.10g", 0.1 + 0.2, "0.3"},
    {"%.10g", 1e20, "1e+20"},
    {"%.10g", -0.0, "0"},
    {"%g", 1234567, "1.23457e+06"},
    {"%G", 1e20, "1E+20"},
    {"%.2f", 3.14159, "3.14"},
    {"%f", 1.5, "1.500000"},
    {"%lf", 1.5, "1.500000"},
    {"= %.3e", 1234.6, "= 1.235e+03"},
    {"%d", 7.9, "7"},
    {"%i", -7.9, "-7"},
    {"%.3d", 7, "007"},
    {"%5d", 42, "   42"},
    {"%-5d|", 42, "42   |"},
    {"%05.1f", 3.14159, "003.1"},
    {"%05.1f", -3.14159, "-03.1"},
    {"%+g", 2, "+2"},
    {"% g", 2, " 2"},
    {"%%%.1f%%", 50, "%50.0%"},
    {"%.10g", kNaN, "NaN"},
    {"%.2f", kInf, "Infinity"},
    {"%.2f", -kInf, "-Infinity"},
    {"%8g", kInf, "Infinity"},
    // Anything outside the subset falls back to the default "%.10g".
    {"%s", 2.5, "2.5"},
    {"%n", 2.5, "2.5"},
    {"%x", 2.5, "2.5"},
    {"%*d", 2.5, "2.5"},
    {"%.2f %.2f", 2.5, "2.5"},
    {"abc", 2.5, "2.5"},
    {"", 2.5, "2.5"},
    {"%", 2.5, "2.5"},
    {"%.100f", 2.5, "2.5"},
    {"%100f", 2.5, "2.5"},
    {"%s%s%s%s%n", 2.5, "2.5"},
};

class CalcFormat : public ::testing::TestWithParam<TFormatCase> {};

TEST_P(CalcFormat, WritesThePatternOrTheDefault) {
    const TFormatCase& c = GetParam();
    EXPECT_EQ(FormatCalcValue(QString::fromLatin1(c.pattern), c.value, QStringLiteral(".")),
              QString::fromLatin1(c.expected))
        << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(Table, CalcFormat, ::testing::ValuesIn(kFormats));

TEST(CalcFormatLocale, DecimalPointReplacesOnlyTheNumbersPoint) {
    EXPECT_EQ(FormatCalcValue(QStringLiteral("v.%.1f."), 3.5, QStringLiteral(",")), QStringLiteral("v.3,5."));
    EXPECT_EQ(FormatCalcValue(QStringLiteral("%.10g"), 1.5e-20, QStringLiteral(",")), QStringLiteral("1,5e-20"));
}

TEST(CalcFormatLocale, WidestNumberFitsWhole) {
    const QString s = FormatCalcValue(QStringLiteral("%.99f"), 1e308, QStringLiteral("."));
    EXPECT_EQ(s.size(), 309 + 1 + 99);
    EXPECT_TRUE(s.startsWith(QStringLiteral("1000")));
}

} // namespace
} // namespace vantrelo
