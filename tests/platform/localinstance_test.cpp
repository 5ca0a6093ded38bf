// Two instances in one process over a temporary runtime folder: lock, hand-over, stale leftovers.
#include "platform/linux/instancemessage.h"
#include "platform/linux/localinstance_linux.h"
#include "platform/startup/commandline.h"

#include "support/qtapp.h"
#include "support/testsupport.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include <sys/stat.h>

namespace vantrelo {
namespace {

struct TRecordingSink final : TInstanceMessageSink {
    std::vector<TInstanceMessage> got;
    void InstanceMessage(const TInstanceMessage& m) override { got.push_back(m); }
};

// Runs the event loop until `count` messages arrived or a generous limit passed.
void WaitFor(const TRecordingSink& sink, size_t count) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (sink.got.size() >= count)
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
}

class LocalInstanceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::CoreApp(); }
    test::TempDir dir;
};

TEST_F(LocalInstanceTest, SecondStartHandsItsCommandToTheFirst) {
    TRecordingSink sink;
    TLocalInstanceChannel first(dir.Path(), 200);
    QString error;
    ASSERT_EQ(first.Claim(&sink, &error), TInstanceRole::First) << error.toStdString();

    TLocalInstanceChannel second(dir.Path(), 200);
    ASSERT_EQ(second.Claim(nullptr, &error), TInstanceRole::Second);
    const TCommandLine line = ParseCommandLine({QStringLiteral("-r"), QStringLiteral("g cats")});
    ASSERT_TRUE(second.Send(MessagesForRunningInstance(line, dir.Path(), QString()), &error)) << error.toStdString();

    WaitFor(sink, 1);
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].kind, TInstanceMessageKind::Command);
    EXPECT_EQ(sink.got[0].text, QStringLiteral("g cats"));

    // Several starts in a row each reach the first in order.
    TLocalInstanceChannel third(dir.Path(), 200);
    ASSERT_TRUE(third.Send({{TInstanceMessageKind::Activate, {}, QStringLiteral("tok")},
                            {TInstanceMessageKind::Input, QStringLiteral("hello world"), {}}},
                           &error));
    WaitFor(sink, 3);
    ASSERT_EQ(sink.got.size(), 3u);
    EXPECT_EQ(sink.got[1].activationToken, QStringLiteral("tok"));
    EXPECT_EQ(sink.got[2].text, QStringLiteral("hello world"));
}

TEST_F(LocalInstanceTest, SocketIsForThisUserOnly) {
    TRecordingSink sink;
    TLocalInstanceChannel first(dir.Path(), 200);
    ASSERT_EQ(first.Claim(&sink, nullptr), TInstanceRole::First);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.File(QStringLiteral("vantrelo.socket"))).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u);
}

TEST_F(LocalInstanceTest, LeftoversOfAFinishedInstanceDoNotBlockTheNext) {
    {
        TRecordingSink sink;
        TLocalInstanceChannel gone(dir.Path(), 200);
        ASSERT_EQ(gone.Claim(&sink, nullptr), TInstanceRole::First);
    }
    // A socket file left behind by a crash, and a lock file naming a process that lives (the
    // crashed instance's id, taken since by another program).
    test::WriteAll(dir.File(QStringLiteral("vantrelo.socket")), "stale");
    test::WriteAll(dir.File(QStringLiteral("vantrelo.lock")), "1\nvantrelo\nhost\n");
    TRecordingSink sink;
    TLocalInstanceChannel next(dir.Path(), 200);
    ASSERT_EQ(next.Claim(&sink, nullptr), TInstanceRole::First);
    TLocalInstanceChannel other(dir.Path(), 200);
    QString error;
    ASSERT_TRUE(other.Send({{TInstanceMessageKind::Open, {}, {}}}, &error)) << error.toStdString();
    WaitFor(sink, 1);
    EXPECT_EQ(sink.got.size(), 1u);
}

