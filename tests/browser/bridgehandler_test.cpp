// The page bridge's request handler driven by a fake page, host and dialog: replies, permissions, refusals, queueing.
#include "browser/bridgehandler.h"
#include "core/settings.h"

#include "support/browserfakes.h"
#include "support/qtapp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace vantrelo {
namespace {

constexpr char kHome[] = "http://127.0.0.1:8080/page";

class TFakePage final : public TBridgePage {
public:
    quint64 navigation = 1;
    bool connected = true;
    QString keyword = QStringLiteral("wiki");
    QUrl current{QString::fromLatin1(kHome)};
    QStringList scripts;
    int focused = 0;
    int dismissed = 0;

    quint64 Navigation() const override { return navigation; }
    bool Connected(quint64 n) const override { return connected && n == navigation; }
    void RunScript(const QString& script, quint64 n) override {
        if (n == navigation)
            scripts << script;
    }
    QString Keyword() const override { return keyword; }
    QUrl Current() const override { return current; }
    void FocusPage() override { ++focused; }
    void Dismiss() override { ++dismissed; }
};

// The reply a script carries: "0" for success, else the error's code; empty when it is no reply.
QString ReplyCode(const QString& script, QString* id = nullptr) {
    const QString head = QStringLiteral("window.vantrelo.response(");
    if (!script.startsWith(head) || !script.endsWith(QLatin1String(");")))
        return {};
    QString arg = script.mid(head.size(), script.size() - head.size() - 2);
    if (arg.startsWith(u'"')) // a success reply is JSON text inside a string literal
        arg = QJsonDocument::fromJson(("[" + arg + "]").toUtf8()).array().at(0).toString();
    const QJsonObject o = QJsonDocument::fromJson(arg.toUtf8()).object();
    if (id)
        *id = o.value(QStringLiteral("id")).toString();
    if (o.contains(QStringLiteral("error")))
        return o.value(QStringLiteral("error")).toObject().value(QStringLiteral("code")).toString();
    return o.value(QStringLiteral("result")).toString();
}

QString Request(const QString& method, const QJsonObject& params = {}, const QString& id = QStringLiteral("1")) {
    QJsonObject o{{QStringLiteral("method"), method}, {QStringLiteral("params"), params}};
    if (!id.isEmpty())
        o.insert(QStringLiteral("id"), id);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

class BridgeHandler : public ::testing::Test {
protected:
    void SetUp() override {
        test::CoreApp();
        settings.permissionlevel = 0;
        host.keywords[QStringLiteral("wiki")] = {-1, QString(), QStringLiteral("$B$ $BCONNECT$ ") + kHome};
    }
    // The turns of the event loop that take the queued requests.
    void Settle() {
        for (int i = 0; i < 200; ++i)
            QCoreApplication::processEvents();
    }
    // Posts one request from the page and gives the reply's code (empty when none came).
    QString Post(const QString& message) {
        const qsizetype before = page.scripts.size();
        handler.Receive(message);
        Settle();
        for (qsizetype i = page.scripts.size() - 1; i >= before; --i) {
            const QString code = ReplyCode(page.scripts[i]);
            if (!code.isEmpty())
                return code;
        }
        return {};
    }

    TSettings settings;
    TFakePage page;
    test::TRecordingBrowserHost host;
    test::TAnsweringPrompt prompt;
    TBridgeHandler handler{settings, page, host, prompt};
};

TEST_F(BridgeHandler, MethodsAnswerTheirCodes) {
    struct Case {
        const char* name;
        QString message;
        int global;
        QString code;
        int asked;
    };
    const QJsonObject etc{{QStringLiteral("url"), QStringLiteral("file:///etc/passwd")}};
    const QJsonObject web{{QStringLiteral("url"), QStringLiteral("https://example.org/")}};
    const Case cases[] = {
        {"basic request at level 1", Request("input_set", {{"text", "a"}}), 1, "0", 0},
        {"unknown method", Request("no_such_method"), 0, "-32601", 0},
        {"methods compared exactly", Request("Input_Set"), 4, "-32601", 0},
        {"a file address is refused before anyone is asked", Request("open_url", etc), 0, "-32602", 0},
        {"nor at level 4", Request("open_url", etc), 4, "-32602", 0},
        {"a script address", Request("open_url", {{"url", "javascript:alert(1)"}}), 0, "-32602", 0},
        {"a web address asks, refused", Request("open_url", web), 0, "403", 1},
        {"level 2 opens web addresses unasked", Request("open_url", web), 2, "0", 0},
        {"running an input asks below level 4", Request("input_run", {{"text", "xterm"}}), 3, "403", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.runs.clear();
        host.opened.clear();
        prompt.asked.clear();
        settings.permissionlevel = c.global;
        EXPECT_EQ(Post(c.message), c.code);
        EXPECT_EQ(int(prompt.asked.size()), c.asked);
        EXPECT_TRUE(host.runs.isEmpty());
        if (c.code != QLatin1String("0")) {
            EXPECT_TRUE(host.opened.isEmpty());
        }
    }
    QString id;
    handler.Receive(Request("input_set", {}, QString()));
    Settle();
    ReplyCode(page.scripts.last(), &id);
    EXPECT_EQ(id, QStringLiteral("missing"));
}

TEST_F(BridgeHandler, UnconnectedOrGonePagesGetNothing) {
    settings.permissionlevel = 4;
    page.connected = false;
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), QString());
    page.connected = true;
    // Posted at one navigation, taken after the next: the new page is not the one that asked.
    handler.Receive(Request("input_run", {{"text", "xterm"}}));
    ++page.navigation;
    Settle();
    EXPECT_TRUE(host.runs.isEmpty());
    EXPECT_TRUE(page.scripts.isEmpty());
}

// A grant holds for the keyword on the origin it was given for; stored without an origin (older
// files), for the keyword's own address when the user's parameters cannot change its site.
TEST_F(BridgeHandler, GrantsHoldForTheirKeywordAndOrigin) {
    struct Case {
        const char* name;
        int stored;
        const char* storedOrigin;
        const char* command;
        const char* page;
        int asked;
    };
    const Case cases[] = {
        {"granted here", 4, "http://127.0.0.1:8080", "$B$ $BCONNECT$ http://127.0.0.1:8080/x", kHome, 0},
        {"granted for another origin", 4, "http://127.0.0.1:9999", "$B$ $BCONNECT$ $P$", kHome, 1},
        {"granted for another port", 4, "http://127.0.0.1:8081", "$B$ $BCONNECT$ $P$", kHome, 1},
        {"too low a grant", 1, "http://127.0.0.1:8080", "$B$ $BCONNECT$ $P$", kHome, 1},
        {"older file, fixed address", 4, "", "$B$ $BCONNECT$ http://127.0.0.1:8080/s?q=$P$", kHome, 0},
        {"older file, the user's address", 4, "", "$B$ $BCONNECT$ $P$", kHome, 1},
        {"older file, parameter in the host", 4, "", "$B$ $BCONNECT$ http://$P$.example.org/", "http://127.0.0.1.example.org/", 1},
        {"local files share a grant", 4, "file://", "$B$ $BCONNECT$ /srv/a.html", "file:///srv/b.html", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompt.asked.clear();
        host.runs.clear();
        host.keywords[QStringLiteral("wiki")] = {c.stored, QString::fromLatin1(c.storedOrigin), QString::fromLatin1(c.command)};
        page.current = QUrl(QString::fromLatin1(c.page));
        prompt.answer = TPromptAnswer::Refused;
        // A fresh handler: refusals are remembered for the run.
        TBridgeHandler fresh(settings, page, host, prompt);
        fresh.Receive(Request("input_run", {{"text", "xterm"}}));
        Settle();
        EXPECT_EQ(int(prompt.asked.size()), c.asked);
        EXPECT_EQ(host.runs.size(), 1 - c.asked);
        if (c.asked) {
            EXPECT_EQ(prompt.asked[0].choices, TPromptChoices::OnceAlwaysOrRefuse);
        }
    }
}

TEST_F(BridgeHandler, AlwaysAllowStoresTheLevelForThisOriginOnly) {
    prompt.answer = TPromptAnswer::Always;
    EXPECT_EQ(Post(Request("open_url", {{"url", "https://example.org/"}})), "0");
    EXPECT_EQ(host.keywords[QStringLiteral("wiki")].level, 2);
    EXPECT_EQ(host.keywords[QStringLiteral("wiki")].origin, QStringLiteral("http://127.0.0.1:8080"));
    // Below the grant nothing asks; above it, or on another origin, the user is asked again.
    EXPECT_EQ(Post(Request("input_set", {{"text", "a"}})), "0");
    EXPECT_EQ(prompt.asked.size(), 1u);
    prompt.answer = TPromptAnswer::Refused;
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), "403");
    EXPECT_EQ(prompt.asked.size(), 2u);
    page.current = QUrl(QStringLiteral("http://127.0.0.1:8081/page"));
    EXPECT_EQ(Post(Request("input_set", {{"text", "a"}})), "403");
    EXPECT_EQ(prompt.asked.size(), 3u);
    // A page of no known keyword is an unknown source: no "Always allow", nothing stored.
    page.keyword = QStringLiteral("gone");
    prompt.answer = TPromptAnswer::Always;
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), "0");
    EXPECT_EQ(prompt.asked.back().choices, TPromptChoices::AllowOrRefuse);
    EXPECT_TRUE(prompt.asked.back().question.startsWith(QLatin1String("An unknown source")));
    EXPECT_EQ(host.keywords.count(QStringLiteral("gone")), 0u);
}

