// The launcher's web view under X: a connected page served from 127.0.0.1 and the bridge to the line.
// The engine is loaded from its module as the program loads it; this test never links it, so it
// reaches the view through its properties and drives the page by what the user types.
#include "app/application.h"
#include "core/settingsstore.h"
#include "ui/cmdform.h"
#include "ui/mainform.h"
#include "ui/wordedit.h"

#include "support/qtapp.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

// Under AddressSanitizer, the web engine's own code (a prebuilt Chromium, not instrumented) frees
// objects with a sized delete of another size, and leaves its singletons and the allocations of
// libraries it has unloaded to the end of the process, where no leak can be told apart from the
// program's. This executable alone turns those two checks off; every other error in the program's
// code in this process still fails it, and the other tests keep the leak check.
extern "C" __attribute__((used)) const char* __asan_default_options() { return "new_delete_type_mismatch=0"; }
extern "C" __attribute__((used)) int __lsan_is_turned_off() { return 1; }

namespace vantrelo {
namespace {

// Pages take longer than widgets, the more so under the sanitizers.
bool Until(const std::function<bool()>& done, int ms = 30000) { return test::Until(done, ms); }

// Serves fixed pages and redirects by path over HTTP/1.0 on 127.0.0.1, and keeps every path asked for.
class PageServer : public QObject {
public:
    std::map<QByteArray, QByteArray> pages;
    std::map<QByteArray, QByteArray> redirects; // path -> location
    QList<QByteArray> asked;

