// The evaluator's grammar and functions, the answer texts with their prefixes, and the display.
#include "core/settings.h"
#include "tools/calculator.h"
#include "tools/microcalc.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace vantrelo {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TEvalCase {
    const char* expression;
    double x;
    double value;  // compared only when errorPos is 0
    int errorPos;
};

const TEvalCase kEvaluations[] = {
    {"2*(3+4)", 0, 14, 0},
    {"1,5*2", 0, 3, 0},
    {".5+.5", 0, 1, 0},
    {"2 3", 0, 23, 0},
    {"+cos(0)", 0, 1, 0},
    {"(cos(0))", 0, 1, 0},
    {"10-2-3", 0, 5, 0},
    {"2*-3", 0, -6, 0},
    {"2--3", 0, 5, 0},
    {"8/2/2", 0, 2, 0},
    // Powers: left to right, whole powers exact, unary minus binding tighter than "^".
    {"2^3", 0, 8, 0},
    {"2^3^2", 0, 64, 0},
    {"3^40", 0, 12157665459056928801.0, 0},
    {"2^-1", 0, 0.5, 0},
    {"-2^2", 0, 4, 0},
    {"-2^3", 0, -8, 0},
    {"(-8)^(1/3)", 0, kNaN, 0},
    {"0^0", 0, 1, 0},
    {"0^-1", 0, kInf, 0},
    {"2^0.5", 0, std::numbers::sqrt2, 0},
    {"10^400", 0, kInf, 0},
    // Functions read a Factor, with or without parentheses; constants swallow a direct operand.
    {"SQRT16", 0, 4, 0},
    {"sqr3", 0, 9, 0},
    {"abs(-3)", 0, 3, 0},
    {"sin0", 0, 0, 0},
    {"cos(pi)", 0, -1, 0},
    {"arctan1", 0, std::numbers::pi / 4, 0},
    {"ln(e)", 0, 1, 0},
    {"log1000", 0, 3, 0},
    {"exp0", 0, 1, 0},
    {"pi", 0, std::numbers::pi, 0},
    {"PI2", 0, std::numbers::pi, 0},
    {"PI*2", 0, 2 * std::numbers::pi, 0},
    {"2*PI", 0, 2 * std::numbers::pi, 0},
    {"pi-1", 0, std::numbers::pi - 1, 0},
    {"e", 0, std::numbers::e, 0},
    {"1+X", 2, 3, 0},
    {"1+X", 0, 1, 0},
    {"x(5)", 7, 7, 0},
    {"fak5", 0, 120, 0},
    {"fak3.9", 0, 6, 0},
    {"fak0", 0, 1, 0},
    {"fak(-3)", 0, 1, 0},
    {"fak170", 0, 7.257415615307994e306, 0},
    {"fak171", 0, kInf, 0},
    {"fak1E300", 0, kInf, 0},
    {"fak(0/0)", 0, kNaN, 0},
    // Numbers.
    {"1E3", 0, 1000, 0},
    {"1E+3", 0, 1000, 0},
    {"1.5E-3", 0, 0.0015, 0},
    {"1.", 0, 1, 0},
    {"1E400", 0, kInf, 0},
    {"1E-400", 0, 0, 0},
    {"0.000E999999999999", 0, 0, 0},
    {"1E99999999999999999999", 0, kInf, 0},
    {"1E-99999999999999999999", 0, 0, 0},
    {"0.00012E-308", 0, 1.2e-312, 0},
    // IEEE results are answers, not errors.
    {"1/0", 0, kInf, 0},
    {"-1/0", 0, -kInf, 0},
    {"0/0", 0, kNaN, 0},
    {"ln(-1)", 0, kNaN, 0},
    // Errors: where the parse stopped, in the normalised text.
    {"", 0, 0, kCalcEmpty},
    {"+", 0, 0, kCalcEmpty},
    {"(2+3", 0, 0, kCalcUnbalanced},
    {"2+3)", 0, 0, kCalcUnbalanced},
    {"2)3(", 0, 0, 2},
    {"os(0)", 0, 0, 1},
    {"notepad2", 0, 0, 1},
    {"2+", 0, 0, 3},
    {"2+*3", 0, 0, 3},
    {"sin", 0, 0, 4},
    {"abs-3", 0, 0, 4},
    {"--2", 0, 0, 2},
    {"2x3", 0, 0, 2},
    {"()", 0, 0, 2},
    {"1E", 0, 0, 3},
    {"1E+", 0, 0, 4},
    {"2EX", 0, 0, 4},
    {"1..2", 0, 0, 4},
    {"piq", 0, 0, 3},
};

