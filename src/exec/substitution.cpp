// Parameter substitution in one pass over marked template text.
#include "exec/substitution.h"

#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "core/inputtext.h"
#include "exec/markedtext.h"
#include "exec/paramtokens.h"
#include "exec/selectioncopy.h"
#include "platform/clipboard.h"
#include "platform/desktopwindows.h"
#include "platform/filesystem.h"
#include "platform/soundplayer.h"

#include <optional>

namespace vantrelo {

namespace {

constexpr int kNumberedTokens = 10;

QString Numbered(const QString& prefix, int i) { return prefix + QString::number(i) + u'$'; }

void ReplaceNumbered(TMarkedText& t, const QString& prefix, const QString& params, bool encode) {
    if (!t.Contains(prefix))
        return;
    const QStringList words = SplitParameters(params);
    for (int i = 1; i <= kNumberedTokens; ++i) {
        const QString word = i <= words.size() ? words.at(i - 1) : QString();
        t.ReplaceAllWithValue(Numbered(prefix, i), encode ? UrlEncodeParam(word) : word);
    }
}

// The paste marks only steer the pipeline, which reads them before substitution.
void RemovePasteMarks(TMarkedText& t) {
    if (!t.Contains(u"$ps") && !t.Contains(u"$pp"))
        return;
    for (const QString& base : {QStringLiteral("$ps"), QStringLiteral("$pp")}) {
        const QString withE = base + u'e';
        t.ReplaceAllWithValue(base + u'$', QString());
        t.ReplaceAllWithValue(withE + u'$', QString());
        if (t.Contains(withE))
            t.RemoveSpan(withE, u"$");
        if (t.Contains(base))
            t.RemoveSpan(base, u"$");
    }
}

} // namespace

void SubstituteTyped(TMarkedText& t, const QString& params) {
    t.ReplaceAll(u"$p$", TMarkedText(QStringLiteral("$P$")), Qt::CaseSensitive);
    t.ReplaceAll(u"{BR}", TMarkedText::Literal(QStringLiteral("\r\n")), Qt::CaseSensitive);
    t.ReplaceAllWithValue(u"$P$", params, Qt::CaseSensitive);
    t.ReplaceAll(u"$u$", TMarkedText(QStringLiteral("$U$")), Qt::CaseSensitive);
    t.ReplaceAllWithValue(u"$U$", UrlEncodeParam(params), Qt::CaseSensitive);
    ReplaceNumbered(t, QStringLiteral("$p"), params, false);
    ReplaceNumbered(t, QStringLiteral("$u"), params, true);
    t.ReplaceAllWithValue(u"$i$", QString());
    RemovePasteMarks(t);
    ApplyDefaultBlocks(t, params);
}

void ApplyDefaultBlocks(TMarkedText& t, const QString& params) {
    if (!t.Contains(kDefaultMark))
        return;
    const QStringView mark(kDefaultMark);
    if (TrimText(params).isEmpty()) {
        const qsizetype first = t.Find(mark);
        const qsizetype second = t.Find(mark, first + mark.size());
        t = second < 0 ? TMarkedText() : t.Mid(first + mark.size(), second - first - mark.size());
    }
    if (t.Contains(mark))
        t.RemoveSpan(mark, mark);
}

QString ApplyDefaultBlocks(const QString& text, const QString& params) {
    TMarkedText t(text);
    ApplyDefaultBlocks(t, params);
    return t.Text();
}

QString SubstituteParameters(const QString& text, const QString& params) {
    TMarkedText t(text);
    SubstituteTyped(t, params);
    return t.Text();
}

void RunControlTokens(TMarkedText& t, bool removeP, TExecContext& ctx) {
    const TExecServices& s = ctx.services;
    if (t.ContainsLowerOrUpper(u"$M$")) {
        t.ReplaceLowerOrUpper(u"$M$", TMarkedText());
        s.windows->MinimizeAll();
    }
    if (t.ContainsLowerOrUpper(u"$R$")) {
        t.ReplaceLowerOrUpper(u"$R$", TMarkedText());
        s.windows->UndoMinimizeAll();
    }
    if (t.ContainsLowerOrUpper(u"$CLR$")) {
        t.ReplaceLowerOrUpper(u"$CLR$", TMarkedText());
        s.input->SetNewWord(QString(), true, false);
    }
    if (t.ContainsLowerOrUpper(u"$GW$")) {
        t.ReplaceLowerOrUpper(u"$GW$", TMarkedText());
        const quint64 w = s.windows->ForegroundWindow();
        if (w != 0 && !s.windows->IsOwnWindow(w))
            s.input->SetLastActiveWindow(w);
    }
    const QStringView sound(u"$SOUND$");
    if (const qsizetype open = t.Find(sound); open >= 0) {
        const qsizetype close = t.Find(sound, open + sound.size());
        if (close >= 0) {
            const QString file = TrimText(t.Text().mid(open + sound.size(), close - open - sound.size()));
            if (!file.isEmpty() && s.files->FileExists(file))
                s.sound->Play(file);
        }
        t.RemoveSpan(sound, sound);
    }
    if (removeP)
        t.ReplaceLowerOrUpper(u"$P$", TMarkedText());
}

QString RunControlTokens(const QString& text, bool removeP, TExecContext& ctx) {
    TMarkedText t(text);
    RunControlTokens(t, removeP, ctx);
    return t.Text();
}

namespace {

constexpr char kCopyFailed[] = "No text was copied from the active window";

// The clipboard and selection tokens of one full substitution; the selection is copied at most once.
class TClipTokens {
public:
    TClipTokens(TMarkedText& t, TExecContext& ctx, TSubstituteResult& result) : t_(t), ctx_(ctx), result_(result) {}

