// The clipboard history: its entries in memory and the c.dat file that keeps them for some hours.
#pragma once

#include "core/items.h"

#include <QByteArray>
#include <QString>

#include <mutex>
#include <optional>
#include <vector>

class QDateTime;

namespace vantrelo {

// The history's file in the data folder.
inline constexpr char kClipFileName[] = "c.dat";
// The message after the history was cleared.
QString ClipClearedMessage(int count);

// What the file may take: one entry's text and all texts together, in UTF-16 code units (each
// becomes four hex digits on disk). A longer entry stays in memory but is not written; the
// newest entries that fit the whole budget are written.
inline constexpr qsizetype kMaxClipEntryChars = 256 * 1024;
inline constexpr qsizetype kMaxClipFileChars = 4 * 1024 * 1024;
// A file larger than this is not read at all (the writer never makes one).
inline constexpr qint64 kMaxClipFileBytes = 64 * 1024 * 1024;

// Each UTF-16 code unit as two bytes, low byte first, each byte as two upper-case hex digits.
QString ClipHex(const QString& text);
// The reverse; nothing when the text is not whole groups of four hex digits.
std::optional<QString> ClipUnhex(const QString& hex);
// "yyyy-MM-dd HH:mm:ss", or the date alone at exactly midnight.
QString ClipTimeText(const QDateTime& ts);
std::optional<QDateTime> ParseClipTime(const QString& text);

// The file's text for the entries (oldest first) that have not expired `hours` after capture.
// Texts keep every character: line breaks and a literal "{BR}" come back exactly.
QString EncodeClipFile(const std::vector<TMyClipItem>& entries, const QDateTime& now, int hours);
// The unexpired entries of a file's text, oldest first. An entry with a bad time stamp or bad hex
// is skipped; the rest of the file is still read.
std::vector<TMyClipItem> DecodeClipFile(const QString& fileText, const QDateTime& now, int hours);

// The entries, oldest first. Texts are kept exactly as copied.
class TClipHistory {
public:
    const std::vector<TMyClipItem>& Entries() const { return entries_; }
    int Count() const { return int(entries_.size()); }
    // Entry `n` (1 = newest); empty when there is none.
    QString Entry(int n) const;
    // Appends the text unless the newest entry is exactly the same; true when appended.
    bool Add(const QString& text, const QDateTime& ts);
    void Append(std::vector<TMyClipItem> loaded);
    // Removes the newest entry with exactly this text (and time, when `ts` is valid).
    bool Remove(const QString& text, const QDateTime& ts);
    // Moves the newest entry with exactly this text to the newest place (appends it when none).
    void MoveToNewest(const QString& text, const QDateTime& now);
    // Empties the history; returns how many entries it held.
    int Clear();

private:
    std::vector<TMyClipItem>::iterator FindNewest(const QString& text, const QDateTime& ts);
    std::vector<TMyClipItem> entries_;
};

// Writes and deletes c.dat for the saver thread and the user-interface thread. Every write and
// delete carries the history's version at the moment it was asked for; one older than what the
// file already reflects is dropped, so a late saver never brings back a cleared history.
class TClipFileStore {
public:
    explicit TClipFileStore(QString path) : path_(std::move(path)) {}
    const QString& Path() const { return path_; }
    // Atomic replace (an empty text removes the file); false when it failed or a newer state is
    // already on disk.
    // `error` says why a write that was due failed (a newer state on disk is no failure).
    bool Write(const QString& fileText, quint64 version, QString* error = nullptr);
    // Removes the file; false only when it exists and could not be removed.
    bool Delete(quint64 version);

private:
    QString path_;
    std::mutex mutex_;
    quint64 written_ = 0;
};

} // namespace vantrelo