    PageServer() {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { Answer(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
    }
    quint16 Port() const { return server_.serverPort(); }

private:
    void Answer(QTcpSocket* s) {
        // The request may arrive in pieces; it is answered once its head is whole.
        QByteArray request = s->property("head").toByteArray() + s->readAll();
        s->setProperty("head", request);
        if (!request.contains("\r\n\r\n") || s->property("answered").toBool())
            return;
        s->setProperty("answered", true);
        const QByteArray path = request.split(' ').value(1);
        asked << path;
        if (const auto r = redirects.find(path); r != redirects.end()) {
            s->write("HTTP/1.0 302 Found\r\nLocation: " + r->second + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            s->disconnectFromHost();
            return;
        }
        const auto it = pages.find(path.split('?').value(0));
        const QByteArray body = it == pages.end() ? QByteArray("none") : it->second;
        s->write((it == pages.end() ? "HTTP/1.0 404 Not Found\r\n" : "HTTP/1.0 200 OK\r\n") +
                 QByteArray("Content-Type: text/html; charset=utf-8\r\nContent-Length: ") +
                 QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }
    QTcpServer server_;
};

// The page shows what the bridge tells it in its title. A typed "do:METHOD:TEXT" makes it send
// METHOD with {text: TEXT}; "do:title:TEXT" only sets its title.
constexpr char kPage[] = R"(<!DOCTYPE html><html><head><title>loaded</title></head><body><script>
window.vantrelo = window.vantrelo || {};
vantrelo.onready = function (d) { document.title = "ready:" + d.input; };
var sent = null;
vantrelo.oninput = function (i) {
  if (i === sent) return; // the line this page set, heard back
  var m = /^do:([a-z_]+):([^]*)$/.exec(i);
  if (!m) { document.title = "input:" + i; return; }
  if (m[1] === "title") { document.title = m[2]; return; }
  sent = m[2];
  vantrelo.send(m[1], {text: m[2]}).then(function () { document.title = "ok:" + m[1]; },
                                         function (e) { document.title = "error:" + e.code; });
};
</script></body></html>)";

// A field that has the keyboard at once; it shows what reaches it, and what Enter sends.
constexpr char kForm[] = R"(<!DOCTYPE html><html><head><title>form</title></head><body>
<form onsubmit="document.title = 'sent:' + document.getElementById('q').value; return false;">
<input id="q" autofocus oninput="document.title = 'typed:' + this.value"></form></body></html>)";

// A hostile page: it tells the server at `report` whether it can see the web channel's transport,
// then for three seconds tries every way it has to make the launcher set the line to "pwned:TAG":
// the channel's own protocol on any transport it sees, the relay's event on its own and its parent's
// document, and the parent's window.vantrelo.
QByteArray Attack(const QByteArray& tag, const QString& report) {
    return R"(<!DOCTYPE html><html><head><title>attack</title></head><body><script>
(function (tag, report) {
  var msg = JSON.stringify({method: "input_set", id: tag, params: {text: "pwned:" + tag}});
  var t = window.qt && window.qt.webChannelTransport;
  new Image().src = report + "?" + tag + (t ? ":transport" : ":none");
  function channel() {
    if (!t) return;
    t.onmessage = function (m) {
      try {
        var d = typeof m.data === "string" ? JSON.parse(m.data) : m.data;
        var b = d && d.data && d.data.vantrelo_bridge;
        if (!b) return;
        b.methods.forEach(function (x) {
          if (x[0] === "post") t.send(JSON.stringify({type: 6, object: "vantrelo_bridge", method: x[1], args: [msg], id: 9}));
        });
      } catch (e) {}
    };
    t.send(JSON.stringify({type: 3, id: 1}));
  }
  function events() {
    document.dispatchEvent(new CustomEvent("vantrelo-post", {detail: msg}));
    try { parent.document.dispatchEvent(new CustomEvent("vantrelo-post", {detail: msg})); } catch (e) {}
    try { top.vantrelo.send("input_set", {text: "pwned:" + tag}); } catch (e) {}
  }
  var n = 0;
  var every = setInterval(function () { channel(); events(); if (++n > 20) clearInterval(every); }, 150);
})(")" + tag + "\", \"" + report.toUtf8() + R"(");
</script></body></html>)";
}

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        // The application is made as the launcher's main() makes it: the engine is loaded later.
        test::WidgetApp();
        data = dir.File("config/Vantrelo/");
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(dir.File("runtime")));
        QFile::setPermissions(dir.File("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const QByteArray name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_RUNTIME_DIR"})
            saved.emplace_back(name, qgetenv(name));
        qputenv("XDG_CONFIG_HOME", dir.File("config").toUtf8());
        qputenv("XDG_DATA_HOME", dir.File("share").toUtf8());
        qputenv("XDG_DATA_DIRS", dir.File("nosystem").toUtf8());
        qputenv("XDG_RUNTIME_DIR", dir.File("runtime").toUtf8());
        // Made once the application exists: a listening socket made before it is never served.
        server = std::make_unique<PageServer>();
        server->pages["/page"] = kPage;
        server->pages["/form"] = kForm;
    }

    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        for (const auto& [name, value] : saved)
            qputenv(name, value);
    }

    QString Url(const char* host, const char* path) const {
        return QStringLiteral("http://%1:%2%3").arg(host).arg(server->Port()).arg(path);
    }

    void Start(int global, int granted, const char* path = "/page",
               const std::function<void(TSettings&)>& tweak = {}) {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        TSettingsStore store(places);
        TUserData user;
        user.settings.hide = false;
        user.settings.permissionlevel = global;
        if (tweak)
            tweak(user.settings);
        auto w = MakeNewKeyword(QStringLiteral("wiki"), "$B$ $BCONNECT$ " + Url("127.0.0.1", path), QString());
        w->permissionlevel = granted;
        user.keywords.Add(std::move(w));
        // The parameters typed into the page, with Enter, and after a long delay.
        user.keywords.Add(MakeNewKeyword(QStringLiteral("find"), "$B$ " + Url("127.0.0.1", "/form") + " $PS$", {}));
        user.keywords.Add(MakeNewKeyword(QStringLiteral("findgo"), "$BN$ " + Url("127.0.0.1", "/form") + " $PSE$", {}));
        user.keywords.Add(MakeNewKeyword(QStringLiteral("slow"), "$B$ " + Url("127.0.0.1", "/form") + " $PS8000$", {}));
        user.keywords.Add(MakeNewKeyword(QStringLiteral("find2"), QStringLiteral("xterm -e find"), {}));
        // A click once the page has loaded, which asks for level 3.
        user.keywords.Add(MakeNewKeyword(QStringLiteral("clicker"),
                                         "$BN$ " + Url("127.0.0.1", "/clicks") + " $BCLICK$#go$BCLICK$", {}));
        ASSERT_TRUE(store.WriteSettings(user));
        app = std::make_unique<TApplication>(places, QStringList());
        ASSERT_EQ(app->Start(), -1);
        Form().ManageShowHide(true, false, TShowLock::Hotkey);
    }

    TMainForm& Form() { return *app->Form(); }
    QWidget* View() {
        for (QWidget* w : Form().CmdForm()->BrowserPanel()->findChildren<QWidget*>()) {
            if (w->inherits("QWebEngineView"))
                return w;
        }
        return nullptr;
    }
    QString Title() { return View() ? View()->property("title").toString() : QString(); }
    QUrl Location() { return View() ? View()->property("url").toUrl() : QUrl(); }
    // What the user types; a connected page hears it.
    void Type(const QString& text) { Form().SetLineText(text, false); }

    // Runs the line's text as Enter does.
    void Run(const QString& text) {
        Form().SetLineText(text, false);
        QTest::keyClick(Form().WordEdit(), Qt::Key_Return);
    }

    void OpenWiki() {
        Run(QStringLiteral("wiki"));
        const bool ok = Until([&] { return Title() == QLatin1String("ready:wiki"); });
        ASSERT_TRUE(ok) << Title().toStdString() << " " << Location().toString().toStdString();
    }

    // The permission dialog on display, if any.
    static QWidget* Prompt() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("PermissionPrompt") && w->isVisible() &&
                w->windowTitle() == QLatin1String("Permission required"))
                return w;
        }
        return nullptr;
    }

    // Answers the permission dialog with the button named `button` whenever one opens.
    void AnswerPrompts(const QString& button) {
        answer = button;
        prompts = 0;
        auto* t = new QTimer(&timers);
        QObject::connect(t, &QTimer::timeout, [this] {
            if (QWidget* box = Prompt()) {
                for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
                    if (b->text() == answer) {
                        ++prompts;
                        b->click();
                    }
                }
            }
        });
        t->start(50);
    }

    test::TempDir dir;
    QString data;
    std::unique_ptr<PageServer> server;
    std::vector<std::pair<QByteArray, QByteArray>> saved;
    std::unique_ptr<TApplication> app;
    QObject timers;
    QString answer;
    int prompts = 0;
};

