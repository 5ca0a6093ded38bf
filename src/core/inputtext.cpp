// Splitting and classification of input texts.
#include "core/inputtext.h"

#include "core/text.h"

namespace vantrelo {

QString FirstWord(const QString& text) {
    const qsizetype sp = text.indexOf(u' ');
    return sp < 0 ? text : text.left(sp);
}

QString ParamText(const QString& text) {
    const qsizetype sp = text.indexOf(u' ');
    return sp < 0 ? QString() : text.mid(sp + 1);
}

bool IsUrl(const QString& text) {
    return StartsText(QStringLiteral("http:"), text) || StartsText(QStringLiteral("https:"), text) ||
           StartsText(QStringLiteral("www."), text);
}

bool IsMailto(const QString& text) { return StartsText(QStringLiteral("mailto:"), text); }

bool IsSystemUri(const QString& text) {
    return ContainsText(text, QStringLiteral("ms-settings:")) || ContainsText(text, QStringLiteral("ms-taskswitcher:"));
}

bool IsUncPath(const QString& text) { return text.startsWith(QLatin1String("\\\\")); }

namespace {

bool IsPosixPath(const QString& s) {
    return s.startsWith(u'/') || s == u"~" || s.startsWith(QLatin1String("~/")) || s.startsWith(QLatin1String("./")) ||
           s.startsWith(QLatin1String("../")) || StartsText(QStringLiteral("file://"), s);
}

} // namespace

bool IsPath(const QString& text) {
    QString s = text;
    if (s.startsWith(u'"')) {
        s.remove(0, 1);
        if (s.endsWith(u'"'))
            s.chop(1);
    }
    // Drive letters, ".\" and "x%" all put their marker second.
    if (s.indexOf(u':') == 1 || s.indexOf(u'\\') == 1 || s.indexOf(u'%') == 1)
        return true;
    if (s.startsWith(u'\\') || IsSystemUri(s))
        return true;
    return IsPosixPath(s);
}

bool IsDottedQuad(const QString& text) {
    if (text.left(15).count(u'.') < 3)
        return false;
    qsizetype groupStart = 0;
    int dots = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        const QChar c = end ? QChar(u'.') : text.at(i);
        if (c.unicode() >= u'0' && c.unicode() <= u'9')
            continue;
        if (c != u'.')
            return false;
        const qsizetype len = i - groupStart;
        if (!end) {
            ++dots;
            if (dots > 3 || len < 1 || len > 3)
                return false;
        } else if (dots != 3 || len < 1) {
            return false;
        }
        const QStringView group = QStringView(text).mid(groupStart, len);
        int value = 0;
        for (QChar d : group)
            value = value > 255 ? value : value * 10 + (d.unicode() - u'0');
        if (value > 255)
            return false;
        if (group.startsWith(u'0') && (groupStart == 0 || value != 0))
            return false;
        groupStart = i + 1;
    }
    return true;
}

bool IsBareWebAddress(const QString& text) {
    if (text.size() <= 4 || text.contains(u' ') || !text.contains(u'.') || text.endsWith(u'.'))
        return false;
    // "~" begins a home path, never a host name.
    static const QString kBadFirst = QStringLiteral(".#\\/ ?\"~");
    if (kBadFirst.contains(text.at(0)))
        return false;
    if (StartsText(QStringLiteral("mailto:"), text) || StartsText(QStringLiteral("www."), text))
        return false;
    if (text.contains(QLatin1String(":/")) || text.contains(QLatin1String(":\\")))
        return false;
    return !IsDottedQuad(text);
}

bool IsPlainText(const QString& text) {
    return !text.isEmpty() && !IsUrl(text) && !IsPath(text) && !IsBareWebAddress(text);
}

} // namespace vantrelo
