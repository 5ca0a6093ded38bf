// Enclosed arguments: reading, removing and blanking out the text between two copies of a name.
#include "commands/enclosed.h"

#include "core/text.h"

namespace vantrelo {

namespace {

QString WithUpperName(const QString& name, const QString& text) {
    QString s = text;
    s.replace(LowerText(name), name, Qt::CaseSensitive);
    return s;
}

} // namespace

const QStringList& EnclosingCommandNames() {
    static const QStringList kNames{QStringLiteral("$SOUND$"), QStringLiteral("$WFINDACTIVE$"),
                                    QStringLiteral("$WFINDCLOSE$"), QStringLiteral("$BCLICK$")};
    return kNames;
}

QString EnclosedText(const QString& name, const QString& text) {
    const QString s = WithUpperName(name, text);
    const qsizetype open = s.indexOf(name);
    if (open < 0)
        return QString();
    const qsizetype start = open + name.size();
    const qsizetype close = s.indexOf(name, start);
    return close < 0 ? QString() : s.mid(start, close - start);
}

QString StripEnclosed(const QString& name, const QString& text) {
    QString s = WithUpperName(name, text);
    const qsizetype open = s.indexOf(name);
    if (open < 0)
        return s;
    const qsizetype close = s.indexOf(name, open + name.size());
    if (close < 0)
        return s;
    return s.remove(open, close + name.size() - open);
}

QString MaskEnclosedArguments(const QString& upper) {
    QString s = upper;
    qsizetype from = 0;
    for (;;) {
        // The earliest opening name from here on decides which argument comes next.
        qsizetype open = -1;
        const QString* opener = nullptr;
        for (const QString& name : EnclosingCommandNames()) {
            const qsizetype p = s.indexOf(name, from);
            if (p >= 0 && (open < 0 || p < open)) {
                open = p;
                opener = &name;
            }
        }
        if (!opener)
            return s;
        const qsizetype start = open + opener->size();
        const qsizetype close = s.indexOf(*opener, start);
        if (close < 0)
            return s;
        for (qsizetype i = start; i < close; ++i)
            s[i] = QLatin1Char(' ');
        from = close + opener->size();
    }
}

} // namespace vantrelo
