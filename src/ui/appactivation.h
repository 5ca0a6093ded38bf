// What the program gaining and losing the keyboard does to the input and list windows.
#pragma once

#include <QtGlobal>

#include <limits>

namespace vantrelo {

struct TSettings;
class TInputWindow;

// What gets the keyboard back when the window returns: the line, the multi-line editor or the
// embedded browser the user left.
enum class TRefocus { None = 0, Editor = 1, Browser = 2 };

// The program's window that took the keyboard as the program became active.
enum class TActivatedWindow { Other = 0, Notes = 1, Browser = 2 };

// Where the keyboard was in the program when another program took it.
struct TFocusAtLoss {
    bool listActive = false;     // the list window was the active window
    bool editorFocused = false;  // ... with the multi-line editor holding the focus
    bool browserFocused = false; // ... with the embedded browser holding the focus
    bool settingsOpen = false;   // the settings dialog is open
};

class TAppActivation {
public:
    TAppActivation(const TSettings& settings, TInputWindow& window) : settings_(settings), window_(window) {}

    // The start kept the window hidden: the activation that the start itself brings is not a summons.
    void StartedHidden() { startHidden_ = true; }
    // Before this, activation changes nothing: a dialog of the start (the wizard, a question) gets
    // the keyboard without bringing the window early.
    void StartupCompleted() { started_ = true; }
    bool Started() const { return started_; }
    // The program became active (the list window, a dialog or the task bar was chosen): a hidden
    // input window comes back. The notes and the separate browser window are used on their own:
    // a click into them leaves the input window as it is.
    void Activated(bool closing, TActivatedWindow by = TActivatedWindow::Other);
    // Another program took the keyboard at `now` (milliseconds); deactivations within 150 ms of
    // the last handled one are one. False when nothing was done (then the information line stays
    // down too).
    bool Deactivated(qint64 now, bool closing, const TFocusAtLoss& focus = {});
    // The refocus target for a show with the list window visible; it is used up.
    TRefocus TakeRefocus();
    // Whether the list comes with the window when it is shown.
    bool ListWithWindow(bool listEverShown, bool lineEmpty) const;

private:
    const TSettings& settings_;
    TInputWindow& window_;
    bool startHidden_ = false;
    bool started_ = false;
    TRefocus refocus_ = TRefocus::None;
    qint64 lastDeactivation_ = std::numeric_limits<qint64>::min() / 2;
};

} // namespace vantrelo
