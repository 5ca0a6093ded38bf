// Icon warm-up: its targets, the lookup that warms the caches, and the once-an-hour worker.
#include "index/iconwarmup.h"

#include "core/history.h"
#include "core/keywordlist.h"
#include "core/settings.h"
#include "core/text.h"
#include "index/desktopentry.h"
#include "platform/clock.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace vantrelo {

namespace {

constexpr qint64 kWarmUpSpacingSecs = 3600;

// The first token of a command text: a quoted span, else up to the first blank.
QString FirstToken(const QString& text) {
    const QString t = TrimText(text);
    if (t.startsWith(u'"')) {
        const qsizetype close = t.indexOf(u'"', 1);
        return close > 0 ? t.mid(1, close - 1) : t.mid(1);
    }
    const qsizetype blank = t.indexOf(u' ');
    return blank > 0 ? t.left(blank) : t;
}

} // namespace

bool WantsIconWarmUp(const TSettings& s) {
    return !s.nolisticoncache && (s.listicons || s.listtitles);
}

QStringList IconWarmUpTargets(const THistory& history, const TKeywordList& keywords) {
    QStringList out;
    for (const THistoryEntry& e : history)
        if (!e.item && !e.text.isEmpty())
            out << e.text;
    for (const auto& w : keywords) {
        if (w->disabled || w->DefaultKeyword().isEmpty())
            continue;
        const QString source = TrimText(w->iconpath).isEmpty() ? w->command : w->iconpath;
        if (!TrimText(source).isEmpty())
            out << source;
    }
    return out;
}

QString IconTargetFile(const QString& text, const TScanRoots& roots) {
    const QString trimmed = TrimText(text);
    if (trimmed.isEmpty() || trimmed.contains(u'$') || trimmed.contains(QLatin1String("://")))
        return {};
    // A whole text that is a file wins over its first word ("/opt/My App/run").
    const auto expand = [&roots](QString p) {
        if (p == u'~' || p.startsWith(QLatin1String("~/")))
            p = roots.home + p.mid(1);
        return p;
    };
    const QString whole = expand(trimmed);
    if (whole.startsWith(u'/') && QFileInfo::exists(whole))
        return whole;
    const QString first = expand(FirstToken(trimmed));
    if (first.startsWith(u'/'))
        return first;
    if (first.isEmpty() || first.contains(u'/') || first.contains(u':'))
        return {};
    return QStandardPaths::findExecutable(first, roots.pathEnv.split(u':', Qt::SkipEmptyParts));
}

void WarmIconTarget(const QString& text, const TScanRoots& roots) {
    const QString file = IconTargetFile(text, roots);
    if (file.isEmpty())
        return;
    const QFileInfo info(file);
    if (info.isFile() && file.endsWith(QLatin1String(".desktop")))
        (void)ReadDesktopEntry(file, roots.locale);
}

TIconCacherThread::TIconCacherThread(QStringList targets, TIconWarmer warmer,
                                     std::shared_ptr<const std::atomic<bool>> cancel)
    : targets_(std::move(targets)), warmer_(std::move(warmer)), cancel_(std::move(cancel)) {}

void TIconCacherThread::run() {
    for (const QString& t : targets_) {
        if (cancel_->load())
            return;
        warmer_(t);
        done_.fetch_add(1);
    }
}

TIconWarmUp::TIconWarmUp(const TSettings& settings, const TClock& clock, bool safemode, TIconWarmer warmer,
                         QObject* parent)
    : QObject(parent), settings_(settings), clock_(clock), safemode_(safemode), warmer_(std::move(warmer)) {}

TIconWarmUp::~TIconWarmUp() {
    if (!Stop(QDeadlineTimer(60000)) && worker_)
        (void)worker_.release(); // still running past the limit: left to the process's end
}

bool TIconWarmUp::StartIconWarmUp(const QStringList& targets) {
    if (safemode_ || stopping_ || worker_ || !WantsIconWarmUp(settings_))
        return false;
    const QDateTime now = clock_.Now();
    if (lastStart_.isValid() && lastStart_.secsTo(now) < kWarmUpSpacingSecs)
        return false;
    lastStart_ = now;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    worker_ = std::make_unique<TIconCacherThread>(targets, warmer_, cancel_);
    TIconCacherThread* w = worker_.get();
    connect(w, &QThread::finished, this, [this, w] {
        if (w != worker_.get())
            return;
        worker_->wait();
        const int warmed = worker_->Done();
        worker_.reset();
        emit warmUpEnded(warmed);
    }, Qt::QueuedConnection);
    worker_->start(QThread::LowPriority);
    return true;
}

bool TIconWarmUp::Stop(QDeadlineTimer deadline) {
    stopping_ = true;
    if (!worker_)
        return true;
    cancel_->store(true);
    if (!worker_->wait(deadline))
        return false;
    worker_.reset();
    return true;
}

} // namespace vantrelo
