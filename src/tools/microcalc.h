// The expression evaluator: a recursive-descent parser over doubles with a variable X.
#pragma once

#include <QStringView>

class QString;

namespace vantrelo {

// Error positions besides 1-based parse positions.
enum : int {
    kCalcOk = 0,
    kCalcEmpty = -1,       // nothing left after normalising
    kCalcUnbalanced = -2,  // the counts of "(" and ")" differ
};

struct TCalcResult {
    double value = 0.0;
    // kCalcOk, kCalcEmpty, kCalcUnbalanced, or the 1-based position in the normalised text
    // where the parse stopped.
    int errorPos = kCalcOk;
};

// Nesting deeper than this (parentheses, signs and function operands) is refused as an error
// instead of exhausting the stack.
inline constexpr int kCalcMaxDepth = 100;

// Normalises `expression` in place (spaces removed, "," read as ".", letters upper-cased,
// "0" put before a bare ".", one leading "+" dropped), then evaluates it with X = x.
TCalcResult Calculate(QString& expression, double x);

// Reads a decimal number: digits with an optional "." and exponent, an optional leading sign.
// Too large a number reads as an infinity, too small as 0; anything else that is no number fails.
bool ReadCalcNumber(QStringView text, double& value);

// Where an unbalanced text goes wrong: the first ")" without its "(", else just past the end,
// where a ")" is missing. 0 when the parentheses balance.
int UnbalancedPosition(const QString& normalised);

} // namespace vantrelo
