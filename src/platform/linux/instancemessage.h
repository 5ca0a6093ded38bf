// The wire form of messages between instances: length-prefixed frames with a version byte.
#pragma once

#include "platform/instancechannel.h"

#include <QByteArray>

#include <deque>

namespace vantrelo {

QByteArray EncodeInstanceMessage(const TInstanceMessage& message);

// The X server time at which the sender was started, read from its startup notification id
// ("..._TIME<time>"); 0 when the id carries none. Activating with it lets the desktop hand the
// running window the keyboard, as the user asked for it by starting the second instance.
quint64 UserTimeFromActivationToken(const QString& token);

// Collects bytes as they arrive and yields whole messages. A frame that is too long, of an
// unknown version or kind, or malformed breaks the stream: the connection should be dropped.
class TInstanceMessageDecoder {
public:
    static constexpr int kMaxFrame = 1024 * 1024;

    void Feed(const QByteArray& bytes);
    bool Next(TInstanceMessage& message);
    bool Broken() const { return broken_; }
    // Bytes of a frame that has begun but not yet ended.
    bool Partial() const { return !buffer_.isEmpty(); }
    // Frames decoded so far: a partial frame that outlives its deadline is the same frame.
    quint64 Frames() const { return frames_; }

private:
    QByteArray buffer_;
    quint64 frames_ = 0;
    std::deque<TInstanceMessage> ready_;
    bool broken_ = false;
};

} // namespace vantrelo