class Evaluator : public ::testing::TestWithParam<TEvalCase> {};

TEST_P(Evaluator, GivesValueOrErrorPosition) {
    const TEvalCase& c = GetParam();
    QString text = QString::fromLatin1(c.expression);
    const TCalcResult r = Calculate(text, c.x);
    ASSERT_EQ(r.errorPos, c.errorPos) << c.expression << " normalised " << text.toStdString();
    if (c.errorPos != 0)
        return;
    if (std::isnan(c.value))
        EXPECT_TRUE(std::isnan(r.value)) << c.expression;
    else
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(Table, Evaluator, ::testing::ValuesIn(kEvaluations));

TEST(EvaluatorNormalising, RewritesTheTextInPlace) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {" 1 + .5", "1+0.5"}, {",5*a", "0.5*A"}, {"+abs(-.1)", "ABS(-0.1)"}, {"++2", "+2"}, {"1..2", "1.0.2"},
    };
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.in);
        Calculate(text, 0);
        EXPECT_EQ(text, QString::fromLatin1(c.out)) << c.in;
    }
}

TEST(EvaluatorLimits, ExactPowersStayWholeAtEveryExponent) {
    for (int e = 0; e <= 62; ++e) {
        QString text = QStringLiteral("2^%1").arg(e);
        EXPECT_EQ(Calculate(text, 0).value, std::ldexp(1.0, e)) << e;
    }
}

TEST(EvaluatorLimits, DeepNestingIsAnErrorNotACrash) {
    const int deep = 100000;
    QString nested = QString(deep, u'(') + QStringLiteral("1") + QString(deep, u')');
    EXPECT_GT(Calculate(nested, 0).errorPos, 0);
    QString functions = QStringLiteral("SQRT").repeated(deep) + QStringLiteral("16");
    EXPECT_GT(Calculate(functions, 0).errorPos, 0);
    QString signs = QStringLiteral("-(").repeated(deep) + QStringLiteral("1") + QString(deep, u')');
    EXPECT_GT(Calculate(signs, 0).errorPos, 0);

    const int fine = kCalcMaxDepth - 1;
    QString allowed = QString(fine, u'(') + QStringLiteral("7") + QString(fine, u')');
    const TCalcResult r = Calculate(allowed, 0);
    EXPECT_EQ(r.errorPos, 0);
    EXPECT_EQ(r.value, 7);
}

TEST(EvaluatorLimits, UnbalancedPositionPointsAtTheFault) {
    EXPECT_EQ(UnbalancedPosition(QStringLiteral("(2+3")), 5);
    EXPECT_EQ(UnbalancedPosition(QStringLiteral("2+3)")), 4);
    EXPECT_EQ(UnbalancedPosition(QStringLiteral("(1))(")), 4);
    EXPECT_EQ(UnbalancedPosition(QStringLiteral("(1)")), 0);
}

struct TAnswerCase {
    const char* expression;
    double x;
    const char* answer;
    bool success;
};

