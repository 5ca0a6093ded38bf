// The clipboard history in memory and its file.
#include "tools/cliphistory.h"

#include "core/atomicfile.h"
#include "core/inifile.h"
#include "core/text.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>

namespace vantrelo {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

bool Expired(const QDateTime& ts, const QDateTime& now, int hours) {
    return ts.addSecs(qint64(hours) * 3600) <= now;
}

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString ClipClearedMessage(int count) {
    return QStringLiteral("Vantrelo's clipboard history cleared from memory and disk (%1 items).").arg(count);
}

QString ClipHex(const QString& text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size() * 4);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        for (const int byte : {u & 0xFF, u >> 8}) {
            out += QLatin1Char(kDigits[byte >> 4]);
            out += QLatin1Char(kDigits[byte & 0xF]);
        }
    }
    return out;
}

std::optional<QString> ClipUnhex(const QString& hex) {
    if (hex.size() % 4 != 0)
        return std::nullopt;
    QString out;
    out.reserve(hex.size() / 4);
    for (qsizetype i = 0; i < hex.size(); i += 4) {
        int unit = 0;
        for (const int k : {0, 1, 2, 3}) {
            const int d = HexDigit(hex.at(i + k));
            if (d < 0)
                return std::nullopt;
            // Digits 0 and 1 are the low byte, 2 and 3 the high byte.
            const int shift = (k < 2 ? 0 : 8) + (k % 2 == 0 ? 4 : 0);
            unit |= d << shift;
        }
        out += QChar(char16_t(unit));
    }
    return out;
}

QString ClipTimeText(const QDateTime& ts) {
    if (ts.time() == QTime(0, 0))
        return ts.date().toString(kDateFormat);
    return ts.toString(kDateTimeFormat);
}

std::optional<QDateTime> ParseClipTime(const QString& text) {
    const QString t = TrimText(text);
    QDateTime dt = QDateTime::fromString(t, kDateTimeFormat);
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(t, kDateFormat);
        if (d.isValid())
            dt = QDateTime(d, QTime(0, 0));
    }
    if (!dt.isValid())
        return std::nullopt;
    return dt;
}

QString EncodeClipFile(const std::vector<TMyClipItem>& entries, const QDateTime& now, int hours) {
    // The newest entries that fit the budget, written oldest first.
    std::vector<const TMyClipItem*> kept;
    qsizetype budget = kMaxClipFileChars;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (Expired(it->ts, now, hours) || it->clipb.size() > kMaxClipEntryChars)
            continue;
        if (it->clipb.size() > budget)
            break;
        budget -= it->clipb.size();
        kept.push_back(&*it);
    }
    QStringList lines;
    int k = 0;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it, ++k) {
        lines << QStringLiteral("[C%1]").arg(k);
        lines << QStringLiteral("txt=") + ClipHex(EncodeMultiLine((*it)->clipb));
        lines << QStringLiteral("time=") + ClipHex(ClipTimeText((*it)->ts));
        lines << QString();
    }
    return JoinCrLf(lines);
}

std::vector<TMyClipItem> DecodeClipFile(const QString& fileText, const QDateTime& now, int hours) {
    TMemIniFile file;
    file.SetStrings(SplitLines(fileText));
    std::vector<TMyClipItem> out;
    for (int k = 0;; ++k) {
        const QString section = QStringLiteral("C%1").arg(k);
        if (!file.SectionExists(section))
            break;
        const std::optional<QString> text = ClipUnhex(file.ReadString(section, QStringLiteral("txt"), QString()));
        const std::optional<QString> time = ClipUnhex(file.ReadString(section, QStringLiteral("time"), QString()));
        const std::optional<QDateTime> ts = time ? ParseClipTime(*time) : std::nullopt;
        if (!text || !ts || Expired(*ts, now, hours))
            continue;
        TMyClipItem item;
        item.clipb = ReadMultiLine(*text);
        item.ts = *ts;
        out.push_back(std::move(item));
    }
    return out;
}

QString TClipHistory::Entry(int n) const {
    if (n < 1 || n > Count())
        return QString();
    return entries_[entries_.size() - size_t(n)].clipb;
}

bool TClipHistory::Add(const QString& text, const QDateTime& ts) {
    if (!entries_.empty() && entries_.back().clipb == text)
        return false;
    TMyClipItem item;
    item.clipb = text;
    item.ts = ts;
    entries_.push_back(std::move(item));
    return true;
}

void TClipHistory::Append(std::vector<TMyClipItem> loaded) {
    for (TMyClipItem& item : loaded)
        entries_.push_back(std::move(item));
}

std::vector<TMyClipItem>::iterator TClipHistory::FindNewest(const QString& text, const QDateTime& ts) {
    auto same = [&](const TMyClipItem& e) { return e.clipb == text && (!ts.isValid() || e.ts == ts); };
    auto it = std::find_if(entries_.rbegin(), entries_.rend(), same);
    return it == entries_.rend() ? entries_.end() : std::prev(it.base());
}

bool TClipHistory::Remove(const QString& text, const QDateTime& ts) {
    auto it = FindNewest(text, ts);
    if (it == entries_.end() && ts.isValid())
        it = FindNewest(text, QDateTime());
    if (it == entries_.end())
        return false;
    entries_.erase(it);
    return true;
}

void TClipHistory::MoveToNewest(const QString& text, const QDateTime& now) {
    auto it = FindNewest(text, QDateTime());
    if (it != entries_.end())
        entries_.erase(it);
    TMyClipItem item;
    item.clipb = text;
    item.ts = now;
    entries_.push_back(std::move(item));
}

int TClipHistory::Clear() {
    const int n = Count();
    entries_.clear();
    return n;
}

bool TClipFileStore::Write(const QString& fileText, quint64 version, QString* error) {
    const std::lock_guard lock(mutex_);
    if (version < written_)
        return false;
    written_ = version;
    // Nothing left to keep: no file at all.
    if (fileText.isEmpty()) {
        if (!QFile::exists(path_) || QFile::remove(path_))
            return true;
        if (error)
            *error = QStringLiteral("Could not remove \"%1\".").arg(path_);
        return false;
    }
    const TSaveResult r = SaveFileAtomic(path_, EncodeUtf8Bom(fileText));
    if (!r && error)
        *error = r.error;
    return r.ok;
}

bool TClipFileStore::Delete(quint64 version) {
    const std::lock_guard lock(mutex_);
    written_ = std::max(written_, version);
    return !QFile::exists(path_) || QFile::remove(path_);
}

} // namespace vantrelo