TEST_F(LocalInstanceTest, NobodyListeningFailsWithinTheTimeOut) {
    TLocalInstanceChannel lonely(dir.Path(), 100);
    QString error;
    EXPECT_FALSE(lonely.Send({{TInstanceMessageKind::Open, {}, {}}}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(LocalInstanceTest, BrokenSenderIsDroppedAndLaterSendersStillHeard) {
    TRecordingSink sink;
    TLocalInstanceChannel first(dir.Path(), 200);
    ASSERT_EQ(first.Claim(&sink, nullptr), TInstanceRole::First);
    QLocalSocket rogue;
    rogue.connectToServer(dir.File(QStringLiteral("vantrelo.socket")));
    ASSERT_TRUE(rogue.waitForConnected(1000));
    rogue.write(QByteArray("\xff\xff\xff\xffjunk", 8));
    rogue.waitForBytesWritten(1000);
    TLocalInstanceChannel good(dir.Path(), 200);
    ASSERT_TRUE(good.Send({{TInstanceMessageKind::Hide, {}, {}}}, nullptr));
    WaitFor(sink, 1);
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].kind, TInstanceMessageKind::Hide);
}

struct TManualScheduler final : TScheduler {
    std::vector<std::pair<qint32, std::function<void()>>> tasks;
    void RunLater(qint32 ms, std::function<void()> task) override { tasks.emplace_back(ms, std::move(task)); }
};

// Runs the event loop until `done` holds or a generous limit passed.
template <typename F>
void WaitUntil(F done) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    poll.start(5);
    loop.exec();
}

TEST_F(LocalInstanceTest, ASenderThatStopsMidFrameIsDroppedAtTheDeadline) {
    TRecordingSink sink;
    TManualScheduler scheduler;
    TLocalInstanceChannel first(dir.Path(), 200, nullptr, &scheduler);
    ASSERT_EQ(first.Claim(&sink, nullptr), TInstanceRole::First);
    QLocalSocket stalled, steady;
    for (QLocalSocket* s : {&stalled, &steady}) {
        s->connectToServer(dir.File(QStringLiteral("vantrelo.socket")));
        ASSERT_TRUE(s->waitForConnected(1000));
    }
    // A frame of 1000 bytes announced, 10 sent; the other sender finishes its frame in two parts.
    stalled.write(QByteArray("\x00\x00\x03\xe8", 4) + QByteArray(10, 'x'));
    const QByteArray whole = EncodeInstanceMessage({TInstanceMessageKind::Input, QStringLiteral("text"), {}});
    steady.write(whole.left(6));
    const auto deadlines = [&] {
        return std::count_if(scheduler.tasks.begin(), scheduler.tasks.end(),
                             [](const auto& t) { return t.first == TLocalInstanceChannel::kFrameDeadlineMs; });
    };
    WaitUntil([&] { return deadlines() == 2; });
    ASSERT_EQ(deadlines(), 2);
    steady.write(whole.mid(6));
    WaitUntil([&] { return sink.got.size() == 1; });
    ASSERT_EQ(sink.got.size(), 1u);
    for (const auto& task : std::vector(scheduler.tasks))
        if (task.first == TLocalInstanceChannel::kFrameDeadlineMs)
            task.second();
    WaitUntil([&] { return stalled.state() == QLocalSocket::UnconnectedState; });
    EXPECT_EQ(stalled.state(), QLocalSocket::UnconnectedState);
    EXPECT_EQ(steady.state(), QLocalSocket::ConnectedState) << "a frame that ended in time keeps its sender";
}

