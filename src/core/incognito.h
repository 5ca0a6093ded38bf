// Incognito mode: which records it suppresses, and the background removal of its browser folder.
#pragma once

#include <QString>

#include <atomic>
#include <functional>
#include <thread>

namespace vantrelo {

// Record kinds: "1" history additions, "2" history in the list, "3" the list while the search
// text is empty, "4" history/keywords/suggestions/index in the list, "5" the file-system group,
// "6" tags, "b" browser data, "c" clipboard additions, "i" the input-assist popup.
bool IncognitoSuppresses(bool incognito, const QString& config, const QString& code, bool force = false);

// Deletes the incognito folder on a worker; the flags are atomics because the worker and the
// user-interface thread both touch them.
class TIncognitoCleaner {
public:
    using Sleeper = std::function<void(int ms)>;
    explicit TIncognitoCleaner(QString folder, Sleeper sleeper = {});
    ~TIncognitoCleaner();
    TIncognitoCleaner(const TIncognitoCleaner&) = delete;
    TIncognitoCleaner& operator=(const TIncognitoCleaner&) = delete;

    bool FolderExists() const;
    void SetPending(bool pending) { pending_ = pending; }
    bool Pending() const { return pending_; }
    bool Running() const { return running_; }
    // Starts a removal when incognito mode is off and one is due; true when a worker started.
    bool ClearIncognitoFolder(bool incognitoOn, bool isRestart);
    void Wait();

private:
    void Run(bool isRestart);

    QString folder_;
    Sleeper sleeper_;
    std::atomic<bool> pending_{false};
    std::atomic<bool> running_{false};
    std::thread worker_;
};

// Switches incognito mode: sets `incognito`, marks the browser folder for removal as the
// configuration asks and starts the removal when the mode goes off. Returns the toast text.
QString SwitchIncognitoMode(bool& incognito, const QString& config, bool on, TIncognitoCleaner& cleaner);

// At start: the removal is pending when browser data is hidden, and a folder left behind by an
// earlier run goes at once while the mode is off (on the cleaner's worker).
bool StartIncognitoCleanup(bool incognito, const QString& config, TIncognitoCleaner& cleaner);

} // namespace vantrelo
