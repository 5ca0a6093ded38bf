// Start-up and closing as fixed sequences, so their order and safe mode are testable.
#include "platform/startup/startup.h"

#include "core/settings.h"
#include "core/text.h"

#include <QFileInfo>

namespace vantrelo {

bool TStartup::CreateInputWindow() {
    const TSettingsOutcome outcome = host_.ReadSettings();
    if (outcome == TSettingsOutcome::Quit)
        return false;
    const bool safe = SafeMode();
    if (safe)
        host_.ApplySafeMode();
    const TSettings& s = host_.Settings();
    if (s.importurlfast && !TrimText(s.importurl).isEmpty() && !safe)
        host_.ImportKeywordsNow();
    if (safe)
        host_.ShowSafeModeNotice(QStringLiteral(" Started in safemode"));
    else
        host_.CaptureLastActiveWindow();
    if (outcome == TSettingsOutcome::NewInstallation || line_.option == TStartOption::Wizard)
        host_.OpenAppWizard();
    if (s.priority != 2)
        host_.ApplyPriority(s.priority);
    if (s.alwaystrayicon)
        host_.AddTrayIcon();
    host_.ApplySkin();
    if (!host_.RegisterGlobalHotkey())
        host_.ShowWarning(QStringLiteral("Warning"), QStringLiteral("Unable to assign hotkey."));
    host_.RegisterKeywordHotkeys();
    const bool hidden = (line_.option == TStartOption::Silent || line_.option == TStartOption::Hide) && silent_ && s.hide;
    pendingFile_ = line_.option == TStartOption::File;
    if (!safe)
        host_.ArmKeyboardHook();
    host_.PlaceWindow(outcome == TSettingsOutcome::NewInstallation || s.center != 0 || safe);
    if (!safe)
        host_.StartIndex();
    if (!TrimText(s.importurl).isEmpty() && !s.importurlfast && !safe)
        host_.StartKeywordImport();
    if (s.clipboardsniffer)
        host_.WatchClipboard();
    if (!safe)
        host_.ReadClipboardHistory();
    host_.ShowInputWindow(!hidden);
    return true;
}

void TStartup::RunStartupActions() {
    if (SafeMode())
        return;
    switch (line_.option) {
    case TStartOption::Run:
        host_.ExecuteInput(line_.text);
        break;
    case TStartOption::Input:
        host_.PutInput(line_.text, false);
        break;
    case TStartOption::InputSelected:
        host_.PutInput(line_.text, true);
        break;
    default:
        break;
    }
    for (const QString& entry : host_.Settings().startup.split(u',', Qt::SkipEmptyParts)) {
        const QString input = TrimText(entry);
        if (!input.isEmpty())
            host_.ExecuteInput(input);
    }
}

void TStartup::FirstPaint() {
    if (!pendingFile_)
        return;
    pendingFile_ = false;
    if (QFileInfo::exists(line_.text))
        host_.HandleFile(QFileInfo(line_.text).absoluteFilePath());
}

bool TShutdown::Close(TShutdownHost& host) {
    if (closing_ || host.SettingsDialogOpen())
        return false;
    closing_ = true;
    host.StopTimers();
    host.StopKeyboardHook();
    host.WaitForWorkers(kWorkerWaitMs);
    host.CloseListWindow();
    // The notes first: their window's place is one of the settings written next.
    host.SaveNotes();
    TSettings& s = host.Settings();
    ++s.shutdowns;
    host.WriteSettings();
    host.Backup();
    host.SaveClipboardHistory();
    if (s.cacheindex && !safeMode_)
        host.SaveIndexCache();
    host.UnregisterHotkeys();
    host.RemoveTrayIcon();
    if (!openAfter_.isEmpty())
        host.OpenPath(openAfter_);
    return true;
}

} // namespace vantrelo
