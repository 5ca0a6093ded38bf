// Reading and writing the index's files: scancache.dat, scandirs, index.dat and uwp.csv.
#include "index/indexfiles.h"

#include "core/text.h"
#include "index/indexlist.h"
#include "index/scanbatch.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstring>

namespace vantrelo {

namespace {

const char kAlphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/";
const QLatin1String kEscMarker("<exet>esc</exet>");

int AlphabetValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'A' && u <= 'Z') return u - 'A' + 10;
    if (u >= 'a' && u <= 'z') return u - 'a' + 36;
    if (u == '+') return 62;
    if (u == '/') return 63;
    return -1;
}

QString QuoteField(const QString& s) {
    QString v = s;
    return u'"' + v.replace(u'"', QLatin1String("\"\"")) + u'"';
}

// Six bits a character into `d`, which has room for (size * 4 + 2) / 3 of them; returns their end.
char* PutIdList(char* d, QByteArrayView bytes) {
    quint32 acc = 0;
    int bits = 0;
    for (const char ch : bytes) {
        acc = (acc << 8) | quint8(ch);
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            *d++ = kAlphabet[(acc >> bits) & 0x3F];
        }
        acc &= (1u << bits) - 1;
    }
    if (bits > 0)
        *d++ = kAlphabet[(acc << (6 - bits)) & 0x3F];
    return d;
}

// The entity a value's character is written as, or null when it stands as itself.
const char* EntityFor(char16_t c) {
    switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '\r': return "&#13;";
    case '\n': return "&#10;";
    default: return nullptr;
    }
}

// Whether a character goes into a line as the one byte it is.
bool PlainByte(char16_t c) { return c < 0x80 && !EntityFor(c); }

QString EscapeValue(const QString& v) {
    QString out;
    out.reserve(v.size());
    for (const QChar c : v) {
        if (const char* entity = EntityFor(c.unicode()))
            out += QLatin1String(entity);
        else
            out += c;
    }
    return out;
}

QString UnescapeValue(QStringView v) {
    if (!v.contains(u'&'))
        return v.toString();
    static const struct { QLatin1String entity; QChar ch; } kEntities[] = {
        {QLatin1String("&amp;"), u'&'}, {QLatin1String("&lt;"), u'<'}, {QLatin1String("&gt;"), u'>'},
        {QLatin1String("&#13;"), u'\r'}, {QLatin1String("&#10;"), u'\n'}};
    QString out;
    out.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        bool matched = false;
        if (v.at(i) == u'&') {
            for (const auto& e : kEntities) {
                if (v.mid(i).startsWith(e.entity)) {
                    out += e.ch;
                    i += e.entity.size() - 1;
                    matched = true;
                    break;
                }
            }
        }
        if (!matched)
            out += v.at(i);
    }
    return out;
}

// True when `written` is what FileIdList(path) gives, checked without building it.
bool IsFileIdList(QStringView written, const QString& path) {
    if (written.isEmpty() || written.at(0) != u'R')
        return false;
    QByteArray bytes = QFile::encodeName(QStringView(path).mid(path.lastIndexOf(u'/') + 1).toString());
    bytes.append(2, '\0');
    if (written.size() != 1 + (bytes.size() * 4 + 2) / 3)
        return false;
    QByteArray encoded;
    AppendIdList(encoded, bytes);
    for (qsizetype i = 0; i < encoded.size(); ++i)
        if (written.at(i + 1) != QLatin1Char(encoded.at(i)))
            return false;
    return true;
}

// The value between the first <tag> and the first following </tag>; empty when either is missing.
QStringView TagValue(QStringView line, QLatin1String open, QLatin1String close) {
    const qsizetype a = line.indexOf(open);
    if (a < 0)
        return {};
    const qsizetype start = a + open.size();
    const qsizetype b = line.indexOf(close, start);
    if (b < 0)
        return {};
    return line.mid(start, b - start);
}

// Escaped lines as this program writes them: the five tags in order, values without "<".
// Reads them in one pass; false for any other shape (the caller then searches tag by tag).
bool SplitWrittenLine(QStringView line, QStringView (&values)[5]) {
    static const QLatin1String tags[5] = {QLatin1String("exet"), QLatin1String("exe1"), QLatin1String("exe2"),
                                          QLatin1String("exe3"), QLatin1String("exe4")};
    qsizetype pos = 0;
    for (int i = 0; i < 5; ++i) {
        const QLatin1String tag = tags[i];
        if (line.size() < pos + tag.size() + 2 || line.at(pos) != u'<' || line.mid(pos + 1, tag.size()) != tag ||
            line.at(pos + 1 + tag.size()) != u'>')
            return false;
        const qsizetype start = pos + tag.size() + 2;
        const qsizetype end = line.indexOf(u'<', start);
        if (end < 0 || line.size() < end + tag.size() + 3 || line.at(end + 1) != u'/' ||
            line.mid(end + 2, tag.size()) != tag || line.at(end + 2 + tag.size()) != u'>')
            return false;
        values[i] = line.mid(start, end - start);
        pos = end + tag.size() + 3;
    }
    return true;
}

