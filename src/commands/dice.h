// Dice expressions for "$ROLL$": "NdS", "S" or nothing, each with an optional "+m" or "-m".
#pragma once

#include <QString>

namespace vantrelo {

class TRandomSource;

inline constexpr int kMaxDice = 1000;
inline constexpr int kMaxDieSides = 1000000;

struct TDiceRoll {
    int count = 1;
    int sides = 6;
    int modifier = 0;
    QString error;        // set when the expression cannot be rolled
    bool notANumber = false; // the error is a part that must be a whole number and is not
    bool Ok() const { return error.isEmpty(); }
};

TDiceRoll ParseDice(const QString& param);
// The sum of the dice plus the modifier.
qint64 RollDice(const TDiceRoll& roll, TRandomSource& random);

} // namespace vantrelo
