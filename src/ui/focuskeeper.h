// Where the keyboard goes as the windows come and go: the editor given back, dialogs kept in front.
#pragma once

#include "ui/appactivation.h"

#include <QObject>
#include <QPointer>

class QWidget;
class QWindow;

namespace vantrelo {

class TCmdForm;

class TFocusKeeper : public QObject {
public:
    // `input` is the input window, `list` the list window; both outlive the keeper.
    TFocusKeeper(QWidget* input, TCmdForm* list, QObject* parent);

    // Where the keyboard was in the program just before another program took it.
    TFocusAtLoss AtLoss() const;
    // Gives the keyboard to the `target` the user left, when it is still there to take it;
    // true when it went there.
    bool GiveBack(TRefocus target);
    // A modal dialog of the program (the settings dialog, a question, a file dialog) is never
    // left behind the input window: it is raised and gets the keyboard after every show.
    void KeepDialogsInFront();
    // The settings dialog is open.
    static QWidget* SettingsDialog();
    // Which of the program's windows has the keyboard now.
    static TActivatedWindow FocusedWindow();

private:
    // The page in the list window, with `browserfocus`, when it had the keyboard.
    bool GiveBackToPage();

    QWidget* input_;
    TCmdForm* list_;
    QPointer<QWindow> lastActive_; // the program's window that had the keyboard last
};

} // namespace vantrelo