// One tag straight into UTF-8: the common plain-ASCII value is copied without a UTF-16 detour.
void AppendTagUtf8(QByteArray& out, const char* tag, QStringView value) {
    out += '<';
    out += tag;
    out += '>';
    const qsizetype start = out.size();
    out.resize(start + value.size());
    char* d = out.data() + start;
    bool plain = true;
    for (const QChar c : value) {
        if (!PlainByte(c.unicode())) {
            plain = false;
            break;
        }
        *d++ = char(c.unicode());
    }
    if (!plain) {
        out.truncate(start);
        out += EscapeValue(value.toString()).toUtf8();
    }
    out += "</";
    out += tag;
    out += '>';
}

// An identifier list is Latin-1: its plain ASCII form (a scan's own) goes in as it is.
void AppendIdTagUtf8(QByteArray& out, const QByteArray& id) {
    for (const char ch : id)
        if (!PlainByte(uchar(ch))) {
            AppendTagUtf8(out, "exe4", QString::fromLatin1(id));
            return;
        }
    out += "<exe4>";
    out += id;
    out += "</exe4>";
}

// The whole cache as its file holds it, written entry by entry into one buffer.
QByteArray FormatIndexCacheUtf8(const TIndexList& list) {
    QByteArray out;
    out.reserve(list.size() * 160 + 64);
    AppendIndexCacheStart(out);
    for (const TIndexEntry& e : list)
        AppendIndexCacheLine(out, e.item.get());
    return out;
}

// Splits one scandirs record ('"path","ext","level"') as a comma list with double-quote quoting.
QStringList SplitRecord(const QString& rec) {
    QStringList fields;
    QString cur;
    qsizetype i = 0;
    const qsizetype n = rec.size();
    while (i <= n) {
        while (i < n && rec.at(i) == u' ')
            ++i;
        cur.clear();
        if (i < n && rec.at(i) == u'"') {
            ++i;
            while (i < n) {
                if (rec.at(i) == u'"') {
                    if (i + 1 < n && rec.at(i + 1) == u'"') {
                        cur += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                cur += rec.at(i++);
            }
            while (i < n && rec.at(i) != u',')
                ++i;
        } else {
            while (i < n && rec.at(i) != u',')
                cur += rec.at(i++);
            cur = cur.trimmed();
        }
        fields << cur;
        ++i; // past the comma (or the end)
    }
    return fields;
}

} // namespace

QString EncodeIdList(const QByteArray& bytes) {
    QByteArray out;
    AppendIdList(out, bytes);
    return QString::fromLatin1(out);
}

void AppendIdList(QByteArray& out, QByteArrayView bytes) {
    // Sized once and written through a pointer: the walk encodes one id per file.
    const qsizetype start = out.size();
    out.resize(start + (bytes.size() * 8 + 5) / 6);
    PutIdList(out.data() + start, bytes);
}

QByteArray DecodeIdList(const QString& text) {
    QByteArray out;
    quint32 acc = 0;
    int bits = 0;
    for (const QChar c : text) {
        const int v = AlphabetValue(c);
        if (v < 0)
            break;
        acc = (acc << 6) | quint32(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += char((acc >> bits) & 0xFF);
            acc &= (1u << bits) - 1;
        }
    }
    return out;
}

QString FormatScanFolders(const std::vector<TMyScanItem>& items) {
    QString out;
    for (const TMyScanItem& it : items)
        out += QuoteField(it.path) + u',' + QuoteField(it.extensions) + u',' + QuoteField(it.level) + u'|';
    return out;
}

std::vector<TMyScanItem> ParseScanFolders(const QString& text) {
    std::vector<TMyScanItem> items;
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'|' && !quoted) {
            const QStringList f = SplitRecord(text.mid(start, i - start));
            TMyScanItem it;
            it.path = f.value(0);
            it.extensions = f.value(1);
            it.level = f.value(2);
            items.push_back(it);
            start = i + 1;
        }
    }
    return items; // text after the last bar is not a complete record
}

QByteArray FileIdList(const QString& path) {
    const QByteArray name = QFile::encodeName(path.mid(path.lastIndexOf(u'/') + 1)) + QByteArray(2, '\0');
    QByteArray out;
    out.reserve(1 + (name.size() * 4 + 2) / 3);
    out += 'R';
    AppendIdList(out, name);
    return out;
}

