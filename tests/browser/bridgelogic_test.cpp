// The browser's rules: scripts, requests, permissions, origins, clicks and the user agent.
#include "browser/bridgelogic.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

using namespace vantrelo;

namespace {

// What a script literal stands for once a JSON reader (a subset of the page's language) reads it.
QString Decoded(const QString& literal) {
    const QJsonDocument d = QJsonDocument::fromJson(("[" + literal + "]").toUtf8());
    return d.isArray() ? d.array().at(0).toString() : QStringLiteral("<invalid>");
}

} // namespace

TEST(ScriptLiteral, EveryValueRoundTripsAndBreaksNoScript) {
    const QString cases[] = {
        QStringLiteral("plain"), QStringLiteral("quote \" and back\\slash"), QStringLiteral("line\nbreak\r\t"),
        QString(QChar(0x2028)) + QChar(0x2029), QStringLiteral("</script><script>alert(1)</script>"),
        QStringLiteral("\");alert(1);(\""), QString(QChar(0x01)) + QChar(0x1f)};
    for (const QString& c : cases) {
        const QString lit = ScriptLiteral(c);
        EXPECT_EQ(Decoded(lit), c) << lit.toStdString();
        EXPECT_FALSE(lit.contains(QChar(0x2028)) || lit.contains(QChar(0x2029)) || lit.contains(u'\n'));
        EXPECT_FALSE(lit.contains(QStringLiteral("</")));
    }
}

TEST(Scripts, StartAndInputCarryTheSplitLine) {
    const QString start = StartScript({QStringLiteral("wiki foo \"bar\""), QStringLiteral("#102030"),
                                       QStringLiteral("#ffffff")});
    EXPECT_TRUE(start.startsWith(QStringLiteral("if (window.vantrelo){window.vantrelo._data.start_input = ")));
    EXPECT_TRUE(start.contains(QStringLiteral("start_command = \"wiki\";")));
    EXPECT_TRUE(start.contains(QStringLiteral("start_parameter = \"foo \\\"bar\\\"\";")));
    EXPECT_TRUE(start.contains(QStringLiteral("bg_color = \"#ffffff\";")));
    EXPECT_TRUE(start.endsWith(QStringLiteral("window.vantrelo.ready();}")));
    EXPECT_EQ(InputScript(QStringLiteral("one")), QStringLiteral("window.vantrelo.input(\"one\", \"one\", \"\");"));
    EXPECT_EQ(InputScript(QStringLiteral("a b c")),
              QStringLiteral("window.vantrelo.input(\"a b c\", \"a\", \"b c\");"));
}

TEST(Scripts, RepliesQuoteTheIdSafely) {
    const QString id = QStringLiteral("x'\"});alert(1)//");
    const QString ok = SuccessReply(id);
    ASSERT_TRUE(ok.startsWith(QStringLiteral("window.vantrelo.response(")));
    const QString arg = ok.mid(25, ok.size() - 27);
    const QJsonObject reply = QJsonDocument::fromJson(Decoded(arg).toUtf8()).object();
    EXPECT_EQ(reply.value(QStringLiteral("result")).toString(), QStringLiteral("0"));
    EXPECT_EQ(reply.value(QStringLiteral("id")).toString(), id);

    const QString err = ErrorReply(id, QStringLiteral("403"), QLatin1String(kForbidden));
    const QJsonObject e = QJsonDocument::fromJson(err.mid(25, err.size() - 27).toUtf8()).object();
    EXPECT_EQ(e.value(QStringLiteral("id")).toString(), id);
    EXPECT_EQ(e.value(QStringLiteral("error")).toObject().value(QStringLiteral("message")).toString(),
              QStringLiteral("Forbidden, not allowed by user."));
}

