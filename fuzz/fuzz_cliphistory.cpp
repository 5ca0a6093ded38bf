// The clipboard history file (c.dat, any bytes another program or a broken disk left): read without
// harm, and what is read is written back and read again unchanged.
#include "fuzzsupport.h"
#include "tools/cliphistory.h"

#include <QDateTime>

using namespace vantrelo;

namespace {

QString Lines(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const QDateTime now(QDate(2026, 1, 2), QTime(12, 0), Qt::UTC);
    const int hours = 24 * 365 * 100; // nothing read expires: every entry takes part in the round trip
    const std::vector<TMyClipItem> read = DecodeClipFile(fuzz::Text(data, size), now, hours);
    const std::vector<TMyClipItem> again = DecodeClipFile(EncodeClipFile(read, now, hours), now, hours);
    fuzz::Require(again.size() == read.size(), "every entry read is written back");
    for (size_t i = 0; i < read.size(); ++i) {
        // The file keeps line breaks as CR LF: a lone CR or LF comes back as CR LF, nothing else changes.
        fuzz::Require(Lines(again[i].clipb) == Lines(read[i].clipb), "an entry's text comes back");
        fuzz::Require(ClipTimeText(again[i].ts) == ClipTimeText(read[i].ts), "an entry's time comes back");
    }
    // Written once, an entry is stable: the next write and read change nothing at all.
    const std::vector<TMyClipItem> third = DecodeClipFile(EncodeClipFile(again, now, hours), now, hours);
    fuzz::Require(third.size() == again.size(), "a second write keeps every entry");
    for (size_t i = 0; i < again.size(); ++i)
        fuzz::Require(third[i].clipb == again[i].clipb, "a second write changes no text");
    return 0;
}