// Connections that never send are bounded in number and dropped after the idle time, so they can
// never use up the program's descriptors; a real sender is still heard.
TEST_F(LocalInstanceTest, IdleConnectionsAreBoundedAndDroppedAndOthersStillHeard) {
    TRecordingSink sink;
    TManualScheduler scheduler;
    TLocalInstanceChannel first(dir.Path(), 200, nullptr, &scheduler);
    ASSERT_EQ(first.Claim(&sink, nullptr), TInstanceRole::First);
    constexpr int kIdle = TLocalInstanceChannel::kMaxConnections + 8;
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < kIdle; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(dir.File(QStringLiteral("vantrelo.socket")));
        ASSERT_TRUE(idle.back()->waitForConnected(1000));
    }
    const auto open = [&] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& c) { return c->state() == QLocalSocket::ConnectedState; });
    };
    WaitUntil([&] { return open() <= TLocalInstanceChannel::kMaxConnections; });
    EXPECT_LE(open(), TLocalInstanceChannel::kMaxConnections);
    EXPECT_LE(first.Connections(), TLocalInstanceChannel::kMaxConnections);

    // The idle time passes: every silent connection goes, and a new sender is heard.
    for (const auto& task : std::vector(scheduler.tasks))
        if (task.first == TLocalInstanceChannel::kIdleMs)
            task.second();
    WaitUntil([&] { return open() == 0; });
    EXPECT_EQ(open(), 0);
    QLocalSocket late;
    late.connectToServer(dir.File(QStringLiteral("vantrelo.socket")));
    ASSERT_TRUE(late.waitForConnected(1000));
    late.write(EncodeInstanceMessage({TInstanceMessageKind::Hide, {}, {}}));
    WaitFor(sink, 1);
    ASSERT_EQ(sink.got.size(), 1u);
}

// A handed change is answered on its connection after the running instance has handled it.
TEST_F(LocalInstanceTest, AStoreChangeIsAnsweredAndTheSenderWaitsForIt) {
    struct TAnsweringSink final : TInstanceMessageSink {
        std::vector<TInstanceMessage> got;
        void InstanceMessage(const TInstanceMessage& m) override { got.push_back(m); }
        QString InstanceRequest(const TInstanceMessage& m) override {
            got.push_back(m);
            return QStringLiteral("done\nsaved ") + m.text;
        }
    } sink;
    TLocalInstanceChannel first(dir.Path(), 200);
    ASSERT_EQ(first.Claim(&sink, nullptr), TInstanceRole::First);
    QString answer, error;
    bool asked = false;
    std::thread tool([&] {
        TLocalInstanceChannel second(dir.Path(), 2000);
        asked = second.Ask({TInstanceMessageKind::StoreChange, QStringLiteral("x"), {}}, 5000, &answer, &error);
    });
    WaitUntil([&] { return !sink.got.empty(); });
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    tool.join();
    EXPECT_TRUE(asked) << error.toStdString();
    EXPECT_EQ(answer, QStringLiteral("done\nsaved x"));

    // Nobody answers in time: the sender says so instead of claiming success.
    TRecordingSink silent;
    test::TempDir other;
    TLocalInstanceChannel mute(other.Path(), 200);
    ASSERT_EQ(mute.Claim(&silent, nullptr), TInstanceRole::First);
    std::thread tool2([&] {
        TLocalInstanceChannel second(other.Path(), 2000);
        asked = second.Ask({TInstanceMessageKind::Command, QStringLiteral("y"), {}}, 300, &answer, &error);
    });
    WaitUntil([&] { return !silent.got.empty(); });
    tool2.join();
    EXPECT_FALSE(asked);
    EXPECT_FALSE(error.isEmpty());
}

TEST(InstanceFolder, WithoutARuntimeFolderAPrivateFolderOfTheUsersOwnServes) {
    test::TempDir home;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), cache = qgetenv("XDG_CACHE_HOME"),
                     config = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.File("cache")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.File("config")));
    QString error;
    const QString folder = InstanceRuntimeFolder(&error);
    EXPECT_EQ(folder, home.File("cache/vantrelo-runtime"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A cache folder that cannot hold it leaves the config folder.
    test::WriteAll(home.File("blocked"), "x");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.File("blocked")));
    EXPECT_EQ(InstanceRuntimeFolder(&error), home.File("config/vantrelo-runtime"));
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("XDG_CACHE_HOME", cache);
    qputenv("XDG_CONFIG_HOME", config);
    if (runtime.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");
    if (cache.isEmpty())
        qunsetenv("XDG_CACHE_HOME");
    if (config.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
}

} // namespace
} // namespace vantrelo
