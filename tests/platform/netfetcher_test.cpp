// Downloads against a canned local HTTP server: status, size limit, time-out and bad addresses.
#include "platform/linux/netfetcher_linux.h"
#include "support/qtapp.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "support/httpfakes.h"

#include <gtest/gtest.h>

#include <optional>

namespace vantrelo {
namespace {

using test::TCannedServer;

class NetFetcherTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::CoreApp(); }
    TFetchResult Fetch(const QString& url, int timeoutMs = 5000, qsizetype max = 1000) {
        TNetUrlFetcher fetcher;
        std::optional<TFetchResult> got;
        QEventLoop loop;
        fetcher.Fetch(url, timeoutMs, max, [&](const TFetchResult& r) {
            got = r;
            loop.quit();
        });
        if (!got) {
            QTimer::singleShot(20000, &loop, &QEventLoop::quit);
            loop.exec();
        }
        EXPECT_TRUE(got.has_value());
        return got.value_or(TFetchResult{});
    }
};

TEST_F(NetFetcherTest, SuccessGivesTheBody) {
    TCannedServer server("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nConnection: close\r\n\r\nhello");
    const TFetchResult r = Fetch(server.Url("/a.skn"));
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.body, QByteArray("hello"));
}

TEST_F(NetFetcherTest, ABodyCutShortIsNeverTheContent) {
    TCannedServer server("HTTP/1.1 200 OK\r\nContent-Length: 50\r\nConnection: close\r\n\r\n[W]\r\nkeywords=half");
    const TFetchResult r = Fetch(server.Url("/set.exc"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_FALSE(r.error.isEmpty());
}

TEST_F(NetFetcherTest, ErrorPageIsNeverTheContent) {
    TCannedServer server("HTTP/1.1 404 Not Found\r\nContent-Length: 13\r\nConnection: close\r\n\r\n<html>x</html>");
    const TFetchResult r = Fetch(server.Url("/missing.skn"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());
    EXPECT_TRUE(r.error.contains(QStringLiteral("404"))) << r.error.toStdString();
}

TEST_F(NetFetcherTest, TooLargeAnswersAreRefused) {
    const QByteArray big(5000, 'x');
    TCannedServer declared("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\nConnection: close\r\n\r\n" + big);
    EXPECT_FALSE(Fetch(declared.Url("/big")).ok);
    TCannedServer undeclared("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + big);
    const TFetchResult r = Fetch(undeclared.Url("/big"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.body.isEmpty());
}

TEST_F(NetFetcherTest, SilentServerTimesOut) {
    TCannedServer server{QByteArray()};
    const TFetchResult r = Fetch(server.Url("/slow"), 200);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
}

// Records the deadlines instead of waiting for them; a test fires them when it chooses.
struct TManualScheduler final : TScheduler {
    std::vector<std::pair<qint32, std::function<void()>>> tasks;
    void RunLater(qint32 ms, std::function<void()> task) override { tasks.emplace_back(ms, std::move(task)); }
};

TEST_F(NetFetcherTest, ATricklingServerMeetsTheWholeDownloadDeadline) {
    // Headers and a first part of the body, then nothing more while the connection stays open.
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    bool sent = false;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* s = server.nextPendingConnection();
        QObject::connect(s, &QTcpSocket::readyRead, s, [s, &sent] {
            s->readAll();
            s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc");
            s->flush();
            sent = true;
        });
    });
    TManualScheduler scheduler;
    TNetUrlFetcher fetcher(nullptr, &scheduler);
    std::optional<TFetchResult> got;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (sent || got)
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    fetcher.Fetch(QStringLiteral("http://127.0.0.1:%1/slow.skn").arg(server.serverPort()), 5000, 1000,
                  [&](const TFetchResult& r) {
                      got = r;
                      loop.quit();
                  });
    loop.exec();
    ASSERT_TRUE(sent);
    ASSERT_FALSE(got.has_value());
    ASSERT_EQ(scheduler.tasks.size(), 1u);
    EXPECT_EQ(scheduler.tasks[0].first, 5000 * TNetUrlFetcher::kWholeDownloadFactor);
    scheduler.tasks[0].second();
    if (!got)
        loop.exec();
    ASSERT_TRUE(got.has_value());
    EXPECT_FALSE(got->ok);
    EXPECT_EQ(got->error, QStringLiteral("No answer in time."));
    EXPECT_TRUE(got->body.isEmpty());
}

TEST_F(NetFetcherTest, OnlyWebAddresses) {
    for (const char* url : {"ftp://127.0.0.1/x", "file:///etc/passwd", "not a url"}) {
        const TFetchResult r = Fetch(QString::fromUtf8(url));
        EXPECT_FALSE(r.ok) << url;
    }
}

} // namespace
} // namespace vantrelo
