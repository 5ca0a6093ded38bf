// The embedded browser's rules without the engine.
#include "browser/bridgelogic.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QStringList>

namespace vantrelo {

namespace {

QString FirstWordOf(const QString& input) {
    const qsizetype blank = input.indexOf(u' ');
    return blank < 0 ? input : input.left(blank);
}

QString RestOf(const QString& input) {
    const qsizetype blank = input.indexOf(u' ');
    return blank < 0 ? QString() : input.mid(blank + 1);
}

QString ClickIf(const QString& selector) {
    const QString s = ScriptLiteral(selector);
    return QStringLiteral("if (document.querySelector(%1)) {document.querySelector(%1).click();}").arg(s);
}

QString Delayed(const QString& script, int delay) {
    if (delay == 0)
        return script;
    return QStringLiteral("setTimeout(() => {%1}, %2);").arg(script).arg(delay);
}

} // namespace

QString ScriptLiteral(const QString& value) {
    QString out = QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
    out = out.mid(1, out.size() - 2); // the array's brackets
    // JSON allows these two raw; older script engines end a string at them.
    out.replace(QChar(0x2028), QStringLiteral("\\u2028"));
    out.replace(QChar(0x2029), QStringLiteral("\\u2029"));
    // A literal inside an inline script must not close its element.
    out.replace(QStringLiteral("</"), QStringLiteral("<\\/"));
    return out;
}

QString StartScript(const TPageStart& start) {
    const QString command = ScriptLiteral(FirstWordOf(start.input));
    const QString rest = ScriptLiteral(RestOf(start.input));
    const QString input = ScriptLiteral(start.input);
    return QStringLiteral("if (window.vantrelo){window.vantrelo._data.start_input = %1;"
                          "window.vantrelo._data.start_command = %2;window.vantrelo._data.start_parameter = %3;"
                          "window.vantrelo._data.input = %1;window.vantrelo._data.command = %2;"
                          "window.vantrelo._data.parameter = %3;window.vantrelo._data.color = %4;"
                          "window.vantrelo._data.bg_color = %5;window.vantrelo._data.query = %3; "
                          "window.vantrelo.ready();}")
        .arg(input, command, rest, ScriptLiteral(start.color), ScriptLiteral(start.bgcolor));
}

QString InputScript(const QString& input) {
    return QStringLiteral("window.vantrelo.input(%1, %2, %3);")
        .arg(ScriptLiteral(input), ScriptLiteral(FirstWordOf(input)), ScriptLiteral(RestOf(input)));
}

QString SuccessReply(const QString& id) {
    // The reply is a JSON text handed over as a string, as pages expect.
    const QJsonObject reply{{QStringLiteral("result"), QStringLiteral("0")}, {QStringLiteral("id"), id}};
    const QString json = QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact));
    return QStringLiteral("window.vantrelo.response(%1);").arg(ScriptLiteral(json));
}

QString ErrorReply(const QString& id, const QString& code, const QString& message) {
    const QJsonObject error{{QStringLiteral("code"), code}, {QStringLiteral("message"), message}};
    const QJsonObject reply{{QStringLiteral("error"), error}, {QStringLiteral("id"), id}};
    return QStringLiteral("window.vantrelo.response(%1);")
        .arg(QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact)));
}

std::optional<TBridgeRequest> ParseRequest(const QString& message) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(message.toUtf8(), &error);
    // Only an object is a request; a string holding JSON is not unwrapped a second time.
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    if (!o.value(QStringLiteral("method")).isString())
        return std::nullopt;
    TBridgeRequest r;
    r.method = o.value(QStringLiteral("method")).toString();
    const QJsonValue id = o.value(QStringLiteral("id"));
    if (id.isString())
        r.id = id.toString();
    else if (id.isDouble())
        r.id = QString::number(id.toDouble(), 'g', 17);
    else
        r.id = QStringLiteral("missing");
    r.params = o.value(QStringLiteral("params")).toObject();
    return r;
}