// Runs an X tool (xdotool) and waits for it.
void Tool(const QStringList& args) {
    QProcess p;
    p.start(args.first(), args.mid(1));
    p.waitForFinished(5000);
}

TEST_F(BrowserTest, ConnectedPageFollowsTypingAndSetsTheLine) {
    Start(1, -1);
    OpenWiki();
    EXPECT_TRUE(Form().CmdForm()->isVisible());
    Form().SetLineText(QStringLiteral("wiki"), false);
    QTest::keyClicks(Form().WordEdit(), QStringLiteral(" \"q\""));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("input:wiki \"q\""); })) << Title().toStdString();
    // A line separator travels to the page and back as text.
    Type(QStringLiteral("do:input_set:from page ") + QChar(0x2028));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ok:input_set"); })) << Title().toStdString();
    EXPECT_EQ(Form().Line().text, QStringLiteral("from page ") + QChar(0x2028));
    Type(QStringLiteral("do:no_such_method:"));
    EXPECT_TRUE(Until([&] { return Title() == QLatin1String("error:-32601"); })) << Title().toStdString();
}

TEST_F(BrowserTest, PageOfAnotherOriginIsNotConnected) {
    server->pages["/away"] = QByteArray("<script>location.href = ") + '"' + Url("localhost", "/page").toUtf8() +
                            "\";</script>";
    server->pages["/page2"] = kPage;
    Start(4, -1, "/away");
    Run(QStringLiteral("wiki"));
    ASSERT_TRUE(Until([&] { return Location().host() == QLatin1String("localhost") && Title() == QLatin1String("loaded"); }))
        << Location().toString().toStdString() << " " << Title().toStdString();
    // The foreign page hears nothing of the line, so it cannot act on it.
    Type(QStringLiteral("do:input_set:foreign"));
    // Back on the opened origin, the same page is connected and the same typing reaches it.
    View()->setProperty("url", QUrl(Url("127.0.0.1", "/page2")));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ready:wiki"); })) << Title().toStdString();
    EXPECT_EQ(Form().Line().text, QStringLiteral("do:input_set:foreign"));
    Type(QStringLiteral("do:input_set:home"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ok:input_set"); })) << Title().toStdString();
    EXPECT_EQ(Form().Line().text, QStringLiteral("home"));
}

TEST_F(BrowserTest, LevelsAskAndAlwaysAllowIsStored) {
    Start(0, -1);
    AnswerPrompts(QStringLiteral(" Always allow "));
    OpenWiki();
    Type(QStringLiteral("do:input_set:granted"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ok:input_set"); })) << Title().toStdString();
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Form().Line().text, QStringLiteral("granted"));
    const QString ini = QString::fromUtf8(test::ReadAll(data + "vantrelo.ini"));
    EXPECT_TRUE(ini.contains("plevel=1"));
    // The grant holds for the origin it was given on, and says so in the file.
    EXPECT_TRUE(ini.contains(QStringLiteral("porigin=http://127.0.0.1:%1").arg(server->Port()))) << ini.toStdString();
    // Level 1 is granted now; running an input (4) asks again, and a refusal answers 403.
    answer = QStringLiteral(" Don't allow ");
    Type(QStringLiteral("do:input_set:again"));
    ASSERT_TRUE(Until([&] { return Form().Line().text == QLatin1String("again"); }));
    EXPECT_EQ(prompts, 1);
    Type(QStringLiteral("do:input_run:wiki"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("error:403"); })) << Title().toStdString();
    EXPECT_EQ(prompts, 2);
    // Refused once, that level stays refused without another dialog.
    Type(QStringLiteral("do:title:x"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("x"); }));
    Type(QStringLiteral("do:input_run:wiki"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("error:403"); })) << Title().toStdString();
    EXPECT_EQ(prompts, 2);
}

