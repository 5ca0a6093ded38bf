// Sectioned file engine: lenient reading, last-occurrence lookups, append-only writing.
#include "core/inifile.h"

#include "core/text.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace vantrelo {

namespace {

const QString kBr = QStringLiteral("{BR}");

QString SafeName(const QString& name) { return ReplaceLineBreaks(name, QStringLiteral(" ")); }
QString SafeValue(const QString& value) { return ReplaceLineBreaks(value, kBr); }

// Length of a "{", backslashes, "BR}" token at i, with the number of backslashes; 0 when none.
qsizetype BrTokenAt(const QString& s, qsizetype i, qsizetype& slashes) {
    if (s.at(i) != u'{')
        return 0;
    qsizetype j = i + 1;
    while (j < s.size() && s.at(j) == u'\\')
        ++j;
    if (j + 3 <= s.size() && s.at(j) == u'B' && s.at(j + 1) == u'R' && s.at(j + 2) == u'}') {
        slashes = j - i - 1;
        return j + 3 - i;
    }
    return 0;
}

} // namespace

QString EncodeMultiLine(const QString& text) {
    if (!HasLineBreak(text) && !text.contains(QLatin1String("BR}")))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        qsizetype slashes = 0;
        if (const qsizetype len = BrTokenAt(text, i, slashes)) {
            out += u'{';
            out += QString(slashes + 1, u'\\');
            out += QLatin1String("BR}");
            i += len - 1;
        } else if (c == u'\r' || c == u'\n') {
            out += kBr;
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString ReadMultiLine(const QString& value) {
    if (!value.contains(QLatin1String("BR}")))
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        qsizetype slashes = 0;
        if (const qsizetype len = BrTokenAt(value, i, slashes)) {
            if (slashes == 0) {
                out += QLatin1String("\r\n");
            } else {
                out += u'{';
                out += QString(slashes - 1, u'\\');
                out += QLatin1String("BR}");
            }
            i += len - 1;
        } else {
            out += value.at(i);
        }
    }
    return out;
}

TMemIniFile::TMemIniFile(const QString& fileName) : fileName_(fileName) { Load(); }

TMemIniFile TMemIniFile::CreateFast(const QString& fileName) {
    TMemIniFile f;
    f.fileName_ = fileName;
    f.fast_ = true;
    return f;
}

void TMemIniFile::Load() {
    sections_.clear();
    loadError_.clear();
    if (fileName_.isEmpty() || !QFileInfo::exists(fileName_))
        return;
    QString text;
    if (!ReadTextFile(fileName_, text, &loadError_))
        return;
    SetStrings(SplitLines(text));
}

void TMemIniFile::Rename(const QString& fileName, bool reload) {
    fileName_ = fileName;
    if (reload)
        Load();
}

QStringList TMemIniFile::GetStrings() const {
    if (fast_)
        return fastLines_;
    QStringList out;
    for (const Section& s : sections_) {
        out.append(u'[' + s.name + u']');
        for (const Line& l : s.lines)
            out.append(l.hasValue ? l.name + u'=' + l.value : l.value);
        out.append(QString());
    }
    return out;
}

TSaveResult TMemIniFile::UpdateFile(const TSaveFaultHook& fault) const {
    QStringList lines = GetStrings();
    if (fast_ && !lines.isEmpty())
        lines.append(QString());
    return SaveFileAtomic(fileName_, EncodeUtf8Bom(JoinCrLf(lines)), fault);
}

void TMemIniFile::SetStrings(const QStringList& lines) {
    Clear();
    Section* current = nullptr;
    for (const QString& raw : lines) {
        const QString line = TrimText(raw);
        if (line.isEmpty() || line.at(0) == u';')
            continue;
        if (line.at(0) == u'[' && line.endsWith(u']')) {
            sections_.push_back({TrimText(line.mid(1, line.size() - 2)), {}});
            current = &sections_.back();
            continue;
        }
        if (!current)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            current->lines.push_back({QString(), line, false});
        else
            current->lines.push_back({TrimText(line.left(eq)), TrimText(line.mid(eq + 1)), true});
    }
}

void TMemIniFile::Clear() {
    sections_.clear();
    fastLines_.clear();
    fastSection_.clear();
    fastHasSection_ = false;
}

TMemIniFile::Section* TMemIniFile::FindSection(const QString& name) {
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it)
        if (SameText(it->name, name))
            return &*it;
    return nullptr;
}

const TMemIniFile::Section* TMemIniFile::FindSection(const QString& name) const {
    return const_cast<TMemIniFile*>(this)->FindSection(name);
}

qsizetype TMemIniFile::FindLine(const Section& s, const QString& ident) {
    for (qsizetype i = qsizetype(s.lines.size()) - 1; i >= 0; --i)
        if (s.lines[size_t(i)].hasValue && SameText(s.lines[size_t(i)].name, ident))
            return i;
    return -1;
}

QString TMemIniFile::ReadString(const QString& section, const QString& ident, const QString& def) const {
    const Section* s = FindSection(section);
    if (!s)
        return def;
    const qsizetype i = FindLine(*s, ident);
    return i < 0 ? def : s->lines[size_t(i)].value;
}

