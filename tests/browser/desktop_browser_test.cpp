// The launcher's web view under X: a connected page served from 127.0.0.1 and the bridge to the line.
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
#include <QDeadlineTimer>
#include <QDir>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>
#include <map>
#include <memory>

namespace vantrelo {
namespace {

bool Until(const std::function<bool()>& done, int ms = 30000) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (done())
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

// Serves fixed pages by path over HTTP/1.0.
class PageServer : public QObject {
public:
    std::map<QByteArray, QByteArray> pages;

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
        const auto it = pages.find(path);
        const QByteArray body = it == pages.end() ? QByteArray("none") : it->second;
        s->write((it == pages.end() ? "HTTP/1.0 404 Not Found\r\n" : "HTTP/1.0 200 OK\r\n") +
                 QByteArray("Content-Type: text/html; charset=utf-8\r\nContent-Length: ") +
                 QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        s->disconnectFromHost();
    }
    QTcpServer server_;
};

// Disabled until the launcher profile's first navigation in a fresh process reports its end under
// Xvfb (it does not: loadFinished never comes, later navigations do); run them with
// --gtest_also_run_disabled_tests.

// The page shows what the bridge tells it in its title.
constexpr char kPage[] = R"(<!DOCTYPE html><html><head><title>loaded</title></head><body><script>
window.vantrelo = window.vantrelo || {};
vantrelo.onready = function (d) { document.title = "ready:" + d.input; };
vantrelo.oninput = function (i) { document.title = "input:" + i; };
function ask(method, params) {
  vantrelo.send(method, params).then(function () { document.title = "ok:" + method; },
                                     function (e) { document.title = "error:" + e.code; });
}
</script></body></html>)";

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
        if (!QCoreApplication::instance())
            QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        test::WidgetApp();
        WarmEngine();
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
        server.pages["/page"] = kPage;
    }

    // The first navigation of a fresh engine in this process is not reported as finished under
    // Xvfb; one throwaway page first keeps that out of the checks below.
    static void WarmEngine() {
        static bool warm = false;
        if (warm)
            return;
        warm = true;
        QWebEngineView v;
        v.setUrl(QUrl(QStringLiteral("data:text/html,<title>w</title>")));
        v.show();
        Until([&] { return v.title() == QLatin1String("w"); }, 20000);
    }

    void TearDown() override {
        if (app)
            app->Shutdown();
        app.reset();
        for (const auto& [name, value] : saved)
            qputenv(name, value);
    }

    QString Url(const char* host, const char* path) const {
        return QStringLiteral("http://%1:%2%3").arg(host).arg(server.Port()).arg(path);
    }

    void Start(int global, int granted, const char* path = "/page") {
        TPlaces places;
        places.dataFolder = data;
        places.programFolder = dir.Path();
        TSettingsStore store(places);
        TUserData user;
        user.settings.hide = false;
        user.settings.permissionlevel = global;
        auto w = MakeNewKeyword(QStringLiteral("wiki"), "$B$ $BCONNECT$ " + Url("127.0.0.1", path), QString());
        w->permissionlevel = granted;
        user.keywords.Add(std::move(w));
        ASSERT_TRUE(store.WriteSettings(user));
        app = std::make_unique<TApplication>(places, QStringList());
        ASSERT_EQ(app->Start(), -1);
        Form().ManageShowHide(true, false, TShowLock::Hotkey);
    }

    TMainForm& Form() { return *app->Form(); }
    QWebEngineView* View() { return Form().CmdForm()->BrowserPanel()->findChild<QWebEngineView*>(); }
    QString Title() { return View() ? View()->title() : QString(); }
    void Js(const QString& script) { View()->page()->runJavaScript(script); }

    // Runs the line's text as Enter does.
    void Run(const QString& text) {
        Form().SetLineText(text, false);
        QTest::keyClick(Form().WordEdit(), Qt::Key_Return);
    }

    void OpenWiki() {
        Run(QStringLiteral("wiki"));
        const bool ok = Until([&] { return Title() == QLatin1String("ready:wiki"); });
        ASSERT_TRUE(ok) << Title().toStdString() << " " << (View() ? View()->url().toString().toStdString() : "");
    }

    // Answers the permission dialog with the button named `button` whenever one opens.
    void AnswerPrompts(const QString& button) {
        answer = button;
        prompts = 0;
        auto* t = new QTimer(&timers);
        QObject::connect(t, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible() || box->windowTitle() != QLatin1String("Permission required"))
                    continue;
                for (QAbstractButton* b : box->buttons()) {
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
    PageServer server;
    std::vector<std::pair<QByteArray, QByteArray>> saved;
    std::unique_ptr<TApplication> app;
    QObject timers;
    QString answer;
    int prompts = 0;
};

TEST_F(BrowserTest, DISABLED_ConnectedPageFollowsTypingAndSetsTheLine) {
    Start(1, -1);
    OpenWiki();
    EXPECT_TRUE(Form().CmdForm()->isVisible());
    Form().SetLineText(QStringLiteral("wiki"), false);
    QTest::keyClicks(Form().WordEdit(), QStringLiteral(" \"q\""));
    ASSERT_TRUE(Until([&] { return Title().startsWith(QLatin1String("input:wiki \"q\"")); })) << Title().toStdString();
    Js(QStringLiteral("ask('input_set', {text: 'from page \\u2028'})"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ok:input_set"); })) << Title().toStdString();
    EXPECT_EQ(Form().Line().text, QStringLiteral("from page ") + QChar(0x2028));
    Js(QStringLiteral("ask('no_such_method')"));
    EXPECT_TRUE(Until([&] { return Title() == QLatin1String("error:-32601"); })) << Title().toStdString();
}

TEST_F(BrowserTest, DISABLED_PageOfAnotherOriginIsNotConnected) {
    server.pages["/away"] = QByteArray("<script>location.href = ") + '"' + Url("localhost", "/page").toUtf8() +
                            "\";</script>";
    server.pages["/page2"] = kPage;
    Start(4, -1, "/away");
    Run(QStringLiteral("wiki"));
    ASSERT_TRUE(Until([&] { return View() && View()->url().host() == QLatin1String("localhost") &&
                                   Title() == QLatin1String("loaded"); }));
    // Its request is ignored; a later one from the right origin lands after it.
    Js(QStringLiteral("ask('input_set', {text: 'foreign'})"));
    Form().SetLineText(QStringLiteral("kept"), false);
    View()->setUrl(QUrl(Url("127.0.0.1", "/page2")));
    ASSERT_TRUE(Until([&] { return Title().startsWith(QLatin1String("ready:")); })) << Title().toStdString();
    Js(QStringLiteral("ask('input_set', {text: 'home'})"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ok:input_set"); }));
    EXPECT_EQ(Form().Line().text, QStringLiteral("home"));
}

TEST_F(BrowserTest, DISABLED_LevelsAskAndAlwaysAllowIsStored) {
    Start(0, -1);
    AnswerPrompts(QStringLiteral(" Always allow "));
    OpenWiki();
    Js(QStringLiteral("ask('input_set', {text: 'granted'})"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("ok:input_set"); })) << Title().toStdString();
    EXPECT_EQ(prompts, 1);
    EXPECT_EQ(Form().Line().text, QStringLiteral("granted"));
    EXPECT_TRUE(QString::fromUtf8(test::ReadAll(data + "vantrelo.ini")).contains("plevel=1"));
    // Level 1 is granted now; running an input (4) asks again, and a refusal answers 403.
    answer = QStringLiteral(" Don't allow ");
    Js(QStringLiteral("ask('input_set', {text: 'again'})"));
    ASSERT_TRUE(Until([&] { return Form().Line().text == QLatin1String("again"); }));
    EXPECT_EQ(prompts, 1);
    Js(QStringLiteral("ask('input_run', {text: 'wiki'})"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("error:403"); })) << Title().toStdString();
    EXPECT_EQ(prompts, 2);
    // Refused once, that level stays refused without another dialog.
    Js(QStringLiteral("document.title = 'x'; ask('input_run', {text: 'wiki'})"));
    ASSERT_TRUE(Until([&] { return Title() == QLatin1String("error:403"); }));
    EXPECT_EQ(prompts, 2);
}

TEST_F(BrowserTest, DISABLED_EndingTheBrowserFromItsOwnRequest) {
    Start(4, -1);
    OpenWiki();
    Js(QStringLiteral("ask('input_run', {text: '$BROWSEREND$'})"));
    ASSERT_TRUE(Until([&] { return View() == nullptr; }));
    // The list window answers again, and the next page opens in a new view.
    OpenWiki();
}

} // namespace
} // namespace vantrelo
