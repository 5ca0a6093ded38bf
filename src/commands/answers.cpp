// Commands that answer into the input line: addresses, passwords, the time and random numbers.
#include "commands/builtins.h"
#include "commands/dice.h"
#include "commands/dispatcher.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/datetimeformat.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "exec/password.h"
#include "platform/clock.h"
#include "platform/networkinfo.h"
#include "platform/randomsource.h"

namespace vantrelo {

namespace {

void Answer(TCommandServices& s, const QString& text) {
    s.exec->services.input->SetNewWord(text, true, false);
}

void ShowIp(TCommandServices& s, TCommandCall& c) {
    const QStringList ips = s.exec->services.network->LocalIPv4Addresses();
    if (ips.isEmpty()) {
        c.Fail(QStringLiteral("No IPv4 address found"));
        return;
    }
    Answer(s, ips.join(QLatin1String(", ")));
}

void Password(TCommandServices& s, TCommandCall& c) {
    QString p = LowerText(c.para);
    unsigned classes = kPwAllClasses;
    if (p.contains(QLatin1String("no"))) {
        p.remove(QLatin1String("no"));
        classes &= ~unsigned(kPwSpecials);
    }
    p = TrimText(p);
    if (p.isEmpty())
        p = QString::number(kDefaultPasswordLength);
    const std::optional<int> length = ReadWholeNumber(p);
    if (!length) {
        c.Abandon(NotAnIntegerMessage(p));
        return;
    }
    Answer(s, GeneratePassword(*length, classes, *s.exec->services.random));
}

void Random(TCommandServices& s, TCommandCall& c) {
    const QString p = c.para.isEmpty() ? QStringLiteral("100") : c.para;
    const std::optional<int> n = ReadWholeNumber(p);
    if (!n) {
        c.Abandon(NotAnIntegerMessage(p));
        return;
    }
    const quint32 drawn = *n > 0 ? s.exec->services.random->Bounded(quint32(*n)) : 0;
    Answer(s, QString::number(drawn));
}

void Roll(TCommandServices& s, TCommandCall& c) {
    const TDiceRoll dice = ParseDice(c.para);
    if (dice.notANumber) {
        c.Abandon(dice.error);
        return;
    }
    if (!dice.Ok()) {
        c.Fail(dice.error);
        return;
    }
    Answer(s, QString::number(RollDice(dice, *s.exec->services.random)));
}

} // namespace

void RegisterAnswerCommands(TCommandDispatcher& d) {
    TCommandServices& s = d.Services();
    d.SetHandler(TCommandBlock::ShowIp, [&s](TCommandCall& c) { ShowIp(s, c); });
    d.SetHandler(TCommandBlock::Password, [&s](TCommandCall& c) { Password(s, c); });
    d.SetHandler(TCommandBlock::Time, [&s](TCommandCall&) {
        Answer(s, TimeTokenText(s.settings->customtime, s.exec->services.clock->Now(), s.locale));
    });
    d.SetHandler(TCommandBlock::FlipCoin, [&s](TCommandCall&) {
        Answer(s, s.exec->services.random->Bounded(2) == 0 ? QStringLiteral(" -= Heads =-")
                                                            : QStringLiteral(" -= Tails =-"));
    });
    d.SetHandler(TCommandBlock::Random, [&s](TCommandCall& c) { Random(s, c); });
    d.SetHandler(TCommandBlock::Roll, [&s](TCommandCall& c) { Roll(s, c); });
}

} // namespace vantrelo
