// The clipboard history file (c.dat, any bytes another program or a broken disk left): read without
// harm, and what is read is written back and read again unchanged.
#include "fuzzsupport.h"
#include "tools/cliphistory.h"

#include <QDateTime>

using namespace vantrelo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 64 * 1024)
        return 0;
    const QDateTime now(QDate(2026, 1, 2), QTime(12, 0), Qt::UTC);
    const int hours = 24 * 365 * 100; // nothing read expires: every entry takes part in the round trip
    const std::vector<TMyClipItem> read = DecodeClipFile(fuzz::Text(data, size), now, hours);
    const std::vector<TMyClipItem> again = DecodeClipFile(EncodeClipFile(read, now, hours), now, hours);
    fuzz::Require(again.size() == read.size(), "every entry read is written back");
    for (size_t i = 0; i < read.size(); ++i) {
        fuzz::Require(again[i].clipb == read[i].clipb, "an entry's text comes back exactly");
        fuzz::Require(ClipTimeText(again[i].ts) == ClipTimeText(read[i].ts), "an entry's time comes back");
    }
    return 0;
}
