// The automatic keyword import: the download runs beside the event loop; the merge, the hotkeys and the save on it.
#include "app/keywordimport.h"

#include "app/appcontext.h"
#include "app/desktopservices.h"
#include "app/hotkeybridge.h"
#include "app/programcontroller.h"
#include "app/settingscontroller.h"
#include "core/inputtext.h"
#include "core/keywordexchange.h"
#include "core/text.h"
#include "platform/urlfetcher.h"

#include <QFile>
#include <QUrl>

namespace vantrelo {
namespace {

const QString kNothing = QStringLiteral("No keywords imported, possible error.");

} // namespace

void TKeywordImportController::Start(bool beforeHotkeys, bool tell) {
    const QString source = TrimText(ctx_.data.settings.importurl);
    if (running_)
        return;
    tell_ = tell;
    if (source.isEmpty()) {
        if (tell)
            Finish(QStringLiteral("%1 No address to import from.").arg(kNothing), true);
        return;
    }
    if (IsPath(source)) {
        QFile file(source);
        if (!file.open(QIODevice::ReadOnly)) {
            Finish(QStringLiteral("%1 Could not read \"%2\".").arg(kNothing, source), true);
            return;
        }
        Merge(file.readAll(), !beforeHotkeys);
        return;
    }
    // Every start rewrites keywords from this address: only an authenticated server may.
    const QUrl url = QUrl::fromUserInput(source);
    if (url.scheme() != QLatin1String("https")) {
        Finish(QStringLiteral("%1 The automatic import takes a local file or an https address, not \"%2\".")
                   .arg(kNothing, source),
               true);
        return;
    }
    running_ = true;
    ctx_.desk->fetcher.Fetch(url.toString(), kImportTimeoutMs, kImportMaxBytes, [this, source](const TFetchResult& r) {
        running_ = false;
        if (ctx_.closing)
            return;
        if (!r.ok || !r.sized) {
            const QString why = r.ok ? QStringLiteral("the server did not say how long the answer is") : r.error;
            Finish(QStringLiteral("%1 Could not download %2 (%3)").arg(kNothing, source, why), true);
            return;
        }
        Merge(r.body, true);
    });
}

TMergeResult MergeImported(TAppContext& ctx, std::vector<std::unique_ptr<TExeWord>> chosen, const TConflictAsk& ask,
                           TKeywordMergeHost* host, bool hotkeys) {
    if (hotkeys && ctx.hotkeys)
        ctx.hotkeys->UnregisterKeywordHotkeys();
    TMergeResult r = MergeKeywords(ctx.data.keywords, std::move(chosen), ask, host);
    ctx.data.tags.Build(ctx.data.keywords);
    if (hotkeys && ctx.hotkeys)
        ctx.hotkeys->RegisterKeywordHotkeys();
    return r;
}

void TKeywordImportController::Merge(const QByteArray& bytes, bool hotkeys) {
    TImportFile file = ParseExportFile(bytes);
    if (file.words.empty()) {
        Finish(kNothing, true);
        return;
    }
    std::vector<std::unique_ptr<TExeWord>> chosen = file.words.TakeAll();
    // An open keyword editor applies its pending edits first and shows the merged list after.
    if (ctx_.settingsDialog)
        ctx_.settingsDialog->BeforeKeywordsChange();
    const TMergeResult merged = MergeImported(
        ctx_, std::move(chosen), [](const TExeWord&, const TExeWord&) { return TConflictAnswer::YesToAll; }, nullptr,
        hotkeys);
    if (ctx_.settingsDialog)
        ctx_.settingsDialog->KeywordsChanged();
    ctx_.program->WriteSettings();
    QString result = QStringLiteral("Imported %1 keywords.").arg(merged.Merged());
    // Changed commands are never a silent surprise.
    if (!merged.changed.isEmpty())
        result += QStringLiteral(" Changed: ") + merged.changed.join(QStringLiteral(", ")) + u'.';
    if (!merged.changed.isEmpty() || tell_) {
        Finish(result, false);
        return;
    }
    result_ = result;
    ctx_.program->ShowToast(result);
}

void TKeywordImportController::Finish(const QString& result, bool warn) {
    result_ = result;
    ctx_.program->Message(QStringLiteral("Keyword import"), result, warn);
}

} // namespace vantrelo
