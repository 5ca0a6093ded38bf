// Environment and home-folder expansion.
#include "exec/envexpand.h"

#include "platform/environment.h"

namespace vantrelo {

QString ExpandEnvironmentText(const QString& text, const TEnvironment& env) {
    if (!text.contains(u'%'))
        return text;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(u'%', i);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'%', open + 1);
        if (close < 0) {
            out += QStringView(text).mid(i);
            break;
        }
        out += QStringView(text).mid(i, open - i);
        const QString name = text.mid(open + 1, close - open - 1);
        const std::optional<QString> value = name.isEmpty() ? std::nullopt : env.Variable(name);
        if (value) {
            out += *value;
            i = close + 1;
        } else {
            // The closing mark may open the next reference ("100%%HOME%").
            out += QStringView(text).mid(open, close - open);
            i = close;
        }
    }
    return out;
}

QString ExpandHomeFolder(const QString& text, const TEnvironment& env) {
    if (text == u"~")
        return env.HomeFolder();
    if (text.startsWith(QLatin1String("~/")))
        return env.HomeFolder() + text.mid(1);
    return text;
}

QString ExpandUserPath(const QString& text, const TEnvironment& env) {
    return ExpandHomeFolder(ExpandEnvironmentText(text, env), env);
}

} // namespace vantrelo
