// A page's bridge request (JSON text from an untrusted page): parsed or refused, and every reply and
// dialog text made from it keeps its values inside their literals and shows them whole.
#include "browser/bridgelogic.h"
#include "fuzzsupport.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace vantrelo;

namespace {

// The value a script literal stands for, as the page's script reader sees a JSON string.
QString Decoded(const QString& literal) {
    const QJsonDocument d = QJsonDocument::fromJson(("[" + literal + "]").toUtf8());
    return d.isArray() && d.array().size() == 1 ? d.array().at(0).toString() : QStringLiteral("\x01invalid");
}

bool Breaks(const QString& script) {
    return script.contains(u'\n') || script.contains(u'\r') || script.contains(QChar(0x2028)) ||
           script.contains(QChar(0x2029)) || script.contains(QLatin1String("</"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16 * 1024)
        return 0;
    const QString message = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<TBridgeRequest> request = ParseRequest(message);
    if (!request)
        return 0;
    const int level = MethodLevel(request->method);
    fuzz::Require(level >= 0 && level <= 4, "a method's level is 0..4");

    const QString ok = SuccessReply(request->id);
    const QString head = QStringLiteral("window.vantrelo.response(");
    fuzz::Require(ok.startsWith(head) && ok.endsWith(QLatin1String(");")), "a reply is one call");
    const QString literal = ok.mid(head.size(), ok.size() - head.size() - 2);
    fuzz::Require(!Breaks(literal), "a reply's literal breaks no script");
    const QJsonObject reply = QJsonDocument::fromJson(Decoded(literal).toUtf8()).object();
    fuzz::Require(reply.value(QStringLiteral("id")).toString() == request->id, "the id comes back as sent");

    const QString error = ErrorReply(request->id, QStringLiteral("403"), QLatin1String(kForbidden));
    const QJsonObject e =
        QJsonDocument::fromJson(error.mid(head.size(), error.size() - head.size() - 2).toUtf8()).object();
    fuzz::Require(e.value(QStringLiteral("id")).toString() == request->id, "an error names the id as sent");

    // What the dialog would show: every character of the request, nothing that hides the rest.
    for (const char* name : {"text", "url"}) {
        const QString value = request->params.value(QLatin1String(name)).toString();
        const QString shown = PromptDetail(value);
        fuzz::Require(shown.size() >= value.size(), "the dialog's details are never cut");
        for (const QChar c : shown)
            fuzz::Require(c.category() != QChar::Other_Control && c.category() != QChar::Other_Format &&
                              c != QChar(0x2028) && c != QChar(0x2029),
                          "no control or direction character in the dialog");
    }
    (void)ExternalUrlAllowed(QUrl(request->params.value(QStringLiteral("url")).toString()));
    (void)GrantOrigin(QUrl(request->params.value(QStringLiteral("url")).toString()));
    return 0;
}
