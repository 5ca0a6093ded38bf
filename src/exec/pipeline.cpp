// DoExecute, command chains, the after-text step and the after-command step.
#include "exec/pipeline.h"

#include "core/history.h"
#include "core/incognito.h"
#include "core/items.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/inputtext.h"
#include "exec/aftertext.h"
#include "exec/internalcommands.h"
#include "exec/launcher.h"
#include "exec/markedtext.h"
#include "exec/pipelinehost.h"
#include "exec/pipelinemarks.h"
#include "platform/scheduler.h"
#include "exec/substitution.h"
#include "platform/clipboard.h"
#include "platform/filesystem.h"
#include "platform/keysender.h"
#include "platform/soundplayer.h"
#include "platform/textsender.h"
#include "platform/waiter.h"
#include "tools/calculator.h"

#include <QDir>
#include <QLocale>

#include <algorithm>

namespace vantrelo {

// One DoExecute call: its request and what it learns on the way.
struct TExecPipeline::TRun : TExecRequest {
    QString histtext;
    std::unique_ptr<TExeWord> item; // a copy: the keyword list may change while this runs
    std::optional<QString> saved;
    QString params;
    bool substFailed = false;
    QString substMessage;
    bool toInput = false;
    std::shared_ptr<TAfterText> after;
};

// A command chain in progress; it lives in the timers that run its next pieces.
struct TExecPipeline::TChain {
    QString text;
    QString params;
    QString histtext;
    std::unique_ptr<TExeWord> parent;
    bool async = false;
    bool nohide = false;
    qint64 total = 0;
    bool executed = false;
    bool forcerunas = false;
    bool iskeydown = false;
    bool forcenohist = false;
    bool forcenosound = false;
    bool sent = false;
};

namespace {

std::unique_ptr<TExeWord> CopyOf(const TExeWord* w) { return w ? std::make_unique<TExeWord>(*w) : nullptr; }

bool HasDigit(const QString& s) {
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

TExecPipeline::TExecPipeline(TExecContext& ctx, const TPipelineServices& services)
    : ctx_(ctx), svc_(services), alive_(std::make_shared<bool>(true)) {}

TExecPipeline::~TExecPipeline() = default;

bool TExecPipeline::DoExecute(const TExecRequest& r) {
    TRun run;
    static_cast<TExecRequest&>(run) = r;
    run.asyncpause = ClampWait(r.asyncpause);
    return Execute(run, nullptr);
}

bool TExecPipeline::Execute(TRun& run, const TMarkedText* markedInput) {
    const TSettings& s = ctx_.settings;
    TPipelineView& view = *svc_.view;
    run.after = std::make_shared<TAfterText>();
    view.StopListTimer();
    chainExtraWait_ = 0;
    chainNoHide_ = false;
    if (!run.ischild)
        parent_.reset();
    const QString shown = run.cmdline.isEmpty() ? view.LineText() : run.cmdline;
    if (shown.startsWith(QLatin1String("->")))
        return false;
    if (run.ischild) {
        if (!run.forcasync)
            run.asyncpause = 0;
    } else {
        report_ = TExecReport();
        if (!run.forcasync)
            run.forcasync = s.dontwait;
    }
    if (!run.ischild && !run.forceSilent)
        SetLineColor(s.textcolor);
    run.histtext = run.cmdline;
    if (!run.ischild && !run.forceSilent)
        view.SelectLine();
    if (!run.ischild && view.CheckMinusCommand(run.cmdline))
        return false;
    const auto isChain = [&s](const QString& t) { return !s.separator.isEmpty() && ContainsText(t, s.separator); };
    if (!run.ischild && isChain(run.cmdline)) {
        RunChain(run.cmdline, nullptr, ParamText(run.cmdline), run);
        return false;
    }
    if (run.ischild &&
        (markedInput ? markedInput->Contains(u"$SKIP$") : ContainsText(run.cmdline, QStringLiteral("$SKIP$"))))
        return true;
    if (markedInput) {
        TMarkedText t = *markedInput;
        RunControlTokens(t, false, ctx_);
        run.cmdline = t.Text();
    } else {
        run.cmdline = RunControlTokens(run.cmdline, false, ctx_);
    }

    // The item: a suggestion the line is bound to, the forced keyword, or the typed keyword. A sent
    // input runs its own text, never what the window shows.
    const auto* fuzzy = run.sent ? nullptr : ItemAs<TMyFuzzyItem>(view.CurrentItem());
    if ((s.autofuzz > 0 || s.autoshort > 0) && fuzzy && !run.forcedexeword) {
        run.cmdline = fuzzy->name;
        run.histtext = fuzzy->name;
        if (const auto* w = ItemAs<TExeWord>(fuzzy->obj.get()))
            run.item = CopyOf(w);
        else if (const auto* shell = ItemAs<TMyShellItem>(fuzzy->obj.get()))
            view.SetCurrentItem(shell->CloneItem());
    } else {
        run.item = CopyOf(run.forcedexeword ? run.forcedexeword : ctx_.keywords.FindKeyword(FirstWord(run.cmdline), true));
    }

    if (run.item && !isChain(run.item->command)) {
        const QString c = run.item->command;
        const QString expanded = TrimText(ctx_.expandCommand(c, true));
        const QString C = TrimLeftText(ApplyDefaultBlocks(expanded, TrimText(ParamText(run.cmdline))));
        if (ctx_.keywords.FindKeyword(FirstWord(C), true)) {
            if (ContainsText(c, QStringLiteral("$SKIP$")))
                return true;
            ForwardLogic(run);
        }
    }

    if (run.ischild || !run.item || !isChain(run.item->command)) {
        run.params = TrimText(ParamText(run.cmdline));
        if (run.saved)
            run.cmdline = *run.saved;
        return RunCases(run);
    }
    const std::unique_ptr<TExeWord> parent = CopyOf(run.item.get());
    RunChain(parent->command, parent.get(), ParamText(run.cmdline), run);
    return false;
}

// A keyword whose command begins with another keyword's name runs that keyword, handing it the
// rest of its command (or its parameters) with the typed parameters put in.
void TExecPipeline::ForwardLogic(TRun& run) {
    const TSettings& s = ctx_.settings;
    const TExeWord& item = *run.item;
    const QString C = TrimLeftText(
        ApplyDefaultBlocks(TrimText(ctx_.expandCommand(item.command, true)), TrimText(ParamText(run.cmdline))));
    const TExeWord* f = ctx_.keywords.FindKeyword(FirstWord(C), true);
    std::unique_ptr<TExeWord> target = CopyOf(f);
    if (run.cmdline.isEmpty())
        run.cmdline = target->DefaultKeyword();
    run.saved = run.cmdline;
    const QString rest = TrimText(ParamText(C));
    bool foundRest = false;
    bool usedParameters = false;
    bool rewrote = false;
    const QString iMark = QStringLiteral("$i$");
    if (s.forwardlogic > 0 && !ContainsText(item.command, iMark) && !ContainsText(run.cmdline, iMark)) {
        if (!rest.isEmpty()) {
            foundRest = true;
            const QString r = TrimLeftText(S(run, rest, ParamText(run.cmdline)));
            if (!r.isEmpty()) {
                run.cmdline = FirstWord(run.cmdline) + u' ' + r;
                rewrote = true;
            }
        } else if (!TrimText(item.parameters).isEmpty()) {
            usedParameters = true;
            const QString p = TrimLeftText(S(run, item.parameters, TrimText(ParamText(run.cmdline))));
            if (!p.isEmpty()) {
                run.cmdline = FirstWord(run.cmdline) + u' ' + p;
                rewrote = true;
            }
        }
    }
    if (!rewrote) {
        const auto noParams = [&run] { return TrimText(ParamText(run.cmdline)).isEmpty(); };
        if (noParams() && !foundRest)
            run.cmdline = TrimRightText(run.cmdline) + u' ' +
                        TrimLeftText(S(run, item.parameters, TrimText(ParamText(run.cmdline))));
        if (noParams() && !rest.isEmpty() && !usedParameters)
            run.cmdline = TrimRightText(run.cmdline) + u' ' + S(run, rest, TrimText(ParamText(run.cmdline)));
    }
    run.item = std::move(target);
}

bool TExecPipeline::RunCases(TRun& run) {
    const TSettings& s = ctx_.settings;
    TPipelineView& view = *svc_.view;
    const TItem* current = run.sent ? nullptr : view.CurrentItem();
    const bool free = !run.forcedexeword;
    if (free && svc_.tags && svc_.tags->IsTag(run.cmdline)) {
        view.ProcessInput(TInputRequest::ShowForInput, QString(), false);
        return false;
    }
    if (const auto* clip = ItemAs<TMyClipItem>(current); clip && free) {
        const TMyClipItem copy = *clip;
        ExecuteClipItem(copy);
        Finish(run);
        return false;
    }
    if (const auto* window = ItemAs<TMyWindowItem>(current); window && free) {
        view.ActivateWindow(window->hand);
        view.ResetCurrentSearch(true);
        Finish(run);
        return false;
    }
    if (const auto* shell = ItemAs<TMyShellItem>(current); shell && free) {
        const TMyShellItem copy = *shell;
        const bool ok = svc_.launcher->LaunchIndexedItem(copy, run.forcerunas) >= kLaunchDone;
        if (!ok) {
            Fail(!run.ischild);
        } else if (!run.ischild) {
            if (!s.noindexhist)
                AddToHistory(run.histtext, std::make_unique<TMyShellItem>(copy), run.forcenohist);
            Aftercommand(run.forcenosound);
        }
        Finish(run);
        return ok;
    }
    if (free && !run.cmdline.isEmpty() && StartsWithCalcChar(s, run.cmdline)) {
        ExecuteCalculation(run, false);
        Finish(run);
        return false;
    }
    if (free && IsUrl(run.cmdline))
        return LaunchTyped(run, TrimText(run.cmdline), QString(), s.urlmaxed ? kShowMaximized : kShowNormal, false);
    if (free) {
        const QString expanded = ctx_.expandCommand(run.cmdline, false);
        if (IsPath(expanded))
            return LaunchTyped(run, TrimText(expanded), QString(), kShowNormal, false);
    }
    if (run.item)
        return ExecuteKeyword(run);
    const QString trimmed = TrimText(run.cmdline);
    if (!run.ischild && s.autocalc && !trimmed.isEmpty() && HasDigit(trimmed) && IsCalculation(s, trimmed)) {
        ExecuteCalculation(run, true);
        Finish(run);
        return false;
    }
    if (run.ischild) {
        const QString r = TrimText(s.resolveindexed);
        if (!SameText(r, QStringLiteral("off")) && r != QLatin1String("0")) {
            if (const TMyShellItem* found = svc_.launcher->FindIndexedByName(run.cmdline)) {
                const TMyShellItem copy = *found;
                return svc_.launcher->LaunchIndexedItem(copy, run.forcerunas) > kLaunchFailed;
            }
        }
    }
    return LaunchTyped(run, TrimText(ctx_.expandCommand(FirstWord(run.cmdline), false)), run.params, kShowNormal, true);
}

bool TExecPipeline::LaunchTyped(TRun& run, const QString& command, const QString& params, int show, bool fallback) {
    TLaunchRequest r;
    r.command = command;
    r.params = params;
    r.show = show;
    r.async = run.forcasync;
    r.fallback = fallback;
    r.elevated = run.forcerunas;
    r.forcebrowser = run.forcebrowser;
    r.asyncpause = run.asyncpause;
    r.parent = parent_.get();
    const int code = svc_.launcher->LaunchCommand(r);
    const bool ok = code >= kLaunchDone;
    if (!ok) {
        Fail(!run.ischild);
    } else if (!run.ischild) {
        AddToHistory(run.histtext, nullptr, run.forcenohist);
        if (code != kLaunchInBrowser)
            Aftercommand(run.forcenosound);
    }
    Finish(run);
    return ok;
}

bool TExecPipeline::ExecuteCalculation(TRun& run, bool byContent) {
    const TSettings& s = ctx_.settings;
    TPipelineView& view = *svc_.view;
    const QString input = byContent ? TrimText(run.cmdline) : run.cmdline;
    const TCalcExecution e = vantrelo::ExecuteCalculation(s, input, QLocale::system().decimalPoint());
    switch (e.style) {
    case TCalcDisplayStyle::Prefixed:
    case TCalcDisplayStyle::Appended:
        view.SetNewWord(e.lineText, false, true);
        break;
    default:
        view.ShowCalcResult(QLatin1String(kCalcResultTitle), QLatin1String(kCalcResultPrompt), e.answer.text);
        break;
    }
    if (!e.historyEntry.isEmpty())
        AddToHistory(e.historyEntry, nullptr, run.forcenohist);
    if (!run.ischild)
        report_.calculated = e.answer.success;
    return e.answer.success;
}

void TExecPipeline::ExecuteClipItem(const TMyClipItem& item) {
    const TSettings& s = ctx_.settings;
    TPipelineView& view = *svc_.view;
    const TExecServices& sv = ctx_.services;
    view.ChooseClipEntry(item);
    const QString& text = item.clipb;
    view.ClearSuggestions();
    view.SelectLine();
    if (!view.ActivateLastActiveWindow() || !s.clipautopaste)
        return;
    // The paste waits (with the event loop running) until the clipboard really holds the text.
    if (sv.waiter->WaitUntil([&] { return sv.clipboard->HasText() && sv.clipboard->Text() == text; }, 10, 50))
        sv.keys->SendChord(0x56, kModCtrl); // Ctrl+V
}

bool TExecPipeline::ExecuteKeyword(TRun& run) {
    const TSettings& s = ctx_.settings;
    TPipelineView& view = *svc_.view;
    const TExeWord& kw = *run.item;
    if (ContainsText(kw.command, QStringLiteral("$SKIP$"))) {
        Finish(run);
        return true;
    }
    const int show = std::clamp(kw.open, 0, 3);
    QString cmd = kw.command;
    ExtractWaitMarks(cmd);
    const TPasteMarks paste = ParsePasteMarks(cmd);
    run.after->afterwait = paste.afterwait;
    run.after->aftertype = paste.aftertype;

    if (IsSpecialList(cmd)) {
        view.ProcessInput(TInputRequest::ShowForInput, QString(), false);
        if (!TrimText(run.params).isEmpty() && view.LaunchFirstListEntry(true)) {
            TExecRequest best;
            best.cmdline = view.LineText();
            best.forcerunas = view.ShiftHeld();
            best.forcebrowser = view.AltHeld();
            DoExecute(best);
        } else if (s.inputfocusedworkflow == 1 && run.cmdline.isEmpty())
            view.FocusLineAtEnd(TrimText(view.LineText()) + u' ');
        return false;
    }
    if (run.ischild)
        chainNoHide_ = ContainsText(cmd, QStringLiteral("$NOHIDE$")) || IsBrowserCommand(cmd);

    const bool forced = run.forcedexeword != nullptr;
    const TInternalOutcome outcome = svc_.internal->CheckDoInternalCMD(cmd, run.params, run.iskeydown, &kw, false);
    int code = kLaunchDone;
    if (outcome.handled) {
        if (outcome.failed) {
            code = kLaunchFailed;
            if (!outcome.message.isEmpty())
                view.ShowToast(outcome.message);
        }
    } else {
        // The launcher's marks come from the template, never from inserted text.
        QString tmpl = cmd;
        TLaunchRequest r;
        r.marks = TakeLaunchMarks(tmpl);
        r.command = S(run, tmpl, run.params);
        if (!forced)
            r.command = TrimText(r.command);
        r.params = S(run, kw.parameters, run.params);
        if (!forced && !UsesTypedParameters(kw))
            r.params += run.params;
        r.folder = S(run, kw.path, run.params);
        r.show = show;
        r.async = !forced && run.forcasync;
        r.elevated = kw.runas || run.forcerunas;
        r.onlyone = kw.onlyone;
        r.keyword = &kw;
        r.forcebrowser = !forced && run.forcebrowser;
        r.asyncpause = run.asyncpause;
        r.parent = parent_.get();
        if (run.toInput) {
            Finish(run); // the text went to the input line: there is nothing to start
            return false;
        }
        if (run.substFailed) {
            code = kLaunchFailed;
            if (!run.substMessage.isEmpty())
                view.ShowToast(run.substMessage);
        } else {
            code = svc_.launcher->LaunchCommand(r);
        }
    }

    const bool ok = code >= kLaunchDone;
    if (forced && !ok && run.forcenohist)
        view.ShowMessage(QLatin1String(kSeemsBroken));
    if (!ok) {
        Fail(!run.ischild);
    } else if (!forced) {
        if (!outcome.noaddhistory && kw.addtohistory && !run.ischild) {
            const QString typed = TrimText(run.params).isEmpty()
                                      ? FirstWord(run.cmdline)
                                      : TrimText(FirstWord(run.cmdline) + u' ' + ParamText(run.cmdline));
            AddToHistory(typed, nullptr, run.forcenohist);
        }
        if (!outcome.noaftercommand && code != kLaunchInBrowser) {
            if (!run.ischild)
                Aftercommand(run.forcenosound);
            if (run.after->afterwait > 0 && !TrimText(run.params).isEmpty() && !IsBrowserOpen(cmd))
                AfterText(run, run.params, run.after);
        }
    }
    if (!svc_.internal->PendingAfterCommand().isEmpty()) {
        if (ok)
            StartAfterTimer();
        else
            svc_.internal->ClearPendingAfterCommand();
    }
    Finish(run);
    return ok;
}

QString TExecPipeline::S(TRun& run, const QString& text, const QString& params) {
    const TSubstituteResult r = SubstituteParameters(ctx_.expandCommand(text, false), params, ctx_);
    if (r.failed) {
        run.substFailed = true;
        run.substMessage = r.message;
    }
    run.toInput = run.toInput || r.toInput;
    return r.text;
}

void TExecPipeline::AfterText(TRun& run, const QString& params, const std::shared_ptr<TAfterText>& after) {
    ctx_.services.waiter->ProcessPendingEvents();
    after->aftertext = TrimText(params);
    chainExtraWait_ = ClampWait(AfterTextChainWait(*after));
    if (run.ischild && run.asyncpause > 0)
        after->afterwait = ClampWait(after->afterwait + run.asyncpause);
    ScheduleAfterText(*svc_.scheduler, ctx_.services.textSender, svc_.view, alive_, after);
}

void TExecPipeline::StartAfterTimer() {
    const quint64 generation = ++afterTimerGeneration_;
    std::weak_ptr<bool> alive = alive_;
    svc_.scheduler->RunLater(kAfterTimerMs, [this, alive, generation] {
        if (alive.expired() || generation != afterTimerGeneration_)
            return;
        const QString pending = svc_.internal->PendingAfterCommand();
        if (!pending.isEmpty())
            svc_.internal->CheckDoInternalCMDAfter(pending);
    });
}

void TExecPipeline::RunChain(const QString& text, const TExeWord* parent, const QString& chainParams,
                             const TRun& caller) {
    auto chain = std::make_shared<TChain>();
    chain->text = text;
    chain->async = TakeMark(chain->text, QStringLiteral("$ASYNC$"));
    const bool nohide = TakeMark(chain->text, QStringLiteral("$NOHIDE$"));
    chain->nohide = nohide || IsBrowserCommand(chain->text);
    chain->params = chainParams;
    chain->histtext = caller.histtext;
    chain->parent = CopyOf(parent);
    chain->forcerunas = caller.forcerunas;
    chain->iskeydown = caller.iskeydown;
    chain->forcenohist = caller.forcenohist;
    chain->forcenosound = caller.forcenosound;
    chain->sent = caller.sent;
    chainNoHide_ = false;
    parent_ = CopyOf(parent);
    report_.chain = true;
    RunChainPiece(chain);
}

void TExecPipeline::RunChainPiece(const std::shared_ptr<TChain>& chain) {
    const QString& sep = ctx_.settings.separator;
    const qsizetype at = sep.isEmpty() ? -1 : chain->text.indexOf(sep, 0, Qt::CaseInsensitive);
    const bool last = at < 0;
    const QString pieceText = last ? chain->text : chain->text.left(at);
    chain->text = last ? QString() : chain->text.mid(at + sep.size());

    // The piece is substituted once; what the typed parameters put in is never read as a mark.
    TMarkedText piece(ctx_.expandCommand(TrimLeftText(pieceText), false));
    SubstituteTyped(piece, chain->params);
    const qint32 w = ExtractWaitMarks(piece);
    chainExtraWait_ = 0;
    // A command run while the chain waited may have cleared it.
    parent_ = CopyOf(chain->parent.get());

    TRun run;
    run.ischild = true;
    run.cmdline = piece.Text();
    run.forcerunas = chain->forcerunas;
    run.iskeydown = chain->iskeydown;
    run.forcenohist = chain->forcenohist;
    run.forcasync = chain->async;
    run.forcenosound = chain->forcenosound;
    run.sent = chain->sent;
    run.asyncpause = ClampWait(chain->total + w);
    if (Execute(run, &piece))
        chain->executed = true;
    if (chainNoHide_)
        chain->nohide = true;
    if (last) {
        FinishChain(*chain);
        return;
    }
    qint64 delay = 100;
    if (chain->async) {
        if (chainExtraWait_ > 0)
            chain->total = ClampWait(chain->total + chainExtraWait_);
    } else {
        delay = chain->total + w + 100 + std::max<qint32>(chainExtraWait_, 0);
    }
    std::weak_ptr<bool> alive = alive_;
    svc_.scheduler->RunLater(ClampWait(delay), [this, alive, chain] {
        if (!alive.expired())
            RunChainPiece(chain);
    });
}

void TExecPipeline::FinishChain(TChain& chain) {
    bool nohist = chain.forcenohist;
    if (chain.parent && !nohist)
        nohist = !chain.parent->addtohistory;
    report_.chainDone = true;
    report_.chainExecuted = chain.executed;
    if (chain.executed) {
        AddToHistory(chain.histtext, nullptr, nohist);
        if (!chain.nohide)
            Aftercommand(chain.forcenosound);
    } else {
        Fail(true);
        svc_.view->DeselectLine();
    }
    if (lineFailed_ && !chain.forcenosound)
        PlayEventSound(kFailSound);
    parent_.reset();
}

void TExecPipeline::Finish(const TRun& run) {
    if (lineFailed_ && !run.ischild) {
        svc_.view->DeselectLine();
        if (!run.forcenosound)
            PlayEventSound(kFailSound);
    }
    svc_.view->ClearIncognitoFolder();
}

void TExecPipeline::SetLineColor(int colour) {
    lineFailed_ = colour == ctx_.settings.failcolor;
    svc_.view->SetLineColor(colour);
}

void TExecPipeline::Fail(bool clearPending) {
    SetLineColor(ctx_.settings.failcolor);
    lineFailed_ = true;
    // A deferred power or quit command never follows an execution that failed.
    if (clearPending && !svc_.internal->PendingAfterCommand().isEmpty()) {
        svc_.internal->ClearPendingAfterCommand();
        ++afterTimerGeneration_;
    }
}

void TExecPipeline::AddToHistory(const QString& text, std::unique_ptr<TMyShellItem> item, bool forcenohist) {
    const TSettings& s = ctx_.settings;
    const bool suppressed = IncognitoSuppresses(s.incognito, s.incognitoconfig, QStringLiteral("1"));
    svc_.history->AddToHistory(text, std::move(item), forcenohist, suppressed);
    if (!forcenohist && !suppressed && !text.startsWith(QLatin1String("->")) && !TrimText(text).isEmpty())
        report_.history = TrimText(text);
}

void TExecPipeline::Aftercommand(bool forcenosound) {
    const TSettings& s = ctx_.settings;
    TPipelineView& view = *svc_.view;
    if (!forcenosound)
        PlayEventSound(kSuccessSound);
    if (s.autodropdown && s.listbehaveslikedropdown && view.ListWindowExists())
        view.HideListWindow();
    if (s.hide)
        view.HideInputWindow();
    svc_.writer->WriteSettings();
    if (s.close)
        view.CloseProgram();
    if (s.autodropdown && !s.listbehaveslikedropdown && view.ListWindowExists())
        view.ProcessInput(TInputRequest::RefreshSilently, QString::fromUtf16(kAfterCommandSender), true);
}

void TExecPipeline::PlayEventSound(int kind) {
    const TSettings& s = ctx_.settings;
    QString file;
    if (kind == kSuccessSound || kind == kFailSound) {
        if (!s.usesound)
            return;
        file = kind == kSuccessSound ? s.successsound : s.failsound;
    } else if (kind == kAlarmSound) {
        file = s.alarmsound;
    }
    if (TrimText(file).isEmpty())
        return;
    QString path = ctx_.expandCommand(TrimText(file), false);
    if (QDir::isRelativePath(path))
        path = QDir(svc_.programFolder).filePath(path);
    if (ctx_.services.files->FileExists(path))
        ctx_.services.sound->Play(path);
}

} // namespace vantrelo