const TAnswerCase kAnswers[] = {
    {"2*(3+4)", 0, "14", true},
    {"  2 * 3  ", 0, "6", true},
    {"0.1+0.2", 0, "0.3", true},
    {"0*-1", 0, "0", true},
    {"h255", 0, "FF", true},
    {"H2^3", 0, "8", true},
    {"h2^62", 0, "4000000000000000", true},
    {"h-1", 0, "FFFFFFFFFFFFFFFF", true},
    {"h1E30", 0, "Error, value out of range", false},
    {"h0/0", 0, "Error, value out of range", false},
    {"b5", 0, "101", true},
    {"b5.9", 0, "101", true},
    {"b0", 0, "0", true},
    {"b-5", 0, "11111111111111111111111111111011", true},
    {"b2^32-1", 0, "11111111111111111111111111111111", true},
    {"b2^32", 0, "Error, value out of range", false},
    {"b1/0", 0, "Error, value out of range", false},
    {"c1/3", 0, "0.3333", true},
    {"c2/3", 0, "0.6667", true},
    {"c1E12/3", 0, "3.333333333e+11", true},
    {"ch255.99999", 0, "100", true},
    {"cos(0)", 0, "Error at position 1", false},
    {"+cos(0)", 0, "1", true},
    {"(cos(0))", 0, "1", true},
    {"(2+3", 0, "Error at position 5", false},
    {"2+3)", 0, "Error at position 4", false},
    {"2)3(", 0, "Error at position 2", false},
    {"2+", 0, "Error at position 3", false},
    {"sin", 0, "Error at position 4", false},
    {"1E", 0, "Error at position 3", false},
    {"", 0, "Error, no input", false},
    {"   ", 0, "Error, no input", false},
    {"c", 0, "Error, no input", false},
    {"+", 0, "Error, no input", false},
    {"1+X", 2, "3", true},
    {"1+X", 0, "1", true},
    {"x=5 1+X", 0, "6", true},
    {"x=5 1+X", 2, "6", true},
    {"X=2,5 X*2", 0, "5", true},
    {"x=-2 X^2", 0, "4", true},
    {"X+1", 2, "1", false},
    {"x=abc 1", 2, "Error at position 2", false},
    {"1/0", 0, "Infinity", true},
    {"-1/0", 0, "-Infinity", true},
    {"0/0", 0, "NaN", true},
    {"2^0.5", 0, "1.414213562", true},
    {"1E20", 0, "1e+20", true},
};

class Answers : public ::testing::TestWithParam<TAnswerCase> {};

TEST_P(Answers, WithDefaultSettings) {
    const TAnswerCase& c = GetParam();
    const TCalcAnswer a = CalcText(TSettings(), QString::fromLatin1(c.expression), c.x);
    EXPECT_EQ(a.text, QString::fromLatin1(c.answer)) << c.expression;
    EXPECT_EQ(a.success, c.success) << c.expression;
}

INSTANTIATE_TEST_SUITE_P(Table, Answers, ::testing::ValuesIn(kAnswers));

TEST(AnswerFormat, FollowsCalcformatAndTheDecimalPoint) {
    TSettings s;
    s.calcformat = QStringLiteral("%.2f EUR");
    EXPECT_EQ(CalcText(s, QStringLiteral("10/4"), 0, QStringLiteral(",")).text, QStringLiteral("2,50 EUR"));
    // Hexadecimal and binary answers ignore the pattern.
    EXPECT_EQ(CalcText(s, QStringLiteral("h10"), 0).text, QStringLiteral("A"));
    s.calcformat = QStringLiteral("%s%n%p");
    EXPECT_EQ(CalcText(s, QStringLiteral("10/4"), 0).text, QStringLiteral("2.5"));
}

