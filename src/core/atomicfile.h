// Atomic saving of data files: write a temporary file beside the target, flush, rename over it.
#pragma once

#include <QByteArray>
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

// Writes `bytes` to `path` atomically; on failure the previous file is untouched and no
// temporary file is left behind. `fault` (tests only) returns true to make a step fail.
TSaveResult SaveFileAtomic(const QString& path, const QByteArray& bytes, const TSaveFaultHook& fault = {});

// Encodes text as UTF-8 with a byte-order mark (lines are expected to be joined by CR LF already).
QByteArray EncodeUtf8Bom(const QString& text);
// Joins lines with CR LF, each line followed by CR LF.
QString JoinCrLf(const QStringList& lines);

// Reads a whole text file with encoding detection; false with `error` set when it cannot be read.
bool ReadTextFile(const QString& path, QString& text, QString* error = nullptr);

} // namespace vantrelo