TEST_F(BrowserTest, EndingTheBrowserFromItsOwnRequest) {
    Start(4, -1);
    OpenWiki();
    Type(QStringLiteral("do:input_run:$BROWSEREND$"));
    ASSERT_TRUE(Until([&] { return View() == nullptr; }));
    // The list window answers again, and the next page opens in a new view.
    OpenWiki();
}

// With `browserfocus`, the page that had the keyboard when another program took it gets it back
// when the window is summoned; without it the line does.
TEST_F(BrowserTest, ThePageTheUserLeftGetsTheKeyboardBackWithBrowserfocus) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "browserfocus" : "no browserfocus");
        Start(1, -1, "/page", [keep](TSettings& s) { s.browserfocus = keep; });
        qint64 clock = 1000000;
        Form().SetElapsedClock([&clock] { return clock; });
        OpenWiki();
        Form().CmdForm()->activateWindow();
        View()->setFocus();
        const auto inPage = [this] {
            QWidget* f = QApplication::focusWidget();
            return View() && f && (f == View() || View()->isAncestorOf(f));
        };
        ASSERT_TRUE(Until(inPage));

        const auto inLine = [this] { return QApplication::focusWidget() == Form().WordEdit(); };
        clock += 1000;
        Form().AppDeactivate(); // another program took the keyboard...
        // ...into a window of its own; the list window still names the page's widget as its own.
        QLineEdit other;
        other.show();
        other.activateWindow();
        other.setFocus();
        ASSERT_TRUE(Until([&] { return QApplication::focusWidget() == &other; }));
        clock += 1000;
        Form().HotkeyPressed(0);
        if (keep) {
            EXPECT_TRUE(Until(inPage));
        } else {
            EXPECT_TRUE(Until(inLine));
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            EXPECT_FALSE(inPage());
        }
        app->Shutdown();
        app.reset();
    }
}

