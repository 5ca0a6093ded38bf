// The information line: a template whose variables become memory use, addresses, dates, the week and the version.
#include "commands/infotext.h"

#include "exec/datetimeformat.h"
#include "platform/clock.h"
#include "platform/memoryinfo.h"
#include "platform/networkinfo.h"

#include <QStringList>

namespace vantrelo {

namespace {

constexpr qint64 kAddressAgeMs = 50000;

QString Mb(quint64 bytes) { return QString::number(bytes >> 20) + QStringLiteral("MB"); }

void ReplaceMemory(QString& t, const TMemoryInfo& memory) {
    const char* vars[] = {"$mpct$", "$mfree$", "$mused$", "$mtotal$"};
    bool any = false;
    for (const char* v : vars)
        any = any || t.contains(QLatin1String(v));
    if (!any)
        return;
    const TMemoryStatus m = memory.Memory().value_or(TMemoryStatus{});
    const quint64 freeMb = m.available >> 20;
    const quint64 totalMb = m.total >> 20;
    const quint64 load = m.total == 0 ? 0 : ((m.total - m.available) * 100 + m.total / 2) / m.total;
    t.replace(QLatin1String("$mpct$"), QString::number(load) + QLatin1Char('%'));
    t.replace(QLatin1String("$mfree$"), Mb(m.available));
    t.replace(QLatin1String("$mused$"), QString::number(totalMb - freeMb) + QStringLiteral("MB"));
    t.replace(QLatin1String("$mtotal$"), Mb(m.total));
}

} // namespace

TInfoText::TInfoText(TInfoSources sources) : s_(std::move(sources)) {}

QString TInfoText::Addresses(TCache& cache, bool firstOnly) {
    const qint64 now = s_.ticks->Milliseconds();
    if (!cache.readAt || now - *cache.readAt > kAddressAgeMs) {
        const QStringList ips = s_.network->LocalIPv4Addresses();
        cache.text = firstOnly ? ips.value(0) : ips.join(QStringLiteral(", "));
        cache.readAt = now;
    }
    return cache.text;
}

QString TInfoText::Build(const QString& tmpl, const QString& customtime) {
    QString t = tmpl;
    ReplaceMemory(t, *s_.memory);
    if (t.contains(QLatin1String("$ip$")))
        t.replace(QLatin1String("$ip$"), Addresses(all_, false));
    if (t.contains(QLatin1String("$ip1$")))
        t.replace(QLatin1String("$ip1$"), Addresses(first_, true));
    const QDateTime now = s_.wall->Now();
    const QLocale& l = s_.locale;
    t.replace(QLatin1String("$dd$"), FormatDateTimePattern(QStringLiteral("t, ddd. dd-mm-yyyy"), now, l));
    t.replace(QLatin1String("$ddd$"), FormatDateTimePattern(QStringLiteral("t, dddd dd. mmmm yyyy"), now, l));
    t.replace(QLatin1String("$wnum$"), QString::number(now.date().weekNumber()));
    t.replace(QLatin1String("$v$"), s_.version + QStringLiteral(" Build date: ") + s_.buildDate);
    if (t.contains(QLatin1String("$ct$")))
        t.replace(QLatin1String("$ct$"), FormatDateTimePattern(customtime.isEmpty() ? QStringLiteral("c") : customtime, now, l));
    return t.isEmpty() ? QString::fromLatin1(kInfoEmpty) : t;
}

} // namespace vantrelo
