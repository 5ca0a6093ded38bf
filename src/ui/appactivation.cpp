// What the program gaining and losing the keyboard does to the input and list windows.
#include "ui/appactivation.h"

#include "core/settings.h"
#include "ui/inputwindow.h"

namespace vantrelo {

void TAppActivation::Activated(bool closing, TActivatedWindow by) {
    if (closing || !started_ || by != TActivatedWindow::Other)
        return;
    if (startHidden_) {
        startHidden_ = false;
        return;
    }
    // A visible window is left alone: showing it again would clear what is being typed.
    if (!window_.WindowVisible())
        window_.ShowWindow(true, false, TShowLock::Hotkey);
}

bool TAppActivation::Deactivated(qint64 now, bool closing, const TFocusAtLoss& focus) {
    // The settings dialog is modal: switching away from it leaves every window as it is.
    if (closing || !started_ || focus.settingsOpen)
        return false;
    refocus_ = TRefocus::None;
    if (now - lastDeactivation_ < 150)
        return false;
    lastDeactivation_ = now;
    // Text left in the editor is kept for the user only when the next show does not clear or
    // replace the input anyway.
    const bool keepsText = (!settings_.clearlast && !settings_.infoonfocus) || settings_.holdtext;
    if (focus.listActive && focus.editorFocused && keepsText)
        refocus_ = TRefocus::Editor;
    else if (focus.listActive && focus.browserFocused && settings_.browserfocus)
        refocus_ = TRefocus::Browser;
    if (settings_.hide && window_.WindowVisible())
        window_.ShowWindow(false, false, TShowLock::Hotkey);
    // A drop-down list closes like a combo box's; without auto-hide and live list it closes too.
    // HideList keeps a list that shows a text panel or the editor.
    const bool dropdown = settings_.autodropdown && settings_.listbehaveslikedropdown;
    if ((dropdown || (!settings_.hide && !settings_.autodropdown)) && window_.ListVisible())
        window_.HideList();
    return true;
}

TRefocus TAppActivation::TakeRefocus() {
    const TRefocus r = refocus_;
    refocus_ = TRefocus::None;
    return r;
}

bool TAppActivation::ListWithWindow(bool listEverShown, bool lineEmpty) const {
    if (settings_.startautoshow)
        return true;
    return listEverShown && settings_.autodropdown && !settings_.listbehaveslikedropdown && !lineEmpty;
}

} // namespace vantrelo