TEST(Requests, ParsedOnlyFromObjects) {
    struct Case {
        const char* json;
        bool ok;
        const char* method;
        const char* id;
    };
    const Case cases[] = {
        {R"({"method":"input_set","id":"7","params":{"text":"a"}})", true, "input_set", "7"},
        {R"({"method":"input_set"})", true, "input_set", "missing"},
        {R"({"method":"input_set","id":12})", true, "input_set", "12"},
        {R"({"method":"input_set","id":null})", true, "input_set", "missing"},
        {R"({"method":"input_set",)", false, "", ""},
        {R"("{\"method\":\"input_set\"}")", false, "", ""}, // a string is not read a second time
        {R"([1,2])", false, "", ""},
        {R"({"method":5})", false, "", ""},
    };
    for (const Case& c : cases) {
        const auto r = ParseRequest(QString::fromUtf8(c.json));
        ASSERT_EQ(r.has_value(), c.ok) << c.json;
        if (r) {
            EXPECT_EQ(r->method, QString::fromUtf8(c.method));
            EXPECT_EQ(r->id, QString::fromUtf8(c.id));
        }
    }
    EXPECT_EQ(ParseRequest(QStringLiteral(R"({"method":"a","params":{"text":"t"}})"))->params.value("text"), "t");
}

TEST(Permissions, LevelsOfMethodsAndDecisions) {
    EXPECT_EQ(MethodLevel(QStringLiteral("input_set")), 1);
    EXPECT_EQ(MethodLevel(QStringLiteral("dismiss")), 1);
    EXPECT_EQ(MethodLevel(QStringLiteral("open_url")), 2);
    EXPECT_EQ(MethodLevel(QStringLiteral("input_run")), 4);
    EXPECT_EQ(MethodLevel(QStringLiteral("Input_Set")), 0);

    struct Case {
        int global;
        std::optional<int> granted;
        int level;
        TPermit want;
    };
    const Case cases[] = {
        {1, std::nullopt, 1, TPermit::Allow},  {1, std::nullopt, 2, TPermit::AskUnknown},
        {4, std::nullopt, 4, TPermit::Allow},  {0, 4, 4, TPermit::Allow},
        {0, 2, 1, TPermit::Allow},             {0, 2, 4, TPermit::Ask},
        {0, -1, 1, TPermit::Ask},              {-1, std::nullopt, 4, TPermit::AskUnknown}, // -1 no longer opens all
        {7, 1, 4, TPermit::Ask},               {2, 9, 4, TPermit::Ask}, // a stored 9 counts as 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecidePermission(c.global, c.granted, c.level), c.want) << c.global << " " << c.level;
}

TEST(Permissions, QuestionTexts) {
    EXPECT_EQ(PermissionQuestion(QStringLiteral("wiki"), 2),
              QStringLiteral("The keyword \"wiki\" is requesting to open a URL in an external browser, do you want "
                             "to allow this? (\"Always allow\" will only apply to the \"wiki\" keyword)."));
    EXPECT_EQ(PermissionQuestion(QString(), 4),
              QStringLiteral("An unknown source is requesting to connect and run an input command, do you want to "
                             "allow this?."));
}

// The details are the whole text, with what would hide part of it written out.
TEST(Permissions, DetailsAreWholeAndVisible) {
    const std::pair<QString, QString> cases[] = {
        {QString(5000, u'x') + QStringLiteral(" || tail"), QString(5000, u'x') + QStringLiteral(" || tail")},
        {QStringLiteral("a\r\nb\tc"), QStringLiteral("a\\r\\nb\\tc")},
        {QStringLiteral("x") + QChar(0x202e) + QStringLiteral("cod.exe"), QStringLiteral("x<U+202E>cod.exe")},
        {QStringLiteral("x") + QChar(0x2028) + QChar(0x200b) + QChar(0x01), QStringLiteral("x<U+2028><U+200B><U+0001>")},
        {QStringLiteral("ünïcode ok"), QStringLiteral("ünïcode ok")},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(PromptDetail(text), shown);
}

// A grant names its origin; one stored before grants did stands for the keyword's own fixed address.
TEST(Permissions, GrantOrigins) {
    EXPECT_EQ(GrantOrigin(QUrl("HTTP://Example.org:8443/a?b")), "http://example.org:8443");
    EXPECT_EQ(GrantOrigin(QUrl("file:///srv/a.html")), "file://");
    EXPECT_EQ(GrantOrigin(QUrl("about:blank")), "");
    const std::pair<const char*, const char*> commands[] = {
        {"$B$ $BCONNECT$ https://wiki.example/search?q=$P$", "https://wiki.example"},
        {"$B$ $BCONNECT$ http://127.0.0.1:8080/$P$", "http://127.0.0.1:8080"},
        {"$B$ $BCONNECT$ $P$", ""},
        {"$B$ $BCONNECT$ https://$P$/", ""},
        {"$B$ $BCONNECT$ https://wiki.$P$.example/", ""},
        {"$B$ wiki.example/x", "http://wiki.example"},
        {"$B$ $BCONNECT$ /srv/page.html", "file://"},
        {"$B$ $BCONNECT$ file:///srv/page.html", "file://"},
        {"$B$", ""},
    };
    for (const auto& [command, origin] : commands)
        EXPECT_EQ(FixedCommandOrigin(QString::fromUtf8(command)), QString::fromUtf8(origin)) << command;
    EXPECT_EQ(GrantedLevel(4, "https://a.example", "", "https://a.example"), 4);
    EXPECT_EQ(GrantedLevel(4, "https://a.example", "", "https://b.example"), -1);
    EXPECT_EQ(GrantedLevel(3, "", "$B$ https://a.example/$P$", "https://a.example"), 3);
    EXPECT_EQ(GrantedLevel(-1, "https://a.example", "", "https://a.example"), -1);
    EXPECT_EQ(GrantedLevel(4, "", "$B$ $P$", ""), -1);
}

TEST(Origins, FullOriginsCompared) {
    struct Case {
        const char* opened;
        const char* current;
        bool same;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8080/a", "http://127.0.0.1:8080/b?q", true},
        {"http://127.0.0.1:8080/a", "http://127.0.0.1:8081/a", false},
        {"http://example.org/", "https://example.org/", false},
        {"https://Example.org/", "https://example.org/x", true},
        {"https://example.org/", "file:///etc/passwd", false},
        {"file:///home/u/page.html", "file:///home/u/other.html", true},
        {"about:blank", "about:blank", false},
        {"data:text/html,x", "data:text/html,y", false},
        {"https://example.org/", "https://example.org.evil.com/", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameOrigin(QUrl(c.opened), QUrl(c.current)), c.same) << c.opened << " " << c.current;
    EXPECT_EQ(OriginOf(QUrl("https://user:pw@example.org:8443/path?q#f")), "https://example.org:8443");
    EXPECT_EQ(OriginOf(QUrl("https://example.org")), "https://example.org");
    EXPECT_EQ(OriginOf(QUrl("about:blank")), "");
}

TEST(Origins, OnlyWebAndMailLeaveThePage) {
    EXPECT_TRUE(ExternalUrlAllowed(QUrl("https://example.org/x")));
    EXPECT_TRUE(ExternalUrlAllowed(QUrl("mailto:a@b.c")));
    for (const char* u : {"file:///bin/sh", "$EXIT$", "javascript:alert(1)", "calc", "http://", "smb://host/x"})
        EXPECT_FALSE(ExternalUrlAllowed(QUrl(u))) << u;
}

TEST(Clicks, SpecificationsBecomeScripts) {
    const QString at = "if (document.querySelector(\"#login\")) {document.querySelector(\"#login\").click();}";
    EXPECT_EQ(ClickScript("#login"), at);
    EXPECT_EQ(ClickScript("500;#login"), "setTimeout(() => {" + at + "}, 500);");
    EXPECT_EQ(ClickScript("?#a;#b"),
              "if (document.querySelector(\"#a\")) {document.querySelector(\"#a\").click();} else "
              "if (document.querySelector(\"#b\")) {document.querySelector(\"#b\").click();}");
    EXPECT_EQ(ClickScript("100;?#a;200;?#b"),
              "setTimeout(() => {if (document.querySelector(\"#a\")) {document.querySelector(\"#a\").click();} else "
              "if (document.querySelector(\"#b\")) {document.querySelector(\"#b\").click();}}, 200);");
    EXPECT_EQ(ClickScript("500"), "");
    EXPECT_TRUE(ClickScript("a[href=\"x\"]").contains("querySelector(\"a[href=\\\"x\\\"]\")"));
}

TEST(UserAgent, SetTextOrMarkedDefault) {
    EXPECT_EQ(UserAgentFor("Mine/1", true, "Engine/9"), "Mine/1");
    EXPECT_EQ(UserAgentFor("", true, "Engine/9"), "Engine/9 Vantrelo/2.0");
    EXPECT_EQ(UserAgentFor("", false, "Engine/9"), "Engine/9");
}

TEST(StartPage, ShowsUnforcedOnlyOverNothingTheUserIsUsing) {
    struct Case {
        const char* name;
        TStartPageCheck check;
        bool shows;
    } cases[] = {
        {"forced over everything", {true, false, true, "typed", false, false}, true},
        {"not without startautoshow", {false, false, false, "", false, false}, false},
        {"empty line", {false, true, false, "", false, false}, true},
        {"over a text panel, editor or page", {false, true, true, "", false, false}, false},
        {"over typed text", {false, true, false, "typed", false, false}, false},
        {"over wholly selected text", {false, true, false, "typed", true, false}, true},
        {"over the idle information", {false, true, false, "12:00", false, true}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartPageMayShow(c.check), c.shows) << c.name;
}

TEST(BridgeLogic, AStartPageKeywordMustOpenAPage) {
    const std::pair<const char*, bool> cases[] = {
        {"https://example.org/$P$", true},
        {"$B$ $BCONNECT$ file:///srv/page.html", true},
        {"$bn$ intranet", true},
        {"www.example.org", true},
        {"xterm", false},
        {"$NOTES$", false},
        {"", false},
        {"https://a.example || https://b.example", false}, // several commands
    };
    for (const auto& [command, opens] : cases)
        EXPECT_EQ(StartPageKeywordOpensAPage(QString::fromUtf8(command), "||"), opens) << command;
}
