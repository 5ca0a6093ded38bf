// Incognito decisions and the folder cleaner.
#include "core/incognito.h"

#include "core/text.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>

namespace vantrelo {

bool IncognitoSuppresses(bool incognito, const QString& config, const QString& code, bool force) {
    if (!incognito && !force)
        return false;
    return ContainsText(config, code) || ContainsText(config, QStringLiteral("all"));
}

TIncognitoCleaner::TIncognitoCleaner(QString folder, Sleeper sleeper)
    : folder_(std::move(folder)), sleeper_(std::move(sleeper)) {
    if (!sleeper_)
        sleeper_ = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

TIncognitoCleaner::~TIncognitoCleaner() { Wait(); }

void TIncognitoCleaner::Wait() {
    if (worker_.joinable())
        worker_.join();
}

bool TIncognitoCleaner::FolderExists() const { return QFileInfo::exists(folder_); }

bool TIncognitoCleaner::ClearIncognitoFolder(bool incognitoOn, bool isRestart) {
    if (incognitoOn || !(isRestart || pending_) || running_ || !QFileInfo::exists(folder_))
        return false;
    Wait(); // a finished earlier worker
    running_ = true;
    worker_ = std::thread([this, isRestart] { Run(isRestart); });
    return true;
}

void TIncognitoCleaner::Run(bool isRestart) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0 || !isRestart)
            sleeper_(500);
        QDir(folder_).removeRecursively();
        if (!QFileInfo::exists(folder_)) {
            pending_ = false;
            break;
        }
    }
    running_ = false;
}

QString SwitchIncognitoMode(bool& incognito, const QString& config, bool on, TIncognitoCleaner& cleaner) {
    incognito = on;
    if (IncognitoSuppresses(incognito, config, QStringLiteral("b"), true))
        cleaner.SetPending(on || cleaner.FolderExists());
    // Browser data of the session that just ended goes now, whatever the configuration says now.
    if (!on && cleaner.FolderExists()) {
        cleaner.SetPending(true);
        cleaner.ClearIncognitoFolder(false, false);
    }
    return QStringLiteral("Incognito mode: ") + (on ? QStringLiteral("enabled") : QStringLiteral("disabled"));
}

bool StartIncognitoCleanup(bool incognito, const QString& config, TIncognitoCleaner& cleaner) {
    cleaner.SetPending(IncognitoSuppresses(incognito, config, QStringLiteral("b")));
    return cleaner.ClearIncognitoFolder(incognito, true);
}

} // namespace vantrelo
