// Atomic saving of data files: write a temporary file beside the target, flush, rename over it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtCore/qcontainerfwd.h>

#include <functional>

namespace vantrelo {

// The steps of a save; a test hook may fail any of them to prove the old file survives.
enum class TSaveStep { Create, Write, Flush, Rename };
using TSaveFaultHook = std::function<bool(TSaveStep step, int chunk)>;

struct TSaveResult {
    bool ok = true;
    QString error; // plain words for the user, naming the file
    explicit operator bool() const { return ok; }
};

// Who may read a saved file. Private: the program's data (typed inputs): a new file is 0600 and
// an existing file keeps its mode only where it is stricter. Document: a file the user names for
// other programs: a new file follows the umask and an existing file keeps its mode.
enum class TFileAccess { Private, Document };

// Writes `bytes` to `path` atomically; on failure the previous file is untouched and no
// temporary file is left behind. A symbolic link is written through: its final target is
// replaced and the link stays. `fault` (tests only) returns true to make a step fail.
TSaveResult SaveFileAtomic(const QString& path, const QByteArray& bytes, const TSaveFaultHook& fault = {},
                           TFileAccess access = TFileAccess::Private);

// The same for content made while it is written (a large file never held whole): `produce` hands
// its pieces in order to `write`, which is false once writing failed; `produce` returns false
// to give up, and the previous file then stays as it was.
using TSaveWrite = std::function<bool(QByteArrayView piece)>;
using TSaveProducer = std::function<bool(const TSaveWrite& write)>;
TSaveResult SaveFileAtomicStream(const QString& path, const TSaveProducer& produce, const TSaveFaultHook& fault = {},
                                 TFileAccess access = TFileAccess::Private);

// What a streamed save may do besides. `flush` off: the file is not forced to the disk and the old
// one is removed just before the new one takes its name, for derived files whose reader checks
// them and makes them again when missing (after a crash such a file may be cut short or empty). `written`: called with the temporary file once the content is complete,
// before it is flushed and renamed; its size, time and bytes are then those the file will have.
struct TSaveOptions {
    TSaveFaultHook fault;
    TFileAccess access = TFileAccess::Private;
    bool flush = true;
    std::function<void(const QString& tempFile)> written;
};
TSaveResult SaveFileAtomicStream(const QString& path, const TSaveProducer& produce, const TSaveOptions& options);

// The file a save of `path` replaces: symbolic links followed to their final target (which may
// not exist yet); `path` itself when it is no link.
QString SaveTarget(const QString& path);

// Whether a file name is a temporary file of a save ("<name>.XXXXXX.tmp").
bool IsSaveTempName(const QString& fileName);
// Removes the temporary files that saves killed mid-way left in `folder`; a save in progress
// (any process) holds a lock on its temporary file, so it is never touched. Returns how many went.
int RemoveStaleSaveFiles(const QString& folder);

// Encodes text as UTF-8 with a byte-order mark (lines are expected to be joined by CR LF already).
QByteArray EncodeUtf8Bom(const QString& text);
// Joins lines with CR LF, each line followed by CR LF.
QString JoinCrLf(const QStringList& lines);

// Reads a whole text file with encoding detection; false with `error` set when it cannot be read.
bool ReadTextFile(const QString& path, QString& text, QString* error = nullptr, bool* valid = nullptr);

} // namespace vantrelo