int MethodLevel(const QString& method) {
    static const QStringList level1{QStringLiteral("input_set"), QStringLiteral("input_focus"),
                                    QStringLiteral("browser_focus"), QStringLiteral("browser_dismiss"),
                                    QStringLiteral("dismiss")};
    if (level1.contains(method))
        return 1;
    if (method == QLatin1String("open_url"))
        return 2;
    if (method == QLatin1String("input_run"))
        return 4;
    return 0;
}

int ClampPermission(int level) { return level < 0 || level > 4 ? 0 : level; }

TPermit DecidePermission(int global, std::optional<int> granted, int level) {
    const int g = ClampPermission(global);
    if (g != 0 && g >= level)
        return TPermit::Allow;
    if (!granted)
        return TPermit::AskUnknown;
    return ClampPermission(*granted) >= level ? TPermit::Allow : TPermit::Ask;
}

QString PermissionQuestion(const QString& keyword, int level) {
    if (!keyword.isEmpty()) {
        static const char* const kAsks[] = {
            "\" is requesting to interact with Vantrelo, do you want to allow this?",
            "\" is requesting to open a URL in an external browser, do you want to allow this?",
            ("\" is requesting to connect and be able to click on webpages in the internal browser (only when "
             "using the keyword), do you want to allow this?"),
            "\" is requesting to connect and run an input command, do you want to allow this?"};
        return QStringLiteral("The keyword \"") + keyword + QLatin1String(kAsks[qBound(1, level, 4) - 1]) +
               QStringLiteral(" (\"Always allow\" will only apply to the \"") + keyword +
               QStringLiteral("\" keyword).");
    }
    static const char* const kAsks[] = {
        "An unknown source is requesting to interact with Vantrelo, do you want to allow this?.",
        "An unknown source is requesting to open a URL in an external browser, do you want to allow this?.",
        ("An unknown source is requesting to connect and be able to click on webpages in the internal "
         "browser, do you want to allow this?."),
        "An unknown source is requesting to connect and run an input command, do you want to allow this?."};
    return QLatin1String(kAsks[qBound(1, level, 4) - 1]);
}

QString PromptDetail(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\n')
            shown += QStringLiteral("\\n");
        else if (c == u'\r')
            shown += QStringLiteral("\\r");
        else if (c == u'\t')
            shown += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
                 c == QChar(0x2028) || c == QChar(0x2029))
            shown += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
}

QString GrantOrigin(const QUrl& page) {
    if (page.isValid() && page.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("file://");
    return OriginOf(page).toLower();
}

QString FixedCommandOrigin(const QString& command) {
    // The address is the command's first word that is not a "$...$" mark.
    for (const QString& word : command.split(u' ', Qt::SkipEmptyParts)) {
        if (word.size() > 1 && word.startsWith(u'$') && word.endsWith(u'$'))
            continue;
        const qsizetype scheme = word.indexOf(QLatin1String("://"));
        if (word.startsWith(u'/') || word.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
            return word.contains(u'$') && !word.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                       ? QString()
                       : QStringLiteral("file://");
        // Up to the end of the host and port: a parameter there could name any site.
        const qsizetype hostStart = scheme < 0 ? 0 : scheme + 3;
        qsizetype hostEnd = word.indexOf(u'/', hostStart);
        if (hostEnd < 0)
            hostEnd = word.size();
        for (const QChar stop : {u'?', u'#'}) {
            const qsizetype at = word.indexOf(stop, hostStart);
            if (at >= 0 && at < hostEnd)
                hostEnd = at;
        }
        const QString head = word.left(hostEnd);
        if (head.contains(u'$') || head.contains(u'%'))
            return QString();
        return GrantOrigin(QUrl(scheme < 0 ? QStringLiteral("http://") + head : head));
    }
    return QString();
}

int GrantedLevel(int stored, const QString& storedOrigin, const QString& command, const QString& origin) {
    if (stored == -1 || origin.isEmpty())
        return -1;
    const QString grantedFor = storedOrigin.isEmpty() ? FixedCommandOrigin(command) : storedOrigin;
    return grantedFor == origin ? stored : -1;
}

bool SameOrigin(const QUrl& opened, const QUrl& current) {
    if (!opened.isValid() || !current.isValid())
        return false;
    const QString scheme = opened.scheme().toLower();
    if (scheme != current.scheme().toLower())
        return false;
    if (scheme == QLatin1String("file"))
        return true;
    if (opened.host().isEmpty())
        return false; // about:blank, data: and blob: pages have no origin to share
    return opened.host().compare(current.host(), Qt::CaseInsensitive) == 0 &&
           opened.port(-1) == current.port(-1);
}

QString OriginOf(const QUrl& location) {
    if (!location.isValid() || location.host().isEmpty())
        return QString();
    return location.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                             QUrl::RemoveUserInfo).toString(QUrl::FullyEncoded);
}

bool ExternalUrlAllowed(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("mailto"))
        return url.isValid() && !url.path().isEmpty();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           !url.host().isEmpty();
}

