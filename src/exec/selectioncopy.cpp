// Selection copy and clipboard paste with event-loop-friendly waits.
#include "exec/selectioncopy.h"

#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "platform/clipboard.h"
#include "platform/desktopwindows.h"
#include "platform/keysender.h"
#include "platform/waiter.h"

namespace vantrelo {

namespace {

constexpr int kForegroundStepMs = 50;
constexpr int kForegroundChecks = 20;
constexpr int kClipboardStepMs = 100;
constexpr int kClipboardChecks = 30;

} // namespace

// A line break becomes one blank: the lines' words never run together.
QString FlattenClipText(const QString& text) { return ReplaceLineBreaks(TrimText(text), QStringLiteral(" ")); }

bool WaitForForeignForeground(TExecContext& ctx) {
    TDesktopWindows& windows = *ctx.services.windows;
    return ctx.services.waiter->WaitUntil(
        [&windows] {
            const quint64 w = windows.ForegroundWindow();
            return w != 0 && !windows.IsOwnWindow(w);
        },
        kForegroundStepMs, kForegroundChecks);
}

namespace {

TCopyOutcome CopyFromForeignWindow(TExecContext& ctx, bool cut, bool keepClipboard) {
    const TExecServices& s = ctx.services;
    if (!WaitForForeignForeground(ctx))
        return {};
    TClipboard& clip = *s.clipboard;
    const std::unique_ptr<TClipboardContent> saved = keepClipboard ? clip.Save() : nullptr;
    // Notices of earlier changes still queued must not pass for the copy's.
    s.waiter->ProcessPendingEvents();
    const quint64 before = clip.ChangeCount();
    s.keys->SendChord(cut ? kVkX : kVkC, kModCtrl);
    const bool changed = s.waiter->WaitUntil([&clip, before] { return clip.ChangeCount() != before; },
                                             kClipboardStepMs, kClipboardChecks);
    if (!changed)
        return {}; // never the old clipboard text in place of a selection that did not arrive
    TCopyOutcome outcome{true, FlattenClipText(clip.Text())};
    if (saved)
        clip.Restore(*saved);
    return outcome;
}

} // namespace

TCopyOutcome CopySelection(TExecContext& ctx, bool cut, bool keepClipboard) {
    const TExecServices& s = ctx.services;
    if (s.windows->ProgramIsActive()) {
        TCopyOutcome own{true, FlattenClipText(s.input->SelectedInputText())};
        if (!keepClipboard)
            s.input->CopyInputSelection(cut);
        return own;
    }
    return CopyFromForeignWindow(ctx, cut, keepClipboard);
}

TCopyOutcome CopyForeignSelection(TExecContext& ctx) { return CopyFromForeignWindow(ctx, false, false); }

bool PasteClipboard(TExecContext& ctx) {
    const TExecServices& s = ctx.services;
    if (s.windows->ProgramIsActive()) {
        s.input->PasteIntoInput();
        return true;
    }
    if (!WaitForForeignForeground(ctx))
        return false;
    s.keys->SendChord(kVkV, kModCtrl);
    s.waiter->ProcessPendingEvents();
    return true;
}

} // namespace vantrelo