TEST_F(BridgeHandler, ARefusalHoldsForThatKeywordOnThatOriginOnly) {
    host.keywords[QStringLiteral("other")] = {-1, QString(), QStringLiteral("$B$ $BCONNECT$ ") + kHome};
    prompt.answer = TPromptAnswer::Refused;
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), "403");
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), "403");
    EXPECT_EQ(prompt.asked.size(), 1u) << "refused once, not asked again";
    page.keyword = QStringLiteral("other");
    prompt.answer = TPromptAnswer::Once;
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), "0") << "another keyword on the same origin is asked";
    EXPECT_EQ(prompt.asked.size(), 2u);
    page.keyword = QStringLiteral("wiki");
    page.current = QUrl(QStringLiteral("http://127.0.0.1:8081/"));
    EXPECT_EQ(Post(Request("input_run", {{"text", "xterm"}})), "0") << "the same keyword elsewhere is asked";
    EXPECT_EQ(prompt.asked.size(), 3u);
    EXPECT_EQ(host.runs, QStringList({"xterm", "xterm"}));
}

// What the dialog shows is the whole request; refusing it runs nothing.
TEST_F(BridgeHandler, TheDialogShowsTheWholeCommand) {
    const QString command = QStringLiteral("touch /tmp/marks/visible") + QString(400, u' ') +
                            QStringLiteral("\n|| touch /tmp/marks/hidden-tail") + QChar(0x202e) + QStringLiteral("txt");
    EXPECT_EQ(Post(Request("input_run", {{"text", command}})), "403");
    ASSERT_EQ(prompt.asked.size(), 1u);
    const QString shown = prompt.asked[0].details;
    EXPECT_TRUE(shown.contains(QStringLiteral("\\n|| touch /tmp/marks/hidden-tail<U+202E>txt\""))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString(400, u' ')));
    EXPECT_TRUE(host.runs.isEmpty());
}

