// Reading and rolling dice expressions, bounded so that a typo cannot hang the input window.
#include "commands/dice.h"

#include "commands/commandcall.h"
#include "core/text.h"
#include "platform/randomsource.h"

namespace vantrelo {

namespace {

// Splits off the number after the first `sign`; false when it is not a whole number.
bool TakeModifier(QString& p, QChar sign, int& modifier, TDiceSpec& spec) {
    const qsizetype at = p.indexOf(sign);
    if (at < 0)
        return true;
    const QString number = p.mid(at + 1);
    const std::optional<int> n = ReadWholeNumber(number);
    if (!n) {
        spec.error = NotAnIntegerMessage(number);
        spec.notANumber = true;
        return false;
    }
    modifier = sign == QLatin1Char('-') ? -*n : *n;
    p.truncate(at);
    return true;
}

} // namespace

TDiceSpec ParseDice(const QString& param) {
    TDiceSpec spec;
    QString p = param;
    p.remove(QLatin1Char(' '));
    if (!TakeModifier(p, QLatin1Char('+'), spec.modifier, spec) || !TakeModifier(p, QLatin1Char('-'), spec.modifier, spec))
        return spec;
    p = LowerText(p);
    if (const qsizetype d = p.indexOf(QLatin1Char('d')); d >= 0) {
        // A part that cannot be read takes the usual die: one die of six sides.
        spec.count = ReadWholeNumber(p.left(d)).value_or(1);
        spec.sides = ReadWholeNumber(p.mid(d + 1)).value_or(6);
    } else if (!p.isEmpty()) {
        const std::optional<int> s = ReadWholeNumber(p);
        if (!s) {
            spec.error = NotAnIntegerMessage(p);
            spec.notANumber = true;
            return spec;
        }
        spec.sides = *s;
    }
    if (spec.count < 1 || spec.count > kMaxDice)
        spec.error = QStringLiteral("The number of dice must be from 1 to %1").arg(kMaxDice);
    else if (spec.sides < 1 || spec.sides > kMaxDieSides)
        spec.error = QStringLiteral("A die must have from 1 to %1 sides").arg(kMaxDieSides);
    return spec;
}

qint64 RollDice(const TDiceSpec& spec, TRandomSource& random) {
    qint64 sum = spec.modifier;
    for (int i = 0; i < spec.count; ++i)
        sum += qint64(random.Bounded(quint32(spec.sides))) + 1;
    return sum;
}

} // namespace vantrelo
