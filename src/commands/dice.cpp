// Reading and rolling dice expressions, bounded so that a typo cannot hang the input window.
#include "commands/dice.h"

#include "commands/commandcall.h"
#include "core/text.h"
#include "platform/randomsource.h"

namespace vantrelo {

namespace {

// Splits off the number after the first `sign`; false when it is not a whole number.
bool TakeModifier(QString& p, QChar sign, int& modifier, TDiceRoll& roll) {
    const qsizetype at = p.indexOf(sign);
    if (at < 0)
        return true;
    const QString number = p.mid(at + 1);
    const std::optional<int> n = ReadWholeNumber(number);
    if (!n) {
        roll.error = NotAnIntegerMessage(number);
        roll.notANumber = true;
        return false;
    }
    modifier = sign == QLatin1Char('-') ? -*n : *n;
    p.truncate(at);
    return true;
}

} // namespace

TDiceRoll ParseDice(const QString& param) {
    TDiceRoll roll;
    QString p = param;
    p.remove(QLatin1Char(' '));
    if (!TakeModifier(p, QLatin1Char('+'), roll.modifier, roll) || !TakeModifier(p, QLatin1Char('-'), roll.modifier, roll))
        return roll;
    p = LowerText(p);
    if (const qsizetype d = p.indexOf(QLatin1Char('d')); d >= 0) {
        // A part that cannot be read takes the usual die: one die of six sides.
        roll.count = ReadWholeNumber(p.left(d)).value_or(1);
        roll.sides = ReadWholeNumber(p.mid(d + 1)).value_or(6);
    } else if (!p.isEmpty()) {
        const std::optional<int> s = ReadWholeNumber(p);
        if (!s) {
            roll.error = NotAnIntegerMessage(p);
            roll.notANumber = true;
            return roll;
        }
        roll.sides = *s;
    }
    if (roll.count < 1 || roll.count > kMaxDice)
        roll.error = QStringLiteral("The number of dice must be from 1 to %1").arg(kMaxDice);
    else if (roll.sides < 1 || roll.sides > kMaxDieSides)
        roll.error = QStringLiteral("A die must have from 1 to %1 sides").arg(kMaxDieSides);
    return roll;
}

qint64 RollDice(const TDiceRoll& roll, TRandomSource& random) {
    qint64 sum = roll.modifier;
    for (int i = 0; i < roll.count; ++i)
        sum += qint64(random.Bounded(quint32(roll.sides))) + 1;
    return sum;
}

} // namespace vantrelo
