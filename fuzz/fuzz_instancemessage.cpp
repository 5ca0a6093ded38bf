// Instance messages: any byte stream, cut anywhere, decodes the same; every decoded message
// encodes back into a frame that decodes to itself.
#include "fuzzsupport.h"
#include "platform/linux/instancemessage.h"

using namespace vantrelo;

namespace {

std::vector<TInstanceMessage> Drain(TInstanceMessageDecoder& d) {
    std::vector<TInstanceMessage> out;
    TInstanceMessage m;
    while (d.Next(m))
        out.push_back(m);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > 64 * 1024)
        return 0;
    const QByteArray bytes = fuzz::Bytes(data + 1, size - 1);
    TInstanceMessageDecoder whole;
    whole.Feed(bytes);
    const std::vector<TInstanceMessage> once = Drain(whole);

    // The first byte chooses where the stream is cut: arrival in pieces changes nothing.
    const qsizetype step = 1 + data[0] % 17;
    TInstanceMessageDecoder pieces;
    for (qsizetype i = 0; i < bytes.size(); i += step)
        pieces.Feed(bytes.mid(i, step));
    fuzz::Require(Drain(pieces) == once && pieces.Broken() == whole.Broken(), "decoding does not depend on the cuts");

    for (const TInstanceMessage& m : once) {
        TInstanceMessageDecoder back;
        back.Feed(EncodeInstanceMessage(m));
        const std::vector<TInstanceMessage> again = Drain(back);
        fuzz::Require(again.size() == 1 && again[0] == m && !back.Partial(), "message round trip");
    }
    UserTimeFromActivationToken(QString::fromUtf8(bytes));
    return 0;
}