TEST(Detection, NeedsAutocalcADigitAndAClearParse) {
    TSettings s;
    const struct {
        const char* text;
        bool calculation;
    } cases[] = {
        {"2+2", true},      {"1+X", true},      {"x=5 1+X", true}, {"(2)", true},  {"notepad2", false},
        {"abc", false},     {"pi*e", false},    {"", false},       {"  ", false},  {"X+1", false},
        {"(2+3", false},    {"192.168.1.1", false}, {"1/0", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCalculation(s, QString::fromLatin1(c.text)), c.calculation) << c.text;
    s.autocalc = false;
    EXPECT_FALSE(IsCalculation(s, QStringLiteral("2+2")));
}

class Display : public ::testing::Test {
protected:
    TSettings s;
};

TEST_F(Display, EachStyleShapesTheInputLine) {
    const struct {
        int style;
        const char* input;
        TCalcDisplayStyle shown;
        const char* line;
    } cases[] = {
        {0, "#2*(3+4)", TCalcDisplayStyle::PopUp, "#2*(3+4)"},
        {1, "#2*(3+4)", TCalcDisplayStyle::Prefixed, "#14"},
        {2, "#2*(3+4)", TCalcDisplayStyle::Appended, "#2*(3+4) = 14"},
        {1, "2*(3+4)", TCalcDisplayStyle::Prefixed, "#14"},
        {2, "2*(3+4)", TCalcDisplayStyle::Appended, "2*(3+4) = 14"},
        {1, "#(2", TCalcDisplayStyle::Prefixed, "#Error at position 3"},
        {7, "#1", TCalcDisplayStyle::PopUp, "#1"},
    };
    for (const auto& c : cases) {
        s.calcdisplaystyle = c.style;
        const TCalcExecution e = ExecuteCalculation(s, QString::fromLatin1(c.input));
        EXPECT_EQ(e.style, c.shown) << c.input;
        EXPECT_EQ(e.lineText, QString::fromLatin1(c.line)) << c.input;
    }
}

TEST_F(Display, ExecutionUsesXZeroAndTheTitleXTwo) {
    EXPECT_EQ(ExecuteCalculation(s, QStringLiteral("#1+X")).answer.text, QStringLiteral("1"));
    EXPECT_EQ(CalcTitle(s, QStringLiteral("#1+X")), QStringLiteral("3"));
    EXPECT_EQ(CalcTitle(s, QStringLiteral("1+X")), QStringLiteral("3"));
    EXPECT_EQ(CalcTitle(s, QStringLiteral("#x=5 1+X")), QStringLiteral("6"));
    EXPECT_EQ(CalcTitle(s, QStringLiteral("#cos(0)")), QStringLiteral("Error at position 1"));
    EXPECT_EQ(CalcTitle(s, QStringLiteral("notepad2")), QString());
    s.autocalc = false;
    EXPECT_EQ(CalcTitle(s, QStringLiteral("1+X")), QString());
    EXPECT_EQ(CalcTitle(s, QStringLiteral("#1+X")), QStringLiteral("3"));
}

TEST_F(Display, HistoryGetsSuccessfulCalculationsWithTheCalcChar) {
    EXPECT_EQ(ExecuteCalculation(s, QStringLiteral("#2+2")).historyEntry, QString());
    s.addcalculationtohistory = true;
    const struct {
        const char* input;
        const char* entry;
    } cases[] = {{"#2+2", "#2+2"}, {"2+2", "#2+2"}, {"#(2", ""}, {"#X+1", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(ExecuteCalculation(s, QString::fromLatin1(c.input)).historyEntry, QString::fromLatin1(c.entry))
            << c.input;
}

TEST_F(Display, OnlyTheFirstCharacterOfCalccharCounts) {
    s.calcchar = QStringLiteral("=>");
    s.calcdisplaystyle = 1;
    EXPECT_TRUE(StartsWithCalcChar(s, QStringLiteral("=1+1")));
    EXPECT_EQ(ExecuteCalculation(s, QStringLiteral("=1+1")).lineText, QStringLiteral("=2"));
    EXPECT_EQ(CalcSubtitle(s, QStringLiteral("=6*7")), QStringLiteral("Calculator result: 42"));
    EXPECT_EQ(CalcSubtitle(s, QStringLiteral("#6*7")), QString());
    s.calcchar.clear();
    EXPECT_FALSE(StartsWithCalcChar(s, QStringLiteral("#1")));
    EXPECT_EQ(CalcTitle(s, QStringLiteral("2+2")), QStringLiteral("4"));
}

} // namespace
} // namespace vantrelo
