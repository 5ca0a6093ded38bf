// "$TIMER$", "$ALARM$", "$STOPWATCH$" and "$REMINDER$": the answers of the time helpers and the reminder line.
#include "commands/builtins.h"
#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"

#include <memory>

namespace vantrelo {

namespace {

const QString kNoLauncher = QStringLiteral("Timers run only in the launcher");

using TTimeCommand = TTimeAnswer (TTimeKeeper::*)(const QString&);

void RunTime(TCommandServices& s, TTimeKeeper* keeper, TTimeCommand command, TCommandCall& c) {
    if (!keeper) {
        c.Fail(kNoLauncher);
        return;
    }
    QString failure;
    const QString p = SubstitutedParam(c, *s.exec, &failure, false);
    if (!failure.isEmpty()) {
        c.Fail(failure);
        return;
    }
    const TTimeAnswer answer = (keeper->*command)(p);
    if (answer.failed)
        c.Fail(TrimText(answer.text));
    s.exec->services.input->SetNewWord(answer.text, true, false);
}

bool ClearingWord(const QString& p) {
    for (const char* word : {"c", "-", "clear", "off", "stop"})
        if (SameText(p, QString::fromLatin1(word)))
            return true;
    return false;
}

void Reminder(TCommandServices& s, TCommandCall& c) {
    const QString p = TrimText(c.para);
    QString& reminder = s.settings->reminder;
    QString answer;
    if (p.isEmpty()) {
        answer = QStringLiteral("Reminder: ") + (reminder.isEmpty() ? QStringLiteral("There is no reminder") : reminder);
    } else if (ClearingWord(p)) {
        answer = QStringLiteral("Reminder(cleared): ") + reminder;
        reminder.clear();
    } else {
        answer = QStringLiteral("Reminder(set): ") + p;
        reminder = p;
    }
    s.exec->services.input->SetNewWord(answer, true, false);
    s.host->SetStatePanel();
    QString error;
    if (!p.isEmpty() && !s.host->WriteSettings(&error))
        c.Fail(error);
}

} // namespace

void RegisterTimeCommands(TCommandDispatcher& d) {
    TCommandServices& s = d.Services();
    const TTimeAccess& t = s.time;
    std::shared_ptr<TTimeKeeper> keeper;
    if (t.wall && t.ticks && t.scheduler && t.notices)
        keeper = std::make_shared<TTimeKeeper>(t, s.locale);
    const auto on = [&](TCommandBlock block, TTimeCommand command) {
        d.SetHandler(block, [&s, keeper, command](TCommandCall& c) { RunTime(s, keeper.get(), command, c); });
    };
    on(TCommandBlock::Timer, &TTimeKeeper::Timer);
    on(TCommandBlock::Alarm, &TTimeKeeper::Alarm);
    on(TCommandBlock::Stopwatch, &TTimeKeeper::Stopwatch);
    d.SetHandler(TCommandBlock::Reminder, [&s](TCommandCall& c) { Reminder(s, c); });
}

} // namespace vantrelo
