// Message frames between instances: round trips, split delivery and broken streams.
#include "platform/linux/instancemessage.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(InstanceMessage, FramesSurviveAnySplitOfTheStream) {
    const std::vector<TInstanceMessage> sent = {
        {TInstanceMessageKind::Command, QStringLiteral("g cats"), QStringLiteral("startup-id_1")},
        {TInstanceMessageKind::Input, QStringLiteral("Grüße \u2603 \"x\"\r\nline"), QString()},
        {TInstanceMessageKind::Close, QString(), QString()}};
    QByteArray stream;
    for (const auto& m : sent)
        stream += EncodeInstanceMessage(m);
    for (int chunk : {1, 3, 7, int(stream.size())}) {
        TInstanceMessageDecoder d;
        for (qsizetype i = 0; i < stream.size(); i += chunk)
            d.Feed(stream.mid(i, chunk));
        std::vector<TInstanceMessage> got;
        TInstanceMessage m;
        while (d.Next(m))
            got.push_back(m);
        EXPECT_FALSE(d.Broken());
        EXPECT_EQ(got, sent) << "chunk " << chunk;
    }
}

TEST(InstanceMessage, HostileFramesBreakTheStream) {
    QByteArray huge(4, '\0');
    qToBigEndian<quint32>(quint32(TInstanceMessageDecoder::kMaxFrame + 1), huge.data());
    QByteArray badKind = EncodeInstanceMessage({TInstanceMessageKind::Open, QString(), QString()});
    badKind[5] = char(42);
    QByteArray badVersion = EncodeInstanceMessage({TInstanceMessageKind::Open, QString(), QString()});
    badVersion[4] = char(9);
    QByteArray shortText = EncodeInstanceMessage({TInstanceMessageKind::Open, QStringLiteral("abc"), QString()});
    qToBigEndian<quint32>(quint32(100), shortText.data() + 6); // text longer than the frame
    for (const QByteArray& bad : {huge, badKind, badVersion, shortText}) {
        TInstanceMessageDecoder d;
        d.Feed(bad);
        TInstanceMessage m;
        EXPECT_TRUE(d.Broken());
        EXPECT_FALSE(d.Next(m));
    }
}

TEST(InstanceMessage, ActivationTokenGivesTheStartTime) {
    const struct {
        const char* token;
        quint64 time;
    } cases[] = {
        {"jwm/vantrelo/1234-0-host_TIME987654", 987654},
        {"xterm_TIME12_TIME34", 34},   // the last mark counts
        {"no-time-here", 0},
        {"host_TIME", 0},
        {"host_TIME12x", 0},
        {"host_TIME99999999999", 0},   // beyond 32 bits
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UserTimeFromActivationToken(QString::fromLatin1(c.token)), c.time) << c.token;
}

} // namespace
} // namespace vantrelo