TEST_F(BridgeHandler, QuestionsAreQueuedAndClicksAskForTheRunningKeyword) {
    host.keywords[QStringLiteral("clicker")] = {3, QStringLiteral("http://127.0.0.1:8080"), QString()};
    // Nothing is asked inside the caller (the engine's load callback), only on a later turn.
    prompt.answer = TPromptAnswer::Once;
    handler.Click(QStringLiteral("#login"), QStringLiteral("wiki"));
    EXPECT_TRUE(prompt.asked.empty());
    Settle();
    ASSERT_EQ(prompt.asked.size(), 1u);
    EXPECT_TRUE(prompt.asked[0].question.contains(QLatin1String("click")));
    EXPECT_TRUE(page.scripts.last().contains(QLatin1String("#login")));
    // The keyword that runs the click is the one asked for: this one holds level 3 here.
    page.scripts.clear();
    handler.Click(QStringLiteral("#go"), QStringLiteral("clicker"));
    Settle();
    EXPECT_EQ(prompt.asked.size(), 1u);
    ASSERT_EQ(page.scripts.size(), 1);
    // The page ends while the dialog is open (a flush handed over meanwhile): the click goes nowhere,
    // and a request posted meanwhile waits for the answer instead of opening a second dialog.
    page.scripts.clear();
    int depth = 0;
    prompt.whileOpen = [&] {
        ++depth;
        if (depth == 1) {
            handler.Receive(Request("input_set", {{"text", "later"}}));
            Settle();
            EXPECT_EQ(prompt.asked.size(), 2u) << "no second dialog while one is open";
            ++page.navigation;
        }
    };
    handler.Click(QStringLiteral("#x"), QStringLiteral("wiki"));
    Settle();
    EXPECT_TRUE(page.scripts.isEmpty());
    EXPECT_TRUE(host.input.isEmpty()) << "the request was for the page that went";
    // A page posting faster than the user answers loses the excess, not the program its memory.
    prompt.whileOpen = {};
    ++page.navigation;
    for (std::size_t i = 0; i < TBridgeHandler::kQueueMax + 10; ++i)
        handler.Receive(Request("dismiss"));
    Settle();
    EXPECT_EQ(host.afterCommands, int(TBridgeHandler::kQueueMax));
}

