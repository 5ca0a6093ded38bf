// Two instances in one process over a temporary runtime folder: lock, hand-over, stale leftovers.
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
    // A socket file left behind by a crash.
    test::WriteAll(dir.File(QStringLiteral("vantrelo.socket")), "stale");
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

} // namespace
} // namespace vantrelo
