// Typed folders: read on a worker, bounded, and handed over only for the folder still being typed.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vantrelo {

class TEnvironment;
class TTaskRunner;

// At most this many entries of one folder are read: a huge folder or a slow mount stays usable.
inline constexpr int kFolderEntryLimit = 10000;

struct TFolderEntry {
    QString name;
    bool dir = false;
};

struct TFolderListing {
    QString folder;
    std::vector<TFolderEntry> entries; // folders first, then files, each group in text order
    bool truncated = false;            // the folder held more than the limit
};

// Reads up to `limit` entries of `folder`; safe on any thread. The kind of an entry comes from
// the directory itself where the file system tells it, so most entries are never stat'ed.
TFolderListing ReadFolderListing(const QString& folder, int limit);

// A typed path as a folder to list and the start of a name in it.
struct TTypedFolder {
    QString shown;  // the folder part as typed: what the entries are shown behind
    QString folder; // expanded, to be read
    QString start;  // the entries shown begin with this (ignoring case)
};
// None when the text names no folder, or a network path that `ignorenetwork` leaves alone.
std::optional<TTypedFolder> SplitTypedFolder(const QString& typed, bool ignorenetwork, const TEnvironment* env);
// The listing's entries that begin with the typed start, as the line would read them: folders
// first, then files, each group in text order.
QStringList MatchTypedFolder(const TFolderListing& listing, const TTypedFolder& typed);

// Reads the folder being typed on a worker, one read at a time. A result is kept only when it is
// for the folder asked for last; a read for a folder typed meanwhile follows it.
class TFolderReader {
public:
    explicit TFolderReader(TTaskRunner& tasks, int limit = kFolderEntryLimit);
    ~TFolderReader();
    TFolderReader(const TFolderReader&) = delete;
    TFolderReader& operator=(const TFolderReader&) = delete;

    // The listing of `folder` once it has been read (the last one of it while it is read again);
    // null while it is being read. Never a listing of another folder.
    const TFolderListing* Listing(const QString& folder);
    // Told (on the user-interface thread) when the folder asked for last has arrived, unless it
    // arrived within Listing itself.
    void SetArrived(std::function<void()> arrived) { arrived_ = std::move(arrived); }
    // The folder may have changed: the next Listing reads it again.
    void MarkStale() { stale_ = true; }
    bool Reading() const { return reading_; }

private:
    void Start(const QString& folder);

    TTaskRunner& tasks_;
    int limit_;
    std::shared_ptr<const TFolderListing> ready_;
    QString wanted_;
    bool reading_ = false;
    bool stale_ = false;
    bool inListing_ = false;
    std::function<void()> arrived_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace vantrelo