// What each method does with its flags, and the hint rule.
TEST_F(BridgeHandler, FlagsAndHints) {
    settings.permissionlevel = 4;
    struct Case {
        const char* name;
        QString message;
        int afterCommands;
        int dismissed;
        int inputFocused;
        int pageFocused;
    };
    const QString url = QStringLiteral("https://example.org/");
    const Case cases[] = {
        {"dismiss", Request("dismiss"), 1, 0, 0, 0},
        {"browser_dismiss", Request("browser_dismiss"), 0, 1, 1, 0},
        {"browser_focus", Request("browser_focus"), 0, 0, 0, 1},
        {"input_focus", Request("input_focus", {{"select_all", true}}), 0, 0, 1, 0},
        {"open_url plain", Request("open_url", {{"url", url}}), 0, 0, 0, 0},
        {"open_url dismiss", Request("open_url", {{"url", url}, {"dismiss", true}}), 1, 0, 0, 0},
        {"open_url dismiss_browser", Request("open_url", {{"url", url}, {"dismiss_browser", true}}), 0, 1, 0, 0},
        {"input_run dismiss_browser", Request("input_run", {{"text", "x"}, {"dismiss_browser", true}}), 0, 1, 0, 0},
        {"input_set focus", Request("input_set", {{"text", "x"}, {"focus", true}}), 0, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.afterCommands = host.inputFocused = page.dismissed = page.focused = 0;
        EXPECT_EQ(Post(c.message), "0");
        EXPECT_EQ(host.afterCommands, c.afterCommands);
        EXPECT_EQ(page.dismissed, c.dismissed);
        EXPECT_EQ(host.inputFocused, c.inputFocused);
        EXPECT_EQ(page.focused, c.pageFocused);
    }
    // A page's hint shows with its text, goes when the page sets text without one, and with empty text.
    host.hints.clear();
    Post(Request("input_set", {{"text", "a"}, {"hint", "h"}}));
    Post(Request("input_set", {{"text", "b"}}));
    Post(Request("input_set", {{"text", "c"}}));
    Post(Request("input_set", {{"text", ""}}));
    EXPECT_EQ(host.hints, QStringList({"h", "", ""}));
}

} // namespace
} // namespace vantrelo
