// Typing, pasting and key-sending commands, and the clipboard's plain-text and rules commands.
#include "commands/builtins.h"
#include "commands/commandhost.h"
#include "commands/dispatcher.h"
#include "commands/windowhost.h"
#include "core/keywordlist.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/injector.h"
#include "exec/inputhost.h"
#include "exec/markedtext.h"
#include "exec/selectioncopy.h"
#include "exec/sendtext.h"
#include "exec/substitution.h"
#include "exec/typeplan.h"
#include "platform/clipboard.h"
#include "platform/desktopwindows.h"
#include "platform/waiter.h"
#include "tools/regexrules.h"

#include <memory>

namespace vantrelo {

namespace {

using B = TCommandBlock;

// Brings the window the input window was summoned over to the front, when the program is the
// active one, and waits until a foreign window has the focus; false, with the call failed, when
// there is no such window (then nothing waits for whichever window takes the focus next: the
// text would go where the user never was) or when none came.
bool SwitchToLastActive(TCommandServices& s, TCommandCall& c) {
    TExecContext& ctx = *s.exec;
    if (ctx.services.windows->ProgramIsActive() && !s.host->ActivateLastActive()) {
        c.Fail(QString::fromLatin1(kNoPreviousWindow));
        return false;
    }
    if (!WaitForForeignForeground(ctx)) {
        c.Fail(InjectMessage(TInjectResult::TargetGone));
        return false;
    }
    return true;
}

void Pause(TExecContext& ctx, int ms) { ctx.services.waiter->WaitUntil([] { return false; }, ms, 1); }

// Fails the call with the words for anything but Done.
void Report(TCommandCall& c, TInjectResult r) {
    if (r != TInjectResult::Done)
        c.Fail(InjectMessage(r));
}

TInjector* InjectorOr(TCommandCall& c, TExecContext& ctx) {
    if (!ctx.services.injector)
        c.Fail(InjectMessage(TInjectResult::TargetGone));
    return ctx.services.injector;
}

void SendText(TCommandServices& s, TCommandCall& c, bool paste, bool enter) {
    TExecContext& ctx = *s.exec;
    TInjector* injector = InjectorOr(c, ctx);
    if (!injector)
        return;
    if (!SwitchToLastActive(s, c))
        return;
    const QString text = PrepareSendText(c.para, c.exw, ctx, s.locale, !paste);
    Report(c, paste ? injector->Paste(text, enter) : injector->Type(text));
}

void PasteHistory(TCommandServices& s, TCommandCall& c, int n) {
    TExecContext& ctx = *s.exec;
    const TClipHistoryView* history = ctx.services.clipHistory;
    if (!history || history->Count() < n)
        return;
    TInjector* injector = InjectorOr(c, ctx);
    if (!injector)
        return;
    if (!SwitchToLastActive(s, c))
        return;
    // The entry is typed as it was copied: its braces are characters, not key names.
    Report(c, injector->Type(LiteralTypeText(history->Entry(n))));
}

// The keyword's parameters with the typed text put in, when that gives anything; else the text.
QString KeywordOrTyped(const TCommandCall& c) {
    if (c.exw) {
        TMarkedText filled(c.exw->parameters);
        SubstituteTyped(filled, c.para);
        if (!TrimText(filled.Text()).isEmpty())
            return filled.Text();
    }
    return c.para;
}

void SendKeys(TCommandServices& s, TCommandCall& c) {
    const QString list = TrimText(KeywordOrTyped(c));
    if (list.isEmpty())
        return;
    if (TInjector* injector = InjectorOr(c, *s.exec))
        Report(c, injector->SendKeys(ParseKeyList(list)));
}

// Pastes `expected`, which is on the clipboard and stays there: the rewritten text is the user's now.
void PasteRewritten(TCommandServices& s, TCommandCall& c, const QString& expected) {
    TExecContext& ctx = *s.exec;
    if (TInjector* injector = InjectorOr(c, ctx)) {
        Report(c, injector->PasteClipboard(expected));
        // The target reads the clipboard while the events run.
        Pause(ctx, 100);
    }
}

enum class TAfter { Nothing, Paste, SwitchAndPaste };

constexpr char kNoClipboardText[] = "No text on the clipboard";

void TextClean(TCommandServices& s, TCommandCall& c, TAfter after) {
    TExecContext& ctx = *s.exec;
    TClipboard& clip = *ctx.services.clipboard;
    if (!clip.HasText()) {
        if (after != TAfter::Nothing)
            c.Fail(QString::fromLatin1(kNoClipboardText));
        return;
    }
    const QString text = clip.Text();
    clip.SetText(text);
    if (after == TAfter::Nothing || text.isEmpty())
        return;
    if (after == TAfter::SwitchAndPaste) {
        if (!SwitchToLastActive(s, c))
            return;
        Pause(ctx, 10);
    }
    PasteRewritten(s, c, text);
}

QString RulesOf(TCommandServices& s, const TCommandCall& c) {
    const QString typed = TrimText(c.para);
    if (!typed.isEmpty())
        return typed;
    return c.exw ? RunControlTokens(c.exw->parameters, true, *s.exec) : QString();
}

void TextRegex(TCommandServices& s, TCommandCall& c, TAfter after) {
    TExecContext& ctx = *s.exec;
    TClipboard& clip = *ctx.services.clipboard;
    const QString rules = RulesOf(s, c);
    if (!HasRegexRules(rules))
        return;
    // Without a text there is nothing to rewrite: whatever else the clipboard holds is not pasted.
    if (!clip.HasText()) {
        if (after != TAfter::Nothing)
            c.Fail(QString::fromLatin1(kNoClipboardText));
        return;
    }
    const TRegexOutcome r = ApplyRegexRules(rules, clip.Text());
    if (!r.ok) {
        // The clipboard keeps what it held, and nothing is pasted.
        c.Fail(r.error);
        return;
    }
    clip.SetText(r.text);
    if (after == TAfter::Nothing || r.text.isEmpty())
        return;
    if (after == TAfter::SwitchAndPaste) {
        if (!SwitchToLastActive(s, c))
            return;
        Pause(ctx, 50);
    }
    PasteRewritten(s, c, r.text);
}

} // namespace

void RegisterTextCommands(TCommandDispatcher& d) {
    TCommandServices& s = d.Services();
    d.SetHandler(B::SendText, [&s](TCommandCall& c) { SendText(s, c, false, false); });
    d.SetHandler(B::SendText2, [&s](TCommandCall& c) { SendText(s, c, true, false); });
    d.SetHandler(B::SendText3, [&s](TCommandCall& c) { SendText(s, c, true, true); });
    d.SetHandler(B::Keys, [&s](TCommandCall& c) { SendKeys(s, c); });
    const B pastes[] = {B::Paste1, B::Paste2, B::Paste3, B::Paste4};
    for (int n = 1; n <= 4; ++n)
        d.SetHandler(pastes[n - 1], [&s, n](TCommandCall& c) { PasteHistory(s, c, n); });
    d.SetHandler(B::TextClean, [&s](TCommandCall& c) { TextClean(s, c, TAfter::Nothing); });
    d.SetHandler(B::TextCleanPaste, [&s](TCommandCall& c) { TextClean(s, c, TAfter::Paste); });
    d.SetHandler(B::TextCleanPaste2, [&s](TCommandCall& c) { TextClean(s, c, TAfter::SwitchAndPaste); });
    d.SetHandler(B::TextRegex, [&s](TCommandCall& c) { TextRegex(s, c, TAfter::Nothing); });
    d.SetHandler(B::TextRegexPaste, [&s](TCommandCall& c) { TextRegex(s, c, TAfter::SwitchAndPaste); });
    d.SetHandler(B::TextRegexPaste2, [&s](TCommandCall& c) { TextRegex(s, c, TAfter::Paste); });
}

} // namespace vantrelo
