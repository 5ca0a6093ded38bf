// Text preparation for typing and pasting into other windows.
#include "exec/sendtext.h"

#include "core/items.h"
#include "core/settings.h"
#include "core/text.h"
#include "exec/execcontext.h"
#include "exec/inputhost.h"
#include "exec/markedtext.h"
#include "exec/datetimeformat.h"
#include "exec/password.h"
#include "exec/typeplan.h"
#include "exec/substitution.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/networkinfo.h"
#include "platform/textsender.h"

#include <QLocale>

namespace vantrelo {

namespace {

// The file's lines, each followed by CR LF; empty when it cannot be read.
QString IncludedFile(const QString& name, TExecContext& ctx) {
    const QString path = ctx.expandCommand(TrimText(name), false);
    if (path.isEmpty() || !ctx.services.files->FileExists(path))
        return QString();
    const std::optional<QString> text = ctx.services.files->ReadText(path);
    if (!text)
        return QString();
    QString out;
    for (const QString& line : SplitLines(*text))
        out += line + QStringLiteral("\r\n");
    return out;
}

void IncludeFiles(TMarkedText& t, TExecContext& ctx) {
    t.ReplaceAll(u"{file ", TMarkedText(QStringLiteral("{FILE ")), Qt::CaseSensitive);
    t.ReplaceAll(u"{File ", TMarkedText(QStringLiteral("{FILE ")), Qt::CaseSensitive);
    const QStringView open(u"{FILE ");
    for (int n = 0; n < kMaxFileInclusions; ++n) {
        const qsizetype start = t.Find(open);
        if (start < 0)
            break;
        const qsizetype close = t.Find(u"}", start + open.size());
        if (close < 0)
            break; // an unclosed mark names no file
        const QString name = t.Text().mid(start + open.size(), close - start - open.size());
        t.Replace(start, close + 1 - start, TMarkedText::Literal(IncludedFile(name, ctx)));
    }
}

void FillInfoTokens(TMarkedText& t, TExecContext& ctx, const QLocale& locale) {
    if (!t.Contains(u"$TIME$") && !t.Contains(u"$SHOWIP$") && !t.Contains(u"$PASSWORD$") && !t.Contains(u"$BROWSERURL$"))
        return;
    if (t.Contains(u"$TIME$", Qt::CaseSensitive))
        t.ReplaceAllWithValue(u"$TIME$", TimeTokenText(ctx.settings.customtime, ctx.services.clock->Now(), locale),
                              Qt::CaseSensitive);
    if (t.Contains(u"$SHOWIP$", Qt::CaseSensitive))
        t.ReplaceAllWithValue(u"$SHOWIP$", ctx.services.network->LocalIPv4Addresses().join(QStringLiteral(", ")),
                              Qt::CaseSensitive);
    // Each mark gets its own password.
    const QStringView pw(u"$PASSWORD$");
    for (qsizetype i = t.Find(pw, 0, Qt::CaseSensitive); i >= 0; i = t.Find(pw, i, Qt::CaseSensitive))
        t.Replace(i, pw.size(),
                  TMarkedText::Literal(GeneratePassword(kDefaultPasswordLength, kPwAllClasses, *ctx.services.random)));
}

void FillClipHistory(TMarkedText& t, TExecContext& ctx, bool forTyping) {
    const TClipHistoryView* history = ctx.services.clipHistory;
    for (int n = 1; n <= 4; ++n) {
        const QString token = QStringLiteral("$PASTE%1$").arg(n);
        if (!history || history->Count() < n || !t.Contains(token))
            continue;
        // The entry is inserted as it was copied: its braces are text, not key names.
        const QString entry = history->Entry(n);
        t.ReplaceAllWithValue(token, forTyping ? LiteralTypeText(entry) : entry, Qt::CaseSensitive);
    }
}

} // namespace

QString PrepareSendText(const QString& text, const TExeWord* keyword, TExecContext& ctx, const QLocale& locale,
                        bool forTyping) {
    TMarkedText t(text);
    if (keyword) {
        TMarkedText filled(keyword->parameters);
        SubstituteTyped(filled, text);
        if (!filled.IsEmpty())
            t = filled;
    }
    IncludeFiles(t, ctx);
    t.ReplaceAll(u"{BR}", TMarkedText::Literal(QStringLiteral("\r\n")), Qt::CaseSensitive);
    FillInfoTokens(t, ctx, locale);
    FillClipHistory(t, ctx, forTyping);
    return t.Text();
}

QString SendTextToWindow(const QString& text, const TExeWord* keyword, bool paste, bool enter, TExecContext& ctx) {
    const QString prepared = PrepareSendText(text, keyword, ctx, QLocale::system(), !paste);
    return paste ? ctx.services.textSender->PasteText(prepared, enter) : ctx.services.textSender->TypeText(prepared);
}

} // namespace vantrelo