QByteArray ItemIdList(const TMyShellItem& item) {
    return item.ps.isEmpty() && !item.path.isEmpty() ? FileIdList(item.path) : item.ps;
}

void AppendIndexCacheStart(QByteArray& out) {
    out += "\xEF\xBB\xBF";
    out += kEscMarker.latin1();
    out += "\r\n";
}

namespace {

// A scanned file's own identifier list (FileIdList) straight into the line: for the usual plain
// ASCII name its bytes are the characters, with no string made on the way.
bool AppendFileIdTag(QByteArray& out, const QString& path) {
    const QStringView name = QStringView(path).mid(path.lastIndexOf(u'/') + 1);
    char bytes[256];
    if (name.size() + 2 > qsizetype(sizeof bytes))
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c >= 0x80)
            return false;
        bytes[i] = char(c);
    }
    bytes[name.size()] = bytes[name.size() + 1] = '\0';
    out += "<exe4>R";
    AppendIdList(out, QByteArrayView(bytes, name.size() + 2));
    out += "</exe4>";
    return true;
}

} // namespace

void AppendIndexCacheLine(QByteArray& out, const TMyShellItem* item) {
    if (item) {
        out += "<exet>1</exet>";
        AppendTagUtf8(out, "exe1", item->name);
        AppendTagUtf8(out, "exe2", item->root);
        AppendTagUtf8(out, "exe3", item->path);
        const bool ownId = item->ps.isEmpty() && !item->path.isEmpty();
        if (!ownId || !AppendFileIdTag(out, item->path))
            AppendIdTagUtf8(out, ItemIdList(*item));
    }
    out += "\r\n";
}

namespace {

// An ASCII value escaped as AppendTagUtf8 does it, byte by byte; `d` has room for five bytes each.
char* PutEscapedAscii(char* d, QByteArrayView value) {
    for (const char c : value) {
        const char* entity = EntityFor(uchar(c));
        if (!entity) {
            *d++ = c;
            continue;
        }
        while (*entity)
            *d++ = *entity++;
    }
    return d;
}

char* Put(char* d, QByteArrayView bytes) {
    std::memcpy(d, bytes.data(), size_t(bytes.size()));
    return d + bytes.size();
}

} // namespace

void AppendIndexCacheLines(QByteArray& out, TScanBatch& batch) {
    batch.ReadDesktopNames();
    // What every plain line of the batch shares: its root and the folder its path starts with.
    QByteArray middle;
    for (TScanBatchEntry& e : batch.entries) {
        if (e.item) {
            AppendIndexCacheLine(out, e.item.get());
            continue;
        }
        if (middle.isEmpty()) {
            AppendTagUtf8(middle, "exe2", batch.root);
            AppendTagUtf8(middle, "exe3", batch.folder);
            middle.chop(7); // the folder's closing tag: the name follows
        }
        const QByteArrayView name = batch.Name(e);
        char id[NAME_MAX + 3];
        if (name.size() + 2 > qsizetype(sizeof id)) {
            // Longer than any name of this system: the line made from its item is the same.
            QString key;
            AppendIndexCacheLine(out, batch.TakeItem(e, key).get());
            continue;
        }
        std::memcpy(id, name.data(), size_t(name.size()));
        id[name.size()] = id[name.size() + 1] = '\0';
        // The name goes in twice (as the name and at the end of the path): escaped once.
        char escaped[5 * (NAME_MAX + 1)];
        const QByteArrayView safe(escaped, PutEscapedAscii(escaped, name) - escaped);
        // Sized for the longest the line can be, written through a pointer, then cut to size.
        const qsizetype start = out.size();
        const qsizetype room = start + 64 + middle.size() + 2 * safe.size() + (name.size() + 2) * 4 / 3 + 2;
        if (out.capacity() < room)
            out.reserve(std::max(room, 2 * out.capacity()));
        out.resize(room);
        char* d = out.data() + start;
        d = Put(d, "<exet>1</exet><exe1>");
        d = Put(d, safe);
        d = Put(d, "</exe1>");
        d = Put(d, middle);
        d = Put(d, safe);
        d = Put(d, "</exe3><exe4>R");
        d = PutIdList(d, QByteArrayView(id, name.size() + 2));
        d = Put(d, "</exe4>\r\n");
        out.resize(d - out.constData());
    }
}

QString FormatIndexCache(const TIndexList& list) { return QString::fromUtf8(FormatIndexCacheUtf8(list).mid(3)); }

