// The index's files and texts: scancache.dat, the scandirs setting, the app list files, id encoding.
#pragma once

#include "core/atomicfile.h"
#include "core/items.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace vantrelo {

class TIndexList;
struct TScanBatch;

// Six bits per character, most significant first, alphabet 0-9 A-Z a-z + /, no padding.
QString EncodeIdList(const QByteArray& bytes);
// The same text as Latin-1 bytes, appended to `out` (the form `ps` stores).
void AppendIdList(QByteArray& out, QByteArrayView bytes);
// The inverse; stops at the first character outside the alphabet, drops trailing bits.
QByteArray DecodeIdList(const QString& text);
// The identifier list a scan gives a file: "R" + the file name with a two-byte terminator.
// Index items keep `ps` empty when it would be exactly this (most of them), which saves an
// allocation per entry; ItemIdList gives the full value back.
QByteArray FileIdList(const QString& path);
QByteArray ItemIdList(const TMyShellItem& item);

// The scandirs text: per folder '"path","extensions","level"|'. Paths are kept exactly (case,
// commas, quotes and bars included); text written by older versions reads the same.
QString FormatScanFolders(const std::vector<TMyScanItem>& items);
std::vector<TMyScanItem> ParseScanFolders(const QString& text);

// scancache.dat. Values are entity-escaped (&amp; &lt; &gt; &#13; &#10;) after a first line
// "<exet>esc</exet>"; files without that line are read as raw values, as older versions wrote.
QString FormatIndexCache(const TIndexList& list);
void ParseIndexCache(const QString& text, TIndexList& list);
TSaveResult SaveIndexCache(const QString& file, const TIndexList& list);
// The file's bytes piece by piece, for a writer that streams: the start (BOM and marker line),
// then one line per entry (an entry without item is an empty line).
void AppendIndexCacheStart(QByteArray& out);
void AppendIndexCacheLine(QByteArray& out, const TMyShellItem* item);
// The lines of a walk's batch (its desktop files' Names are read first): what AppendIndexCacheLine
// gives for each of its entries, written from the file names' bytes where an entry is plain.
void AppendIndexCacheLines(QByteArray& out, TScanBatch& batch);
// Replaces `list` with the file's entries; false (list untouched) when it is missing or unreadable.
bool LoadIndexCache(const QString& file, TIndexList& list);

// index.dat of the app folder: one "name=id" line per app shortcut made.
using TAppPairs = std::vector<std::pair<QString, QString>>;
TAppPairs ReadAppIndex(const QString& file);
TSaveResult SaveAppIndex(const QString& file, const TAppPairs& apps);

// uwp.csv, the export of installed apps: ';'-separated, double-quoted, with a header line.
TSaveResult SaveAppExport(const QString& file, const TAppPairs& apps);
// Field lists of each line, the header included.
std::vector<QStringList> ReadAppExport(const QString& file);
// Splits one line at `sep`, honouring double quotes ("" is a quote inside a quoted field).
QStringList SplitQuoted(const QString& line, QChar sep);

} // namespace vantrelo
