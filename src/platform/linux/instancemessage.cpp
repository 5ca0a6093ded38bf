// Message frames: big-endian length, version 1, kind, then two UTF-8 texts with their lengths.
#include "platform/linux/instancemessage.h"

#include <QtEndian>

namespace vantrelo {

namespace {

constexpr unsigned char kVersion = 1;

void PutText(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    char len[4];
    qToBigEndian<quint32>(quint32(utf8.size()), len);
    out.append(len, 4);
    out.append(utf8);
}

bool TakeText(const QByteArray& frame, qsizetype& pos, QString& text) {
    if (frame.size() - pos < 4)
        return false;
    const quint32 len = qFromBigEndian<quint32>(frame.constData() + pos);
    pos += 4;
    if (quint64(frame.size() - pos) < len)
        return false;
    text = QString::fromUtf8(frame.constData() + pos, qsizetype(len));
    pos += qsizetype(len);
    return true;
}

bool KnownKind(unsigned char k) { return k >= 1 && k <= 11; }

} // namespace

QByteArray EncodeInstanceMessage(const TInstanceMessage& message) {
    QByteArray payload;
    payload.append(char(kVersion));
    payload.append(char(message.kind));
    PutText(payload, message.text);
    PutText(payload, message.activationToken);
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), out.data());
    return out + payload;
}

void TInstanceMessageDecoder::Feed(const QByteArray& bytes) {
    if (broken_)
        return;
    buffer_.append(bytes);
    while (buffer_.size() >= 4) {
        const quint32 len = qFromBigEndian<quint32>(buffer_.constData());
        if (len < 2 || len > quint32(kMaxFrame)) {
            broken_ = true;
            return;
        }
        if (quint64(buffer_.size()) < 4 + quint64(len))
            return;
        const QByteArray frame = buffer_.mid(4, qsizetype(len));
        buffer_.remove(0, 4 + qsizetype(len));
        const auto version = static_cast<unsigned char>(frame.at(0));
        const auto kind = static_cast<unsigned char>(frame.at(1));
        TInstanceMessage m;
        qsizetype pos = 2;
        if (version != kVersion || !KnownKind(kind) || !TakeText(frame, pos, m.text) ||
            !TakeText(frame, pos, m.activationToken) || pos != frame.size()) {
            broken_ = true;
            return;
        }
        m.kind = static_cast<TInstanceMessageKind>(kind);
        ready_.push_back(m);
        ++frames_;
    }
}

bool TInstanceMessageDecoder::Next(TInstanceMessage& message) {
    if (ready_.empty())
        return false;
    message = ready_.front();
    ready_.pop_front();
    return true;
}

quint64 UserTimeFromActivationToken(const QString& token) {
    const qsizetype at = token.lastIndexOf(QLatin1String("_TIME"));
    if (at < 0)
        return 0;
    bool ok = false;
    const quint64 time = token.mid(at + 5).toULongLong(&ok);
    // X times are 32-bit; anything else is not a time stamp.
    return ok && time > 0 && time <= 0xFFFFFFFFull ? time : 0;
}

} // namespace vantrelo