// With `startautoshow`, showing the input window opens the start page in the list window.
TEST_F(BrowserTest, TheStartPageShowsItselfWithTheWindow) {
    for (const bool autoshow : {true, false}) {
        SCOPED_TRACE(autoshow ? "startautoshow" : "no startautoshow");
        const QString page = Url("127.0.0.1", "/page");
        Start(1, -1, "/page", [&](TSettings& s) {
            s.startpage = page;
            s.startautoshow = autoshow;
        });
        if (autoshow) {
            ASSERT_TRUE(Until([&] { return Location() == QUrl(page) && Title() == QLatin1String("loaded"); }))
                << Location().toString().toStdString();
            EXPECT_TRUE(Form().CmdForm()->isVisible());
        } else {
            // The check runs on the turn of the event loop after the show.
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            EXPECT_EQ(View(), nullptr);
        }
        app->Shutdown();
        app.reset();
    }
    // A start page named by a keyword that opens no page says so and opens nothing.
    Start(1, -1, "/page", [](TSettings& s) {
        s.startpage = QStringLiteral("find2");
        s.startautoshow = true;
    });
    ASSERT_TRUE(Until([&] { return Form().ToastText() == QLatin1String("Start page keyword is not URL related"); }))
        << Form().ToastText().toStdString();
    EXPECT_EQ(View(), nullptr);
}

// "$PS" and "$PSE" marks put the parameters into the page's focused field, and Enter after them;
// a page that lost the keyboard before the delay passed gets nothing, and neither does the line.
TEST_F(BrowserTest, ParametersAreTypedIntoThePageOnlyWhileItHasTheKeyboard) {
    Start(1, -1);
    Run(QStringLiteral("find hello \"there\""));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("typed:hello \"there\""); })) << Title().toStdString() << " " << Form().ToastText().toStdString();
    Run(QStringLiteral("findgo again"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("sent:again"); })) << Title().toStdString();

    Run(QStringLiteral("slow late"));
    ASSERT_TRUE(Until([&] {
        QWidget* f = QApplication::focusWidget();
        return Title() == QLatin1String("form") && f && View()->isAncestorOf(f);
    }));
    // The user goes back to the line and stays there (taking it back whenever the page's own
    // activation after its load arrives) until the delay has passed.
    Form().SetLineText(QStringLiteral("mine"), false);
    ASSERT_TRUE(Until(
        [&] {
            if (QApplication::focusWidget() != Form().WordEdit()) {
                Form().activateWindow();
                Form().WordEdit()->setFocus();
            }
            return Form().ToastText().startsWith(QLatin1String("Parameters not typed"));
        },
        20000))
        << Form().ToastText().toStdString() << " " << Title().toStdString();
    EXPECT_EQ(Title(), QStringLiteral("form"));
    EXPECT_EQ(Form().Line().text, QStringLiteral("mine"));
}

// With `browserdot`, a page that lives on behind a hidden panel shows the green badge; showing the
// page again or ending it takes the badge away.
TEST_F(BrowserTest, ABadgeShowsWhileAPageLivesHiddenInTheBackground) {
    ASSERT_TRUE(QFile::copy(VANTRELO_DATA "/browseractive.bmp", dir.File("browseractive.bmp")));
    Start(4, -1, "/page", [](TSettings& s) { s.browserdot = true; });
    OpenWiki();
    EXPECT_FALSE(Form().BrowserBadgeShown()) << "the page shows";
    QTest::keyClick(Form().WordEdit(), Qt::Key_F2);
    ASSERT_TRUE(Until([&] { return !Form().BrowserPanelShown(); }));
    EXPECT_TRUE(Form().BrowserBadgeShown());
    QTest::keyClick(Form().WordEdit(), Qt::Key_F2);
    ASSERT_TRUE(Until([&] { return Form().BrowserPanelShown(); }));
    EXPECT_FALSE(Form().BrowserBadgeShown());
    Type(QStringLiteral("do:input_run:$BROWSEREND$"));
    ASSERT_TRUE(Until([&] { return View() == nullptr; }));
    EXPECT_FALSE(Form().BrowserBadgeShown());
}