bool TMemIniFile::ParseInteger(const QString& text, int& value) {
    // One sign at most, directly before the digits: blanks inside never hide a second sign.
    QStringView t = QStringView(text).trimmed();
    bool negative = false;
    if (t.startsWith(u'-') || t.startsWith(u'+')) {
        negative = t.at(0) == u'-';
        t = t.mid(1);
    }
    int base = 10;
    if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))) {
        base = 16;
        t = t.mid(2);
    } else if (t.size() > 1 && t.startsWith(u'$')) {
        base = 16;
        t = t.mid(1);
    }
    if (t.isEmpty())
        return false;
    for (const QChar c : t) {
        const bool digit = c >= u'0' && c <= u'9';
        const bool hex = (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!digit && !(base == 16 && hex))
            return false;
    }
    bool ok = false;
    // Unsigned magnitude: no value the text can hold is ever negated out of range.
    const qulonglong v = t.toULongLong(&ok, base);
    if (!ok)
        return false;
    // Hexadecimal values are 32-bit patterns (colours): 0xFFFFFFFF reads as -1.
    if (base == 16 && !negative && v <= 0xFFFFFFFFULL) {
        value = static_cast<int>(static_cast<quint32>(v));
        return true;
    }
    if (negative ? v > qulonglong(INT_MAX) + 1 : v > qulonglong(INT_MAX))
        return false;
    value = negative ? static_cast<int>(-static_cast<qlonglong>(v)) : static_cast<int>(v);
    return true;
}

int TMemIniFile::ReadInteger(const QString& section, const QString& ident, int def) const {
    int v = 0;
    return ParseInteger(ReadString(section, ident, QString()), v) ? v : def;
}

bool TMemIniFile::ReadBool(const QString& section, const QString& ident, bool def) const {
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

double TMemIniFile::ReadFloat(const QString& section, const QString& ident, double def) const {
    bool ok = false;
    const double v = ReadString(section, ident, QString()).toDouble(&ok);
    return ok ? v : def;
}

QDateTime TMemIniFile::ReadDateTime(const QString& section, const QString& ident, const QDateTime& def) const {
    const QDateTime v = QDateTime::fromString(ReadString(section, ident, QString()), Qt::ISODateWithMs);
    return v.isValid() ? v : def;
}

QByteArray TMemIniFile::ReadBinary(const QString& section, const QString& ident) const {
    return QByteArray::fromHex(ReadString(section, ident, QString()).toLatin1());
}

QStringList TMemIniFile::ReadSection(const QString& section) const {
    QStringList out;
    if (const Section* s = FindSection(section))
        for (const Line& l : s->lines)
            out.append(l.name);
    return out;
}

QStringList TMemIniFile::ReadSections() const {
    QStringList out;
    out.reserve(qsizetype(sections_.size()));
    for (const Section& s : sections_)
        out.append(s.name);
    return out;
}

QStringList TMemIniFile::ReadSectionValues(const QString& section) const {
    QStringList out;
    if (const Section* s = FindSection(section))
        for (const Line& l : s->lines)
            out.append(l.hasValue ? l.name + u'=' + l.value : l.value);
    return out;
}

bool TMemIniFile::SectionExists(const QString& section) const {
    const Section* s = FindSection(section);
    return s && !s->lines.empty();
}

bool TMemIniFile::ValueExists(const QString& section, const QString& ident) const {
    const Section* s = FindSection(section);
    return s && FindLine(*s, ident) >= 0;
}

void TMemIniFile::WriteString(const QString& section, const QString& ident, const QString& value) {
    const QString sec = SafeName(section);
    const QString name = SafeName(ident);
    const QString val = SafeValue(value);
    if (fast_) {
        if (!fastHasSection_ || fastSection_ != sec) {
            if (!fastLines_.isEmpty())
                fastLines_.append(QString());
            fastLines_.append(u'[' + sec + u']');
            fastSection_ = sec;
            fastHasSection_ = true;
        }
        fastLines_.append(name + u'=' + val);
        return;
    }
    Section* s = FindSection(sec);
    if (!s) {
        sections_.push_back({sec, {}});
        s = &sections_.back();
    }
    const qsizetype i = FindLine(*s, name);
    if (i >= 0)
        s->lines[size_t(i)].value = val;
    else
        s->lines.push_back({name, val, true});
}

void TMemIniFile::WriteInteger(const QString& section, const QString& ident, int value) {
    WriteString(section, ident, QString::number(value));
}

void TMemIniFile::WriteBool(const QString& section, const QString& ident, bool value) {
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TMemIniFile::WriteFloat(const QString& section, const QString& ident, double value) {
    WriteString(section, ident, QString::number(value, 'g', 17));
}

void TMemIniFile::WriteDateTime(const QString& section, const QString& ident, const QDateTime& value) {
    WriteString(section, ident, value.toString(Qt::ISODateWithMs));
}

void TMemIniFile::WriteBinary(const QString& section, const QString& ident, const QByteArray& value) {
    WriteString(section, ident, QString::fromLatin1(value.toHex().toUpper()));
}

void TMemIniFile::WriteMultiLineString(const QString& section, const QString& ident, const QString& text) {
    WriteString(section, ident, EncodeMultiLine(text));
}

void TMemIniFile::EraseSection(const QString& section) {
    fastHasSection_ = false;
    fastSection_.clear();
    for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
        if (SameText(it->name, section)) {
            sections_.erase(std::next(it).base());
            return;
        }
    }
}

void TMemIniFile::DeleteKey(const QString& section, const QString& ident) {
    Section* s = FindSection(section);
    if (!s)
        return;
    const qsizetype i = FindLine(*s, ident);
    if (i >= 0)
        s->lines.erase(s->lines.begin() + i);
}

void TMemIniFile::MyFlattenSections() {
    if (fast_) {
        for (QString& line : fastLines_)
            if (line.startsWith(QLatin1String("[W")))
                line = QStringLiteral("[W]");
        return;
    }
    for (Section& s : sections_)
        if (s.name.startsWith(u'W'))
            s.name = QStringLiteral("W");
}

} // namespace vantrelo