QString ClickScript(const QString& clicks) {
    QStringList scripts;
    int delay = 0;
    QString chain;
    for (const QString& raw : clicks.split(u';')) {
        const QString part = raw.trimmed();
        if (part.isEmpty())
            continue;
        bool number = false;
        const int ms = part.toInt(&number);
        if (number) {
            delay = qMax(0, ms);
            continue;
        }
        if (part.startsWith(u'?') && chain.isEmpty()) {
            chain = ClickIf(QString(part).remove(u'?'));
            continue;
        }
        if (!chain.isEmpty())
            chain += QStringLiteral(" else ") + ClickIf(QString(part).remove(u'?'));
        else
            scripts << Delayed(ClickIf(part), delay);
    }
    if (!chain.isEmpty())
        scripts << Delayed(chain, delay);
    return scripts.join(u'\n');
}

QString UserAgentFor(const QString& ua, bool mark, const QString& engineDefault) {
    if (!ua.isEmpty())
        return ua;
    return mark ? engineDefault + QStringLiteral(" Vantrelo/2.0") : engineDefault;
}

QString ParametersOf(const QString& line) { return RestOf(line).trimmed(); }

QString InsertTextScript(const QString& text) {
    return QStringLiteral("document.execCommand(\"insertText\", false, %1);").arg(ScriptLiteral(text));
}

bool StartPageMayShow(const TStartPageCheck& c) {
    if (c.forced)
        return true;
    // Unforced, it never covers what the user is looking at or typing.
    if (!c.autoshow || c.listCustomShown)
        return false;
    return c.line.isEmpty() || c.lineAllSelected || c.lineIsInfo;
}

QString NoPageToast(bool autoEnd) {
    return QStringLiteral("Toggle browser: ") +
           (autoEnd ? QStringLiteral("No page loaded (auto-end is enabled)") : QStringLiteral("No page loaded"));
}

QString RemoveBrowserFolder(const QString& folder) {
    QDir dir(folder);
    if (dir.exists())
        dir.removeRecursively();
    if (!dir.exists())
        return QStringLiteral("Browser data removed");
    const QStringList left = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    return QStringLiteral("Browser data not removed completely, left in ") + folder + QStringLiteral(": ") +
           left.join(QStringLiteral(", "));
}

bool StartPageKeywordOpensAPage(const QString& command, const QString& separator) {
    const QString c = command.trimmed();
    if (c.isEmpty() || (!separator.isEmpty() && c.contains(separator)))
        return false;
    return c.contains(QLatin1String("$B"), Qt::CaseInsensitive) || c.contains(QLatin1String("://")) ||
           c.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

} // namespace vantrelo