class HostileTest : public BrowserTest {
protected:
    void SetUp() override {
        BrowserTest::SetUp();
        other = std::make_unique<PageServer>();
    }
    QString Report() const { return Url("127.0.0.1", "/report"); }
    // The reports of the attack named `tag` that reached the server.
    QList<QByteArray> Reports(const QByteArray& tag) const {
        QList<QByteArray> out;
        for (const QByteArray& a : server->asked) {
            if (a.startsWith("/report?" + tag + ":"))
                out << a.mid(8);
        }
        return out;
    }
    // Waits for the attack to start and to have tried for a while; the line must be untouched.
    void Survives(const QByteArray& tag) {
        ASSERT_TRUE(Until([&] { return !Reports(tag).isEmpty(); })) << tag.constData();
        Until([] { return false; }, 3500); // the attack keeps posting for three seconds
        EXPECT_FALSE(Form().Line().text.startsWith(QLatin1String("pwned"))) << Form().Line().text.toStdString();
        EXPECT_FALSE(Reports(tag).contains(tag + ":transport")) << tag.constData() << " sees the channel";
    }
    QList<QWidget*> Popups() const {
        QList<QWidget*> out;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("TBrowserForm") && w->isVisible())
                out << w;
        }
        return out;
    }
    void ClickPage() {
        QWidget* view = View();
        ASSERT_TRUE(view);
        view->window()->raise();
        view->window()->activateWindow();
        const QPoint at = view->mapToGlobal(view->rect().center());
        Tool({"xdotool", "mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }
    std::unique_ptr<PageServer> other; // another port of the same host: another origin
};

// With every permission granted, nothing but the connected page of the opened origin reaches the
// bridge: not a frame of another origin inside it, not a sandboxed frame, not a page of another port
// it navigated to, not a redirect's target, not a page opened without $BCONNECT$.
TEST_F(HostileTest, NoForeignPageReachesTheBridge) {
    server->pages["/attack"] = Attack("same", Report());
    server->pages["/frames"] = QByteArray(kPage).replace(
        "</body>", "<iframe src=\"" + Url("localhost", "/attack-frame").toUtf8() +
                       "\"></iframe><iframe sandbox=\"allow-scripts\" src=\"/attack-sandbox\"></iframe></body>");
    server->pages["/attack-frame"] = Attack("frame", Report());
    server->pages["/attack-sandbox"] = Attack("sandbox", Report());
    server->pages["/attack-redirected"] = Attack("redirect", Report());
    server->redirects["/redirect"] = Url("localhost", "/attack-redirected").toUtf8();
    other->pages["/attack"] = Attack("port", Report());
    Start(4, -1, "/frames", [](TSettings&) {});
    OpenWiki();
    Survives("frame");
    Survives("sandbox");
    // The page itself is connected all along: the same request from it acts.
    Type(QStringLiteral("do:input_set:home"));
    ASSERT_TRUE(Until([&] { return Form().Line().text == QLatin1String("home"); })) << Title().toStdString();

    // Another port and back.
    View()->setProperty("url", QUrl(QStringLiteral("http://127.0.0.1:%1/attack").arg(other->Port())));
    ASSERT_TRUE(Until([&] { return !other->asked.isEmpty(); }));
    Survives("port");
    View()->setProperty("url", QUrl(Url("127.0.0.1", "/frames")));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ready:wiki"); })) << Title().toStdString();
    Type(QStringLiteral("do:input_set:back"));
    ASSERT_TRUE(Until([&] { return Form().Line().text == QLatin1String("back"); })) << Title().toStdString();

    // A connected keyword whose address redirects elsewhere, and a page opened unconnected.
    app->Shutdown();
    app.reset();
    Start(4, -1, "/redirect", [](TSettings&) {});
    Run(QStringLiteral("wiki"));
    Survives("redirect");
    app->Shutdown();
    app.reset();
    Start(4, -1, "/attack", [](TSettings&) {});
    Run(QStringLiteral("find"));
    // "find" opens its page without $BCONNECT$; point it at the same-origin attack.
    ASSERT_TRUE(Until([&] { return View() != nullptr; }));
    View()->setProperty("url", QUrl(Url("127.0.0.1", "/attack")));
    Survives("same");
}

// A page opens a window only on the user's click, one at a time; its scripts alone open none.
TEST_F(HostileTest, PopupsOnlyOnAClickAndOneAtATime) {
    const QByteArray target = Url("localhost", "/attack").toUtf8();
    server->pages["/attack"] = Attack("popup", Report());
    server->pages["/popups"] = QByteArray(kPage).replace(
        "</body>", "<button style=\"position:fixed;left:0;top:0;width:100%;height:100%\" onclick=\"window.open('" +
                       target + "')\">open</button><script>for (var i = 0; i < 8; ++i) window.open('" + target +
                       "');</script></body>");
    Start(4, -1, "/popups", [](TSettings&) {});
    OpenWiki();
    Until([] { return false; }, 1500);
    EXPECT_TRUE(Popups().isEmpty()) << "a script opened a window";
    ClickPage();
    ASSERT_TRUE(Until([&] { return Popups().size() == 1; }));
    Survives("popup");
    ClickPage();
    Until([] { return false; }, 1500);
    EXPECT_EQ(Popups().size(), 1) << "a second window while the first is open";
    for (QWidget* w : Popups())
        w->close();
    ASSERT_TRUE(Until([&] { return Popups().isEmpty(); }));
    ClickPage();
    EXPECT_TRUE(Until([&] { return Popups().size() == 1; })) << "the next click opens one again";
    for (QWidget* w : Popups())
        w->close();
}

// The dialog shows a long chained command whole, in its scrolling field; Escape refuses and nothing runs.
TEST_F(HostileTest, TheDialogShowsTheWholeChainedCommandAndEscapeRunsNothing) {
    const QString marks = dir.File("marks");
    ASSERT_TRUE(QDir().mkpath(marks));
    const QString command = QStringLiteral("touch %1/visible").arg(marks) + QString(400, u' ') +
                            QStringLiteral("|| touch %1/hidden-tail").arg(marks);
    Start(0, -1);
    OpenWiki();
    QString shown;
    int seen = 0;
    auto* t = new QTimer(&timers);
    QObject::connect(t, &QTimer::timeout, [&] {
        QWidget* box = Prompt();
        if (!box)
            return;
        if (auto* field = box->findChild<QPlainTextEdit*>(QStringLiteral("PermissionDetails")); field && field->isReadOnly())
            shown = field->toPlainText();
        ++seen;
        box->activateWindow();
        Tool({"xdotool", "key", "Escape"});
    });
    t->start(300);
    Type(QStringLiteral("do:input_run:") + command);
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("error:403"); })) << Title().toStdString();
    t->stop();
    EXPECT_GE(seen, 1);
    EXPECT_TRUE(shown.contains(command)) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("hidden-tail\""))) << shown.toStdString();
    EXPECT_FALSE(QFile::exists(marks + "/visible"));
    EXPECT_FALSE(QFile::exists(marks + "/hidden-tail"));
}