    // False when the substitution must stop (failure or the whole text replaced).
    bool Run() {
        if (!t_.Contains(u"$c"))
            return true;
        ClipboardText();
        if (!SelectionText())
            return false;
        if (!SearchAsText())
            return false;
        SearchFromSelection();
        OpenFromSelection();
        CopyOrCut();
        return true;
    }

private:
    const TCopyOutcome& Selection() {
        if (!selection_)
            selection_ = CopySelection(ctx_, false, true);
        return *selection_;
    }

    QStringList ClipboardFiles() const { return ctx_.services.clipboard->Files(); }

    void ToInput(const QString& text, bool show) {
        ctx_.services.input->SetNewWord(text, false, false);
        if (show)
            ctx_.services.input->ShowInputWindow();
    }

    // "$c$", "$cu$": the clipboard's text on one line; the clipboard itself is left alone.
    void ClipboardText() {
        if (!t_.Contains(u"$c$") && !t_.Contains(u"$cu$"))
            return;
        const TClipboard& clip = *ctx_.services.clipboard;
        const QString value = clip.HasText() ? FlattenClipText(clip.Text()) : QString();
        t_.ReplaceAllWithValue(u"$c$", value);
        t_.ReplaceAllWithValue(u"$cu$", UrlEncodeParam(value));
    }

    // "$cc$", "$ccu$": the selection; a copy that fails stops the command.
    bool SelectionText() {
        if (!t_.Contains(u"$cc$") && !t_.Contains(u"$ccu$"))
            return true;
        if (!Selection().copied) {
            result_.failed = true;
            result_.message = QLatin1String(kCopyFailed);
            return false;
        }
        t_.ReplaceAllWithValue(u"$cc$", Selection().text);
        t_.ReplaceAllWithValue(u"$ccu$", UrlEncodeParam(Selection().text));
        return true;
    }

    // "$cx$": a plain selection fills the template; anything else goes to the input line.
    bool SearchAsText() {
        if (!t_.Contains(u"$cx$"))
            return true;
        const QString sel = Selection().text;
        if (IsPlainText(sel)) {
            t_.ReplaceAllWithValue(u"$cx$", sel);
            return true;
        }
        if (!sel.isEmpty())
            ctx_.services.input->SetNewWord(sel, false, false);
        ctx_.services.input->ShowInputWindow();
        t_ = TMarkedText::Literal(QString::fromUtf16(kNoProgram));
        result_.toInput = true;
        return false;
    }

    // "$ce$": the selection (as a fast search when it is plain text) goes to the input line.
    void SearchFromSelection() {
        if (!t_.Contains(u"$ce$"))
            return;
        QString value = Selection().text;
        if (IsPlainText(value)) {
            const TExeWord* fast = ctx_.keywords.FindKeyword(ctx_.settings.fastsearch, true);
            if (fast && !ContainsText(fast->command, QStringLiteral("$ce$")))
                value = SubstituteParameters(ctx_.expandCommand(fast->command, true), value);
        } else if (value.isEmpty() && ctx_.settings.cefilefolders) {
            const QStringList files = ClipboardFiles();
            if (!files.isEmpty())
                value = files.first();
        }
        if (!value.isEmpty()) {
            ToInput(value, true);
            value = QString::fromUtf16(kNoProgram);
            result_.toInput = true;
        }
        t_.ReplaceAllWithValue(u"$ce$", value);
    }

    // "$ci$": the selection to open; a bare web address gets the web prefix.
    void OpenFromSelection() {
        if (!t_.Contains(u"$ci$"))
            return;
        QString value = Selection().text;
        if (IsBareWebAddress(value))
            value.prepend(QString::fromUtf16(kWebPrefix));
        if (value.isEmpty()) {
            const QStringList files = ClipboardFiles();
            if (!files.isEmpty()) {
                value = files.first();
                ToInput(value, false);
            }
        }
        if (value.isEmpty())
            value = QString::fromUtf16(kNoProgram);
        t_.ReplaceAllWithValue(u"$ci$", value);
    }

    // "$copy$", "$cut$": the user asked for the clipboard to change, so it is not restored.
    void CopyOrCut() {
        for (const bool cut : {false, true}) {
            const QStringView token = cut ? QStringView(u"$cut$") : QStringView(u"$copy$");
            if (!t_.Contains(token))
                continue;
            t_.ReplaceAllWithValue(token, QString());
            CopySelection(ctx_, cut, false);
        }
    }

    TMarkedText& t_;
    TExecContext& ctx_;
    TSubstituteResult& result_;
    std::optional<TCopyOutcome> selection_;
};

} // namespace

TSubstituteResult SubstituteParameters(const QString& text, const QString& params, TExecContext& ctx) {
    TSubstituteResult result;
    TMarkedText t(text);
    SubstituteTyped(t, params);
    if (!TClipTokens(t, ctx, result).Run()) {
        result.text = result.failed ? QString() : t.Text();
        return result;
    }
    if (t.Contains(u"$paste$")) {
        t.ReplaceAllWithValue(u"$paste$", QString());
        PasteClipboard(ctx);
    }
    RunControlTokens(t, false, ctx);
    result.text = t.Text();
    return result;
}

} // namespace vantrelo
