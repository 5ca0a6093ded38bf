// On a real X server: the idle time grows while nobody touches the desktop and drops after input.
#include "platform/linux/xidletime.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace vantrelo;

namespace {

qint64 Idle(TIdleTime& t) {
    const std::optional<qint64> ms = t.IdleMilliseconds();
    EXPECT_TRUE(ms.has_value());
    return ms.value_or(-1);
}

TEST(DesktopIdle, GrowsWhileQuietAndDropsAfterMouseMotion) {
    QString error;
    std::unique_ptr<TXIdleTime> idle = TXIdleTime::Open(QString(), &error);
    ASSERT_TRUE(idle) << error.toStdString();

    // Two different places, so each motion is real input.
    const char* const places[][2] = {{"10", "10"}, {"200", "150"}};
    for (const auto& place : places) {
        ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                    {QStringLiteral("mousemove"), QString::fromLatin1(place[0]),
                                     QString::fromLatin1(place[1])}),
                  0);
        const qint64 afterInput = Idle(*idle);
        EXPECT_LT(afterInput, 300);
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        const qint64 later = Idle(*idle);
        EXPECT_GE(later, afterInput + 300);
    }
}

TEST(DesktopIdle, UnreachableDisplayIsAnError) {
    QString error;
    EXPECT_FALSE(TXIdleTime::Open(QStringLiteral(":987"), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