// The question a "$BCLICK$" asks opens after the load, not inside it: the browser data flushed while
// it is open takes the page away, and allowing the click afterwards clicks nothing and breaks nothing.
TEST_F(HostileTest, AClickQuestionOutlivesTheFlushOfItsPage) {
    server->pages["/clicks"] = R"(<!DOCTYPE html><html><head><title>clicks</title></head><body>
<button id="go" onclick="document.title = 'clicked'">go</button></body></html>)";
    Start(0, -1);
    int step = 0;
    auto* t = new QTimer(&timers);
    QObject::connect(t, &QTimer::timeout, [&] {
        QWidget* box = Prompt();
        if (!box)
            return;
        if (step == 0) {
            ++step;
            Run(QStringLiteral("$BROWSERFLUSHALL$"));
            return;
        }
        for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
            if (b->text() == QLatin1String(" Allow once ")) {
                ++step;
                b->click();
                return;
            }
        }
    });
    t->start(200);
    Run(QStringLiteral("clicker"));
    ASSERT_TRUE(Until([&] { return step == 2; })) << step;
    t->stop();
    EXPECT_TRUE(Until([&] { return View() == nullptr; }));
    EXPECT_TRUE(Form().ToastText().contains(QLatin1String("Browser data"))) << Form().ToastText().toStdString();
    // The launcher goes on: the next page opens in a new view.
    OpenWiki();
}

} // namespace
} // namespace vantrelo
