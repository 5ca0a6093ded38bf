// Wait, paste, browser and list marks of command texts.
#include "exec/pipelinemarks.h"

#include "core/items.h"
#include "core/text.h"
#include "exec/markedtext.h"
#include "exec/substitution.h"

#include <QStringList>

#include <algorithm>

namespace vantrelo {

namespace {

bool ContainsAny(const QString& text, std::initializer_list<const char16_t*> marks) {
    return std::any_of(marks.begin(), marks.end(),
                       [&](const char16_t* m) { return ContainsText(text, QString::fromUtf16(m)); });
}

bool AllDigits(const QString& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// A positive whole number, clamped; 0 when the text is not one.
qint64 PositiveNumber(const QString& s) {
    if (!AllDigits(s))
        return 0;
    bool ok = false;
    const qint64 n = s.toLongLong(&ok);
    if (!ok)
        return kMaxWaitMs; // more digits than any wait needs
    return std::min<qint64>(n, kMaxWaitMs);
}

// The number between the first `name` and the next "$" after it; 0 when there is none.
qint64 NumberAfter(const QString& upper, const QString& name) {
    const qsizetype p = upper.indexOf(name);
    if (p < 0)
        return 0;
    const qsizetype start = p + name.size();
    const qsizetype end = upper.indexOf(u'$', start);
    if (end < 0)
        return 0;
    return PositiveNumber(upper.mid(start, end - start));
}

} // namespace

qint32 ClampWait(qint64 ms) { return qint32(std::clamp<qint64>(ms, 0, kMaxWaitMs)); }

qint32 ExtractWaitMarks(TMarkedText& t) {
    qint64 total = 0;
    for (qsizetype p; (p = t.Find(u"$W$")) >= 0;) {
        t.Remove(p, 3);
        ++total;
    }
    // Every "$W" is looked at once, from left to right, so the scan always ends.
    QStringList found;
    for (qsizetype from = 0, p; (p = t.Find(u"$W", from)) >= 0; from = p + 2) {
        const qsizetype end = t.Find(u"$", p + 2);
        if (end < 0)
            break;
        const QString mark = UpperText(t.Text().mid(p, end - p + 1));
        if (t.Find(mark, p) != p)
            continue; // part of the mark is an inserted value
        QString body = mark.mid(2, mark.size() - 3);
        const bool ms = body.endsWith(QLatin1String("MS"));
        if (ms)
            body.chop(2);
        const qint64 n = PositiveNumber(body);
        if (n <= 0)
            continue;
        total += ms ? n : n * 1000;
        total = std::min<qint64>(total, kMaxWaitMs);
        found << mark;
    }
    for (const QString& mark : found)
        t.ReplaceAll(mark, TMarkedText());
    return ClampWait(total);
}

qint32 ExtractWaitMarks(QString& text) {
    TMarkedText t(text);
    const qint32 total = ExtractWaitMarks(t);
    text = t.Text();
    return total;
}

bool TakeMark(QString& text, const QString& mark) {
    if (!ContainsText(text, mark))
        return false;
    text = ReplaceText(text, mark, QString());
    return true;
}

bool IsBrowserOpen(const QString& text) {
    return ContainsAny(text, {u"$B$", u"$BN$", u"$BROWSER$", u"$BROWSERNOFOCUS$", u"$STARTPAGE$"});
}

bool IsBrowserCommand(const QString& text) {
    return IsBrowserOpen(text) || ContainsAny(text, {u"$BSETFOCUS$", u"$BROWSERBACK$", u"$BROWSERFORWARD$"});
}

bool IsSpecialList(const QString& text) {
    return ContainsAny(text, {u"$RECENT$", u"$GROUPS$", u"$TAGS$", u"$CLIPBOARD$", u"$APPS$", u"$HISTORY$",
                              u"$KWHISTORY$"});
}

TPasteMarks ParsePasteMarks(const QString& text) {
    TPasteMarks m;
    const QString u = UpperText(text);
    if (!u.contains(QLatin1String("$PS")) && !u.contains(QLatin1String("$PP")))
        return m;
    const auto set = [&m](qint32 type, qint64 wait) {
        m.aftertype = type;
        m.afterwait = qint32(wait);
    };
    if (u.contains(QLatin1String("$PS$")))
        m.afterwait = 700;
    if (u.contains(QLatin1String("$PSE$")))
        set(kTypeTextEnter, 700);
    if (const qint64 n = NumberAfter(u, QStringLiteral("$PSE")); n > 0)
        set(kTypeTextEnter, n);
    else if (const qint64 k = NumberAfter(u, QStringLiteral("$PS")); k > 0)
        m.afterwait = qint32(k);
    if (u.contains(QLatin1String("$PP$")))
        set(kPasteText, 700);
    if (u.contains(QLatin1String("$PPE$")))
        set(kPasteTextEnter, 700);
    if (const qint64 n = NumberAfter(u, QStringLiteral("$PPE")); n > 0)
        set(kPasteTextEnter, n);
    else if (const qint64 k = NumberAfter(u, QStringLiteral("$PP")); k > 0)
        set(kPasteText, k);
    return m;
}

bool UsesTypedParameters(const TExeWord& keyword) {
    const QString probe = QStringLiteral("epo555");
    for (const QString* field : {&keyword.parameters, &keyword.command, &keyword.path}) {
        if (SubstituteParameters(*field, probe) != *field)
            return true;
    }
    return false;
}

} // namespace vantrelo
