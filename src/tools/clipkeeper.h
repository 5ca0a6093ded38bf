// Keeping the clipboard history: capture of copied texts, the saver thread and clearing.
#pragma once

#include "tools/cliphistory.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace vantrelo {

struct TSettings;
class TClipboard;
class TClock;

class TClipKeeper {
public:
    struct TSetup {
        const TSettings* settings = nullptr;
        TClipboard* clipboard = nullptr;
        const TClock* clock = nullptr;
        QString file;          // c.dat in the data folder
        bool safeMode = false; // the file is neither read nor written
        // A save of the file failed (the text says why); called on the saver's thread.
        std::function<void(const QString&)> saveFailed;
    };
    struct TCleared {
        int count = 0;
        bool deleted = true; // false: the file exists and could not be removed
    };

    explicit TClipKeeper(TSetup setup);
    ~TClipKeeper();
    TClipKeeper(const TClipKeeper&) = delete;
    TClipKeeper& operator=(const TClipKeeper&) = delete;

    const TClipHistory& History() const { return history_; }
    // The clipboard changed: its text becomes the newest entry (unless it repeats the newest).
    void OnClipboardChanged();
    // Loads the file at start; savers may run from then on.
    void Read();
    // The exit write: waits for a running saver, then writes the current state; false with
    // `error` when that failed.
    bool WriteNow(QString* error = nullptr);
    TCleared Clear();
    // The list's Delete key and the row menu's "Remove": exactly this entry goes.
    bool Remove(const TMyClipItem& item);
    // A chosen entry becomes the newest one before its text goes to the clipboard, so it is never
    // lost when the clipboard cannot be set.
    void Choose(const TMyClipItem& item);
    bool SaverRunning() const { return saver_.joinable() && !saverDone_->load(); }
    // Waits for a running saver.
    void JoinSaver();

private:
    bool Persisting() const;
    void Changed();
    void StartSaver();

    TSetup s_;
    TClipHistory history_;
    std::shared_ptr<TClipFileStore> store_;
    std::thread saver_;
    std::shared_ptr<std::atomic<bool>> saverDone_ = std::make_shared<std::atomic<bool>>(true);
    quint64 version_ = 1;
    bool started_ = false;
};

} // namespace vantrelo
