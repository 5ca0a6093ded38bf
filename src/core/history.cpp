// History entries, their tagged serialisation and the "History" section.
#include "core/history.h"

#include "core/inifile.h"
#include "core/text.h"

#include <algorithm>

namespace vantrelo {

namespace {

const QString kSection = QStringLiteral("History");
const QString kItemMark = QStringLiteral("<exet>");

// Tag contents are entity-escaped so a path holding "<" or ">" cannot break the tags.
QString EscapeTag(const QString& s) {
    QString out = s;
    out.replace(u'&', QLatin1String("&amp;"));
    out.replace(u'<', QLatin1String("&lt;"));
    out.replace(u'>', QLatin1String("&gt;"));
    return out;
}

QString UnescapeTag(const QString& s) {
    if (!s.contains(u'&'))
        return s;
    QString out = s;
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

QString Tag(const QString& tag, const QString& content) {
    return u'<' + tag + u'>' + EscapeTag(content) + QLatin1String("</") + tag + u'>';
}

QString TagContent(const QString& value, const QString& tag) {
    const QString open = u'<' + tag + u'>';
    const qsizetype start = value.indexOf(open);
    if (start < 0)
        return QString();
    const qsizetype from = start + open.size();
    const qsizetype end = value.indexOf(QLatin1String("</") + tag + u'>', from);
    return UnescapeTag(end < 0 ? value.mid(from) : value.mid(from, end - from));
}

} // namespace

QString SerializeHistoryItem(const TMyShellItem& item) {
    return Tag(QStringLiteral("exet"), QStringLiteral("1")) + Tag(QStringLiteral("exe1"), item.name) +
           Tag(QStringLiteral("exe2"), item.root) + Tag(QStringLiteral("exe3"), item.path) +
           Tag(QStringLiteral("exe4"), QString::fromUtf8(item.ps));
}

void THistory::AddToHistory(const QString& s, std::unique_ptr<TMyShellItem> ob, bool noadd, bool suppressed) {
    if (s.startsWith(QLatin1String("->")) || suppressed || noadd)
        return;
    const QString text = TrimText(s);
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&](const THistoryEntry& e) { return SameText(e.text, text); }),
                   entries_.end());
    if (!text.isEmpty())
        entries_.insert(entries_.begin(), THistoryEntry{text, std::move(ob)});
}

bool THistory::KillHist(const QString& s) {
    const QString text = TrimText(s);
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const THistoryEntry& e) { return SameText(e.text, text); });
    if (it == entries_.end())
        return false;
    entries_.erase(it);
    return true;
}

void THistory::Write(TMemIniFile& ini, int maxhistory) const {
    for (qsizetype i = 0; i < size() && i < maxhistory; ++i) {
        const THistoryEntry& e = entries_[size_t(i)];
        QString value;
        if (e.item)
            value = SerializeHistoryItem(*e.item);
        else if (e.text.startsWith(kItemMark))
            // A plain text that looks like an item is stored as an item-less tagged value.
            value = Tag(QStringLiteral("exet"), QStringLiteral("0")) +
                    Tag(QStringLiteral("exe1"), EncodeMultiLine(e.text));
        else
            value = EncodeMultiLine(e.text);
        ini.WriteString(kSection, u'H' + QString::number(i), value);
    }
}

void THistory::Read(const TMemIniFile& ini) {
    for (const QString& line : ini.ReadSectionValues(kSection)) {
        const qsizetype eq = line.indexOf(u'=');
        const QString value = eq < 0 ? line : line.mid(eq + 1);
        if (value.isEmpty())
            continue;
        THistoryEntry entry;
        if (value.startsWith(kItemMark)) {
            if (TagContent(value, QStringLiteral("exet")) == QLatin1String("1")) {
                auto item = std::make_unique<TMyShellItem>();
                item->name = TagContent(value, QStringLiteral("exe1"));
                item->root = TagContent(value, QStringLiteral("exe2"));
                item->path = TagContent(value, QStringLiteral("exe3"));
                item->ps = TagContent(value, QStringLiteral("exe4")).toUtf8();
                entry.text = item->name;
                entry.item = std::move(item);
            } else {
                entry.text = ReadMultiLine(TagContent(value, QStringLiteral("exe1")));
            }
        } else {
            entry.text = ReadMultiLine(value);
        }
        // Entries are trimmed texts (as AddToHistory keeps them); a decoded value may carry blanks
        // the next save would lose, so loading trims them and a reload reads the same history.
        if (!entry.item)
            entry.text = TrimText(entry.text);
        if (entry.text.isEmpty() && !entry.item)
            continue;
        entries_.push_back(std::move(entry));
    }
}

} // namespace vantrelo
