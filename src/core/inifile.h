// The sectioned text-file engine behind vantrelo.ini, keyword exports, skins and the clipboard file.
#pragma once

#include "core/atomicfile.h"

#include <QString>
#include <QStringList>

#include <vector>

class QDateTime;

namespace vantrelo {

// A whole sectioned file in memory. Names compare without regard to case; where a section or a
// key repeats, lookups act on its last occurrence. Append-only mode (CreateFast) builds output
// line by line and never reads.
class TMemIniFile {
public:
    explicit TMemIniFile(const QString& fileName = {});
    static TMemIniFile CreateFast(const QString& fileName);

    const QString& FileName() const { return fileName_; }
    // Set when the file existed but could not be read; the object is then empty.
    const QString& LoadError() const { return loadError_; }
    bool IsFast() const { return fast_; }

    void Rename(const QString& fileName, bool reload);
    TSaveResult UpdateFile(const TSaveFaultHook& fault = {}) const;
    QStringList GetStrings() const;
    void SetStrings(const QStringList& lines);
    void Clear();

    QString ReadString(const QString& section, const QString& ident, const QString& def) const;
    int ReadInteger(const QString& section, const QString& ident, int def) const;
    bool ReadBool(const QString& section, const QString& ident, bool def) const;
    double ReadFloat(const QString& section, const QString& ident, double def) const;
    QDateTime ReadDateTime(const QString& section, const QString& ident, const QDateTime& def) const;
    QByteArray ReadBinary(const QString& section, const QString& ident) const;
    QStringList ReadSection(const QString& section) const;
    QStringList ReadSections() const;
    QStringList ReadSectionValues(const QString& section) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;

    // Values never carry a raw line break: any break is stored as "{BR}".
    void WriteString(const QString& section, const QString& ident, const QString& value);
    void WriteInteger(const QString& section, const QString& ident, int value);
    void WriteBool(const QString& section, const QString& ident, bool value);
    void WriteFloat(const QString& section, const QString& ident, double value);
    void WriteDateTime(const QString& section, const QString& ident, const QDateTime& value);
    void WriteBinary(const QString& section, const QString& ident, const QByteArray& value);
    void WriteMultiLineString(const QString& section, const QString& ident, const QString& text);
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& ident);
    // Turns the numbered keyword sections "W0", "W1", ... into a run of sections named "W".
    void MyFlattenSections();

    // Parses an integer as the files write it: decimal, "0x"/"$" hexadecimal, optional sign.
    static bool ParseInteger(const QString& text, int& value);

private:
    struct Line {
        QString name;
        QString value;
        bool hasValue = false;
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
    };

    Section* FindSection(const QString& name);
    const Section* FindSection(const QString& name) const;
    static qsizetype FindLine(const Section& s, const QString& ident);
    void Load();

    QString fileName_;
    QString loadError_;
    bool fast_ = false;
    std::vector<Section> sections_;
    QStringList fastLines_;
    QString fastSection_;
    bool fastHasSection_ = false;
};

// The multi-line encoding of stored values: a line break is "{BR}"; a literal "{BR}" gains one
// backslash ("{\BR}", "{\\BR}", ...), so every text round-trips exactly.
QString EncodeMultiLine(const QString& text);
QString ReadMultiLine(const QString& value);

} // namespace vantrelo
