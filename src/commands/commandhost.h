// What the internal commands ask of the input window beyond the input line itself.
#pragma once

#include "core/datafolder.h"

#include <QString>

namespace vantrelo {

// The window implements it; tests record the calls.
class TCommandHost {
public:
    virtual ~TCommandHost() = default;
    virtual void ShowToast(const QString& text) = 0;
    // A command that failed after the pipeline finished (a deferred power request): the failure
    // colour, the failure sound and `message`.
    virtual void ShowFailure(const QString& message) = 0;
    // Redraws the state indicators.
    virtual void SetStatePanel() = 0;
    // Re-applies the window design after a look-and-feel setting changed.
    virtual void SetDesign() = 0;
    // Clears the input line and the list.
    virtual void ResetCurrentSearch() = 0;
    // Moves the input window's left and top edges.
    virtual void MoveInputWindow(int x, int y) = 0;
    virtual void HideListWindow() = 0;
    // Closes the main window, which ends the program through its ordinary closing path.
    virtual void CloseMainWindow() = 0;
    // Re-arms the keyboard hook after `gamingmode` changed.
    virtual void ReArmKeyboardHook() = 0;
    // Incognito mode on or off, or toggled when `toggle`.
    virtual void SetIncognitoMode(bool on, bool toggle) = 0;
    // Saves vantrelo.ini; false with plain words in `error` when it could not be saved.
    virtual bool WriteSettings(QString* error) = 0;
    // Brings the window the input window was summoned over to the front; false when it is gone.
    virtual bool ActivateLastActive() = 0;
    // What a backup of the settings and notes needs to know right now (force is set by the caller).
    virtual TBackupRequest BackupRequest() const = 0;
};

} // namespace vantrelo