void ParseIndexCache(const QString& text, TIndexList& list) {
    list.Clear();
    // Lines are walked as views: a 50,000-line cache must load in a few tens of milliseconds.
    QStringView rest(text);
    bool first = true;
    bool escaped = false;
    QString lastRaw, lastRoot; // roots repeat; sharing one string saves an allocation per line
    const auto field = [&escaped](QStringView line, QLatin1String open, QLatin1String close) {
        const QStringView v = TagValue(line, open, close);
        return escaped ? UnescapeValue(v) : v.toString();
    };
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest.at(end) != u'\r' && rest.at(end) != u'\n')
            ++end;
        const QStringView line = rest.left(end);
        if (end < rest.size())
            end += (rest.at(end) == u'\r' && end + 1 < rest.size() && rest.at(end + 1) == u'\n') ? 2 : 1;
        rest = rest.mid(end);
        if (first) {
            first = false;
            escaped = line == kEscMarker;
            if (escaped)
                continue;
        }
        QStringView v[5];
        if (escaped && SplitWrittenLine(line, v) && v[0] == QLatin1String("1")) {
            auto item = std::make_unique<TMyShellItem>();
            item->name = UnescapeValue(v[1]);
            if (v[2] != lastRaw) {
                lastRaw = v[2].toString();
                lastRoot = UnescapeValue(v[2]);
            }
            item->root = lastRoot;
            item->path = UnescapeValue(v[3]);
            if (!IsFileIdList(v[4], item->path))
                item->ps = UnescapeValue(v[4]).toLatin1();
            const QString key = item->name;
            list.Append(key, std::move(item));
            continue;
        }
        const QString name = field(line, QLatin1String("<exe1>"), QLatin1String("</exe1>"));
        if (TagValue(line, QLatin1String("<exet>"), QLatin1String("</exet>")) != QLatin1String("1")) {
            list.Append(name, nullptr);
            continue;
        }
        auto item = std::make_unique<TMyShellItem>();
        item->name = name;
        const QStringView rawRoot = TagValue(line, QLatin1String("<exe2>"), QLatin1String("</exe2>"));
        if (rawRoot != lastRaw) {
            lastRaw = rawRoot.toString();
            lastRoot = escaped ? UnescapeValue(rawRoot) : lastRaw;
        }
        item->root = lastRoot;
        item->path = field(line, QLatin1String("<exe3>"), QLatin1String("</exe3>"));
        const QStringView ps = TagValue(line, QLatin1String("<exe4>"), QLatin1String("</exe4>"));
        if (!IsFileIdList(ps, item->path))
            item->ps = (escaped ? UnescapeValue(ps) : ps.toString()).toLatin1();
        list.Append(name, std::move(item));
    }
}

TSaveResult SaveIndexCache(const QString& file, const TIndexList& list) {
    return SaveFileAtomic(file, FormatIndexCacheUtf8(list));
}

bool LoadIndexCache(const QString& file, TIndexList& list) {
    if (!QFileInfo::exists(file))
        return false;
    QString text;
    if (!ReadTextFile(file, text))
        return false;
    ParseIndexCache(text, list);
    list.Squeeze();
    return true;
}

TAppPairs ReadAppIndex(const QString& file) {
    TAppPairs apps;
    QString text;
    if (!QFileInfo::exists(file) || !ReadTextFile(file, text))
        return apps;
    for (const QString& line : SplitLines(text)) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            apps.emplace_back(line.left(eq), line.mid(eq + 1));
    }
    return apps;
}

TSaveResult SaveAppIndex(const QString& file, const TAppPairs& apps) {
    QStringList lines;
    for (const auto& [name, id] : apps)
        lines << name + u'=' + id;
    return SaveFileAtomic(file, EncodeUtf8Bom(JoinCrLf(lines)));
}

TSaveResult SaveAppExport(const QString& file, const TAppPairs& apps) {
    QStringList lines{QStringLiteral("\"Name\";\"AppID\"")};
    for (const auto& [name, id] : apps)
        lines << QuoteField(name) + u';' + QuoteField(id);
    return SaveFileAtomic(file, EncodeUtf8Bom(JoinCrLf(lines)));
}

std::vector<QStringList> ReadAppExport(const QString& file) {
    std::vector<QStringList> rows;
    QString text;
    if (!QFileInfo::exists(file) || !ReadTextFile(file, text))
        return rows;
    for (const QString& line : SplitLines(text))
        rows.push_back(SplitQuoted(line, u';'));
    return rows;
}

QStringList SplitQuoted(const QString& line, QChar sep) {
    QStringList fields;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line.at(i + 1) == u'"') {
                cur += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cur += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == sep) {
            fields << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    fields << cur;
    return fields;
}

} // namespace vantrelo
