// The dispatcher: runs the recognised blocks in table order and folds their flags into one outcome.
#include "commands/dispatcher.h"

#include "commands/builtins.h"
#include "commands/commandhost.h"
#include "commands/enclosed.h"
#include "commands/expand.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "platform/power.h"
#include "platform/sessioncontrol.h"

namespace vantrelo {

TCommandDispatcher::TCommandDispatcher(const TCommandServices& services) : s_(services) {
    // Stored now, carried out by CheckDoInternalCMDAfter once the pipeline has finished.
    SetHandler(TCommandBlock::Deferred, [this](TCommandCall& c) { pending_ = c.upper; });
    RegisterAnswerCommands(*this);
    RegisterSystemCommands(*this);
    RegisterSwitchCommands(*this);
    RegisterControlCommands(*this);
    RegisterWindowCommands(*this);
    RegisterTimeCommands(*this);
    RegisterTextCommands(*this);
}

void TCommandDispatcher::SetHandler(TCommandBlock block, TCommandHandler handler) {
    handlers_[size_t(block)] = std::move(handler);
}

bool TCommandDispatcher::HasHandler(TCommandBlock block) const {
    return bool(handlers_[size_t(block)]);
}

void TCommandDispatcher::InstallExpander(TExecContext& ctx) {
    ctx.expandCommand = [this](const QString& text, bool strip) { return ExpandCommandText(text, strip); };
}

QString TCommandDispatcher::ExpandCommandText(const QString& text, bool strip) {
    return vantrelo::ExpandCommandText(text, strip, *s_.exec->services.environment, s_.exeFolder);
}

void TCommandDispatcher::RunBlock(TCommandCall& call) {
    const TCommandHandler& handler = handlers_[size_t(call.row.block)];
    call.handled = call.row.handled;
    call.noafter = call.row.noafter;
    call.nohistory = call.row.nohistory;
    if (handler) {
        handler(call);
        return;
    }
    // Recognised, but its work is not part of this program yet: never report it as done.
    call.noafter = false;
    call.Fail(QString::fromLatin1(kNotAvailable));
}

TInternalOutcome TCommandDispatcher::CheckDoInternalCMD(const QString& mycmdline, const QString& para, bool,
                                                        const TExeWord* exw, bool forcebrowser) {
    const QString upper = UpperText(mycmdline);
    TInternalOutcome out;
    bool nohistory = false;
    bool searchKeepsHistory = false;
    for (const TRecognised& r : RecogniseCommands(mycmdline, forcebrowser)) {
        TCommandCall call{mycmdline, upper, para, exw, forcebrowser, *r.row};
        RunBlock(call);
        if (call.handled)
            out.handled = *call.handled;
        out.noaftercommand = out.noaftercommand || call.noafter;
        nohistory = nohistory || call.nohistory;
        if (call.failed && !out.failed) {
            out.failed = true;
            out.message = call.message;
        }
        if (r.row->block == TCommandBlock::Search && !para.isEmpty())
            searchKeepsHistory = true;
        if (r.row->block == TCommandBlock::Exit)
            searchKeepsHistory = false;
        if (call.abandon)
            break;
    }
    out.noaddhistory = out.handled || nohistory;
    if (searchKeepsHistory)
        out.noaddhistory = false;
    // A power request never outlives an execution that went wrong.
    if (out.failed)
        pending_.clear();
    const TSettings& set = *s_.settings;
    if (out.noaftercommand && set.autodropdown && set.listbehaveslikedropdown)
        s_.host->HideListWindow();
    return out;
}

bool TCommandDispatcher::CheckDoInternalCMDAfter(const QString& mycmdline) {
    pending_.clear();
    const QString masked = MaskEnclosedArguments(UpperText(mycmdline));
    const auto has = [&masked](const char* name) { return masked.contains(QLatin1String(name)); };
    const auto report = [this](const TSystemResult& r) {
        if (!r.ok)
            s_.host->ShowFailure(r.message);
    };
    bool any = false;
    if (has("$LOGOFF$") || has("$SIGNOUT$")) {
        any = true;
        report(s_.power->LogOff());
    }
    if (has("$STANDBY$")) {
        any = true;
        report(s_.power->Suspend());
    }
    if (has("$HIBERNATE$")) {
        any = true;
        report(s_.power->Hibernate());
    }
    if (has("$RESTART$")) {
        any = true;
        report(s_.power->Reboot());
    }
    if (has("$SHUTDOWN$")) {
        any = true;
        report(s_.power->PowerOff());
    }
    if (has("$MONITOR$")) {
        any = true;
        report(s_.session->MonitorOff());
    }
    if (has("$QUIT$")) {
        any = true;
        s_.host->CloseMainWindow();
    }
    return any;
}

} // namespace vantrelo
